// Particles drawn by the real OpenGL device on SDL's offscreen driver: the
// built-in shapes land in their colour and alpha, particles of any shape go
// out in one draw call until the blend mode changes, and systems close in
// depth are each drawn once by the room's depth merge. Skipped where no
// OpenGL 3.3 context can be made.
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "particles/Particles.h"
#include "tests/graphics/GlTestSupport.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

class GlParticles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }

    void SetUp() override
    {
        Particles_Reset();
        if (const char* why = OpenGlDisplay(64, 64))
            GTEST_SKIP() << why;
        Display_Device()->Clear(0xFF000000);
        g_system = ParticleSystem_Create();
    }
    void TearDown() override
    {
        Display_Close();
        Particles_Reset();
    }

    int32_t Type(int32_t shape, int32_t color, double size, bool additive)
    {
        const int32_t t = ParticleType_Create();
        RParticleType& type = *ParticleType_Get(t);
        type.shape = shape;
        type.colpar[0] = color;
        type.sizemin = type.sizemax = size;
        type.additiveblend = additive;
        return t;
    }
    void Add(int32_t type, double x, double y, int64_t number = 1)
    {
        RParticleSystem& s = *ParticleSystem_Get(g_system);
        Particle_Create(s, s.particles, type, x, y, number);
    }
    static uint32_t Pixel(int32_t x, int32_t y)
    {
        TBitmap32 pixel;
        EXPECT_TRUE(Display_ReadScreen(x, y, 1, 1, pixel));
        return pixel.IsEmpty() ? 0 : pixel.PixelAt(0, 0);
    }
    static RDeviceStats DrawAndCount(const RParticleSystem& s)
    {
        IRenderDevice* device = Display_Device();
        const RDeviceStats before = device->Stats();
        ParticleSystem_Draw(s);
        device->Flush();
        RDeviceStats after = device->Stats();
        after.drawCalls -= before.drawCalls;
        after.vertices -= before.vertices;
        return after;
    }

    int32_t g_system = -1;
};

} // namespace

TEST_F(GlParticles, ShapesLandInTheirColourAndBlend)
{
    // A red disk 32 pixels across, and a green one added on top of its middle.
    Add(Type(1, 0x0000FF, 0.5, false), 32, 32);
    Add(Type(1, 0x00FF00, 0.1, true), 32, 32);
    ParticleSystem_Draw(*ParticleSystem_Get(g_system));
    EXPECT_TRUE(Near(Pixel(32, 32), 0xFFFFFF00));
    EXPECT_TRUE(Near(Pixel(22, 32), 0xFFFF0000));
    EXPECT_TRUE(Near(Pixel(2, 2), 0xFF000000));
    // The blend mode is normal after an additive particle; interpolation is as it was.
    EXPECT_EQ(DrawState.blendDest, kBlendInvSrcAlpha);
    EXPECT_FALSE(DrawState.interpolate);
}

TEST_F(GlParticles, OneDrawCallPerRunOfBlendState)
{
    // Every shape shares one texture: a thousand particles of all of them go out together.
    for (int32_t shape = 0; shape < kShapeCount; ++shape)
        Add(Type(shape, 0xFFFFFF, 0.2, false), shape * 4, 30, 70);
    const RParticleSystem& s = *ParticleSystem_Get(g_system);
    RDeviceStats stats = DrawAndCount(s);
    EXPECT_EQ(stats.vertices, 14 * 70 * 4);
    EXPECT_EQ(stats.drawCalls, 1);

    // Additive particles in between split the batches by blend state only.
    const int32_t glow = Type(8, 0xFFFFFF, 0.2, true);
    Add(glow, 10, 10, 5);
    Add(0, 10, 10, 5);
    stats = DrawAndCount(s);
    EXPECT_EQ(stats.drawCalls, 3);
}

TEST_F(GlParticles, SystemsCloseInDepthAreDrawnOnce)
{
    const int32_t dot = Type(1, 0xFFFFFF, 0.1, false);
    Add(dot, 10, 10);
    const int32_t second = ParticleSystem_Create();
    ParticleSystem_Get(second)->depth = -0.005;
    RParticleSystem& s2 = *ParticleSystem_Get(second);
    Particle_Create(s2, s2.particles, dot, 20, 20, 1);
    const int32_t third = ParticleSystem_Create();
    ParticleSystem_Get(third)->depth = -50;
    RParticleSystem& s3 = *ParticleSystem_Get(third);
    Particle_Create(s3, s3.particles, dot, 30, 30, 1);

    IRenderDevice* device = Display_Device();
    const int64_t before = device->Stats().vertices;
    int32_t depths = 0;
    for (double depth = ParticleSystems_DepthBelow(std::numeric_limits<double>::infinity()); depth > -1e8;
         depth = ParticleSystems_DepthBelow(depth)) {
        ParticleSystems_DrawAtDepth(depth);
        ++depths;
    }
    EXPECT_EQ(depths, 2);
    EXPECT_EQ(device->Stats().vertices - before, 3 * 4);
}
