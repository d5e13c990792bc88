// The 3D primitive a script builds vertex by vertex, and the 3D shapes
// drawn at once. Both go to the device with the current draw settings;
// shapes always wrap their texture coordinates.
#pragma once

#include "graphics/Shapes3D.h"
#include "platform/RenderDevice.h"

#include <cstdint>

// kind 1..6 (point list ... triangle fan); texture -1 for none.
void Primitive3D_Begin(int32_t kind, int32_t texture);
// Vertices past the 32001st are ignored.
void Primitive3D_AddVertex(const RVertex3D& vertex);
void Primitive3D_End();
int32_t Primitive3D_VertexCount();

enum class EShape3D { Block, Cylinder, Cone, Ellipsoid, Wall, Floor };
struct RShape3D {
    EShape3D kind = EShape3D::Block;
    RShapeBox box{};
    double hrepeat = 1, vrepeat = 1;
    bool closed = false;
    double steps = 24;
};
// Draws the shape in the draw colour with texture tex (-1: none).
void Shape3D_Draw(const RShape3D& shape, int32_t tex);
// Writes the shape as primitives.
void Shape3D_Write(CShapeWriter& out, const RShape3D& shape);
