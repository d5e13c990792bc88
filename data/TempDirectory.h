// The run's own temporary directory (a host path without a trailing
// separator), made by start-up before anything is loaded; empty when it could
// not be made. The game's library file, extension files and temporary sound
// files go there, and scripts see it as temp_directory.
#pragma once

#include <string>

extern std::string TempDir;
