// The point test of an instance: box, mask, placement.
#include "data/Resources.h"
#include "data/Sprite.h"
#include "motion/Collision.h"
#include "world/Instance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

class CollisionPointTest : public ::testing::Test {
protected:
    void TearDown() override { ClearResources(); }

    // A sprite of images w × h, each opaque where opaque(image, x, y).
    static int AddSprite(int w, int h, int images, bool separate, const std::function<bool(int, int, int)>& opaque)
    {
        auto sprite = std::make_unique<CSprite>();
        for (int n = 0; n < images; ++n) {
            TBitmap32 image(w, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    image.Row(y)[x * 4 + 3] = opaque(n, x, y) ? 255 : 0;
            sprite->i_bitmap.push_back(image);
        }
        sprite->ComputeMask(separate, 1, RBox{}, 0, 0); // the full image as box
        return Sprites.Add(std::move(sprite), "spr" + std::to_string(Sprites.Count()));
    }

    static CInstance At(double x, double y, int sprite)
    {
        CInstance instance;
        instance.Create(x, y, 100001, -1);
        instance.SetSprite(sprite);
        return instance;
    }
};

TEST_F(CollisionPointTest, BoxThenMask)
{
    // 4 × 4, all opaque but the pixel (3, 3).
    int sprite = AddSprite(4, 4, 1, false, [](int, int x, int y) { return !(x == 3 && y == 3); });
    CInstance instance = At(10, 20, sprite);
    struct {
        double x, y;
        bool box, precise;
    } cases[] = {
        {10, 20, true, true},     {13.4, 22.4, true, true}, {13.9, 20, true, false}, // rounds past the mask
        {14, 20, false, false},
        {9.99, 20, false, false}, {13, 23, true, false},    {12.6, 22.6, true, false}, // rounds to (13, 23)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Collision_Point(instance, c.x, c.y, false), c.box) << c.x << "," << c.y;
        EXPECT_EQ(Collision_Point(instance, c.x, c.y, true), c.precise) << c.x << "," << c.y;
    }
    instance.i_marked = true;
    EXPECT_FALSE(Collision_Point(instance, 10, 20, false));
}

TEST_F(CollisionPointTest, ScaledAndRotatedMasksArePlacedAsDrawn)
{
    // A bar along the top row: a 4 × 4 image with only row 0 opaque.
    int sprite = AddSprite(4, 4, 1, false, [](int, int, int y) { return y == 0; });
    CInstance scaled = At(10, 20, sprite);
    scaled.SetImageScaleX(2);
    scaled.SetImageScaleY(2);
    EXPECT_TRUE(Collision_Point(scaled, 17, 21, true));  // mask pixel (3, 0)
    EXPECT_FALSE(Collision_Point(scaled, 17, 22, true)); // mask pixel (3, 1)

    // Turned a quarter counter-clockwise, the bar points up from the origin.
    CInstance turned = At(10, 20, sprite);
    turned.SetImageAngle(90);
    EXPECT_TRUE(Collision_Point(turned, 10, 17, false));
    EXPECT_TRUE(Collision_Point(turned, 10, 17, true));
    EXPECT_FALSE(Collision_Point(turned, 12, 17, true));

    CInstance flat = At(10, 20, sprite);
    flat.SetImageScaleX(0);
    EXPECT_FALSE(Collision_Point(flat, 10, 20, true));
}

TEST_F(CollisionPointTest, SeparateMasksFollowTheImageWrappingAround)
{
    // Image n is opaque only in column n.
    int sprite = AddSprite(3, 1, 3, true, [](int n, int x, int) { return x == n; });
    CInstance instance = At(0, 0, sprite);
    instance.i_imageindex = -1; // the last image
    EXPECT_TRUE(Collision_Point(instance, 2, 0, true));
    EXPECT_FALSE(Collision_Point(instance, 0, 0, true));
    instance.i_imageindex = 4.7; // image 1
    EXPECT_TRUE(Collision_Point(instance, 1, 0, true));
    // An index no integer can hold (a script may set one) falls back to the first image.
    instance.i_imageindex = std::nan("");
    EXPECT_TRUE(Collision_Point(instance, 0, 0, true));
    instance.i_imageindex = 1e300;
    EXPECT_EQ(Collision_Point(instance, 0, 0, true) + Collision_Point(instance, 1, 0, true) +
                  Collision_Point(instance, 2, 0, true),
              1);
}

TEST_F(CollisionPointTest, WithoutAMaskSpriteNothingIsPrecise)
{
    CInstance none = At(0, 0, -1);
    EXPECT_FALSE(Collision_Point(none, 0, 0, true));
    int empty = Sprites.Add(std::make_unique<CSprite>(), "spr_empty");
    CInstance imageless = At(0, 0, empty);
    EXPECT_FALSE(Collision_Point(imageless, 0, 0, true));
}

} // namespace
