// The step loop: one step raises the events of all instances in a fixed
// order, moves them, removes destroyed ones and draws; the loop holds the
// room speed, counts frames per second and carries out room changes.
#pragma once

#include "world/HookSlot.h"

#include <cstdint>

// Time as the loop sees it. The real clock sleeps; a virtual one (for
// automation and tests) advances by exactly the time slept, so a run does
// the same whatever the machine is doing.
class IStepClock {
public:
    virtual ~IStepClock() = default;
    virtual int64_t Microseconds() = 0;
    virtual void Sleep(int64_t microseconds) = 0;
};
IStepClock& RealStepClock();
IStepClock& VirtualStepClock();
// The virtual clock as a platform clock, so that a run can make the game's
// time and dates follow it (a fixed start date-time moved by the steps).
class CClock;
CClock& VirtualTimeSource();

// What a step does without other modules: backgrounds move by their speeds;
// a debug-mode game says once that it has no debug window.
void StepLoop_ScrollBackgrounds();
void StepLoop_NoDebugWindow();

struct RStepLoopOptions {
    IStepClock* clock = nullptr; // the real clock when null
    int64_t maxSteps = -1;       // end the game after this many steps (-1: no limit)
    bool pace = false;           // with a virtual clock, still sleep in real time
    // Takes a stop asked from outside (true once); checked after each step,
    // where the game then ends.
    bool (*takeStopRequest)() = nullptr;
};

struct RStepLoopState {
    bool running = false;
    bool paused = false;
    int32_t fps = 0;
    int64_t steps = 0; // steps run since the game started
    bool inStep = false; // a step is under way (not between steps)
    bool automaticDraw = true;
};
extern RStepLoopState StepLoop;

// Things a step does that belong to modules outside the world, installed at
// start-up (see world/HookSlot.h for what each does until then).
struct RStepHooks {
    THook<bool()> skipStep{"skipStep", kRequired};    // splash, information window, inactive window
    THook<void()> gameKeys{"gameKeys", kRequired};
    THook<void()> prepareInput{"prepareInput", kRequired}; // clear input when the window is not active
    THook<void()> inputEvents{"inputEvents", kRequired};   // keyboard, joystick and mouse stages
    // True when the path ended.
    THook<bool(class CInstance* instance)> followPath{"followPath", kRequired};
    THook<void()> boundaryEvents{"boundaryEvents", kRequired};
    THook<void()> collisionEvents{"collisionEvents", kRequired};
    // Without the particle module no particle system can exist (its
    // functions say they are not implemented), so there is nothing to move.
    THook<void()> updateParticles{"updateParticles", [] {}};
    THook<void()> drawRoom{"drawRoom", kRequired};
    THook<void()> scrollBackgrounds{"scrollBackgrounds", &StepLoop_ScrollBackgrounds};
    // Without one, a debug-mode game is told once that there is no debug window.
    THook<void()> debugWindow{"debugWindow", &StepLoop_NoDebugWindow};
    THook<void()> endStepInput{"endStepInput", kRequired}; // forget this step's presses and releases
    THook<void()> presentFrame{"presentFrame", kRequired};
    THook<void()> handleMessages{"handleMessages", kRequired};
    THook<void()> updateSound{"updateSound", kRequired};       // once per step, after the step's time has passed
    THook<void()> serviceNetwork{"serviceNetwork", kRequired}; // once a step, between steps
};
extern RStepHooks StepHooks;

// Sleeps with the loop's clock (virtual in fast and headless runs), handling
// window messages meanwhile: the sleep function of scripts.
void StepLoop_Sleep(int64_t microseconds);
// The clock StepLoop_Sleep uses before any loop has run.
void StepLoop_SetClock(IStepClock* clock);

// Whether the loop runs on virtual time (fast and headless runs), where
// nothing waits for real time to pass.
bool StepLoop_TimeIsVirtual();

// Runs steps until the game ends or is paused; returns then.
void StepLoop_Run(const RStepLoopOptions& options);
// One step, as the loop runs it.
void StepLoop_Step();
// The debug window's single step of a paused game: messages, one step, the
// frame shown, the pending change carried out, messages again.
void StepLoop_SingleStep();
