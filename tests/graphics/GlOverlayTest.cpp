// The runner's own pictures over the game window through the real OpenGL
// device: a dialog's picture blended over the last frame until the game's
// next frame, and the debug window drawing beside the game without
// disturbing it. Skipped where no OpenGL 3.3 context can be made.
#include "graphics/Display.h"
#include "platform/DebugWindowUi.h"
#include "tests/graphics/GlTestSupport.h"

#include <set>

namespace {

class GlOverlay : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }
    void SetUp() override
    {
        if (const char* why = OpenGlDisplay(64, 64))
            GTEST_SKIP() << why;
        Display_Device()->Clear(0xFF6496C8);
        Display_EndFrameAndPresent();
    }
    void TearDown() override { Display_Close(); }

    static uint32_t WindowPixel(int32_t x, int32_t y)
    {
        TBitmap32 picture;
        EXPECT_TRUE(Display_ReadWindow(picture));
        return picture.IsEmpty() ? 0 : picture.PixelAt(x, y);
    }
};

TEST_F(GlOverlay, DialogPictureStaysUntilTheGameShowsItsNextFrame)
{
    const uint32_t before = WindowPixel(15, 15);
    TBitmap32 dialog(32, 32); // transparent but for a red square
    for (int32_t y = 10; y < 20; ++y)
        for (int32_t x = 10; x < 20; ++x)
            dialog.SetPixel(x, y, 0xFFFF0000);
    ASSERT_TRUE(Display_SetOverlay(dialog, 1.0));
    Display_PresentFrame();
    EXPECT_TRUE(Near(WindowPixel(15, 15), 0xFFFF0000));
    EXPECT_TRUE(Near(WindowPixel(5, 5), before)); // see-through where the dialog is not
    ASSERT_TRUE(Display_SetOverlay(dialog, 0.5));
    const uint32_t half = WindowPixel(15, 15);
    EXPECT_TRUE(Near(half, 0xFF000000 | (((0xFF + ((before >> 16) & 0xFF)) / 2) << 16) |
                               (((before >> 8) & 0xFF) / 2) << 8 | ((before & 0xFF) / 2)));
    // Closed: still the last frame shown, until the game presents again.
    Display_ReleaseOverlay();
    EXPECT_EQ(WindowPixel(15, 15), half);
    Display_EndFrameAndPresent();
    EXPECT_EQ(WindowPixel(15, 15), before);
}

TEST_F(GlOverlay, DebugWindowDrawsBesideTheGame)
{
    std::unique_ptr<IDebugWindowUi> window = Platform_OpenDebugWindow();
    if (!window)
        GTEST_SKIP() << "no second window on this video driver";
    RDebugView view;
    view.watches = {{"1/3", "0.3333333333"}};
    view.status[0] = "30 fps";
    std::vector<uint8_t> pixels;
    int32_t w = 0, h = 0;
    ASSERT_TRUE(window->Capture(view, pixels, w, h));
    ASSERT_EQ(pixels.size(), static_cast<size_t>(w) * h * 4);
    std::set<uint32_t> colors;
    for (size_t k = 0; k < pixels.size(); k += 4 * 97)
        colors.insert(pixels[k] | pixels[k + 1] << 8 | pixels[k + 2] << 16);
    EXPECT_GT(colors.size(), 3u); // widgets and text, not an empty window
    EXPECT_TRUE(window->TakeRequests().empty());
    // The game's drawing goes on in its own context.
    Display_Device()->Clear(0xFF00FF00);
    TBitmap32 pixel;
    ASSERT_TRUE(Display_ReadScreen(1, 1, 1, 1, pixel));
    EXPECT_EQ(pixel.PixelAt(0, 0), 0xFF00FF00u);
}

} // namespace
