// Window style, geometry and region size.
#include "graphics/WindowState.h"

#include "code/Value.h"
#include "data/GameSettings.h"
#include "graphics/Display.h"

#include <algorithm>

RWindowState WindowState;

namespace {

IGameWindow* Platform = nullptr;

int32_t Clamp32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// The client size a fixed scale asks for.
int32_t Scaled(int32_t size, double scale)
{
    return Clamp32(RoundToInteger(size * scale));
}

// The player may not shrink the window below the scaled region.
void UpdateMinimumSize()
{
    if (!Platform)
        return;
    if (WindowState.regionScale > 0)
        Platform->SetMinimumClientSize(Scaled(WindowState.regionW, WindowState.regionScale),
                                       Scaled(WindowState.regionH, WindowState.regionScale));
    else
        Platform->SetMinimumClientSize(0, 0);
}

RDisplayMode Screen()
{
    RDisplayMode mode{640, 480, 32, 60};
    if (Platform)
        Platform->GetDisplayMode(mode);
    return mode;
}

// The region or the scale changed: make the client fit.
void FitClientToRegion(bool adapt)
{
    if (WindowState.regionScale > 0) {
        int32_t w = Scaled(WindowState.regionW, WindowState.regionScale);
        int32_t h = Scaled(WindowState.regionH, WindowState.regionScale);
        Window_SaveGeometry();
        if (adapt) {
            WindowState.clientW = w;
            WindowState.clientH = h;
        } else {
            WindowState.clientW = std::max(WindowState.clientW, w);
            WindowState.clientH = std::max(WindowState.clientH, h);
        }
        UpdateMinimumSize();
        Window_ApplyStyle();
    } else {
        UpdateMinimumSize();
    }
    Display_PaintWindow();
}

} // namespace

void Window_Attach(IGameWindow* window)
{
    Platform = window;
    WindowState = RWindowState();
}

IGameWindow* Window_Platform()
{
    return Platform;
}

void Window_SaveGeometry()
{
    if (!Platform || WindowState.fullScreen || WindowState.updating)
        return;
    RPixelRect client = Platform->ClientBounds();
    WindowState.clientX = client.x;
    WindowState.clientY = client.y;
    WindowState.clientW = client.w;
    WindowState.clientH = client.h;
    Platform->GetFrameSize(WindowState.frameW, WindowState.frameH);
}

void Window_ApplyStyle()
{
    if (!Platform)
        return;
    WindowState.updating = true;
    Platform->SetFrame({WindowState.fullScreen, WindowState.showBorder, WindowState.showIcons, WindowState.sizeable});
    if (!WindowState.fullScreen)
        Platform->SetClientBounds(
            {WindowState.clientX, WindowState.clientY, WindowState.clientW, WindowState.clientH});
    WindowState.updating = false;
}

void Window_SetVisible(bool visible)
{
    if (Platform)
        Platform->SetVisible(visible);
}

bool Window_IsVisible()
{
    return Platform && Platform->IsVisible();
}

void Window_SetFullScreen(bool on)
{
    if (on == WindowState.fullScreen)
        return;
    Window_SaveGeometry();
    WindowState.fullScreen = on;
    Window_ApplyStyle();
}

void Window_SetShowBorder(bool on)
{
    Window_SaveGeometry();
    WindowState.showBorder = on;
    Window_ApplyStyle();
}

void Window_SetShowIcons(bool on)
{
    Window_SaveGeometry();
    WindowState.showIcons = on;
    Window_ApplyStyle();
}

void Window_SetSizeable(bool on)
{
    Window_SaveGeometry();
    WindowState.sizeable = on;
    Window_ApplyStyle();
}

void Window_SetStayOnTop(bool on)
{
    WindowState.stayOnTop = on;
    if (Platform)
        Platform->SetStayOnTop(on);
}

void Window_SetCaption(const std::string& caption)
{
    WindowState.caption = caption;
    if (Platform)
        Platform->SetCaption(caption);
}

void Window_SetCursor(int32_t cursor)
{
    WindowState.cursor = cursor;
    Settings.ShowCursor = cursor != -1;
    if (Platform)
        Platform->SetCursor(cursor);
}

void Window_SetColor(int32_t color)
{
    WindowState.color = color;
    Display_PaintWindow();
}

void Window_SetPosition(int32_t x, int32_t y)
{
    Window_SaveGeometry();
    WindowState.clientX = x;
    WindowState.clientY = y;
    Window_ApplyStyle();
}

void Window_SetSize(int32_t w, int32_t h)
{
    Window_SaveGeometry();
    if (WindowState.regionScale > 0) {
        w = Scaled(WindowState.regionW, WindowState.regionScale);
        h = Scaled(WindowState.regionH, WindowState.regionScale);
    }
    WindowState.clientW = w;
    WindowState.clientH = h;
    Window_ApplyStyle();
}

void Window_SetRectangle(int32_t x, int32_t y, int32_t w, int32_t h)
{
    Window_SaveGeometry();
    if (WindowState.regionScale > 0) {
        w = Scaled(WindowState.regionW, WindowState.regionScale);
        h = Scaled(WindowState.regionH, WindowState.regionScale);
    }
    WindowState.clientX = x;
    WindowState.clientY = y;
    WindowState.clientW = w;
    WindowState.clientH = h;
    Window_ApplyStyle();
}

void Window_Center()
{
    Window_SaveGeometry();
    RDisplayMode screen = Screen();
    WindowState.clientX = (screen.width - WindowState.clientW) / 2;
    WindowState.clientY = (screen.height - WindowState.clientH) / 2;
    Window_ApplyStyle();
}

void Window_Default()
{
    Window_SaveGeometry();
    int32_t w = WindowState.regionW, h = WindowState.regionH;
    if (WindowState.regionScale > 0) {
        w = Scaled(w, WindowState.regionScale);
        h = Scaled(h, WindowState.regionScale);
    }
    RDisplayMode screen = Screen();
    WindowState.clientW = w;
    WindowState.clientH = h;
    WindowState.clientX = (screen.width - w) / 2;
    WindowState.clientY = (screen.height - h) / 2;
    Window_ApplyStyle();
}

void Window_SetRegionSize(int32_t w, int32_t h, bool adapt)
{
    if (w > 0)
        WindowState.regionW = w;
    if (h > 0)
        WindowState.regionH = h;
    FitClientToRegion(adapt);
}

void Window_SetRegionScale(double scale, bool adapt)
{
    WindowState.regionScale = scale;
    FitClientToRegion(adapt);
}

RPixelRect Window_ClientBounds()
{
    if (!Platform)
        return {WindowState.clientX, WindowState.clientY, WindowState.clientW, WindowState.clientH};
    return Platform->ClientBounds();
}

RPresentGeometry Window_PresentGeometry()
{
    RPixelRect client = Window_ClientBounds();
    RPresentGeometry geometry{client.w, client.h, WindowState.regionW, WindowState.regionH, WindowState.regionScale};
    // A display mode of the game's own covers the real screen in full screen.
    if (WindowState.fullScreen)
        Display_GetEmulatedScreen(geometry.screenW, geometry.screenH);
    if (!WindowState.fullScreen || geometry.screenW <= 0)
        geometry.screenW = geometry.screenH = 0;
    return geometry;
}

void Window_MouseInClient(int32_t& x, int32_t& y)
{
    x = y = 0;
    if (!Platform)
        return;
    Platform->GetScreenMouse(x, y);
    RPixelRect client = Platform->ClientBounds();
    x -= client.x;
    y -= client.y;
}

RRegionPoint Window_MouseInRegion()
{
    int32_t x, y;
    Window_MouseInClient(x, y);
    return Display_ClientToRegion(Window_PresentGeometry(), x, y);
}

void Window_SetMouseToRegion(double x, double y)
{
    if (!Platform)
        return;
    RRegionPoint client = Display_RegionToClient(Window_PresentGeometry(), x, y);
    RPixelRect bounds = Platform->ClientBounds();
    Platform->SetScreenMouse(Clamp32(bounds.x + client.x), Clamp32(bounds.y + client.y));
}

void Window_PublishViews(const RViewEntry* entries, int32_t count)
{
    WindowState.activeViews = 0;
    for (int32_t k = 0; k < kViewTableSize; ++k) {
        RViewEntry& slot = WindowState.views[static_cast<size_t>(k)];
        slot = k < count ? entries[k] : RViewEntry();
        if (slot.active)
            ++WindowState.activeViews;
    }
}

void Window_HandleEvent(const RWindowEvent& event)
{
    switch (event.kind) {
    case EWindowEvent::Resized:
        Window_SaveGeometry();
        Display_PaintWindow();
        break;
    case EWindowEvent::Paint:
        Display_PaintWindow();
        break;
    default:
        break;
    }
}

void Window_ProcessEvents(const WindowEventHandler& forward)
{
    if (!Platform)
        return;
    Platform->PumpEvents([&forward](const RWindowEvent& event) {
        Window_HandleEvent(event);
        if (forward)
            forward(event);
    });
}
