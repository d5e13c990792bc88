// 3D mode through the real OpenGL device on SDL's offscreen driver: hidden
// surfaces and the alpha test, culling by the winding seen on the screen,
// ambient, directional and point lights, fog, flat shading, depth in
// surfaces, and models drawing what their shapes draw. Skipped, with the
// reason, where no OpenGL 3.3 context can be made.
#include "code/FunctionCatalogue.h"
#include "graphics/Graphics.h"
#include "graphics/Models3D.h"
#include "graphics/Surfaces.h"
#include "graphics/TextureDraw.h"
#include "graphics/Textures.h"
#include "tests/graphics/GlTestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr int32_t kSize = 64;
constexpr uint32_t kBackground = 0xFF000000;

class GlD3D : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }

    void SetUp() override
    {
        Graphics_RegisterFunctions();
        ASSERT_TRUE(Function_RegisterAll());
        if (const char* why = OpenGlDisplay(kSize, kSize))
            GTEST_SKIP() << why;
        ASSERT_EQ(Call("d3d_start"), 1);
        // The room's own pixels, whatever the perspective flag says.
        Call("d3d_set_projection_ortho", {0, 0, kSize, kSize, 0});
        Display_Device()->Clear(kBackground);
    }
    void TearDown() override
    {
        Model_DestroyAll();
        Display_Close();
        Draw_ResetState(false);
    }

    static double Call(const char* name, std::initializer_list<double> arguments = {})
    {
        return Test_CallFunction(name, std::vector<RValue>(arguments.begin(), arguments.end())).val;
    }

    static uint32_t Pixel(int32_t x, int32_t y)
    {
        TBitmap32 pixel;
        EXPECT_TRUE(Display_ReadScreen(x, y, 1, 1, pixel));
        return pixel.IsEmpty() ? 0 : pixel.PixelAt(0, 0);
    }

    // Covers the pixels x1..x2 × y1..y2 at the current depth, facing the eye.
    static void Fill(double x1, double y1, double x2, double y2, double color)
    {
        Call("draw_set_color", {color});
        Call("d3d_primitive_begin", {6});
        for (auto [x, y] : {std::pair{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}})
            Call("d3d_vertex_normal", {x + (x == x1 ? -0.5 : 0.5), y + (y == y1 ? -0.5 : 0.5), DrawState.depth, 0,
                                       0, -1});
        Call("d3d_primitive_end");
    }
};

} // namespace

TEST_F(GlD3D, NearerSurfacesHideFartherOnesAndClearTexelsHideNothing)
{
    Call("d3d_set_depth", {-100});
    Fill(10, 10, 20, 20, 0x00FF00);
    Call("d3d_set_depth", {100});
    Fill(5, 5, 25, 25, 0x0000FF);
    EXPECT_EQ(Pixel(15, 15), 0xFF00FF00u);
    EXPECT_EQ(Pixel(7, 7), 0xFFFF0000u);
    Call("d3d_set_hidden", {0});
    Fill(14, 14, 16, 16, 0x0000FF);
    EXPECT_EQ(Pixel(15, 15), 0xFFFF0000u);
    Call("d3d_set_hidden", {1});

    // A picture whose left half has no alpha: nothing is drawn there, nor
    // any depth written, so what lies behind still shows.
    TBitmap32 picture(2, 1);
    picture.SetPixel(0, 0, 0x00FFFFFF);
    picture.SetPixel(1, 0, 0xFFFFFFFF);
    const int32_t texture = Texture_FromBitmap(picture);
    Call("d3d_set_depth", {-50});
    Draw_TextureExt(texture, 0xFFFFFF, 1.0, 0, 8, 8, 30, 40, 0, 0);
    Call("d3d_set_depth", {50});
    Fill(30, 40, 45, 47, 0xFF0000);
    EXPECT_EQ(Pixel(33, 43), 0xFF0000FFu);
    EXPECT_EQ(Pixel(42, 43), 0xFFFFFFFFu);
}

TEST_F(GlD3D, ThePerspectiveOfViewsShowsDepthZeroAsIn2D)
{
    // In 3D mode views look at the room in perspective (the eye stands back
    // by the view's width); at depth 0 the room stays upright and in place,
    // nearer things grow.
    Draw_SetProjection2D(0, 0, kSize, kSize, 0);
    Fill(10, 5, 20, 8, 0x0000FF);
    EXPECT_EQ(Pixel(15, 6), 0xFFFF0000u);
    EXPECT_EQ(Pixel(15, 9), kBackground);
    EXPECT_EQ(Pixel(15, kSize - 7), kBackground);
    Call("d3d_set_depth", {-kSize / 2});
    Fill(28, 28, 35, 35, 0x00FF00); // twice as near: twice as large about the centre
    EXPECT_EQ(Pixel(25, 25), 0xFF00FF00u);
    EXPECT_EQ(Pixel(21, 21), kBackground);
}

TEST_F(GlD3D, CullingRemovesFacesThatTurnCounterClockwiseOnTheScreen)
{
    Call("d3d_set_culling", {1});
    auto triangle = [](std::initializer_list<std::pair<double, double>> corners) {
        Call("d3d_primitive_begin", {4});
        for (auto [x, y] : corners)
            Call("d3d_vertex", {x, y, 0});
        Call("d3d_primitive_end");
    };
    Call("draw_set_color", {0xFFFFFF});
    triangle({{0, 0}, {20, 0}, {0, 20}});   // clockwise on the y-down screen
    triangle({{30, 0}, {30, 20}, {50, 0}}); // counter-clockwise
    EXPECT_EQ(Pixel(4, 4), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(34, 4), kBackground);

    // A block seen from outside in a perspective view keeps its near face;
    // from inside, every face turns away.
    auto lookAtBlock = [](double eyeX) {
        Display_Device()->Clear(kBackground);
        Display_Device()->ClearDepth();
        Call("d3d_set_projection_ext", {eyeX, 0, 0, eyeX + 100, 0, 0, 0, 0, 1, 60, 1, 1, 1000});
        Call("d3d_draw_block", {90, -10, -10, 110, 10, 10, -1, 1, 1});
        return Pixel(kSize / 2, kSize / 2);
    };
    EXPECT_EQ(lookAtBlock(0), 0xFFFFFFFFu);
    EXPECT_EQ(lookAtBlock(100), kBackground);
    Call("d3d_set_culling", {0});
    EXPECT_EQ(lookAtBlock(100), 0xFFFFFFFFu);
}

TEST_F(GlD3D, AmbientDirectionalAndPointLights)
{
    Call("d3d_set_lighting", {1});
    Call("d3d_light_define_ambient", {0x282828}); // 40 in each channel
    Fill(0, 0, 3, 3, 0xFFFFFF);
    EXPECT_TRUE(Near(Pixel(1, 1), 0xFF282828));

    // The ambient light is not tinted by the vertex colour; the lights are.
    Call("d3d_light_define_direction", {0, 0, 0, 1, 0xC89664}); // away from the eye, onto the faces
    Call("d3d_light_enable", {0, 1});
    Fill(5, 0, 8, 3, 0xFFFFFF);
    EXPECT_TRUE(Near(Pixel(6, 1), 0xFF8CBEF0)); // 40 + (100, 150, 200)
    Fill(10, 0, 13, 3, 0xFF0000);
    EXPECT_TRUE(Near(Pixel(11, 1), 0xFF2828F0));
    Call("d3d_light_define_direction", {0, 0, 0, -1, 0xFFFFFF}); // from behind: only the ambient
    Fill(15, 0, 18, 3, 0xFFFFFF);
    EXPECT_TRUE(Near(Pixel(16, 1), 0xFF282828));
    Call("d3d_light_enable", {0, 0});

    // A red point light 50 in front: 1 / (1 + 4 / 1000 × 50) of its colour.
    Call("d3d_light_define_point", {1, 21.5, 1.5, -50, 1000, 0x0000FF});
    Call("d3d_light_enable", {1, 1});
    Fill(20, 0, 23, 3, 0xFFFFFF);
    EXPECT_TRUE(Near(Pixel(21, 1), 0xFFFC2828)); // 40 + 255 / 1.2, capped
    Call("d3d_light_define_point", {1, 21.5, 1.5, -50, 1000, 0x000080});
    Fill(20, 0, 23, 3, 0xFFFFFF);
    EXPECT_TRUE(Near(Pixel(21, 1), 0xFF922828)); // 40 + 128 / 1.2
    Call("d3d_light_define_point", {1, 21.5, 1.5, -50, 40, 0x0000FF}); // out of its range
    Fill(25, 0, 28, 3, 0xFFFFFF);
    EXPECT_TRUE(Near(Pixel(26, 1), 0xFF282828));
}

TEST_F(GlD3D, FogGrowsWithTheDistanceFromTheEye)
{
    // The eye of the 2D projection stands 16000 in front of depth 0.
    Call("d3d_set_fog", {1, 0x000000, 0, 32000});
    Fill(0, 0, 3, 3, 0xFFFFFF);
    EXPECT_TRUE(Near(Pixel(1, 1), 0xFF808080));
    Call("d3d_set_fog", {1, 0x0000FF, 20000, 30000});
    Fill(5, 0, 8, 3, 0xFFFFFF);
    EXPECT_EQ(Pixel(6, 1), 0xFFFFFFFFu);
    Call("d3d_set_fog", {1, 0x0000FF, 1000, 2000});
    Fill(10, 0, 13, 3, 0xFFFFFF);
    EXPECT_EQ(Pixel(11, 1), 0xFFFF0000u);
    Call("d3d_set_fog", {0, 0, 0, 0});
    Fill(15, 0, 18, 3, 0xFFFFFF);
    EXPECT_EQ(Pixel(16, 1), 0xFFFFFFFFu);
}

TEST_F(GlD3D, FlatShadingTakesEachTrianglesFirstVertex)
{
    auto strip = [](double x) {
        Call("d3d_primitive_begin", {5});
        Call("d3d_vertex_color", {x, 0, 0, 0x0000FF, 1});
        Call("d3d_vertex_color", {x, 20, 0, 0x00FF00, 1});
        Call("d3d_vertex_color", {x + 20, 0, 0, 0xFF0000, 1});
        Call("d3d_vertex_color", {x + 20, 20, 0, 0xFFFFFF, 1});
        Call("d3d_primitive_end");
    };
    Call("d3d_set_shading", {0});
    strip(0);
    EXPECT_EQ(Pixel(4, 4), 0xFFFF0000u);  // the first triangle: red
    EXPECT_EQ(Pixel(16, 16), 0xFF00FF00u); // the second starts with the green vertex
    Call("d3d_set_shading", {1});
    strip(30);
    const uint32_t smooth = Pixel(34, 4);
    EXPECT_NE(smooth, 0xFFFF0000u);
    EXPECT_GT((smooth >> 8) & 0xFF, 0x20u); // some green, some blue mixed in
    EXPECT_GT(smooth & 0xFF, 0x20u);
}

TEST_F(GlD3D, SurfacesHideIn3DToo)
{
    Call("d3d_set_perspective", {0});
    const int32_t surface = Surface_Create(16, 16);
    ASSERT_TRUE(Surface_SetTarget(surface));
    Display_Device()->Clear(0xFF000000);
    Call("d3d_set_depth", {-10});
    Fill(4, 4, 8, 8, 0x00FF00);
    Call("d3d_set_depth", {10});
    Fill(0, 0, 12, 12, 0x0000FF);
    Surface_ResetTarget();
    TBitmap32 read;
    ASSERT_TRUE(Surface_Read(surface, 0, 0, 16, 16, read));
    EXPECT_EQ(read.PixelAt(6, 6), 0xFF00FF00u);
    EXPECT_EQ(read.PixelAt(1, 1), 0xFFFF0000u);
}

TEST_F(GlD3D, AModelDrawsWhatItsShapesDrawAtOnce)
{
    Call("d3d_set_lighting", {1});
    Call("d3d_light_define_ambient", {0x404040});
    Call("d3d_light_define_direction", {0, 1, 2, 3, 0xFFFFFF});
    Call("d3d_light_enable", {0, 1});
    Call("d3d_set_projection_ext", {-40, -30, 50, 0, 0, 0, 0, 0, 1, 60, 1, 1, 1000});
    Call("draw_set_color", {0x20C0FF});
    auto picture = [] {
        TBitmap32 screen;
        EXPECT_TRUE(Display_ReadScreen(0, 0, kSize, kSize, screen));
        Display_Device()->Clear(kBackground);
        Display_Device()->ClearDepth();
        return screen;
    };
    Call("d3d_draw_block", {5, 5, 0, 15, 15, 10, -1, 1, 1});
    Call("d3d_draw_ellipsoid", {-15, -5, 0, -5, 5, 10, -1, 1, 1, 12});
    const TBitmap32 shapes = picture();
    const double model = Call("d3d_model_create");
    Call("d3d_model_block", {model, 0, 0, -5, 10, 10, 5, 1, 1});
    Call("d3d_model_ellipsoid", {model, -20, -10, -5, -10, 0, 5, 1, 1, 12});
    Call("d3d_model_draw", {model, 5, 5, 5, -1});
    const TBitmap32 drawn = picture();
    // The model's offset is added on the device, in floats: an edge pixel
    // may come out the other way.
    int32_t coloured = 0, different = 0;
    for (int32_t y = 0; y < kSize; ++y)
        for (int32_t x = 0; x < kSize; ++x) {
            different += !Near(drawn.PixelAt(x, y), shapes.PixelAt(x, y));
            coloured += shapes.PixelAt(x, y) != kBackground;
        }
    EXPECT_LE(different, 4);
    EXPECT_GT(coloured, 100);
}
