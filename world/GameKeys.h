// The keys the runner handles itself at the start of every step: F1 shows
// the game information, Esc ends the game, F4 switches full screen, F5 saves
// and F6 loads the game, F9 takes a screenshot, each when the game's settings
// allow it. The work of most of them belongs to other modules, which install
// it here at start-up; a key whose module is missing says that its feature is
// not available (see world/HookSlot.h).
#pragma once

#include "world/HookSlot.h"

#include <string>

struct RGameKeys {
    THook<void()> showInformation{"showInformation", RUnavailable{"The game information window"}};
    THook<void()> toggleFullScreen{"toggleFullScreen", kRequired};
    THook<void(const std::string& file)> saveGame{"saveGame", RUnavailable{"Saving a game"}};
    THook<void(const std::string& file)> loadGame{"loadKeyGame", RUnavailable{"Loading a saved game"}};
    THook<void(const std::string& file)> saveScreenshot{"saveScreenshot", kRequired};
};
extern RGameKeys GameKeys;

// Looks at the last key pressed; a key it handles is taken (the last key
// becomes 0) so that one press acts once.
void GameKeys_Handle();

// "_save" + the game id + ".sav", in the working directory.
std::string GameKeys_SaveFileName();
// "screenshot" + n + ".png" for the first n from 100 up that names no file yet.
std::string GameKeys_ScreenshotFileName();
