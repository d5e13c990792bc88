// What the loading window shows at a given progress: the game's loading
// image (or the runner's own plain panel when the game gives none) with the
// empty bar and, over it, the full bar as long as the progress says.
#pragma once

#include "data/Bitmap32.h"
#include "data/GameSettings.h"

#include <cstdint>

struct RLoadingLayout {
    int32_t w = 332, h = 92;          // the window's client area
    int32_t barX = 24, barY = 60;     // the bars' top-left corner
    int32_t barW = 284, barH = 16;    // the empty bar
};

// Sized to the loading image, or 332 × 92 without one; the bars sit 32 pixels
// above the bottom with a margin of 24 on either side.
RLoadingLayout Loading_Layout(const GameSettings& settings);
// The full bar's length at percent.
int32_t Loading_FullBarWidth(const RLoadingLayout& layout, int percent);
TBitmap32 Loading_Picture(const GameSettings& settings, int percent);
