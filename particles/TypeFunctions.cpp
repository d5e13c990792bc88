// Script functions of particle types. Each setter writes fields of a type in
// use; on any other index it does nothing.
#include "code/FunctionCatalogue.h"
#include "graphics/FunctionArguments.h"
#include "particles/ParticleFunctions.h"
#include "particles/ParticleTypes.h"

namespace {

RParticleType* Type(const RValue& value)
{
    return ParticleType_Get(ArgInt(value));
}

void SetColors(const RValue* args, int32_t mode, int count)
{
    if (RParticleType* t = Type(args[0])) {
        t->colmode = mode;
        for (int k = 0; k < count; ++k)
            t->colpar[k] = args[1 + k].val;
    }
}

void SetAlphas(const RValue& ind, double start, double middle, double end)
{
    if (RParticleType* t = Type(ind)) {
        t->alphastart = start;
        t->alphamiddle = middle;
        t->alphaend = end;
    }
}

BUILTIN(PartTypeCreate) { result.SetReal(ParticleType_Create()); return true; }
BUILTIN(PartTypeDestroy) { ParticleType_Destroy(ArgInt(args[0])); return true; }
BUILTIN(PartTypeExists) { result.SetReal(ParticleType_Exists(ArgInt(args[0]))); return true; }
BUILTIN(PartTypeClear) { ParticleType_Clear(ArgInt(args[0])); return true; }

BUILTIN(PartTypeShape)
{
    if (RParticleType* t = Type(args[0])) {
        t->shape = ArgInt(args[1]);
        t->sprite = -1;
    }
    return true;
}

BUILTIN(PartTypeSprite)
{
    if (RParticleType* t = Type(args[0])) {
        t->sprite = ArgInt(args[1]);
        t->spriteanim = ArgBool(args[2]);
        t->spritestretch = ArgBool(args[3]);
        t->spriterandom = ArgBool(args[4]);
    }
    return true;
}

BUILTIN(PartTypeSize)
{
    if (RParticleType* t = Type(args[0])) {
        t->sizemin = args[1].val;
        t->sizemax = args[2].val;
        t->sizeincr = args[3].val;
        t->sizerand = args[4].val;
    }
    return true;
}

BUILTIN(PartTypeScale)
{
    if (RParticleType* t = Type(args[0])) {
        t->xscale = args[1].val;
        t->yscale = args[2].val;
    }
    return true;
}

BUILTIN(PartTypeLife)
{
    if (RParticleType* t = Type(args[0])) {
        t->lifemin = ArgInt(args[1]);
        t->lifemax = ArgInt(args[2]);
    }
    return true;
}

BUILTIN(PartTypeStep)
{
    if (RParticleType* t = Type(args[0])) {
        t->stepnumber = ArgInt(args[1]);
        t->steptype = ArgInt(args[2]);
    }
    return true;
}

BUILTIN(PartTypeDeath)
{
    if (RParticleType* t = Type(args[0])) {
        t->deathnumber = ArgInt(args[1]);
        t->deathtype = ArgInt(args[2]);
    }
    return true;
}

BUILTIN(PartTypeSpeed)
{
    if (RParticleType* t = Type(args[0])) {
        t->spmin = args[1].val;
        t->spmax = args[2].val;
        t->spincr = args[3].val;
        t->sprand = args[4].val;
    }
    return true;
}

BUILTIN(PartTypeDirection)
{
    if (RParticleType* t = Type(args[0])) {
        t->dirmin = args[1].val;
        t->dirmax = args[2].val;
        t->dirincr = args[3].val;
        t->dirrand = args[4].val;
    }
    return true;
}

BUILTIN(PartTypeOrientation)
{
    if (RParticleType* t = Type(args[0])) {
        t->angmin = args[1].val;
        t->angmax = args[2].val;
        t->angincr = args[3].val;
        t->angrand = args[4].val;
        t->angdir = ArgBool(args[5]);
    }
    return true;
}

BUILTIN(PartTypeGravity)
{
    if (RParticleType* t = Type(args[0])) {
        t->grav = args[1].val;
        t->gravdir = args[2].val;
    }
    return true;
}

BUILTIN(PartTypeColor1) { SetColors(args, kColorOne, 1); return true; }
BUILTIN(PartTypeColor2) { SetColors(args, kColorTwo, 2); return true; }
BUILTIN(PartTypeColor3) { SetColors(args, kColorThree, 3); return true; }
BUILTIN(PartTypeColorRgb) { SetColors(args, kColorRgb, 6); return true; }
BUILTIN(PartTypeColorHsv) { SetColors(args, kColorHsv, 6); return true; }
BUILTIN(PartTypeColorMix) { SetColors(args, kColorMix, 2); return true; }

BUILTIN(PartTypeAlpha1) { SetAlphas(args[0], args[1].val, args[1].val, args[1].val); return true; }
BUILTIN(PartTypeAlpha2)
{
    SetAlphas(args[0], args[1].val, (args[1].val + args[2].val) / 2, args[2].val);
    return true;
}
BUILTIN(PartTypeAlpha3) { SetAlphas(args[0], args[1].val, args[2].val, args[3].val); return true; }

BUILTIN(PartTypeBlend)
{
    if (RParticleType* t = Type(args[0]))
        t->additiveblend = ArgBool(args[1]);
    return true;
}

} // namespace

void Particles_ImplementTypeFunctions()
{
    Function_Implement("part_type_create", &PartTypeCreate);
    Function_Implement("part_type_destroy", &PartTypeDestroy);
    Function_Implement("part_type_exists", &PartTypeExists);
    Function_Implement("part_type_clear", &PartTypeClear);
    Function_Implement("part_type_shape", &PartTypeShape);
    Function_Implement("part_type_sprite", &PartTypeSprite);
    Function_Implement("part_type_size", &PartTypeSize);
    Function_Implement("part_type_scale", &PartTypeScale);
    Function_Implement("part_type_life", &PartTypeLife);
    Function_Implement("part_type_step", &PartTypeStep);
    Function_Implement("part_type_death", &PartTypeDeath);
    Function_Implement("part_type_speed", &PartTypeSpeed);
    Function_Implement("part_type_direction", &PartTypeDirection);
    Function_Implement("part_type_orientation", &PartTypeOrientation);
    Function_Implement("part_type_gravity", &PartTypeGravity);
    Function_Implement("part_type_color1", &PartTypeColor1);
    Function_Implement("part_type_color2", &PartTypeColor2);
    Function_Implement("part_type_color3", &PartTypeColor3);
    Function_Implement("part_type_color", &PartTypeColor3);
    Function_Implement("part_type_color_rgb", &PartTypeColorRgb);
    Function_Implement("part_type_color_hsv", &PartTypeColorHsv);
    Function_Implement("part_type_color_mix", &PartTypeColorMix);
    Function_Implement("part_type_alpha1", &PartTypeAlpha1);
    Function_Implement("part_type_alpha2", &PartTypeAlpha2);
    Function_Implement("part_type_alpha3", &PartTypeAlpha3);
    Function_Implement("part_type_alpha", &PartTypeAlpha3);
    Function_Implement("part_type_blend", &PartTypeBlend);
}
