// The step methods and path builders of motion planning. Freedom is asked of
// the collision checks with the instance put at the candidate place, so
// the same rules hold as for place_free, place_empty and place_meeting.
#include "motion/Planning.h"

#include "data/Path.h"
#include "library/MathFunctions.h"
#include "motion/Places.h"
#include "world/Instance.h"

#include <cmath>

RPotentialSettings PotentialSettings;

namespace {

constexpr double kDegreesToRadians = 3.14159265358979323846 / 180.0;

bool IsFree(CInstance& self, double x, double y, const RObstacles& obstacles)
{
    switch (obstacles.kind) {
    case RObstacles::Solid:
        return Place_IsFree(self, x, y, EAgainst::Solid);
    case RObstacles::All:
        return Place_IsFree(self, x, y, EAgainst::All);
    case RObstacles::Object:
        return Place_FirstMeeting(self, obstacles.other, x, y, obstacles.object) == nullptr;
    }
    return true;
}

// The angle between two directions, the smaller way round: 0..180.
double AngleBetween(double a, double b)
{
    double d = std::fmod(std::fmod(a - b, 360.0) + 360.0, 360.0);
    return d > 180 ? 360 - d : d;
}

void MoveTowards(CInstance& self, double x, double y)
{
    self.SetDirection(Math_PointDirection(self.i_x, self.i_y, x, y));
    self.SetPosition(x, y);
}

// What a path builder changes on the instance and puts back afterwards.
struct RSavedMotion {
    explicit RSavedMotion(CInstance& instance)
        : instance(instance), x(instance.i_x), y(instance.i_y), direction(instance.i_direction),
          hspeed(instance.i_hspeed), vspeed(instance.i_vspeed)
    {
    }
    ~RSavedMotion()
    {
        instance.SetPosition(x, y);
        instance.i_direction = direction;
        instance.i_hspeed = hspeed;
        instance.i_vspeed = vspeed;
    }
    CInstance& instance;
    double x, y, direction, hspeed, vspeed;
};

void StartPath(CPath& path)
{
    path.i_points.clear();
    path.i_kind = 0;
    path.i_closed = false;
}

void AddPoint(CPath& path, double x, double y)
{
    path.i_points.push_back(RWayPoint{x, y, 100});
}

} // namespace

void Plan_SetPotentialSettings(double maxrot, double rotstep, double ahead, bool onspot)
{
    PotentialSettings.maxrot = std::max(maxrot, 1.0);
    PotentialSettings.rotstep = std::max(rotstep, 1.0);
    PotentialSettings.ahead = std::max(ahead, 1.0);
    PotentialSettings.onspot = onspot;
}

bool Plan_LinearStep(CInstance& self, double x, double y, double stepsize, const RObstacles& obstacles)
{
    if (self.i_x == x && self.i_y == y)
        return true;
    const double dx = x - self.i_x, dy = y - self.i_y;
    const double distance = std::sqrt(dx * dx + dy * dy);
    double tx = x, ty = y;
    const bool reaches = distance <= stepsize;
    if (!reaches) {
        tx = self.i_x + dx * stepsize / distance;
        ty = self.i_y + dy * stepsize / distance;
    }
    if (IsFree(self, tx, ty, obstacles))
        MoveTowards(self, tx, ty);
    return reaches;
}

bool Plan_PotentialStep(CInstance& self, double x, double y, double stepsize, const RObstacles& obstacles)
{
    if (self.i_x == x && self.i_y == y)
        return true;
    const double dx = x - self.i_x, dy = y - self.i_y;
    if (std::sqrt(dx * dx + dy * dy) <= stepsize) {
        if (IsFree(self, x, y, obstacles))
            MoveTowards(self, x, y);
        return true;
    }
    const RPotentialSettings& s = PotentialSettings;
    const double towards = Math_PointDirection(self.i_x, self.i_y, x, y);
    for (double e = 0; e < 180; e += s.rotstep) {
        for (double tried : {towards - e, towards + e}) {
            if (AngleBetween(self.i_direction, tried) > s.maxrot)
                continue;
            const double c = std::cos(tried * kDegreesToRadians), n = std::sin(tried * kDegreesToRadians);
            const double far = stepsize * s.ahead;
            if (!IsFree(self, self.i_x + far * c, self.i_y - far * n, obstacles))
                continue;
            const double nx = self.i_x + stepsize * c, ny = self.i_y - stepsize * n;
            if (!IsFree(self, nx, ny, obstacles))
                continue;
            self.SetDirection(tried);
            self.SetPosition(nx, ny);
            return false;
        }
    }
    if (s.onspot)
        self.SetDirection(self.i_direction + s.maxrot);
    return false;
}

bool Plan_LinearPath(CInstance& self, CPath& path, double xg, double yg, double stepsize,
                     const RObstacles& obstacles)
{
    if (!(stepsize > 0))
        return false;
    RSavedMotion saved(self);
    StartPath(path);
    bool found = false;
    while (true) {
        const double x = self.i_x, y = self.i_y;
        AddPoint(path, x, y);
        if (Plan_LinearStep(self, xg, yg, stepsize, obstacles)) {
            found = true;
            break;
        }
        if (self.i_x == x && self.i_y == y)
            break;
    }
    if (found)
        AddPoint(path, xg, yg);
    path.Rebuild();
    return found;
}

bool Plan_PotentialPath(CInstance& self, CPath& path, double xg, double yg, double stepsize, double factor,
                        const RObstacles& obstacles)
{
    if (!(stepsize > 0) || !(factor >= 1))
        return false;
    RSavedMotion saved(self);
    StartPath(path);
    const double startX = self.i_x, startY = self.i_y;
    const double limit = factor * std::hypot(xg - startX, yg - startY);
    AddPoint(path, startX, startY);
    double length = 0;
    // Turning on the spot by at least a degree a round repeats its state
    // within 360 rounds: an instance that stood still that long never moves.
    constexpr int kStillRounds = 360;
    int still = 0;
    bool found = false;
    while (true) {
        const double x = self.i_x, y = self.i_y;
        if (Plan_PotentialStep(self, xg, yg, stepsize, obstacles)) {
            found = true;
            break;
        }
        AddPoint(path, self.i_x, self.i_y);
        length += std::hypot(self.i_x - x, self.i_y - y);
        if (length > limit)
            break;
        still = self.i_x == x && self.i_y == y ? still + 1 : 0;
        if (still > kStillRounds)
            break;
    }
    if (found)
        AddPoint(path, xg, yg);
    path.Rebuild();
    return found;
}
