// A stable text form of every resource of a game, one item per line: what
// "brindle-run --dump" prints, and how authors and tests see what a game
// holds. Pixel, sound and file data appear as sizes and checksums.
#pragma once

#include <string>

class CGameResources;

std::string DumpResources(const CGameResources& resources);
