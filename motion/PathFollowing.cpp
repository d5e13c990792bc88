// Path following.
#include "motion/PathFollowing.h"

#include "data/Path.h"
#include "data/Resources.h"
#include "world/Instance.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Where a path offset (from the path's start) lies relative to the path
// origin, turned by the orientation and scaled.
void Transform(double px, double py, double orientation, double scale, double& ox, double& oy)
{
    double a = orientation * kPi / 180.0;
    double c = std::cos(a), s = std::sin(a);
    ox = (c * px + s * py) * scale;
    oy = (c * py - s * px) * scale;
}

const CPath* FollowedPath(const CInstance& instance)
{
    if (instance.i_pathindex < 0)
        return nullptr;
    const CPath* path = Paths.Get(instance.i_pathindex);
    return path && path->i_length > 0 ? path : nullptr;
}

} // namespace

void Assign_Path(CInstance& instance, int32_t ind, double speed, double scale, double orientation, bool relative,
                 int32_t endaction)
{
    instance.i_pathindex = ind;
    if (ind < 0)
        return;
    const CPath* path = Paths.Get(ind);
    if (!path || !(path->i_length > 0)) {
        instance.i_pathindex = -1;
        return;
    }
    instance.i_pathspeed = speed;
    double start = speed < 0 ? 1 : 0;
    instance.i_pathposition = instance.i_pathpositionprevious = start;
    instance.i_pathscale = scale;
    if (scale < 0) {
        instance.i_pathindex = -1;
        return;
    }
    instance.i_pathorientation = orientation;
    instance.i_pathend = endaction;
    RIntPoint first = path->GetPosition(0);
    RIntPoint at = path->GetPosition(start);
    if (!relative)
        instance.SetPosition(at.x, at.y);
    // The origin is where the path's first point lies in the room. A path run
    // backwards starts at its last point, which for an open path is not the
    // first one: the origin lies that far back, so the path is traced where it
    // belongs (absolute) or from where the instance stands (relative).
    double ox, oy;
    Transform(at.x - first.x, at.y - first.y, orientation, scale, ox, oy);
    instance.i_pathxstart = instance.i_x - ox;
    instance.i_pathystart = instance.i_y - oy;
}

bool Adapt_Path(CInstance& instance)
{
    const CPath* path = FollowedPath(instance);
    if (!path || instance.i_pathspeed == 0)
        return false;
    double scale = instance.i_pathscale;
    double factor = path->Speed(instance.i_pathposition) / (100.0 * scale);
    double position = instance.i_pathposition + instance.i_pathspeed * factor / path->i_length;
    bool ended = false;
    if (position >= 1 || position <= 0) {
        ended = true;
        // Running backwards, landing exactly on 0 is reaching the start, not
        // the end: it must not send the instance to the far end of the path.
        bool atStart = position < 0 || (position == 0 && instance.i_pathspeed < 0);
        switch (instance.i_pathend) {
        case kPathRestart:
            position += atStart ? 1 : -1;
            break;
        case kPathContinue: {
            RIntPoint first = path->GetPosition(0), last = path->GetPosition(1);
            double ex, ey;
            Transform(last.x - first.x, last.y - first.y, instance.i_pathorientation, scale, ex, ey);
            double sign = atStart ? -1 : 1;
            instance.i_pathxstart += sign * ex;
            instance.i_pathystart += sign * ey;
            position -= sign;
            break;
        }
        case kPathReverse:
            if (atStart) {
                position = -position;
                instance.i_pathspeed = std::fabs(instance.i_pathspeed);
            } else {
                position = 2 - position;
                instance.i_pathspeed = -std::fabs(instance.i_pathspeed);
            }
            break;
        default:
            position = 1;
            instance.i_pathindex = -1;
            break;
        }
    }
    instance.i_pathposition = position;
    RIntPoint first = path->GetPosition(0), at = path->GetPosition(position);
    double ox, oy;
    Transform(at.x - first.x, at.y - first.y, instance.i_pathorientation, scale, ox, oy);
    double nx = ox + instance.i_pathxstart, ny = oy + instance.i_pathystart;
    // The motion points along the path, but the step's own move adds nothing.
    instance.SetHspeed(nx - instance.i_x);
    instance.SetVspeed(ny - instance.i_y);
    instance.SetSpeed(0);
    instance.SetPosition(nx, ny);
    return ended;
}
