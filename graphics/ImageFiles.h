// Writing pictures the game asks to save: PNG when the name ends in ".png"
// (any case), otherwise a Windows bitmap file.
#pragma once

#include "data/Bitmap32.h"

#include <string>

// Whether a name ends in ext (".png" and the like), ignoring case.
bool Image_HasExtension(const std::string& gameName, const char* ext);
bool Image_HasPngName(const std::string& gameName);
// gameName is a path as the game gives it. False when it cannot be written
// (or secure mode refuses it: SecureMode_MayWrite).
bool Image_SaveFile(const std::string& gameName, const TBitmap32& bitmap);
