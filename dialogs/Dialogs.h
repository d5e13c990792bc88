// What dialogs/ offers the rest of the runner: the message window and the
// standard dialogs, the highscore table, splash screens, the game
// information page and the debug window, with their script functions; and
// the answers that automated runs give them (DialogAnswers.h).
#pragma once

#include "dialogs/DialogAnswers.h"

#include <cstdint>
#include <string>

// Supplies the routines of the dialog functions to the function catalogue.
void Dialogs_RegisterFunctions();
void Dialogs_ImplementMessageFunctions();
void Dialogs_ImplementHighscoreFunctions();
void Dialogs_ImplementInformationFunctions();
void Dialogs_ImplementSplashFunctions();

// Puts the dialogs into the running game, once the display has started:
// F1 and show_info, the splash and information windows that hold the step
// loop, and, in debug mode, the debug window beside the game.
void Dialogs_Start();
// After the step loop returned: while the debug window holds the game
// paused, keeps it alive; true when the loop should run again.
bool Dialogs_HoldWhilePaused();
// Closes whatever windows are still open.
void Dialogs_Shutdown();

// get_integer's reading of the typed text: an optional sign, then decimal
// digits, or hexadecimal after "$" or "0x"; false (value unchanged) for
// anything else or a number beyond 32 bits.
bool Dialog_ParseInteger(const std::string& text, int32_t& value);
