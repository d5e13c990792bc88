// TBitmap32 pixels and the Windows bitmap file codec.
#include "data/Bitmap32.h"

#include "data/Stream.h"

#include <bit>
#include <cstring>

void TBitmap32::SetSize(int width, int height)
{
    if (width <= 0 || height <= 0) {
        b_width = b_height = 0;
        b_pixels.clear();
        return;
    }
    b_width = width;
    b_height = height;
    b_pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
}

uint32_t TBitmap32::PixelAt(int x, int y) const
{
    const uint8_t* p = Row(y) + static_cast<size_t>(x) * 4;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void TBitmap32::SetPixel(int x, int y, uint32_t argb)
{
    uint8_t* p = Row(y) + static_cast<size_t>(x) * 4;
    p[0] = static_cast<uint8_t>(argb);
    p[1] = static_cast<uint8_t>(argb >> 8);
    p[2] = static_cast<uint8_t>(argb >> 16);
    p[3] = static_cast<uint8_t>(argb >> 24);
}

bool TBitmap32::LoadFromStream(CStream& stream)
{
    SetSize(0, 0);
    if (stream.ReadInteger() != kRecordVersion)
        return false;
    int32_t width = stream.ReadInteger();
    int32_t height = stream.ReadInteger();
    if (width <= 0 || height <= 0)
        // Two negative sizes multiply to a positive count; neither is an image.
        return width >= 0 && height >= 0;
    int32_t count = stream.ReadInteger();
    uint64_t expected = uint64_t(width) * uint64_t(height) * 4;
    if (count < 0 || uint64_t(count) != expected)
        return false;
    if (expected > stream.Size() - stream.Position())
        throw EStreamError("Stream read error");
    // One copy straight from the stream's buffer: no zero fill, no per-pixel work.
    const uint8_t* source = stream.Memory() + stream.Position();
    b_pixels.assign(source, source + expected);
    b_width = width;
    b_height = height;
    stream.Seek(stream.Position() + expected);
    return true;
}

void TBitmap32::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kRecordVersion);
    stream.WriteInteger(b_width);
    stream.WriteInteger(b_height);
    if (IsEmpty())
        return;
    stream.WriteInteger(static_cast<int32_t>(b_pixels.size()));
    stream.WriteBytes(b_pixels.data(), b_pixels.size());
}

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;
// Refuse images so large that a damaged header could exhaust memory.
constexpr int64_t kMaxPixels = int64_t(1) << 28;

class CByteReader {
public:
    CByteReader(const uint8_t* data, size_t size) : r_data(data), r_size(size) {}
    bool Has(size_t offset, size_t count) const { return offset <= r_size && count <= r_size - offset; }
    uint32_t U32(size_t offset) const
    {
        uint32_t v;
        std::memcpy(&v, r_data + offset, 4);
        return v;
    }
    uint16_t U16(size_t offset) const
    {
        uint16_t v;
        std::memcpy(&v, r_data + offset, 2);
        return v;
    }
    const uint8_t* At(size_t offset) const { return r_data + offset; }

private:
    const uint8_t* r_data;
    size_t r_size;
};

// Scales a masked channel to 0..255.
struct RChannel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t maximum = 0;

    explicit RChannel(uint32_t m) : mask(m)
    {
        if (m == 0)
            return;
        shift = std::countr_zero(m);
        maximum = m >> shift;
    }
    uint8_t Take(uint32_t value) const
    {
        if (maximum == 0)
            return 0;
        return static_cast<uint8_t>(((value & mask) >> shift) * 255u / maximum);
    }
};

void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        out.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

} // namespace

bool TBitmap32::LoadFromBitmapFile(const uint8_t* data, size_t size)
{
    CByteReader in(data, size);
    if (!in.Has(0, 18) || data[0] != 'B' || data[1] != 'M')
        return false;
    uint32_t pixelOffset = in.U32(10);
    uint32_t headerSize = in.U32(14);
    if (!in.Has(14, headerSize) || headerSize < 12)
        return false;

    int64_t width = 0;
    int64_t height = 0;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;
    size_t paletteOffset = 14 + headerSize;
    int paletteEntrySize = 4;
    uint32_t masks[4] = {0, 0, 0, 0};
    bool topDown = false;

    if (headerSize == 12) {
        width = in.U16(18);
        height = in.U16(20);
        bitCount = in.U16(24);
        paletteEntrySize = 3;
    } else {
        if (headerSize < 40)
            return false;
        width = static_cast<int32_t>(in.U32(18));
        height = static_cast<int32_t>(in.U32(22));
        bitCount = in.U16(28);
        compression = in.U32(30);
        colorsUsed = in.U32(46);
        if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
            int maskCount = compression == kBiAlphaBitfields ? 4 : 3;
            size_t maskOffset = 54;
            if (headerSize == 40) {
                // The masks follow the short header and come before the palette.
                paletteOffset += static_cast<size_t>(maskCount) * 4;
            } else if (headerSize >= 56) {
                maskCount = 4;
            }
            if (!in.Has(maskOffset, static_cast<size_t>(maskCount) * 4))
                return false;
            for (int k = 0; k < maskCount; ++k)
                masks[k] = in.U32(maskOffset + 4 * static_cast<size_t>(k));
        } else if (compression != kBiRgb) {
            return false;
        }
    }
    if (height < 0) {
        topDown = true;
        height = -height;
    }
    if (width <= 0 || height <= 0 || width * height > kMaxPixels)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return false;

    // Palette for the indexed forms.
    uint32_t palette[256];
    int paletteSize = 0;
    if (bitCount <= 8) {
        paletteSize = colorsUsed > 0 && colorsUsed <= (1u << bitCount) ? static_cast<int>(colorsUsed) : 1 << bitCount;
        for (int k = 0; k < paletteSize; ++k) {
            size_t at = paletteOffset + static_cast<size_t>(k) * static_cast<size_t>(paletteEntrySize);
            if (!in.Has(at, 3)) {
                paletteSize = k;
                break;
            }
            palette[k] = 0xFF000000u | (uint32_t(in.At(at)[2]) << 16) | (uint32_t(in.At(at)[1]) << 8) | in.At(at)[0];
        }
        for (int k = paletteSize; k < 256; ++k)
            palette[k] = 0xFF000000u;
    }

    size_t stride = ((static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
    if (!in.Has(pixelOffset, stride * static_cast<size_t>(height)))
        return false;

    bool useMasks = compression != kBiRgb;
    if (!useMasks && bitCount == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
        useMasks = true;
    }
    RChannel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);

    SetSize(static_cast<int>(width), static_cast<int>(height));
    bool anyAlpha = false;
    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* src = in.At(pixelOffset + static_cast<size_t>(row) * stride);
        uint8_t* dst = Row(static_cast<int>(topDown ? row : height - 1 - row));
        for (int64_t x = 0; x < width; ++x) {
            uint8_t* p = dst + x * 4;
            if (bitCount <= 8) {
                int perByte = 8 / bitCount;
                int byte = src[x / perByte];
                int shift = (perByte - 1 - static_cast<int>(x % perByte)) * bitCount;
                uint32_t c = palette[(byte >> shift) & ((1 << bitCount) - 1)];
                std::memcpy(p, &c, 4);
            } else if (bitCount == 24) {
                p[0] = src[x * 3];
                p[1] = src[x * 3 + 1];
                p[2] = src[x * 3 + 2];
                p[3] = 255;
            } else if (useMasks) {
                uint32_t value = 0;
                if (bitCount == 16)
                    value = uint32_t(src[x * 2]) | uint32_t(src[x * 2 + 1]) << 8;
                else
                    std::memcpy(&value, src + x * 4, 4);
                p[0] = blue.Take(value);
                p[1] = green.Take(value);
                p[2] = red.Take(value);
                p[3] = masks[3] ? alpha.Take(value) : 255;
            } else {
                std::memcpy(p, src + x * 4, 4);
                anyAlpha = anyAlpha || p[3] != 0;
            }
        }
    }
    // Plain 32-bit files usually leave the fourth byte at zero: that means opaque.
    if (bitCount == 32 && !useMasks && !anyAlpha)
        for (size_t k = 3; k < b_pixels.size(); k += 4)
            b_pixels[k] = 255;
    return true;
}

std::vector<uint8_t> TBitmap32::SaveToBitmapFile() const
{
    // A version 4 header with bit fields keeps the alpha channel exactly.
    const uint32_t headerSize = 108;
    const uint32_t pixelOffset = 14 + headerSize;
    uint32_t imageSize = static_cast<uint32_t>(b_pixels.size());
    std::vector<uint8_t> out;
    out.reserve(pixelOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, pixelOffset + imageSize);
    PutU32(out, 0);
    PutU32(out, pixelOffset);
    PutU32(out, headerSize);
    PutU32(out, static_cast<uint32_t>(b_width));
    PutU32(out, static_cast<uint32_t>(b_height));
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, kBiBitfields);
    PutU32(out, imageSize);
    PutU32(out, 2835); // 72 dots per inch
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0x00FF0000u);
    PutU32(out, 0x0000FF00u);
    PutU32(out, 0x000000FFu);
    PutU32(out, 0xFF000000u);
    PutU32(out, 0x73524742u); // "sRGB"
    out.resize(pixelOffset, 0); // end points and gamma unused
    for (int y = b_height - 1; y >= 0; --y) {
        const uint8_t* row = Row(y);
        out.insert(out.end(), row, row + static_cast<size_t>(b_width) * 4);
    }
    return out;
}
