// Picture preparation: transparency from the background colour, bled and
// smoothed edges, the alpha test, stretching and bounds.
#include "graphics/ImagePreparation.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kMagenta = 0xFFFF00FF, kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

TBitmap32 Picture(int32_t w, int32_t h, std::initializer_list<uint32_t> pixels)
{
    TBitmap32 b(w, h);
    int k = 0;
    for (uint32_t p : pixels) {
        b.SetPixel(k % w, k / w, p);
        ++k;
    }
    return b;
}

} // namespace

TEST(ImagePreparation, RemovedBackgroundTakesNeighbourColours)
{
    // The bottom-left pixel is magenta: every magenta pixel becomes clear,
    // then takes the colour of its first opaque neighbour (left, right, above, below).
    TBitmap32 b = Picture(3, 2, {kRed, kMagenta, kBlue, //
                                 kMagenta, kMagenta, kMagenta});
    Image_Prepare(b, true, false);
    EXPECT_EQ(b.PixelAt(0, 0), kRed);
    EXPECT_EQ(b.PixelAt(1, 0), kRed & 0x00FFFFFF); // left wins over right
    EXPECT_EQ(b.PixelAt(0, 1), kRed & 0x00FFFFFF); // above
    EXPECT_EQ(b.PixelAt(1, 1), 0x00FF00FFu);       // no opaque neighbour: keeps its colour
    EXPECT_EQ(b.PixelAt(2, 1), kBlue & 0x00FFFFFF);

    TBitmap32 near = Picture(1, 2, {0xFFFA05FA, kMagenta});
    Image_RemoveBackground(near, 5);
    EXPECT_EQ(near.PixelAt(0, 0), 0x00FF00FFu); // within the tolerance: takes the key colour
}

TEST(ImagePreparation, SmoothEdgesWorksInPlace)
{
    // One clear pixel thins its neighbours; a pixel thinned to 0 earlier in
    // the scan then counts as clear itself.
    TBitmap32 b = Picture(3, 1, {0x00000000, 0x20000000, 0xFF000000});
    Image_SmoothEdges(b);
    EXPECT_EQ(b.PixelAt(1, 0) >> 24, 0u);
    EXPECT_EQ(b.PixelAt(2, 0) >> 24, 255u - 32u);
    TBitmap32 corner = Picture(2, 2, {0xFF000000, 0xFF000000, 0xFF000000, 0x00000000});
    Image_SmoothEdges(corner);
    EXPECT_EQ(corner.PixelAt(0, 0) >> 24, 255u - 32u);
}

TEST(ImagePreparation, AlphaTestOpacityAndIntensity)
{
    TBitmap32 noAlpha = Picture(2, 1, {0x00123456, 0x00654321});
    Image_ApplyAlphaTest(noAlpha);
    EXPECT_EQ(noAlpha.PixelAt(1, 0), 0xFF654321u);
    TBitmap32 someAlpha = Picture(2, 1, {0x00123456, 0x01654321});
    Image_ApplyAlphaTest(someAlpha);
    EXPECT_EQ(someAlpha.PixelAt(0, 0), 0x00123456u);

    TBitmap32 b = Picture(2, 1, {kRed, kRed});
    Image_AlphaFromIntensity(b, Picture(1, 1, {0x00FFFF00})); // only the overlap changes
    EXPECT_EQ(b.PixelAt(0, 0), 0xAAFF0000u);
    EXPECT_EQ(b.PixelAt(1, 0), kRed);
}

TEST(ImagePreparation, StretchCountsClearSamplesAsDark)
{
    TBitmap32 b = Picture(2, 1, {0xFF804020, 0x00FFFFFF});
    Image_Stretch(b, 1, 1, 2);
    // Four samples: two opaque, two clear; every channel is halved.
    EXPECT_EQ(b.PixelAt(0, 0), 0x80402010u);
    TBitmap32 up = Picture(2, 1, {kRed, kBlue});
    Image_Stretch(up, 4, 2, 0);
    EXPECT_EQ(up.Width(), 4);
    EXPECT_EQ(up.PixelAt(1, 1), kRed);
    EXPECT_EQ(up.PixelAt(2, 0), kBlue);
    Image_Stretch(up, 0, 5, 1); // ignored
    EXPECT_EQ(up.Width(), 4);
}

TEST(ImagePreparation, BoundingBoxOfVisiblePixels)
{
    TBitmap32 b(5, 4);
    b.SetPixel(1, 2, 0x80000000);
    b.SetPixel(3, 1, 0xFF000000);
    RImageBounds box = Image_BoundingBox(b, 0);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(box.bottom, 2);
    RImageBounds strict = Image_BoundingBox(b, 128);
    EXPECT_EQ(strict.left, 3);
    RImageBounds none = Image_BoundingBox(TBitmap32(5, 4), 0);
    EXPECT_GT(none.left, none.right);
}
