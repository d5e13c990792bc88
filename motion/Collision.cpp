// The instance tests: box stage, then mask stage.
#include "motion/Collision.h"

#include "code/Value.h"
#include "motion/PlacedMask.h"
#include "world/Instance.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Coordinates far beyond any room are held to 2^61 before rounding: beyond
// the 64-bit range rounding gives the lowest integer, which would turn a
// rectangle over everything into an empty one; within 2^61 the region
// arithmetic cannot overflow. NaN stays NaN and fails the box stage.
int64_t Round(double value)
{
    constexpr double kFar = 2305843009213693952.0;
    return RoundToInteger(std::clamp(value, -kFar, kFar));
}

// The box stage of the rectangle, shared by the ellipse and the line.
bool BoxMeetsRectangle(const RBox& box, double minx, double miny, double maxx, double maxy)
{
    return box.right + 1.0 > minx && box.left <= maxx && box.bottom + 1.0 > miny && box.top <= maxy;
}

bool InEllipse(double px, double py, const RRegion& rr)
{
    double mx = (static_cast<double>(rr.left) + static_cast<double>(rr.right)) / 2;
    double my = (static_cast<double>(rr.top) + static_cast<double>(rr.bottom)) / 2;
    double ax = (static_cast<double>(rr.right) - static_cast<double>(rr.left)) / 2;
    double ay = (static_cast<double>(rr.bottom) - static_cast<double>(rr.top)) / 2;
    double ex = (px - mx) / ax, ey = (py - my) / ay;
    return ex * ex + ey * ey <= 1;
}

} // namespace

bool Collision_Point(const CInstance& instance, double x, double y, bool precise)
{
    if (instance.i_marked)
        return false;
    const RBox& box = instance.i_bbox;
    if (!(box.left <= x && x < box.right + 1.0 && box.top <= y && y < box.bottom + 1.0))
        return false;
    if (!precise)
        return true;
    TPlacedMask mask;
    if (!mask.PlaceFor(instance))
        return false;
    return mask.IsSetAt(static_cast<double>(Round(x)), static_cast<double>(Round(y)));
}

bool Collision_Rectangle(const CInstance& instance, double x1, double y1, double x2, double y2, bool precise)
{
    if (instance.i_marked)
        return false;
    double minx = std::min(x1, x2), maxx = std::max(x1, x2);
    double miny = std::min(y1, y2), maxy = std::max(y1, y2);
    if (!BoxMeetsRectangle(instance.i_bbox, minx, miny, maxx, maxy))
        return false;
    if (!precise)
        return true;
    TPlacedMask mask;
    if (!mask.PlaceFor(instance))
        return false;
    return mask.CollisionRectangle(RegionOf(instance.i_bbox), RRegion{Round(minx), Round(miny), Round(maxx), Round(maxy)});
}

bool Collision_Ellipse(const CInstance& instance, double x1, double y1, double x2, double y2, bool precise)
{
    if (Round(x1) == Round(x2) || Round(y1) == Round(y2))
        return Collision_Rectangle(instance, x1, y1, x2, y2, precise);
    if (instance.i_marked)
        return false;
    double minx = std::min(x1, x2), maxx = std::max(x1, x2);
    double miny = std::min(y1, y2), maxy = std::max(y1, y2);
    const RBox& box = instance.i_bbox;
    if (!BoxMeetsRectangle(box, minx, miny, maxx, maxy))
        return false;
    RRegion rr{Round(minx), Round(miny), Round(maxx), Round(maxy)};
    // When the ellipse's centre lies beside the box on both axes, the box
    // meets the ellipse only if one of its corners lies inside it.
    double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    if ((cx < box.left || cx > box.right) && (cy < box.top || cy > box.bottom)) {
        double l = box.left, t = box.top, r = box.right, b = box.bottom;
        if (!InEllipse(l, t, rr) && !InEllipse(l, b, rr) && !InEllipse(r, t, rr) && !InEllipse(r, b, rr))
            return false;
    }
    if (!precise)
        return true;
    TPlacedMask mask;
    if (!mask.PlaceFor(instance))
        return false;
    return mask.CollisionEllipse(RegionOf(box), rr);
}

bool Collision_Line(const CInstance& instance, double x1, double y1, double x2, double y2, bool precise)
{
    if (instance.i_marked)
        return false;
    const RBox& box = instance.i_bbox;
    if (!BoxMeetsRectangle(box, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)))
        return false;
    double xl = x1, yl = y1, xr = x2, yr = y2;
    if (xr < xl) {
        std::swap(xl, xr);
        std::swap(yl, yr);
    }
    // Clip the segment to the box's columns. The box stage guarantees
    // xl < right + 1 and xr >= left, so neither division is by zero.
    if (xl < box.left) {
        yl += (box.left - xl) * (yr - yl) / (xr - xl);
        xl = box.left;
    }
    if (xr > box.right + 1.0) {
        yr += (box.right + 1.0 - xr) * (yr - yl) / (xr - xl);
        xr = box.right + 1.0;
    }
    if ((yl < box.top && yr < box.top) || (yl >= box.bottom + 1.0 && yr >= box.bottom + 1.0))
        return false;
    if (!precise)
        return true;
    TPlacedMask mask;
    if (!mask.PlaceFor(instance))
        return false;
    return mask.CollisionLine(RegionOf(box), Round(xl), Round(yl), Round(xr), Round(yr));
}

bool Collision_Instance(const CInstance& a, const CInstance& b, bool precise)
{
    if (&a == &b || a.i_marked || b.i_marked)
        return false;
    const RBox& p = a.i_bbox;
    const RBox& q = b.i_bbox;
    if (!(q.left <= p.right && p.left <= q.right && q.top <= p.bottom && p.top <= q.bottom))
        return false;
    if (!precise)
        return true;
    TPlacedMask ma, mb;
    if (!ma.PlaceFor(a) || !mb.PlaceFor(b))
        return false;
    return TPlacedMask::CollisionMask(ma, RegionOf(p), mb, RegionOf(q));
}
