// The textured quad family.
#include "graphics/TextureDraw.h"

#include "code/Value.h"
#include "graphics/Colors.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Textures.h"

#include <cmath>

namespace {

struct RQuad {
    double x[4], y[4]; // top-left, top-right, bottom-right, bottom-left
    uint32_t color[4];
    double u0, v0, u1, v1;
};

void ToVertices(const RQuad& q, RVertex v[4])
{
    const float z = static_cast<float>(DrawState.depth);
    const float us[4] = {float(q.u0), float(q.u1), float(q.u1), float(q.u0)};
    const float vs[4] = {float(q.v0), float(q.v0), float(q.v1), float(q.v1)};
    for (int k = 0; k < 4; ++k)
        v[k] = {static_cast<float>(q.x[k]), static_cast<float>(q.y[k]), z, q.color[k], us[k], vs[k]};
}

void SendQuad(const RTexturePicture& t, const RQuad& q)
{
    IRenderDevice* device = Display_Device();
    if (!device || t.handle == 0) // no texture: nothing, never an untextured quad
        return;
    RVertex v[4];
    ToVertices(q, v);
    device->SetDrawSettings(Draw_Settings(true));
    device->Draw(EPrimitive::TriangleFan, t.handle, v, 4);
}

// Places the corner offsets {L, R} × {T, B} around (x, y), turned by angle.
void PlaceCorners(RQuad& q, double x, double y, double l, double r, double t, double b, double angle)
{
    const double dx[4] = {l, r, r, l};
    const double dy[4] = {t, t, b, b};
    if (std::fabs(angle) < 0.001) {
        for (int k = 0; k < 4; ++k) {
            q.x[k] = x + dx[k];
            q.y[k] = y + dy[k];
        }
        return;
    }
    const double c = std::cos(angle), s = std::sin(angle);
    for (int k = 0; k < 4; ++k) {
        q.x[k] = x + dx[k] * c + dy[k] * s;
        q.y[k] = y - dx[k] * s + dy[k] * c;
    }
}

// Texture coordinates of the part (xo, yo, w, h) of a picture.
void PartOf(RQuad& q, const RTexturePicture& t, double xo, double yo, double w, double h)
{
    q.u0 = (t.left + xo) / t.textureW;
    q.v0 = (t.top + yo) / t.textureH;
    q.u1 = (t.left + xo + w) / t.textureW;
    q.v1 = (t.top + yo + h) / t.textureH;
}

void WholePicture(RQuad& q, const RTexturePicture& t)
{
    PartOf(q, t, 0, 0, t.w, t.h);
}

void OneColor(RQuad& q, int32_t color, double alpha)
{
    uint32_t c = Color_ToDevice(color, alpha);
    q.color[0] = q.color[1] = q.color[2] = q.color[3] = c;
}

// The first tile position at or before the region's start, for repeated
// copies; a single copy stays where it is.
int64_t FirstTile(int64_t start, int64_t size, double regionStart, bool tiled)
{
    if (!tiled)
        return start;
    start %= size;
    if (start >= 1)
        start -= size;
    double gap = regionStart - static_cast<double>(start + size);
    if (gap > 0) // skip whole tiles at once rather than one by one
        start += static_cast<int64_t>(std::ceil(gap / static_cast<double>(size))) * size;
    return start;
}

} // namespace

void Draw_Texture(int32_t id, double x, double y)
{
    RTexturePicture t;
    if (Texture_Picture(id, t))
        Draw_Texture(t, x, y);
}

void Draw_Texture(const RTexturePicture& t, double x, double y)
{
    RQuad q;
    WholePicture(q, t);
    OneColor(q, 0xFFFFFF, 1.0);
    PlaceCorners(q, x, y, -0.5, t.w - 0.5, -0.5, t.h - 0.5, 0);
    SendQuad(t, q);
}

void Draw_TextureExt(int32_t id, int32_t color, double alpha, double angle, double xscale, double yscale, double x,
                     double y, double xorig, double yorig)
{
    RTexturePicture t;
    if (Texture_Picture(id, t))
        Draw_TextureExt(t, color, alpha, angle, xscale, yscale, x, y, xorig, yorig);
}

namespace {

RQuad ExtQuad(const RTexturePicture& t, int32_t color, double alpha, double angle, double xscale, double yscale,
              double x, double y, double xorig, double yorig)
{
    RQuad q;
    WholePicture(q, t);
    OneColor(q, color, alpha);
    double l = -xscale * xorig - 0.5;
    double top = -yscale * yorig - 0.5;
    PlaceCorners(q, x, y, l, t.w * xscale + l, top, t.h * yscale + top, angle);
    return q;
}

} // namespace

void Draw_TextureExt(const RTexturePicture& t, int32_t color, double alpha, double angle, double xscale,
                     double yscale, double x, double y, double xorig, double yorig)
{
    SendQuad(t, ExtQuad(t, color, alpha, angle, xscale, yscale, x, y, xorig, yorig));
}

void Draw_TextureExtVertices(const RTexturePicture& t, int32_t color, double alpha, double angle, double xscale,
                             double yscale, double x, double y, double xorig, double yorig, RVertex vertices[4])
{
    ToVertices(ExtQuad(t, color, alpha, angle, xscale, yscale, x, y, xorig, yorig), vertices);
}

void Draw_TexturePart(int32_t id, int32_t color, double alpha, double xo, double yo, double w, double h, double x,
                      double y, double xscale, double yscale)
{
    RTexturePicture t;
    if (Texture_Picture(id, t))
        Draw_TexturePart(t, color, alpha, xo, yo, w, h, x, y, xscale, yscale);
}

void Draw_TexturePart(const RTexturePicture& t, int32_t color, double alpha, double xo, double yo, double w,
                      double h, double x, double y, double xscale, double yscale)
{
    RQuad q;
    PartOf(q, t, xo, yo, w, h);
    OneColor(q, color, alpha);
    PlaceCorners(q, x, y, -0.5, xscale * w - 0.5, -0.5, yscale * h - 0.5, 0);
    SendQuad(t, q);
}

void Draw_TextureGeneral(int32_t id, int32_t c1, int32_t c2, int32_t c3, int32_t c4, double alpha, double angle,
                         double xo, double yo, double w, double h, double x, double y, double xscale, double yscale)
{
    RTexturePicture t;
    if (Texture_Picture(id, t))
        Draw_TextureGeneral(t, c1, c2, c3, c4, alpha, angle, xo, yo, w, h, x, y, xscale, yscale);
}

void Draw_TextureGeneral(const RTexturePicture& t, int32_t c1, int32_t c2, int32_t c3, int32_t c4, double alpha,
                         double angle, double xo, double yo, double w, double h, double x, double y, double xscale,
                         double yscale)
{
    RQuad q;
    PartOf(q, t, xo, yo, w, h);
    q.color[0] = Color_ToDevice(c1, alpha);
    q.color[1] = Color_ToDevice(c2, alpha);
    q.color[2] = Color_ToDevice(c3, alpha);
    q.color[3] = Color_ToDevice(c4, alpha);
    PlaceCorners(q, x, y, -0.5, xscale * w - 0.5, -0.5, yscale * h - 0.5, angle);
    SendQuad(t, q);
}

void Draw_TextureTiled(int32_t id, bool htiled, bool vtiled, int32_t color, double alpha, double x, double y,
                       double xscale, double yscale, double xorig, double yorig, double left, double top, double width,
                       double height)
{
    RTexturePicture t;
    if (Texture_Picture(id, t))
        Draw_TextureTiled(t, htiled, vtiled, color, alpha, x, y, xscale, yscale, xorig, yorig, left, top, width,
                          height);
}

void Draw_TextureTiled(const RTexturePicture& t, bool htiled, bool vtiled, int32_t color, double alpha, double x,
                       double y, double xscale, double yscale, double xorig, double yorig, double left, double top,
                       double width, double height)
{
    const int64_t tw = RoundToInteger(t.w * xscale);
    const int64_t th = RoundToInteger(t.h * yscale);
    if (tw < 1 || th < 1)
        return;
    RQuad q;
    WholePicture(q, t);
    OneColor(q, color, alpha);
    const double l = -xscale * xorig - 0.5;
    const double r = t.w * xscale + l;
    const double tp = -yscale * yorig - 0.5;
    const double b = t.h * yscale + tp;
    for (int64_t cx = FirstTile(RoundToInteger(x), tw, left, htiled); cx < left + width; cx += tw) {
        for (int64_t cy = FirstTile(RoundToInteger(y), th, top, vtiled); cy < top + height; cy += th) {
            PlaceCorners(q, static_cast<double>(cx), static_cast<double>(cy), l, r, tp, b, 0);
            SendQuad(t, q);
            if (!vtiled)
                break;
        }
        if (!htiled)
            break;
    }
}
