// Script functions of the built-in effects.
#include "code/FunctionCatalogue.h"
#include "graphics/FunctionArguments.h"
#include "particles/Effects.h"
#include "particles/ParticleFunctions.h"

namespace {

void Create(const RValue* args, bool above)
{
    Effect_Create(ArgInt(args[0]), args[1].val, args[2].val, ArgInt(args[3]), ArgColor(args[4]), above);
}

BUILTIN(EffectCreateBelow) { Create(args, false); return true; }
BUILTIN(EffectCreateAbove) { Create(args, true); return true; }
BUILTIN(EffectClear) { Effect_Clear(); return true; }

} // namespace

void Particles_ImplementEffectFunctions()
{
    Function_Implement("effect_create_below", &EffectCreateBelow);
    Function_Implement("effect_create_above", &EffectCreateAbove);
    Function_Implement("effect_clear", &EffectClear);
}
