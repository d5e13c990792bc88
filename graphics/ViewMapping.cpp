// Presenting and mouse mappings.
#include "graphics/ViewMapping.h"

#include "code/Value.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The factor of a fixed or aspect-keeping scale.
double Factor(const RPresentGeometry& g)
{
    if (g.scale > 0)
        return g.scale;
    if (g.regionW <= 0 || g.regionH <= 0)
        return 0;
    return std::min(static_cast<double>(g.clientW) / g.regionW, static_cast<double>(g.clientH) / g.regionH);
}

// Games pass any scale and any position: results stay within a range where
// the sums below cannot overflow.
int64_t Round(double value)
{
    if (std::isnan(value))
        return 0;
    return RoundToInteger(std::clamp(value, -1e15, 1e15));
}

int32_t To32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

bool Emulated(const RPresentGeometry& g)
{
    return g.screenW > 0 && g.screenH > 0;
}

// The geometry inside the emulated screen.
RPresentGeometry Inner(const RPresentGeometry& g)
{
    RPresentGeometry inner = g;
    inner.clientW = g.screenW;
    inner.clientH = g.screenH;
    inner.screenW = inner.screenH = 0;
    return inner;
}

// Where the emulated screen lies in the real client, and its factors.
struct RScreenPlace {
    double x = 0, y = 0, fx = 1, fy = 1;
};

RScreenPlace ScreenPlace(const RPresentGeometry& g)
{
    const double f = std::min(static_cast<double>(g.clientW) / g.screenW, static_cast<double>(g.clientH) / g.screenH);
    const int64_t w = Round(g.screenW * f), h = Round(g.screenH * f);
    return {static_cast<double>((g.clientW - w) / 2), static_cast<double>((g.clientH - h) / 2),
            static_cast<double>(w) / g.screenW, static_cast<double>(h) / g.screenH};
}

} // namespace

RPixelRect Display_PresentRectangle(const RPresentGeometry& g)
{
    if (Emulated(g)) {
        const RPixelRect r = Display_PresentRectangle(Inner(g));
        const RScreenPlace p = ScreenPlace(g);
        const int64_t left = Round(p.x + r.x * p.fx), top = Round(p.y + r.y * p.fy);
        const int64_t right = Round(p.x + (int64_t(r.x) + r.w) * p.fx);
        const int64_t bottom = Round(p.y + (int64_t(r.y) + r.h) * p.fy);
        return {To32(left), To32(top), To32(right - left), To32(bottom - top)};
    }
    if (g.scale == 0)
        return {0, 0, g.clientW, g.clientH};
    double f = Factor(g);
    int64_t w = Round(g.regionW * f);
    int64_t h = Round(g.regionH * f);
    return {To32((g.clientW - w) / 2), To32((g.clientH - h) / 2), To32(w), To32(h)};
}

RRegionPoint Display_ClientToRegion(const RPresentGeometry& g, double mx, double my)
{
    if (Emulated(g)) {
        const RScreenPlace p = ScreenPlace(g);
        return Display_ClientToRegion(Inner(g), (mx - p.x) / p.fx, (my - p.y) / p.fy);
    }
    if (g.scale == 0)
        return {Round(mx * g.regionW / std::max(g.clientW, 1)), Round(my * g.regionH / std::max(g.clientH, 1))};
    double f = Factor(g);
    if (f == 0)
        return {0, 0};
    int64_t offsetX = (g.clientW - Round(g.regionW * f)) / 2;
    int64_t offsetY = (g.clientH - Round(g.regionH * f)) / 2;
    return {Round((mx - static_cast<double>(offsetX)) / f), Round((my - static_cast<double>(offsetY)) / f)};
}

RRegionPoint Display_RegionToClient(const RPresentGeometry& g, double x, double y)
{
    if (Emulated(g)) {
        const RRegionPoint inner = Display_RegionToClient(Inner(g), x, y);
        const RScreenPlace p = ScreenPlace(g);
        return {Round(p.x + static_cast<double>(inner.x) * p.fx), Round(p.y + static_cast<double>(inner.y) * p.fy)};
    }
    if (g.scale == 0) {
        // An empty region maps everything onto the origin rather than divide by zero.
        if (g.regionW <= 0 || g.regionH <= 0)
            return {0, 0};
        return {Round(x * g.clientW / g.regionW), Round(y * g.clientH / g.regionH)};
    }
    double f = Factor(g);
    return {g.clientW / 2 + Round(x * f) - Round(g.regionW * f) / 2,
            g.clientH / 2 + Round(y * f) - Round(g.regionH * f) / 2};
}

bool View_CanMap(const RViewEntry& view)
{
    return view.active && view.vw != 0 && view.vh != 0 && view.pw != 0 && view.ph != 0;
}

namespace {

// Moves (dx, dy), measured from the top-left of a w × h box at (ox, oy),
// turned by angle degrees about the box's centre.
RRegionPoint Turn(double dx, double dy, double ox, double oy, double w, double h, double angle)
{
    if (std::fabs(angle) < 0.01)
        return {Round(dx + ox), Round(dy + oy)};
    double t = angle * std::numbers::pi / 180.0;
    double ex = dx - w / 2;
    double ey = dy - h / 2;
    return {Round(std::cos(t) * ex + w / 2 + ox + std::sin(t) * ey),
            Round(h / 2 + oy - ex * std::sin(t) + ey * std::cos(t))};
}

} // namespace

RRegionPoint View_RegionToRoom(const RViewEntry& v, double x, double y)
{
    double dx = (x - v.px) * v.vw / v.pw;
    double dy = (y - v.py) * v.vh / v.ph;
    return Turn(dx, dy, v.vx, v.vy, v.vw, v.vh, -v.angle);
}

RRegionPoint View_RoomToRegion(const RViewEntry& v, double x, double y)
{
    double dx = (x - v.vx) * v.pw / v.vw;
    double dy = (y - v.vy) * v.ph / v.vh;
    return Turn(dx, dy, v.px, v.py, v.pw, v.ph, v.angle);
}

RRegionPoint View_RegionToRoomThroughViews(const TViewTable& views, double x, double y)
{
    RRegionPoint result{Round(x), Round(y)};
    for (int k = kViewTableSize - 1; k >= 0; --k) {
        const RViewEntry& v = views[static_cast<size_t>(k)];
        if (!v.active)
            continue;
        // An entry of zero size cannot map; it keeps the region point.
        result = View_CanMap(v) ? View_RegionToRoom(v, x, y) : RRegionPoint{Round(x), Round(y)};
        if (result.x >= v.vx && result.x < v.vx + v.vw && result.y >= v.vy && result.y < v.vy + v.vh)
            return result;
    }
    return result;
}
