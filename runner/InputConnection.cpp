// The input hooks of a run.
#include "runner/InputConnection.h"

#include "graphics/Display.h"
#include "graphics/WindowState.h"
#include "motion/Collision.h"
#include "platform/Clock.h"
#include "platform/Keys.h"
#include "runner/InputScript.h"
#include "world/Input.h"
#include "world/StepLoop.h"

#include <algorithm>

namespace {

constexpr int64_t kWaitPollMicroseconds = 50000;

CInputScript Script;
bool HasScript = false;
// A scripted run has a pointer of its own, whatever the real one does; it
// starts just outside the client area.
int32_t ScriptedX = -1, ScriptedY = -1;

void MoveMouseInClient(int32_t x, int32_t y)
{
    ScriptedX = x;
    ScriptedY = y;
    // The platform's pointer follows where it can, for the display's own mouse functions.
    IGameWindow* window = Display_Window();
    if (!window)
        return;
    RPixelRect client = window->ClientBounds();
    window->SetScreenMouse(client.x + x, client.y + y);
}

CInputPlayer Player(&MoveMouseInClient);

bool HasRealWindow()
{
    IGameWindow* window = Display_Window();
    return window && !window->IsHeadless();
}

int32_t Clamp32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

void MouseInRoom(int32_t& x, int32_t& y)
{
    RRegionPoint region = HasScript ? Display_ClientToRegion(Window_PresentGeometry(), ScriptedX, ScriptedY)
                                    : Window_MouseInRegion();
    RRegionPoint room = View_RegionToRoomThroughViews(WindowState.views, static_cast<double>(region.x),
                                                      static_cast<double>(region.y));
    x = Clamp32(room.x);
    y = Clamp32(room.y);
}

bool WaitForInput()
{
    if (HasScript && Script.HasMore()) {
        Player.Play(Script.TakeNext());
        return true;
    }
    if (HasScript || !HasRealWindow())
        return false; // nothing else can ever arrive
    Platform_SleepMicroseconds(kWaitPollMicroseconds);
    return true;
}

} // namespace

bool Runner_LoadInputScript(const std::string& path, std::string& error)
{
    HasScript = Script.LoadFromFile(path, error);
    return HasScript;
}

void Runner_ConnectInput()
{
    World_InstallInputHooks();
    Platform_ResetKeys();
    Input_Reset();
    ScriptedX = ScriptedY = -1;
    InputHooks.pumpWindow = [] { Window_ProcessEvents(&Input_HandleWindowEvent); };
    InputHooks.mouseInRoom = &MouseInRoom;
    InputHooks.instanceCovers = [](const CInstance& instance, double x, double y) {
        return Collision_Point(instance, x, y, true);
    };
    InputHooks.waitForInput = &WaitForInput;
    bool deterministic = HasScript || !HasRealWindow();
    InputHooks.windowActive = deterministic ? nullptr : +[] { return Platform_HasInputFocus(); };
    // Dialogs opened during a step (or before the first) take the script's
    // answers given for that step or earlier.
    DialogHooks.takeAnswer = HasScript ? +[](RDialogAnswer& answer) {
        return Script.TakeAnswer(StepLoop.steps + 1, answer);
    } : nullptr;
    if (HasScript) {
        InputHooks.feedScript = [] { Player.Play(Script.TakeDue(StepLoop.steps + 1)); };
        InputHooks.readJoystick = [](int32_t index, RJoystickState& state) { return Player.ReadJoystick(index, state); };
    } else {
        InputHooks.feedScript = nullptr;
        InputHooks.readJoystick = deterministic ? nullptr : &Platform_ReadJoystick;
    }
}
