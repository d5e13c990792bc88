// The drawing state shared by every draw function: colour and alpha, blend
// factors, texture filtering, blending and repeat, the depth given to every
// vertex, and the 2D projection of a view.
#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>

struct RDrawState {
    int32_t color = 0;    // game colour 0xBBGGRR
    double alpha = 1.0;   // 0..1
    int32_t blendSource = kBlendSrcAlpha;
    int32_t blendDest = kBlendInvSrcAlpha;
    bool interpolate = false;
    bool textureBlending = true; // textures multiplied by the vertex colour
    bool textureRepeat = false;
    double depth = 0.0;
};

extern RDrawState DrawState;

// Back to the initial state (interpolation as given).
void Draw_ResetState(bool interpolate);
// The draw colour with the draw alpha, as the device takes it.
uint32_t Draw_DeviceColor();
void Draw_SetColor(int32_t color);
void Draw_SetAlpha(double alpha);
// bm_normal 0, bm_add 1, bm_max 2, bm_subtract 3; anything else is normal.
void Draw_SetBlendMode(int32_t mode);
// Factors 1..11; a number outside that range keeps the normal factor of its side.
void Draw_SetBlendModeExt(int32_t source, int32_t dest);

// The device settings of a draw: textured quads always clamp their texture
// coordinates, other drawing follows the repeat flag.
RDrawSettings Draw_Settings(bool clampTexture);
// Sends the whole remembered state to the device (after creation or reset).
void Draw_ApplyState();

// View and projection transforms that show the room rectangle (x, y, w, h),
// turned by angle degrees, in the current viewport: in perspective in 3D
// mode with perspective on, else orthographic. The world transform stays.
void Draw_SetProjection2D(double x, double y, double w, double h, double angle);
void Draw_SetProjection2DForm(double x, double y, double w, double h, double angle, bool perspective);
