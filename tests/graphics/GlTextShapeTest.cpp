// Shapes, text and surfaces in pixels, through the real OpenGL device on
// SDL's offscreen driver: which pixels a rectangle and a circle cover,
// glyphs staying inside the box the measures give, and pictures going into,
// out of and between surfaces. Skipped where no OpenGL 3.3 context exists.
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Graphics.h"
#include "graphics/Text.h"
#include "tests/graphics/GlTestSupport.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr int32_t kSize = 64;
constexpr uint32_t kBackground = 0xFF000000;

class GlTextShapes : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }

    void SetUp() override
    {
        ClearResources();
        Text_ResetState();
        Graphics_RegisterFunctions();
        ASSERT_TRUE(Function_RegisterAll());
        if (const char* why = OpenGlDisplay(kSize, kSize))
            GTEST_SKIP() << why;
        Display_Device()->Clear(kBackground);
    }
    void TearDown() override { Display_Close(); }

    static RValue Call(const char* name, std::initializer_list<RValue> arguments = {})
    {
        return Test_CallFunction(name, arguments);
    }

    static uint32_t Pixel(int32_t x, int32_t y)
    {
        TBitmap32 pixel;
        EXPECT_TRUE(Display_ReadScreen(x, y, 1, 1, pixel));
        return pixel.IsEmpty() ? 0 : pixel.PixelAt(0, 0);
    }
};

TEST_F(GlTextShapes, RectanglesAndCirclesCoverTheirPixels)
{
    Call("draw_set_color", {RValue(255.0)});
    Call("draw_rectangle", {RValue(2.0), RValue(2.0), RValue(5.0), RValue(5.0), RValue(0.0)});
    for (int32_t y = 1; y <= 6; ++y)
        for (int32_t x = 1; x <= 6; ++x) {
            const bool inside = x >= 2 && x <= 5 && y >= 2 && y <= 5;
            EXPECT_EQ(Pixel(x, y), inside ? 0xFFFF0000u : kBackground) << x << "," << y;
        }
    // An outline lights its edges and leaves the inside.
    Call("draw_rectangle", {RValue(10.0), RValue(2.0), RValue(16.0), RValue(8.0), RValue(1.0)});
    EXPECT_EQ(Pixel(10, 5), 0xFFFF0000u);
    EXPECT_EQ(Pixel(16, 5), 0xFFFF0000u);
    EXPECT_EQ(Pixel(13, 2), 0xFFFF0000u);
    EXPECT_EQ(Pixel(13, 8), 0xFFFF0000u);
    EXPECT_EQ(Pixel(13, 5), kBackground);
    EXPECT_EQ(Pixel(17, 5), kBackground);

    Call("draw_circle_color", {RValue(40.0), RValue(40.0), RValue(10.0), RValue(65280.0), RValue(65280.0),
                               RValue(0.0)});
    EXPECT_EQ(Pixel(40, 40), 0xFF00FF00u);
    EXPECT_EQ(Pixel(48, 40), 0xFF00FF00u);
    EXPECT_EQ(Pixel(51, 40), kBackground);
    EXPECT_EQ(Pixel(32, 32), kBackground); // the box's corner lies outside the circle
}

TEST_F(GlTextShapes, GlyphsStayInsideTheMeasuredBox)
{
    Call("draw_set_color", {RValue(16777215.0)});
    const int32_t w = static_cast<int32_t>(Call("string_width", {RValue("HIW")}).val);
    const int32_t h = static_cast<int32_t>(Call("string_height", {RValue("HIW")}).val);
    ASSERT_GT(w, 10);
    ASSERT_LT(w, kSize - 10);
    Call("draw_text", {RValue(4.0), RValue(10.0), RValue("HIW")});
    int32_t lit = 0;
    for (int32_t y = 0; y < kSize; ++y)
        for (int32_t x = 0; x < kSize; ++x) {
            if (Pixel(x, y) == kBackground)
                continue;
            ++lit;
            EXPECT_TRUE(x >= 4 && x < 4 + w && y >= 10 && y < 10 + h) << "lit outside the box at " << x << "," << y;
        }
    EXPECT_GT(lit, 30);
    // Full coverage is opaque: the H's crossbar comes out pure white.
    bool white = false;
    for (int32_t y = 10; y < 10 + h; ++y)
        for (int32_t x = 4; x < 4 + w; ++x)
            white = white || Pixel(x, y) == 0xFFFFFFFFu;
    EXPECT_TRUE(white);
}

TEST_F(GlTextShapes, SurfacesTakeDrawingAndGiveItBack)
{
    const RValue a = Call("surface_create", {RValue(16.0), RValue(16.0)});
    const RValue b = Call("surface_create", {RValue(16.0), RValue(16.0)});
    ASSERT_GE(a.val, 0);
    ASSERT_EQ(Call("surface_set_target", {a}).val, 1);
    Call("draw_clear_alpha", {RValue(255.0), RValue(0.5)});
    Call("draw_set_color", {RValue(65280.0)});
    Call("draw_rectangle", {RValue(2.0), RValue(2.0), RValue(3.0), RValue(3.0), RValue(0.0)});
    ASSERT_EQ(Call("surface_reset_target").val, 1);

    EXPECT_EQ(Call("surface_getpixel", {a, RValue(2.0), RValue(3.0)}).val, 65280);
    EXPECT_EQ(Call("surface_getpixel", {a, RValue(5.0), RValue(5.0)}).val, 255);
    EXPECT_EQ(Pixel(2, 2), kBackground); // the screen was left alone

    Call("draw_surface", {a, RValue(30.0), RValue(30.0)});
    EXPECT_EQ(Pixel(32, 33), 0xFF00FF00u);
    EXPECT_NEAR(static_cast<double>((Pixel(36, 36) >> 16) & 0xFF), 128, 2); // half-transparent red

    // A part starting 5 left of the source lands 5 further right.
    Call("surface_copy_part", {b, RValue(0.0), RValue(0.0), a, RValue(-5.0), RValue(0.0), RValue(8.0), RValue(8.0)});
    EXPECT_EQ(Call("surface_getpixel", {b, RValue(7.0), RValue(2.0)}).val, 65280);
    EXPECT_EQ(Call("surface_getpixel", {b, RValue(2.0), RValue(2.0)}).val, 0);
    EXPECT_EQ(Call("surface_getpixel", {b, RValue(6.0), RValue(4.0)}).val, 255);
    // Within one surface, overlapping parts still copy as they were.
    Call("surface_copy_part", {a, RValue(1.0), RValue(1.0), a, RValue(0.0), RValue(0.0), RValue(4.0), RValue(4.0)});
    EXPECT_EQ(Call("surface_getpixel", {a, RValue(3.0), RValue(3.0)}).val, 65280);
    EXPECT_EQ(Call("surface_getpixel", {a, RValue(4.0), RValue(4.0)}).val, 65280);
    EXPECT_EQ(Call("surface_getpixel", {a, RValue(1.0), RValue(1.0)}).val, 255);
}

} // namespace
