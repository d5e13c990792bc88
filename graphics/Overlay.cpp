// Pictures over the game window.
#include "graphics/Overlay.h"

#include "graphics/Display.h"
#include "graphics/WindowState.h"
#include "platform/StandardDialogs.h"

bool Overlay_GetClientSize(int32_t& w, int32_t& h)
{
    const RPresentGeometry geometry = Window_PresentGeometry();
    w = geometry.clientW;
    h = geometry.clientH;
    const IRenderDevice* device = Display_Device();
    return device && !device->IsHeadless() && w > 0 && h > 0;
}

void Overlay_Present(const TBitmap32& picture, double opacity)
{
    if (Display_SetOverlay(picture, opacity))
        Display_PresentFrame();
}

void Overlay_Release()
{
    Display_ReleaseOverlay();
}

void Overlay_PumpEvents(const WindowEventHandler& handler)
{
    Window_ProcessEvents(handler);
}

bool Overlay_GetScreenSize(int32_t& w, int32_t& h)
{
    RDisplayMode mode;
    IGameWindow* window = Display_Window();
    if (!window || !window->GetDisplayMode(mode))
        return false;
    w = mode.width;
    h = mode.height;
    return true;
}

RDialogSurface Overlay_DialogSurface()
{
    RDialogSurface surface;
    surface.window = Display_Window();
    surface.device = Display_Device();
    surface.presentation = [] { return Display_CurrentPresentation(); };
    return surface;
}
