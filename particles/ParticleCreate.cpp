// The birth of particles and the bursts of emitters.
#include "particles/ParticleCreate.h"

#include "code/ErrorReport.h"
#include "code/Value.h"
#include "graphics/Colors.h"
#include "library/Random.h"

#include <algorithm>
#include <cmath>

namespace {

// d in [-3, 3), drawn with a bell-shaped density by rejection.
double BellDraw()
{
    for (;;) {
        const double d = (Random_Real() - 0.5) * 6.0;
        if (std::exp(-d * d / 2.0) > Random_Real())
            return d;
    }
}

int32_t Channel(double min, double max)
{
    return static_cast<int32_t>(RoundToInteger(std::clamp(Particle_Range(min, max), 0.0, 255.0)));
}

int32_t BirthColor(const RParticleType& t)
{
    switch (t.colmode) {
    case kColorRgb: {
        // Drawn in the order red, green, blue; each is a channel, so it is
        // kept within 0..255 rather than spilling into its neighbour.
        const int32_t r = Channel(t.colpar[0], t.colpar[1]);
        const int32_t g = Channel(t.colpar[2], t.colpar[3]);
        const int32_t b = Channel(t.colpar[4], t.colpar[5]);
        return r | g << 8 | b << 16;
    }
    case kColorHsv: {
        const double h = std::clamp(Particle_Range(t.colpar[0], t.colpar[1]), 0.0, 255.0);
        const double s = std::clamp(Particle_Range(t.colpar[2], t.colpar[3]), 0.0, 255.0);
        const double v = std::clamp(Particle_Range(t.colpar[4], t.colpar[5]), 0.0, 255.0);
        return Color_MakeHsv(h, s, v);
    }
    case kColorMix:
        return Particle_Color(Color_Merge(t.colpar[0], t.colpar[1], Random_Real()));
    default:
        return Particle_Color(t.colpar[0]);
    }
}

void Birth(RParticle& p, const RParticleType& t, int32_t type, double x, double y)
{
    p.alive = true;
    p.parttype = type;
    p.x = p.xold = x;
    p.y = p.yold = y;
    p.speed = Particle_Range(t.spmin, t.spmax);
    p.dir = Particle_Range(t.dirmin, t.dirmax);
    p.ang = Particle_Range(t.angmin, t.angmax);
    p.lifetime = static_cast<int32_t>(
        std::clamp<int64_t>(RoundToInteger(Particle_Range(t.lifemin, t.lifemax)), INT32_MIN, INT32_MAX));
    p.age = 0;
    p.color = BirthColor(t);
    p.alpha = t.alphastart;
    p.size = Particle_Range(t.sizemin, t.sizemax);
    p.spritestart = t.spriterandom ? static_cast<int32_t>(Random_Below(10000)) : 0;
    p.ran = static_cast<int32_t>(Random_Below(100000));
}

// How many more particles the system may take; reports reaching the limit once.
int64_t Room(RParticleSystem& system, int64_t wanted)
{
    const int64_t held = static_cast<int64_t>(system.particles.size() + system.spawned.size());
    const int64_t room = std::max<int64_t>(kMaxParticlesPerSystem - held, 0);
    if (wanted <= room)
        return wanted;
    if (!system.toldFull) {
        system.toldFull = true;
        Error_Show("A particle system holds at most " + std::to_string(kMaxParticlesPerSystem) +
                       " particles; no more are made in it.",
                   false);
    }
    return room;
}

} // namespace

double Particle_Range(double min, double max)
{
    if (!(max > min))
        return min;
    return min + (max - min) * Random_Real();
}

double Particle_Distributed(double min, double max, int32_t distribution)
{
    if (!(max > min))
        return min;
    if (distribution == kDistrGaussian)
        return min + (max - min) * (BellDraw() + 3.0) / 6.0;
    if (distribution == kDistrInvGaussian) {
        const double d = BellDraw();
        return min + (max - min) * (d >= 0 ? d / 6.0 : (d + 6.0) / 6.0);
    }
    return min + (max - min) * Random_Real();
}

int64_t Particle_Count(int64_t n)
{
    if (n >= 0)
        return n;
    const uint64_t chance = n == INT64_MIN ? UINT32_MAX : std::min<uint64_t>(static_cast<uint64_t>(-n), UINT32_MAX);
    return Random_Below(static_cast<uint32_t>(chance)) == 0 ? 1 : 0;
}

bool Particle_Birth(RParticle& p, int32_t type, double x, double y)
{
    const RParticleType* t = ParticleType_Get(type);
    if (!t)
        return false;
    Birth(p, *t, type, x, y);
    return true;
}

int32_t Particle_Color(double value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(RoundToInteger(value)));
}

void Particle_Create(RParticleSystem& system, std::vector<RParticle>& out, int32_t type, double x, double y,
                     int64_t number)
{
    const RParticleType* t = ParticleType_Get(type);
    if (!t || number <= 0)
        return;
    number = Room(system, number);
    out.reserve(out.size() + static_cast<size_t>(number));
    for (int64_t k = 0; k < number; ++k)
        Birth(out.emplace_back(), *t, type, x, y);
}

void Emitter_Burst(RParticleSystem& system, const REmitter& emitter, int32_t type, int64_t number)
{
    const RParticleType* t = ParticleType_Get(type);
    if (!t)
        return;
    number = Room(system, Particle_Count(number));
    const bool line = emitter.shape == kRegionLine;
    for (int64_t k = 0; k < number; ++k) {
        double fx = 0, fy = 0;
        for (;;) {
            // The inverse Gaussian crowds the corners of a region; one of the
            // two coordinates is then drawn evenly so the edges fill too.
            int32_t xdistr = emitter.posdistr, ydistr = emitter.posdistr;
            if (emitter.posdistr == kDistrInvGaussian && !line)
                (Random_Below(2) == 0 ? xdistr : ydistr) = kDistrLinear;
            fx = Particle_Distributed(0, 1, xdistr);
            fy = Particle_Distributed(0, 1, ydistr);
            if (emitter.shape == kRegionEllipse && (fx - 0.5) * (fx - 0.5) + (fy - 0.5) * (fy - 0.5) > 0.25)
                continue;
            if (emitter.shape == kRegionDiamond && std::fabs(fx - 0.5) + std::fabs(fy - 0.5) > 0.5)
                continue;
            break;
        }
        const double px = emitter.xmin + fx * (emitter.xmax - emitter.xmin);
        const double py = emitter.ymin + (line ? fx : fy) * (emitter.ymax - emitter.ymin);
        Birth(system.particles.emplace_back(), *t, type, px, py);
    }
}
