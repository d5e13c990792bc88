// The run's own temporary directory (a host path without a trailing
// separator), made by start-up before anything is loaded; empty when it could
// not be made. The game's library file, extension files and temporary sound
// files go there, and scripts see it as temp_directory.
#pragma once

#include <string>

extern std::string TempDir;

// The last component of a name stored in the game data, or "" for "." and
// "..". Names are cut down to this before anything is written under TempDir,
// so damaged or hostile data cannot place a file outside it.
std::string SafeFileName(const std::string& name);
