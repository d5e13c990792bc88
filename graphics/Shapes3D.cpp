// Building the 3D shapes.
#include "graphics/Shapes3D.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void CShapeWriter::Begin(EPrimitive kind)
{
    w_mesh.parts.push_back({kind, static_cast<int32_t>(w_mesh.vertices.size()), 0, true});
}

void CShapeWriter::Vertex(double x, double y, double z, double nx, double ny, double nz, double u, double v)
{
    w_mesh.vertices.push_back({static_cast<float>(x), static_cast<float>(y), static_cast<float>(z),
                               static_cast<float>(nx), static_cast<float>(ny), static_cast<float>(nz), w_color,
                               static_cast<float>(u), static_cast<float>(v)});
    w_mesh.drawColor.push_back(w_drawColor ? 1 : 0);
    ++w_mesh.parts.back().count;
}

int32_t Shape3D_Steps(double steps)
{
    if (std::isnan(steps))
        return 3;
    return static_cast<int32_t>(std::clamp(std::nearbyint(steps), 3.0, 128.0));
}

namespace {

// One face: a fan of four corners sharing a normal, with the texture laid
// from (0, 0) at the first corner.
struct RCorner {
    double x, y, z, u, v;
};

void Face(CShapeWriter& out, const RCorner (&c)[4], double nx, double ny, double nz)
{
    out.Begin(EPrimitive::TriangleFan);
    for (const RCorner& k : c)
        out.Vertex(k.x, k.y, k.z, nx, ny, nz, k.u, k.v);
}

// A side standing on the line (xa, ya)-(xb, yb) from z1 to z2, as a wall is.
void Side(CShapeWriter& out, double xa, double ya, double xb, double yb, double z1, double z2, double h, double v,
          double nx, double ny)
{
    const RCorner c[4] = {{xa, ya, z1, 0, 0}, {xb, yb, z1, h, 0}, {xb, yb, z2, h, v}, {xa, ya, z2, 0, v}};
    Face(out, c, nx, ny, 0);
}

// The round side of cylinders and cones: a strip between the z2 rim (or
// the apex) and the z1 rim.
void RoundShape(CShapeWriter& out, const RShapeBox& b, double h, double v, bool closed, double stepsArg, bool cone)
{
    const int32_t steps = Shape3D_Steps(stepsArg);
    const double cx = (b.x1 + b.x2) / 2, cy = (b.y1 + b.y2) / 2;
    const double rx = (b.x2 - b.x1) / 2, ry = (b.y2 - b.y1) / 2;
    auto angle = [&](int32_t i) { return 2 * std::numbers::pi * i / steps; };
    if (closed && !cone) {
        out.Begin(EPrimitive::TriangleFan);
        out.Vertex(cx, cy, b.z2, 0, 0, 1, 0, v);
        for (int32_t i = 0; i <= steps; ++i)
            out.Vertex(cx + rx * std::cos(angle(i)), cy + ry * std::sin(angle(i)), b.z2, 0, 0, 1, 0, v);
    }
    out.Begin(EPrimitive::TriangleStrip);
    for (int32_t i = 0; i <= steps; ++i) {
        const double c = std::cos(angle(i)), s = std::sin(angle(i)), u = i * h / steps;
        if (cone)
            out.Vertex(cx, cy, b.z2, 0, 0, 1, u, v);
        else
            out.Vertex(cx + rx * c, cy + ry * s, b.z2, c, s, 0, u, v);
        out.Vertex(cx + rx * c, cy + ry * s, b.z1, c, s, 0, u, 0);
    }
    if (closed) {
        out.Begin(EPrimitive::TriangleFan);
        out.Vertex(cx, cy, b.z1, 0, 0, -1, 0, 0);
        for (int32_t i = steps; i >= 0; --i)
            out.Vertex(cx + rx * std::cos(angle(i)), cy + ry * std::sin(angle(i)), b.z1, 0, 0, -1, 0, 0);
    }
}

} // namespace

void Shape3D_Block(CShapeWriter& out, const RShapeBox& b, double h, double v)
{
    const RCorner bottom[4] = {{b.x1, b.y1, b.z1, 0, 0}, {b.x1, b.y2, b.z1, 0, v}, {b.x2, b.y2, b.z1, h, v},
                               {b.x2, b.y1, b.z1, h, 0}};
    Face(out, bottom, 0, 0, -1);
    const RCorner top[4] = {{b.x1, b.y1, b.z2, 0, 0}, {b.x2, b.y1, b.z2, h, 0}, {b.x2, b.y2, b.z2, h, v},
                            {b.x1, b.y2, b.z2, 0, v}};
    Face(out, top, 0, 0, 1);
    // The sides go round the block as walls would.
    Side(out, b.x2, b.y1, b.x2, b.y2, b.z1, b.z2, h, v, 1, 0);
    Side(out, b.x2, b.y2, b.x1, b.y2, b.z1, b.z2, h, v, 0, 1);
    Side(out, b.x1, b.y2, b.x1, b.y1, b.z1, b.z2, h, v, -1, 0);
    Side(out, b.x1, b.y1, b.x2, b.y1, b.z1, b.z2, h, v, 0, -1);
}

void Shape3D_Cylinder(CShapeWriter& out, const RShapeBox& b, double h, double v, bool closed, double steps)
{
    RoundShape(out, b, h, v, closed, steps, false);
}

void Shape3D_Cone(CShapeWriter& out, const RShapeBox& b, double h, double v, bool closed, double steps)
{
    RoundShape(out, b, h, v, closed, steps, true);
}

void Shape3D_Ellipsoid(CShapeWriter& out, const RShapeBox& b, double h, double v, double stepsArg)
{
    const int32_t steps = Shape3D_Steps(stepsArg);
    const int32_t rings = (steps + 1) / 2;
    const double cx = (b.x1 + b.x2) / 2, cy = (b.y1 + b.y2) / 2, cz = (b.z1 + b.z2) / 2;
    const double rx = (b.x2 - b.x1) / 2, ry = (b.y2 - b.y1) / 2, rz = (b.z2 - b.z1) / 2;
    for (int32_t r = 0; r < rings; ++r) {
        out.Begin(EPrimitive::TriangleStrip);
        for (int32_t i = 0; i <= steps; ++i) {
            const double phi = 2 * std::numbers::pi * i / steps;
            // Each latitude's vertices take its own texture row.
            for (int32_t t = r; t <= r + 1; ++t) {
                const double theta = t * std::numbers::pi / rings;
                const double nx = std::sin(theta) * std::cos(phi), ny = std::sin(theta) * std::sin(phi),
                             nz = std::cos(theta);
                out.Vertex(cx + rx * nx, cy + ry * ny, cz + rz * nz, nx, ny, nz, i * h / steps,
                           t * v / rings);
            }
        }
    }
}

void Shape3D_Wall(CShapeWriter& out, const RShapeBox& b, double h, double v)
{
    const double length = std::hypot(b.x2 - b.x1, b.y2 - b.y1);
    if (!(length > 0))
        return;
    Side(out, b.x1, b.y1, b.x2, b.y2, b.z1, b.z2, h, v, (b.y2 - b.y1) / length, -(b.x2 - b.x1) / length);
}

void Shape3D_Floor(CShapeWriter& out, const RShapeBox& b, double h, double v)
{
    const RCorner c[4] = {{b.x1, b.y1, b.z1, 0, 0}, {b.x1, b.y2, b.z1, 0, v}, {b.x2, b.y2, b.z2, h, v},
                          {b.x2, b.y1, b.z2, h, 0}};
    Face(out, c, 0, 0, 1);
}
