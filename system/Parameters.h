// The command line as the game sees it: parameter 0 is the game's own file,
// the rest are the arguments its player gave it. The runner's own options
// never appear here.
#pragma once

#include <string>
#include <vector>

extern std::vector<std::string> GameParameters;
