// The actions whose motion differs from the script functions': wrapping by
// the sprite's size in the direction of motion, and the random jump.
#include "motion/FunctionGroups.h"

#include "code/FunctionCatalogue.h"
#include "motion/Moves.h"
#include "world/Instance.h"

namespace {

bool F_ActionWrap(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Move_WrapBySprite(*self, RoundToInt32(args[0].val));
    return true;
}

bool F_ActionMoveRandom(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Move_Random(*self, args[0].val, args[1].val);
    return true;
}

} // namespace

void Motion_ImplementActionFunctions()
{
    Function_Implement("action_wrap", &F_ActionWrap);
    Function_Implement("action_move_random", &F_ActionMoveRandom);
}
