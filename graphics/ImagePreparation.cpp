// Picture preparation.
#include "graphics/ImagePreparation.h"

#include "code/Value.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

uint8_t* At(TBitmap32& bitmap, int32_t x, int32_t y)
{
    return bitmap.Row(y) + static_cast<size_t>(x) * 4;
}

const uint8_t* At(const TBitmap32& bitmap, int32_t x, int32_t y)
{
    return bitmap.Row(y) + static_cast<size_t>(x) * 4;
}

constexpr int kAlpha = 3;

} // namespace

void Image_ApplyAlphaTest(TBitmap32& bitmap)
{
    size_t count = static_cast<size_t>(bitmap.Width()) * static_cast<size_t>(bitmap.Height());
    uint8_t* p = bitmap.Pixels();
    for (size_t k = 0; k < count; ++k)
        if (p[k * 4 + kAlpha] != 0)
            return;
    Image_MakeOpaque(bitmap);
}

void Image_MakeColorTransparent(TBitmap32& bitmap, uint32_t argb, int32_t tolerance)
{
    const int key[3] = {int(argb & 0xFF), int((argb >> 8) & 0xFF), int((argb >> 16) & 0xFF)}; // blue, green, red
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x) {
            uint8_t* p = At(bitmap, x, y);
            if (std::abs(p[0] - key[0]) <= tolerance && std::abs(p[1] - key[1]) <= tolerance &&
                std::abs(p[2] - key[2]) <= tolerance) {
                p[0] = static_cast<uint8_t>(key[0]);
                p[1] = static_cast<uint8_t>(key[1]);
                p[2] = static_cast<uint8_t>(key[2]);
                p[kAlpha] = 0;
            }
        }
}

void Image_RemoveBackground(TBitmap32& bitmap, int32_t tolerance)
{
    if (bitmap.IsEmpty())
        return;
    Image_MakeColorTransparent(bitmap, bitmap.PixelAt(0, bitmap.Height() - 1), tolerance);
}

void Image_SmoothEdges(TBitmap32& bitmap)
{
    const int32_t w = bitmap.Width(), h = bitmap.Height();
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (At(bitmap, x, y)[kAlpha] != 0)
                continue;
            for (int32_t ny = std::max(y - 1, 0); ny <= std::min(y + 1, h - 1); ++ny)
                for (int32_t nx = std::max(x - 1, 0); nx <= std::min(x + 1, w - 1); ++nx) {
                    uint8_t& alpha = At(bitmap, nx, ny)[kAlpha];
                    if (alpha >= 32)
                        alpha = static_cast<uint8_t>(alpha - 32);
                }
        }
}

void Image_BleedColors(TBitmap32& bitmap)
{
    const int32_t w = bitmap.Width(), h = bitmap.Height();
    const int32_t dx[4] = {-1, 1, 0, 0};
    const int32_t dy[4] = {0, 0, -1, 1};
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = At(bitmap, x, y);
            if (p[kAlpha] != 0)
                continue;
            for (int k = 0; k < 4; ++k) {
                int32_t nx = x + dx[k], ny = y + dy[k];
                if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                    continue;
                const uint8_t* n = At(bitmap, nx, ny);
                if (n[kAlpha] != 0) {
                    p[0] = n[0];
                    p[1] = n[1];
                    p[2] = n[2];
                    break;
                }
            }
        }
}

void Image_MakeOpaque(TBitmap32& bitmap)
{
    size_t count = static_cast<size_t>(bitmap.Width()) * static_cast<size_t>(bitmap.Height());
    uint8_t* p = bitmap.Pixels();
    for (size_t k = 0; k < count; ++k)
        p[k * 4 + kAlpha] = 255;
}

void Image_AlphaFromIntensity(TBitmap32& bitmap, const TBitmap32& source)
{
    const int32_t w = std::min(bitmap.Width(), source.Width());
    const int32_t h = std::min(bitmap.Height(), source.Height());
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* s = At(source, x, y);
            At(bitmap, x, y)[kAlpha] = static_cast<uint8_t>((s[0] + s[1] + s[2]) / 3);
        }
}

void Image_Stretch(TBitmap32& bitmap, int32_t neww, int32_t newh, int32_t quality)
{
    const int32_t oldw = bitmap.Width(), oldh = bitmap.Height();
    if (neww <= 0 || newh <= 0 || bitmap.IsEmpty() || (neww == oldw && newh == oldh))
        return;
    // Past a few samples per pixel nothing changes but the time taken.
    quality = std::clamp(quality, 1, 16);
    const double fx = static_cast<double>(neww) / oldw, fy = static_cast<double>(newh) / oldh;
    const double samples = static_cast<double>(quality) * quality;
    TBitmap32 out(neww, newh);
    for (int32_t i = 0; i < newh; ++i)
        for (int32_t j = 0; j < neww; ++j) {
            double sum[4] = {0, 0, 0, 0};
            for (int32_t sy = 0; sy < quality; ++sy)
                for (int32_t sx = 0; sx < quality; ++sx) {
                    int32_t px = std::min(static_cast<int32_t>(std::floor((double(sx) / quality + j) / fx)), oldw - 1);
                    int32_t py = std::min(static_cast<int32_t>(std::floor((double(sy) / quality + i) / fy)), oldh - 1);
                    const uint8_t* s = At(bitmap, px, py);
                    if (s[kAlpha] == 0)
                        continue;
                    for (int c = 0; c < 4; ++c)
                        sum[c] += s[c];
                }
            uint8_t* d = At(out, j, i);
            for (int c = 0; c < 4; ++c)
                d[c] = static_cast<uint8_t>(RoundToInteger(sum[c] / samples));
        }
    bitmap = std::move(out);
}

RImageBounds Image_BoundingBox(const TBitmap32& bitmap, int32_t tolerance)
{
    RImageBounds box{bitmap.Width() - 1, bitmap.Height() - 1, 0, 0};
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            if (At(bitmap, x, y)[kAlpha] > tolerance) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

void Image_Prepare(TBitmap32& bitmap, bool removeBackground, bool smooth)
{
    if (removeBackground)
        Image_RemoveBackground(bitmap, 0);
    if (smooth)
        Image_SmoothEdges(bitmap);
    if (removeBackground)
        Image_BleedColors(bitmap);
}
