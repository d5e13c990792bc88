// A dialog in a window of its own beside the game window.
#pragma once

#include "dialogs/ModalDialog.h"
#include "platform/PanelWindow.h"

#include <memory>

class CPanelHost : public IDialogHost {
public:
    // Opens the window at once; without a display there is none, and the
    // host has no pixels.
    explicit CPanelHost(const RPanelStyle& style);
    bool IsOpen() const { return p_panel != nullptr; }
    bool GetSize(int32_t& w, int32_t& h) override;
    void Present(const TBitmap32& picture, double opacity) override;
    // The game window's events are pumped (so that this window gets its
    // own) and dropped: the game waits while a modal window is open.
    void Pump(const WindowEventHandler& handler) override;
    // Only this window's events, for a window that the game runs beside.
    void TakeEvents(const WindowEventHandler& handler);
    void Release() override { p_panel.reset(); }

private:
    std::unique_ptr<IPanelWindow> p_panel;
};
