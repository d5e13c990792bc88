// Drawing particle systems: each particle as its type's sprite image or
// built-in shape, scaled by its size, turned by its orientation, in its
// colour and alpha. Consecutive particles that share a texture and blend
// state reach the device as one batch. Headless runs draw nothing.
#pragma once

#include "particles/ParticleSystems.h"

void ParticleSystem_Draw(const RParticleSystem& system);

// The room drawing's side of the depth merge, over the systems drawn
// automatically: the greatest depth below `below` that has systems not yet
// drawn, and the drawing of the systems at a depth (within 0.01 under it).
double ParticleSystems_DepthBelow(double below);
void ParticleSystems_DrawAtDepth(double depth);
