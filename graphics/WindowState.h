// The live state of the game window: style flags, the remembered windowed
// geometry, the drawing region with its scale, and the view table used to
// turn mouse positions into room positions. Every change goes through here
// and on to the platform window attached with Window_Attach.
#pragma once

#include "graphics/ViewMapping.h"
#include "platform/GameWindow.h"

#include <cstdint>
#include <string>

struct RWindowState {
    bool fullScreen = false;
    bool showBorder = true;
    bool showIcons = true;
    bool sizeable = true;
    bool stayOnTop = false;
    bool updating = false; // while the style is applied: no geometry saving
    // The windowed client area, remembered so that leaving full screen or a
    // style change puts the window back where it was.
    int32_t clientX = 100, clientY = 100;
    int32_t clientW = 640, clientH = 480;
    int32_t frameW = 8, frameH = 32; // window size minus client size
    int32_t regionW = 640, regionH = 480;
    double regionScale = 1.0; // > 0 fixed, 0 stretch, < 0 keep the aspect ratio
    int32_t color = 0xFFFFFF; // 0xBBGGRR around the presented picture
    int32_t cursor = 0;
    std::string caption;
    TViewTable views;
    int32_t activeViews = 0;
};

extern RWindowState WindowState;

// The platform window the state is applied to (not owned); null detaches.
// Attaching resets the state to its initial values.
void Window_Attach(IGameWindow* window);
IGameWindow* Window_Platform();

void Window_SaveGeometry();
void Window_ApplyStyle();

void Window_SetVisible(bool visible);
bool Window_IsVisible();
void Window_SetFullScreen(bool on);
void Window_SetShowBorder(bool on);
void Window_SetShowIcons(bool on);
void Window_SetSizeable(bool on);
void Window_SetStayOnTop(bool on);
void Window_SetCaption(const std::string& caption);
// Also records in the settings whether a cursor is shown at all.
void Window_SetCursor(int32_t cursor);
void Window_SetColor(int32_t color);
void Window_SetPosition(int32_t x, int32_t y);
// With a fixed scale the size always follows the region instead.
void Window_SetSize(int32_t w, int32_t h);
void Window_SetRectangle(int32_t x, int32_t y, int32_t w, int32_t h);
void Window_Center();
void Window_Default();
void Window_SetRegionSize(int32_t w, int32_t h, bool adapt);
void Window_SetRegionScale(double scale, bool adapt);

// The client area as the window has it now (full screen included).
RPixelRect Window_ClientBounds();
RPresentGeometry Window_PresentGeometry();
// The mouse relative to the client origin, and in region pixels.
void Window_MouseInClient(int32_t& x, int32_t& y);
RRegionPoint Window_MouseInRegion();
// Puts the mouse on a region point.
void Window_SetMouseToRegion(double x, double y);

// Fills the view table (entries past the given ones become inactive).
void Window_PublishViews(const RViewEntry* entries, int32_t count);

// Window events the display handles itself (resizing, painting); all events
// then go on to forward.
void Window_ProcessEvents(const WindowEventHandler& forward);
void Window_HandleEvent(const RWindowEvent& event);
