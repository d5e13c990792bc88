// The debug window's life beside the game.
#include "dialogs/DebugWindow.h"

#include "code/StopRequest.h"
#include "data/GameData.h"
#include "dialogs/DebugModel.h"
#include "library/DebugOutput.h"
#include "platform/Clock.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

#include <memory>

namespace {

constexpr int64_t kPausedFrameMicroseconds = 16000;

std::unique_ptr<CDebugModel> Model;
std::unique_ptr<IDebugWindowUi> Window;

void HandleRequests()
{
    for (const RDebugRequest& request : Window->TakeRequests()) {
        Model->Handle(request);
        if (request.action == EDebugAction::Close) {
            DebugWindow_Close();
            return;
        }
    }
}

} // namespace

void DebugWindow_Start()
{
    if (!GameDebugMode)
        return;
    Window = Platform_OpenDebugWindow();
    if (!Window)
        return;
    Model = std::make_unique<CDebugModel>();
    Debug_SetMessageSink([](const std::string& text) {
        if (Model)
            Model->AppendMessage(text);
    });
    Model->Refresh();
    Window->Show(Model->View());
}

void DebugWindow_Refresh()
{
    if (!Window)
        return;
    Model->Refresh();
    Window->Show(Model->View());
    HandleRequests();
}

bool DebugWindow_HoldWhilePaused()
{
    while (Window && StepLoop.running && StepLoop.paused) {
        if (StepHooks.handleMessages)
            StepHooks.handleMessages();
        if (Code_StopRequested()) {
            Game_RequestEnd();
            StepLoop.paused = false;
            break;
        }
        Model->Refresh();
        Window->Show(Model->View());
        HandleRequests();
        Platform_SleepMicroseconds(kPausedFrameMicroseconds);
    }
    StepLoop.paused = false;
    return StepLoop.running;
}

void DebugWindow_Close()
{
    Debug_SetMessageSink(nullptr);
    Window.reset();
    Model.reset();
}
