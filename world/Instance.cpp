// Instance creation, copying and the setters that keep derived values right.
#include "world/Instance.h"

#include "code/Value.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Sprite.h"

#include <cmath>

uint64_t InstanceLayoutChanges = 0;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSnap = 0.0001;

// Values within a ten-thousandth of an integer become that integer, so that
// motion along the axes stays exact.
double Snap(double value)
{
    double nearest = std::round(value);
    return std::fabs(value - nearest) < kSnap ? nearest : value;
}

double ReduceDegrees(double value)
{
    return value - 360.0 * std::floor(value / 360.0);
}

double Round(double value)
{
    return static_cast<double>(RoundToInteger(value));
}

} // namespace

void CInstance::Create(double x, double y, int32_t id, int32_t objectindex)
{
    *this = CInstance();
    SetObject(objectindex);
    i_x = x;
    i_y = y;
    i_xstart = i_xprevious = x;
    i_ystart = i_yprevious = y;
    i_id = id;
    ComputeBoundingBox();
}

void CInstance::Assign(const CInstance& other)
{
    if (this == &other)
        return;
    double pathx = i_pathxstart;
    double pathy = i_pathystart;
    *this = other;
    i_pathxstart = pathx;
    i_pathystart = pathy;
}

void CInstance::SetObject(int32_t objectindex)
{
    i_objectindex = objectindex;
    i_object = Objects.Get(objectindex);
    if (!i_object)
        return;
    SetSprite(i_object->o_spriteindex);
    i_maskindex = i_object->o_mask;
    i_depth = i_object->o_depth;
    i_solid = i_object->o_solid;
    i_visible = i_object->o_visible;
    i_persistent = i_object->o_persistent;
    ComputeBoundingBox();
}

void CInstance::SetSprite(int32_t spriteindex)
{
    i_spriteindex = spriteindex;
    const CSprite* sprite = Sprites.Get(spriteindex);
    int count = sprite ? sprite->Count() : 0;
    if (std::floor(i_imageindex) >= count)
        i_imageindex = 0;
    ComputeBoundingBox();
}

void CInstance::SetMask(int32_t maskindex)
{
    i_maskindex = maskindex;
    ComputeBoundingBox();
}

void CInstance::SetImageScaleX(double value)
{
    if (value == i_imagescalex)
        return;
    i_imagescalex = value;
    ComputeBoundingBox();
}

void CInstance::SetImageScaleY(double value)
{
    if (value == i_imagescaley)
        return;
    i_imagescaley = value;
    ComputeBoundingBox();
}

void CInstance::SetImageAngle(double value)
{
    if (value == i_imageangle)
        return;
    i_imageangle = value;
    ComputeBoundingBox();
}

void CInstance::SetPosition(double x, double y)
{
    if (x == i_x && y == i_y)
        return;
    i_x = x;
    i_y = y;
    ComputeBoundingBox();
}

void CInstance::SetDirection(double value)
{
    if (value == i_direction)
        return;
    i_direction = ReduceDegrees(value);
    DeriveComponents();
}

void CInstance::SetSpeed(double value)
{
    if (value == i_speed)
        return;
    i_speed = value;
    DeriveComponents();
}

void CInstance::SetHspeed(double value)
{
    if (value == i_hspeed)
        return;
    i_hspeed = value;
    DeriveDirectionAndSpeed();
}

void CInstance::SetVspeed(double value)
{
    if (value == i_vspeed)
        return;
    i_vspeed = value;
    DeriveDirectionAndSpeed();
}

void CInstance::AddTo_Speed(double direction, double amount)
{
    double radians = direction * kPi / 180.0;
    i_hspeed += std::cos(radians) * amount;
    i_vspeed -= std::sin(radians) * amount;
    DeriveDirectionAndSpeed();
}

void CInstance::Adapt_Speed()
{
    if (i_friction != 0) {
        double next = i_speed > 0 ? i_speed - i_friction : i_speed + i_friction;
        if ((i_speed > 0 && next < 0) || (i_speed < 0 && next > 0))
            SetSpeed(0);
        else if (i_speed != 0)
            SetSpeed(next);
    }
    if (i_gravity != 0)
        AddTo_Speed(i_gravitydir, i_gravity);
}

void CInstance::DeriveComponents()
{
    double radians = i_direction * kPi / 180.0;
    i_hspeed = Snap(std::cos(radians) * i_speed);
    i_vspeed = Snap(-std::sin(radians) * i_speed);
}

void CInstance::DeriveDirectionAndSpeed()
{
    double direction;
    if (i_hspeed == 0) {
        direction = i_vspeed > 0 ? 270 : i_vspeed < 0 ? 90 : 0;
    } else {
        double a = std::atan2(i_vspeed, i_hspeed) * 180.0 / kPi;
        direction = a > 0 ? 360 - a : -a;
    }
    i_direction = ReduceDegrees(Snap(direction));
    i_speed = Snap(std::sqrt(i_hspeed * i_hspeed + i_vspeed * i_vspeed));
}

void CInstance::ComputeBoundingBox()
{
    ++InstanceLayoutChanges;
    const CSprite* mask = Sprites.Get(i_maskindex >= 0 ? i_maskindex : i_spriteindex);
    if (!mask) {
        i_bbox = RBox{kNoBox, kNoBox, kNoBox, kNoBox};
        return;
    }
    const RBox& b = mask->i_bbox;
    const double xo = mask->i_xorig, yo = mask->i_yorig;
    const double sx = i_imagescalex, sy = i_imagescaley;
    if (i_imageangle == 0) {
        double left = Round((b.left - xo) * sx + i_x);
        double right = Round((b.right - xo + 1) * sx + i_x - 1);
        if (right < left)
            std::swap(left, right);
        double top = Round((b.top - yo) * sy + i_y);
        double bottom = Round(i_y + sy * (b.bottom - yo + 1) - 1);
        if (bottom < top)
            std::swap(top, bottom);
        i_bbox = RBox{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                      static_cast<int32_t>(bottom)};
        return;
    }
    double x1 = (std::min(b.left, b.right) - xo) * sx;
    double x2 = (std::max(b.left, b.right) - xo + 1) * sx - 1;
    double y1 = sy * (std::min(b.top, b.bottom) - yo);
    double y2 = sy * (std::max(b.top, b.bottom) - yo + 1) - 1;
    double radians = i_imageangle * kPi / 180.0;
    double c = std::cos(radians), s = std::sin(radians);
    double left = i_x + std::min(c * x1, c * x2) + std::min(s * y1, s * y2);
    double right = i_x + std::max(c * x1, c * x2) + std::max(s * y1, s * y2);
    double top = i_y + std::min(c * y1, c * y2) - std::max(s * x1, s * x2);
    double bottom = i_y + std::max(c * y1, c * y2) - std::min(s * x1, s * x2);
    i_bbox = RBox{static_cast<int32_t>(RoundToInteger(left)), static_cast<int32_t>(RoundToInteger(top)),
                  static_cast<int32_t>(RoundToInteger(right)), static_cast<int32_t>(RoundToInteger(bottom))};
}
