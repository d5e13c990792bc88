// Game-wide state and the window caption.
#include "world/GameState.h"

#include "data/Event.h"
#include "world/EventDispatch.h"
#include "world/Rooms.h"

#include <cmath>

RGameState GameState;

namespace {

constexpr int32_t kNoMoreLives = 6;
constexpr int32_t kNoMoreHealth = 9;

} // namespace

void Game_SetLives(int32_t lives)
{
    const int32_t before = GameState.lives;
    GameState.lives = lives;
    if (before > 0 && lives <= 0)
        PerformEventAll(kEventOther, kNoMoreLives);
}

void Game_SetHealth(double health)
{
    const double before = GameState.health;
    GameState.health = health;
    if (before > 0 && health <= 0)
        PerformEventAll(kEventOther, kNoMoreHealth);
}

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
