// The solid shapes of 3D drawing (blocks, cylinders, cones, ellipsoids,
// walls and floors) as primitives of vertices with normals and texture
// coordinates. Texture coordinates run from 0 to hrepeat across and from 0
// to vrepeat along, so every part asks for wrapping textures. With corners
// given low to high, every face turns clockwise on the screen when seen from
// the side its normal points to, so culling keeps the outside. Floors are
// the exception games know: lit from above (normal +z) but turning
// clockwise when seen from below.
#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>

struct RShapeBox {
    double x1, y1, z1, x2, y2, z2;
};

// Appends primitives to a mesh: each vertex gets one colour, or is marked to
// take the colour of each draw.
class CShapeWriter {
public:
    CShapeWriter(RMesh& mesh, uint32_t color, bool drawColor) : w_mesh(mesh), w_color(color), w_drawColor(drawColor) {}
    void Begin(EPrimitive kind);
    void Vertex(double x, double y, double z, double nx, double ny, double nz, double u, double v);

private:
    RMesh& w_mesh;
    uint32_t w_color;
    bool w_drawColor;
};

// Steps of round shapes are kept within 3..128.
int32_t Shape3D_Steps(double steps);

void Shape3D_Block(CShapeWriter& out, const RShapeBox& b, double hrepeat, double vrepeat);
void Shape3D_Cylinder(CShapeWriter& out, const RShapeBox& b, double hrepeat, double vrepeat, bool closed,
                      double steps);
void Shape3D_Cone(CShapeWriter& out, const RShapeBox& b, double hrepeat, double vrepeat, bool closed, double steps);
void Shape3D_Ellipsoid(CShapeWriter& out, const RShapeBox& b, double hrepeat, double vrepeat, double steps);
// Nothing when the wall has no horizontal length.
void Shape3D_Wall(CShapeWriter& out, const RShapeBox& b, double hrepeat, double vrepeat);
void Shape3D_Floor(CShapeWriter& out, const RShapeBox& b, double hrepeat, double vrepeat);
