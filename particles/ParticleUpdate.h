// One update of a particle system: ageing with the particles spawned while
// living and at death, motion with gravity and attractors, deflectors,
// changers, destroyers, then size, colour and alpha, and finally the streams
// of the emitters. The step loop updates every system with automatic update.
#pragma once

#include "particles/ParticleSystems.h"

void ParticleSystem_Update(RParticleSystem& system);
// The step loop's stage: every system whose automatic update is on.
void ParticleSystems_UpdateAll();
