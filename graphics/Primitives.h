// The primitive a script builds vertex by vertex and then draws: points,
// lines, strips, lists and fans, coloured and optionally textured.
#pragma once

#include <cstdint>

constexpr int32_t kPrimitiveMaxVertices = 1001;

// kind 1..6 (point list ... triangle fan); texture -1 for none.
void Primitive_Begin(int32_t kind, int32_t texture);
// Vertices past the limit are dropped. The colour is a device colour.
void Primitive_AddVertex(double x, double y, uint32_t argb, double u, double v);
void Primitive_End();
int32_t Primitive_VertexCount();
