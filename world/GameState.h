// Game-wide state that scripts reach through built-in variables: score,
// lives and health with their captions, the cursor sprite, and the view and
// transition numbers that other modules keep.
#pragma once

#include <cstdint>
#include <string>

struct RGameState {
    int32_t score = 0;
    bool scoreRequested = false; // show the score in the caption even while it is 0
    int32_t lives = -1;
    double health = 100;
    bool showScore = true;
    bool showLives = false;
    bool showHealth = false;
    std::string captionScore = "Score: ";
    std::string captionLives = "Lives: ";
    std::string captionHealth = "Health: ";
    int32_t cursorSprite = -1;
    int32_t cursorImage = 0; // grows by one every step
    int32_t viewCurrent = 0; // the view being drawn; 0 outside drawing
    bool secureMode = false;
};

extern RGameState GameState;

// The window caption for the current room: its caption with the score,
// lives and health appended as they are shown.
std::string Game_Caption();

// Setting lives or health from above 0 to 0 or below makes every instance
// perform its No More Lives (No More Health) event.
void Game_SetLives(int32_t lives);
void Game_SetHealth(double health);
