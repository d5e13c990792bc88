// The groups of script functions the motion module supplies; Motion.h offers
// them to the runner as one.
#pragma once

void Motion_ImplementPositionFunctions();
void Motion_ImplementCollisionFunctions();
void Motion_ImplementMotionFunctions();
void Motion_ImplementPathFunctions();
void Motion_ImplementPathResourceFunctions();
void Motion_ImplementActionFunctions();
void Motion_ImplementPlanningFunctions();
