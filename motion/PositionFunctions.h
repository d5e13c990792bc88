// Supplies the point-covering script functions.
#pragma once

void Motion_ImplementPositionFunctions();
