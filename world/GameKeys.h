// The keys the runner handles itself at the start of every step: F1 shows
// the game information, Esc ends the game, F4 switches full screen, F5 saves
// and F6 loads the game, F9 takes a screenshot, each when the game's settings
// allow it. The work of most of them belongs to other modules, which install
// it here; until then the key is taken and nothing happens.
#pragma once

#include <string>

struct RGameKeys {
    void (*showInformation)() = nullptr;
    void (*toggleFullScreen)() = nullptr;
    void (*saveGame)(const std::string& file) = nullptr;
    void (*loadGame)(const std::string& file) = nullptr;
    void (*saveScreenshot)(const std::string& file) = nullptr;
};
extern RGameKeys GameKeys;

// Looks at the last key pressed; a key it handles is taken (the last key
// becomes 0) so that one press acts once.
void GameKeys_Handle();

// "_save" + the game id + ".sav", in the working directory.
std::string GameKeys_SaveFileName();
// "screenshot" + n + ".png" for the first n from 100 up that names no file yet.
std::string GameKeys_ScreenshotFileName();
