// CPath: a path resource as stored (way points, connection kind, closed
// flag, precision) and the interpolated points and length derived from it,
// which every position lookup on the path uses.
#pragma once

#include <cstdint>
#include <vector>

class CStream;

struct RWayPoint {
    double x = 0;
    double y = 0;
    double speed = 100; // percent of the path speed
    bool operator==(const RWayPoint&) const = default;
};

struct RIntPoint {
    double x = 0;
    double y = 0;
    double speed = 100;
    double l = 0; // distance along the path from the first interpolated point
    bool operator==(const RIntPoint&) const = default;
};

class CPath {
public:
    static constexpr int32_t kVersion = 530;

    std::vector<RWayPoint> i_points;
    int32_t i_kind = 0; // 0 straight lines, 1 smooth curve
    bool i_closed = true;
    int32_t i_precision = 4; // smoothing depth 0..8

    // Derived by Rebuild.
    std::vector<RIntPoint> i_intpoints;
    double i_length = 0;

    int Count() const { return static_cast<int>(i_points.size()); }

    void Clear() { *this = CPath(); }
    // Recomputes the interpolated points and the length from the points.
    void Rebuild();

    // Changes made while a game runs; each rebuilds. Kinds other than 0 and
    // 1 become 0; the precision is kept within 0..8. Point indices outside
    // the points (for InsertPoint: outside 0..count) change nothing.
    void SetKind(int32_t kind);
    void SetClosed(bool closed);
    void SetPrecision(int32_t precision);
    int AddPoint(double x, double y, double speed);
    void InsertPoint(int64_t index, double x, double y, double speed);
    void ChangePoint(int64_t index, double x, double y, double speed);
    void DeletePoint(int64_t index);
    void ClearPoints();
    // The transforms work around the centre of the points' bounding box;
    // angles in degrees, counter-clockwise on the screen.
    void Center(double& x, double& y) const;
    void Reverse();
    void Mirror();
    void Flip();
    void Rotate(double angle);
    void Scale(double xscale, double yscale);
    void Shift(double x, double y);
    // Appends the points of other (which may be this path itself).
    void Append(const CPath& other);

    // The point at relative position ind along the path by arc length, 0 the
    // start and 1 the end (clamped), with the speed factor there. Without
    // interpolated points: (0, 0) at speed 100.
    RIntPoint GetPosition(double ind) const;
    double XPosition(double ind) const { return GetPosition(ind).x; }
    double YPosition(double ind) const { return GetPosition(ind).y; }
    double Speed(double ind) const { return GetPosition(ind).speed; }

    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CPath&) const = default;
};
