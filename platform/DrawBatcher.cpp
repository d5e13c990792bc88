// Turning primitives into indexed lists.
#include "platform/DrawBatcher.h"

EListKind CDrawBatcher::ListKindOf(EPrimitive kind)
{
    switch (kind) {
    case EPrimitive::PointList:
        return EListKind::Points;
    case EPrimitive::LineList:
    case EPrimitive::LineStrip:
        return EListKind::Lines;
    default:
        return EListKind::Triangles;
    }
}

int32_t CDrawBatcher::IndexCount(EPrimitive kind, int32_t count)
{
    if (count <= 0)
        return 0;
    switch (kind) {
    case EPrimitive::PointList:
        return count;
    case EPrimitive::LineList:
        return count / 2 * 2;
    case EPrimitive::LineStrip:
        return count >= 2 ? (count - 1) * 2 : 0;
    case EPrimitive::TriangleList:
        return count / 3 * 3;
    case EPrimitive::TriangleStrip:
    case EPrimitive::TriangleFan:
        return count >= 3 ? (count - 2) * 3 : 0;
    case EPrimitive::QuadList:
        return count / 4 * 6;
    }
    return 0;
}

void CDrawBatcher::Begin(EListKind kind, TextureHandle texture)
{
    Clear();
    b_kind = kind;
    b_texture = texture;
}

void CDrawBatcher::Append(EPrimitive kind, const RVertex* vertices, int32_t count)
{
    int32_t indices = IndexCount(kind, count);
    if (indices == 0)
        return;
    const uint32_t base = static_cast<uint32_t>(b_vertices.size());
    // Only the vertices that belong to whole primitives are kept.
    int32_t used = count;
    if (kind == EPrimitive::LineList)
        used = count / 2 * 2;
    else if (kind == EPrimitive::TriangleList)
        used = count / 3 * 3;
    else if (kind == EPrimitive::QuadList)
        used = count / 4 * 4;
    b_vertices.insert(b_vertices.end(), vertices, vertices + used);
    b_indices.reserve(b_indices.size() + static_cast<size_t>(indices));
    switch (kind) {
    case EPrimitive::PointList:
    case EPrimitive::LineList:
    case EPrimitive::TriangleList:
        for (int32_t k = 0; k < used; ++k)
            b_indices.push_back(base + static_cast<uint32_t>(k));
        break;
    case EPrimitive::LineStrip:
        for (int32_t k = 0; k + 1 < count; ++k) {
            b_indices.push_back(base + static_cast<uint32_t>(k));
            b_indices.push_back(base + static_cast<uint32_t>(k + 1));
        }
        break;
    case EPrimitive::TriangleStrip:
        // Every second triangle is taken in swapped order so that all of
        // them keep the winding of the first, as a strip is meant.
        for (int32_t k = 0; k + 2 < count; ++k) {
            uint32_t a = base + static_cast<uint32_t>(k);
            if (k % 2 == 0) {
                b_indices.insert(b_indices.end(), {a, a + 1, a + 2});
            } else {
                b_indices.insert(b_indices.end(), {a + 1, a, a + 2});
            }
        }
        break;
    case EPrimitive::TriangleFan:
        for (int32_t k = 1; k + 1 < count; ++k)
            b_indices.insert(b_indices.end(), {base, base + static_cast<uint32_t>(k), base + static_cast<uint32_t>(k + 1)});
        break;
    case EPrimitive::QuadList: {
        const size_t first = b_indices.size();
        b_indices.resize(first + static_cast<size_t>(indices));
        uint32_t* out = b_indices.data() + first;
        for (uint32_t q = base; q < base + static_cast<uint32_t>(used); q += 4, out += 6) {
            out[0] = q;
            out[1] = q + 1;
            out[2] = q + 2;
            out[3] = q;
            out[4] = q + 2;
            out[5] = q + 3;
        }
        break;
    }
    }
}

void CDrawBatcher::Clear()
{
    b_vertices.clear();
    b_indices.clear();
}
