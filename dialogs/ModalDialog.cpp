// Running a dialog: answered from outside, taking its default, or shown to
// the player until it closes.
#include "dialogs/ModalDialog.h"

#include "code/StopRequest.h"
#include "graphics/Overlay.h"
#include "platform/Clock.h"
#include "platform/Keys.h"
#include "platform/TextEncoding.h"
#include "world/Input.h"
#include "world/StepLoop.h"

#include <cstdio>

RDialogHooks DialogHooks;

namespace {

constexpr int32_t kCtrl = 17;
constexpr int64_t kFrameMicroseconds = 16000; // the dialog repaints about 60 times a second

bool Automated = false;
// The dialog showing inside the game window, while one does.
IModalDialog* InGameWindow = nullptr;

void Say(const std::string& text)
{
    std::fprintf(stderr, "brindle-run: %s\n", text.c_str());
    std::fflush(stderr);
}

class CGameWindowHost : public IDialogHost {
public:
    bool GetSize(int32_t& w, int32_t& h) override { return Overlay_GetClientSize(w, h); }
    void Present(const TBitmap32& picture, double opacity) override { Overlay_Present(picture, opacity); }
    void Pump(const WindowEventHandler& handler) override { Overlay_PumpEvents(handler); }
    void Release() override { Overlay_Release(); }
};

// Handles the player until the dialog closes.
void RunWithPlayer(IModalDialog& dialog, IDialogHost& host)
{
    bool ctrl = false;
    const int64_t start = Platform_MonotonicMicroseconds();
    const int64_t closesAfter = dialog.ClosesAfter();
    auto handle = [&](const RWindowEvent& event) { Dialog_Feed(dialog, event, ctrl); };
    while (!dialog.IsClosed()) {
        host.Pump(handle);
        if (dialog.IsClosed())
            break;
        if (Code_StopRequested()) {
            Say(dialog.Describe() + ": the run is being stopped, " + dialog.TakeDefault());
            break;
        }
        if (closesAfter >= 0 && Platform_MonotonicMicroseconds() - start >= closesAfter) {
            dialog.CloseByTime();
            break;
        }
        Dialog_Show(dialog, host);
        Platform_SleepMicroseconds(kFrameMicroseconds);
    }
}

} // namespace

void Dialogs_SetAutomated(bool automated)
{
    Automated = automated;
}

bool Dialogs_IsAutomated()
{
    return Automated;
}

void Dialog_HostSize(int32_t& w, int32_t& h)
{
    Overlay_GetClientSize(w, h);
}

IDialogHost& Dialog_GameWindowHost()
{
    static CGameWindowHost host;
    return host;
}

void Dialog_Show(IModalDialog& dialog, IDialogHost& host)
{
    int32_t w = 0, h = 0;
    if (!host.GetSize(w, h))
        return;
    TBitmap32 picture(w, h);
    CCanvas canvas(picture);
    dialog.Paint(canvas);
    host.Present(picture, dialog.Opacity());
}

void Dialog_Feed(IModalDialog& dialog, const RWindowEvent& event, bool& ctrl)
{
    switch (event.kind) {
    case EWindowEvent::KeyDown:
    case EWindowEvent::KeyUp: {
        const int32_t code = Platform_TranslateKey(event.key, event.scancode, Platform_NumLock()).code;
        if (code == kCtrl)
            ctrl = event.kind == EWindowEvent::KeyDown;
        if (code == 0)
            break;
        if (event.kind == EWindowEvent::KeyDown)
            dialog.KeyDown(code, ctrl);
        else
            dialog.KeyUp(code);
        break;
    }
    case EWindowEvent::Text:
        for (char c : Utf8ToCp1252(event.text))
            dialog.Character(static_cast<unsigned char>(c));
        break;
    case EWindowEvent::MouseMove:
        dialog.MouseMove(event.x, event.y);
        break;
    case EWindowEvent::MouseDown:
        dialog.MouseDown(event.button, event.x, event.y);
        break;
    case EWindowEvent::MouseUp:
        dialog.MouseUp(event.button, event.x, event.y);
        break;
    case EWindowEvent::MouseWheel:
        dialog.Wheel(event.wheel);
        break;
    case EWindowEvent::Close:
        dialog.CloseButton();
        break;
    case EWindowEvent::FocusLost:
        ctrl = false;
        break;
    default:
        break;
    }
}

bool Dialog_IsShowingInGameWindow()
{
    return InGameWindow != nullptr;
}

void Dialog_CloseInGameWindow()
{
    if (InGameWindow)
        InGameWindow->CloseButton();
}

void Dialog_Run(IModalDialog& dialog, IDialogHost& host)
{
    IModalDialog* const outer = InGameWindow;
    if (&host == &Dialog_GameWindowHost())
        InGameWindow = &dialog;
    int32_t w = 0, h = 0;
    const bool hasPixels = host.GetSize(w, h);
    RDialogAnswer given;
    if (DialogHooks.takeAnswer && DialogHooks.takeAnswer(given)) {
        if (!dialog.Apply(given))
            Say(dialog.Describe() + ": the input script's answer does not fit this dialog, " + dialog.TakeDefault());
        Dialog_Show(dialog, host);
    } else if (Automated || !hasPixels) {
        const int64_t after = dialog.ClosesAfter();
        if (after >= 0) {
            // It closes by itself: the time passes on the loop's clock.
            Dialog_Show(dialog, host);
            StepLoop_Sleep(after);
            dialog.CloseByTime();
        } else {
            Say(dialog.Describe() + ": no answer, " + dialog.TakeDefault());
            Dialog_Show(dialog, host);
        }
    } else {
        RunWithPlayer(dialog, host);
    }
    if (hasPixels)
        host.Release();
    if (DialogHooks.answered)
        DialogHooks.answered(dialog.Answer());
    InGameWindow = outer;
    Input_ClearAll();
}
