// The particle type list.
#include "particles/ParticleTypes.h"

#include <cstddef>

std::vector<RParticleType> ParticleTypes;

int32_t ParticleType_Create()
{
    size_t k = 0;
    while (k < ParticleTypes.size() && ParticleTypes[k].created)
        ++k;
    if (k == ParticleTypes.size())
        ParticleTypes.emplace_back(); // a new entry starts with normal blending
    ParticleType_Clear(static_cast<int32_t>(k));
    ParticleTypes[k].created = true;
    return static_cast<int32_t>(k);
}

void ParticleType_Destroy(int32_t ind)
{
    if (RParticleType* t = ParticleType_Get(ind)) {
        ParticleType_Clear(ind);
        t->created = false;
    }
}

bool ParticleType_Exists(int32_t ind)
{
    return ParticleType_Get(ind) != nullptr;
}

void ParticleType_Clear(int32_t ind)
{
    if (ind < 0 || static_cast<size_t>(ind) >= ParticleTypes.size())
        return;
    RParticleType& t = ParticleTypes[static_cast<size_t>(ind)];
    const bool created = t.created, additive = t.additiveblend;
    t = RParticleType();
    t.created = created;
    t.additiveblend = additive;
}

RParticleType* ParticleType_Get(int32_t ind)
{
    if (ind < 0 || static_cast<size_t>(ind) >= ParticleTypes.size() || !ParticleTypes[static_cast<size_t>(ind)].created)
        return nullptr;
    return &ParticleTypes[static_cast<size_t>(ind)];
}

void ParticleType_ForgetAll()
{
    ParticleTypes.clear();
}
