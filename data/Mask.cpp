// Building, reading and writing collision masks.
#include "data/Mask.h"

#include "data/Bitmap32.h"
#include "data/Stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void TMask::Clear()
{
    i_w = i_h = 0;
    i_mask.clear();
    i_bbox = RBox();
}

int TMask::CountSet() const
{
    return static_cast<int>(std::count(i_mask.begin(), i_mask.end(), uint8_t(1)));
}

namespace {

RBox ChooseBox(const TBitmap32& image, int32_t bbmode, const RBox& given, int32_t tolerance)
{
    int w = image.Width(), h = image.Height();
    if (bbmode == kBoxFullImage)
        return RBox{0, 0, w - 1, h - 1};
    if (bbmode == kBoxManual)
        return RBox{std::max(given.left, 0), std::max(given.top, 0), std::min(given.right, w - 1),
                    std::min(given.bottom, h - 1)};
    // Automatic: an image with no pixel above the tolerance keeps this
    // inverted box, which contains no cell.
    RBox box{w - 1, h - 1, 0, 0};
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = image.Row(y);
        for (int x = 0; x < w; ++x)
            if (row[4 * x + 3] > tolerance) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    }
    return box;
}

} // namespace

// Sets the cells of the box by kind; precise masks are filled by the caller.
void TMask::FillShape(int32_t kind)
{
    const RBox& b = i_bbox;
    double cx = (b.left + b.right) / 2.0, rx = cx - b.left + 0.5;
    double cy = (b.top + b.bottom) / 2.0, ry = cy - b.top + 0.5;
    for (int y = std::max(b.top, 0); y <= std::min(b.bottom, i_h - 1); ++y)
        for (int x = std::max(b.left, 0); x <= std::min(b.right, i_w - 1); ++x) {
            double dx = (x - cx) / rx, dy = (y - cy) / ry;
            bool set = kind == kMaskEllipse   ? dx * dx + dy * dy < 1
                       : kind == kMaskDiamond ? std::fabs(dx) + std::fabs(dy) < 1
                                              : true;
            i_mask[static_cast<size_t>(y) * i_w + x] = set ? 1 : 0;
        }
}

void TMask::Create(const TBitmap32& image, int32_t bbmode, const RBox& bbox, int32_t kind, int32_t tolerance)
{
    Clear();
    if (image.IsEmpty())
        return;
    i_w = image.Width();
    i_h = image.Height();
    i_mask.assign(static_cast<size_t>(i_w) * i_h, 0);
    i_bbox = ChooseBox(image, bbmode, bbox, tolerance);
    if (kind != kMaskPrecise) {
        FillShape(kind);
        return;
    }
    for (int y = std::max(i_bbox.top, 0); y <= std::min(i_bbox.bottom, i_h - 1); ++y) {
        const uint8_t* row = image.Row(y);
        for (int x = std::max(i_bbox.left, 0); x <= std::min(i_bbox.right, i_w - 1); ++x)
            i_mask[static_cast<size_t>(y) * i_w + x] = row[4 * x + 3] > tolerance ? 1 : 0;
    }
}

void TMask::Merge(const TBitmap32& image, int32_t bbmode, const RBox& bbox, int32_t kind, int32_t tolerance)
{
    TMask other;
    other.Create(image, bbmode, bbox, kind, tolerance);
    i_bbox.left = std::min(i_bbox.left, other.i_bbox.left);
    i_bbox.top = std::min(i_bbox.top, other.i_bbox.top);
    i_bbox.right = std::max(i_bbox.right, other.i_bbox.right);
    i_bbox.bottom = std::max(i_bbox.bottom, other.i_bbox.bottom);
    if (kind == kMaskPrecise) {
        int w = std::min(i_w, other.i_w), h = std::min(i_h, other.i_h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (other.i_mask[static_cast<size_t>(y) * other.i_w + x])
                    i_mask[static_cast<size_t>(y) * i_w + x] = 1;
        return;
    }
    FillShape(kind);
}

bool TMask::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    int32_t w = stream.ReadInteger();
    int32_t h = stream.ReadInteger();
    RBox box;
    box.left = stream.ReadInteger();
    box.right = stream.ReadInteger();
    box.bottom = stream.ReadInteger();
    box.top = stream.ReadInteger();
    if (w < 0 || h < 0)
        return false;
    uint64_t cells = uint64_t(w) * uint64_t(h);
    // Checked before allocating, so a damaged size cannot claim gigabytes.
    if (cells * 4 > stream.Size() - stream.Position())
        throw EStreamError("Stream read error");
    i_w = w;
    i_h = h;
    i_bbox = box;
    i_mask.resize(cells);
    const uint8_t* source = stream.Memory() + stream.Position();
    for (size_t k = 0; k < cells; ++k) {
        int32_t value;
        std::memcpy(&value, source + 4 * k, 4);
        i_mask[k] = value > 0 ? 1 : 0;
    }
    stream.Seek(stream.Position() + cells * 4);
    return true;
}

void TMask::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteInteger(i_w);
    stream.WriteInteger(i_h);
    stream.WriteInteger(i_bbox.left);
    stream.WriteInteger(i_bbox.right);
    stream.WriteInteger(i_bbox.bottom);
    stream.WriteInteger(i_bbox.top);
    std::vector<int32_t> cells(i_mask.begin(), i_mask.end());
    stream.WriteBytes(cells.data(), cells.size() * 4);
}
