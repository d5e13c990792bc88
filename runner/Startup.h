// The life of the runner process around the game: temporary directory, load,
// preparation, running and shut-down.
#pragma once

#include "data/GameData.h"
#include "runner/RunnerOptions.h"

#include <cstdint>
#include <vector>

// Exit statuses of the runner.
enum RunnerExit : int {
    kExitClean = 0,
    kExitFailed = 1,   // a message said why
    kExitUsage = 2,
    kExitTampered = 3, // the game data was changed; ends without a message
};

int RunGame(const RunnerOptions& options);

// Puts every module's hooks into the world for a run with these options and
// checks that none is missing (or, with debug checks, installed twice);
// false with problem set otherwise.
class IStepClock;
bool Runner_InstallHooks(const RunnerOptions& options, IStepClock& clock, std::string& problem);

// LoadGameData with the load's escaping errors reported as damaged data;
// from inMemory (a game file's bytes, taken) instead of the file when given.
GameLoadResult LoadGameGuarded(const std::string& gameFile, ILoadObserver* observer,
                               std::vector<uint8_t>* inMemory = nullptr);
