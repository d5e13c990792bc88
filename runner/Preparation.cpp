// The preparation steps between loading the game and its first room.
#include "runner/Preparation.h"

#include "code/EventContext.h"
#include "code/GameConstants.h"
#include "code/Scripts.h"
#include "data/GameData.h"
#include "data/GameSettings.h"
#include "graphics/Graphics.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/TimeLine.h"
#include "platform/MessageBox.h"
#include "runner/IncludedFiles.h"
#include "sound/Sound.h"
#include "system/Extensions.h"
#include "world/Actions.h"
#include "world/TimeEvents.h"

namespace {

bool PrepareHeadless = false;

bool DefineGameConstants()
{
    for (const RConstant& constant : GameResources.Constants)
        if (!Constant_Define(constant.name, constant.value))
            return false;
    return true;
}

// Compile errors are headed with the event being compiled. Once the compile
// is over no event runs, and later errors must not be headed with the last
// one compiled.
struct RForgetEvent {
    ~RForgetEvent() { CurrentEvent = RCurrentEvent(); }
};

bool CompileTimeLines()
{
    RForgetEvent forget;
    for (int32_t t = 0; t < TimeLines.Count(); ++t) {
        CTimeLine* line = TimeLines.Get(t);
        if (!line)
            continue;
        for (int m = 0; m < line->Count(); ++m) {
            CurrentEvent = RCurrentEvent{t, kTimeLineEventType, line->s_step[static_cast<size_t>(m)], 0};
            if (!Event_Compile(line->s_event[static_cast<size_t>(m)]))
                return false;
        }
    }
    // No event runs yet: messages from outside events must not name this one.
    CurrentEvent = RCurrentEvent();
    return true;
}

bool CompileObjects()
{
    RForgetEvent forget;
    for (int32_t o = 0; o < Objects.Count(); ++o) {
        CObject* object = Objects.Get(o);
        if (!object)
            continue;
        for (int32_t etype = 0; etype < kEventTypeCount; ++etype) {
            for (auto& [number, event] : object->o_events[static_cast<size_t>(etype)]) {
                CurrentEvent = RCurrentEvent{o, etype, number, 0};
                if (!Event_Compile(event))
                    return false;
            }
        }
    }
    CurrentEvent = RCurrentEvent();
    return true;
}

struct RStep {
    int percent;
    const char* text;
    bool (*work)();
    const char* failure;
};

const RStep kSteps[] = {
    {50, "Extracting included files",
     [] {
         IncludedFiles_PrepareAll();
         return true;
     },
     nullptr},
    {55, "Preparing extension pacakges", &Extensions_Prepare, "Failed to prepare extension packages."},
    {60, "Preparing constants", &DefineGameConstants, "Failed to define the constants."},
    {61, "Preparing triggers", &TimeEvents_PrepareTriggers, "Failed to prepare triggers."},
    {62, "Compiling scripts", &Script_CompileAll, "Failed to compile the scripts."},
    {70, "Compiling time line actions", &CompileTimeLines, "Failed to compile the actions in the time lines."},
    {72, "Compiling object actions", &CompileObjects, "Failed to compile the actions in the objects."},
    {80, "Preparing sounds", &Sound_Prepare, "Failed to prepare the sounds."},
    {90, "Preparing graphics", [] { return Display_Start(Settings, Platform_OpenGameWindow(PrepareHeadless)); },
     nullptr},
};

} // namespace

bool Runner_PrepareGame(ILoadObserver& progress, bool headless)
{
    PrepareHeadless = headless;
    for (const RStep& step : kSteps) {
        progress.Progress(step.percent, step.text);
        if (!step.work()) {
            if (step.failure)
                Platform_ShowMessage(step.failure);
            return false;
        }
    }
    progress.Progress(100, "Ready");
    return true;
}
