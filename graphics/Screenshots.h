// Saving what the back buffer holds: for screen_save, the screenshot key and
// the runner's own --screenshot. The screen has no transparency of its own,
// so saved pictures are opaque.
#pragma once

#include "data/Bitmap32.h"

#include <cstdint>
#include <string>

// A part of the region (cut to it) into a file named as a game names files:
// PNG when the name ends in ".png", else a Windows bitmap. False when nothing
// could be read or written.
bool Screen_Save(const std::string& gameName, int32_t x, int32_t y, int32_t w, int32_t h);
// A rectangle of the back buffer (cut as Display_ReadScreen cuts it), made
// opaque: the back buffer keeps no alpha.
bool Screen_ReadOpaque(int32_t x, int32_t y, int32_t w, int32_t h, TBitmap32& bitmap);
// The whole region.
bool Screen_SaveWhole(const std::string& gameName);
// "screenshot" + n + ".png" with the first n from 100 up that names no file
// yet; the name written, or "" when nothing was.
std::string Screen_SaveNumbered();
