// The window state on the null window: style changes, the remembered
// geometry, region size and scale, mouse functions and the display start-up.
#include "graphics/DisplayStartup.h"
#include "tests/graphics/GraphicsFixture.h"
#include "tests/support/TestSupport.h"

using WindowTest = GraphicsFixture;

TEST_F(WindowTest, FullScreenReturnsToTheWindowedGeometry)
{
    Call("window_set_rectangle", {RValue(0.0), RValue(0.0), RValue(10.0), RValue(10.0)}); // scale 1: size follows the region
    Call("window_set_region_scale", {RValue(-1.0), RValue(0.0)});
    Call("window_set_rectangle", {RValue(30.0), RValue(40.0), RValue(500.0), RValue(300.0)});
    Call("window_set_fullscreen", {RValue(1.0)});
    EXPECT_TRUE(g_window->Frame().fullScreen);
    EXPECT_EQ(Real("window_get_width"), 1024);
    EXPECT_EQ(Real("window_get_fullscreen"), 1);
    Call("window_set_fullscreen", {RValue(0.0)});
    EXPECT_EQ(g_window->ClientBounds(), (RPixelRect{30, 40, 500, 300}));
    EXPECT_FALSE(g_window->Frame().fullScreen);
}

TEST_F(WindowTest, FixedScaleDecidesTheClientSize)
{
    Call("window_set_region_size", {RValue(320.0), RValue(240.0), RValue(1.0)});
    Call("window_set_region_scale", {RValue(1.5), RValue(1.0)});
    Call("window_set_size", {RValue(100.0), RValue(100.0)});
    EXPECT_EQ(Real("window_get_width"), 480);
    EXPECT_EQ(Real("window_get_height"), 360);

    // The player cannot shrink the window below the scaled region.
    Call("window_set_region_scale", {RValue(2.0), RValue(1.0)});
    g_window->ResizeByPlayer(300, 200);
    EXPECT_EQ(g_window->ClientBounds().w, 640);
    EXPECT_EQ(g_window->ClientBounds().h, 480);

    // Without adapting, the region only ever enlarges the client.
    Call("window_set_region_size", {RValue(100.0), RValue(400.0), RValue(0.0)});
    EXPECT_EQ(g_window->ClientBounds().w, 640);
    EXPECT_EQ(g_window->ClientBounds().h, 800);
    // Sizes <= 0 leave that side of the region alone.
    Call("window_set_region_size", {RValue(0.0), RValue(-5.0), RValue(1.0)});
    EXPECT_EQ(Real("window_get_region_width"), 100);
    EXPECT_EQ(Real("window_get_region_height"), 400);
}

TEST_F(WindowTest, ResizeEventsSaveTheGeometryAndRepaint)
{
    Call("window_set_region_scale", {RValue(0.0), RValue(1.0)});
    int64_t presents = g_device->Stats().presents;
    std::vector<EWindowEvent> forwarded;
    g_window->ResizeByPlayer(700, 500);
    RWindowEvent close;
    close.kind = EWindowEvent::Close;
    g_window->QueueEvent(close);
    Window_ProcessEvents([&](const RWindowEvent& e) { forwarded.push_back(e.kind); });
    EXPECT_EQ(WindowState.clientW, 700);
    EXPECT_EQ(forwarded, (std::vector<EWindowEvent>{EWindowEvent::Resized, EWindowEvent::Close}));
    EXPECT_GT(g_device->Stats().presents, presents);
    EXPECT_EQ(g_device->LastPresentation().target, (RPixelRect{0, 0, 700, 500}));
}

TEST_F(WindowTest, MouseThroughWindowRegionAndViews)
{
    Call("window_set_rectangle", {RValue(100.0), RValue(50.0), RValue(0.0), RValue(0.0)});
    g_window->SetScreenMouse(150, 70);
    EXPECT_EQ(Real("window_mouse_get_x"), 50);
    EXPECT_EQ(Real("window_mouse_get_y"), 20);
    EXPECT_EQ(Real("display_mouse_get_x"), 150);

    RViewEntry views[2] = {{true, 1000, 0, 320, 240, 0, 0, 640, 480, 0}, {}};
    Window_PublishViews(views, 2);
    EXPECT_EQ(WindowState.activeViews, 1);
    EXPECT_EQ(Real("window_view_mouse_get_x", {RValue(0.0)}), 1025);
    EXPECT_EQ(Real("window_view_mouse_get_x", {RValue(1.0)}), 50); // inactive: the region point
    EXPECT_EQ(Real("window_view_mouse_get_x", {RValue(40.0)}), 50);
    EXPECT_EQ(Real("window_views_mouse_get_y"), 10);

    Call("window_view_mouse_set", {RValue(0.0), RValue(1100.0), RValue(100.0)});
    int32_t x, y;
    g_window->GetScreenMouse(x, y);
    EXPECT_EQ(x, 100 + 200);
    EXPECT_EQ(y, 50 + 200);
    Call("window_views_mouse_set", {RValue(1010.0), RValue(5.0)});
    g_window->GetScreenMouse(x, y);
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 60);
}

TEST_F(WindowTest, PropertiesAndCursor)
{
    Call("window_set_caption", {RValue("Caf\xe9")});
    EXPECT_EQ(Call("window_get_caption").str.Text(), "Caf\xe9");
    EXPECT_EQ(g_window->Caption(), "Caf\xe9");
    Call("window_set_cursor", {RValue(-1.0)});
    EXPECT_FALSE(Settings.ShowCursor);
    EXPECT_EQ(g_window->Cursor(), -1);
    Call("window_set_cursor", {RValue(-21.0)});
    EXPECT_TRUE(Settings.ShowCursor);
    EXPECT_EQ(Real("window_get_cursor"), -21);
    Call("window_set_stayontop", {RValue(0.7)});
    EXPECT_TRUE(g_window->StayOnTop());
    Call("window_set_showborder", {RValue(0.4)});
    EXPECT_FALSE(g_window->Frame().border);
    Call("window_set_color", {RValue(255.0)});
    EXPECT_EQ(g_device->LastPresentation().windowColor, 0xFFFF0000u);
}

TEST_F(WindowTest, DisplayModesAreEmulated)
{
    // The null screen is 1024 × 768, 32 bits, 60 Hz. The game sees the mode
    // it asked for; the screen itself never changes.
    EXPECT_EQ(Real("display_set_all", {RValue(0.0), RValue(0.0), RValue(0.0), RValue(16.0)}), 1);
    EXPECT_EQ(Real("display_get_colordepth"), 16);
    EXPECT_EQ(Real("display_get_width"), 1024); // fields <= 0 keep their value
    EXPECT_EQ(Real("display_set_size", {RValue(640.0), RValue(480.0)}), 1);
    EXPECT_EQ(Real("display_get_width"), 640);
    EXPECT_EQ(Real("display_get_height"), 480);
    RDisplayMode real;
    g_window->GetDisplayMode(real);
    EXPECT_EQ(real, (RDisplayMode{1024, 768, 32, 60}));
    // Modes no screen has fail, and a test changes nothing.
    EXPECT_EQ(Real("display_set_colordepth", {RValue(24.0)}), 0);
    EXPECT_EQ(Real("display_test_all", {RValue(800.0), RValue(600.0), RValue(75.0), RValue(32.0)}), 1);
    EXPECT_EQ(Real("display_test_all", {RValue(99999.0), RValue(600.0), RValue(75.0), RValue(32.0)}), 0);
    EXPECT_EQ(Real("display_get_width"), 640);
    EXPECT_EQ(Real("display_get_frequency"), 60);

    // Full screen shows the region as that screen would, scaled onto the
    // real one: 640 × 480 becomes 1024 × 768 (factor 1.6).
    Call("window_set_region_size", {RValue(320.0), RValue(240.0), RValue(1.0)});
    Call("window_set_fullscreen", {RValue(1.0)});
    Display_PresentFrame();
    EXPECT_EQ(g_device->LastPresentation().target, (RPixelRect{256, 192, 512, 384}));
    const RPresentGeometry geometry = Window_PresentGeometry();
    EXPECT_EQ(Display_ClientToRegion(geometry, 256 + 1.6 * 100, 192 + 1.6 * 50), (RRegionPoint{100, 50}));
    EXPECT_EQ(Display_RegionToClient(geometry, 100, 50), (RRegionPoint{416, 272}));

    EXPECT_EQ(Real("display_reset"), 0);
    EXPECT_EQ(Real("display_get_width"), 1024);
    EXPECT_EQ(Real("display_get_colordepth"), 32);
    Display_PresentFrame();
    EXPECT_EQ(g_device->LastPresentation().target, (RPixelRect{352, 264, 320, 240}));
}

namespace {

struct RStartResult {
    bool started;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
};

RStartResult StartWith(const GameSettings& settings, std::unique_ptr<CNullGameWindow> window, bool answer)
{
    CMessageCapture capture;
    RStartResult result;
    Platform_SetQuestionHook([&](const std::string& q) {
        result.questions.push_back(q);
        return answer;
    });
    result.started = Display_Start(settings, std::move(window));
    Platform_SetQuestionHook(nullptr);
    result.messages = capture.Messages();
    return result;
}

} // namespace

TEST_F(WindowTest, StartUpAppliesTheSettings)
{
    Display_Close();
    GameSettings settings;
    settings.Scaling = 200;
    settings.Sizeable = true;
    settings.NoBorder = true;
    settings.WindowColor = 0x0000FF;
    settings.Interpolate = true;
    settings.ShowCursor = false;
    settings.SetDisplayMode = true;
    settings.Resolution = 3; // 800 × 600
    settings.Frequency = 3;  // 85 Hz
    auto window = std::make_unique<CNullGameWindow>();
    CNullGameWindow* raw = window.get();
    RStartResult r = StartWith(settings, std::move(window), true);
    ASSERT_TRUE(r.started);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(WindowState.regionW, 8);
    EXPECT_EQ(WindowState.regionScale, 2.0);
    EXPECT_EQ(raw->ClientBounds().w, 16);
    EXPECT_TRUE(raw->Frame().sizeable);
    EXPECT_FALSE(raw->Frame().border);
    EXPECT_EQ(raw->Cursor(), -1);
    EXPECT_TRUE(DrawState.interpolate);
    EXPECT_EQ(WindowState.color, 0x0000FF);
    EXPECT_FALSE(raw->IsVisible()); // shown by whoever starts the game
    EXPECT_EQ(Real("display_get_width"), 800);
    EXPECT_EQ(Real("display_get_frequency"), 85);
    EXPECT_EQ(Real("display_get_colordepth"), 32); // kept
}

TEST_F(WindowTest, StartUpFailuresTellWhy)
{
    Display_Close();
    GameSettings settings;
    // A 24-bit screen: the player is asked; No ends the start, Yes takes
    // 16 bits (emulated, as every mode) and the game starts.
    auto window = std::make_unique<CNullGameWindow>(RDisplayMode{1024, 768, 24, 60});
    RStartResult no = StartWith(settings, std::move(window), false);
    EXPECT_FALSE(no.started);
    EXPECT_EQ(no.questions, std::vector<std::string>{kColorModeQuestion});
    window = std::make_unique<CNullGameWindow>(RDisplayMode{1024, 768, 24, 60});
    RStartResult yes = StartWith(settings, std::move(window), true);
    EXPECT_TRUE(yes.started);
    EXPECT_TRUE(yes.messages.empty());
    EXPECT_EQ(Real("display_get_colordepth"), 16);
    // A chosen colour depth skips the question.
    settings.SetDisplayMode = true;
    settings.ColorDepth = 2;
    window = std::make_unique<CNullGameWindow>(RDisplayMode{1024, 768, 24, 60});
    EXPECT_TRUE(StartWith(settings, std::move(window), true).questions.empty());

    settings = GameSettings();
    window = std::make_unique<CNullGameWindow>();
    window->FailDeviceCreation(true);
    EXPECT_EQ(StartWith(settings, std::move(window), true).messages, std::vector<std::string>{kDisplaySurfacesMessage});
    window = std::make_unique<CNullGameWindow>();
    window->SetDisplayModeReadable(false);
    EXPECT_EQ(StartWith(settings, std::move(window), true).messages, std::vector<std::string>{kDisplayModeMessage});
    EXPECT_EQ(Display_Device(), nullptr);
    EXPECT_EQ(Real("display_get_width"), 0); // no device: functions still answer
}
