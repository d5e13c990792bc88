// The script functions that ask collision questions: whether a place is free,
// which instance meets a place or a shape, and how far away instances are.
#include "motion/FunctionGroups.h"

#include "code/FunctionCatalogue.h"
#include "motion/Collision.h"
#include "motion/Places.h"
#include "world/InstanceTargets.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kNoone = -4;
constexpr double kFarAway = 1000000;

double IdOrNoone(const CInstance* instance)
{
    return instance ? static_cast<double>(instance->i_id) : kNoone;
}

bool F_PlaceFree(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    result = RValue(Place_IsFree(*self, args[0].val, args[1].val, EAgainst::Solid) ? 1.0 : 0.0);
    return true;
}

bool F_PlaceEmpty(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    result = RValue(Place_IsFree(*self, args[0].val, args[1].val, EAgainst::All) ? 1.0 : 0.0);
    return true;
}

bool F_PlaceMeeting(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    CInstance* found = Place_FirstMeeting(*self, other, args[0].val, args[1].val, RoundToInt32(args[2].val));
    result = RValue(found ? 1.0 : 0.0);
    return true;
}

bool F_InstancePlace(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    result = RValue(IdOrNoone(Place_FirstMeeting(*self, other, args[0].val, args[1].val, RoundToInt32(args[2].val))));
    return true;
}

// The first instance named by target (the caller skipped with notme) for
// which test holds.
template <typename Test>
double FirstCollision(CInstance* self, CInstance* other, double target, double notme, Test test)
{
    bool skipSelf = IsTrue(notme);
    CInstance* found = nullptr;
    ForEachTarget(RoundToInt32(target), self, other, [&](CInstance* instance) {
        if (!found && !(skipSelf && instance == self) && test(*instance))
            found = instance;
    });
    return IdOrNoone(found);
}

bool F_CollisionPoint(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    bool precise = IsTrue(args[3].val);
    result = RValue(FirstCollision(self, other, args[2].val, args[4].val, [&](const CInstance& instance) {
        return Collision_Point(instance, args[0].val, args[1].val, precise);
    }));
    return true;
}

bool F_CollisionRectangle(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    bool precise = IsTrue(args[5].val);
    result = RValue(FirstCollision(self, other, args[4].val, args[6].val, [&](const CInstance& instance) {
        return Collision_Rectangle(instance, args[0].val, args[1].val, args[2].val, args[3].val, precise);
    }));
    return true;
}

bool F_CollisionEllipse(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    bool precise = IsTrue(args[5].val);
    result = RValue(FirstCollision(self, other, args[4].val, args[6].val, [&](const CInstance& instance) {
        return Collision_Ellipse(instance, args[0].val, args[1].val, args[2].val, args[3].val, precise);
    }));
    return true;
}

bool F_CollisionCircle(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    double xc = args[0].val, yc = args[1].val, r = args[2].val;
    bool precise = IsTrue(args[4].val);
    result = RValue(FirstCollision(self, other, args[3].val, args[5].val, [&](const CInstance& instance) {
        return Collision_Ellipse(instance, xc - r, yc - r, xc + r, yc + r, precise);
    }));
    return true;
}

bool F_CollisionLine(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    bool precise = IsTrue(args[5].val);
    result = RValue(FirstCollision(self, other, args[4].val, args[6].val, [&](const CInstance& instance) {
        return Collision_Line(instance, args[0].val, args[1].val, args[2].val, args[3].val, precise);
    }));
    return true;
}

// Per axis the gap between a coordinate range and a value or another range
// (0 where they overlap).
double Gap(double left, double right, double from, double to)
{
    if (to < left)
        return left - to;
    if (from > right)
        return from - right;
    return 0;
}

bool F_DistanceToPoint(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    const RBox& b = self->i_bbox;
    double x = args[0].val, y = args[1].val;
    double dx = Gap(b.left, b.right, x, x), dy = Gap(b.top, b.bottom, y, y);
    result = RValue(std::sqrt(dx * dx + dy * dy));
    return true;
}

bool F_DistanceToObject(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    const RBox& b = self->i_bbox;
    double best = INFINITY;
    // Self counts as far away, as does a missing or destroyed instance, which
    // ForEachTarget does not name at all.
    ForEachTarget(RoundToInt32(args[0].val), self, other, [&](CInstance* instance) {
        if (instance == self) {
            best = std::min(best, kFarAway);
            return;
        }
        const RBox& o = instance->i_bbox;
        double dx = Gap(b.left, b.right, o.left, o.right), dy = Gap(b.top, b.bottom, o.top, o.bottom);
        best = std::min(best, std::sqrt(dx * dx + dy * dy));
    });
    result = RValue(std::isinf(best) ? kFarAway : best);
    return true;
}

} // namespace

void Motion_ImplementCollisionFunctions()
{
    Function_Implement("place_free", &F_PlaceFree);
    Function_Implement("place_empty", &F_PlaceEmpty);
    Function_Implement("place_meeting", &F_PlaceMeeting);
    Function_Implement("instance_place", &F_InstancePlace);
    Function_Implement("collision_point", &F_CollisionPoint);
    Function_Implement("collision_rectangle", &F_CollisionRectangle);
    Function_Implement("collision_ellipse", &F_CollisionEllipse);
    Function_Implement("collision_circle", &F_CollisionCircle);
    Function_Implement("collision_line", &F_CollisionLine);
    Function_Implement("distance_to_point", &F_DistanceToPoint);
    Function_Implement("distance_to_object", &F_DistanceToObject);
}
