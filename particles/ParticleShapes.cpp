// Painting the built-in particle shapes. Each shape is a coverage function
// of the offset (dx, dy) in pixels from the picture's centre, sampled 4 × 4
// times per pixel for smooth edges. The lumpy shapes (explosion, cloud,
// smoke) take their texture from a fixed hash, never from the game's random
// generator, so painting them changes no game's random sequence.
#include "particles/ParticleShapes.h"

#include "graphics/Display.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

using TCoverage = double (*)(double dx, double dy);

constexpr double kPi = std::numbers::pi;

double Clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

// 1 inside radius r0, falling smoothly to 0 at r1.
double SoftEdge(double r, double r0, double r1)
{
    const double t = Clamp01((r - r0) / (r1 - r0));
    return 1 - t * t * (3 - 2 * t);
}

double Radius(double dx, double dy)
{
    return std::sqrt(dx * dx + dy * dy);
}

// Smooth value noise in [0, 1] from a hash of the lattice corners.
double Lattice(int32_t x, int32_t y, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double Noise(double x, double y, uint32_t seed)
{
    const int32_t ix = static_cast<int32_t>(std::floor(x)), iy = static_cast<int32_t>(std::floor(y));
    double fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    const double top = Lattice(ix, iy, seed) * (1 - fx) + Lattice(ix + 1, iy, seed) * fx;
    const double bottom = Lattice(ix, iy + 1, seed) * (1 - fx) + Lattice(ix + 1, iy + 1, seed) * fx;
    return top * (1 - fy) + bottom * fy;
}

// Two octaves of noise, in [0, 1].
double Turbulence(double dx, double dy, double scale, uint32_t seed)
{
    return (Noise(dx / scale, dy / scale, seed) * 2 + Noise(dx * 2 / scale, dy * 2 / scale, seed + 1)) / 3;
}

// A thin bar from the centre along the angle a, length len, half width w.
double Ray(double dx, double dy, double a, double len, double w)
{
    const double along = dx * std::cos(a) + dy * std::sin(a);
    const double across = -dx * std::sin(a) + dy * std::cos(a);
    if (along < 0 || along > len)
        return 0;
    return Clamp01(1 - std::fabs(across) / w) * (1 - along / len * 0.6);
}

double Pixel(double dx, double dy)
{
    return std::fabs(dx) <= 1 && std::fabs(dy) <= 1 ? 1 : 0;
}

double Disk(double dx, double dy)
{
    return Radius(dx, dy) <= 30 ? 1 : 0;
}

double Square(double dx, double dy)
{
    return std::fabs(dx) <= 30 && std::fabs(dy) <= 30 ? 1 : 0;
}

double Line(double dx, double dy)
{
    return std::fabs(dx) <= 30 && std::fabs(dy) <= 2 ? 1 : 0;
}

// Five points, the first straight up.
double Star(double dx, double dy)
{
    const double r = Radius(dx, dy);
    if (r > 31)
        return 0;
    const double a = std::atan2(-dy, dx) - kPi / 2; // 0 pointing up
    const double sector = 2 * kPi / 5;
    double local = std::fmod(std::fabs(a), sector);
    local = std::min(local, sector - local); // 0 at a point, sector / 2 between two
    // The edge runs straight from a point (radius 30) to the notch (radius 12).
    const double outer = 30, inner = 12, half = sector / 2;
    const double px = outer, py = 0;
    const double qx = inner * std::cos(half), qy = inner * std::sin(half);
    const double x = r * std::cos(local), y = r * std::sin(local);
    // Inside when on the centre's side of the edge line from p to q.
    const double side = (qx - px) * (y - py) - (qy - py) * (x - px);
    return side >= 0 ? 1 : 0;
}

double Circle(double dx, double dy)
{
    const double r = Radius(dx, dy);
    return r >= 27.5 && r <= 30.5 ? 1 : 0;
}

double Ring(double dx, double dy)
{
    const double r = Radius(dx, dy);
    const double d = (r - 23) / 5.5;
    return std::exp(-d * d) * SoftEdge(r, 28, 31.5);
}

double Sphere(double dx, double dy)
{
    const double r = Radius(dx, dy) / 30;
    return r >= 1 ? 0 : std::pow(1 - r * r, 0.75);
}

double Flare(double dx, double dy)
{
    const double r = Radius(dx, dy);
    return Clamp01(std::exp(-r * r / 50) + 0.75 * std::exp(-r / 12)) * SoftEdge(r, 18, 31.5);
}

double Spark(double dx, double dy)
{
    const double r = Radius(dx, dy);
    double v = std::exp(-r * r / 12);
    for (int k = 0; k < 8; ++k) {
        const bool main = k % 2 == 0; // long rays along the axes, short ones between
        v = std::max(v, Ray(dx, dy, k * kPi / 4, main ? 30 : 16, main ? 1.6 : 1.1) * (main ? 1 : 0.7));
    }
    return Clamp01(v);
}

// Puffs around a dense middle with a ragged rim.
double Explosion(double dx, double dy)
{
    const double r = Radius(dx, dy);
    const double rim = 22 + 8 * (Turbulence(dx, dy, 9, 11) - 0.5) * 2;
    const double body = SoftEdge(r, rim - 6, rim + 2);
    const double grain = 0.55 + 0.45 * Turbulence(dx, dy, 5, 23);
    return Clamp01(body * grain * (1.15 - 0.35 * r / 30)) * SoftEdge(r, 29, 31.5);
}

// Soft lumps, wider than tall, filling most of the picture.
double Cloud(double dx, double dy)
{
    static constexpr std::array<std::array<double, 3>, 7> kLumps = {{
        {-13, 3, 11}, {1, -5, 13}, {14, 3, 11}, {-4, 9, 10}, {8, 9, 10}, {-22, 9, 7}, {23, 9, 7},
    }};
    double v = 0;
    for (const auto& lump : kLumps) {
        const double ex = (dx - lump[0]) / lump[2], ey = (dy - lump[1]) / lump[2];
        v += std::exp(-(ex * ex + ey * ey) * 1.6);
    }
    // Lumps that overlap grow denser gently instead of flattening into one.
    const double grain = 0.7 + 0.3 * Turbulence(dx, dy, 6, 37);
    return (1 - std::exp(-v * 1.3)) * grain * SoftEdge(std::max(std::fabs(dx), std::fabs(dy)), 26, 31.5);
}

// A soft round puff with wisps inside.
double Smoke(double dx, double dy)
{
    const double r = Radius(dx, dy);
    const double wisps = 0.25 + 0.75 * Turbulence(dx, dy, 7, 51);
    return Clamp01(std::exp(-r * r / 300) * wisps * 1.4) * SoftEdge(r, 25, 31.5);
}

// Six arms, each with two pairs of side branches.
double Snow(double dx, double dy)
{
    double v = 0;
    for (int k = 0; k < 6; ++k) {
        const double a = k * kPi / 3 + kPi / 2;
        v = std::max(v, Ray(dx, dy, a, 28, 1.5) > 0 ? 1.0 : 0.0);
        for (double at : {11.0, 19.0}) {
            const double bx = dx - at * std::cos(a), by = dy - at * std::sin(a);
            for (double turn : {kPi / 3, -kPi / 3})
                v = std::max(v, Ray(bx, by, a + turn, at == 11 ? 8 : 6, 1.2) > 0 ? 1.0 : 0.0);
        }
    }
    return std::max(v, Radius(dx, dy) <= 3.5 ? 1.0 : 0.0);
}

constexpr TCoverage kShapes[kShapeCount] = {&Pixel,  &Disk,  &Square,    &Line,  &Star,  &Circle, &Ring,
                                            &Sphere, &Flare, &Spark,     &Explosion, &Cloud, &Smoke, &Snow};

void Paint(TBitmap32& picture, TCoverage coverage)
{
    constexpr int kSamples = 4;
    picture.SetSize(kShapeSide, kShapeSide);
    for (int y = 0; y < kShapeSide; ++y) {
        uint8_t* row = picture.Row(y);
        for (int x = 0; x < kShapeSide; ++x) {
            double sum = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    sum += Clamp01(coverage(x + (sx + 0.5) / kSamples - kShapeOrigin,
                                            y + (sy + 0.5) / kSamples - kShapeOrigin));
            uint8_t* pixel = row + x * 4;
            pixel[0] = pixel[1] = pixel[2] = 255;
            pixel[3] = static_cast<uint8_t>(std::lround(sum / (kSamples * kSamples) * 255));
        }
    }
}

// The pictures side by side, each in a cell one texel wider on every side
// that repeats its edge, so filtering never reads a neighbour.
constexpr int32_t kCell = kShapeSide + 2;
constexpr int32_t kColumns = 7;

std::array<TBitmap32, kShapeCount> Pictures;
bool Painted = false;
std::array<RTexturePicture, kShapeCount> Placed;
bool PlacedOnDevice = false;
int32_t TextureGeneration = -1; // of the texture table the sheet went into

bool PlaceOnDevice()
{
    TBitmap32 sheet(kCell * kColumns, kCell * ((kShapeCount + kColumns - 1) / kColumns));
    std::memset(sheet.Pixels(), 0, static_cast<size_t>(sheet.Width()) * sheet.Height() * 4);
    for (int32_t s = 0; s < kShapeCount; ++s) {
        const int32_t left = s % kColumns * kCell, top = s / kColumns * kCell;
        for (int32_t y = 0; y < kCell; ++y) {
            const uint8_t* source = Pictures[s].Row(std::clamp(y - 1, 0, kShapeSide - 1));
            for (int32_t x = 0; x < kCell; ++x)
                std::memcpy(sheet.Row(top + y) + (left + x) * 4, source + std::clamp(x - 1, 0, kShapeSide - 1) * 4, 4);
        }
    }
    RTexturePicture whole;
    if (!Texture_Picture(Texture_FromBitmap(sheet), whole))
        return false;
    for (int32_t s = 0; s < kShapeCount; ++s) {
        Placed[s] = whole;
        Placed[s].w = Placed[s].h = kShapeSide;
        Placed[s].left = s % kColumns * kCell + 1;
        Placed[s].top = s / kColumns * kCell + 1;
    }
    return true;
}

} // namespace

void ParticleShapes_Make()
{
    if (Painted)
        return;
    for (int32_t s = 0; s < kShapeCount; ++s)
        Paint(Pictures[s], kShapes[s]);
    Painted = true;
}

const TBitmap32& ParticleShapes_Bitmap(int32_t shape)
{
    static const TBitmap32 kNone;
    return Painted && shape >= 0 && shape < kShapeCount ? Pictures[shape] : kNone;
}

const RTexturePicture* ParticleShapes_Picture(int32_t shape)
{
    if (!Painted || shape < 0 || shape >= kShapeCount || !Display_Device())
        return nullptr;
    // One try per device: a device that cannot take the sheet draws no shapes.
    if (TextureGeneration != Texture_Generation()) {
        TextureGeneration = Texture_Generation();
        PlacedOnDevice = PlaceOnDevice();
    }
    return PlacedOnDevice ? &Placed[shape] : nullptr;
}
