// Particle types: the templates particles are made from. How a particle
// looks (a sprite or a built-in shape), how its size, speed, direction and
// orientation start, change and wiggle, how long it lives, how its colour
// and alpha go over its life, and what it spawns while it lives and when it
// dies. Types live in one growable list for the whole run; an entry is in
// use while `created` is set, and particles refer to their type by index, so
// a change to a type shows on every particle of it at once.
#pragma once

#include <cstdint>
#include <vector>

// Colour modes of a type.
enum : int32_t {
    kColorOne = 0,   // colpar[0] for ever
    kColorTwo = 1,   // colpar[0] to colpar[1] over the life
    kColorThree = 2, // colpar[0] to colpar[1] to colpar[2]
    kColorRgb = 3,   // red, green, blue drawn at birth from ranges
    kColorHsv = 4,   // hue, saturation, value drawn at birth from ranges
    kColorMix = 5,   // a random mix of colpar[0] and colpar[1] at birth
};

constexpr int32_t kShapeCount = 14; // pt_shape_pixel .. pt_shape_snow

struct RParticleType {
    bool created = false;
    int32_t sprite = -1; // -1: the built-in shape
    bool spriteanim = true;
    bool spritestretch = false;
    bool spriterandom = false;
    int32_t shape = 0;
    double sizemin = 1, sizemax = 1, sizeincr = 0, sizerand = 0;
    double xscale = 1, yscale = 1;
    int32_t lifemin = 100, lifemax = 100; // steps
    int32_t deathtype = 0, deathnumber = 0;
    int32_t steptype = 0, stepnumber = 0;
    double spmin = 0, spmax = 0, spincr = 0, sprand = 0;     // pixels per step
    double dirmin = 0, dirmax = 0, dirincr = 0, dirrand = 0; // degrees
    double grav = 0, gravdir = 270;
    double angmin = 0, angmax = 0, angincr = 0, angrand = 0; // degrees
    bool angdir = false;
    int32_t colmode = kColorOne;
    double colpar[6] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, 0, 0};
    double alphastart = 1, alphamiddle = 1, alphaend = 1;
    bool additiveblend = false;
};

// The list; entries are never removed, so an index stays valid for the run.
extern std::vector<RParticleType> ParticleTypes;

// The first entry not in use (or a new one), cleared; its index.
int32_t ParticleType_Create();
void ParticleType_Destroy(int32_t ind);
bool ParticleType_Exists(int32_t ind);
// Every field back to its default, except the blend flag.
void ParticleType_Clear(int32_t ind);
// The entry of an index in use, else null.
RParticleType* ParticleType_Get(int32_t ind);
// Forgets every type (a test starting afresh).
void ParticleType_ForgetAll();
