// Windows of the runner's own beside the game window (the information page,
// a splash screen in a window of its own, the debug window's views): each
// shows a picture the runner paints and reports its keys, clicks and close
// button. Their events arrive while the game window's events are pumped,
// and wait in the panel until taken. Without a display there are none.
#pragma once

#include "platform/GameWindow.h"

#include <cstdint>
#include <memory>
#include <string>

struct RPanelStyle {
    std::string caption;  // Windows-1252
    RPixelRect bounds;    // the client area on the screen; x or y below 0: centred
    bool border = true;   // a frame and caption, else none
    bool sizeable = false;
    bool stayOnTop = false;
    bool cursor = true;   // the pointer shows over the window
};

class IPanelWindow {
public:
    virtual ~IPanelWindow() = default;
    // pixels: w × h, blue, green, red, alpha bytes, rows from the top, drawn
    // from the client's top-left.
    virtual void ShowPicture(const uint8_t* pixels, int32_t w, int32_t h) = 0;
    virtual RPixelRect ClientBounds() const = 0;
    virtual void SetClientBounds(const RPixelRect& bounds) = 0;
    // Hands every event that arrived for this window to handler.
    virtual void TakeEvents(const WindowEventHandler& handler) = 0;
};

// Null without a display (or headless).
std::unique_ptr<IPanelWindow> Platform_OpenPanelWindow(const RPanelStyle& style);
