// 3D mode and the state of 3D drawing: the mode itself (a depth buffer on
// the targets, the current depth in every vertex), perspective for the 2D
// projection, hidden surfaces, culling, shading, lighting, fog, the lights,
// and the world transform with its stack. Every change goes to the device
// at once, so drawing only reads it.
#pragma once

#include "graphics/Matrix3D.h"
#include "platform/RenderDevice.h"

#include <cstdint>
#include <map>
#include <vector>

struct RLightSlot {
    RLight light;
    bool enabled = false;
};

struct RMode3D {
    static constexpr int32_t kStackSize = 1001;

    bool on = false;
    bool perspective = true;
    bool hidden = true;   // counts only in 3D mode
    bool lighting = false;
    bool smooth = true;
    bool culling = false;
    bool fog = false;
    int32_t fogColor = 0; // game colour
    double fogStart = 0, fogEnd = 0;
    uint32_t ambient = 0; // device colour
    std::map<int64_t, RLightSlot> lights; // by the device's light number
    RMatrix4 world = Matrix_Identity();
    std::vector<RMatrix4> stack;
};

extern RMode3D Mode3D;

extern const char* const kMode3DFailedMessage;

// Back to the state of a new game (does not touch the device).
void D3D_ResetState();
// Sends the scene state and the world transform to the device.
void D3D_ApplyState();
// The shading the device needs for the state above.
RSceneState D3D_SceneState();

// Switches 3D mode through a reset of the display; true also when the mode
// already is as asked. On failure the reason is shown and 2D mode stays.
bool D3D_SetMode(bool on);
// Whether the 2D projection of views is a perspective one.
bool D3D_PerspectiveProjection();
// The current depth: in 3D mode d clamped to -16000..16000, else always 0.
void D3D_SetDepth(double depth);

void D3D_SetHidden(bool on);
void D3D_SetLighting(bool on);
void D3D_SetShading(bool smooth);
void D3D_SetCulling(bool on);
void D3D_SetFog(bool on, int32_t color, double start, double end);
void D3D_SetAmbient(int32_t color);
void D3D_DefineLight(int64_t index, const RLight& light);
// False when more lights would be on than the device can light at once
// (the light is then still marked on, but lights nothing).
bool D3D_EnableLight(int64_t index, bool enable);

void D3D_SetWorld(const RMatrix4& world);
// The new transformation applies after the world transform so far.
void D3D_AddToWorld(const RMatrix4& transformation);
bool D3D_PushWorld();
bool D3D_PopWorld();
bool D3D_TopWorld();
bool D3D_DiscardWorld();
void D3D_ClearWorldStack();
