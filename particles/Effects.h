// The built-in effects: ready-made bursts of particles (explosion, ring,
// ellipse, firework, smoke, smoke going up, star, spark, flare, cloud, rain,
// snow) in two particle systems of their own, one below everything and one
// above. They are ordinary systems and types of the particle lists, made at
// the first effect; the types are configured anew at every effect.
#pragma once

#include <cstdint>

constexpr int32_t kEffectKinds = 12;
constexpr double kEffectDepthBelow = 100000;
constexpr double kEffectDepthAbove = -100000;

// size: 0 small, 2 large, anything else medium. A kind outside 0..11 makes
// the systems and types but no particles.
void Effect_Create(int32_t kind, double x, double y, int32_t size, int32_t color, bool above);
// Removes every particle of both effect systems (also done at each room start).
void Effect_Clear();
// Speeds, growths and lifetimes are scaled by this, so that an effect looks
// the same in real time at any room speed.
double Effect_SpeedFactor();
// The index of an effect system, -1 while there is none.
int32_t Effect_System(bool above);
// Forgets the systems and types (a test starting afresh).
void Effect_Forget();
