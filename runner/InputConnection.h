// Connecting input for a run: the window's events, the pointer through the
// display's views, focus, the joysticks, and the input script when the run
// has one. With a script or without a real window the run is deterministic:
// the window counts as always active and only scripted sticks exist.
#pragma once

#include <string>

// Reads the script of --input; false with error on a mistake.
bool Runner_LoadInputScript(const std::string& path, std::string& error);
// Installs the input hooks; the display must have been started.
void Runner_ConnectInput();
