// Collects primitives into batches of one kind of list (points, lines or
// triangles) with one texture, turning strips and fans into indexed lists so
// that consecutive primitives can share one draw call. Device-neutral: the
// devices decide when a batch must be sent and how.
#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>
#include <vector>

enum class EListKind : int32_t { Points, Lines, Triangles };

class CDrawBatcher {
public:
    // Vertices a batch may hold before it has to be sent.
    static constexpr int32_t kVertexCapacity = 1 << 16;

    static EListKind ListKindOf(EPrimitive kind);
    // Indices a primitive of count vertices needs (0: nothing to draw).
    static int32_t IndexCount(EPrimitive kind, int32_t count);

    // Whether the primitive can join the open batch.
    bool Accepts(EListKind kind, TextureHandle texture, int32_t count) const
    {
        return !b_indices.empty() && kind == b_kind && texture == b_texture &&
               b_vertices.size() + static_cast<size_t>(count) <= static_cast<size_t>(kVertexCapacity);
    }
    // Starts a new batch; the previous one must have been taken.
    void Begin(EListKind kind, TextureHandle texture);
    void Append(EPrimitive kind, const RVertex* vertices, int32_t count);
    void Clear();

    bool IsEmpty() const { return b_indices.empty(); }
    EListKind Kind() const { return b_kind; }
    TextureHandle Texture() const { return b_texture; }
    const std::vector<RVertex>& Vertices() const { return b_vertices; }
    const std::vector<uint32_t>& Indices() const { return b_indices; }

private:
    EListKind b_kind = EListKind::Triangles;
    TextureHandle b_texture = 0;
    std::vector<RVertex> b_vertices;
    std::vector<uint32_t> b_indices;
};
