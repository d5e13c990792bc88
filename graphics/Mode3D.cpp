// The 3D state and switching 3D mode.
#include "graphics/Mode3D.h"

#include "graphics/Colors.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cmath>

RMode3D Mode3D;

const char* const kMode3DFailedMessage = "Failed to use 3D mode.";

namespace {

void SendScene()
{
    if (IRenderDevice* device = Display_Device())
        device->SetSceneState(D3D_SceneState());
}

void SendWorld()
{
    if (IRenderDevice* device = Display_Device()) {
        float matrix[16];
        Matrix_ToDevice(Mode3D.world, matrix);
        device->SetTransform(ETransform::World, matrix);
    }
}

float Channel(uint32_t argb, int shift)
{
    return static_cast<float>((argb >> shift) & 0xFF) / 255.0f;
}

int32_t EnabledLights()
{
    return static_cast<int32_t>(std::count_if(Mode3D.lights.begin(), Mode3D.lights.end(),
                                              [](const auto& entry) { return entry.second.enabled; }));
}

} // namespace

void D3D_ResetState()
{
    Mode3D = RMode3D();
}

void D3D_ApplyState()
{
    SendScene();
    SendWorld();
}

RSceneState D3D_SceneState()
{
    RSceneState s;
    s.hidden = Mode3D.on && Mode3D.hidden;
    s.cull = Mode3D.culling;
    s.lighting = Mode3D.lighting;
    s.flat = !Mode3D.smooth;
    s.fog = Mode3D.fog;
    s.fogColor = Color_ToDevice(Mode3D.fogColor, 1.0);
    s.fogStart = static_cast<float>(Mode3D.fogStart);
    s.fogEnd = static_cast<float>(Mode3D.fogEnd);
    s.ambient[0] = Channel(Mode3D.ambient, 16);
    s.ambient[1] = Channel(Mode3D.ambient, 8);
    s.ambient[2] = Channel(Mode3D.ambient, 0);
    // Light numbers are the device's; the lowest that are on light the scene.
    for (const auto& [index, slot] : Mode3D.lights) {
        if (!slot.enabled || s.lightCount == RSceneState::kMaxLights)
            continue;
        s.lights[s.lightCount++] = slot.light;
    }
    return s;
}

bool D3D_SetMode(bool on)
{
    if (Mode3D.on == on)
        return true;
    Mode3D.on = on;
    Mode3D.perspective = on;
    DrawState.depth = 0;
    SendScene();
    if (Display_Reset())
        return true;
    Platform_ShowMessage(kMode3DFailedMessage);
    Mode3D.on = false;
    Mode3D.perspective = false;
    SendScene();
    Display_Reset();
    return false;
}

bool D3D_PerspectiveProjection()
{
    return Mode3D.on && Mode3D.perspective;
}

void D3D_SetDepth(double depth)
{
    DrawState.depth = Mode3D.on ? std::clamp(std::isnan(depth) ? 0.0 : depth, -16000.0, 16000.0) : 0.0;
}

void D3D_SetHidden(bool on)
{
    Mode3D.hidden = on;
    SendScene();
}

void D3D_SetLighting(bool on)
{
    Mode3D.lighting = on;
    SendScene();
}

void D3D_SetShading(bool smooth)
{
    Mode3D.smooth = smooth;
    SendScene();
}

void D3D_SetCulling(bool on)
{
    Mode3D.culling = on;
    SendScene();
}

void D3D_SetFog(bool on, int32_t color, double start, double end)
{
    Mode3D.fog = on;
    if (on) {
        Mode3D.fogColor = color;
        Mode3D.fogStart = start;
        Mode3D.fogEnd = end;
    }
    SendScene();
}

void D3D_SetAmbient(int32_t color)
{
    Mode3D.ambient = Color_ToDevice(color, 1.0);
    SendScene();
}

void D3D_DefineLight(int64_t index, const RLight& light)
{
    Mode3D.lights[index].light = light;
    SendScene();
}

bool D3D_EnableLight(int64_t index, bool enable)
{
    // A light turned on before it was defined shines white along +z, as a
    // device light does by default.
    RLightSlot& slot = Mode3D.lights[index];
    slot.enabled = enable;
    SendScene();
    return !enable || EnabledLights() <= RSceneState::kMaxLights;
}

void D3D_SetWorld(const RMatrix4& world)
{
    Mode3D.world = world;
    SendWorld();
}

void D3D_AddToWorld(const RMatrix4& transformation)
{
    D3D_SetWorld(Matrix_Multiply(Mode3D.world, transformation));
}

bool D3D_PushWorld()
{
    if (Mode3D.stack.size() >= static_cast<size_t>(RMode3D::kStackSize))
        return false;
    Mode3D.stack.push_back(Mode3D.world);
    return true;
}

bool D3D_PopWorld()
{
    if (Mode3D.stack.empty())
        return false;
    RMatrix4 top = Mode3D.stack.back();
    Mode3D.stack.pop_back();
    D3D_SetWorld(top);
    return true;
}

bool D3D_TopWorld()
{
    if (Mode3D.stack.empty())
        return false;
    D3D_SetWorld(Mode3D.stack.back());
    return true;
}

bool D3D_DiscardWorld()
{
    if (Mode3D.stack.empty())
        return false;
    Mode3D.stack.pop_back();
    return true;
}

void D3D_ClearWorldStack()
{
    Mode3D.stack.clear();
}
