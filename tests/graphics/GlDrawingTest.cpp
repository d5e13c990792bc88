// Pixels through the real OpenGL device on SDL's offscreen video driver (no
// X server needed): clearing, blending, texel alignment, texture padding,
// render targets, batching and read-back. Skipped, with the reason, where no
// OpenGL 3.3 context can be made.
#include "graphics/Colors.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Primitives.h"
#include "graphics/TextureDraw.h"
#include "graphics/Textures.h"
#include "graphics/WindowState.h"
#include "tests/graphics/GlTestSupport.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace {

constexpr int32_t kSize = 64;
constexpr uint32_t kBackground = 0xFF6496C8; // red 100, green 150, blue 200

class GlDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }

    void SetUp() override
    {
        if (const char* why = OpenGlDisplay(kSize, kSize))
            GTEST_SKIP() << why;
        g_device = Display_Device();
        g_device->Clear(kBackground);
    }
    void TearDown() override { Display_Close(); }

    static uint32_t Pixel(int32_t x, int32_t y)
    {
        TBitmap32 pixel;
        EXPECT_TRUE(Display_ReadScreen(x, y, 1, 1, pixel));
        return pixel.IsEmpty() ? 0 : pixel.PixelAt(0, 0);
    }

    // Covers the pixels x1..x2 × y1..y2 (pixel centres are whole numbers).
    static void Fill(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t argb)
    {
        Primitive_Begin(6, -1);
        Primitive_AddVertex(x1 - 0.5, y1 - 0.5, argb, 0, 0);
        Primitive_AddVertex(x2 + 0.5, y1 - 0.5, argb, 0, 0);
        Primitive_AddVertex(x2 + 0.5, y2 + 0.5, argb, 0, 0);
        Primitive_AddVertex(x1 - 0.5, y2 + 0.5, argb, 0, 0);
        Primitive_End();
    }

    static int32_t Texture(int32_t w, int32_t h, std::initializer_list<uint32_t> pixels)
    {
        TBitmap32 picture(w, h);
        int k = 0;
        for (uint32_t p : pixels) {
            picture.SetPixel(k % w, k / w, p);
            ++k;
        }
        return Texture_FromBitmap(picture);
    }

    IRenderDevice* g_device = nullptr;
};

} // namespace

TEST_F(GlDrawing, ClearAndEachBlendMode)
{
    EXPECT_EQ(Pixel(0, 0), kBackground);
    EXPECT_EQ(Pixel(kSize - 1, kSize - 1), kBackground);

    struct Case {
        int32_t source, dest;
        uint32_t expected;
        const char* name;
    } cases[] = {
        {kBlendSrcAlpha, kBlendInvSrcAlpha, 0xFFB24B64, "normal"},  // red 177.5, green 75, blue 100
        {kBlendSrcAlpha, kBlendOne, 0xFFE496C8, "add"},             // red 227.5
        {kBlendSrcAlpha, kBlendInvSrcColor, 0xFF8096C8, "max"},     // red 127.5
        {kBlendZero, kBlendInvSrcColor, 0xFF0096C8, "subtract"},
        {kBlendDestColor, kBlendZero, 0xFF640000, "multiply"},
        // The back buffer is opaque: its alpha reads as 1, so these keep the background.
        {kBlendSrcAlphaSat, kBlendOne, kBackground, "saturate"},
        {kBlendInvDestAlpha, kBlendDestAlpha, kBackground, "destination alpha"},
    };
    int32_t x = 0;
    for (const Case& c : cases) {
        Draw_SetBlendModeExt(c.source, c.dest);
        Fill(x, 0, x + 3, 3, Color_ToDevice(0x0000FF, 0.5));
        EXPECT_TRUE(Near(Pixel(x + 1, 1), c.expected)) << c.name;
        EXPECT_EQ(Pixel(x + 4, 1), kBackground) << c.name << ": nothing beyond the quad";
        x += 5;
    }
}

TEST_F(GlDrawing, TexelsLandOnPixels)
{
    const uint32_t r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF, w = 0xFFFFFFFF;
    int32_t id = Texture(3, 2, {r, g, b, w, r, g});
    ASSERT_GE(id, 0);
    for (bool interpolate : {false, true}) {
        // Bilinear filtering at scale 1 still gives the texels exactly when
        // their centres sit on pixel centres.
        DrawState.interpolate = interpolate;
        int32_t y = interpolate ? 30 : 20;
        Draw_Texture(id, 10, y);
        const uint32_t expected[2][3] = {{r, g, b}, {w, r, g}};
        for (int32_t row = 0; row < 2; ++row)
            for (int32_t col = 0; col < 3; ++col)
                EXPECT_TRUE(Near(Pixel(10 + col, y + row), expected[row][col]))
                    << "texel " << col << "," << row << (interpolate ? " filtered" : "");
        EXPECT_EQ(Pixel(13, y), kBackground);
        EXPECT_EQ(Pixel(10, y + 2), kBackground);
        EXPECT_EQ(Pixel(9, y), kBackground);
    }
}

TEST_F(GlDrawing, PaddingRepeatsTheLastColumnAndRow)
{
    const uint32_t a = 0xFF102030, b = 0xFF405060, c = 0xFF708090, d = 0xFFA0B0C0;
    int32_t id = Texture(3, 3, {a, a, b, a, a, b, c, c, d}); // a 4 × 4 texture
    ASSERT_EQ(Texture_Get(id)->textureW, 4);
    Draw_TexturePart(id, 0xFFFFFF, 1.0, 3, 0, 1, 4, 40, 5, 1, 1); // column 3, beyond the picture
    EXPECT_EQ(Pixel(40, 5), b);
    EXPECT_EQ(Pixel(40, 7), d);
    EXPECT_EQ(Pixel(40, 8), d); // the corner: repeated both ways
    Draw_TexturePart(id, 0xFFFFFF, 1.0, 0, 3, 3, 1, 40, 20, 1, 1); // row 3
    EXPECT_EQ(Pixel(40, 20), c);
    EXPECT_EQ(Pixel(42, 20), d);
}

TEST_F(GlDrawing, TextureBlendingScalingAndTurning)
{
    int32_t white = Texture(1, 1, {0xFFFFFFFF});
    int32_t clear = Texture(1, 1, {0x00FFFFFF});
    Draw_TextureExt(white, 0x0000FF, 1.0, 0, 2, 2, 4, 4, 0, 0); // red, doubled
    EXPECT_EQ(Pixel(5, 5), 0xFFFF0000u);
    EXPECT_EQ(Pixel(6, 5), kBackground);
    DrawState.textureBlending = false;
    Draw_TextureExt(white, 0x0000FF, 1.0, 0, 1, 1, 8, 4, 0, 0); // the texture's own colour
    EXPECT_EQ(Pixel(8, 4), 0xFFFFFFFFu);
    DrawState.textureBlending = true;
    Draw_Texture(clear, 9, 4); // transparent texels leave the picture below
    EXPECT_EQ(Pixel(9, 4), kBackground);

    // A quarter turn counter-clockwise puts the picture's right end on top.
    int32_t pair = Texture(2, 1, {0xFFFF0000, 0xFF00FF00});
    Draw_TextureExt(pair, 0xFFFFFF, 1.0, std::numbers::pi / 2, 1, 1, 20, 20, 0, 0);
    EXPECT_EQ(Pixel(20, 20), 0xFFFF0000u);
    EXPECT_EQ(Pixel(20, 19), 0xFF00FF00u);
    EXPECT_EQ(Pixel(21, 20), kBackground);
}

TEST_F(GlDrawing, RenderTargetsKeepAlphaAndCopyExactly)
{
    int32_t surface = Texture_Create(16, 16, true);
    int32_t copy = Texture_Create(16, 16, true);
    ASSERT_GE(surface, 0);
    ASSERT_GE(copy, 0);
    TextureHandle target = Texture_Handle(surface);
    ASSERT_TRUE(g_device->SetRenderTarget(target));
    g_device->SetViewport({0, 0, 16, 16});
    Draw_SetProjection2D(0, 0, 16, 16, 0);
    g_device->Clear(0x80FF0000);
    Fill(2, 3, 2, 3, 0xFF00FF00);

    uint8_t pixels[4 * 4 * 4];
    ASSERT_TRUE(g_device->ReadPixels(target, {0, 0, 4, 4}, pixels));
    auto at = [&](int x, int y) {
        const uint8_t* p = pixels + (y * 4 + x) * 4;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    };
    EXPECT_EQ(at(0, 0), 0x80FF0000u);
    // Normal blending writes alpha too: 1 × 1 + 0.5 × 0 for an opaque source.
    EXPECT_TRUE(Near(at(2, 3), 0xFF00FF00u));

    ASSERT_TRUE(g_device->CopyRectangle(target, {2, 3, 1, 1}, Texture_Handle(copy), 0, 0));
    ASSERT_TRUE(g_device->ReadPixels(Texture_Handle(copy), {0, 0, 2, 1}, pixels));
    EXPECT_TRUE(Near(at(0, 0), 0xFF00FF00u));
    EXPECT_EQ(at(1, 0), 0u); // new render targets start transparent black
    EXPECT_FALSE(g_device->ReadPixels(target, {10, 10, 10, 10}, pixels)); // outside the target

    ASSERT_TRUE(g_device->SetRenderTarget(0));
    g_device->SetViewport({0, 0, kSize, kSize});
    Draw_SetProjection2D(0, 0, kSize, kSize, 0);
    Draw_Texture(surface, 30, 30);
    EXPECT_TRUE(Near(Pixel(32, 33), 0xFF00FF00u));
    EXPECT_TRUE(Near(Pixel(30, 30), 0xFFB24B64u)); // half-transparent red over the background
    Texture_Free(surface);
    EXPECT_FALSE(g_device->SetRenderTarget(target));
}

// Triangles are drawn with a margin around the viewport, in which GL does
// not clip them: what crosses the edge of a viewport that is only part of
// the target must still stop at it.
TEST_F(GlDrawing, QuadsAcrossTheEdgeOfAPartViewportStayInsideIt)
{
    int32_t id = Texture(1, 1, {0xFFFF0000});
    g_device->SetViewport({8, 4, 16, 8});
    Draw_SetProjection2D(0, 0, 16, 8, 0);
    Draw_TextureExt(id, 0xFFFFFF, 1.0, 0, 6, 6, 12, 4, 0, 0);  // across the right and bottom edges
    Draw_TextureExt(id, 0xFFFFFF, 1.0, 0, 6, 6, -3, -3, 0, 0); // across the left and top edges
    Draw_TextureExt(id, 0xFFFFFF, 1.0, 0, 6, 6, 30, 2, 0, 0);  // wholly outside
    EXPECT_EQ(Pixel(8 + 12, 4 + 4), 0xFFFF0000u);
    EXPECT_EQ(Pixel(8 + 15, 4 + 7), 0xFFFF0000u);
    EXPECT_EQ(Pixel(8 + 16, 4 + 4), kBackground);
    EXPECT_EQ(Pixel(8 + 12, 4 + 8), kBackground);
    EXPECT_EQ(Pixel(8 + 0, 4 + 0), 0xFFFF0000u);
    EXPECT_EQ(Pixel(8 + 2, 4 + 2), 0xFFFF0000u);
    EXPECT_EQ(Pixel(7, 4), kBackground);
    EXPECT_EQ(Pixel(8, 3), kBackground);
    EXPECT_EQ(Pixel(8 + 30, 4 + 4), kBackground);
    g_device->SetViewport({0, 0, kSize, kSize});
    Draw_SetProjection2D(0, 0, kSize, kSize, 0);
}

TEST_F(GlDrawing, OneDrawCallPerBatchAndNoReadBackInAFrame)
{
    int32_t id = Texture(1, 1, {0xFF0000FF});
    RDeviceStats before = g_device->Stats();
    for (int k = 0; k < 1000; ++k)
        Draw_TextureExt(id, 0xFFFFFF, 1.0, 0, 1, 1, k % kSize, k / kSize, 0, 0);
    Display_EndFrameAndPresent();
    RDeviceStats after = g_device->Stats();
    EXPECT_EQ(after.drawCalls - before.drawCalls, 1);
    EXPECT_EQ(after.primitives - before.primitives, 1000);
    EXPECT_EQ(after.readBacks, before.readBacks);
    EXPECT_EQ(after.presents - before.presents, 1);
    // Presenting leaves the back buffer as it was.
    EXPECT_EQ(Pixel(999 % kSize, 999 / kSize), 0xFF0000FFu);
    EXPECT_EQ(Pixel(40, 40), kBackground);
}

TEST_F(GlDrawing, PresentingShowsTheFrameWithStripsOnlyAroundIt)
{
    Fill(5, 6, 5, 6, 0xFFFF0000);
    const RPresentGeometry geometry = Window_PresentGeometry();
    const int32_t w = geometry.clientW, h = geometry.clientH;
    ASSERT_GE(w, kSize + 2);
    ASSERT_GE(h, kSize + 3);
    std::vector<uint8_t> window(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    auto at = [&](int32_t x, int32_t y) {
        const uint8_t* p = window.data() + (static_cast<size_t>(y) * static_cast<size_t>(w) + x) * 4;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | 0xFF000000u;
    };
    struct Case {
        RPixelRect target;
        int32_t frameX, frameY; // where the frame's (0, 0) lands in the window
    } cases[] = {
        {{2, 3, kSize, kSize}, 2, 3},       // unscaled, with strips around it
        {{0, 0, w, h}, 0, 0},               // stretched over the whole window: no strips
        {{0, 0, kSize, kSize}, 0, 0},       // unscaled in the corner
    };
    for (const Case& c : cases) {
        RPresentation p;
        p.sourceW = p.sourceH = kSize;
        p.target = c.target;
        p.clientW = w;
        p.clientH = h;
        p.windowColor = 0xFF00FF00;
        ASSERT_TRUE(g_device->ReadPresentation(p, window.data()));
        const bool fills = c.target.w == w && c.target.h == h;
        EXPECT_EQ(at(c.frameX, c.frameY), kBackground) << c.target.x;
        EXPECT_EQ(at(w - 1, h - 1), fills ? kBackground : 0xFF00FF00u) << c.target.x;
        EXPECT_EQ(at(0, h - 1), fills ? kBackground : 0xFF00FF00u) << c.target.x;
        if (!fills) {
            EXPECT_EQ(at(c.frameX + 5, c.frameY + 6), 0xFFFF0000u) << c.target.x;
        }
        // Presenting and reading the window leave the frame as it was.
        EXPECT_EQ(Pixel(5, 6), 0xFFFF0000u);
        EXPECT_EQ(Pixel(6, 6), kBackground);
    }
}

TEST_F(GlDrawing, TheBackBufferFollowsTheRegionAndKeepsItsPicture)
{
    Fill(5, 6, 5, 6, 0xFFFF0000);
    Display_SetRegionSize(32, 16);
    int32_t w = 0, h = 0;
    g_device->GetBackBufferSize(w, h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 16);
    EXPECT_EQ(Pixel(5, 6), 0xFFFF0000u);
    EXPECT_EQ(Pixel(31, 15), kBackground);

    Display_SetRegionSize(kSize, kSize);
    EXPECT_EQ(Pixel(5, 6), 0xFFFF0000u);
    EXPECT_EQ(Pixel(31, 15), kBackground);
    EXPECT_EQ(Pixel(40, 40), 0xFF000000u); // new pixels start black

    // A clear of part of the buffer stays inside its viewport; one of the
    // whole buffer reaches every pixel.
    g_device->SetViewport({8, 4, 8, 8});
    g_device->Clear(0xFF0000FF);
    EXPECT_EQ(Pixel(8, 4), 0xFF0000FFu);
    EXPECT_EQ(Pixel(15, 11), 0xFF0000FFu);
    EXPECT_EQ(Pixel(7, 4), kBackground);
    EXPECT_EQ(Pixel(16, 11), kBackground);
    EXPECT_EQ(Pixel(8, 12), kBackground);
    g_device->SetViewport({0, 0, kSize, kSize});
    g_device->Clear(0xFF00FF00);
    EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(Pixel(kSize - 1, kSize - 1), 0xFF00FF00u);
}
