// Dear ImGui over the game window, for the standard dialogs: each frame the
// window's events go to the widgets, the widgets are built, and they are
// drawn over the game's last frame. Only platform code builds widgets.
#pragma once

#include "platform/RenderDevice.h"

class IWidgetSession {
public:
    virtual ~IWidgetSession() = default;
    // Takes the window's events and starts a frame of widgets; false when
    // the window's close button was pressed.
    virtual bool BeginFrame() = 0;
    // Draws the widgets built since BeginFrame over the presentation.
    virtual void EndFrame(IRenderDevice& device, const RPresentation& presentation) = 0;
};
