// Shapes: the vertices each function sends (places, counts, colours), the
// circle precision, health bar colours, arrows, and path outlines.
#include "code/Value.h"
#include "data/Path.h"
#include "data/Resources.h"
#include "graphics/Shapes.h"
#include "world/GameState.h"
#include "tests/graphics/GraphicsFixture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

class ShapeTest : public GraphicsFixture {
protected:
    void SetUp() override
    {
        GraphicsFixture::SetUp();
        ClearResources();
        Shape_SetCirclePrecision(24);
    }
    void TearDown() override
    {
        Shape_SetCirclePrecision(24);
        GraphicsFixture::TearDown();
        ClearResources();
    }
    std::vector<RVertex> Sent() { return g_device->TakeSentVertices(); }
};

TEST_F(ShapeTest, RectanglesCoverTheirLastPixel)
{
    Call("draw_rectangle", {RValue(10.0), RValue(10.0), RValue(0.0), RValue(0.0), RValue(1.0)});
    std::vector<RVertex> v = Sent();
    ASSERT_EQ(v.size(), 5u); // a closed strip
    EXPECT_FLOAT_EQ(v[0].x, 0);
    EXPECT_FLOAT_EQ(v[0].y, 0);
    EXPECT_FLOAT_EQ(v[2].x, 10.01f);
    EXPECT_FLOAT_EQ(v[2].y, 10.01f);
    EXPECT_FLOAT_EQ(v[4].x, v[0].x);
    Call("draw_rectangle", {RValue(0.0), RValue(0.0), RValue(10.5), RValue(10.5), RValue(0.0)});
    v = Sent();
    ASSERT_EQ(v.size(), 4u); // a fan of two triangles
    EXPECT_FLOAT_EQ(v[2].x, 10.5f);
    // Colours go clockwise from the top-left, with the draw alpha.
    Call("draw_set_alpha", {RValue(0.5)});
    Call("draw_rectangle_color", {RValue(0.0), RValue(0.0), RValue(4.0), RValue(4.0), RValue(255.0), RValue(65280.0),
                                  RValue(16711680.0), RValue(0.0), RValue(0.0)});
    v = Sent();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0].color, 0x80FF0000u);
    EXPECT_EQ(v[1].color, 0x8000FF00u);
    EXPECT_EQ(v[2].color, 0x800000FFu);
    EXPECT_EQ(v[3].color, 0x80000000u);
}

TEST_F(ShapeTest, PointsAndLines)
{
    Call("draw_point", {RValue(3.0), RValue(4.0)});
    Call("draw_point_color", {RValue(3.0), RValue(4.0), RValue(255.0)});
    std::vector<RVertex> v = Sent();
    ASSERT_EQ(v.size(), 2u);
    EXPECT_FLOAT_EQ(v[0].x, 3);
    EXPECT_FLOAT_EQ(v[1].x, 3.01f);
    EXPECT_FLOAT_EQ(v[1].y, 4.01f);
    EXPECT_EQ(v[1].color, 0xFFFF0000u);

    Call("draw_line", {RValue(5.0), RValue(5.0), RValue(5.0), RValue(5.0)}); // no length, still drawn
    EXPECT_EQ(Sent().size(), 2u);
    Call("draw_line_width", {RValue(5.0), RValue(5.0), RValue(5.0), RValue(5.0), RValue(4.0)});
    EXPECT_TRUE(Sent().empty());
    // A thick line is its quad: half the width on each side.
    Call("draw_line_width_color",
         {RValue(0.0), RValue(0.0), RValue(10.0), RValue(0.0), RValue(4.0), RValue(255.0), RValue(65280.0)});
    v = Sent();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].y, -2);
    EXPECT_FLOAT_EQ(v[1].x, 10);
    EXPECT_FLOAT_EQ(v[2].y, 2);
    EXPECT_EQ(v[0].color, 0xFFFF0000u);
    EXPECT_EQ(v[1].color, 0xFF00FF00u);
    EXPECT_EQ(v[3].color, 0xFFFF0000u);
}

TEST_F(ShapeTest, CirclePrecision)
{
    struct Case {
        double asked;
        int32_t kept;
    } cases[] = {{30, 28}, {2, 4}, {100, 64}, {-5, 4}, {33.6, 32}, {1e300, 4}, {24, 24}};
    for (const Case& c : cases) {
        Call("draw_set_circle_precision", {RValue(c.asked)});
        EXPECT_EQ(Shape_CirclePrecision(), c.kept) << c.asked;
    }
    Call("draw_set_circle_precision", {RValue(8.0)});
    Call("draw_circle_color", {RValue(50.0), RValue(50.0), RValue(10.0), RValue(255.0), RValue(65280.0), RValue(0.0)});
    std::vector<RVertex> v = Sent();
    ASSERT_EQ(v.size(), 10u); // the centre and n + 1 rim points
    EXPECT_EQ(v[0].color, 0xFFFF0000u);
    EXPECT_FLOAT_EQ(v[0].x, 50);
    EXPECT_FLOAT_EQ(v[1].x, 60);
    EXPECT_NEAR(v[3].y, 60, 1e-4); // a quarter turn goes down the screen
    EXPECT_EQ(v[1].color, 0xFF00FF00u);
    Call("draw_ellipse", {RValue(0.0), RValue(0.0), RValue(40.0), RValue(20.0), RValue(1.0)});
    v = Sent();
    ASSERT_EQ(v.size(), 9u); // the rim alone, ending where it started
    EXPECT_FLOAT_EQ(v[0].x, 40);
    EXPECT_FLOAT_EQ(v[0].y, 10);
    EXPECT_NEAR(v[8].x, v[0].x, 1e-4);
    EXPECT_NEAR(v[2].y, 20, 1e-4);
}

TEST_F(ShapeTest, RoundedRectangles)
{
    Call("draw_set_circle_precision", {RValue(8.0)});
    Call("draw_roundrect", {RValue(0.0), RValue(0.0), RValue(40.5), RValue(20.5), RValue(0.0)});
    std::vector<RVertex> v = Sent();
    ASSERT_EQ(v.size(), 8u + 6); // centre, n + 4 rim points, the first again
    EXPECT_FLOAT_EQ(v[0].x, 20.25f);
    // The first quarter turns around the bottom-right corner centre
    // (35.5, 15.5) with radius 5.
    EXPECT_FLOAT_EQ(v[1].x, 40.5f);
    EXPECT_FLOAT_EQ(v[1].y, 15.5f);
    EXPECT_NEAR(v[3].y, 20.5f, 1e-4);
    EXPECT_NEAR(v[4].x, 5, 1e-4); // the next quarter starts at the bottom-left corner
    EXPECT_NEAR(v[4].y, 20.5f, 1e-4);
    EXPECT_FLOAT_EQ(v[13].x, v[1].x);
    // Small boxes get smaller corners; the outline is the rim alone.
    Call("draw_roundrect", {RValue(0.0), RValue(0.0), RValue(4.5), RValue(20.5), RValue(1.0)});
    v = Sent();
    ASSERT_EQ(v.size(), 8u + 5);
    EXPECT_FLOAT_EQ(v[0].x, 4.5f);
    EXPECT_NEAR(v[1].x, 2.25 + 2.25 * std::cos(std::numbers::pi / 4), 1e-4);
}

TEST_F(ShapeTest, TrianglesArrowsAndButtons)
{
    Call("draw_triangle", {RValue(1.0), RValue(2.0), RValue(3.0), RValue(4.0), RValue(5.0), RValue(6.0), RValue(1.0)});
    std::vector<RVertex> v = Sent();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].x, 1); // exact, no offset
    EXPECT_FLOAT_EQ(v[3].y, 2);

    // size 20 on a line 10 long: the head is the whole line.
    Call("draw_arrow", {RValue(0.0), RValue(0.0), RValue(10.0), RValue(0.0), RValue(20.0)});
    v = Sent();
    ASSERT_EQ(v.size(), 5u); // the line, then the head
    EXPECT_FLOAT_EQ(v[1].x, 10.01f);
    EXPECT_FLOAT_EQ(v[2].x, 10);
    EXPECT_FLOAT_EQ(v[3].x, 0);
    EXPECT_NEAR(v[3].y, 10.0 / 3, 1e-5);
    EXPECT_NEAR(v[4].y, -10.0 / 3, 1e-5);
    Call("draw_arrow", {RValue(3.0), RValue(3.0), RValue(3.0), RValue(3.0), RValue(20.0)});
    EXPECT_TRUE(Sent().empty());

    Call("draw_set_color", {RValue(255.0)});
    Call("draw_button", {RValue(0.0), RValue(0.0), RValue(20.0), RValue(10.0), RValue(0.0)}); // down
    v = Sent();
    ASSERT_EQ(v.size(), 3u + 3 + 4);
    EXPECT_EQ(v[0].color, 0xFF808080u); // the light side is grey when down
    EXPECT_EQ(v[3].color, 0xFFFFFFFFu);
    EXPECT_EQ(v[6].color, 0xFFFF0000u);
    EXPECT_FLOAT_EQ(v[6].x, 2);
    EXPECT_FLOAT_EQ(v[8].x, 18.01f);
}

TEST_F(ShapeTest, HealthBars)
{
    const int32_t red = 255, green = 65280;
    struct Case {
        double amount;
        int32_t color;
        float right;
    } cases[] = {
        {150, green, 100.01f}, {100, green, 100.01f}, {50, 0x008080, 50.01f}, // mid: 127.5 rounds to 128
        {25, 0x0040C0, 25.01f}, {-5, red, 0.01f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Shape_HealthColor(std::clamp(c.amount, 0.0, 100.0), red, green), c.color) << c.amount;
        Call("draw_healthbar", {RValue(0.0), RValue(0.0), RValue(100.0), RValue(10.0), RValue(c.amount),
                                RValue(0.0), RValue(red), RValue(green), RValue(0.0), RValue(0.0), RValue(0.0)});
        std::vector<RVertex> v = Sent();
        ASSERT_EQ(v.size(), 4u) << c.amount;
        EXPECT_FLOAT_EQ(v[2].x, c.right) << c.amount;
    }
    // With back and border: back, its outline, the bar, its outline; each
    // direction shortens its own side.
    struct Direction {
        double direction;
        float left, top, right, bottom;
    } directions[] = {{1, 75, 0, 100.01f, 10.01f}, {2, 0, 0, 100.01f, 2.5f}, {3, 0, 7.5f, 100.01f, 10.01f},
                      {9, 0, 0, 25.01f, 10.01f}};
    for (const Direction& d : directions) {
        Call("draw_healthbar", {RValue(0.0), RValue(0.0), RValue(100.0), RValue(10.0), RValue(25.0), RValue(0.0),
                                RValue(red), RValue(green), RValue(d.direction), RValue(1.0), RValue(1.0)});
        std::vector<RVertex> v = Sent();
        ASSERT_EQ(v.size(), 4u + 5 + 4 + 5);
        EXPECT_FLOAT_EQ(v[9].x, d.left) << d.direction;
        EXPECT_FLOAT_EQ(v[9].y, d.top) << d.direction;
        EXPECT_FLOAT_EQ(v[11].x, d.right) << d.direction;
        EXPECT_FLOAT_EQ(v[11].y, d.bottom) << d.direction;
        EXPECT_EQ(v[13].color, 0xFF000000u);
    }
}

TEST_F(ShapeTest, PathOutlines)
{
    auto straight = [](double length) {
        auto path = std::make_unique<CPath>();
        path->i_closed = false;
        path->i_points = {{10, 20, 100}, {10 + length, 20, 100}};
        path->Rebuild();
        return path;
    };
    Paths.Add(straight(1), "path_short");
    Paths.Add(straight(4000), "path_long");
    Paths.Add(straight(40), "path_ten");

    Call("draw_path", {RValue(0.0), RValue(0.0), RValue(0.0), RValue(1.0)});
    EXPECT_TRUE(Sent().empty()); // 1 / 4 rounds to no steps

    RDeviceStats before = g_device->Stats();
    Call("draw_path", {RValue(1.0), RValue(0.0), RValue(0.0), RValue(1.0)});
    std::vector<RVertex> v = Sent();
    EXPECT_EQ(g_device->Stats().primitives - before.primitives, 2); // two strips of 501 points
    ASSERT_EQ(v.size(), 1002u);
    EXPECT_FLOAT_EQ(v[500].x, v[501].x); // they share point 500
    EXPECT_FLOAT_EQ(v[500].x, 10 + 2000);
    EXPECT_FLOAT_EQ(v[1001].x, 4010);

    // Not absolute: the start lands on (x, y).
    Call("draw_path", {RValue(2.0), RValue(100.0), RValue(50.0), RValue(0.0)});
    v = Sent();
    ASSERT_EQ(v.size(), 11u);
    EXPECT_FLOAT_EQ(v[0].x, 100);
    EXPECT_FLOAT_EQ(v[0].y, 50);
    EXPECT_FLOAT_EQ(v[10].x, 140);
    Call("draw_path", {RValue(2.0), RValue(100.0), RValue(50.0), RValue(1.0)});
    EXPECT_FLOAT_EQ(Sent()[0].x, 10);

    Error_Last.clear();
    Call("draw_path", {RValue(9.0), RValue(0.0), RValue(0.0), RValue(1.0)});
    EXPECT_NE(Error_Last.find("Trying to drawn non-existing path."), std::string::npos);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(ShapeTest, HealthBarActionPaletteAndGradientActions)
{
    struct {
        double health, back, bar;
        uint32_t barColor;
        size_t vertices; // back and its border come first when the back is shown
    } cases[] = {
        {50, 0, 0, 0xFFFFFF00u, 4 + 5},   // red through yellow to green: yellow at 50
        {100, 0, 0, 0xFF00FF00u, 4 + 5},  // green at 100
        {150, 0, 0, 0xFF00FF00u, 4 + 5},  // and beyond
        {0, 0, 0, 0xFFFF0000u, 4 + 5},    // red at 0
        {50, 0, 1, 0xFF808080u, 4 + 5},   // black through grey to white
        {30, 4, 12, 0xFFFF0000u, 4 + 5 + 4 + 5}, // a single palette colour: index 11, red
        {30, 0, 99, 0xFF000000u, 4 + 5},  // any other value is black
    };
    for (const auto& c : cases) {
        GameState.health = c.health;
        Call("action_draw_health", {RValue(0.0), RValue(0.0), RValue(100.0), RValue(10.0), RValue(c.back),
                                    RValue(c.bar)});
        std::vector<RVertex> v = Sent();
        ASSERT_EQ(v.size(), c.vertices) << c.health << " " << c.bar;
        EXPECT_EQ(v[v.size() - 9].color, c.barColor) << c.health << " " << c.bar;
        if (c.back == 4) {
            EXPECT_EQ(v[0].color, 0xFFFFFFFFu); // white behind the bar
        }
    }
    GameState.health = 100;

    // Red on the left edge, blue on the right; then the top and bottom.
    Call("action_draw_gradient_hor", {RValue(0.0), RValue(0.0), RValue(10.0), RValue(10.0), RValue(255.0),
                                      RValue(16711680.0)});
    std::vector<RVertex> v = Sent();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0].color, 0xFFFF0000u);
    EXPECT_EQ(v[1].color, 0xFF0000FFu);
    EXPECT_EQ(v[2].color, 0xFF0000FFu);
    EXPECT_EQ(v[3].color, 0xFFFF0000u);
    Call("action_draw_gradient_vert", {RValue(0.0), RValue(0.0), RValue(10.0), RValue(10.0), RValue(255.0),
                                       RValue(16711680.0)});
    v = Sent();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[1].color, 0xFFFF0000u);
    EXPECT_EQ(v[2].color, 0xFF0000FFu);
}
