// Picture files: the PNG the runner writes, GIF frames as stored and as
// shown, and damaged, truncated, unknown and oversized files refused with
// their kind of error.
#include "graphics/PictureFiles.h"
#include "tests/support/PictureMaker.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

namespace {

uint32_t BigEndian(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

RPictureError DecodeError(const std::vector<uint8_t>& bytes)
{
    std::vector<TBitmap32> frames;
    RPictureError error;
    EXPECT_FALSE(Picture_Decode(bytes.data(), bytes.size(), frames, &error));
    EXPECT_TRUE(frames.empty());
    return error;
}

void PutChunk(std::vector<uint8_t>& file, const char* type)
{
    for (int k = 0; k < 4; ++k)
        file.push_back(0);
    file.insert(file.end(), type, type + 4);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    for (int shift = 24; shift >= 0; shift -= 8)
        file.push_back(static_cast<uint8_t>(crc >> shift));
}

// A PNG header of any size, with its checksum right, then no pixels.
std::vector<uint8_t> PngHeaderOnly(uint32_t w, uint32_t h)
{
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (uint32_t v : {w, h})
        for (int shift = 24; shift >= 0; shift -= 8)
            file.push_back(static_cast<uint8_t>(v >> shift));
    for (uint8_t b : {8, 6, 0, 0, 0})
        file.push_back(b);
    uLong crc = crc32(0, file.data() + 12, 17);
    for (int shift = 24; shift >= 0; shift -= 8)
        file.push_back(static_cast<uint8_t>(crc >> shift));
    PutChunk(file, "IDAT");
    PutChunk(file, "IEND");
    return file;
}

} // namespace

TEST(PictureFiles, PngIsOneChunkOfUnfilteredRgbaRows)
{
    TBitmap32 picture(3, 2);
    picture.SetPixel(0, 0, 0x80112233);
    picture.SetPixel(2, 1, 0xFFA0B0C0);
    std::vector<uint8_t> png = Picture_EncodePng(picture);
    ASSERT_GT(png.size(), 8u + 25 + 12 + 12);
    const uint8_t* ihdr = png.data() + 8;
    EXPECT_EQ(BigEndian(ihdr), 13u);
    EXPECT_EQ(std::memcmp(ihdr + 4, "IHDR", 4), 0);
    EXPECT_EQ(BigEndian(ihdr + 8), 3u);
    EXPECT_EQ(BigEndian(ihdr + 12), 2u);
    EXPECT_EQ(std::vector<uint8_t>(ihdr + 16, ihdr + 21), (std::vector<uint8_t>{8, 6, 0, 0, 0}));
    const uint8_t* idat = ihdr + 25;
    const uint32_t packed = BigEndian(idat);
    EXPECT_EQ(std::memcmp(idat + 4, "IDAT", 4), 0);
    const uint8_t* iend = idat + 12 + packed;
    ASSERT_EQ(static_cast<size_t>(iend + 12 - png.data()), png.size()); // nothing but IEND follows
    EXPECT_EQ(std::memcmp(iend + 4, "IEND", 4), 0);

    std::vector<uint8_t> rows(2 * (1 + 3 * 4));
    uLongf size = rows.size();
    ASSERT_EQ(uncompress(rows.data(), &size, idat + 8, packed), Z_OK);
    EXPECT_EQ(rows[0], 0);  // filter byte
    EXPECT_EQ(rows[13], 0);
    EXPECT_EQ(std::vector<uint8_t>(rows.begin() + 1, rows.begin() + 5), (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x80}));

    std::vector<TBitmap32> frames;
    ASSERT_TRUE(Picture_Decode(png.data(), png.size(), frames));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], picture);
    EXPECT_TRUE(Picture_EncodePng(TBitmap32()).empty());
}

TEST(PictureFiles, GifFramesAsStoredAndAsShown)
{
    // Screen 4 × 9. Frame 0: an interlaced column of 9 rows, red above
    // green, kept. Frame 1: 2 × 2 of blue partly outside the screen, its
    // black pixel transparent, cleared afterwards. Frame 2: a green dot
    // that gives way to what was before it. Frame 3: a blue dot.
    RGifFrame column{0, 0, 1, 9, 1, -1, true, {1, 1, 1, 1, 2, 2, 2, 2, 2}};
    RGifFrame corner{3, 8, 2, 2, 2, kGifBlack, false, {kGifBlue, kGifBlack, kGifBlue, kGifBlue}};
    RGifFrame dot{1, 0, 1, 1, 3, -1, false, {kGifGreen}};
    RGifFrame last{2, 0, 1, 1, 0, -1, false, {kGifBlue}};
    std::vector<uint8_t> gif = Test_MakeGif(4, 9, {column, corner, dot, last});

    RPictureLayers layers;
    ASSERT_TRUE(Picture_DecodeLayers(gif.data(), gif.size(), layers));
    EXPECT_EQ(layers.width, 4);
    EXPECT_EQ(layers.height, 9);
    ASSERT_EQ(layers.layers.size(), 4u);
    EXPECT_EQ(layers.layers[0].image.PixelAt(0, 3), 0xFFFF0000u); // rows back in order after the passes
    EXPECT_EQ(layers.layers[0].image.PixelAt(0, 4), 0xFF00FF00u);
    EXPECT_EQ(layers.layers[0].disposal, kDisposalKeep);
    const RPictureLayer& cut = layers.layers[1];
    EXPECT_EQ(cut.image.Width(), 1); // cut to the screen
    EXPECT_EQ(cut.image.Height(), 1);
    EXPECT_EQ(cut.left, 3);
    EXPECT_EQ(cut.image.PixelAt(0, 0), 0xFF0000FFu);
    EXPECT_EQ(cut.disposal, kDisposalBackground);

    std::vector<TBitmap32> frames;
    ASSERT_TRUE(Picture_Decode(gif.data(), gif.size(), frames));
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[1].PixelAt(0, 0), 0xFFFF0000u); // frame 0 kept under frame 1
    EXPECT_EQ(frames[1].PixelAt(3, 8), 0xFF0000FFu);
    EXPECT_EQ(frames[2].PixelAt(3, 8), 0u);          // cleared after frame 1
    EXPECT_EQ(frames[2].PixelAt(1, 0), 0xFF00FF00u);
    EXPECT_EQ(frames[3].PixelAt(1, 0), 0u); // frame 2 gave way to what was there before it
    EXPECT_EQ(frames[3].PixelAt(2, 0), 0xFF0000FFu);
    EXPECT_EQ(frames[3].PixelAt(0, 0), 0xFFFF0000u);
}

TEST(PictureFiles, BadFilesAreRefusedWithTheirKind)
{
    TBitmap32 small(4, 4);
    std::vector<uint8_t> png = Picture_EncodePng(small);
    std::vector<uint8_t> jpeg = Test_MakeJpeg(16, 16, 100);
    std::vector<uint8_t> gif = Test_MakeGif(2, 2, {RGifFrame{0, 0, 2, 2, 0, -1, false, {1, 2, 3, 0}}});
    std::vector<uint8_t> bmp = Picture_EncodeBitmap(small);

    // A GIF frame claiming 65535 × 65535 pixels on a 2 × 2 screen.
    std::vector<uint8_t> giant = gif;
    for (size_t k = 0; k + 9 < giant.size(); ++k)
        if (giant[k] == 0x2C && giant[k + 5] == 2 && giant[k + 7] == 2) {
            giant[k + 5] = giant[k + 6] = giant[k + 7] = giant[k + 8] = 0xFF;
            break;
        }
    std::vector<uint8_t> bmpHuge = bmp;
    bmpHuge[18] = bmpHuge[19] = bmpHuge[20] = 0xFF; // width 16 Mi, far more than the pixels there

    struct RCase {
        const char* name;
        std::vector<uint8_t> bytes;
        EPictureError kind;
    } cases[] = {
        {"empty", {}, EPictureError::kUnknownKind},
        {"text", Bytes("hello"), EPictureError::kUnknownKind},
        {"png cut in half", std::vector<uint8_t>(png.begin(), png.begin() + png.size() / 2), EPictureError::kDamaged},
        {"png header only", PngHeaderOnly(4, 4), EPictureError::kDamaged},
        {"png of 20000 x 20000", PngHeaderOnly(20000, 20000), EPictureError::kTooLarge},
        {"jpeg cut short", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() - 40), EPictureError::kDamaged},
        {"jpeg header only", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 4), EPictureError::kDamaged},
        {"gif cut short", std::vector<uint8_t>(gif.begin(), gif.end() - 4), EPictureError::kDamaged},
        {"gif frame of 65535 x 65535", giant, EPictureError::kTooLarge},
        {"bitmap cut short", std::vector<uint8_t>(bmp.begin(), bmp.end() - 1), EPictureError::kDamaged},
        {"bitmap wider than its pixels", bmpHuge, EPictureError::kDamaged},
    };
    for (const RCase& c : cases) {
        RPictureError error = DecodeError(c.bytes);
        EXPECT_EQ(error.kind, c.kind) << c.name << ": " << error.message;
        EXPECT_FALSE(error.message.empty()) << c.name;
    }

    CScratchFolder folder;
    std::vector<TBitmap32> frames;
    RPictureError error;
    EXPECT_FALSE(Picture_DecodeFile(folder.File("missing.png"), frames, &error));
    EXPECT_EQ(error.kind, EPictureError::kUnreadable);
    folder.Write("fine.jpg", jpeg);
    ASSERT_TRUE(Picture_DecodeFile(folder.File("fine.jpg"), frames, &error));
    EXPECT_EQ(error.kind, EPictureError::kNone);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Width(), 16);
    EXPECT_NEAR(frames[0].PixelAt(4, 4) & 0xFF, 100, 2);
    EXPECT_EQ(frames[0].PixelAt(4, 4) >> 24, 0xFFu); // JPEG pictures are opaque
}
