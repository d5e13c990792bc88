// The game window on SDL, and the choice between it and the null window.
// Full screen uses SDL's desktop-sized borderless mode, so the screen's own
// display mode never changes.
#include "platform/GameWindow.h"

#include "platform/Clock.h"
#include "platform/GlDevice.h"
#include "platform/ImGuiSession.h"
#include "platform/NullVideo.h"
#include "platform/SdlEventRouter.h"
#include "platform/TextEncoding.h"

#include <SDL.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#include <emscripten/html5.h>
#endif

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace {


// The nearest system cursor for each cursor number of the game.
SDL_SystemCursor CursorShape(int32_t cursor)
{
    switch (cursor) {
    case -3:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case -4:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case -6:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case -7:
    case -15:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case -8:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case -9:
    case -14:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case -11:
        return SDL_SYSTEM_CURSOR_WAIT;
    case -13:
    case -18:
        return SDL_SYSTEM_CURSOR_NO;
    case -17:
    case -19:
        return SDL_SYSTEM_CURSOR_WAITARROW;
    case -21:
        return SDL_SYSTEM_CURSOR_HAND;
    case -22:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    default:
        return SDL_SYSTEM_CURSOR_ARROW;
    }
}

#ifdef __EMSCRIPTEN__
// Set by the page (brindle-pack --web) for games that scale to their window.
bool PageFillsWindow()
{
    return EM_ASM_INT({ return Module['fillPage'] ? 1 : 0; }) != 0;
}
#endif

class CSdlGameWindow : public IGameWindow {
public:
    explicit CSdlGameWindow(SDL_Window* window) : s_window(window) {}
    ~CSdlGameWindow() override;

    bool IsHeadless() const override { return false; }
    bool GetDisplayMode(RDisplayMode& mode) const override;
    void GetScreenMouse(int32_t& x, int32_t& y) const override;
    void SetScreenMouse(int32_t x, int32_t y) override { SDL_WarpMouseGlobal(x, y); }
    void WaitVerticalBlank() override;
    void SetVisible(bool visible) override;
    bool IsVisible() const override { return (SDL_GetWindowFlags(s_window) & SDL_WINDOW_SHOWN) != 0; }
    void SetCaption(const std::string& caption) override
    {
        SDL_SetWindowTitle(s_window, Cp1252ToUtf8(caption).c_str());
    }
    void SetFrame(const RWindowFrame& frame) override;
    void SetStayOnTop(bool onTop) override { SDL_SetWindowAlwaysOnTop(s_window, onTop ? SDL_TRUE : SDL_FALSE); }
    void SetClientBounds(const RPixelRect& bounds) override;
    RPixelRect ClientBounds() const override;
    void GetFrameSize(int32_t& w, int32_t& h) const override;
    void SetMinimumClientSize(int32_t w, int32_t h) override
    {
        SDL_SetWindowMinimumSize(s_window, std::max(w, 1), std::max(h, 1));
    }
    void SetCursor(int32_t cursor) override;
    void SetScreenSaverAllowed(bool allowed) override
    {
        if (allowed)
            SDL_EnableScreenSaver();
        else
            SDL_DisableScreenSaver();
    }
    void PumpEvents(const WindowEventHandler& handler) override;
    std::unique_ptr<IRenderDevice> CreateRenderDevice(std::string& error) override
    {
        return Platform_CreateGlDevice(s_window, error);
    }
    std::unique_ptr<IWidgetSession> OpenWidgets() override { return Platform_OpenImGuiSession(s_window); }

private:
#ifdef __EMSCRIPTEN__
    // A page that fills the browser window with the game (the game scales
    // its picture to the window) sets the canvas' size by style; the game
    // window then takes the size the canvas shows at, whatever it asks for.
    bool FillsPage() const { return s_fillsPage; }
    void FollowPageSize()
    {
        if (!s_fillsPage)
            return;
        double cssW = 0, cssH = 0;
        if (emscripten_get_element_css_size("#canvas", &cssW, &cssH) != EMSCRIPTEN_RESULT_SUCCESS)
            return;
        int w = std::max(static_cast<int>(cssW), 1), h = std::max(static_cast<int>(cssH), 1);
        int nowW = 0, nowH = 0;
        SDL_GetWindowSize(s_window, &nowW, &nowH);
        if (w != nowW || h != nowH)
            SDL_SetWindowSize(s_window, w, h); // reported back as a size change
    }
    const bool s_fillsPage = PageFillsWindow();
#endif

    SDL_Window* s_window;
    RWindowFrame s_frame;
    std::array<SDL_Cursor*, SDL_NUM_SYSTEM_CURSORS> s_cursors{};
};

CSdlGameWindow::~CSdlGameWindow()
{
    for (SDL_Cursor* cursor : s_cursors)
        if (cursor)
            SDL_FreeCursor(cursor);
    SDL_DestroyWindow(s_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool CSdlGameWindow::GetDisplayMode(RDisplayMode& mode) const
{
    SDL_DisplayMode current;
    if (SDL_GetCurrentDisplayMode(std::max(SDL_GetWindowDisplayIndex(s_window), 0), &current) != 0)
        return false;
    mode.width = current.w;
    mode.height = current.h;
    // X servers report a depth of 24 for 4-byte pixels; games know that as 32.
    int bytes = SDL_BYTESPERPIXEL(current.format);
    mode.bitsPerPixel = bytes == 4 ? 32 : static_cast<int32_t>(SDL_BITSPERPIXEL(current.format));
    // Some drivers do not know their rate; 60 Hz is what a screen most likely has.
    mode.refreshRate = current.refresh_rate > 0 ? current.refresh_rate : 60;
    return true;
}

void CSdlGameWindow::GetScreenMouse(int32_t& x, int32_t& y) const
{
    int gx = 0, gy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    x = gx;
    y = gy;
}

void CSdlGameWindow::WaitVerticalBlank()
{
    // No portable call waits for the blank itself: sleep to the next tick of
    // the refresh rate instead.
    RDisplayMode mode;
    int32_t rate = GetDisplayMode(mode) && mode.refreshRate > 0 ? mode.refreshRate : 60;
    int64_t period = 1000000 / rate;
    int64_t now = Platform_MonotonicMicroseconds();
    int64_t next = (now / period + 1) * period;
    Platform_SleepMicroseconds(next - now);
}

void CSdlGameWindow::SetVisible(bool visible)
{
    if (visible)
        SDL_ShowWindow(s_window);
    else
        SDL_HideWindow(s_window);
}

void CSdlGameWindow::SetFrame(const RWindowFrame& frame)
{
    // Caption buttons cannot be chosen separately here: the window manager
    // shows those it shows for any window with a border.
    s_frame = frame;
    SDL_SetWindowFullscreen(s_window, frame.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!frame.fullScreen) {
        SDL_SetWindowBordered(s_window, frame.border ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowResizable(s_window, frame.sizeable && frame.border ? SDL_TRUE : SDL_FALSE);
    }
}

void CSdlGameWindow::SetClientBounds(const RPixelRect& bounds)
{
    if (s_frame.fullScreen)
        return;
#ifdef __EMSCRIPTEN__
    if (FillsPage())
        return;
#endif
    SDL_SetWindowSize(s_window, std::max(bounds.w, 1), std::max(bounds.h, 1));
    SDL_SetWindowPosition(s_window, bounds.x, bounds.y);
}

RPixelRect CSdlGameWindow::ClientBounds() const
{
    RPixelRect r;
    SDL_GetWindowPosition(s_window, &r.x, &r.y);
    SDL_GetWindowSize(s_window, &r.w, &r.h);
    return r;
}

void CSdlGameWindow::GetFrameSize(int32_t& w, int32_t& h) const
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(s_window, &top, &left, &bottom, &right) != 0)
        top = left = bottom = right = 0;
    w = left + right;
    h = top + bottom;
}

void CSdlGameWindow::SetCursor(int32_t cursor)
{
    if (cursor == -1) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_ShowCursor(SDL_ENABLE);
    SDL_SystemCursor shape = CursorShape(cursor);
    if (!s_cursors[shape])
        s_cursors[shape] = SDL_CreateSystemCursor(shape);
    if (s_cursors[shape]) // some video drivers have no cursors at all
        SDL_SetCursor(s_cursors[shape]);
}

void CSdlGameWindow::PumpEvents(const WindowEventHandler& handler)
{
    Platform_YieldNowAndThen();
#ifdef __EMSCRIPTEN__
    FollowPageSize();
#endif
    const uint32_t self = SDL_GetWindowID(s_window);
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        // The runner's other windows take their own events; events of
        // windows already gone are dropped.
        if (SdlEvents_Route(e))
            continue;
        const uint32_t window = SdlEvents_WindowOf(e);
        if (window != 0 && window != self)
            continue;
        RWindowEvent out;
        if (SdlEvents_Translate(e, out) && handler)
            handler(out);
    }
}

bool HasEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

std::unique_ptr<IGameWindow> OpenSdlWindow(std::string& error)
{
    // Without a display server SDL would settle on a driver that shows
    // nothing (and probing on the way prints complaints); that is the null
    // window's job. A driver asked for by name is always tried.
#ifdef __EMSCRIPTEN__
    bool asked = true; // the page is the display
#else
    bool asked = HasEnvironment("SDL_VIDEODRIVER");
#endif
    if (!asked && !HasEnvironment("DISPLAY") && !HasEnvironment("WAYLAND_DISPLAY")) {
        error = "no display server";
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if (!asked && (driver == "offscreen" || driver == "dummy")) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        error = "no display server";
        return nullptr;
    }
#ifdef __EMSCRIPTEN__
    // WebGL 2.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
#else
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
#endif
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_Window* window = SDL_CreateWindow("", 100, 100, 640, 480, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    return std::make_unique<CSdlGameWindow>(window);
}

} // namespace

std::unique_ptr<IGameWindow> Platform_OpenGameWindow(bool headless, bool* fellBack)
{
    if (fellBack)
        *fellBack = false;
    if (!headless) {
        std::string error;
        if (auto window = OpenSdlWindow(error))
            return window;
        std::fprintf(stderr, "No display available (%s); running without a window, as with --headless.\n", error.c_str());
        if (fellBack)
            *fellBack = true;
    }
    return std::make_unique<CNullGameWindow>();
}
