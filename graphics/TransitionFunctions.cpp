// Script functions of room transitions.
#include "code/FunctionCatalogue.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Transitions.h"

namespace {

BUILTIN(TransitionDefine)
{
    result.SetReal(Transition_Define(ArgInt(args[0]), args[1].str.Text()));
    return true;
}

BUILTIN(TransitionExists) { result.SetReal(Transition_Exists(ArgInt(args[0]))); return true; }

} // namespace

void Graphics_RegisterTransitionFunctions()
{
    Function_Implement("transition_define", &TransitionDefine);
    Function_Implement("transition_exists", &TransitionExists);
}
