// Packing pictures into shared textures: shelves of rows, filled left to right.
#include "graphics/TextureAtlas.h"

#include "graphics/Display.h"

#include <algorithm>
#include <cstring>

namespace {

// The picture with a one-texel border repeating its edges, ready to upload.
std::vector<uint8_t> WithBorder(const TBitmap32& bitmap)
{
    const int32_t w = bitmap.Width(), h = bitmap.Height();
    const size_t rowBytes = static_cast<size_t>(w + 2) * 4;
    std::vector<uint8_t> out(rowBytes * static_cast<size_t>(h + 2));
    for (int32_t y = 0; y < h + 2; ++y) {
        const uint8_t* source = bitmap.Row(std::clamp(y - 1, 0, h - 1));
        uint8_t* row = out.data() + static_cast<size_t>(y) * rowBytes;
        std::memcpy(row + 4, source, static_cast<size_t>(w) * 4);
        std::memcpy(row, source, 4);
        std::memcpy(row + rowBytes - 4, source + static_cast<size_t>(w - 1) * 4, 4);
    }
    return out;
}

} // namespace

bool CTextureAtlas::AddPage(int32_t w, int32_t h, bool single)
{
    IRenderDevice* device = Display_Device();
    if (!device)
        return false;
    RPage page;
    page.handle = device->CreateTexture(w, h, false, page.w, page.h);
    if (page.handle == 0)
        return false;
    page.single = single;
    a_pages.push_back(page);
    return true;
}

bool CTextureAtlas::Reserve(int32_t w, int32_t h, size_t& index, int32_t& x, int32_t& y)
{
    for (index = 0; index < a_pages.size(); ++index) {
        RPage& page = a_pages[index];
        if (page.single)
            continue;
        // The first shelf that is tall enough without wasting more than half
        // its height, and has room left.
        for (RShelf& shelf : page.shelves) {
            if (h <= shelf.h && shelf.h <= h * 2 && shelf.x + w <= page.w) {
                x = shelf.x;
                y = shelf.y;
                shelf.x += w;
                return true;
            }
        }
        if (page.nextY + h <= page.h) {
            page.shelves.push_back({page.nextY, h, w});
            x = 0;
            y = page.nextY;
            page.nextY += h;
            return true;
        }
    }
    // Devices that cannot make a full page get smaller ones.
    bool added = false;
    for (int32_t side = kPageSize; !added && side >= std::max(w, h); side /= 2)
        added = AddPage(side, side, false);
    if (!added)
        return false;
    index = a_pages.size() - 1;
    RPage& page = a_pages.back();
    if (w > page.w || h > page.h)
        return false;
    page.shelves.push_back({0, h, w});
    page.nextY = h;
    x = y = 0;
    return true;
}

bool CTextureAtlas::Add(const TBitmap32& bitmap, RTexturePicture& picture)
{
    picture = RTexturePicture();
    IRenderDevice* device = Display_Device();
    if (!device || bitmap.IsEmpty())
        return false;
    const int32_t w = bitmap.Width() + 2, h = bitmap.Height() + 2;
    size_t index = 0;
    int32_t x = 0, y = 0;
    if (w > kPageSize / 2 || h > kPageSize / 2) {
        // Large pictures would leave most of a shared page empty.
        if (!AddPage(w, h, true))
            return false;
        index = a_pages.size() - 1;
    } else if (!Reserve(w, h, index, x, y)) {
        return false;
    }
    RPage& page = a_pages[index];
    std::vector<uint8_t> pixels = WithBorder(bitmap);
    if (!device->UploadTexture(page.handle, {x, y, w, h}, pixels.data())) {
        if (page.pictures == 0) {
            device->FreeTexture(page.handle);
            a_pages.erase(a_pages.begin() + static_cast<std::ptrdiff_t>(index));
        }
        return false;
    }
    ++page.pictures;
    picture = {page.handle, bitmap.Width(), bitmap.Height(), x + 1, y + 1, page.w, page.h};
    return true;
}

void CTextureAtlas::Release(const RTexturePicture& picture)
{
    if (picture.handle == 0)
        return;
    auto page = std::find_if(a_pages.begin(), a_pages.end(),
                             [&](const RPage& p) { return p.handle == picture.handle; });
    if (page == a_pages.end() || --page->pictures > 0)
        return;
    if (IRenderDevice* device = Display_Device())
        device->FreeTexture(page->handle);
    a_pages.erase(page);
}

void CTextureAtlas::Clear()
{
    if (IRenderDevice* device = Display_Device())
        for (const RPage& page : a_pages)
            device->FreeTexture(page.handle);
    a_pages.clear();
}
