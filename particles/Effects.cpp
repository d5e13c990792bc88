// The built-in effects, made of ordinary particle systems and types.
#include "particles/Effects.h"

#include "code/Value.h"
#include "library/Random.h"
#include "particles/ParticleCreate.h"
#include "particles/ParticleSystems.h"
#include "particles/ParticleTypes.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

#include <array>

namespace {

// Where each kind's types lie among the 35: explosion has a coloured and a
// dark type per size, rain and snow one type each, the others one per size.
constexpr int32_t kTypeCount = 35;
constexpr int32_t kRainType = 33, kSnowType = 34;
int32_t FirstTypeOf(int32_t kind)
{
    return kind == 0 ? 0 : 6 + (kind - 1) * 3;
}

std::array<int32_t, kTypeCount> Types;
bool TypesMade = false;
int32_t Systems[2] = {-1, -1}; // below, above

// The effect's type set back to the defaults of a new type, ready to be
// configured; null when the game has destroyed it.
RParticleType* Fresh(int32_t slot)
{
    RParticleType* t = ParticleType_Get(Types[static_cast<size_t>(slot)]);
    if (t)
        *t = RParticleType{.created = true};
    return t;
}

struct RConfig {
    double e;     // the speed factor
    int32_t size; // 0, 1, 2
    // One of three values by size.
    double By(double small, double medium, double large) const
    {
        return size == 0 ? small : size == 2 ? large : medium;
    }
    // A lifetime of n steps at 30 steps per second, in steps at this speed.
    int32_t Life(double n) const { return static_cast<int32_t>(RoundToInteger(n / e)); }
};

void Range(double& min, double& max, double a, double b)
{
    min = a;
    max = b;
}

void Alphas(RParticleType& t, double start, double middle, double end)
{
    t.alphastart = start;
    t.alphamiddle = middle;
    t.alphaend = end;
}

// Fading from alpha a at birth to b at death.
void Fade(RParticleType& t, double a, double b)
{
    Alphas(t, a, (a + b) / 2, b);
}

void Life(RParticleType& t, int32_t min, int32_t max)
{
    t.lifemin = min;
    t.lifemax = max;
}

RParticleSystem& EffectSystem(bool above)
{
    int32_t& ind = Systems[above ? 1 : 0];
    if (!ParticleSystem_Exists(ind)) {
        ind = ParticleSystem_Create();
        ParticleSystem_Get(ind)->depth = above ? kEffectDepthAbove : kEffectDepthBelow;
    }
    return *ParticleSystem_Get(ind);
}

void MakeTypes()
{
    if (TypesMade)
        return;
    for (int32_t& t : Types)
        t = ParticleType_Create();
    TypesMade = true;
}

void Emit(RParticleSystem& s, int32_t slot, double x, double y, int32_t color, int64_t number)
{
    const size_t before = s.particles.size();
    Particle_Create(s, s.particles, Types[static_cast<size_t>(slot)], x, y, number);
    for (size_t k = before; k < s.particles.size(); ++k)
        s.particles[k].color = color;
}

void Explosion(RParticleSystem& s, const RConfig& c, double x, double y, int32_t color)
{
    const int32_t slot = c.size * 2;
    const double size = c.By(0.1, 0.3, 0.4);
    if (RParticleType* t = Fresh(slot)) {
        t->shape = 10;
        t->sizemin = t->sizemax = size;
        t->sizeincr = c.By(0.05, 0.1, 0.2) * c.e;
        Range(t->angmin, t->angmax, 0, 360);
        Range(t->dirmin, t->dirmax, 0, 360);
        t->spmin = t->spmax = c.By(2, 4, 7) * c.e;
        t->spincr = c.By(-0.1, -0.18, -0.2) * c.e;
        Fade(*t, 0.6, 0);
        Life(*t, c.Life(c.By(10, 12, 15)), c.Life(c.By(15, 17, 20)));
    }
    Emit(s, slot, x, y, color, 20);
    if (RParticleType* t = Fresh(slot + 1)) {
        t->shape = 10;
        t->sizemin = t->sizemax = size;
        t->sizeincr = c.By(0.1, 0.2, 0.4) * c.e;
        Range(t->angmin, t->angmax, 0, 360);
        Fade(*t, 0.8, 0);
        t->lifemin = t->lifemax = c.Life(c.By(15, 17, 20));
    }
    Emit(s, slot + 1, x, y, 0, 1);
}

// Ring and ellipse: a ring that grows and fades.
void Ring(RParticleSystem& s, const RConfig& c, int32_t kind, double x, double y, int32_t color)
{
    const int32_t slot = FirstTypeOf(kind) + c.size;
    if (RParticleType* t = Fresh(slot)) {
        t->shape = 6;
        t->sizemin = t->sizemax = 0;
        t->sizeincr = (kind == 1 ? c.By(0.15, 0.25, 0.4) : c.By(0.2, 0.35, 0.6)) * c.e;
        if (kind == 2)
            t->yscale = 0.5;
        Fade(*t, 1, 0);
        Life(*t, c.Life(c.By(10, 13, 18)), c.Life(c.By(12, 15, 20)));
    }
    Emit(s, slot, x, y, color, 1);
}

void Firework(RParticleSystem& s, const RConfig& c, double x, double y, int32_t color)
{
    const int32_t slot = FirstTypeOf(3) + 1; // one type serves every size
    if (RParticleType* t = Fresh(slot)) {
        t->shape = 8;
        Range(t->sizemin, t->sizemax, 0.1, 0.2);
        Range(t->dirmin, t->dirmax, 0, 360);
        Range(t->spmin, t->spmax, 0.5 * c.e, c.By(3, 6, 8) * c.e);
        Fade(*t, 1, 0.4);
        t->grav = c.By(0.1, 0.15, 0.17) * c.e;
        t->gravdir = 270;
        Life(*t, c.Life(c.By(15, 20, 30)), c.Life(c.By(25, 30, 40)));
    }
    Emit(s, slot, x, y, color, static_cast<int64_t>(c.By(75, 150, 250)));
}

// Smoke, and smoke going up: puffs scattered around the place.
void Smoke(RParticleSystem& s, const RConfig& c, int32_t kind, double x, double y, int32_t color)
{
    const int32_t slot = FirstTypeOf(kind) + c.size;
    if (RParticleType* t = Fresh(slot)) {
        t->shape = 10;
        Range(t->sizemin, t->sizemax, c.By(0.2, 0.4, 0.4), c.By(0.4, 0.7, 1.0));
        t->sizeincr = -0.01 * c.e;
        Fade(*t, 0.4, 0);
        t->lifemin = t->lifemax = c.Life(c.By(25, 30, 50));
        if (kind == 5) {
            t->dirmin = t->dirmax = 90;
            Range(t->spmin, t->spmax, c.By(3, 5, 6) * c.e, c.By(4, 6, 7) * c.e);
        }
    }
    const uint32_t spread = c.size == 0 ? 10 : c.size == 2 ? 60 : 30;
    const int32_t count = c.size == 0 ? 6 : c.size == 2 ? 16 : 11;
    for (int32_t k = 0; k < count; ++k) {
        const double px = x + static_cast<double>(Random_Below(spread)) - spread / 2;
        const double py = y + static_cast<double>(Random_Below(spread)) - spread / 2;
        Emit(s, slot, px, py, color, 1);
    }
}

// Star, spark and flare: one shape that shrinks.
void Twinkle(RParticleSystem& s, const RConfig& c, int32_t kind, double x, double y, int32_t color)
{
    static constexpr int32_t kShapes[] = {4, 9, 8}; // star, spark, flare
    const int32_t slot = FirstTypeOf(kind) + c.size;
    if (RParticleType* t = Fresh(slot)) {
        t->shape = kShapes[kind - 6];
        // The small size asks for 0.4 to 0.3, which the range rule makes 0.4.
        Range(t->sizemin, t->sizemax, c.By(0.4, 0.75, 1.2), c.By(0.3, 0.75, 1.2));
        t->sizeincr = c.By(-0.02, -0.03, -0.04) * c.e;
        Range(t->angmin, t->angmax, 0, 360);
        t->lifemin = t->lifemax = c.Life(c.By(20, 25, 30));
    }
    Emit(s, slot, x, y, color, 1);
}

void Cloud(RParticleSystem& s, const RConfig& c, double x, double y, int32_t color)
{
    const int32_t slot = FirstTypeOf(9) + c.size;
    if (RParticleType* t = Fresh(slot)) {
        t->shape = 10;
        t->sizemin = t->sizemax = c.By(2, 4, 8);
        t->yscale = 0.5;
        Alphas(*t, 0, 0.3, 0);
        t->lifemin = t->lifemax = c.Life(100);
    }
    Emit(s, slot, x, y, color, 1);
}

// Rain and snow fall over the whole room from just above it; the place
// given is not used.
void Weather(RParticleSystem& s, const RConfig& c, bool snow, int32_t color)
{
    const double width = CurrentRoom ? CurrentRoom->r_width : 0;
    const double height = CurrentRoom ? CurrentRoom->r_height : 0;
    const int32_t slot = snow ? kSnowType : kRainType;
    if (RParticleType* t = Fresh(slot)) {
        if (snow) {
            t->shape = 13;
            Range(t->sizemin, t->sizemax, 0.1, 0.25);
            Alphas(*t, 0.6, 0.6, 0.6);
            Range(t->angmin, t->angmax, 0, 360);
            Range(t->spmin, t->spmax, 2.5 * c.e, 3 * c.e);
            Range(t->dirmin, t->dirmax, 240, 300);
            t->dirrand = 20;
            t->lifemin = t->lifemax = static_cast<int32_t>(RoundToInteger(height * 0.5 / c.e));
        } else {
            t->shape = 3;
            Range(t->sizemin, t->sizemax, 0.2, 0.3);
            t->angdir = true;
            t->spmin = t->spmax = 7 * c.e;
            t->dirmin = t->dirmax = 260;
            Alphas(*t, 0.4, 0.4, 0.4);
            t->lifemin = t->lifemax = static_cast<int32_t>(RoundToInteger(height * 0.2 / c.e));
        }
    }
    const int32_t count = snow ? (c.size == 0 ? 1 : c.size == 2 ? 7 : 3) : (c.size == 0 ? 2 : c.size == 2 ? 9 : 5);
    for (int32_t k = 0; k < count; ++k) {
        const double px = Random_Real() * 1.2 * width - (snow ? 60 : 0);
        const double py = static_cast<double>(Random_Below(20)) - 30;
        Emit(s, slot, px, py, color, 1);
    }
}

} // namespace

double Effect_SpeedFactor()
{
    const double speed = CurrentRoom ? CurrentRoom->r_speed : 30;
    const double fps = StepLoop.fps;
    if (speed <= 30 || fps <= 30)
        return 1;
    return speed / fps < 1.2 ? 30 / speed : 30 / fps;
}

void Effect_Create(int32_t kind, double x, double y, int32_t size, int32_t color, bool above)
{
    EffectSystem(false);
    EffectSystem(true);
    MakeTypes();
    if (kind < 0 || kind >= kEffectKinds)
        return;
    RParticleSystem& s = EffectSystem(above);
    const RConfig c{Effect_SpeedFactor(), size == 0 || size == 2 ? size : 1};
    switch (kind) {
    case 0:
        Explosion(s, c, x, y, color);
        break;
    case 1:
    case 2:
        Ring(s, c, kind, x, y, color);
        break;
    case 3:
        Firework(s, c, x, y, color);
        break;
    case 4:
    case 5:
        Smoke(s, c, kind, x, y, color);
        break;
    case 6:
    case 7:
    case 8:
        Twinkle(s, c, kind, x, y, color);
        break;
    case 9:
        Cloud(s, c, x, y, color);
        break;
    default:
        Weather(s, c, kind == 11, color);
        break;
    }
}

void Effect_Clear()
{
    for (int32_t ind : Systems)
        if (RParticleSystem* s = ParticleSystem_Get(ind))
            s->particles.clear();
}

int32_t Effect_System(bool above)
{
    return ParticleSystem_Exists(Systems[above ? 1 : 0]) ? Systems[above ? 1 : 0] : -1;
}

void Effect_Forget()
{
    Systems[0] = Systems[1] = -1;
    TypesMade = false;
}
