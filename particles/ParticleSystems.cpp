// The particle system list.
#include "particles/ParticleSystems.h"

#include "particles/ParticleShapes.h"

std::vector<RParticleSystem> ParticleSystems;

int32_t ParticleSystem_Create()
{
    ParticleShapes_Make();
    return SystemPart_Create(ParticleSystems);
}

void ParticleSystem_Destroy(int32_t ind)
{
    if (RParticleSystem* system = ParticleSystem_Get(ind))
        *system = RParticleSystem(); // gives the particles' storage back
}

bool ParticleSystem_Exists(int32_t ind)
{
    return ParticleSystem_Get(ind) != nullptr;
}

void ParticleSystem_Clear(int32_t ind)
{
    if (RParticleSystem* system = ParticleSystem_Get(ind)) {
        *system = RParticleSystem();
        system->created = true;
    }
}

RParticleSystem* ParticleSystem_Get(int32_t ind)
{
    return SystemPart_Get(ParticleSystems, ind);
}

void ParticleSystem_ForgetAll()
{
    ParticleSystems.clear();
}
