// What the motion module offers the runner: its script functions, and the
// parts of every step it performs (path following, boundary events,
// collision events). The instance tests themselves are in Collision.h.
#pragma once

// Supplies every motion script function (before the function table is filled).
void Motion_RegisterFunctions();
// Installs path following and the boundary and collision stages in the step loop.
void Motion_InstallStepHooks();
