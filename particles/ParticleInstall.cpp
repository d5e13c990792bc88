// Connecting particles to the function table, the step loop, the room
// drawing and the room start.
#include "graphics/RoomDraw.h"
#include "particles/ParticleFunctions.h"
#include "particles/Particles.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

void Particles_RegisterFunctions()
{
    Particles_ImplementTypeFunctions();
    Particles_ImplementSystemFunctions();
    Particles_ImplementEffectFunctions();
}

void Particles_InstallHooks()
{
    // Systems update in every run; headless runs only skip their drawing.
    StepHooks.updateParticles = &ParticleSystems_UpdateAll;
    RoomDrawHooks.particleDepthBelow = &ParticleSystems_DepthBelow;
    RoomDrawHooks.drawParticles = &ParticleSystems_DrawAtDepth;
    RoomHooks.clearEffects = &Effect_Clear;
}

void Particles_Reset()
{
    ParticleSystem_ForgetAll();
    ParticleType_ForgetAll();
    Effect_Forget();
}
