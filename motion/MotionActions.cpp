// The actions whose motion differs from the script functions': wrapping by
// the sprite's size in the direction of motion, and the random jump.
#include "motion/FunctionGroups.h"

#include "code/FunctionCatalogue.h"
#include "motion/Moves.h"
#include "world/Instance.h"

namespace {

void F_ActionWrap(CInstance* self, CInstance*, int, RValue&, RValue* args)
{
    Move_WrapBySprite(*self, RoundToInt32(args[0].val));
}

void F_ActionMoveRandom(CInstance* self, CInstance*, int, RValue&, RValue* args)
{
    Move_Random(*self, args[0].val, args[1].val);
}

} // namespace

void Motion_ImplementActionFunctions()
{
    Function_Implement("action_wrap", &F_ActionWrap);
    Function_Implement("action_move_random", &F_ActionMoveRandom);
}
