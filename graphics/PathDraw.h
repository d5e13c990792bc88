// The outline of a path as line strips in the draw colour.
#pragma once

#include <cstdint>

// Points every 4 pixels along the path, placed with its start on (x, y),
// or at its own coordinates when absolute. False when the path does not
// exist.
bool Path_Draw(int32_t path, double x, double y, bool absolute);
