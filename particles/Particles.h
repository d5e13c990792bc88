// What particles/ offers the rest of the runner: particle types, systems
// with their emitters, attractors, destroyers, deflectors and changers, and
// the built-in effects; their script functions; and their place in the
// running game (the step loop's update, the room drawing's depth merge,
// clearing the effects at each room start). The action functions reach the
// same types, systems and effects through the headers included here.
#pragma once

#include "particles/Effects.h"
#include "particles/ParticleCreate.h"
#include "particles/ParticleDraw.h"
#include "particles/ParticleSystems.h"
#include "particles/ParticleTypes.h"
#include "particles/ParticleUpdate.h"

// Supplies every particle script function (before the function table is filled).
void Particles_RegisterFunctions();
// Puts the particle systems into the running game.
void Particles_InstallHooks();
// Forgets every type, system and effect (a test starting afresh).
void Particles_Reset();
