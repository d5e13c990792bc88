// Game-wide state and the window caption.
#include "world/GameState.h"

#include "world/Rooms.h"

#include <cmath>

RGameState GameState;

std::string Game_Caption()
{
    std::string caption = CurrentRoom ? CurrentRoom->r_caption : std::string();
    if (GameState.showScore && (GameState.scoreRequested || GameState.score > 0))
        caption += " " + GameState.captionScore + std::to_string(GameState.score);
    if (GameState.showLives)
        caption += " " + GameState.captionLives + std::to_string(GameState.lives);
    if (GameState.showHealth)
        caption += " " + GameState.captionHealth + std::to_string(static_cast<long long>(std::nearbyint(GameState.health)));
    return caption;
}
