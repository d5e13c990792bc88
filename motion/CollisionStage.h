// The two stages of a step that follow motion: the boundary events (outside
// the room or a view, on their boundary) and the collision events over the
// collision pair list, which keep solid instances apart.
#pragma once

void Motion_BoundaryEvents();
void Motion_CollisionEvents();
