// The debug window of a game run in debug mode: opened at start beside the
// game, refreshed after every step, and serviced while the debug window
// holds the game paused.
#pragma once

// Opens the window when the game data says debug mode (not in a headless
// run, which has no display); show_debug_message lines go to its messages.
void DebugWindow_Start();
// After every step, in debug mode: the window's contents, then its requests.
void DebugWindow_Refresh();
// While the window holds the game paused: keeps the window (and the game
// window) alive until the developer runs, steps on or stops the game.
// True when the step loop should run again.
bool DebugWindow_HoldWhilePaused();
void DebugWindow_Close();
