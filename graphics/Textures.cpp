// The texture table.
#include "graphics/Textures.h"

#include "graphics/Display.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::vector<RTexture> Table;
int32_t Generation = 0;

} // namespace

int32_t Texture_Create(int32_t w, int32_t h, bool renderTarget)
{
    IRenderDevice* device = Display_Device();
    if (!device || w <= 0 || h <= 0)
        return -1;
    RTexture entry;
    entry.handle = device->CreateTexture(w, h, renderTarget, entry.textureW, entry.textureH);
    if (entry.handle == 0)
        return -1;
    entry.imageW = w;
    entry.imageH = h;
    entry.renderTarget = renderTarget;
    entry.used = true;
    auto free = std::find_if(Table.begin(), Table.end(), [](const RTexture& t) { return !t.used; });
    if (free != Table.end()) {
        *free = entry;
        return static_cast<int32_t>(free - Table.begin());
    }
    Table.push_back(entry);
    return static_cast<int32_t>(Table.size() - 1);
}

bool Texture_Upload(int32_t id, const uint8_t* pixels)
{
    const RTexture* t = Texture_Get(id);
    IRenderDevice* device = Display_Device();
    if (!t || !device || !pixels)
        return false;
    const int32_t w = t->imageW, h = t->imageH;
    if (w == t->textureW && h == t->textureH)
        return device->UploadTexture(t->handle, {0, 0, w, h}, pixels);
    const int32_t pw = std::min(w + 1, t->textureW);
    const int32_t ph = std::min(h + 1, t->textureH);
    std::vector<uint8_t> padded(static_cast<size_t>(pw) * static_cast<size_t>(ph) * 4);
    const size_t rowBytes = static_cast<size_t>(w) * 4;
    const size_t paddedRow = static_cast<size_t>(pw) * 4;
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* out = padded.data() + static_cast<size_t>(y) * paddedRow;
        std::memcpy(out, pixels + static_cast<size_t>(y) * rowBytes, rowBytes);
        if (pw > w)
            std::memcpy(out + rowBytes, out + rowBytes - 4, 4);
    }
    if (ph > h)
        std::memcpy(padded.data() + static_cast<size_t>(h) * paddedRow,
                    padded.data() + static_cast<size_t>(h - 1) * paddedRow, paddedRow);
    return device->UploadTexture(t->handle, {0, 0, pw, ph}, padded.data());
}

int32_t Texture_FromBitmap(const TBitmap32& bitmap)
{
    int32_t id = Texture_Create(bitmap.Width(), bitmap.Height(), false);
    if (id >= 0 && !Texture_Upload(id, bitmap.Pixels())) {
        Texture_Free(id);
        return -1;
    }
    return id;
}

int32_t Texture_FromAlpha(int32_t w, int32_t h, const uint8_t* alpha)
{
    if (w <= 0 || h <= 0 || !alpha)
        return -1;
    TBitmap32 white(w, h);
    uint8_t* p = white.Pixels();
    for (size_t k = 0; k < static_cast<size_t>(w) * static_cast<size_t>(h); ++k) {
        p[k * 4 + 0] = p[k * 4 + 1] = p[k * 4 + 2] = 255;
        p[k * 4 + 3] = alpha[k];
    }
    return Texture_FromBitmap(white);
}

void Texture_Free(int32_t id)
{
    const RTexture* t = Texture_Get(id);
    if (!t)
        return;
    if (IRenderDevice* device = Display_Device())
        device->FreeTexture(t->handle);
    Table[static_cast<size_t>(id)] = RTexture();
}

bool Texture_Exists(int32_t id)
{
    return Texture_Get(id) != nullptr;
}

const RTexture* Texture_Get(int32_t id)
{
    if (id < 0 || static_cast<size_t>(id) >= Table.size() || !Table[static_cast<size_t>(id)].used)
        return nullptr;
    return &Table[static_cast<size_t>(id)];
}

bool Texture_Picture(int32_t id, RTexturePicture& picture)
{
    const RTexture* t = Texture_Get(id);
    if (!t)
        return false;
    picture = {t->handle, t->imageW, t->imageH, 0, 0, t->textureW, t->textureH};
    return true;
}

TextureHandle Texture_Handle(int32_t id)
{
    const RTexture* t = Texture_Get(id);
    return t ? t->handle : 0;
}

void Texture_ForgetAll()
{
    if (IRenderDevice* device = Display_Device())
        for (const RTexture& t : Table)
            if (t.used)
                device->FreeTexture(t.handle);
    Table.clear();
    ++Generation;
}

int32_t Texture_Generation()
{
    return Generation;
}

int32_t Texture_TableSize()
{
    return static_cast<int32_t>(Table.size());
}
