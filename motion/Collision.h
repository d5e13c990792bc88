// Whether an instance meets a point: its bounding box first, then, when
// precise checking is asked for, the collision mask of its current image
// placed at its rounded position with its origin, scale and angle.
#pragma once

class CInstance;

bool Collision_Point(const CInstance& instance, double x, double y, bool precise);
