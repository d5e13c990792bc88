// Picture files that splash screens show.
#pragma once

#include "data/Bitmap32.h"

#include <string>

// PNG, Windows bitmap, JPEG and GIF files; false when the file cannot be read or
// decoded.
bool Dialog_LoadPicture(const std::string& hostPath, TBitmap32& picture);
