// Picture files of a project as TBitmap32 images: PNG, Windows bitmap,
// JPEG and GIF (every frame of an animated GIF).
#pragma once

#include "data/Bitmap32.h"

#include <cstdint>
#include <string>
#include <vector>

// Decodes a picture file's bytes into one or more frames; false with error
// set when the file is none of the known forms or is damaged.
bool DecodePicture(const std::vector<uint8_t>& bytes, std::vector<TBitmap32>& frames, std::string& error);
