// Interrupt, terminate and hang-up signals asked from outside (Ctrl+C in a
// terminal, kill, a closed terminal) end the game the way its own end does,
// so the temporary directory is removed and files are closed. A second
// signal ends the process at once, for a game that no longer steps.
#pragma once

// Call once before any window or sound library starts: libraries that catch
// these signals themselves leave an installed handler alone.
void Platform_WatchStopSignals();
// True once such a signal has arrived.
bool Platform_StopRequested();
