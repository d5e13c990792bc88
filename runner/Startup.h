// The life of the runner process around the game: temporary directory, load,
// preparation, running and shut-down.
#pragma once

#include "data/GameData.h"
#include "runner/RunnerOptions.h"

// Exit statuses of the runner.
enum RunnerExit : int {
    kExitClean = 0,
    kExitFailed = 1,   // a message said why
    kExitUsage = 2,
    kExitTampered = 3, // the game data was changed; ends without a message
};

int RunGame(const RunnerOptions& options);

// LoadGameData with the load's escaping errors reported as damaged data.
GameLoadResult LoadGameGuarded(const std::string& gameFile, ILoadObserver* observer);
