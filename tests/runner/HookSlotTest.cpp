// Hook slots after the runner's start-up: each installed, or doing its
// declared default, or saying that its feature is not available.
#include "code/ErrorReport.h"
#include "data/GameSettings.h"
#include "multiplayer/Multiplayer.h"
#include "runner/Registration.h"
#include "runner/Startup.h"
#include "world/GameKeys.h"
#include "world/HookSlot.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

#include <gtest/gtest.h>
#include <set>

namespace {

int Calls = 0;

} // namespace

TEST(HookSlots, AfterStartUpEverySlotIsInstalledOrSaysWhatHappensWithoutIt)
{
    std::string problem;
    ASSERT_TRUE(Runner_RegisterTables(problem)) << problem;
    RunnerOptions options;
    options.Headless = true;
    ASSERT_TRUE(Runner_InstallHooks(options, VirtualStepClock(), problem)) << problem;
    EXPECT_EQ(Hooks_FinishStartup(true), "") << "a slot is installed twice";

    std::set<std::string> names;
    Hooks_ForEach([&](const CHookSlot& slot) {
        SCOPED_TRACE(slot.Name());
        EXPECT_TRUE(names.insert(slot.Name()).second) << "two slots share a name";
        EXPECT_TRUE(slot.IsInstalled() || slot.Missing() != CHookSlot::EMissing::Required);
        if (slot.IsInstalled() || slot.Missing() != CHookSlot::EMissing::Unavailable)
            return;
        // What an empty unavailable slot does goes through the error display
        // and leaves the game running.
        Error_Reset();
        slot.ReportUnavailable();
        EXPECT_TRUE(Error_Occurred);
        EXPECT_FALSE(Error_Terminating);
        EXPECT_EQ(Error_Last, std::string(slot.Feature()) + " is not available on this system.");
    });
    for (const char* slot :
         {"drawRoom", "loadGame", "saveGame", "updateParticles", "windowActive", "takeAnswer", "answered"})
        EXPECT_TRUE(names.count(slot)) << slot;
    Multiplayer_Shutdown();
    Error_Reset();
}

TEST(HookSlots, EmptySlotsDoWhatTheyDeclareAndStartUpNamesTheMistakes)
{
    {
        THook<int(int)> doubled{"testDoubled", [](int x) { return 2 * x; }};
        THook<int(int)> unavailable{"testUnavailable", RUnavailable{"Testing"}};
        THook<int(int)> required{"testRequired", kRequired};
        EXPECT_EQ(doubled(4), 8);
        Error_Reset();
        EXPECT_EQ(unavailable(4), 0);
        EXPECT_EQ(Error_Last, "Testing is not available on this system.");
        EXPECT_EQ(required(4), 0);

        Hooks_BeginStartup();
        EXPECT_NE(Hooks_FinishStartup(false).find("the hook testRequired is not installed"), std::string::npos);
        required = [](int x) { return x + 1; };
        doubled = [](int x) { return x; };
        doubled = [](int x) { return -x; };
        EXPECT_EQ(required(4), 5);
        EXPECT_EQ(doubled(4), -4);
        // (The runner's own slots are empty in this test.)
        EXPECT_EQ(Hooks_FinishStartup(false).find("testRequired"), std::string::npos);
        EXPECT_EQ(Hooks_FinishStartup(false).find("testDoubled"), std::string::npos);
        EXPECT_NE(Hooks_FinishStartup(true).find("the hook testDoubled is installed 2 times"), std::string::npos);

        // Taking the function away again brings back what the slot does without one.
        doubled = nullptr;
        EXPECT_EQ(doubled(4), 8);
    }
    // Assigning a whole set keeps each slot's own fallback.
    RStepHooks saved = StepHooks;
    Calls = 0;
    StepHooks = RStepHooks{.skipStep = +[] { return ++Calls > 0; }};
    EXPECT_TRUE(StepHooks.skipStep());
    EXPECT_EQ(Calls, 1);
    StepHooks = RStepHooks();
    EXPECT_FALSE(StepHooks.skipStep.IsInstalled());
    EXPECT_EQ(StepHooks.skipStep.Missing(), CHookSlot::EMissing::Required);
    StepHooks = saved;
    Error_Reset();
}
