// How instances move themselves: snapping to a grid, jumping to a random
// free place, wrapping around the room, moving until contact or out of a
// collision, and bouncing off other instances. The script functions and the
// actions both come here. "Free" is Place_IsFree against solid instances or
// against all of them.
#pragma once

#include "motion/Places.h"

#include <cstdint>

class CInstance;

// For each snap > 0, the coordinate lies within 0.001 of a multiple of it.
bool Move_IsSnapped(const CInstance& instance, double hsnap, double vsnap);
void Move_Snap(CInstance& instance, double hsnap, double vsnap);
// Up to 100 tries of a random place that keeps the box inside the room,
// rounded down to the snaps; the first free one (solid only) is taken.
void Move_Random(CInstance& instance, double hsnap, double vsnap);
// Wraps a coordinate that went beyond the room by more than the margin.
void Move_Wrap(CInstance& instance, bool horizontal, bool vertical, double margin);
// Wraps by the sprite's size, in the direction of motion only (the action):
// direction 0 horizontal, 1 vertical, 2 both.
void Move_WrapBySprite(CInstance& instance, int32_t direction);
// From a free place, pixel by pixel in direction (degrees) while the next
// place is free, at most round(maxdist) pixels (1000 when maxdist <= 0).
void Move_Contact(CInstance& instance, double direction, double maxdist, EAgainst against);
// Pixel by pixel in direction while the place is not free, at most as
// above; whether the final place is free.
bool Move_Outside(CInstance& instance, double direction, double maxdist, EAgainst against);
// Reverses or turns the motion against what lies ahead; precise tries
// directions 10 degrees apart on both sides of the motion.
void Move_Bounce(CInstance& instance, bool precise, EAgainst against);
