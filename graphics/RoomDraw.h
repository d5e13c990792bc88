// Drawing the running room: views that follow their instances, the region
// sized to the room at its start, and the frame itself: per view the
// background layers, then instances, tiles and particle systems merged by
// depth, then the foreground layers and the cursor sprite.
#pragma once

#include "world/HookSlot.h"

#include <cstdint>

class CLiveRoom;

// Particle systems are drawn in the depth merge; their module installs these.
// Without it no particle system can exist, so there is nothing to draw.
constexpr double kNoParticleDepth = -1e9;
struct RRoomDrawHooks {
    // The greatest depth below `below` of the systems drawn with the room,
    // or kNoParticleDepth when there is none.
    THook<double(double below)> particleDepthBelow{"particleDepthBelow", [](double) { return kNoParticleDepth; }};
    // Draws those systems whose depth is within 0.01 of depth.
    THook<void(double depth)> drawParticles{"drawParticles", [](double) {}};
};
extern RRoomDrawHooks RoomDrawHooks;

// At the start of a room: the region becomes the room's size, or the union
// of its visible view ports, within the screen.
void RoomDraw_FitRegionToRoom(const CLiveRoom& room);
// The whole frame of the current room into the back buffer (not presented),
// and the window caption. Does nothing while a draw is already under way
// (a draw event asking for one).
void RoomDraw_DrawRoom();
bool RoomDraw_IsDrawing();
