// What reading derives from the stored fields: masks built from images, the
// sprite's bounding box, and a path's interpolated points and length.
#include "data/Path.h"
#include "data/Sprite.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TBitmap32 TwoDots()
{
    TBitmap32 image(32, 32);
    image.SetPixel(3, 4, 0xFF000000);
    image.SetPixel(20, 9, 0x80000000);
    return image;
}

} // namespace

TEST(Masks, BuiltFromAlphaByBoxModeAndShape)
{
    TMask mask;
    mask.Create(TwoDots(), kBoxAutomatic, RBox(), kMaskPrecise, 0);
    EXPECT_EQ(mask.i_bbox, (RBox{3, 4, 20, 9}));
    EXPECT_EQ(mask.CountSet(), 2);
    EXPECT_TRUE(mask.IsSet(3, 4) && mask.IsSet(20, 9));

    mask.Create(TwoDots(), kBoxAutomatic, RBox(), kMaskRectangle, 0);
    EXPECT_EQ(mask.CountSet(), 18 * 6);
    EXPECT_FALSE(mask.IsSet(2, 4));

    // The tolerance is compared with alpha: 0x80 does not exceed 0x80.
    mask.Create(TwoDots(), kBoxAutomatic, RBox(), kMaskPrecise, 0x80);
    EXPECT_EQ(mask.i_bbox, (RBox{3, 4, 3, 4}));

    // A manual box is clipped to the image.
    mask.Create(TwoDots(), kBoxManual, RBox{-5, 2, 40, 3}, kMaskRectangle, 0);
    EXPECT_EQ(mask.i_bbox, (RBox{0, 2, 31, 3}));

    TMask ellipse;
    ellipse.Create(TBitmap32(8, 4), kBoxFullImage, RBox(), kMaskEllipse, 0);
    EXPECT_FALSE(ellipse.IsSet(0, 0));
    EXPECT_TRUE(ellipse.IsSet(3, 1));
    TMask diamond;
    diamond.Create(TBitmap32(9, 9), kBoxFullImage, RBox(), kMaskDiamond, 0);
    EXPECT_TRUE(diamond.IsSet(4, 0) && diamond.IsSet(4, 4));
    EXPECT_FALSE(diamond.IsSet(1, 1));

    TMask empty;
    empty.Create(TBitmap32(5, 3), kBoxAutomatic, RBox(), kMaskPrecise, 0);
    EXPECT_EQ(empty.i_bbox, (RBox{4, 2, 0, 0}));
    EXPECT_EQ(empty.CountSet(), 0);
}

TEST(Masks, SpriteBoxComesFromSharedOrSeparateMasks)
{
    CSprite sprite;
    TBitmap32 a(10, 10), b(10, 10);
    a.SetPixel(2, 3, 0xFF000000);
    b.SetPixel(7, 8, 0xFF000000);
    sprite.i_bitmap = {a, b};
    sprite.ComputeMask(false, kBoxAutomatic, RBox(), kMaskPrecise, 0);
    ASSERT_EQ(sprite.i_mask.size(), 1u);
    EXPECT_EQ(sprite.i_mask[0].CountSet(), 2); // the shared mask holds both images
    EXPECT_EQ(sprite.i_bbox, (RBox{2, 3, 7, 8}));
    sprite.ComputeMask(true, kBoxAutomatic, RBox(), kMaskPrecise, 0);
    ASSERT_EQ(sprite.i_mask.size(), 2u);
    EXPECT_EQ(sprite.i_mask[1].CountSet(), 1);
    EXPECT_EQ(sprite.i_bbox, (RBox{2, 3, 7, 8}));
    sprite.i_bitmap.clear();
    sprite.ComputeMask(true, kBoxAutomatic, RBox(), kMaskPrecise, 0);
    EXPECT_EQ(sprite.i_bbox, RBox());
}

TEST(Paths, InterpolatedPointsAndLength)
{
    CPath path;
    path.i_points = {{0, 0, 100}, {100, 0, 100}, {100, 100, 100}};
    path.i_closed = false;
    path.Rebuild();
    EXPECT_EQ(path.i_length, 200);
    path.i_closed = true;
    path.Rebuild();
    ASSERT_EQ(path.i_intpoints.size(), 4u);
    EXPECT_EQ(path.i_intpoints[3].x, 0);
    EXPECT_NEAR(path.i_length, 200 + 100 * std::sqrt(2.0), 1e-9);

    path.i_kind = 1;
    path.i_closed = false;
    path.Rebuild();
    EXPECT_EQ(path.i_intpoints.front().x, 0);
    EXPECT_EQ(path.i_intpoints.back().y, 100);
    bool found = false;
    for (const RIntPoint& p : path.i_intpoints)
        found = found || (p.x == 87.5 && p.y == 12.5);
    EXPECT_TRUE(found);

    path.i_precision = 0;
    path.Rebuild();
    EXPECT_EQ(path.i_intpoints.size(), 2u);
}
