// Placing masks in the room and the pixel tests over them.
#include "motion/PlacedMask.h"

#include "code/Value.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "world/Instance.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

const CSprite* MaskSprite(const CInstance& instance)
{
    const CSprite* sprite = Sprites.Get(instance.i_maskindex >= 0 ? instance.i_maskindex : instance.i_spriteindex);
    if (!sprite || sprite->Count() == 0 || sprite->i_mask.empty())
        return nullptr;
    return sprite;
}

// The mask of the image the instance shows.
const TMask& CurrentMask(const CSprite& sprite, double imageindex)
{
    if (!sprite.i_sepmasks || sprite.i_mask.size() == 1)
        return sprite.i_mask[0];
    // floor(index) modulo the image count, never negative; taken in reals,
    // since a script can set an index no integer holds.
    double count = static_cast<double>(sprite.i_mask.size());
    double image = std::fmod(std::floor(imageindex), count);
    if (!std::isfinite(image))
        image = 0;
    if (image < 0)
        image += count;
    return sprite.i_mask[static_cast<size_t>(image)];
}

RRegion Intersect(const RRegion& a, const RRegion& b)
{
    return RRegion{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                   std::min(a.bottom, b.bottom)};
}

} // namespace

bool HasCollisionMask(const CInstance& instance)
{
    return MaskSprite(instance) != nullptr;
}

bool TPlacedMask::PlaceFor(const CInstance& instance)
{
    const CSprite* sprite = MaskSprite(instance);
    if (!sprite)
        return false;
    p_mask = &CurrentMask(*sprite, instance.i_imageindex);
    p_x = static_cast<double>(RoundToInteger(instance.i_x));
    p_y = static_cast<double>(RoundToInteger(instance.i_y));
    p_xorig = sprite->i_xorig;
    p_yorig = sprite->i_yorig;
    p_xscale = instance.i_imagescalex;
    p_yscale = instance.i_imagescaley;
    p_plain = instance.i_imageangle == 0 && p_xscale == 1 && p_yscale == 1;
    if (instance.i_imageangle == 0) {
        p_cos = 1; // the common case, without the trigonometry
        p_sin = 0;
        return true;
    }
    double angle = -instance.i_imageangle * kPi / 180.0;
    p_cos = std::cos(angle);
    p_sin = std::sin(angle);
    // Quarter turns must map pixels exactly: cos(90°) computes as 6e-17, which
    // would move a pixel on a mask edge to the next row.
    if (std::abs(p_cos) < 1e-12)
        p_cos = 0;
    if (std::abs(p_sin) < 1e-12)
        p_sin = 0;
    return true;
}

bool TPlacedMask::IsSetAt(double px, double py) const
{
    double dx = px - p_x, dy = py - p_y;
    double column, row;
    if (p_plain) {
        column = std::floor(dx + p_xorig);
        row = std::floor(dy + p_yorig);
    } else {
        column = std::floor(p_xorig + (dx * p_cos + dy * p_sin) / p_xscale);
        row = std::floor(p_yorig + (dy * p_cos - dx * p_sin) / p_yscale);
    }
    // Written so that NaN (a zero scale) fails too.
    if (!(column >= 0 && row >= 0 && column < p_mask->i_w && row < p_mask->i_h))
        return false;
    return p_mask->i_mask[static_cast<size_t>(row) * static_cast<size_t>(p_mask->i_w) + static_cast<size_t>(column)] != 0;
}

bool TPlacedMask::CollisionRectangle(const RRegion& box, const RRegion& rr) const
{
    RRegion r = Intersect(box, rr);
    for (int64_t y = r.top; y <= r.bottom; ++y)
        for (int64_t x = r.left; x <= r.right; ++x)
            if (IsSetAt(static_cast<double>(x), static_cast<double>(y)))
                return true;
    return false;
}

bool TPlacedMask::CollisionEllipse(const RRegion& box, const RRegion& rr) const
{
    RRegion r = Intersect(box, rr);
    double cx = (static_cast<double>(rr.left) + static_cast<double>(rr.right)) / 2;
    double cy = (static_cast<double>(rr.top) + static_cast<double>(rr.bottom)) / 2;
    double rx = (static_cast<double>(rr.right) - static_cast<double>(rr.left)) / 2;
    double ry = (static_cast<double>(rr.bottom) - static_cast<double>(rr.top)) / 2;
    for (int64_t y = r.top; y <= r.bottom; ++y) {
        double ey = (static_cast<double>(y) - cy) / ry;
        for (int64_t x = r.left; x <= r.right; ++x) {
            double ex = (static_cast<double>(x) - cx) / rx;
            if (ex * ex + ey * ey <= 1 && IsSetAt(static_cast<double>(x), static_cast<double>(y)))
                return true;
        }
    }
    return false;
}

bool TPlacedMask::CollisionLine(const RRegion& box, int64_t xl, int64_t yl, int64_t xr, int64_t yr) const
{
    if (xl == xr || yl == yr)
        return CollisionRectangle(box, RRegion{xl, std::min(yl, yr), xr, std::max(yl, yr)});
    if (std::abs(xr - xl) < std::abs(yr - yl)) {
        // Steep: one point per whole row, x between pixels.
        int64_t x0 = yl < yr ? xl : xr, y0 = std::min(yl, yr);
        int64_t x1 = yl < yr ? xr : xl, y1 = std::max(yl, yr);
        // Multiplied before dividing: whole-number products are exact, so a
        // point that lies on a pixel edge is not pushed across it.
        double run = static_cast<double>(x1 - x0), rise = static_cast<double>(y1 - y0);
        for (int64_t y = std::max(box.top, y0); y <= std::min(box.bottom, y1); ++y)
            if (IsSetAt(static_cast<double>(x0) + static_cast<double>(y - y0) * run / rise, static_cast<double>(y)))
                return true;
        return false;
    }
    double run = static_cast<double>(xr - xl), rise = static_cast<double>(yr - yl);
    for (int64_t x = std::max(box.left, xl); x <= std::min(box.right, xr); ++x)
        if (IsSetAt(static_cast<double>(x), static_cast<double>(yl) + static_cast<double>(x - xl) * rise / run))
            return true;
    return false;
}

bool TPlacedMask::CollisionMask(const TPlacedMask& a, const RRegion& boxa, const TPlacedMask& b, const RRegion& boxb)
{
    RRegion r = Intersect(boxa, boxb);
    for (int64_t y = r.top; y <= r.bottom; ++y)
        for (int64_t x = r.left; x <= r.right; ++x) {
            double px = static_cast<double>(x), py = static_cast<double>(y);
            if (a.IsSetAt(px, py) && b.IsSetAt(px, py))
                return true;
        }
    return false;
}
