// The script functions that ask which instances cover a point, and destroy
// or change them.
#include "motion/FunctionGroups.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "motion/Collision.h"
#include "world/InstanceLife.h"
#include "world/InstanceTargets.h"

namespace {

constexpr double kNoone = -4;

// The first instance named by target whose precise mask covers the point.
CInstance* FirstAt(int32_t target, CInstance* self, CInstance* other, double x, double y)
{
    CInstance* found = nullptr;
    ForEachTarget(target, self, other, [&](CInstance* instance) {
        if (!found && Collision_Point(*instance, x, y, true))
            found = instance;
    });
    return found;
}

bool F_InstancePosition(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    CInstance* found = FirstAt(RoundToInt32(args[2].val), self, other, args[0].val, args[1].val);
    result = RValue(found ? static_cast<double>(found->i_id) : kNoone);
    return true;
}

bool F_PositionEmpty(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    result = RValue(FirstAt(-3, self, other, args[0].val, args[1].val) ? 0.0 : 1.0);
    return true;
}

bool F_PositionMeeting(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    // -1 and -2 stand for the ids of self and other, which reaches the same instances.
    result = RValue(FirstAt(RoundToInt32(args[2].val), self, other, args[0].val, args[1].val) ? 1.0 : 0.0);
    return true;
}

bool F_PositionDestroy(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    ForEachTarget(-3, self, other, [&](CInstance* instance) {
        if (Collision_Point(*instance, args[0].val, args[1].val, true))
            Instance_Destroy(instance);
    });
    return true;
}

bool F_PositionChange(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    int32_t object = RoundToInt32(args[2].val);
    if (!Objects.Exists(object)) {
        Error_ShowInEvent("Asking to change into non-existing object: " + std::to_string(object), false);
        return true;
    }
    bool perform = IsTrue(args[3].val);
    ForEachTarget(-3, self, other, [&](CInstance* instance) {
        if (Collision_Point(*instance, args[0].val, args[1].val, true))
            Instance_Change(instance, object, perform);
    });
    return true;
}

} // namespace

void Motion_ImplementPositionFunctions()
{
    Function_Implement("instance_position", &F_InstancePosition);
    Function_Implement("position_empty", &F_PositionEmpty);
    Function_Implement("position_meeting", &F_PositionMeeting);
    Function_Implement("position_destroy", &F_PositionDestroy);
    Function_Implement("position_change", &F_PositionChange);
}
