// The codecs behind PictureFiles.h, one file each; only PictureFiles.cpp
// calls them. Each fills error.kind and error.message when it fails and
// leaves its output empty.
#pragma once

#include "graphics/PictureFiles.h"

bool Png_Decode(const uint8_t* data, size_t size, TBitmap32& bitmap, RPictureError& error);
std::vector<uint8_t> Png_Encode(const TBitmap32& bitmap);
bool Jpeg_Decode(const uint8_t* data, size_t size, TBitmap32& bitmap, RPictureError& error);
bool Gif_DecodeLayers(const uint8_t* data, size_t size, RPictureLayers& picture, RPictureError& error);

// Sets error and gives false, so that codecs can fail in one line.
inline bool Picture_Fail(RPictureError& error, EPictureError kind, std::string message)
{
    error.kind = kind;
    error.message = std::move(message);
    return false;
}
