// The motion actions: setting and changing the motion, moving, snapping,
// wrapping, bouncing, paths and planning steps, and the questions about
// places. Position arguments are relative to the instance and value
// arguments added to the current value when the action is relative.
#include "motion/FunctionGroups.h"

#include "code/ArgumentVariables.h"
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "motion/Moves.h"
#include "motion/PathFollowing.h"
#include "motion/Places.h"
#include "motion/Planning.h"
#include "library/Random.h"
#include "world/ActionForward.h"
#include "world/Instance.h"

#include <algorithm>
#include <string>

namespace {

EAgainst AgainstAll(const RValue& value)
{
    return value.val >= 0.5 ? EAgainst::All : EAgainst::Solid;
}

void Answer(RValue& result, bool yes)
{
    result = RValue(yes ? 1.0 : 0.0);
}

BUILTIN(F_ActionWrap)
{
    Move_WrapBySprite(*context.Self(), RoundToInt32(args[0].val));
    return true;
}

BUILTIN(F_ActionMoveRandom)
{
    Move_Random(*context.Self(), args[0].val, args[1].val);
    return true;
}

// The directions text has nine places, as a keypad read from the bottom
// row: each "1" is a direction that may be chosen, the middle one stops.
BUILTIN(F_ActionMove)
{
    const std::string directions = args[0].kind == VALUE_STRING ? args[0].str.Text() : std::string();
    if (directions.size() != 9) {
        Error_ShowInEvent("Wrong argument to action_move().", false);
        return true;
    }
    if (directions.find('1') == std::string::npos)
        return true;
    CInstance* self = context.Self();
    self->SetSpeed(Action_Relative(args[1].val, self->i_speed));
    static constexpr double kDirection[9] = {225, 270, 315, 180, 0, 0, 135, 90, 45};
    uint32_t place;
    do
        place = Random_Below(9);
    while (directions[place] != '1');
    if (place == 4) {
        self->SetDirection(0);
        self->SetSpeed(0);
    } else {
        self->SetDirection(kDirection[place]);
    }
    return true;
}

BUILTIN(F_ActionSetMotion)
{
    CInstance* self = context.Self();
    if (ArgumentRelative) {
        self->AddTo_Speed(args[0].val, args[1].val);
    } else {
        self->SetDirection(args[0].val);
        self->SetSpeed(args[1].val);
    }
    return true;
}

BUILTIN(F_ActionSetHspeed)
{
    CInstance* self = context.Self();
    self->SetHspeed(Action_Relative(args[0].val, self->i_hspeed));
    return true;
}

BUILTIN(F_ActionSetVspeed)
{
    CInstance* self = context.Self();
    self->SetVspeed(Action_Relative(args[0].val, self->i_vspeed));
    return true;
}

BUILTIN(F_ActionSetFriction)
{
    CInstance* self = context.Self();
    self->i_friction = Action_Relative(args[0].val, self->i_friction);
    return true;
}

BUILTIN(F_ActionSetGravity)
{
    CInstance* self = context.Self();
    self->i_gravitydir = Action_Relative(args[0].val, self->i_gravitydir);
    self->i_gravity = Action_Relative(args[1].val, self->i_gravity);
    return true;
}

BUILTIN(F_ActionMovePoint)
{
    static CActionForward towards("move_towards_point");
    return towards.Call(context, {RValue(Action_X(context, args[0])), RValue(Action_Y(context, args[1])), args[2]});
}

BUILTIN(F_ActionMoveTo)
{
    context.Self()->SetPosition(Action_X(context, args[0]), Action_Y(context, args[1]));
    return true;
}

BUILTIN(F_ActionMoveStart)
{
    CInstance* self = context.Self();
    self->SetPosition(self->i_xstart, self->i_ystart);
    return true;
}

BUILTIN(F_ActionSnap)
{
    Move_Snap(*context.Self(), args[0].val, args[1].val);
    return true;
}

BUILTIN(F_ActionReverseXdir)
{
    CInstance* self = context.Self();
    self->SetHspeed(-self->i_hspeed);
    return true;
}

BUILTIN(F_ActionReverseYdir)
{
    CInstance* self = context.Self();
    self->SetVspeed(-self->i_vspeed);
    return true;
}

BUILTIN(F_ActionMoveContact)
{
    Move_Contact(*context.Self(), args[0].val, args[1].val, AgainstAll(args[2]));
    return true;
}

BUILTIN(F_ActionBounce)
{
    Move_Bounce(*context.Self(), args[0].val >= 0.5,
                RoundToInteger(args[1].val) == 1 ? EAgainst::All : EAgainst::Solid);
    return true;
}

BUILTIN(F_ActionPath)
{
    Assign_Path(*context.Self(), RoundToInt32(args[0].val), args[1].val, 1, 0, args[3].val < 0.5,
                RoundToInt32(args[2].val));
    return true;
}

BUILTIN(F_ActionPathEnd)
{
    Assign_Path(*context.Self(), -1, 0, 1, 0, true, kPathStop);
    return true;
}

BUILTIN(F_ActionPathPosition)
{
    CInstance* self = context.Self();
    self->i_pathposition = std::clamp(Action_Relative(args[0].val, self->i_pathposition), 0.0, 1.0);
    return true;
}

BUILTIN(F_ActionPathSpeed)
{
    CInstance* self = context.Self();
    self->i_pathspeed = Action_Relative(args[0].val, self->i_pathspeed);
    return true;
}

template <bool (*Step)(CInstance&, double, double, double, const RObstacles&)>
bool F_ActionPlanningStep(CExecutionContext& context, RValue& result, int, RValue* args)
{
    const RObstacles obstacles{args[3].val >= 0.5 ? RObstacles::All : RObstacles::Solid};
    Answer(result, Step(*context.Self(), Action_X(context, args[0]), Action_Y(context, args[1]), args[2].val,
                        obstacles));
    return true;
}

BUILTIN(F_ActionKillPosition)
{
    static CActionForward destroy("position_destroy");
    return destroy.Call(context, {RValue(Action_X(context, args[0])), RValue(Action_Y(context, args[1]))});
}

BUILTIN(F_ActionIfEmpty)
{
    Answer(result, Place_IsFree(*context.Self(), Action_X(context, args[0]), Action_Y(context, args[1]),
                                args[2].val != 0 ? EAgainst::All : EAgainst::Solid));
    return true;
}

BUILTIN(F_ActionIfCollision)
{
    Answer(result, !Place_IsFree(*context.Self(), Action_X(context, args[0]), Action_Y(context, args[1]),
                                 args[2].val != 0 ? EAgainst::All : EAgainst::Solid));
    return true;
}

BUILTIN(F_ActionIfObject)
{
    Answer(result, Place_FirstMeeting(*context.Self(), context.Other(), Action_X(context, args[1]),
                                      Action_Y(context, args[2]), RoundToInt32(args[0].val)) != nullptr);
    return true;
}

BUILTIN(F_ActionIfAligned)
{
    Answer(result, Move_IsSnapped(*context.Self(), args[0].val, args[1].val));
    return true;
}

} // namespace

void Motion_ImplementActionFunctions()
{
    Function_Implement("action_wrap", &F_ActionWrap);
    Function_Implement("action_move_random", &F_ActionMoveRandom);
    Function_Implement("action_move", &F_ActionMove);
    Function_Implement("action_set_motion", &F_ActionSetMotion);
    Function_Implement("action_set_hspeed", &F_ActionSetHspeed);
    Function_Implement("action_set_vspeed", &F_ActionSetVspeed);
    Function_Implement("action_set_friction", &F_ActionSetFriction);
    Function_Implement("action_set_gravity", &F_ActionSetGravity);
    Function_Implement("action_move_point", &F_ActionMovePoint);
    Function_Implement("action_move_to", &F_ActionMoveTo);
    Function_Implement("action_move_start", &F_ActionMoveStart);
    Function_Implement("action_snap", &F_ActionSnap);
    Function_Implement("action_reverse_xdir", &F_ActionReverseXdir);
    Function_Implement("action_reverse_ydir", &F_ActionReverseYdir);
    Function_Implement("action_move_contact", &F_ActionMoveContact);
    Function_Implement("action_bounce", &F_ActionBounce);
    Function_Implement("action_path", &F_ActionPath);
    Function_Implement("action_path_end", &F_ActionPathEnd);
    Function_Implement("action_path_position", &F_ActionPathPosition);
    Function_Implement("action_path_speed", &F_ActionPathSpeed);
    Function_Implement("action_linear_step", &F_ActionPlanningStep<&Plan_LinearStep>);
    Function_Implement("action_potential_step", &F_ActionPlanningStep<&Plan_PotentialStep>);
    Function_Implement("action_kill_position", &F_ActionKillPosition);
    Function_Implement("action_if_empty", &F_ActionIfEmpty);
    Function_Implement("action_if_collision", &F_ActionIfCollision);
    Function_Implement("action_if_object", &F_ActionIfObject);
    Function_Implement("action_if_aligned", &F_ActionIfAligned);
}
