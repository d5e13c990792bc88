// Dialogs in windows of their own.
#include "dialogs/PanelHost.h"

#include "graphics/Overlay.h"

CPanelHost::CPanelHost(const RPanelStyle& style)
{
    // A run without a game window (headless) shows no window of its own either.
    int32_t w = 0, h = 0;
    if (Overlay_GetClientSize(w, h))
        p_panel = Platform_OpenPanelWindow(style);
}

bool CPanelHost::GetSize(int32_t& w, int32_t& h)
{
    if (!p_panel)
        return false;
    const RPixelRect bounds = p_panel->ClientBounds();
    w = bounds.w;
    h = bounds.h;
    return w > 0 && h > 0;
}

void CPanelHost::Present(const TBitmap32& picture, double)
{
    if (p_panel)
        p_panel->ShowPicture(picture.Pixels(), picture.Width(), picture.Height());
}

void CPanelHost::Pump(const WindowEventHandler& handler)
{
    Overlay_PumpEvents([](const RWindowEvent&) {});
    TakeEvents(handler);
}

void CPanelHost::TakeEvents(const WindowEventHandler& handler)
{
    if (p_panel)
        p_panel->TakeEvents(handler);
}
