// Interrupt, terminate and hang-up signals asked from outside (Ctrl+C in a
// terminal, kill, a closed terminal) end the game the way its own end does,
// so the game end event runs, the temporary folder is removed and files are
// closed. The request reaches code that never gives control back: loops
// check it at their back-edges and waits while they wait. A second signal
// ends the process at once, for a game that no longer returns at all; that
// exit, and a crash, still remove the run's temporary folder.
#pragma once

#include <csignal>

// Call once before any window or sound library starts: libraries that catch
// these signals themselves leave an installed handler alone.
void Platform_WatchStopSignals();

// 0: no request; 1: asked, not carried out yet; 2: the end of the game has
// taken it.
extern volatile std::sig_atomic_t Platform_StopState;

// True from the first signal until the end of the game takes the request.
// One flag read: cheap enough for every loop back-edge.
inline bool Platform_StopRequested()
{
    return Platform_StopState == 1;
}
// True once, for whoever carries the request out (the end of the game).
// Code is no longer interrupted afterwards, so the game end event runs in
// full.
bool Platform_TakeStopRequest();
