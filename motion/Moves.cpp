// The moves.
#include "motion/Moves.h"

#include "code/Value.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "library/Random.h"
#include "world/Instance.h"
#include "world/Rooms.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kRandomTries = 100;
constexpr int64_t kDefaultDistance = 1000;
constexpr int kBounceTries = 35;

double Round(double value)
{
    return static_cast<double>(RoundToInteger(value));
}

// One pixel in a direction: (cos d, -sin d). Quarter turns are exact, so a
// long vertical move leaves x exactly where it was.
void UnitStep(double direction, double& dx, double& dy)
{
    double a = direction * kPi / 180.0;
    dx = std::cos(a);
    dy = -std::sin(a);
    if (std::fabs(dx) < 1e-12)
        dx = 0;
    if (std::fabs(dy) < 1e-12)
        dy = 0;
}

int64_t MoveLimit(double maxdist)
{
    return maxdist <= 0 ? kDefaultDistance : RoundToInteger(maxdist);
}

bool IsFreeHere(CInstance& instance, EAgainst against)
{
    return Place_IsFree(instance, instance.i_x, instance.i_y, against);
}

// A uniform whole number in [low, high]; low when the range is empty (an
// instance wider than the room has no place that keeps it inside).
double RandomBetween(double low, double high, double snap)
{
    double value = low;
    if (high > low) {
        double span = std::min(high - low + 1, 4294967295.0);
        value = low + Random_Below(static_cast<uint32_t>(span));
    }
    if (snap > 0)
        value = std::floor(value / snap) * snap;
    return value;
}

bool NearMultiple(double value, double snap)
{
    return std::fabs(value - snap * std::round(value / snap)) <= 0.001;
}

} // namespace

bool Move_IsSnapped(const CInstance& instance, double hsnap, double vsnap)
{
    return (hsnap <= 0 || NearMultiple(instance.i_x, hsnap)) && (vsnap <= 0 || NearMultiple(instance.i_y, vsnap));
}

void Move_Snap(CInstance& instance, double hsnap, double vsnap)
{
    double x = instance.i_x, y = instance.i_y;
    if (hsnap > 0)
        x = hsnap * Round(x / hsnap);
    if (vsnap > 0)
        y = vsnap * Round(y / vsnap);
    instance.SetPosition(x, y);
}

void Move_Random(CInstance& instance, double hsnap, double vsnap)
{
    CLiveRoom* room = CurrentRoom;
    if (!room)
        return;
    double width = room->r_width, height = room->r_height;
    double xlow = 0, xhigh = width - 1, ylow = 0, yhigh = height - 1;
    if (Sprites.Exists(instance.i_spriteindex) || Sprites.Exists(instance.i_maskindex)) {
        const RBox& b = instance.i_bbox;
        xlow = Round(instance.i_x - b.left);
        xhigh = Round(instance.i_x + width - b.right) - 1;
        ylow = Round(instance.i_y - b.top);
        yhigh = Round(instance.i_y + height - b.bottom) - 1;
    }
    for (int k = 0; k < kRandomTries; ++k) {
        double x = RandomBetween(xlow, xhigh, hsnap);
        double y = RandomBetween(ylow, yhigh, vsnap);
        if (Place_IsFree(instance, x, y, EAgainst::Solid)) {
            instance.SetPosition(x, y);
            return;
        }
    }
}

void Move_Wrap(CInstance& instance, bool horizontal, bool vertical, double margin)
{
    CLiveRoom* room = CurrentRoom;
    if (!room)
        return;
    double x = instance.i_x, y = instance.i_y;
    if (horizontal) {
        if (x < -margin)
            x += room->r_width + 2 * margin;
        if (x > room->r_width + margin)
            x -= room->r_width + 2 * margin;
    }
    if (vertical) {
        if (y < -margin)
            y += room->r_height + 2 * margin;
        if (y > room->r_height + margin)
            y -= room->r_height + 2 * margin;
    }
    instance.SetPosition(x, y);
}

void Move_WrapBySprite(CInstance& instance, int32_t direction)
{
    CLiveRoom* room = CurrentRoom;
    if (!room)
        return;
    const CSprite* sprite = Sprites.Get(instance.i_spriteindex);
    double w = sprite ? sprite->Width() * instance.i_imagescalex : 0;
    double h = sprite ? sprite->Height() * instance.i_imagescaley : 0;
    double x = instance.i_x, y = instance.i_y;
    if (direction == 0 || direction == 2) {
        if (instance.i_hspeed < 0 && x < 0)
            x += room->r_width + w;
        else if (instance.i_hspeed > 0 && x >= room->r_width)
            x -= room->r_width + w;
    }
    if (direction == 1 || direction == 2) {
        if (instance.i_vspeed < 0 && y < 0)
            y += room->r_height + h;
        else if (instance.i_vspeed > 0 && y >= room->r_height)
            y -= room->r_height + h;
    }
    instance.SetPosition(x, y);
}

void Move_Contact(CInstance& instance, double direction, double maxdist, EAgainst against)
{
    if (!IsFreeHere(instance, against))
        return;
    double dx, dy;
    UnitStep(direction, dx, dy);
    int64_t limit = MoveLimit(maxdist);
    for (int64_t n = 0; n < limit; ++n) {
        double x = instance.i_x + dx, y = instance.i_y + dy;
        if (!Place_IsFree(instance, x, y, against))
            return;
        instance.SetPosition(x, y);
    }
}

bool Move_Outside(CInstance& instance, double direction, double maxdist, EAgainst against)
{
    double dx, dy;
    UnitStep(direction, dx, dy);
    int64_t limit = MoveLimit(maxdist);
    for (int64_t n = 0; n < limit && !IsFreeHere(instance, against); ++n)
        instance.SetPosition(instance.i_x + dx, instance.i_y + dy);
    return IsFreeHere(instance, against);
}

void Move_Bounce(CInstance& instance, bool precise, EAgainst against)
{
    bool hit = false;
    if (!IsFreeHere(instance, against)) {
        instance.SetPosition(instance.i_xprevious, instance.i_yprevious);
        hit = true;
    }
    double x = instance.i_x, y = instance.i_y;
    if (!precise) {
        double hs = instance.i_hspeed, vs = instance.i_vspeed;
        bool h = Place_IsFree(instance, x + hs, y, against);
        bool v = Place_IsFree(instance, x, y + vs, against);
        bool d = Place_IsFree(instance, x + hs, y + vs, against);
        if ((!h && !v) || (h && v && !d)) {
            instance.SetHspeed(-hs);
            instance.SetVspeed(-vs);
        } else if (!h) {
            instance.SetHspeed(-hs);
        } else if (!v) {
            instance.SetVspeed(-vs);
        }
        return;
    }
    // Turn away from the motion on both sides until a direction is free; the
    // new direction mirrors the motion about the middle of the two.
    double speed = instance.i_speed;
    double m = 10 * Round(instance.i_direction / 10);
    auto freeTowards = [&](double angle) {
        double dx, dy;
        UnitStep(angle, dx, dy);
        return Place_IsFree(instance, x + dx * speed, y + dy * speed, against);
    };
    double a1 = m, a2 = m;
    for (int k = 0; k < kBounceTries; ++k) {
        a1 -= 10;
        if (freeTowards(a1))
            break;
        hit = true;
    }
    for (int k = 0; k < kBounceTries; ++k) {
        a2 += 10;
        if (freeTowards(a2))
            break;
        hit = true;
    }
    if (hit)
        instance.SetDirection(a1 + a2 + 180 - m);
}
