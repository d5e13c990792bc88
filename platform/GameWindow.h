// The game window and the screen it lives on, as the rest of the runner sees
// them: one window, its style and geometry, the cursor, the display mode and
// the stream of window events. A real implementation sits on SDL; a null one
// serves headless runs and tests and simply remembers what it was told.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class IRenderDevice;
class IWidgetSession;

struct RDisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t refreshRate = 0; // Hz
    bool operator==(const RDisplayMode&) const = default;
};

// A rectangle in whole pixels.
struct RPixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    bool operator==(const RPixelRect&) const = default;
};

// How the window is framed. Full screen is a borderless window covering the
// screen; the display mode itself is never changed.
struct RWindowFrame {
    bool fullScreen = false;
    bool border = true;
    bool captionButtons = true;
    bool sizeable = true;
    bool operator==(const RWindowFrame&) const = default;
};

enum class EWindowEvent : int32_t {
    Close,       // the player asked to close the window; it stays open
    Resized,     // the client area changed size (w, h)
    Paint,       // the client area needs to be shown again
    KeyDown,     // key, scancode (the platform's codes), repeat
    KeyUp,       // key, scancode
    Text,        // text: UTF-8 typed by the player
    MouseDown,   // button 1 left, 2 right, 3 middle; x, y in the client area
    MouseUp,
    MouseWheel,  // wheel: positive away from the player
    MouseMove,   // x, y in the client area
    FocusGained,
    FocusLost,
};

struct RWindowEvent {
    EWindowEvent kind = EWindowEvent::Paint;
    int32_t key = 0;
    int32_t scancode = 0;
    bool repeat = false;
    int32_t button = 0;
    int32_t wheel = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    std::string text;
};

using WindowEventHandler = std::function<void(const RWindowEvent&)>;

class IGameWindow {
public:
    virtual ~IGameWindow() = default;

    // True for the null window: nothing is shown and no pixels exist.
    virtual bool IsHeadless() const = 0;

    // The screen: its current mode (false when it cannot be read) and the
    // mouse in screen coordinates.
    virtual bool GetDisplayMode(RDisplayMode& mode) const = 0;
    virtual void GetScreenMouse(int32_t& x, int32_t& y) const = 0;
    virtual void SetScreenMouse(int32_t x, int32_t y) = 0;
    // Blocks until the display's next refresh begins.
    virtual void WaitVerticalBlank() = 0;

    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    // The caption in the game's own encoding (Windows-1252).
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetFrame(const RWindowFrame& frame) = 0;
    virtual void SetStayOnTop(bool onTop) = 0;
    // The client area in screen coordinates. Full screen ignores the bounds
    // given while it lasts.
    virtual void SetClientBounds(const RPixelRect& bounds) = 0;
    virtual RPixelRect ClientBounds() const = 0;
    // Window size minus client size, from the current frame.
    virtual void GetFrameSize(int32_t& w, int32_t& h) const = 0;
    // The player cannot shrink the client area below this (0 for no limit).
    virtual void SetMinimumClientSize(int32_t w, int32_t h) = 0;
    // A cursor number of the game (0 default, -1 none, -2 arrow ... -22).
    virtual void SetCursor(int32_t cursor) = 0;
    virtual void SetScreenSaverAllowed(bool allowed) = 0;

    // Hands every waiting event to handler, then returns.
    virtual void PumpEvents(const WindowEventHandler& handler) = 0;

    // The drawing device of this window; null with error set on failure.
    virtual std::unique_ptr<IRenderDevice> CreateRenderDevice(std::string& error) = 0;
    // Widgets drawn over this window (the standard dialogs); null where the
    // window shows nothing.
    virtual std::unique_ptr<IWidgetSession> OpenWidgets();
};

// The real window, hidden until shown. Without any usable video system (or
// when headless is asked for) the null window comes back instead, and
// fellBack says so when it was not asked for.
std::unique_ptr<IGameWindow> Platform_OpenGameWindow(bool headless, bool* fellBack = nullptr);
