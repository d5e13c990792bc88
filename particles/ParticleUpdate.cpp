// The update of a particle system.
//
// The stages of an update (ageing, motion, deflectors, changers,
// destroyers, appearance, streams) are defined one after the other over all
// particles. Only ageing, changers and streams draw random numbers, and the
// stages in between treat each particle on its own, so when the system has
// no changers the update takes each particle through every stage in one
// pass over the array, compacting it as it goes: the result and the random
// sequence are those of the stage-by-stage order. With changers, which make
// particles and so draw random numbers in their own order, the changers get
// a pass of their own and the later stages another.
#include "particles/ParticleUpdate.h"

#include "particles/ParticleCreate.h"
#include "particles/ParticleTypes.h"
#include "particles/ParticleWiggle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kRadians = std::numbers::pi / 180.0;
constexpr double kDegrees = 180.0 / std::numbers::pi;

// What an update needs of a type, worked out once per update.
struct RTypeStep {
    bool gravity = false;
    double gravx = 0, gravy = 0; // the gravity vector, y downwards
    int32_t color[3] = {0, 0, 0};
};

struct RRegion {
    double xmin, xmax, ymin, ymax;
    int32_t shape;
};

// The parts of the system that act in this update.
struct RUpdateParts {
    bool attractors = false; // the system has any, acting or not
    std::vector<RAttractor> acting;
    std::vector<RDeflector> deflectors;
    std::vector<RRegion> destroyers;
    bool changers = false;
    std::vector<RTypeStep> types;
};

RUpdateParts Parts; // reused, so an update allocates nothing once warm

bool BoxIsValid(double xmin, double xmax, double ymin, double ymax)
{
    return xmin < xmax && ymin < ymax;
}

void Prepare(const RParticleSystem& s)
{
    Parts.attractors = false;
    Parts.acting.clear();
    for (const RAttractor& a : s.attractors) {
        if (!a.created)
            continue;
        Parts.attractors = true;
        if (a.force != 0 && a.dist != 0)
            Parts.acting.push_back(a);
    }
    Parts.deflectors.clear();
    for (const RDeflector& d : s.deflectors)
        if (d.created && BoxIsValid(d.xmin, d.xmax, d.ymin, d.ymax))
            Parts.deflectors.push_back(d);
    // Destroyers of other shapes (the line among them) remove nothing.
    Parts.destroyers.clear();
    for (const RDestroyer& d : s.destroyers)
        if (d.created && BoxIsValid(d.xmin, d.xmax, d.ymin, d.ymax) && d.shape >= kRegionRectangle &&
            d.shape <= kRegionDiamond)
            Parts.destroyers.push_back({d.xmin, d.xmax, d.ymin, d.ymax, d.shape});
    Parts.changers = std::any_of(s.changers.begin(), s.changers.end(), [](const RChanger& c) {
        return c.created && BoxIsValid(c.xmin, c.xmax, c.ymin, c.ymax);
    });
    Parts.types.resize(ParticleTypes.size());
    for (size_t k = 0; k < ParticleTypes.size(); ++k) {
        const RParticleType& t = ParticleTypes[k];
        RTypeStep& step = Parts.types[k];
        step.gravity = t.grav != 0;
        step.gravx = std::cos(t.gravdir * kRadians) * t.grav;
        step.gravy = -std::sin(t.gravdir * kRadians) * t.grav;
        for (int c = 0; c < 3; ++c)
            step.color[c] = Particle_Color(t.colpar[c]);
    }
}

// Whether (x, y) lies in the box and, for the ellipse and diamond, in the
// shape inscribed in it.
bool Inside(double x, double y, double xmin, double xmax, double ymin, double ymax, int32_t shape)
{
    if (x < xmin || x > xmax || y < ymin || y > ymax)
        return false;
    if (shape != kRegionEllipse && shape != kRegionDiamond)
        return true;
    const double hx = (xmax - xmin) / 2, hy = (ymax - ymin) / 2;
    const double dx = (x - (xmin + hx)) / hx, dy = (y - (ymin + hy)) / hy;
    return shape == kRegionEllipse ? dx * dx + dy * dy <= 1 : std::fabs(dx) + std::fabs(dy) <= 1;
}

// Ageing: false when the particle dies. Spawned particles wait in the
// system's spawned list, so the array being walked never moves.
bool Age(RParticleSystem& s, RParticle& p)
{
    const RParticleType& t = ParticleTypes[static_cast<size_t>(p.parttype)];
    ++p.age;
    const bool dies = p.age >= p.lifetime;
    const int32_t number = dies ? t.deathnumber : t.stepnumber;
    if (number != 0)
        Particle_Create(s, s.spawned, dies ? t.deathtype : t.steptype, p.x, p.y, Particle_Count(number));
    p.alive = !dies;
    return !dies;
}

// Speed and direction from a velocity (y downwards), unsnapped.
void FromComponents(RParticle& p, double h, double v)
{
    if (h == 0) {
        p.dir = v > 0 ? 270 : v < 0 ? 90 : 0;
    } else {
        const double a = std::atan2(v, h) * kDegrees;
        p.dir = a > 0 ? 360 - a : -a;
    }
    p.speed = std::sqrt(h * h + v * v);
}

void Move(RParticle& p)
{
    const RParticleType& t = ParticleTypes[static_cast<size_t>(p.parttype)];
    const RTypeStep& step = Parts.types[static_cast<size_t>(p.parttype)];
    p.xold = p.x;
    p.yold = p.y;
    p.speed = std::max(p.speed + t.spincr, 0.0);
    p.dir += t.dirincr;
    p.ang += t.angincr;
    double pushx = 0, pushy = 0; // non-additive attractors move without changing the velocity
    if (step.gravity || Parts.attractors) {
        double h = std::cos(p.dir * kRadians) * p.speed;
        double v = -std::sin(p.dir * kRadians) * p.speed;
        h += step.gravx;
        v += step.gravy;
        for (const RAttractor& a : Parts.acting) {
            const double dx = a.x - p.x, dy = a.y - p.y;
            const double f = std::sqrt(dx * dx + dy * dy);
            if (!(f > 0 && f <= a.dist))
                continue;
            double scale = a.force / f;
            if (a.kind == kForceLinear)
                scale *= (a.dist - f) / a.dist;
            else if (a.kind == kForceQuadratic)
                scale *= ((a.dist - f) / a.dist) * ((a.dist - f) / a.dist);
            if (a.additive) {
                h += dx * scale;
                v += dy * scale;
            } else {
                pushx += dx * scale;
                pushy += dy * scale;
            }
        }
        FromComponents(p, h, v);
    }
    const int64_t age = p.age, ran = p.ran;
    double move = p.speed, dir = p.dir;
    if (t.sprand != 0)
        move += t.sprand * Particle_Wiggle(age + 4 * ran, 20, 5);
    if (t.dirrand != 0)
        dir += t.dirrand * Particle_Wiggle(age + 3 * ran, 24, 6);
    if (move != 0) {
        p.x += std::cos(dir * kRadians) * move;
        p.y -= std::sin(dir * kRadians) * move;
    }
    p.x += pushx;
    p.y += pushy;
}

void Deflect(RParticle& p)
{
    for (const RDeflector& d : Parts.deflectors) {
        if (p.x < d.xmin || p.x > d.xmax || p.y < d.ymin || p.y > d.ymax)
            continue;
        if (d.kind == kDeflectHorizontal) {
            p.dir = 180 - p.dir;
            if (p.dir < 0)
                p.dir += 360;
            p.x = p.xold - (p.x - p.xold);
        } else {
            p.dir = 360 - p.dir;
            p.y = p.yold - (p.y - p.yold);
        }
        p.speed = std::max(p.speed - d.friction, 0.0);
    }
}

bool Destroyed(const RParticle& p)
{
    for (const RRegion& d : Parts.destroyers)
        if (Inside(p.x, p.y, d.xmin, d.xmax, d.ymin, d.ymax, d.shape))
            return true;
    return false;
}

// A channel value in 0..255 rounded to the nearest whole number, halves to
// even, without a library call: adding and taking away 1.5 × 2^52 leaves no
// bits for a fraction, and the processor rounds as the program does.
int32_t RoundChannel(double v)
{
    constexpr double kShift = 6755399441055744.0;
    return static_cast<int32_t>((v + kShift) - kShift);
}

// The per-channel mix of two colours, (1 - e) × a + e × b.
int32_t Merge(const int32_t a, const int32_t b, double e)
{
    int32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= RoundChannel((1 - e) * ca + e * cb) << shift;
    }
    return out;
}

void Appear(RParticle& p)
{
    const RParticleType& t = ParticleTypes[static_cast<size_t>(p.parttype)];
    const RTypeStep& step = Parts.types[static_cast<size_t>(p.parttype)];
    p.size = std::max(p.size + t.sizeincr, 0.0);
    // A particle without a lifetime counts as at its end.
    const double life = p.lifetime > 0 ? static_cast<double>(p.age) / p.lifetime : 1.0;
    if (t.colmode == kColorTwo) {
        p.color = Merge(step.color[0], step.color[1], std::min(life, 1.0));
    } else if (t.colmode == kColorThree) {
        const double e = std::min(2 * life, 2.0);
        p.color = e < 1 ? Merge(step.color[0], step.color[1], e) : Merge(step.color[1], step.color[2], e - 1);
    }
    const double e = 2 * life;
    p.alpha = e < 1 ? (1 - e) * t.alphastart + e * t.alphamiddle : (2 - e) * t.alphamiddle + (e - 1) * t.alphaend;
}

// Motion through appearance for one living particle; false when a
// destroyer removed it. Without changers every stage runs here.
bool Advance(RParticle& p, bool alsoLaterStages)
{
    Move(p);
    Deflect(p);
    if (!alsoLaterStages)
        return true;
    if (Destroyed(p)) {
        p.alive = false;
        return false;
    }
    Appear(p);
    return true;
}

void Change(RParticleSystem& s)
{
    for (const RChanger& c : s.changers) {
        if (!c.created || !BoxIsValid(c.xmin, c.xmax, c.ymin, c.ymax))
            continue;
        for (RParticle& p : s.particles) {
            if (p.parttype != c.part1 || !Inside(p.x, p.y, c.xmin, c.xmax, c.ymin, c.ymax, c.shape))
                continue;
            RParticle made;
            if (!Particle_Birth(made, c.part2, p.x, p.y))
                continue; // nothing to change into
            if (c.kind == kChangeShape) {
                p.color = made.color;
                p.alpha = made.alpha;
                p.size = made.size;
                p.spritestart = made.spritestart;
                p.ang = made.ang;
            } else if (c.kind == kChangeMotion) {
                p.speed = made.speed;
                p.dir = made.dir;
            } else {
                p = made;
            }
            p.parttype = c.part2;
        }
    }
}

} // namespace

void ParticleSystem_Update(RParticleSystem& s)
{
    Prepare(s);
    const bool onePass = !Parts.changers;
    std::vector<RParticle>& list = s.particles;
    s.spawned.clear();
    size_t kept = 0;
    const size_t count = list.size();
    for (size_t k = 0; k < count; ++k) {
        RParticle& p = list[k];
        if (!Age(s, p) || !Advance(p, onePass))
            continue;
        if (kept != k)
            list[kept] = p;
        ++kept;
    }
    list.resize(kept);
    // Particles spawned by ageing move in this update, but do not age.
    for (RParticle& p : s.spawned)
        if (Advance(p, onePass))
            list.push_back(p);
    s.spawned.clear();

    if (!onePass) {
        Change(s);
        kept = 0;
        for (size_t k = 0; k < list.size(); ++k) {
            RParticle& p = list[k];
            if (Destroyed(p))
                continue;
            Appear(p);
            if (kept != k)
                list[kept] = p;
            ++kept;
        }
        list.resize(kept);
    }

    for (const REmitter& e : s.emitters)
        if (e.created && e.number != 0)
            Emitter_Burst(s, e, e.parttype, e.number);
}

void ParticleSystems_UpdateAll()
{
    for (RParticleSystem& s : ParticleSystems)
        if (s.created && s.automaticupdate)
            ParticleSystem_Update(s);
}
