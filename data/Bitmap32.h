// TBitmap32: a plain 32-bit image kept in memory. Pixels are the bytes blue,
// green, red, alpha; rows run from the top. Sprites, backgrounds, masks,
// screenshots and surfaces all pass images around in this form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CStream;

class TBitmap32 {
public:
    TBitmap32() = default;
    TBitmap32(int width, int height) { SetSize(width, height); }

    int Width() const { return b_width; }
    int Height() const { return b_height; }
    bool IsEmpty() const { return b_width <= 0 || b_height <= 0; }

    // Resizes to width × height pixels, all transparent black.
    void SetSize(int width, int height);

    uint8_t* Pixels() { return b_pixels.data(); }
    const uint8_t* Pixels() const { return b_pixels.data(); }
    uint8_t* Row(int y) { return b_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(b_width) * 4; }
    const uint8_t* Row(int y) const
    {
        return b_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(b_width) * 4;
    }
    // 0xAARRGGBB, the device's colour order.
    uint32_t PixelAt(int x, int y) const;
    void SetPixel(int x, int y, uint32_t argb);

    // Windows bitmap files, read and written directly. Reading accepts the
    // common forms (1, 4, 8, 16, 24, 32 bits, uncompressed or with bit fields,
    // bottom-up or top-down); writing gives 32 bits with the alpha kept.
    bool LoadFromBitmapFile(const uint8_t* data, size_t size);
    std::vector<uint8_t> SaveToBitmapFile() const;

    // The image record inside sprite and background records: version, size,
    // then the pixels as one raw block (absent for an empty image). False on
    // a wrong version or a block that does not match the size; the image is
    // then left empty.
    static constexpr int32_t kRecordVersion = 800;
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const TBitmap32& other) const = default;

private:
    int b_width = 0;
    int b_height = 0;
    std::vector<uint8_t> b_pixels;
};
