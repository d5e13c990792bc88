// A stop asked from outside the game (an interrupt, terminate or hang-up
// signal) must reach code that never gives control back by itself. Loops
// check it at every back-edge, and code that running code starts (a script
// call, execute_string, an event raised from code) as it starts: code that
// sees it ends at once, every caller with it, and the game ends as if the
// code had called game_end there. Waits (sleep, keyboard_wait, mouse_wait, a
// program being waited for) simply stop waiting. Without either, the step
// runs on and the game ends after it. Nothing is reported: errors met while
// the code unwinds are not the game's.
#pragma once

#include "platform/StopSignals.h"

// One flag read, for every loop back-edge.
inline bool Code_StopRequested()
{
    return Platform_StopRequested();
}

class CExecutionContext;

// What code does on seeing the request: asks for the end of the game (unless
// a fatal error is already stopping it) and records the pending error that
// unwinds every caller. Returns false, the status of a failed call.
bool Code_StopForRequest(CExecutionContext& context);
// The same on the program's context.
bool Code_StopForRequest();
