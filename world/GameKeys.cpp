// The game keys of the first stage of a step.
#include "world/GameKeys.h"

#include "data/GameData.h"
#include "data/GameSettings.h"
#include "platform/Files.h"
#include "world/Input.h"
#include "world/Rooms.h"

#include <cstdint>

RGameKeys GameKeys;

namespace {

constexpr int32_t kF1 = 112, kEscape = 27, kF4 = 115, kF5 = 116, kF6 = 117, kF9 = 120;

} // namespace

std::string GameKeys_SaveFileName()
{
    return "_save" + std::to_string(GameId) + ".sav";
}

std::string GameKeys_ScreenshotFileName()
{
    for (int64_t n = 100;; ++n) {
        std::string name = "screenshot" + std::to_string(n) + ".png";
        if (!Platform_FileExists(ToHostPath(name)))
            return name;
    }
}

void GameKeys_Handle()
{
    int32_t& last = InputState.in_lastKey;
    if (Settings.KeyF1Information && last == kF1) {
        last = 0;
        if (GameKeys.showInformation)
            GameKeys.showInformation();
        Input_ClearAll();
    } else if (Settings.KeyEscEnds && last == kEscape) {
        last = 0;
        Game_RequestEnd();
    } else if (Settings.KeyF4FullScreen && last == kF4) {
        last = 0;
        if (GameKeys.toggleFullScreen)
            GameKeys.toggleFullScreen();
    } else if (Settings.KeyF5SaveF6Load && last == kF5) {
        last = 0;
        if (GameKeys.saveGame)
            GameKeys.saveGame(GameKeys_SaveFileName());
    } else if (Settings.KeyF5SaveF6Load && last == kF6) {
        last = 0;
        if (GameKeys.loadGame)
            GameKeys.loadGame(GameKeys_SaveFileName());
    } else if (Settings.KeyF9Screenshot && last == kF9) {
        last = 0;
        if (GameKeys.saveScreenshot)
            GameKeys.saveScreenshot(GameKeys_ScreenshotFileName());
    }
}
