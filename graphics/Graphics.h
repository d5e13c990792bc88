// What graphics/ offers the rest of the runner: the display, its start-up
// and the script functions of the display, window and draw state.
#pragma once

#include "graphics/Display.h"
#include "graphics/DisplayStartup.h"

// Supplies the routines of the display, window, draw-state, texture, colour
// and primitive functions to the function catalogue.
void Graphics_RegisterFunctions();
