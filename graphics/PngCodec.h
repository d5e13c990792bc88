// PNG files to and from TBitmap32, through libpng.
#pragma once

#include "data/Bitmap32.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Any PNG colour type and depth becomes 8-bit blue, green, red, alpha.
// On failure the bitmap is left empty and error says why.
bool DecodePng(const uint8_t* data, size_t size, TBitmap32& bitmap, std::string* error = nullptr);
std::vector<uint8_t> EncodePng(const TBitmap32& bitmap);
