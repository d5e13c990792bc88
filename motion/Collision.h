// Whether an instance meets a point, a rectangle, an ellipse, a line segment
// or another instance: its bounding box first, then, when precise checking
// is asked for, the collision mask of its current image placed at its
// rounded position with its origin, scale and angle. A destroyed (marked)
// instance meets nothing. These run for every candidate of every collision
// question, so they allocate nothing.
#pragma once

class CInstance;

bool Collision_Point(const CInstance& instance, double x, double y, bool precise);
// The rectangle with corners (x1, y1) and (x2, y2), in either order.
bool Collision_Rectangle(const CInstance& instance, double x1, double y1, double x2, double y2, bool precise);
// The ellipse inscribed in that rectangle; a rectangle of zero width or
// height (after rounding) is tested as a rectangle.
bool Collision_Ellipse(const CInstance& instance, double x1, double y1, double x2, double y2, bool precise);
bool Collision_Line(const CInstance& instance, double x1, double y1, double x2, double y2, bool precise);
// Two different instances, neither marked.
bool Collision_Instance(const CInstance& a, const CInstance& b, bool precise);
