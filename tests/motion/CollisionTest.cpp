// The instance tests: box stage, mask stage and the placement of masks.
#include "data/Resources.h"
#include "data/Sprite.h"
#include "motion/Collision.h"
#include "world/Instance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

class CollisionTest : public ::testing::Test {
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

TEST_F(CollisionTest, BoxThenMask)
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

TEST_F(CollisionTest, ScaledAndRotatedMasksArePlacedAsDrawn)
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

TEST_F(CollisionTest, SeparateMasksFollowTheImageWrappingAround)
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

TEST_F(CollisionTest, WithoutAMaskSpriteNothingIsPrecise)
{
    CInstance none = At(0, 0, -1);
    EXPECT_FALSE(Collision_Point(none, 0, 0, true));
    int empty = Sprites.Add(std::make_unique<CSprite>(), "spr_empty");
    CInstance imageless = At(0, 0, empty);
    EXPECT_FALSE(Collision_Point(imageless, 0, 0, true));
}


// The triangle of cells with x + y <= 7 in an 8 × 8 image: its box is the
// whole image, so the mask stage decides near the lower right.
bool Triangle(int, int x, int y)
{
    return x + y <= 7;
}

TEST_F(CollisionTest, RectanglesEllipsesAndLinesAgainstBoxAndMask)
{
    int sprite = AddSprite(8, 8, 1, false, Triangle);
    CInstance instance = At(10, 20, sprite); // box (10, 20) - (17, 27)
    struct {
        const char* what;
        bool (*test)(const CInstance&, double, double, double, double, bool);
        double x1, y1, x2, y2;
        bool box, precise;
    } cases[] = {
        {"rectangle left of the box", Collision_Rectangle, 0, 0, 9.5, 19.5, false, false},
        {"rectangle on the corner pixel", Collision_Rectangle, 0, 0, 10, 20, true, true},
        {"rectangle on the clear corner", Collision_Rectangle, 16, 26, 30, 30, true, false},
        {"corners in either order", Collision_Rectangle, 30, 30, 16, 26, true, false},
        // The box stage takes 17.6 < right + 1; the mask rounds it to 18, beyond the box.
        {"rectangle past the edge after rounding", Collision_Rectangle, 17.6, 20, 30, 30, true, false},
        {"rectangle of one point", Collision_Rectangle, 13, 20, 13, 20, true, true},
        {"ellipse whose box reaches, not its curve", Collision_Ellipse, 0, 0, 12, 22, false, false},
        {"ellipse around the set corner", Collision_Ellipse, 8, 18, 14, 24, true, true},
        {"ellipse over the clear corner", Collision_Ellipse, 15, 25, 25, 35, true, false},
        {"ellipse of zero width is a rectangle", Collision_Ellipse, 13, 0, 13.2, 100, true, true},
        {"line along the top row", Collision_Line, 0, 20, 30, 20, true, true},
        {"line along the bottom row", Collision_Line, 30, 27, 0, 27, true, true},
        {"line just below the box", Collision_Line, 0, 28, 30, 28, false, false},
        {"diagonal just outside the triangle", Collision_Line, 10, 28, 18, 20, true, false},
        {"diagonal on the triangle's edge", Collision_Line, 17, 20, 10, 27, true, true},
        {"steep line through clear cells", Collision_Line, 16, 22, 17, 40, true, false},
        {"rectangle over everything", Collision_Rectangle, -1e30, -1e30, 1e30, 1e30, true, true},
        {"ellipse over everything", Collision_Ellipse, -1e300, -1e300, 1e300, 1e300, true, true},
        {"line across everything", Collision_Line, -1e30, 23, 1e30, 23, true, true},
        {"nowhere", Collision_Rectangle, NAN, NAN, NAN, NAN, false, false},
        // Its box meets the instance's, but within the instance's columns it runs above.
        {"line clipped away above the box", Collision_Line, 0, 10, 30, 25, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.test(instance, c.x1, c.y1, c.x2, c.y2, false), c.box) << c.what;
        EXPECT_EQ(c.test(instance, c.x1, c.y1, c.x2, c.y2, true), c.precise) << c.what;
    }
    instance.i_marked = true;
    for (const auto& c : cases)
        EXPECT_FALSE(c.test(instance, c.x1, c.y1, c.x2, c.y2, false)) << "marked: " << c.what;
}

TEST_F(CollisionTest, InstancesTouchingAtOnePixelMeetWhenBothMasksHaveIt)
{
    int full = AddSprite(8, 8, 1, false, [](int, int, int) { return true; });
    int triangle = AddSprite(8, 8, 1, false, Triangle);
    CInstance a = At(0, 0, full);
    CInstance b = At(7, 7, full);
    EXPECT_TRUE(Collision_Instance(a, b, true));
    EXPECT_TRUE(Collision_Instance(b, a, true));
    b.SetPosition(8, 7);
    EXPECT_FALSE(Collision_Instance(a, b, false));
    // The triangle's cell (7, 7) is clear: the boxes meet, the masks do not.
    CInstance t = At(0, 0, triangle);
    CInstance u = At(7, 7, full);
    EXPECT_TRUE(Collision_Instance(t, u, false));
    EXPECT_FALSE(Collision_Instance(t, u, true));
    EXPECT_FALSE(Collision_Instance(a, a, false)) << "an instance never meets itself";
    u.i_marked = true;
    EXPECT_FALSE(Collision_Instance(t, u, false));

    // Without sprite and mask the box is far outside: such instances meet
    // each other by box but never precisely, and never a normal instance.
    CInstance none1 = At(0, 0, -1);
    CInstance none2 = At(500, 500, -1);
    EXPECT_TRUE(Collision_Instance(none1, none2, false));
    EXPECT_FALSE(Collision_Instance(none1, none2, true));
    EXPECT_FALSE(Collision_Instance(none1, a, false));
}

TEST_F(CollisionTest, TurnedScaledAndMirroredMasksMeetWhereTheyAreDrawn)
{
    int triangle = AddSprite(8, 8, 1, false, Triangle);
    int dot = AddSprite(1, 1, 1, false, [](int, int, int) { return true; });
    struct {
        const char* what;
        double xscale, angle;
        RBox box;
        int px, py;
        bool precise;
    } cases[] = {
        // Half a turn: the set corner (0, 0) stays at the origin, the
        // triangle opens up and to the left.
        {"half turn, origin", 1, 180, {13, 13, 20, 20}, 20, 20, true},
        {"half turn, far corner", 1, 180, {13, 13, 20, 20}, 13, 13, false},
        {"half turn, far left", 1, 180, {13, 13, 20, 20}, 13, 20, true},
        {"half turn, twice as wide", 2, 180, {5, 13, 20, 20}, 5, 20, true},
        {"half turn, twice as wide, clear", 2, 180, {5, 13, 20, 20}, 6, 19, false},
        {"half turn, twice as wide, edge", 2, 180, {5, 13, 20, 20}, 7, 19, true},
        {"mirrored", -1, 0, {11, 20, 20, 27}, 13, 20, true},
        {"mirrored, beyond the mask in its box", -1, 0, {11, 20, 20, 27}, 12, 20, false},
    };
    for (const auto& c : cases) {
        CInstance shape = At(20, 20, triangle);
        shape.SetImageScaleX(c.xscale);
        shape.SetImageAngle(c.angle);
        EXPECT_EQ(shape.i_bbox, c.box) << c.what;
        CInstance probe = At(c.px, c.py, dot);
        EXPECT_TRUE(Collision_Instance(shape, probe, false)) << c.what;
        EXPECT_EQ(Collision_Instance(shape, probe, true), c.precise) << c.what;
        EXPECT_EQ(Collision_Instance(probe, shape, true), c.precise) << c.what;
        EXPECT_EQ(Collision_Point(shape, c.px, c.py, true), c.precise) << c.what;
    }
}

} // namespace
