// The built-in effects without a display: the speed factor, what each call
// adds to which system, and the systems and types they are made of.
#include "library/Random.h"
#include "particles/Particles.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

#include <gtest/gtest.h>

namespace {

class Effects : public ::testing::Test {
protected:
    void SetUp() override
    {
        Particles_Reset();
        Random_SetSeed(5);
        g_room.r_width = 640;
        g_room.r_height = 480;
        SetSpeed(30, 30);
        CurrentRoom = &g_room;
    }
    void TearDown() override
    {
        CurrentRoom = nullptr;
        StepLoop = RStepLoopState();
        Particles_Reset();
    }

    void SetSpeed(int32_t roomSpeed, int32_t fps)
    {
        g_room.r_speed = roomSpeed;
        StepLoop.fps = fps;
    }
    static std::vector<RParticle>& Above() { return ParticleSystem_Get(Effect_System(true))->particles; }
    static std::vector<RParticle>& Below() { return ParticleSystem_Get(Effect_System(false))->particles; }

    CLiveRoom g_room;
};

} // namespace

TEST_F(Effects, SpeedFactorFollowsRoomSpeedAndFrameRate)
{
    struct RCase {
        int32_t roomSpeed, fps;
        double e;
    };
    const RCase cases[] = {
        {30, 60, 1}, {60, 30, 1}, {60, 0, 1}, {60, 60, 0.5}, {60, 45, 30.0 / 45}, {120, 110, 0.25},
    };
    for (const RCase& c : cases) {
        SetSpeed(c.roomSpeed, c.fps);
        EXPECT_DOUBLE_EQ(Effect_SpeedFactor(), c.e) << c.roomSpeed << " at " << c.fps;
    }
}

TEST_F(Effects, SmallExplosionAtDoubleSpeed)
{
    SetSpeed(60, 60);
    Effect_Create(0, 100, 120, 0, 0x0000FF, true);
    // Twenty in the colour, then one dark.
    ASSERT_EQ(Above().size(), 21u);
    EXPECT_TRUE(Below().empty());
    for (size_t k = 0; k < 20; ++k) {
        const RParticle& p = Above()[k];
        EXPECT_EQ(p.color, 0x0000FF);
        EXPECT_DOUBLE_EQ(p.speed, 1);
        EXPECT_TRUE(p.lifetime >= 20 && p.lifetime <= 30) << p.lifetime;
        EXPECT_EQ(p.x, 100);
    }
    EXPECT_EQ(Above()[20].color, 0);
    EXPECT_EQ(Above()[20].lifetime, 30);
}

TEST_F(Effects, SystemsAndTypesExistAfterAnyCall)
{
    for (int32_t kind : {12, -1})
        Effect_Create(kind, 0, 0, 1, 0xFFFFFF, false);
    ASSERT_GE(Effect_System(false), 0);
    ASSERT_GE(Effect_System(true), 0);
    EXPECT_TRUE(Above().empty());
    EXPECT_TRUE(Below().empty());
    EXPECT_EQ(ParticleSystem_Get(Effect_System(false))->depth, kEffectDepthBelow);
    EXPECT_EQ(ParticleSystem_Get(Effect_System(true))->depth, kEffectDepthAbove);
    EXPECT_EQ(ParticleTypes.size(), 35u);

    // A game that destroys an effect system gets a new one, at the right depth.
    ParticleSystem_Destroy(Effect_System(true));
    EXPECT_EQ(Effect_System(true), -1);
    Effect_Create(1, 0, 0, 1, 0xFFFFFF, true);
    ASSERT_GE(Effect_System(true), 0);
    EXPECT_EQ(ParticleSystem_Get(Effect_System(true))->depth, kEffectDepthAbove);
    EXPECT_EQ(Above().size(), 1u);
    Effect_Clear();
    EXPECT_TRUE(Above().empty());
}

TEST_F(Effects, FireworkSizesShareOneType)
{
    for (int32_t size : {1, 5, -1}) {
        Effect_Clear();
        Effect_Create(3, 50, 50, size, 0xFFFFFF, false);
        EXPECT_EQ(Below().size(), 150u) << size; // anything but 0 and 2 is medium
    }
    Effect_Clear();
    Effect_Create(3, 50, 50, 2, 0xFFFFFF, false);
    Effect_Create(3, 50, 50, 0, 0xFFFFFF, false);
    ASSERT_EQ(Below().size(), 325u);
    // The large firework's particles now fall with the small one's gravity.
    const RParticleType& type = ParticleTypes[static_cast<size_t>(Below().front().parttype)];
    EXPECT_EQ(Below().front().parttype, Below().back().parttype);
    EXPECT_DOUBLE_EQ(type.grav, 0.1);
}

TEST_F(Effects, RainAndSnowStartAboveTheRoomWhereverAsked)
{
    Effect_Create(10, 5000, 5000, 2, 0xFFFFFF, true);
    Effect_Create(11, 5000, 5000, 2, 0xFFFFFF, false);
    ASSERT_EQ(Above().size(), 9u);
    ASSERT_EQ(Below().size(), 7u);
    for (const RParticle& p : Above()) {
        EXPECT_TRUE(p.y >= -30 && p.y <= -11) << p.y;
        EXPECT_TRUE(p.x >= 0 && p.x < 1.2 * 640) << p.x;
        EXPECT_EQ(p.lifetime, 96); // a fifth of the room's height, at 7 pixels a step
    }
    for (const RParticle& p : Below())
        EXPECT_TRUE(p.x >= -60 && p.x < 1.2 * 640 - 60) << p.x;
}
