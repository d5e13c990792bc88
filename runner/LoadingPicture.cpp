// Composing the loading window's picture.
#include "runner/LoadingPicture.h"

#include <algorithm>
#include <cmath>

namespace {

// The runner's own look: a light panel with a thin frame, a white bar in a
// grey frame, and a blue fill.
constexpr uint32_t kPanel = 0xFFECECEC;
constexpr uint32_t kFrame = 0xFF7A7A7A;
constexpr uint32_t kBarInside = 0xFFFFFFFF;
constexpr uint32_t kBarFill = 0xFF2F6FC8;

void FillRect(TBitmap32& target, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t argb)
{
    for (int32_t row = std::max(y, 0); row < std::min(y + h, target.Height()); ++row)
        for (int32_t col = std::max(x, 0); col < std::min(x + w, target.Width()); ++col)
            target.SetPixel(col, row, argb);
}

void FrameRect(TBitmap32& target, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t argb)
{
    FillRect(target, x, y, w, 1, argb);
    FillRect(target, x, y + h - 1, w, 1, argb);
    FillRect(target, x, y, 1, h, argb);
    FillRect(target, x + w - 1, y, 1, h, argb);
}

// Copies source over the rectangle (x, y, w, h) of target, stretched to
// (sw, sh) from the rectangle's corner and cut at its edges; source alpha
// blends over what is there.
void DrawPicture(TBitmap32& target, const TBitmap32& source, int32_t x, int32_t y, int32_t w, int32_t h,
                 int32_t sw, int32_t sh)
{
    if (source.IsEmpty() || sw <= 0 || sh <= 0)
        return;
    for (int32_t row = std::max(y, 0); row < std::min({y + h, y + sh, target.Height()}); ++row) {
        const int32_t sy = static_cast<int32_t>(int64_t(row - y) * source.Height() / sh);
        for (int32_t col = std::max(x, 0); col < std::min({x + w, x + sw, target.Width()}); ++col) {
            const int32_t sx = static_cast<int32_t>(int64_t(col - x) * source.Width() / sw);
            const uint32_t s = source.PixelAt(sx, sy), d = target.PixelAt(col, row);
            const uint32_t a = s >> 24;
            uint32_t out = 0xFF000000;
            for (int shift = 0; shift < 24; shift += 8) {
                uint32_t channel = (((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * (255 - a) + 127) / 255;
                out |= channel << shift;
            }
            target.SetPixel(col, row, out);
        }
    }
}

} // namespace

RLoadingLayout Loading_Layout(const GameSettings& settings)
{
    RLoadingLayout layout;
    if (settings.LoadingImage && !settings.LoadingImage->IsEmpty()) {
        layout.w = settings.LoadingImage->Width();
        layout.h = settings.LoadingImage->Height();
    }
    layout.barY = layout.h - 32;
    layout.barW = std::max(layout.w - 2 * layout.barX, 0);
    return layout;
}

int32_t Loading_FullBarWidth(const RLoadingLayout& layout, int percent)
{
    const int32_t p = std::clamp(percent, 0, 100);
    return static_cast<int32_t>(std::nearbyint(double(p) * layout.barW / 100.0));
}

TBitmap32 Loading_Picture(const GameSettings& settings, int percent)
{
    const RLoadingLayout layout = Loading_Layout(settings);
    TBitmap32 picture(layout.w, layout.h);
    if (settings.LoadingImage && !settings.LoadingImage->IsEmpty()) {
        FillRect(picture, 0, 0, layout.w, layout.h, 0xFF000000);
        DrawPicture(picture, *settings.LoadingImage, 0, 0, layout.w, layout.h, layout.w, layout.h);
    } else {
        FillRect(picture, 0, 0, layout.w, layout.h, kPanel);
        FrameRect(picture, 0, 0, layout.w, layout.h, kFrame);
    }
    if (!settings.ShowProgressBar)
        return picture;

    const int32_t full = Loading_FullBarWidth(layout, percent);
    const TBitmap32* back = settings.BarBackImage.get();
    const TBitmap32* front = settings.BarFrontImage.get();
    if (back && !back->IsEmpty()) {
        DrawPicture(picture, *back, layout.barX, layout.barY, layout.barW, layout.barH, back->Width(), back->Height());
    } else {
        FillRect(picture, layout.barX, layout.barY, layout.barW, layout.barH, kBarInside);
        FrameRect(picture, layout.barX, layout.barY, layout.barW, layout.barH, kFrame);
    }
    if (front && !front->IsEmpty()) {
        // Scaled, the whole image fits the bar's length; otherwise it keeps
        // its size and is cut where the bar ends.
        const int32_t sw = settings.ScaleProgressBar ? full : front->Width();
        const int32_t sh = settings.ScaleProgressBar ? layout.barH : front->Height();
        DrawPicture(picture, *front, layout.barX, layout.barY, full, layout.barH, sw, sh);
    } else if (full > 2) {
        FillRect(picture, layout.barX + 1, layout.barY + 1, full - 2, layout.barH - 2, kBarFill);
    }
    return picture;
}
