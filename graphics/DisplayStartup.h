// Starting the display of a game from its settings: display mode wishes,
// the window's style, region and scale, and the drawing device.
#pragma once

#include "data/GameSettings.h"
#include "platform/GameWindow.h"

#include <memory>

extern const char* const kColorModeQuestion;

// Takes over the window (see Display_Open). False when the game cannot
// start; the player has been told why. The window is left hidden.
bool Display_Start(const GameSettings& settings, std::unique_ptr<IGameWindow> window);
