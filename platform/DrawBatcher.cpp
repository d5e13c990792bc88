// Turning primitives into indexed lists.
#include "platform/DrawBatcher.h"

EListKind CListIndices::ListKindOf(EPrimitive kind)
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

int32_t CListIndices::IndexCount(EPrimitive kind, int32_t count)
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

int32_t CListIndices::UsedVertices(EPrimitive kind, int32_t count)
{
    if (kind == EPrimitive::LineList)
        return count / 2 * 2;
    if (kind == EPrimitive::TriangleList)
        return count / 3 * 3;
    if (kind == EPrimitive::QuadList)
        return count / 4 * 4;
    return count;
}

void CListIndices::Append(std::vector<uint32_t>& indices, EPrimitive kind, uint32_t base, int32_t count)
{
    const int32_t needed = IndexCount(kind, count);
    if (needed == 0)
        return;
    indices.reserve(indices.size() + static_cast<size_t>(needed));
    switch (kind) {
    case EPrimitive::PointList:
    case EPrimitive::LineList:
    case EPrimitive::TriangleList:
        for (int32_t k = 0, used = UsedVertices(kind, count); k < used; ++k)
            indices.push_back(base + static_cast<uint32_t>(k));
        break;
    case EPrimitive::LineStrip:
        for (int32_t k = 0; k + 1 < count; ++k) {
            indices.push_back(base + static_cast<uint32_t>(k));
            indices.push_back(base + static_cast<uint32_t>(k + 1));
        }
        break;
    case EPrimitive::TriangleStrip:
        // Every second triangle runs its last two vertices the other way
        // round so that all of them keep the winding of the first.
        for (int32_t k = 0; k + 2 < count; ++k) {
            uint32_t a = base + static_cast<uint32_t>(k);
            if (k % 2 == 0)
                indices.insert(indices.end(), {a, a + 1, a + 2});
            else
                indices.insert(indices.end(), {a, a + 2, a + 1});
        }
        break;
    case EPrimitive::TriangleFan:
        for (int32_t k = 1; k + 1 < count; ++k)
            indices.insert(indices.end(), {base, base + static_cast<uint32_t>(k), base + static_cast<uint32_t>(k + 1)});
        break;
    case EPrimitive::QuadList: {
        const size_t first = indices.size();
        indices.resize(first + static_cast<size_t>(needed));
        uint32_t* out = indices.data() + first;
        for (uint32_t q = base, end = base + static_cast<uint32_t>(UsedVertices(kind, count)); q < end; q += 4, out += 6) {
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
