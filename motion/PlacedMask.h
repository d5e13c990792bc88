// A collision mask as an instance shows it in the room: the mask of its
// current image at the instance's rounded position, with the sprite origin
// and the instance's scales and angle. It maps room pixels to mask cells and
// answers whether a point, a rectangle, an ellipse, a line segment or another
// placed mask meets set cells. The instance tests (box first) build on it.
#pragma once

#include "data/Mask.h"

#include <cstdint>

class CInstance;

// An inclusive rectangle of room pixels, wide enough for any rounded
// coordinate a script can pass, so that edge + 1 never overflows.
struct RRegion {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;
};

inline RRegion RegionOf(const RBox& box)
{
    return RRegion{box.left, box.top, box.right, box.bottom};
}

// Whether precise tests can ever succeed for the instance: its mask sprite
// (the mask index, else the sprite) exists and has images and masks.
bool HasCollisionMask(const CInstance& instance);

class TPlacedMask {
public:
    // False when the instance has no collision mask; nothing is placed then.
    bool PlaceFor(const CInstance& instance);

    // Whether the room point falls on a set cell. Fractional points are
    // allowed (the line test walks between whole pixels); cells outside the
    // mask count as clear.
    bool IsSetAt(double px, double py) const;

    // The tests over a region: box is the instance's room box, which the
    // region is clipped to, so the work is bounded by the instance's size.
    bool CollisionRectangle(const RRegion& box, const RRegion& rr) const;
    // Only pixels inside the ellipse inscribed in rr.
    bool CollisionEllipse(const RRegion& box, const RRegion& rr) const;
    // The segment from (xl, yl) to (xr, yr), xl <= xr, one point per whole
    // row (steep) or column (shallow) within the box.
    bool CollisionLine(const RRegion& box, int64_t xl, int64_t yl, int64_t xr, int64_t yr) const;
    // Some pixel of the intersection of both boxes is set in both masks.
    static bool CollisionMask(const TPlacedMask& a, const RRegion& boxa, const TPlacedMask& b, const RRegion& boxb);

private:
    const TMask* p_mask = nullptr;
    double p_x = 0, p_y = 0;         // the instance position rounded
    double p_xorig = 0, p_yorig = 0; // the sprite origin
    double p_cos = 1, p_sin = 0;     // of minus the angle
    double p_xscale = 1, p_yscale = 1;
    bool p_plain = true;             // unturned and unscaled: a cell is a pixel offset
};
