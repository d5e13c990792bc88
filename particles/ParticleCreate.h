// Making particles: random draws from ranges, the birth of a particle from
// its type, and the bursts of emitters. Every random number comes from the
// game's one generator, so a run on a fixed seed repeats exactly.
#pragma once

#include "particles/ParticleSystems.h"
#include "particles/ParticleTypes.h"

#include <cstdint>
#include <vector>

// A value in [min, max]: min when max is not above min (nothing is drawn),
// else min + (max - min) × u with u uniform in [0, 1).
double Particle_Range(double min, double max);
// The same with a distribution: linear, Gaussian (crowding the middle) or
// inverse Gaussian (crowding both ends).
double Particle_Distributed(double min, double max, int32_t distribution);
// How many of a count n to make: n itself when positive, else one with
// probability 1 / |n| (and none for 0).
int64_t Particle_Count(int64_t n);
// The 32-bit game colour of a colour value given as a real.
int32_t Particle_Color(double value);

// Gives p a new life as a particle of type at (x, y); false (p untouched)
// when the type is not in use.
bool Particle_Birth(RParticle& p, int32_t type, double x, double y);

// Appends number particles of type to out (the system's list, or its list
// of particles spawned during an update), at (x, y). Nothing when the type
// is not in use. Stops at the system's limit, which is reported once.
void Particle_Create(RParticleSystem& system, std::vector<RParticle>& out, int32_t type, double x, double y,
                     int64_t number);
// Appends the particles of a burst from the emitter's region; a negative
// number makes one with probability 1 / |number|.
void Emitter_Burst(RParticleSystem& system, const REmitter& emitter, int32_t type, int64_t number);
