// The built-in particle shapes: fourteen 64 × 64 white pictures whose alpha
// draws the shape (pixel, disk, square, line, star, circle, ring, sphere,
// flare, spark, explosion, cloud, smoke, snow), origin at the centre. They
// are painted once, when the first particle system is made, and placed side
// by side in one device texture, so particles of every shape go to the
// device together.
#pragma once

#include "data/Bitmap32.h"
#include "graphics/Textures.h"
#include "particles/ParticleTypes.h"

#include <cstdint>

constexpr int32_t kShapeSide = 64;
constexpr double kShapeOrigin = 32;

// Paints the pictures (the first call only).
void ParticleShapes_Make();
// The picture of a shape 0..13; an empty bitmap before ParticleShapes_Make.
const TBitmap32& ParticleShapes_Bitmap(int32_t shape);
// Where a shape lies in the device texture, which is made on first use and
// again for a new device; null when there is none (no device, or the
// pictures are not painted yet).
const RTexturePicture* ParticleShapes_Picture(int32_t shape);
