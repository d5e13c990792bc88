// Preparing pictures before they become sprites, backgrounds or masks:
// transparency from a colour, softened and bled edges, opacity, alpha taken
// from another picture's brightness, stretching and the visible bounds.
// Colours here are device colours (0xAARRGGBB), as TBitmap32 stores them.
#pragma once

#include "data/Bitmap32.h"

#include <cstdint>

// Pictures that carry no alpha at all (every alpha 0) become opaque.
void Image_ApplyAlphaTest(TBitmap32& bitmap);
// Pixels whose red, green and blue are each within tolerance of the colour's
// take the colour's red, green and blue and become transparent.
void Image_MakeColorTransparent(TBitmap32& bitmap, uint32_t argb, int32_t tolerance);
// The same with the colour of the bottom-left pixel.
void Image_RemoveBackground(TBitmap32& bitmap, int32_t tolerance);
// Thins the alpha of pixels next to transparent ones, scanning in place.
void Image_SmoothEdges(TBitmap32& bitmap);
// Transparent pixels take the colour of an opaque neighbour (left, right,
// above, below) so that filtering does not darken the picture's edges.
void Image_BleedColors(TBitmap32& bitmap);
void Image_MakeOpaque(TBitmap32& bitmap);
// Alpha = the average of red, green and blue of the source, where both overlap.
void Image_AlphaFromIntensity(TBitmap32& bitmap, const TBitmap32& source);
// Resamples to neww × newh with quality² samples per pixel; transparent
// samples count as black and clear, so soft edges get darker.
void Image_Stretch(TBitmap32& bitmap, int32_t neww, int32_t newh, int32_t quality);

struct RImageBounds {
    int32_t left, top, right, bottom; // left > right when nothing is visible
};
RImageBounds Image_BoundingBox(const TBitmap32& bitmap, int32_t tolerance);

// The preparation of a loaded sprite or background picture.
void Image_Prepare(TBitmap32& bitmap, bool removeBackground, bool smooth);
