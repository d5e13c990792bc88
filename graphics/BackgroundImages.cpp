// Background images from picture files, background files, other pictures,
// a plain colour or a colour gradient.
#include "graphics/ImageFiles.h"
#include "graphics/ImagePreparation.h"
#include "graphics/PictureFiles.h"
#include "graphics/SpriteImages.h"

#include "data/Stream.h"
#include "platform/Files.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int32_t kBackgroundFileVersion = 710;
// Made pictures stay within what a picture file may hold, and within a side
// that keeps the gradients' line drawing bounded.
constexpr int32_t kMaxMadeSide = 16384;

bool MadeSizeAllowed(int32_t w, int32_t h)
{
    return w <= kMaxMadeSide && h <= kMaxMadeSide && uint64_t(std::max(w, 1)) * std::max(h, 1) <= kPictureMaxPixels;
}

// A game colour (0xBBGGRR) as an opaque device colour.
uint32_t Opaque(int32_t color)
{
    const uint32_t c = static_cast<uint32_t>(color);
    return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

// Per channel round((1 - t) × a + t × b), as an opaque device colour.
uint32_t Mix(int32_t a, int32_t b, double t)
{
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        double ca = static_cast<uint32_t>(a) >> shift & 0xFF, cb = static_cast<uint32_t>(b) >> shift & 0xFF;
        double v = std::nearbyint((1 - t) * ca + t * cb);
        out |= static_cast<uint32_t>(std::clamp(v, 0.0, 255.0)) << shift;
    }
    return Opaque(static_cast<int32_t>(out & 0xFFFFFF));
}

double Ratio(int64_t i, int64_t m)
{
    return m == 0 ? 0.0 : static_cast<double>(i) / static_cast<double>(m);
}

class CCanvas {
public:
    explicit CCanvas(TBitmap32& picture) : c_picture(picture) {}

    void Put(int64_t x, int64_t y, uint32_t color)
    {
        if (x >= 0 && y >= 0 && x < c_picture.Width() && y < c_picture.Height())
            c_picture.SetPixel(static_cast<int>(x), static_cast<int>(y), color);
    }
    // A one-pixel line from (x0, y0) up to, not including, (x1, y1).
    void Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t color)
    {
        const int64_t dx = std::llabs(x1 - x0), dy = std::llabs(y1 - y0);
        const int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int64_t err = dx - dy;
        while (x0 != x1 || y0 != y1) {
            Put(x0, y0, color);
            const int64_t e2 = 2 * err;
            if (e2 > -dy) {
                err -= dy;
                x0 += sx;
            }
            if (e2 < dx) {
                err += dx;
                y0 += sy;
            }
        }
    }

private:
    TBitmap32& c_picture;
};

// Whether the centre of pixel (x, y) lies in the ellipse inscribed in the
// box from (l, t) to (r, b), ends excluded.
bool InEllipse(int64_t x, int64_t y, double l, double t, double r, double b)
{
    const double a = (r - l) / 2, c = (b - t) / 2;
    if (a <= 0 || c <= 0)
        return false;
    const double dx = (x + 0.5 - (l + a)) / a, dy = (y + 0.5 - (t + c)) / c;
    return dx * dx + dy * dy <= 1;
}

void DrawGradient(TBitmap32& picture, int64_t w, int64_t h, int32_t col1, int32_t col2, int32_t kind)
{
    CCanvas canvas(picture);
    const int64_t pw = picture.Width(), ph = picture.Height();
    switch (kind) {
    case 0:
        for (int64_t x = 0; x < w; ++x)
            canvas.Line(x, 0, x, h, Mix(col1, col2, Ratio(x, w)));
        break;
    case 1:
        for (int64_t y = 0; y < h; ++y)
            canvas.Line(0, y, w, y, Mix(col1, col2, Ratio(y, h)));
        break;
    case 2:
    case 3: {
        // The shapes from the border in, each drawn over the one before:
        // a pixel shows the innermost shape that holds it.
        const int64_t m = std::min(w, h) / 2;
        for (int64_t y = 0; y < ph; ++y)
            for (int64_t x = 0; x < pw; ++x) {
                int64_t inner = -1;
                if (kind == 2) {
                    inner = std::min({x, w - 1 - x, y, h - 1 - y, m});
                } else {
                    int64_t lo = 0, hi = m; // the ellipses are nested: the last that holds the pixel
                    if (!InEllipse(x, y, 0, 0, double(w), double(h)))
                        continue;
                    while (lo < hi) {
                        int64_t mid = (lo + hi + 1) / 2;
                        if (InEllipse(x, y, double(mid), double(mid), double(w - mid), double(h - mid)))
                            lo = mid;
                        else
                            hi = mid - 1;
                    }
                    inner = lo;
                }
                if (inner >= 0)
                    canvas.Put(x, y, Mix(col1, col2, Ratio(inner, m)));
            }
        break;
    }
    case 4: {
        const int64_t m = w / 2;
        for (int64_t i = 0; i <= m; ++i) {
            uint32_t color = Mix(col1, col2, Ratio(i, m));
            canvas.Line(i, 0, i, h, color);
            canvas.Line(w - i, 0, w - i, h, color);
        }
        break;
    }
    case 5: {
        const int64_t m = h / 2;
        for (int64_t i = 0; i <= m; ++i) {
            uint32_t color = Mix(col1, col2, Ratio(i, m));
            canvas.Line(0, i, w, i, color);
            canvas.Line(0, h - i, w, h - i, color);
        }
        break;
    }
    case 6:
        for (int64_t i = 0; i <= h; ++i) {
            uint32_t color = Mix(col1, col2, Ratio(i, h));
            canvas.Line(0, i, w, i + h, color);
            canvas.Line(0, -i, w, h - i, color);
        }
        break;
    case 7:
        for (int64_t i = 0; i <= h; ++i) {
            uint32_t color = Mix(col1, col2, Ratio(i, h));
            canvas.Line(0, i + h, w, i, color);
            canvas.Line(0, h - i, w, -i, color);
        }
        break;
    case 8:
    case 9:
    case 10:
    case 11: {
        // Circles of radius n down to 1 about a corner, each over the one
        // before: a pixel shows the smallest circle that holds it.
        const int64_t n = std::min(w, h);
        const double cx = kind == 9 || kind == 11 ? double(w) : 0.0;
        const double cy = kind == 10 || kind == 11 ? double(h) : 0.0;
        for (int64_t y = 0; y < ph; ++y)
            for (int64_t x = 0; x < pw; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                const int64_t f = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(d)));
                if (n >= 1 && f <= n)
                    canvas.Put(x, y, Mix(col2, col1, Ratio(f, n)));
            }
        break;
    }
    default:
        break;
    }
}

} // namespace

bool Background_LoadFromFile(CBackground& background, const std::string& gameName, bool removeback, bool smooth)
{
    if (Image_HasExtension(gameName, kBackgroundFileExtension))
        return Background_LoadFromBackgroundFile(background, gameName);
    std::vector<TBitmap32> frames;
    if (!Picture_DecodeFile(ToHostPath(gameName), frames))
        return false;
    TBitmap32 picture = std::move(frames[0]);
    Image_PrepareTaken(picture, removeback ? kRemoveBackground : kKeepBackground, smooth, true);
    background.i_bitmap = std::move(picture);
    return true;
}

bool Background_LoadFromBackgroundFile(CBackground& background, const std::string& gameName)
{
    std::vector<uint8_t> bytes;
    return Image_ReadFile(gameName, bytes) && Background_LoadFromBackgroundBytes(background, bytes);
}

bool Background_LoadFromBackgroundBytes(CBackground& background, const std::vector<uint8_t>& bytes)
{
    try {
        std::unique_ptr<CStream> body = Image_OpenRunnerFile(bytes, kBackgroundFileVersion);
        if (!body)
            return false;
        body->ReadBoolean(); // kept by the authoring tool, not used when playing
        for (int k = 0; k < 6; ++k)
            body->ReadInteger();
        TBitmap32 image;
        if (!image.LoadFromStream(*body))
            return false;
        Image_BleedColors(image);
        background.i_bitmap = std::move(image);
        return true;
    } catch (const EStreamError&) {
        return false;
    }
}

bool Background_SaveToBackgroundFile(const CBackground& background, const std::string& gameName)
{
    CStream body;
    body.WriteInteger(kBackgroundFileVersion);
    body.WriteBoolean(false);
    for (int k = 0; k < 6; ++k)
        body.WriteInteger(0);
    background.i_bitmap.SaveToStream(body);
    return Image_SaveRunnerFile(gameName, body);
}

void Background_CreateFromBitmap(CBackground& background, TBitmap32 picture, int32_t removeback, bool smooth)
{
    Image_PrepareTaken(picture, removeback, smooth, true);
    background.i_bitmap = std::move(picture);
}

bool Background_CreateColor(CBackground& background, int32_t w, int32_t h, int32_t color)
{
    if (!MadeSizeAllowed(w, h))
        return false;
    TBitmap32 picture;
    if (w > 0 && h > 0) {
        picture.SetSize(w, h);
        const uint32_t c = Opaque(color);
        uint8_t bytes[4] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16), 255};
        uint8_t* p = picture.Pixels();
        for (size_t k = 0; k < static_cast<size_t>(w) * static_cast<size_t>(h); ++k)
            std::memcpy(p + k * 4, bytes, 4);
    }
    background.i_bitmap = std::move(picture);
    return true;
}

bool Background_CreateGradient(CBackground& background, int32_t w, int32_t h, int32_t col1, int32_t col2,
                               int32_t kind)
{
    CBackground made;
    if (!Background_CreateColor(made, std::max(w, 1), std::max(h, 1), col1))
        return false;
    DrawGradient(made.i_bitmap, w, h, col1, col2, kind);
    background = std::move(made);
    return true;
}

void Background_SetAlphaFromBackground(CBackground& background, const CBackground& other)
{
    const TBitmap32 source = other.i_bitmap; // other may be background itself
    Image_AlphaFromIntensity(background.i_bitmap, source);
}
