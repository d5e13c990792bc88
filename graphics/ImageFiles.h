// Writing pictures the game asks to save: PNG when the name ends in ".png"
// (any case), otherwise a Windows bitmap file.
#pragma once

#include "data/Bitmap32.h"

#include <string>

bool Image_HasPngName(const std::string& gameName);
// The secure-mode check of every picture saver: false, after reporting
// "In secure mode you cannot write file" + name as a non-fatal error, when
// the name has a path in secure mode. Savers ask before they read any pixels,
// so the refusal shows even where there are none to read.
bool Image_MayWrite(const std::string& gameName);
// gameName is a path as the game gives it. False when it cannot be written
// (or Image_MayWrite refuses it).
bool Image_SaveFile(const std::string& gameName, const TBitmap32& bitmap);
