// Script functions of particle systems, their particles and their parts
// (emitters, attractors, destroyers, deflectors, changers). A function on a
// system or part not in use does nothing; queries then answer 0 (or -1 for
// a part that could not be made).
#include "code/FunctionCatalogue.h"
#include "graphics/FunctionArguments.h"
#include "particles/ParticleCreate.h"
#include "particles/ParticleDraw.h"
#include "particles/ParticleFunctions.h"
#include "particles/ParticleUpdate.h"

#include <string>
#include <type_traits>
#include <utility>

namespace {

RParticleSystem* System(const RValue& value)
{
    return ParticleSystem_Get(ArgInt(value));
}

// The five kinds of parts share create, destroy, destroy all, exists and
// clear; List names the system's list of that kind.
template <auto List>
struct CPartFunctions {
    using TPart = typename std::remove_reference_t<decltype(std::declval<RParticleSystem>().*List)>::value_type;

    static auto* Part(const RValue* args)
    {
        RParticleSystem* s = System(args[0]);
        return s ? SystemPart_Get(s->*List, ArgInt(args[1])) : nullptr;
    }
    static BUILTIN(Create)
    {
        RParticleSystem* s = System(args[0]);
        result.SetReal(s ? SystemPart_Create(s->*List) : -1);
        return true;
    }
    static BUILTIN(Destroy)
    {
        if (TPart* part = Part(args))
            *part = TPart();
        return true;
    }
    static BUILTIN(DestroyAll)
    {
        if (RParticleSystem* s = System(args[0]))
            (s->*List).clear();
        return true;
    }
    static BUILTIN(Exists)
    {
        result.SetReal(Part(args) != nullptr);
        return true;
    }
    static BUILTIN(Clear)
    {
        if (TPart* part = Part(args)) {
            *part = TPart();
            part->created = true;
        }
        return true;
    }
    static void Implement(const std::string& prefix)
    {
        Function_Implement((prefix + "create").c_str(), &Create);
        Function_Implement((prefix + "destroy").c_str(), &Destroy);
        Function_Implement((prefix + "destroy_all").c_str(), &DestroyAll);
        Function_Implement((prefix + "exists").c_str(), &Exists);
        Function_Implement((prefix + "clear").c_str(), &Clear);
    }
};

using CEmitterFunctions = CPartFunctions<&RParticleSystem::emitters>;
using CAttractorFunctions = CPartFunctions<&RParticleSystem::attractors>;
using CDestroyerFunctions = CPartFunctions<&RParticleSystem::destroyers>;
using CDeflectorFunctions = CPartFunctions<&RParticleSystem::deflectors>;
using CChangerFunctions = CPartFunctions<&RParticleSystem::changers>;

BUILTIN(PartSystemCreate) { result.SetReal(ParticleSystem_Create()); return true; }
BUILTIN(PartSystemDestroy) { ParticleSystem_Destroy(ArgInt(args[0])); return true; }
BUILTIN(PartSystemExists) { result.SetReal(ParticleSystem_Exists(ArgInt(args[0]))); return true; }
BUILTIN(PartSystemClear) { ParticleSystem_Clear(ArgInt(args[0])); return true; }

BUILTIN(PartSystemDrawOrder)
{
    if (RParticleSystem* s = System(args[0]))
        s->oldtonew = ArgBool(args[1]);
    return true;
}

BUILTIN(PartSystemDepth)
{
    if (RParticleSystem* s = System(args[0]))
        s->depth = args[1].val;
    return true;
}

BUILTIN(PartSystemPosition)
{
    if (RParticleSystem* s = System(args[0])) {
        s->xdraw = args[1].val;
        s->ydraw = args[2].val;
    }
    return true;
}

BUILTIN(PartSystemAutomaticUpdate)
{
    if (RParticleSystem* s = System(args[0]))
        s->automaticupdate = ArgBool(args[1]);
    return true;
}

BUILTIN(PartSystemAutomaticDraw)
{
    if (RParticleSystem* s = System(args[0]))
        s->automaticdraw = ArgBool(args[1]);
    return true;
}

BUILTIN(PartSystemUpdate)
{
    if (RParticleSystem* s = System(args[0]))
        ParticleSystem_Update(*s);
    return true;
}

BUILTIN(PartSystemDrawit)
{
    if (RParticleSystem* s = System(args[0]))
        ParticleSystem_Draw(*s);
    return true;
}

BUILTIN(PartParticlesCreate)
{
    if (RParticleSystem* s = System(args[0]))
        Particle_Create(*s, s->particles, ArgInt(args[3]), args[1].val, args[2].val, ArgInt(args[4]));
    return true;
}

BUILTIN(PartParticlesCreateColor)
{
    if (RParticleSystem* s = System(args[0])) {
        const size_t before = s->particles.size();
        Particle_Create(*s, s->particles, ArgInt(args[3]), args[1].val, args[2].val, ArgInt(args[5]));
        const int32_t color = ArgColor(args[4]);
        for (size_t k = before; k < s->particles.size(); ++k)
            s->particles[k].color = color;
    }
    return true;
}

BUILTIN(PartParticlesClear)
{
    if (RParticleSystem* s = System(args[0]))
        s->particles.clear();
    return true;
}

BUILTIN(PartParticlesCount)
{
    const RParticleSystem* s = System(args[0]);
    result.SetReal(s ? static_cast<double>(s->particles.size()) : 0);
    return true;
}

BUILTIN(PartEmitterRegion)
{
    if (REmitter* e = CEmitterFunctions::Part(args)) {
        e->xmin = args[2].val;
        e->xmax = args[3].val;
        e->ymin = args[4].val;
        e->ymax = args[5].val;
        e->shape = ArgInt(args[6]);
        e->posdistr = ArgInt(args[7]);
    }
    return true;
}

BUILTIN(PartEmitterBurst)
{
    RParticleSystem* s = System(args[0]);
    if (const REmitter* e = CEmitterFunctions::Part(args))
        Emitter_Burst(*s, REmitter(*e), ArgInt(args[2]), ArgInt(args[3]));
    return true;
}

BUILTIN(PartEmitterStream)
{
    if (REmitter* e = CEmitterFunctions::Part(args)) {
        e->parttype = ArgInt(args[2]);
        e->number = ArgInt(args[3]);
    }
    return true;
}

BUILTIN(PartAttractorPosition)
{
    if (RAttractor* a = CAttractorFunctions::Part(args)) {
        a->x = args[2].val;
        a->y = args[3].val;
    }
    return true;
}

BUILTIN(PartAttractorForce)
{
    if (RAttractor* a = CAttractorFunctions::Part(args)) {
        a->force = args[2].val;
        a->dist = args[3].val;
        a->kind = ArgInt(args[4]);
        a->additive = ArgBool(args[5]);
    }
    return true;
}

BUILTIN(PartDestroyerRegion)
{
    if (RDestroyer* d = CDestroyerFunctions::Part(args)) {
        d->xmin = args[2].val;
        d->xmax = args[3].val;
        d->ymin = args[4].val;
        d->ymax = args[5].val;
        d->shape = ArgInt(args[6]);
    }
    return true;
}

BUILTIN(PartDeflectorRegion)
{
    if (RDeflector* d = CDeflectorFunctions::Part(args)) {
        d->xmin = args[2].val;
        d->xmax = args[3].val;
        d->ymin = args[4].val;
        d->ymax = args[5].val;
    }
    return true;
}

BUILTIN(PartDeflectorKind)
{
    if (RDeflector* d = CDeflectorFunctions::Part(args))
        d->kind = ArgInt(args[2]);
    return true;
}

BUILTIN(PartDeflectorFriction)
{
    if (RDeflector* d = CDeflectorFunctions::Part(args))
        d->friction = args[2].val;
    return true;
}

BUILTIN(PartChangerRegion)
{
    if (RChanger* c = CChangerFunctions::Part(args)) {
        c->xmin = args[2].val;
        c->xmax = args[3].val;
        c->ymin = args[4].val;
        c->ymax = args[5].val;
        c->shape = ArgInt(args[6]);
    }
    return true;
}

BUILTIN(PartChangerTypes)
{
    if (RChanger* c = CChangerFunctions::Part(args)) {
        c->part1 = ArgInt(args[2]);
        c->part2 = ArgInt(args[3]);
    }
    return true;
}

BUILTIN(PartChangerKind)
{
    if (RChanger* c = CChangerFunctions::Part(args))
        c->kind = ArgInt(args[2]);
    return true;
}

} // namespace

void Particles_ImplementSystemFunctions()
{
    Function_Implement("part_system_create", &PartSystemCreate);
    Function_Implement("part_system_destroy", &PartSystemDestroy);
    Function_Implement("part_system_exists", &PartSystemExists);
    Function_Implement("part_system_clear", &PartSystemClear);
    Function_Implement("part_system_draw_order", &PartSystemDrawOrder);
    Function_Implement("part_system_depth", &PartSystemDepth);
    Function_Implement("part_system_position", &PartSystemPosition);
    Function_Implement("part_system_automatic_update", &PartSystemAutomaticUpdate);
    Function_Implement("part_system_automatic_draw", &PartSystemAutomaticDraw);
    Function_Implement("part_system_update", &PartSystemUpdate);
    Function_Implement("part_system_drawit", &PartSystemDrawit);
    Function_Implement("part_particles_create", &PartParticlesCreate);
    Function_Implement("part_particles_create_color", &PartParticlesCreateColor);
    Function_Implement("part_particles_clear", &PartParticlesClear);
    Function_Implement("part_particles_count", &PartParticlesCount);

    CEmitterFunctions::Implement("part_emitter_");
    Function_Implement("part_emitter_region", &PartEmitterRegion);
    Function_Implement("part_emitter_burst", &PartEmitterBurst);
    Function_Implement("part_emitter_stream", &PartEmitterStream);
    CAttractorFunctions::Implement("part_attractor_");
    Function_Implement("part_attractor_position", &PartAttractorPosition);
    Function_Implement("part_attractor_force", &PartAttractorForce);
    CDestroyerFunctions::Implement("part_destroyer_");
    Function_Implement("part_destroyer_region", &PartDestroyerRegion);
    CDeflectorFunctions::Implement("part_deflector_");
    Function_Implement("part_deflector_region", &PartDeflectorRegion);
    Function_Implement("part_deflector_kind", &PartDeflectorKind);
    Function_Implement("part_deflector_friction", &PartDeflectorFriction);
    CChangerFunctions::Implement("part_changer_");
    Function_Implement("part_changer_region", &PartChangerRegion);
    Function_Implement("part_changer_types", &PartChangerTypes);
    Function_Implement("part_changer_kind", &PartChangerKind);
}
