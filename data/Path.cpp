// Reading and writing path records, and the interpolation that turns the
// way points into a dense list with distances.
#include "data/Path.h"

#include "data/Stream.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxPrecision = 8;

RIntPoint Mix(const RIntPoint& a, const RIntPoint& b, double wa, double wb, double divisor)
{
    return RIntPoint{(wa * a.x + wb * b.x) / divisor, (wa * a.y + wb * b.y) / divisor,
                     (wa * a.speed + wb * b.speed) / divisor, 0};
}

RIntPoint FromWay(const RWayPoint& p)
{
    return RIntPoint{p.x, p.y, p.speed, 0};
}

double SquaredDistance(const RIntPoint& a, const RIntPoint& b)
{
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

// The inner points of the quadratic curve S-C-E by recursive halving. Halves
// are only split further while the control point lies more than 4 pixels
// from their end, so short curves stay short.
void AddCurve(std::vector<RIntPoint>& out, const RIntPoint& s, const RIntPoint& c, const RIntPoint& e, int depth)
{
    if (depth <= 0)
        return;
    RIntPoint m{(s.x + 2 * c.x + e.x) / 4, (s.y + 2 * c.y + e.y) / 4, (s.speed + 2 * c.speed + e.speed) / 4, 0};
    if (SquaredDistance(c, s) > 16)
        AddCurve(out, s, Mix(s, c, 1, 1, 2), m, depth - 1);
    out.push_back(m);
    if (SquaredDistance(c, e) > 16)
        AddCurve(out, m, Mix(c, e, 1, 1, 2), e, depth - 1);
}

} // namespace

void CPath::Rebuild()
{
    i_intpoints.clear();
    size_t n = i_points.size();
    if (i_kind != 1) {
        for (const RWayPoint& p : i_points)
            i_intpoints.push_back(FromWay(p));
        if (i_closed && n > 0)
            i_intpoints.push_back(FromWay(i_points[0]));
    } else if (n > 0) {
        if (!i_closed)
            i_intpoints.push_back(FromWay(i_points[0]));
        // Damaged data may hold any precision; the depth is what bounds the work.
        int depth = i_precision < 0 ? 0 : i_precision > kMaxPrecision ? kMaxPrecision : i_precision;
        size_t last = i_closed ? n : (n >= 2 ? n - 2 : 0);
        for (size_t k = 0; k < last; ++k) {
            RIntPoint p0 = FromWay(i_points[k % n]);
            RIntPoint p1 = FromWay(i_points[(k + 1) % n]);
            RIntPoint p2 = FromWay(i_points[(k + 2) % n]);
            AddCurve(i_intpoints, Mix(p0, p1, 1, 1, 2), p1, Mix(p1, p2, 1, 1, 2), depth);
        }
        if (i_closed)
            i_intpoints.push_back(i_intpoints.empty() ? FromWay(i_points[0]) : i_intpoints[0]);
        else
            i_intpoints.push_back(FromWay(i_points[n - 1]));
    }
    for (size_t k = 1; k < i_intpoints.size(); ++k)
        i_intpoints[k].l = i_intpoints[k - 1].l + std::sqrt(SquaredDistance(i_intpoints[k], i_intpoints[k - 1]));
    i_length = i_intpoints.empty() ? 0 : i_intpoints.back().l;
}

void CPath::SetKind(int32_t kind)
{
    i_kind = kind == 1 ? 1 : 0;
    Rebuild();
}

void CPath::SetClosed(bool closed)
{
    i_closed = closed;
    Rebuild();
}

void CPath::SetPrecision(int32_t precision)
{
    i_precision = std::clamp(precision, 0, kMaxPrecision);
    Rebuild();
}

int CPath::AddPoint(double x, double y, double speed)
{
    i_points.push_back(RWayPoint{x, y, speed});
    Rebuild();
    return Count() - 1;
}

void CPath::InsertPoint(int64_t index, double x, double y, double speed)
{
    if (index < 0 || index > Count())
        return;
    i_points.insert(i_points.begin() + index, RWayPoint{x, y, speed});
    Rebuild();
}

void CPath::ChangePoint(int64_t index, double x, double y, double speed)
{
    if (index < 0 || index >= Count())
        return;
    i_points[static_cast<size_t>(index)] = RWayPoint{x, y, speed};
    Rebuild();
}

void CPath::DeletePoint(int64_t index)
{
    if (index < 0 || index >= Count())
        return;
    i_points.erase(i_points.begin() + index);
    Rebuild();
}

void CPath::ClearPoints()
{
    i_points.clear();
    Rebuild();
}

void CPath::Center(double& x, double& y) const
{
    x = y = 0;
    if (i_points.empty())
        return;
    double left = i_points[0].x, right = left, top = i_points[0].y, bottom = top;
    for (const RWayPoint& p : i_points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    x = (left + right) / 2;
    y = (top + bottom) / 2;
}

void CPath::Reverse()
{
    if (i_points.size() < 2)
        return;
    std::reverse(i_points.begin(), i_points.end());
    Rebuild();
}

void CPath::Mirror()
{
    Scale(-1, 1);
}

void CPath::Flip()
{
    Scale(1, -1);
}

void CPath::Rotate(double angle)
{
    double cx, cy;
    Center(cx, cy);
    const double a = angle * 3.14159265358979323846 / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    for (RWayPoint& p : i_points) {
        double x = p.x - cx, y = p.y - cy;
        p.x = cx + c * x + s * y;
        p.y = cy + c * y - s * x;
    }
    Rebuild();
}

void CPath::Scale(double xscale, double yscale)
{
    double cx, cy;
    Center(cx, cy);
    for (RWayPoint& p : i_points) {
        p.x = cx + (p.x - cx) * xscale;
        p.y = cy + (p.y - cy) * yscale;
    }
    Rebuild();
}

void CPath::Shift(double x, double y)
{
    for (RWayPoint& p : i_points) {
        p.x += x;
        p.y += y;
    }
    Rebuild();
}

void CPath::Append(const CPath& other)
{
    if (other.i_points.empty())
        return;
    const std::vector<RWayPoint> added = other.i_points; // other may be this path
    i_points.insert(i_points.end(), added.begin(), added.end());
    Rebuild();
}

RIntPoint CPath::GetPosition(double ind) const
{
    if (i_intpoints.empty())
        return RIntPoint{0, 0, 100, 0};
    if (i_intpoints.size() == 1 || i_length == 0 || !(ind > 0))
        return i_intpoints.front(); // NaN takes the start as well
    if (ind >= 1)
        return i_intpoints.back();
    double d = i_length * ind;
    // The segment whose end is the first point beyond d; the distances never
    // fall, so a binary search finds it (paths may have thousands of points).
    auto beyond = std::upper_bound(i_intpoints.begin() + 1, i_intpoints.end(), d,
                                   [](double value, const RIntPoint& p) { return value < p.l; });
    size_t i = std::min(static_cast<size_t>(beyond - i_intpoints.begin()) - 1, i_intpoints.size() - 2);
    const RIntPoint& a = i_intpoints[i];
    const RIntPoint& b = i_intpoints[i + 1];
    if (b.l == a.l)
        return a;
    double t = (d - a.l) / (b.l - a.l);
    return RIntPoint{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.speed + (b.speed - a.speed) * t, d};
}

bool CPath::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    i_kind = stream.ReadInteger();
    i_closed = stream.ReadBoolean();
    i_precision = stream.ReadInteger();
    int32_t count = stream.ReadInteger();
    if (count < 0 || static_cast<uint64_t>(count) * 24 > stream.Size() - stream.Position())
        return false;
    i_points.resize(static_cast<size_t>(count));
    for (RWayPoint& p : i_points) {
        p.x = stream.ReadReal();
        p.y = stream.ReadReal();
        p.speed = stream.ReadReal();
    }
    Rebuild();
    return true;
}

void CPath::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteInteger(i_kind);
    stream.WriteBoolean(i_closed);
    stream.WriteInteger(i_precision);
    stream.WriteInteger(Count());
    for (const RWayPoint& p : i_points) {
        stream.WriteReal(p.x);
        stream.WriteReal(p.y);
        stream.WriteReal(p.speed);
    }
}
