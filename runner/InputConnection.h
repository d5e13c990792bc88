// Connecting input for a run: the window's events, the pointer through the
// display's views, focus, the joysticks, and the input script when the run
// has one. With a script or without a real window the run is deterministic:
// the window counts as always active and only scripted sticks exist. A
// recorded run plays the player's input the way a script is played (what
// the window and the sticks do becomes scripted input, written down and
// played at once), so that playing the recording gives the same run.
#pragma once

#include <cstdint>
#include <string>

// Reads the script of --input; false with error on a mistake.
bool Runner_LoadInputScript(const std::string& path, std::string& error);
// Starts recording into path (--record); false with error when it cannot
// be written. The recording ends with the run.
bool Runner_StartRecording(const std::string& path, uint32_t seed, const std::string& game, std::string& error);
void Runner_StopRecording();
// Installs the input hooks; the display must have been started.
void Runner_ConnectInput();
