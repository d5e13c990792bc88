// Point tests against instance boxes and masks.
#include "motion/Collision.h"

#include "code/Value.h"
#include "data/Mask.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "world/Instance.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The mask of the image the instance shows, or nullptr without one.
const TMask* CurrentMask(const CInstance& instance, const CSprite*& sprite)
{
    sprite = Sprites.Get(instance.i_maskindex >= 0 ? instance.i_maskindex : instance.i_spriteindex);
    if (!sprite || sprite->Count() == 0 || sprite->i_mask.empty())
        return nullptr;
    if (!sprite->i_sepmasks || sprite->i_mask.size() == 1)
        return &sprite->i_mask[0];
    // floor(index) modulo the image count, never negative; taken in reals,
    // since a script can set an index no integer holds.
    double count = static_cast<double>(sprite->i_mask.size());
    double image = std::fmod(std::floor(instance.i_imageindex), count);
    if (!std::isfinite(image))
        image = 0;
    if (image < 0)
        image += count;
    return &sprite->i_mask[static_cast<size_t>(image)];
}

} // namespace

bool Collision_Point(const CInstance& instance, double x, double y, bool precise)
{
    if (instance.i_marked)
        return false;
    const RBox& box = instance.i_bbox;
    if (!(box.left <= x && x < box.right + 1 && box.top <= y && y < box.bottom + 1))
        return false;
    if (!precise)
        return true;
    const CSprite* sprite = nullptr;
    const TMask* mask = CurrentMask(instance, sprite);
    if (!mask)
        return false;
    double px = static_cast<double>(RoundToInteger(x));
    double py = static_cast<double>(RoundToInteger(y));
    double dx = px - static_cast<double>(RoundToInteger(instance.i_x));
    double dy = py - static_cast<double>(RoundToInteger(instance.i_y));
    double angle = -instance.i_imageangle * kPi / 180.0;
    // Quarter turns must map pixels exactly: cos(90°) computes as 6e-17, which
    // would move a pixel on a mask edge to the next row.
    double c = std::cos(angle), s = std::sin(angle);
    if (std::abs(c) < 1e-12)
        c = 0;
    if (std::abs(s) < 1e-12)
        s = 0;
    double column = std::floor(sprite->i_xorig + (dx * c + dy * s) / instance.i_imagescalex);
    double row = std::floor(sprite->i_yorig + (dy * c - dx * s) / instance.i_imagescaley);
    if (!(column >= 0 && row >= 0 && column < mask->i_w && row < mask->i_h))
        return false;
    return mask->IsSet(static_cast<int>(column), static_cast<int>(row));
}
