// Where input meets the step loop and the rooms.
#include "data/GameSettings.h"
#include "world/GameKeys.h"
#include "world/Input.h"
#include "world/InputEvents.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

void World_InstallInputHooks()
{
    // A splash screen or the information page inside the game window holds
    // the game; so does an inactive window when the game freezes then.
    StepHooks.skipStep = [] {
        return (InputHooks.overlayShowing && InputHooks.overlayShowing()) ||
               (Settings.FreezeWhenInactive && !Input_IsWindowActive());
    };
    StepHooks.gameKeys = &GameKeys_Handle;
    StepHooks.prepareInput = [] {
        if (!Input_IsWindowActive())
            Input_ClearAll();
    };
    StepHooks.inputEvents = &InputEvents_Run;
    StepHooks.endStepInput = &Input_ClearStep;
    StepHooks.handleMessages = &Input_HandleMessages;
    RoomHooks.clearInput = &Input_ClearAll;
}
