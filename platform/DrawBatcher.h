// Collects primitives into batches of one kind of list (points, lines or
// triangles) with one texture, turning strips and fans into indexed lists so
// that consecutive primitives can share one draw call. Device-neutral: the
// devices decide when a batch must be sent and how. The same batching serves
// 2D vertices and 3D vertices with normals.
#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>
#include <vector>

enum class EListKind : int32_t { Points, Lines, Triangles };

// What batches of every vertex type share: how primitives become lists.
class CListIndices {
public:
    static EListKind ListKindOf(EPrimitive kind);
    // Indices a primitive of count vertices needs (0: nothing to draw).
    static int32_t IndexCount(EPrimitive kind, int32_t count);
    // Vertices of a primitive of count that belong to whole primitives.
    static int32_t UsedVertices(EPrimitive kind, int32_t count);
    // Appends the list indices of a primitive whose vertices start at base.
    // Every triangle keeps the winding of the first and starts with the
    // vertex that a strip or fan gives it first, so flat shading takes the
    // colour the primitive means.
    static void Append(std::vector<uint32_t>& indices, EPrimitive kind, uint32_t base, int32_t count);
    // Whether a primitive is made of whole quads whose indices are those of
    // a quad list: a quad list, or a fan of four (a textured quad).
    static bool IsQuads(EPrimitive kind, int32_t count)
    {
        return kind == EPrimitive::QuadList || (kind == EPrimitive::TriangleFan && count == 4);
    }
};

// Capacity: the vertices a batch may hold before it has to be sent.
template <typename TVertex, int32_t Capacity>
class CVertexBatcher : public CListIndices {
public:
    static constexpr int32_t kVertexCapacity = Capacity;

    // Whether the primitive can join the open batch.
    bool Accepts(EListKind kind, TextureHandle texture, int32_t count) const
    {
        return !b_vertices.empty() && kind == b_kind && texture == b_texture &&
               b_vertices.size() + static_cast<size_t>(count) <= static_cast<size_t>(kVertexCapacity);
    }
    // Starts a new batch; the previous one must have been taken.
    void Begin(EListKind kind, TextureHandle texture)
    {
        Clear();
        b_kind = kind;
        b_texture = texture;
    }
    // A batch of quads alone keeps no indices until they are asked for: a
    // device can draw it with one fixed index pattern.
    void Append(EPrimitive kind, const TVertex* vertices, int32_t count)
    {
        if (IndexCount(kind, count) == 0)
            return;
        const uint32_t base = static_cast<uint32_t>(b_vertices.size());
        if (b_quadsOnly && !IsQuads(kind, count)) {
            MakeQuadIndices();
            b_quadsOnly = false;
        }
        b_vertices.insert(b_vertices.end(), vertices, vertices + UsedVertices(kind, count));
        if (!b_quadsOnly)
            CListIndices::Append(b_indices, kind, base, count);
    }
    void Clear()
    {
        b_vertices.clear();
        b_indices.clear();
        b_quadsOnly = true;
    }
    // What a device does with a primitive it is given: counts it, sends the
    // open batch (through send) when the primitive cannot join it, and
    // appends it. A primitive larger than a batch is cut to one.
    template <typename TSend>
    void Queue(EPrimitive kind, TextureHandle texture, const TVertex* vertices, int32_t count, RDeviceStats& stats,
               TSend&& send)
    {
        if (IndexCount(kind, count) == 0 || !vertices)
            return;
        if (count > Capacity)
            count = Capacity;
        ++stats.primitives;
        stats.vertices += count;
        const EListKind list = ListKindOf(kind);
        if (!Accepts(list, texture, count)) {
            send();
            Begin(list, texture);
        }
        Append(kind, vertices, count);
    }

    bool IsEmpty() const { return b_vertices.empty(); }
    EListKind Kind() const { return b_kind; }
    TextureHandle Texture() const { return b_texture; }
    const std::vector<TVertex>& Vertices() const { return b_vertices; }
    // Whether the batch holds quads alone, four vertices each.
    bool IsQuadsOnly() const { return b_quadsOnly && !b_vertices.empty(); }
    const std::vector<uint32_t>& Indices()
    {
        if (b_quadsOnly && b_indices.empty())
            MakeQuadIndices();
        return b_indices;
    }

private:
    void MakeQuadIndices()
    {
        b_indices.clear();
        CListIndices::Append(b_indices, EPrimitive::QuadList, 0, static_cast<int32_t>(b_vertices.size()));
    }

    EListKind b_kind = EListKind::Triangles;
    TextureHandle b_texture = 0;
    std::vector<TVertex> b_vertices;
    std::vector<uint32_t> b_indices;
    bool b_quadsOnly = true;
};

using CDrawBatcher = CVertexBatcher<RVertex, 1 << 16>;
// A 3D scene sends many shapes of one texture; a larger batch keeps them in
// one call however many there are.
using CDrawBatcher3D = CVertexBatcher<RVertex3D, 1 << 20>;
