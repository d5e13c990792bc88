// Connecting the motion module to the function table and the step loop.
#include "motion/Motion.h"

#include "motion/CollisionStage.h"
#include "motion/FunctionGroups.h"
#include "motion/PathFollowing.h"
#include "world/StepLoop.h"

void Motion_RegisterFunctions()
{
    Motion_ImplementPositionFunctions();
    Motion_ImplementCollisionFunctions();
    Motion_ImplementMotionFunctions();
    Motion_ImplementPathFunctions();
    Motion_ImplementPathResourceFunctions();
    Motion_ImplementActionFunctions();
    Motion_ImplementPlanningFunctions();
}

void Motion_InstallStepHooks()
{
    StepHooks.followPath = [](CInstance* instance) { return Adapt_Path(*instance); };
    StepHooks.boundaryEvents = &Motion_BoundaryEvents;
    StepHooks.collisionEvents = &Motion_CollisionEvents;
}
