// The script functions of motion: setting and adding motion vectors, heading
// for a point, snapping, random places, wrapping, moving to contact or out of
// collisions, and bouncing.
#include "motion/FunctionGroups.h"

#include "code/FunctionCatalogue.h"
#include "motion/Moves.h"
#include "world/Instance.h"

namespace {

bool F_MotionSet(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    self->SetDirection(args[0].val);
    self->SetSpeed(args[1].val);
    return true;
}

bool F_MotionAdd(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    self->AddTo_Speed(args[0].val, args[1].val);
    return true;
}

bool F_MoveTowardsPoint(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    // The components point the direction at the target (and leave it
    // unchanged when the instance is there already and at rest).
    self->SetHspeed(args[0].val - self->i_x);
    self->SetVspeed(args[1].val - self->i_y);
    self->SetSpeed(args[2].val);
    return true;
}

bool F_PlaceSnapped(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    result = RValue(Move_IsSnapped(*self, args[0].val, args[1].val) ? 1.0 : 0.0);
    return true;
}

bool F_MoveSnap(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Move_Snap(*self, args[0].val, args[1].val);
    return true;
}

bool F_MoveRandom(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Move_Random(*self, args[0].val, args[1].val);
    return true;
}

bool F_MoveWrap(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Move_Wrap(*self, IsTrue(args[0].val), IsTrue(args[1].val), args[2].val);
    return true;
}

bool F_MoveContactSolid(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Move_Contact(*self, args[0].val, args[1].val, EAgainst::Solid);
    return true;
}

bool F_MoveContactAll(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Move_Contact(*self, args[0].val, args[1].val, EAgainst::All);
    return true;
}

bool F_MoveOutsideSolid(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    result = RValue(Move_Outside(*self, args[0].val, args[1].val, EAgainst::Solid) ? 1.0 : 0.0);
    return true;
}

bool F_MoveOutsideAll(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    result = RValue(Move_Outside(*self, args[0].val, args[1].val, EAgainst::All) ? 1.0 : 0.0);
    return true;
}

bool F_MoveContact(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    if (Place_IsFree(*self, self->i_x, self->i_y, EAgainst::Solid))
        Move_Contact(*self, args[0].val, -1, EAgainst::Solid);
    else
        Move_Outside(*self, args[0].val, -1, EAgainst::Solid);
    return true;
}

bool F_MoveBounceSolid(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Move_Bounce(*self, IsTrue(args[0].val), EAgainst::Solid);
    return true;
}

bool F_MoveBounceAll(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Move_Bounce(*self, IsTrue(args[0].val), EAgainst::All);
    return true;
}

} // namespace

void Motion_ImplementMotionFunctions()
{
    Function_Implement("motion_set", &F_MotionSet);
    Function_Implement("motion_add", &F_MotionAdd);
    Function_Implement("move_towards_point", &F_MoveTowardsPoint);
    Function_Implement("place_snapped", &F_PlaceSnapped);
    Function_Implement("move_snap", &F_MoveSnap);
    Function_Implement("move_random", &F_MoveRandom);
    Function_Implement("move_wrap", &F_MoveWrap);
    Function_Implement("move_contact_solid", &F_MoveContactSolid);
    Function_Implement("move_contact_all", &F_MoveContactAll);
    Function_Implement("move_outside_solid", &F_MoveOutsideSolid);
    Function_Implement("move_outside_all", &F_MoveOutsideAll);
    Function_Implement("move_contact", &F_MoveContact);
    Function_Implement("move_bounce", &F_MoveBounceSolid);
    Function_Implement("move_bounce_solid", &F_MoveBounceSolid);
    Function_Implement("move_bounce_all", &F_MoveBounceAll);
}
