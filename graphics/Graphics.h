// What graphics/ offers the rest of the runner: the display, its start-up,
// the drawing of the running game and the script functions of the display,
// window, draw state, sprites, backgrounds, tiles, text, shapes, surfaces
// and 3D mode.
#pragma once

#include "graphics/Display.h"
#include "graphics/DisplayStartup.h"

#include <string>

// Supplies the routines of the graphics script functions to the function catalogue.
void Graphics_RegisterFunctions();

// Puts the drawing into the running world: the room draw of every step,
// presenting, the region at each room's start and its first draw. Called
// once the display has started.
void Graphics_InstallWorldHooks();

// Window messages handled by the display alone, where input does not take
// them over (the runner's input always does): the events go to the listener
// below. Until something listens, a close request ends the game as the Esc
// key would.
void Graphics_InstallMessageHandling();
void Graphics_SetWindowEventListener(void (*listener)(const RWindowEvent& event));

// The game keys that belong to the display: switching between full screen
// and a window, and a screenshot into the first free "screenshot<n>.png"
// from 100 up (the name written comes back, "" when none was).
void Graphics_ToggleFullScreen();
std::string Graphics_SaveScreenshot();

// The last frame drawn, as a PNG file at a host path (the runner's own
// --screenshot). False without a display that has pixels.
bool Graphics_SaveLastFrame(const std::string& hostPath);
