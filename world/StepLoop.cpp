// The stages of a step and the timing of the loop.
#include "world/StepLoop.h"

#include "code/ErrorReport.h"
#include "code/StopRequest.h"
#include "data/Event.h"
#include "data/GameData.h"
#include "data/Resources.h"
#include "data/RetiredResources.h"
#include "data/Sprite.h"
#include "platform/Clock.h"
#include "world/EventDispatch.h"
#include "world/GameState.h"
#include "world/Instance.h"
#include "world/Rooms.h"
#include "world/TimeEvents.h"

#include <algorithm>
#include <cmath>

RStepLoopState StepLoop;
RStepHooks StepHooks;

namespace {

constexpr int32_t kStepNormal = 0;
constexpr int32_t kStepBegin = 1;
constexpr int32_t kStepEnd = 2;
constexpr int32_t kAnimationEnd = 7;
constexpr int32_t kEndOfPath = 8;

class CRealClock : public IStepClock {
public:
    int64_t Microseconds() override { return Platform_SystemClock().MonotonicMicroseconds(); }
    // Blocks for all but the last millisecond, then polls the clock while
    // handling window messages, to hold the room speed precisely.
    void Sleep(int64_t microseconds) override
    {
        if (microseconds <= 0)
            return;
        int64_t start = Microseconds();
        if (microseconds >= 2000)
            Platform_SleepMicroseconds((microseconds - 1000) / 1000 * 1000);
        for (;;) {
            if (StepHooks.handleMessages)
                StepHooks.handleMessages();
            int64_t now = Microseconds();
            if (now < start || now - start >= microseconds || Code_StopRequested())
                return;
        }
    }
};

class CVirtualClock : public IStepClock {
public:
    int64_t Microseconds() override { return c_time.MonotonicMicroseconds(); }
    void Sleep(int64_t microseconds) override { c_time.Advance(microseconds); }
    CFixedClock& Time() { return c_time; }

private:
    CFixedClock c_time;
};

CVirtualClock Virtual;
IStepClock* LoopClock = nullptr;

bool StopCheck()
{
    return IsChangePending() || !CurrentRoom;
}

void RememberPreviousPositions()
{
    CLiveRoom* room = CurrentRoom;
    for (int32_t k = 0; k < room->InstanceCount(); ++k) {
        CInstance* instance = room->InstanceAt(k);
        instance->i_xprevious = instance->i_x;
        instance->i_yprevious = instance->i_y;
        instance->i_pathpositionprevious = instance->i_pathposition;
    }
}

void StepStage(int32_t moment)
{
    TimeEvents_Triggers(moment);
    DispatchEvent(kEventStep, moment);
}

void MoveInstances()
{
    CLiveRoom* room = CurrentRoom;
    for (int32_t k = 0; k < room->InstanceCount(); ++k) {
        CInstance* instance = room->InstanceAt(k);
        instance->Adapt_Speed();
        if (StepHooks.followPath && StepHooks.followPath(instance))
            PerformEvent(instance, instance, kEventOther, kEndOfPath);
        instance->SetPosition(instance->i_x + instance->i_hspeed, instance->i_y + instance->i_vspeed);
    }
}

void Animate()
{
    CLiveRoom* room = CurrentRoom;
    int32_t count = room->InstanceCount();
    // Whether no object has an animation-end event: asked once, and again
    // only after such an event ran (it may change events or parents).
    int noneHas = -1;
    for (int32_t k = 0; k < count; ++k) {
        CInstance* instance = room->InstanceAt(k);
        if (!instance)
            continue;
        instance->i_imageindex += instance->i_imagespeed;
        const CSprite* sprite = Sprites.Get(instance->i_spriteindex);
        int images = sprite ? sprite->Count() : 0;
        if (std::floor(instance->i_imageindex) >= images) {
            instance->i_imageindex -= images;
            // Instances without a sprite end their animation every step:
            // not looking for an event no object has saves most of the step.
            if (noneHas < 0)
                noneHas = EventLists_NoneHas(kEventOther, kAnimationEnd) ? 1 : 0;
            if (!noneHas) {
                PerformEvent(instance, instance, kEventOther, kAnimationEnd);
                noneHas = -1;
            }
        }
    }
}

} // namespace

void StepLoop_ScrollBackgrounds()
{
    for (CBack& back : CurrentRoom->r_background) {
        back.x += back.hspeed;
        back.y += back.vspeed;
    }
}

void StepLoop_NoDebugWindow()
{
    static bool told = false;
    if (GameDebugMode && !told) {
        told = true;
        Error_Show("The debug window is not available on this system.", false);
    }
}

void StepLoop_Sleep(int64_t microseconds)
{
    (LoopClock ? *LoopClock : RealStepClock()).Sleep(microseconds);
}

void StepLoop_SetClock(IStepClock* clock)
{
    LoopClock = clock;
}

bool StepLoop_TimeIsVirtual()
{
    return LoopClock == &Virtual;
}

IStepClock& RealStepClock()
{
    static CRealClock clock;
    return clock;
}

IStepClock& VirtualStepClock()
{
    return Virtual;
}

CClock& VirtualTimeSource()
{
    return Virtual.Time();
}

void StepLoop_Step()
{
    // No event runs between steps: what scripts deleted can go now.
    Resource_FreeRetired();
    if (!CurrentRoom)
        return;
    struct RStepping {
        RStepping() { StepLoop.inStep = true; }
        ~RStepping() { StepLoop.inStep = false; }
    } stepping;
    if (StepHooks.skipStep && StepHooks.skipStep())
        return;
    if (StepHooks.gameKeys)
        StepHooks.gameKeys();
    if (StopCheck())
        return;
    if (StepHooks.prepareInput)
        StepHooks.prepareInput();
    RememberPreviousPositions();

    StepStage(kStepBegin);
    if (StopCheck())
        return;
    TimeEvents_TimeLines();
    if (StopCheck())
        return;
    TimeEvents_Alarms();
    if (StopCheck())
        return;
    if (StepHooks.inputEvents)
        StepHooks.inputEvents();
    if (StopCheck())
        return;
    StepStage(kStepNormal);
    if (StopCheck())
        return;
    MoveInstances();
    if (StepHooks.boundaryEvents)
        StepHooks.boundaryEvents();
    if (StopCheck())
        return;
    if (StepHooks.collisionEvents)
        StepHooks.collisionEvents();
    if (StopCheck())
        return;
    StepStage(kStepEnd);
    if (StopCheck())
        return;

    if (StepHooks.updateParticles)
        StepHooks.updateParticles();
    CurrentRoom->RemoveMarked();
    if (StepLoop.automaticDraw && StepHooks.drawRoom)
        StepHooks.drawRoom();
    StepHooks.scrollBackgrounds();
    Animate();
    ++GameState.cursorImage;
    if (StepHooks.debugWindow)
        StepHooks.debugWindow();
    if (StepHooks.endStepInput)
        StepHooks.endStepInput();
}

namespace {

// After a step: the frame shown (unless the room is about to change), the
// pending room change carried out, the window's messages handled. False
// when the game has ended.
bool FinishStep()
{
    if (!IsChangePending() && StepLoop.automaticDraw && StepHooks.presentFrame)
        StepHooks.presentFrame();
    if (!Room_CarryOutPendingChange()) {
        StepLoop.running = false;
        return false;
    }
    // A browser page does its own work (drawing, timers, a test asking how
    // the game goes) only while the game hands control back: a run that
    // never waits (headless, --fast) does so here now and then.
    Platform_YieldNowAndThen();
    if (StepHooks.handleMessages)
        StepHooks.handleMessages();
    return true;
}

} // namespace

void StepLoop_Run(const RStepLoopOptions& options)
{
    IStepClock& clock = options.clock ? *options.clock : RealStepClock();
    LoopClock = &clock;
    if (!Room_CarryOutPendingChange()) {
        StepLoop.running = false;
        return;
    }
    int64_t now = clock.Microseconds();
    int64_t second = now;
    int64_t target = now;
    int32_t count = 0;
    StepLoop.fps = 0;
    if (StepHooks.handleMessages)
        StepHooks.handleMessages();
    while (StepLoop.running && !StepLoop.paused) {
        StepLoop_Step();
        ++StepLoop.steps;
        const bool lastStep = options.maxSteps >= 0 && StepLoop.steps >= options.maxSteps && !IsChangePending();
        if (lastStep)
            Game_RequestEnd();
        if (options.takeStopRequest && options.takeStopRequest())
            Game_RequestEnd();

        now = clock.Microseconds();
        target = std::min(target, now);
        if (CurrentRoom && CurrentRoom->r_speed < 1)
            CurrentRoom->r_speed = 1;
        int64_t speed = CurrentRoom ? CurrentRoom->r_speed : 30;
        int64_t wait = 1000000 / speed + target - now;
        wait = std::clamp<int64_t>(wait, 0, 1000000);
        if (wait > 999999)
            wait = 1000000;
        // After the last step of a run with a step count nothing is left to
        // pace: waiting out its frame on the wall clock would only delay the
        // end. A virtual clock still advances, so the game end sees its time.
        if (!lastStep || &clock != &RealStepClock())
            clock.Sleep(wait);
        if (options.pace && !lastStep)
            RealStepClock().Sleep(wait);
        if (StepHooks.updateSound)
            StepHooks.updateSound();
        target = now + wait;
        second = std::min(second, target);
        if (target / 1000000 > second / 1000000) {
            StepLoop.fps = count;
            count = 0;
            second = target;
        }
        ++count;
        if (!FinishStep())
            return;
        if (StepHooks.serviceNetwork)
            StepHooks.serviceNetwork();
    }
}

void StepLoop_SingleStep()
{
    if (!StepLoop.running || !StepLoop.paused)
        return;
    if (StepHooks.handleMessages)
        StepHooks.handleMessages();
    StepLoop_Step();
    ++StepLoop.steps;
    FinishStep();
}
