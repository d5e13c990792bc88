// Draw state, colour arithmetic, textures, primitives and screen saving,
// called as script functions on the null device.
#include "graphics/Colors.h"
#include "graphics/PictureFiles.h"
#include "graphics/Primitives.h"
#include "graphics/TextureDraw.h"
#include "graphics/Textures.h"
#include "platform/Files.h"
#include "tests/graphics/GraphicsFixture.h"
#include "tests/support/TestSupport.h"

using DrawStateTest = GraphicsFixture;


// The first frame of a picture file's bytes.
static bool DecodeOne(const std::vector<uint8_t>& bytes, TBitmap32& picture)
{
    std::vector<TBitmap32> frames;
    if (!Picture_Decode(bytes.data(), bytes.size(), frames))
        return false;
    picture = std::move(frames[0]);
    return true;
}

TEST_F(DrawStateTest, ColourAlphaAndBlendModes)
{
    Call("draw_set_alpha", {RValue(1.5)});
    EXPECT_EQ(Real("draw_get_alpha"), 1.0);
    Call("draw_set_alpha", {RValue(-0.5)});
    EXPECT_EQ(Real("draw_get_alpha"), 0.0);
    Call("draw_set_alpha", {RValue(0.5)});
    Call("draw_set_color", {RValue(255.0)});
    EXPECT_EQ(Real("draw_get_color"), 255);
    EXPECT_EQ(Draw_DeviceColor(), 0x80FF0000u); // alpha 127.5 rounds to even
    Call("draw_set_color", {RValue(-1.0)});
    EXPECT_EQ(Real("draw_get_color"), 0xFFFFFF);

    struct Case {
        int mode, source, dest;
    } modes[] = {{0, kBlendSrcAlpha, kBlendInvSrcAlpha}, {1, kBlendSrcAlpha, kBlendOne},
                 {2, kBlendSrcAlpha, kBlendInvSrcColor}, {3, kBlendZero, kBlendInvSrcColor},
                 {7, kBlendSrcAlpha, kBlendInvSrcAlpha}};
    for (const Case& c : modes) {
        Call("draw_set_blend_mode", {RValue(double(c.mode))});
        EXPECT_EQ(DrawState.blendSource, c.source) << c.mode;
        EXPECT_EQ(DrawState.blendDest, c.dest) << c.mode;
    }
    Call("draw_set_blend_mode_ext", {RValue(9.0), RValue(0.0)});
    EXPECT_EQ(DrawState.blendSource, kBlendDestColor);
    EXPECT_EQ(DrawState.blendDest, kBlendInvSrcAlpha); // out of range: the normal factor
}

TEST_F(DrawStateTest, ColourFunctions)
{
    EXPECT_EQ(Real("make_color_rgb", {RValue(300.0), RValue(0.0), RValue(0.0)}), 300);
    EXPECT_EQ(Real("make_color", {RValue(1.0), RValue(2.0), RValue(3.0)}), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(Real("color_get_red", {RValue(300.0)}), 44);
    EXPECT_EQ(Real("color_get_green", {RValue(300.0)}), 1);
    EXPECT_EQ(Real("color_get_blue", {RValue(16711680.0)}), 255);
    EXPECT_EQ(Real("merge_color", {RValue(0.0), RValue(16777215.0), RValue(0.5)}), 0x808080); // 127.5 → 128
    EXPECT_EQ(Real("merge_color", {RValue(255.0), RValue(16711680.0), RValue(0.25)}), 191 + 64 * 65536);

    struct Case {
        double h, s, v;
        int32_t color;
    } hsv[] = {
        {0, 255, 255, 0x0000FF},   // red
        {85, 255, 255, 0x00FF00},  // 120 degrees: green
        {170, 255, 255, 0xFF0000}, // 240 degrees: blue
        {255, 255, 255, 0x0000FF}, // 360 counts as 0
        {40, 0, 200, 0xC8C8C8},    // no saturation: grey
        {43, 255, 128, 0x00807E},  // just past a sector boundary
    };
    for (const Case& c : hsv)
        EXPECT_EQ(Real("make_color_hsv", {RValue(c.h), RValue(c.s), RValue(c.v)}), c.color) << c.h;
    EXPECT_EQ(Real("color_get_hue", {RValue(double(0x00FF00))}), 85);
    EXPECT_EQ(Real("color_get_hue", {RValue(double(0xFF00FF))}), 212); // 300 degrees
    EXPECT_EQ(Real("color_get_saturation", {RValue(double(0x808080))}), 0);
    EXPECT_EQ(Real("color_get_saturation", {RValue(double(0x000080))}), 255);
    EXPECT_EQ(Real("color_get_value", {RValue(double(0x000080))}), 128);
    EXPECT_EQ(Real("color_get_hue", {RValue(0.0)}), 0);
}

TEST_F(DrawStateTest, TexturesAreAllocatedLargerAndPadded)
{
    TBitmap32 picture(30, 20);
    int32_t id = Texture_FromBitmap(picture);
    ASSERT_GE(id, 0);
    EXPECT_EQ(Real("texture_exists", {RValue(double(id))}), 1);
    EXPECT_EQ(Real("texture_get_width", {RValue(double(id))}), 0.9375);
    EXPECT_EQ(Real("texture_get_height", {RValue(double(id))}), 0.625);
    EXPECT_EQ(Real("texture_get_width", {RValue(99.0)}), 1);
    EXPECT_EQ(Real("texture_exists", {RValue(-1.0)}), 0);

    // Freed entries are reused; a freed id draws nothing.
    int32_t second = Texture_FromBitmap(picture);
    Texture_Free(id);
    EXPECT_EQ(Real("texture_exists", {RValue(double(id))}), 0);
    g_device->TakeSentVertices();
    Draw_Texture(id, 0, 0);
    EXPECT_TRUE(g_device->TakeSentVertices().empty());
    EXPECT_EQ(Texture_FromBitmap(picture), id);
    EXPECT_NE(second, id);
    EXPECT_EQ(Texture_Create(0, 5, false), -1);
}

TEST_F(DrawStateTest, QuadCornersSitHalfAPixelUpAndLeft)
{
    TBitmap32 picture(30, 20);
    int32_t id = Texture_FromBitmap(picture);
    g_device->TakeSentVertices();
    Draw_TextureExt(id, 0xFFFFFF, 1.0, 0.0, 2.0, 1.0, 100, 50, 15, 10);
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].x, 100 - 30 - 0.5f);
    EXPECT_FLOAT_EQ(v[0].y, 50 - 10 - 0.5f);
    EXPECT_FLOAT_EQ(v[2].x, 100 + 30 - 0.5f);
    EXPECT_FLOAT_EQ(v[2].u, 0.9375f);
    EXPECT_FLOAT_EQ(v[2].v, 0.625f);

    // A positive angle turns counter-clockwise on the screen: the top-right
    // corner of an unscaled picture at the origin moves up.
    Draw_TextureExt(id, 0xFFFFFF, 1.0, 3.14159265358979 / 2, 1.0, 1.0, 0, 0, 0, 0);
    v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_NEAR(v[1].x, -0.5, 1e-4);
    EXPECT_NEAR(v[1].y, -29.5, 1e-4);

    // Tiling snaps to whole pixels and starts at or before the region.
    Draw_TextureTiled(id, true, false, 0xFFFFFF, 1.0, 47.3, 5, 1, 1, 0, 0, 0, 0, 100, 100);
    v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u * 4); // columns at -13, 17, 47 and 77
    EXPECT_FLOAT_EQ(v[0].x, -13 - 0.5f);
    EXPECT_FLOAT_EQ(v[0].y, 5 - 0.5f);
    Draw_TextureTiled(id, false, false, 0xFFFFFF, 1.0, 0, 200, 1, 1, 0, 0, 0, 0, 100, 100);
    EXPECT_TRUE(g_device->TakeSentVertices().empty()); // below the region: not drawn
    Draw_TextureTiled(id, true, true, 0xFFFFFF, 1.0, 0, 0, 0.01, 1, 0, 0, 0, 0, 100, 100);
    EXPECT_TRUE(g_device->TakeSentVertices().empty()); // tiles under a pixel wide: nothing
}

TEST_F(DrawStateTest, PrimitivesKeepTheirLimitAndState)
{
    Call("draw_set_color", {RValue(255.0)});
    Call("draw_primitive_begin", {RValue(1.0)});
    for (int k = 0; k < 1002; ++k)
        Call("draw_vertex", {RValue(double(k)), RValue(0.0)});
    EXPECT_EQ(Primitive_VertexCount(), 1001);
    g_device->TakeSentVertices();
    Call("draw_primitive_end");
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 1001u);
    EXPECT_EQ(v[0].color, 0xFFFF0000u);

    // The repeat flag holds for primitives even after a quad clamped its texture.
    Call("texture_set_repeat", {RValue(1.0)});
    Draw_Texture(Texture_FromBitmap(TBitmap32(4, 4)), 0, 0);
    EXPECT_FALSE(g_device->DrawSettings().repeat);
    g_device->TakeSentVertices();
    Call("draw_primitive_begin_texture", {RValue(4.0), RValue(0.0)});
    Call("draw_vertex_texture_color", {RValue(0.0), RValue(0.0), RValue(0.0), RValue(0.0), RValue(65280.0), RValue(0.5)});
    Call("draw_vertex_texture", {RValue(9.0), RValue(0.0), RValue(2.0), RValue(0.0)});
    Call("draw_vertex_color", {RValue(0.0), RValue(9.0), RValue(255.0), RValue(1.0)});
    Call("draw_primitive_end");
    EXPECT_TRUE(g_device->DrawSettings().repeat);
    v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].color, 0x8000FF00u);
    EXPECT_EQ(v[1].u, 2.0f);
    EXPECT_EQ(v[2].color, 0xFFFF0000u);

    Call("draw_primitive_begin", {RValue(9.0)}); // no such kind: nothing drawn
    Call("draw_vertex", {RValue(0.0), RValue(0.0)});
    Call("draw_primitive_end");
    EXPECT_TRUE(g_device->TakeSentVertices().empty());
}

TEST_F(DrawStateTest, ScreenSaveChoosesTheFormatByName)
{
    CScratchFolder folder;
    g_device->Clear(0x00336699); // the back buffer keeps no alpha
    Call("screen_save", {RValue(folder.File("shot.PNG"))});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform_ReadWholeFile(folder.File("shot.PNG"), bytes));
    TBitmap32 png;
    ASSERT_TRUE(DecodeOne(bytes, png));
    EXPECT_EQ(png.Width(), 640);
    EXPECT_EQ(png.PixelAt(5, 5), 0xFF336699u);

    Call("screen_save_part", {RValue(folder.File("part.bmp")), RValue(-10.0), RValue(430.0), RValue(20.0), RValue(100.0)});
    ASSERT_TRUE(Platform_ReadWholeFile(folder.File("part.bmp"), bytes));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 'B');
    TBitmap32 bmp;
    ASSERT_TRUE(bmp.LoadFromBitmapFile(bytes.data(), bytes.size()));
    EXPECT_EQ(bmp.Width(), 20); // the corner moves to 0 and keeps its size
    EXPECT_EQ(bmp.Height(), 50); // cut at the bottom of the region

    EXPECT_EQ(Real("draw_getpixel", {RValue(3.0), RValue(3.0)}), 0x996633);
    EXPECT_EQ(Real("draw_getpixel", {RValue(-3.0), RValue(5000.0)}), 0);

    Call("screen_save", {RValue("")});
    EXPECT_NE(Error_Last.find("Trying to save screen to empty image file name."), std::string::npos);
    Error_Last.clear();
    Call("screen_save", {RValue(folder.File("no/such/folder/x.png"))}); // write errors pass silently
    EXPECT_TRUE(Error_Last.empty());
}

TEST_F(DrawStateTest, ScreenshotKeyTakesTheFirstFreeNumber)
{
    CScratchFolder folder;
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    folder.Write("screenshot100.png", "taken");
    folder.Write("screenshot101.png", "taken");
    std::string first = Graphics_SaveScreenshot();
    std::string second = Graphics_SaveScreenshot();
    std::filesystem::current_path(before);
    EXPECT_EQ(first, "screenshot102.png");
    EXPECT_EQ(second, "screenshot103.png");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform_ReadWholeFile(folder.File("screenshot102.png"), bytes));
    TBitmap32 png;
    EXPECT_TRUE(DecodeOne(bytes, png));
    EXPECT_EQ(png.Width(), 640);
}
