// Particle types and systems without a display, on a fixed seed: lives and
// counts, how appearance follows the life, spawning, emitters, and the parts
// that act on particles. Systems update in headless runs; only drawing is
// skipped, so everything here is what a headless game sees.
#include "code/ErrorReport.h"
#include "data/GameSettings.h"
#include "library/Random.h"
#include "particles/Particles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

class Particles : public ::testing::Test {
protected:
    void SetUp() override
    {
        Particles_Reset();
        Random_SetSeed(12345);
        Settings.Reset();
        Settings.ShowErrorMessages = false;
        Error_Reset();
        g_system = ParticleSystem_Create();
        g_type = ParticleType_Create();
    }
    void TearDown() override
    {
        Particles_Reset();
        Settings.Reset();
        Error_Reset();
    }

    RParticleSystem& System() { return *ParticleSystem_Get(g_system); }
    RParticleType& Type(int32_t ind = -1) { return *ParticleType_Get(ind < 0 ? g_type : ind); }
    std::vector<RParticle>& List() { return System().particles; }
    void Create(double x, double y, int64_t number, int32_t type = -1)
    {
        Particle_Create(System(), List(), type < 0 ? g_type : type, x, y, number);
    }
    void Update(int times = 1)
    {
        for (int k = 0; k < times; ++k)
            ParticleSystem_Update(System());
    }

    int32_t g_system = -1, g_type = -1;
};

} // namespace

TEST_F(Particles, LivesAndCountsRepeatOnAFixedSeed)
{
    // A fixed life: every particle dies in the update in which its age reaches it.
    Create(10, 10, 5);
    Update(99);
    ASSERT_EQ(List().size(), 5u);
    EXPECT_EQ(List()[0].age, 99);
    Update();
    EXPECT_TRUE(List().empty());

    // A range of lives: the same seed gives the same lives and the same count at every step.
    auto run = [this] {
        Random_SetSeed(99);
        List().clear();
        Type().lifemin = 20;
        Type().lifemax = 40;
        Create(0, 0, 1000);
        std::vector<size_t> counts;
        for (const RParticle& p : List())
            EXPECT_TRUE(p.lifetime >= 20 && p.lifetime <= 40) << p.lifetime;
        for (int k = 0; k < 45; ++k) {
            Update();
            counts.push_back(List().size());
        }
        return counts;
    };
    const std::vector<size_t> first = run();
    EXPECT_EQ(first, run());
    EXPECT_EQ(first[18], 1000u); // nobody dies before age 20
    EXPECT_GT(first[29], 300u);  // about half live past 30
    EXPECT_LT(first[29], 700u);
    EXPECT_EQ(first[39], 0u);
}

TEST_F(Particles, AppearanceFollowsTheLife)
{
    RParticleType& t = Type();
    t.alphastart = 1, t.alphamiddle = 0.5, t.alphaend = 0; // fading from 1 to 0
    t.colmode = kColorThree;
    t.colpar[0] = 0x0000FF, t.colpar[1] = 0x00FF00, t.colpar[2] = 0xFF0000; // red, green, blue
    t.sizemin = t.sizemax = 1;
    t.sizeincr = -0.3;
    Create(0, 0, 1);
    const RParticle& p = List()[0];
    EXPECT_EQ(p.alpha, 1);
    EXPECT_EQ(p.color, 0x0000FF);
    Update(4);
    EXPECT_EQ(p.size, 0); // shrinking stops at nothing
    Update(21);
    EXPECT_EQ(p.color, 0x008080); // a quarter of the life: halfway from red to green
    Update(25);
    EXPECT_DOUBLE_EQ(p.alpha, 0.5);
    EXPECT_EQ(p.color, 0x00FF00);
    Update(49);
    EXPECT_NEAR(p.alpha, 0.01, 1e-12);
    EXPECT_EQ(p.color, 0xFA0500);

    // A particle spawned with no lifetime counts as at its end until it dies.
    const int32_t brief = ParticleType_Create();
    Type(brief) = Type();
    Type(brief).lifemin = Type(brief).lifemax = 0;
    Type().stepnumber = 1, Type().steptype = brief;
    List().clear();
    Create(0, 0, 1);
    Update();
    ASSERT_EQ(List().size(), 2u);
    EXPECT_EQ(List()[1].color, 0xFF0000);
    EXPECT_EQ(List()[1].alpha, 0);
    Update(3);
    EXPECT_EQ(List().size(), 2u); // each dies in the next update, as the next is spawned
}

TEST_F(Particles, MotionWiggleAndSpeedFloor)
{
    RParticleType& t = Type();
    t.spmin = t.spmax = 0.5;
    t.spincr = -1;
    Create(10, 10, 1);
    Update();
    EXPECT_EQ(List()[0].speed, 0); // not -0.5
    EXPECT_EQ(List()[0].x, 10);

    // Born together, two particles wiggle apart: each has its own random number.
    List().clear();
    t.spincr = 0;
    t.spmin = t.spmax = 1;
    t.sprand = 2;
    Create(0, 0, 2);
    ASSERT_NE(List()[0].ran, List()[1].ran);
    Update(3);
    EXPECT_NE(List()[0].x, List()[1].x);
    EXPECT_EQ(List()[0].speed, 1); // the wiggle changes the move, not the speed
}

TEST_F(Particles, SpawningWhileLivingAndAtDeath)
{
    const int32_t child = ParticleType_Create();
    Type(child).lifemin = Type(child).lifemax = 1000;
    RParticleType& t = Type();
    t.lifemin = t.lifemax = 2;
    t.stepnumber = 2, t.steptype = child;
    t.deathnumber = -3, t.deathtype = child; // one in three
    Create(5, 7, 3000);
    Update();
    // Every parent spawned two, which are not aged in the update that made them.
    ASSERT_EQ(List().size(), 9000u);
    EXPECT_EQ(List()[3000].parttype, child);
    EXPECT_EQ(List()[3000].age, 0);
    EXPECT_EQ(List()[3000].xold, 5);
    Update();
    const size_t spawnedAtDeath = List().size() - 6000;
    EXPECT_GT(spawnedAtDeath, 900u);
    EXPECT_LT(spawnedAtDeath, 1100u);
    EXPECT_EQ(List().back().age, 0);
}

TEST_F(Particles, EmittersFillTheirRegions)
{
    Type().lifemin = Type().lifemax = 100000;
    RParticleSystem& s = System();
    const int32_t e = SystemPart_Create(s.emitters);
    REmitter& emitter = s.emitters[static_cast<size_t>(e)];
    emitter = {true, 0, 0, 100, 0, 50, kDistrLinear, kRegionLine, g_type};
    Emitter_Burst(s, emitter, g_type, 200);
    for (const RParticle& p : List())
        ASSERT_NEAR(p.y, p.x / 2, 1e-9) << p.x;
    for (int32_t shape : {kRegionEllipse, kRegionDiamond}) {
        for (int32_t distribution : {kDistrLinear, kDistrGaussian, kDistrInvGaussian}) {
            List().clear();
            emitter = {true, 0, -100, 100, -50, 50, distribution, shape, g_type};
            Emitter_Burst(s, emitter, g_type, 300);
            ASSERT_EQ(List().size(), 300u);
            for (const RParticle& p : List()) {
                const double dx = p.x / 100, dy = p.y / 50;
                ASSERT_LE(shape == kRegionEllipse ? dx * dx + dy * dy : std::fabs(dx) + std::fabs(dy), 1 + 1e-9);
            }
        }
    }
    // A stream of -4 makes one particle every fourth update on average.
    List().clear();
    emitter = {true, -4, 0, 10, 0, 10, kDistrLinear, kRegionRectangle, g_type};
    Update(4000);
    EXPECT_GT(List().size(), 900u);
    EXPECT_LT(List().size(), 1100u);
}

TEST_F(Particles, DestroyersDeflectorsAndAttractors)
{
    Type().lifemin = Type().lifemax = 1000;
    RParticleSystem& s = System();
    // An ellipse in the box (0, 0)-(100, 100) takes the middle, not the corner.
    s.destroyers.push_back({true, 0, 100, 0, 100, kRegionEllipse});
    Create(50, 50, 1);
    Create(2, 2, 1);
    Update();
    ASSERT_EQ(List().size(), 1u);
    EXPECT_EQ(List()[0].x, 2);
    s.destroyers.clear();

    // A vertical deflector turns direction 300 into 60 and mirrors the vertical move.
    List().clear();
    s.deflectors.push_back({true, 0, 100, 55, 100, kDeflectVertical, 2});
    RParticle& p = List().emplace_back();
    p.x = p.y = 50, p.speed = 10, p.dir = 300, p.lifetime = 1000;
    Update();
    EXPECT_NEAR(List()[0].dir, 60, 1e-9);
    EXPECT_NEAR(List()[0].x, 55, 1e-9);
    EXPECT_NEAR(List()[0].y, 50 - 10 * std::sin(60 * std::numbers::pi / 180), 1e-9);
    EXPECT_NEAR(List()[0].speed, 8, 1e-9); // less the friction
    s.deflectors.clear();

    // An attractor straight below pushes by force / distance × the offset; a
    // non-additive one leaves speed and direction alone, an additive one turns them.
    for (bool additive : {false, true}) {
        List().clear();
        s.attractors = {{true, 0, 10, 1, 100, kForceConstant, additive}};
        RParticle& q = List().emplace_back();
        q.speed = 1, q.dir = 0, q.lifetime = 1000;
        Update();
        EXPECT_NEAR(List()[0].x, 1, 1e-9) << additive;
        EXPECT_NEAR(List()[0].y, 1, 1e-9) << additive;
        EXPECT_NEAR(List()[0].speed, additive ? std::sqrt(2) : 1, 1e-9) << additive;
        EXPECT_NEAR(List()[0].dir, additive ? 315 : 0, 1e-9) << additive;
    }
}

TEST_F(Particles, ChangersTurnParticlesIntoAnotherType)
{
    const int32_t other = ParticleType_Create();
    Type(other).colpar[0] = 0x123456;
    Type(other).spmin = Type(other).spmax = 3;
    Type(other).lifemin = Type(other).lifemax = 7;
    Type().lifemin = Type().lifemax = 50;
    RParticleSystem& s = System();
    for (int32_t kind : {kChangeAll, kChangeShape, kChangeMotion}) {
        List().clear();
        s.changers = {{true, 0, 10, 0, 10, kRegionRectangle, g_type, other, kind}};
        Create(5, 5, 1);
        Create(50, 50, 1); // outside: untouched
        Update();
        const RParticle& p = List()[0];
        EXPECT_EQ(p.parttype, other) << kind;
        EXPECT_EQ(p.color, kind == kChangeMotion ? 0xFFFFFF : 0x123456) << kind;
        EXPECT_EQ(p.speed, kind == kChangeShape ? 0 : 3) << kind;
        EXPECT_EQ(p.lifetime, kind == kChangeAll ? 7 : 50) << kind;
        EXPECT_EQ(List()[1].parttype, g_type) << kind;
    }
    // Nothing to change into: the particle stays as it is.
    ParticleType_Destroy(other);
    List().clear();
    Create(5, 5, 1);
    Update();
    EXPECT_EQ(List()[0].parttype, g_type);
}

TEST_F(Particles, TooManyParticlesAreRefusedWithOneMessage)
{
    // A game asking for a billion particles gets the limit, not an exhausted memory.
    Create(0, 0, 1000000000);
    EXPECT_EQ(List().size(), static_cast<size_t>(kMaxParticlesPerSystem));
    EXPECT_TRUE(Error_Occurred);
    Error_Reset();
    Create(0, 0, 10);
    EXPECT_EQ(List().size(), static_cast<size_t>(kMaxParticlesPerSystem));
    EXPECT_FALSE(Error_Occurred);
}
