// The input hooks of a run.
#include "runner/InputConnection.h"

#include "graphics/Display.h"
#include "graphics/WindowState.h"
#include "motion/Collision.h"
#include "platform/Clock.h"
#include "platform/Keys.h"
#include "runner/InputRecorder.h"
#include "runner/InputScript.h"
#include "world/Input.h"
#include "world/StepLoop.h"

#include <algorithm>

namespace {

constexpr int64_t kWaitPollMicroseconds = 50000;

CInputScript Script;
bool HasScript = false;
CInputRecorder Recorder;
// A scripted or recorded run has a pointer of its own, whatever the real one
// does; it starts just outside the client area.
int32_t ScriptedX = -1, ScriptedY = -1;
// Recorded moves follow the real pointer, which is already there.
bool PlayingRealInput = false;

bool HasOwnPointer()
{
    return HasScript || Recorder.IsOpen();
}

void MoveMouseInClient(int32_t x, int32_t y)
{
    ScriptedX = x;
    ScriptedY = y;
    if (PlayingRealInput)
        return;
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
    RRegionPoint region = HasOwnPointer() ? Display_ClientToRegion(Window_PresentGeometry(), ScriptedX, ScriptedY)
                                          : Window_MouseInRegion();
    RRegionPoint room = View_RegionToRoomThroughViews(WindowState.views, static_cast<double>(region.x),
                                                      static_cast<double>(region.y));
    x = Clamp32(room.x);
    y = Clamp32(room.y);
}

// The step before which input arriving now counts: the next one, or the one
// after it while a step is under way (a game waiting for a key in an event
// takes the next step's input early, when the recording is played).
int64_t RecordingStep()
{
    return StepLoop.steps + (StepLoop.inStep ? 2 : 1);
}

void PlayAndRecord(const std::vector<RScriptedInput>& inputs, bool real)
{
    for (const RScriptedInput& input : inputs)
        Recorder.Record(input);
    PlayingRealInput = real;
    Player.Play(inputs);
    PlayingRealInput = false;
}

void RecordWindowEvent(const RWindowEvent& event)
{
    PlayAndRecord(Runner_InputsOfWindowEvent(event, RecordingStep()), true);
}

// The real sticks as scripted input: whatever changed since the last look.
void RecordJoysticks()
{
    static const RJoystickState kCentred = [] {
        RJoystickState stick;
        stick.position.fill(32767);
        return stick;
    }();
    for (int32_t index = 0; index < 2; ++index) {
        RJoystickState real, known;
        if (!Platform_ReadJoystick(index, real))
            continue;
        bool present = Player.ReadJoystick(index, known);
        if (!present)
            known = kCentred;
        std::vector<RScriptedInput> changes;
        RScriptedInput input;
        input.step = RecordingStep();
        input.stick = index;
        input.kind = EScriptedInput::JoystickAxis;
        for (int32_t axis = 0; axis < kJoystickAxes; ++axis) {
            input.a = axis;
            input.b = real.position[static_cast<size_t>(axis)];
            // A stick is there from its first line, so a new one is told in full.
            if (input.b != known.position[static_cast<size_t>(axis)] || (!present && axis == 0))
                changes.push_back(input);
        }
        input.kind = EScriptedInput::JoystickButton;
        for (int32_t button = 1; button <= kJoystickButtons; ++button) {
            uint32_t bit = 1u << (button - 1);
            if ((real.buttonBits & bit) != (known.buttonBits & bit)) {
                input.a = button;
                input.b = (real.buttonBits & bit) ? 1 : 0;
                changes.push_back(input);
            }
        }
        int32_t pov = real.pov == kPovCentred ? kPovCentred : (real.pov + 50) / 100 % 360 * 100;
        if (pov != known.pov) {
            input.kind = EScriptedInput::JoystickPov;
            input.a = pov;
            changes.push_back(input);
        }
        PlayAndRecord(changes, true);
    }
}

bool WaitForInput()
{
    if (HasScript && Script.HasMore()) {
        PlayAndRecord(Script.TakeNext(), false);
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

bool Runner_StartRecording(const std::string& path, uint32_t seed, const std::string& game, std::string& error)
{
    return Recorder.Open(path, seed, game, error);
}

void Runner_StopRecording()
{
    Recorder.Close();
}

void Runner_ConnectInput()
{
    World_InstallInputHooks();
    Platform_ResetKeys();
    Input_Reset();
    ScriptedX = ScriptedY = -1;
    InputHooks.pumpWindow = Recorder.IsOpen() ? +[] { Window_ProcessEvents(&RecordWindowEvent); }
                                              : +[] { Window_ProcessEvents(&Input_HandleWindowEvent); };
    InputHooks.mouseInRoom = &MouseInRoom;
    InputHooks.instanceCovers = [](const CInstance& instance, double x, double y) {
        return Collision_Point(instance, x, y, true);
    };
    InputHooks.waitForInput = &WaitForInput;
    bool deterministic = HasOwnPointer() || !HasRealWindow();
    InputHooks.windowActive = deterministic ? nullptr : +[] { return Platform_HasInputFocus(); };
    // Dialogs opened during a step (or before the first) take the script's
    // answers given for that step or earlier; a recording writes down every
    // answer a dialog closed with, due at the same step, so that each dialog
    // of the replay takes the answer its counterpart closed with.
    DialogHooks.takeAnswer = HasScript ? +[](RDialogAnswer& answer) {
        return Script.TakeAnswer(StepLoop.steps + 1, answer);
    } : nullptr;
    DialogHooks.answered = Recorder.IsOpen() ? +[](const RDialogAnswer& answer) {
        Recorder.RecordAnswer(StepLoop.steps + 1, answer);
    } : nullptr;
    if (HasOwnPointer()) {
        InputHooks.feedScript = [] {
            if (HasScript)
                PlayAndRecord(Script.TakeDue(StepLoop.steps + 1), false);
            if (Recorder.IsOpen() && HasRealWindow())
                RecordJoysticks();
        };
        InputHooks.readJoystick = [](int32_t index, RJoystickState& state) { return Player.ReadJoystick(index, state); };
    } else {
        InputHooks.feedScript = nullptr;
        InputHooks.readJoystick = deterministic ? nullptr : &Platform_ReadJoystick;
    }
}
