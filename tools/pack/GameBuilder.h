// Writing a project as game data: the exact inverse of the runner's loader.
#pragma once

#include "tools/pack/Project.h"

#include <cstdint>
#include <string>
#include <vector>

// The outer body: everything behind the version word, before scrambling.
std::vector<uint8_t> BuildOuterBody(const GameProject& project, uint32_t& z, uint32_t& w);

// A whole game file: runnerImage (empty for a game file) padded up to the
// marker, then the scrambled data. Throws EProjectError when the runner's
// marker search would not find exactly our marker.
std::vector<uint8_t> BuildGame(const GameProject& project, const std::vector<uint8_t>& runnerImage);
