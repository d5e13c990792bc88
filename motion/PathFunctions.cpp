// The script functions that start and end path following, and the lookup of
// a place on a path by its relative position.
#include "motion/FunctionGroups.h"

#include "code/FunctionCatalogue.h"
#include "data/Path.h"
#include "data/Resources.h"
#include "motion/PathFollowing.h"
#include "world/Instance.h"

namespace {

bool F_PathStart(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    bool absolute = IsTrue(args[3].val);
    Assign_Path(*self, RoundToInt32(args[0].val), args[1].val, 1, 0, !absolute, RoundToInt32(args[2].val));
    return true;
}

bool F_PathEnd(CExecutionContext& context, RValue&, int, RValue*)
{
    CInstance* self = context.Self();
    Assign_Path(*self, -1, 0, 1, 0, true, 0);
    return true;
}

// A getter of a missing path answers -1.
template <double RIntPoint::*Field>
bool F_PathGet(CExecutionContext&, RValue& result, int, RValue* args)
{
    const CPath* path = Paths.Get(RoundToInt32(args[0].val));
    result = RValue(path ? path->GetPosition(args[1].val).*Field : -1.0);
    return true;
}

} // namespace

void Motion_ImplementPathFunctions()
{
    Function_Implement("path_start", &F_PathStart);
    Function_Implement("path_end", &F_PathEnd);
    Function_Implement("path_get_x", &F_PathGet<&RIntPoint::x>);
    Function_Implement("path_get_y", &F_PathGet<&RIntPoint::y>);
    Function_Implement("path_get_speed", &F_PathGet<&RIntPoint::speed>);
}
