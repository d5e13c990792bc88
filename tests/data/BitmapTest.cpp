// Windows bitmap files in their common forms.
#include "data/Bitmap32.h"

#include <gtest/gtest.h>

namespace {

void Put16(std::vector<uint8_t>& v, int x)
{
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

void Put32(std::vector<uint8_t>& v, int64_t x)
{
    for (int k = 0; k < 4; ++k)
        v.push_back(static_cast<uint8_t>(x >> (8 * k)));
}

// A file with a 40-byte header; rows as given (bottom-up unless height < 0).
std::vector<uint8_t> MakeBmp(int width, int height, int bits, const std::vector<uint8_t>& palette,
                             const std::vector<uint8_t>& pixels, int compression = 0,
                             const std::vector<uint32_t>& masks = {})
{
    std::vector<uint8_t> v = {'B', 'M'};
    size_t offset = 14 + 40 + masks.size() * 4 + palette.size();
    Put32(v, static_cast<int64_t>(offset + pixels.size()));
    Put32(v, 0);
    Put32(v, static_cast<int64_t>(offset));
    Put32(v, 40);
    Put32(v, width);
    Put32(v, height);
    Put16(v, 1);
    Put16(v, bits);
    Put32(v, compression);
    Put32(v, static_cast<int64_t>(pixels.size()));
    Put32(v, 0);
    Put32(v, 0);
    Put32(v, static_cast<int64_t>(palette.size() / 4));
    Put32(v, 0);
    for (uint32_t m : masks)
        Put32(v, m);
    v.insert(v.end(), palette.begin(), palette.end());
    v.insert(v.end(), pixels.begin(), pixels.end());
    return v;
}

} // namespace

TEST(Bitmap, ReadsCommonForms)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        uint32_t topLeft, topRight, bottomLeft;
    };
    std::vector<uint8_t> palette = {0, 0, 255, 0, 255, 0, 0, 0}; // red, blue
    Case cases[] = {
        // 24 bits, bottom-up, rows padded to 4 bytes: bottom row first.
        {"24-bit", MakeBmp(2, 2, 24, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}), 0xFF090807, 0xFF0C0B0A,
         0xFF030201},
        // Top-down through a negative height.
        {"top-down", MakeBmp(2, -2, 24, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}), 0xFF030201,
         0xFF060504, 0xFF090807},
        // 8-bit palette.
        {"8-bit", MakeBmp(2, 2, 8, palette, {1, 0, 0, 0, 0, 1, 0, 0}), 0xFFFF0000, 0xFF0000FF, 0xFF0000FF},
        // 1-bit: the high bit is the leftmost pixel.
        {"1-bit", MakeBmp(2, 2, 1, palette, {0x40, 0, 0, 0, 0x80, 0, 0, 0}), 0xFF0000FF, 0xFFFF0000, 0xFFFF0000},
        // 32 bits without alpha (all fourth bytes zero) counts as opaque.
        {"32-bit opaque", MakeBmp(1, 2, 32, {}, {1, 2, 3, 0, 4, 5, 6, 0}), 0xFF060504, 0xFF060504, 0xFF030201},
        // 32 bits with alpha keeps it.
        {"32-bit alpha", MakeBmp(1, 2, 32, {}, {1, 2, 3, 0, 4, 5, 6, 128}), 0x80060504, 0x80060504, 0x00030201},
        // 16 bits, 5-5-5: pure red is 0x7C00.
        {"16-bit", MakeBmp(2, 1, 16, {}, {0x00, 0x7C, 0x1F, 0x00}), 0xFFFF0000, 0xFF0000FF, 0xFFFF0000},
        // Bit fields with 5-6-5 green.
        {"bitfields", MakeBmp(1, 1, 16, {}, {0xE0, 0x07, 0, 0}, 3, {0xF800, 0x07E0, 0x001F}), 0xFF00FF00, 0xFF00FF00,
         0xFF00FF00},
    };
    for (const Case& c : cases) {
        TBitmap32 bitmap;
        ASSERT_TRUE(bitmap.LoadFromBitmapFile(c.file.data(), c.file.size())) << c.name;
        EXPECT_EQ(bitmap.PixelAt(0, 0), c.topLeft) << c.name;
        EXPECT_EQ(bitmap.PixelAt(bitmap.Width() - 1, 0), c.topRight) << c.name;
        EXPECT_EQ(bitmap.PixelAt(0, bitmap.Height() - 1), c.bottomLeft) << c.name;
    }
}

TEST(Bitmap, RefusesDamagedFiles)
{
    std::vector<uint8_t> good = MakeBmp(2, 2, 24, {}, std::vector<uint8_t>(16, 1));
    std::vector<std::vector<uint8_t>> bad;
    bad.push_back({});
    bad.push_back({'B', 'M'});
    std::vector<uint8_t> shortPixels = good;
    shortPixels.resize(shortPixels.size() - 3);
    bad.push_back(shortPixels);
    bad.push_back(MakeBmp(0, 2, 24, {}, {}));
    bad.push_back(MakeBmp(100000, 100000, 24, {}, {}));
    bad.push_back(MakeBmp(2, 2, 7, {}, std::vector<uint8_t>(16, 1)));
    bad.push_back(MakeBmp(2, 2, 8, {}, std::vector<uint8_t>(8, 1), 1)); // run-length coded
    std::vector<uint8_t> wrongMagic = good;
    wrongMagic[0] = 'X';
    bad.push_back(wrongMagic);
    for (size_t k = 0; k < bad.size(); ++k) {
        TBitmap32 bitmap;
        EXPECT_FALSE(bitmap.LoadFromBitmapFile(bad[k].data(), bad[k].size())) << k;
    }
}

TEST(Bitmap, WrittenFileReadsBackExactlyWithAlpha)
{
    TBitmap32 picture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.SetPixel(x, y, static_cast<uint32_t>((x * 50) << 24 | y * 0x010203 | x));
    std::vector<uint8_t> file = picture.SaveToBitmapFile();
    TBitmap32 back;
    ASSERT_TRUE(back.LoadFromBitmapFile(file.data(), file.size()));
    EXPECT_EQ(back, picture);
}
