// Draw state and the 2D projection.
#include "graphics/DrawState.h"

#include "graphics/Colors.h"
#include "graphics/Display.h"
#include "graphics/Matrix3D.h"
#include "graphics/Mode3D.h"

#include <algorithm>
#include <cmath>
#include <numbers>

RDrawState DrawState;

void Draw_ResetState(bool interpolate)
{
    DrawState = RDrawState();
    DrawState.interpolate = interpolate;
    D3D_ResetState();
}

uint32_t Draw_DeviceColor()
{
    return Color_ToDevice(DrawState.color, DrawState.alpha);
}

void Draw_SetColor(int32_t color)
{
    DrawState.color = color;
}

void Draw_SetAlpha(double alpha)
{
    DrawState.alpha = std::isnan(alpha) ? 0.0 : std::clamp(alpha, 0.0, 1.0);
}

void Draw_SetBlendMode(int32_t mode)
{
    switch (mode) {
    case 1: // add
        Draw_SetBlendModeExt(kBlendSrcAlpha, kBlendOne);
        break;
    case 2: // max
        Draw_SetBlendModeExt(kBlendSrcAlpha, kBlendInvSrcColor);
        break;
    case 3: // subtract
        Draw_SetBlendModeExt(kBlendZero, kBlendInvSrcColor);
        break;
    default:
        Draw_SetBlendModeExt(kBlendSrcAlpha, kBlendInvSrcAlpha);
        break;
    }
}

void Draw_SetBlendModeExt(int32_t source, int32_t dest)
{
    DrawState.blendSource = source >= kBlendZero && source <= kBlendSrcAlphaSat ? source : kBlendSrcAlpha;
    DrawState.blendDest = dest >= kBlendZero && dest <= kBlendSrcAlphaSat ? dest : kBlendInvSrcAlpha;
}

RDrawSettings Draw_Settings(bool clampTexture)
{
    RDrawSettings s;
    s.blendSource = DrawState.blendSource;
    s.blendDest = DrawState.blendDest;
    s.linearFilter = DrawState.interpolate;
    s.repeat = DrawState.textureRepeat && !clampTexture;
    s.modulate = DrawState.textureBlending;
    return s;
}

void Draw_ApplyState()
{
    if (IRenderDevice* device = Display_Device())
        device->SetDrawSettings(Draw_Settings(false));
    D3D_ApplyState();
}

void Draw_SetProjection2D(double x, double y, double w, double h, double angle)
{
    Draw_SetProjection2DForm(x, y, w, h, angle, D3D_PerspectiveProjection());
}

void Draw_SetProjection2DForm(double x, double y, double w, double h, double angle, bool perspective)
{
    IRenderDevice* device = Display_Device();
    if (!device)
        return;
    // The eye looks along +z at the rectangle's centre; up is turned by the
    // view's angle. The projections' negative heights make y grow
    // downwards. In perspective the eye stands back by the rectangle's
    // width, where a near plane of width 1 shows exactly the rectangle at
    // depth 0.
    const double a = -angle * std::numbers::pi / 180.0;
    const RVector3 centre{x + w / 2, y + h / 2, 0.0};
    const RVector3 eye{centre.x, centre.y, perspective ? -w : -16000.0};
    const RMatrix4 view = Matrix_LookAt(eye, centre, {std::sin(a), std::cos(a), 0.0});
    const RMatrix4 projection =
        perspective ? Matrix_Perspective(1.0, -h / w, 1.0, 32000.0) : Matrix_Orthographic(w, -h, 1.0, 32000.0);
    float matrix[16];
    Matrix_ToDevice(view, matrix);
    device->SetTransform(ETransform::View, matrix);
    Matrix_ToDevice(projection, matrix);
    device->SetTransform(ETransform::Projection, matrix);
}
