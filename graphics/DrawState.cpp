// Draw state and the 2D projection.
#include "graphics/DrawState.h"

#include "graphics/Colors.h"
#include "graphics/Display.h"

#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

RDrawState DrawState;

void Draw_ResetState(bool interpolate)
{
    DrawState = RDrawState();
    DrawState.interpolate = interpolate;
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
}

void Draw_SetProjection2D(double x, double y, double w, double h, double angle)
{
    IRenderDevice* device = Display_Device();
    if (!device)
        return;
    // The eye looks along +z at the rectangle's centre; up is turned by the
    // view's angle. The projection's negative height makes y grow downwards.
    double a = -angle * std::numbers::pi / 180.0;
    glm::dvec3 centre(x + w / 2, y + h / 2, 0.0);
    glm::dmat4 view = glm::lookAtLH(centre - glm::dvec3(0, 0, 16000), centre, glm::dvec3(std::sin(a), std::cos(a), 0));
    glm::dmat4 projection = glm::orthoLH_ZO(-w / 2, w / 2, h / 2, -h / 2, 1.0, 32000.0);
    glm::mat4 viewF(view), projectionF(projection), identity(1.0f);
    device->SetTransform(ETransform::World, glm::value_ptr(identity));
    device->SetTransform(ETransform::View, glm::value_ptr(viewF));
    device->SetTransform(ETransform::Projection, glm::value_ptr(projectionF));
}
