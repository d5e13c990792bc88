// Surfaces: off-screen pictures that drawing can be sent into, each a
// render-target texture of the texture table. They live in the device and
// are all freed before it is reset (a game must make them again), so ids
// name used entries only while their device lives.
#pragma once

#include "data/Bitmap32.h"

#include <cstdint>

struct RSurface {
    int32_t texture = -1; // texture id (a render target)
    int32_t w = 0, h = 0; // as asked for; the texture may be larger
    bool used = false;
};

// Larger surfaces are refused: a game asking for one gets -1 instead of a
// device that stalls on gigabytes.
constexpr int32_t kSurfaceMaxSide = 8192;

// A new surface, cleared to transparent black, or -1.
int32_t Surface_Create(int32_t w, int32_t h);
// Resets the target first when the surface is it.
void Surface_Free(int32_t id);
bool Surface_Exists(int32_t id);
// The entry of a used id, else null.
const RSurface* Surface_Get(int32_t id);

// Drawing goes into the surface, with the viewport and projection showing
// its own (0, 0, w, h); true also when it already is the target.
bool Surface_SetTarget(int32_t id);
// Drawing goes back to where it went before, with the viewport and
// projection of the whole drawing region; false when no surface was the target.
bool Surface_ResetTarget();
// The surface drawing goes into, -1 for none.
int32_t Surface_Target();

// A rectangle of the surface: a negative corner moves to 0 and the size is
// cut to the surface. False when nothing is left or it cannot be read.
bool Surface_Read(int32_t id, int64_t x, int64_t y, int64_t w, int64_t h, TBitmap32& bitmap);
// The same for a script that names the surface: a missing one is reported
// ("Trying to use non-existing surface.").
bool Surface_ReadForScript(int32_t id, int64_t x, int64_t y, int64_t w, int64_t h, TBitmap32& bitmap);
// A copy of the part (xs, ys, ws, hs) of a source to (x, y) of a destination.
struct RSurfaceCopy {
    int64_t x, y, xs, ys, ws, hs;
};
// Cuts a copy to both pictures: a part starting left of the source moves
// the place right by as much and gets narrower, a place left of the
// destination moves the part right (likewise upwards). False when nothing
// is left to copy.
bool Surface_CutCopy(RSurfaceCopy& copy, int64_t sourceW, int64_t sourceH, int64_t destW, int64_t destH);
// Copies a part of src to dest pixel for pixel, alpha included, after
// cutting it. False when a surface does not exist.
bool Surface_CopyPart(int32_t dest, int64_t x, int64_t y, int32_t src, int64_t xs, int64_t ys, int64_t ws,
                      int64_t hs);

// Every surface goes (before a device reset).
void Surface_FreeAll();
// The table empties without touching the device (its textures are gone).
void Surface_ForgetAll();
