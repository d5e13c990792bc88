// The point test of an instance.
#include "world/InstancePoint.h"

#include "data/Resources.h"
#include "data/Sprite.h"
#include "world/Instance.h"

#include <cmath>
#include <numbers>

namespace {

// The mask of the image drawn: with one mask per image, the image number
// wraps around the count (negative numbers too).
const TMask* MaskOfImage(const CSprite& sprite, double imageIndex)
{
    if (sprite.i_mask.empty())
        return nullptr;
    if (!sprite.i_sepmasks || sprite.i_mask.size() == 1)
        return &sprite.i_mask[0];
    double count = static_cast<double>(sprite.i_mask.size());
    double image = std::fmod(std::floor(imageIndex), count);
    if (!std::isfinite(image))
        image = 0;
    if (image < 0)
        image += count;
    return &sprite.i_mask[static_cast<size_t>(image)];
}

} // namespace

bool Instance_ContainsPoint(const CInstance& instance, double x, double y, bool precise)
{
    if (instance.i_marked)
        return false;
    const RBox& box = instance.i_bbox;
    if (!(box.left <= x && x < box.right + 1.0 && box.top <= y && y < box.bottom + 1.0))
        return false;
    if (!precise)
        return true;
    const CSprite* sprite =
        Sprites.Get(instance.i_maskindex >= 0 ? instance.i_maskindex : instance.i_spriteindex);
    if (!sprite || sprite->Count() == 0)
        return false;
    const TMask* mask = MaskOfImage(*sprite, instance.i_imageindex);
    const double sx = instance.i_imagescalex, sy = instance.i_imagescaley;
    if (!mask || sx == 0 || sy == 0)
        return false;
    // The room pixel back into the mask: the inverse of how the instance places its sprite.
    // Whole pixels, halves to even (the default rounding mode).
    double dx = std::nearbyint(x) - std::nearbyint(instance.i_x);
    double dy = std::nearbyint(y) - std::nearbyint(instance.i_y);
    double radians = -instance.i_imageangle * std::numbers::pi / 180.0;
    // Quarter turns must map pixels exactly: cos(90°) computes as 6e-17, which
    // would move a pixel on a mask edge to the next row.
    double c = std::cos(radians), s = std::sin(radians);
    if (std::abs(c) < 1e-12)
        c = 0;
    if (std::abs(s) < 1e-12)
        s = 0;
    double column = std::floor(sprite->i_xorig + (dx * c + dy * s) / sx);
    double row = std::floor(sprite->i_yorig + (dy * c - dx * s) / sy);
    if (!(column >= 0 && column < mask->i_w && row >= 0 && row < mask->i_h))
        return false;
    return mask->IsSet(static_cast<int>(column), static_cast<int>(row));
}
