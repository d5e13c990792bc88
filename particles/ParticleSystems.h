// Particle systems: the particles themselves, kept in one flat array per
// system (no allocation per particle), and what acts on them: emitters,
// attractors, destroyers, deflectors and changers. Systems live in one
// growable list for the whole run; an entry is in use while `created` is set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RParticle {
    bool alive = true;
    int32_t parttype = 0;
    int32_t age = 0;      // steps lived
    int32_t lifetime = 0; // steps it may live
    double x = 0, y = 0;
    double xold = 0, yold = 0; // before the last move
    double speed = 0, dir = 0; // pixels per step, degrees
    double ang = 0;            // orientation, degrees
    int32_t color = 0xFFFFFF;  // game colour
    double alpha = 1;
    double size = 1;
    int32_t spritestart = 0;
    int32_t ran = 0; // 0..99999, fixed at birth: staggers the wiggles
};

// Region shapes of emitters, destroyers and changers.
enum : int32_t { kRegionRectangle = 0, kRegionEllipse = 1, kRegionDiamond = 2, kRegionLine = 3 };
// Distributions of emitters.
enum : int32_t { kDistrLinear = 0, kDistrGaussian = 1, kDistrInvGaussian = 2 };
// Attractor forces.
enum : int32_t { kForceConstant = 0, kForceLinear = 1, kForceQuadratic = 2 };
// Deflector kinds.
enum : int32_t { kDeflectVertical = 0, kDeflectHorizontal = 1 };
// Changer kinds.
enum : int32_t { kChangeAll = 0, kChangeShape = 1, kChangeMotion = 2 };

struct REmitter {
    bool created = false;
    int32_t number = 0; // per update; 0 is no stream
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    int32_t posdistr = kDistrLinear;
    int32_t shape = kRegionRectangle;
    int32_t parttype = 0;
};

struct RAttractor {
    bool created = false;
    double x = 0, y = 0, force = 0, dist = 0;
    int32_t kind = kForceConstant;
    bool additive = true;
};

struct RDestroyer {
    bool created = false;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    int32_t shape = kRegionRectangle;
};

struct RDeflector {
    bool created = false;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    int32_t kind = kDeflectVertical;
    double friction = 0;
};

struct RChanger {
    bool created = false;
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    int32_t shape = kRegionRectangle;
    int32_t part1 = -1, part2 = -1;
    int32_t kind = kChangeAll;
};

struct RParticleSystem {
    bool created = false;
    std::vector<RParticle> particles; // in creation order
    std::vector<REmitter> emitters;
    std::vector<RAttractor> attractors;
    std::vector<RDestroyer> destroyers;
    std::vector<RDeflector> deflectors;
    std::vector<RChanger> changers;
    bool oldtonew = true;
    double depth = 0;
    double xdraw = 0, ydraw = 0;
    bool automaticupdate = true;
    bool automaticdraw = true;
    // Particles spawned during an update wait here until the update is
    // done with the others; kept between updates so its storage is reused.
    std::vector<RParticle> spawned;
    bool toldFull = false; // the limit on particles has been reported
};

// A system holds at most this many particles; a game that asks for more
// gets a message once and no more particles, rather than running out of memory.
constexpr int32_t kMaxParticlesPerSystem = 1000000;

extern std::vector<RParticleSystem> ParticleSystems;

// A new system with the defaults; its index. The first call makes the
// built-in shapes.
int32_t ParticleSystem_Create();
void ParticleSystem_Destroy(int32_t ind);
bool ParticleSystem_Exists(int32_t ind);
// Empties every list and puts every field back to its default.
void ParticleSystem_Clear(int32_t ind);
// The entry of an index in use, else null.
RParticleSystem* ParticleSystem_Get(int32_t ind);
// Forgets every system (a test starting afresh).
void ParticleSystem_ForgetAll();

// The parts of a system share their list handling: create takes the first
// entry not in use (or appends one) and clears it; the others do nothing for
// an index not in use. Part is one of the records above.
template <typename Part>
int32_t SystemPart_Create(std::vector<Part>& list)
{
    for (size_t k = 0; k < list.size(); ++k) {
        if (!list[k].created) {
            list[k] = Part();
            list[k].created = true;
            return static_cast<int32_t>(k);
        }
    }
    list.emplace_back().created = true;
    return static_cast<int32_t>(list.size() - 1);
}

template <typename Part>
Part* SystemPart_Get(std::vector<Part>& list, int32_t ind)
{
    if (ind < 0 || static_cast<size_t>(ind) >= list.size() || !list[static_cast<size_t>(ind)].created)
        return nullptr;
    return &list[static_cast<size_t>(ind)];
}
