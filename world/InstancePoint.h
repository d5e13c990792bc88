// Whether an instance covers a room point: its bounding box first, then, when
// asked to be precise, the pixel of its collision mask placed where the
// instance stands (position, sprite origin, scale and rotation).
#pragma once

class CInstance;

// A destroyed instance covers nothing. Precise needs a mask sprite with images.
bool Instance_ContainsPoint(const CInstance& instance, double x, double y, bool precise);
