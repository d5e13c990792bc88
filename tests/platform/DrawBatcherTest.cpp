// Primitives become indexed lists, and consecutive compatible ones share a
// batch; anything that changes what a batch means ends it.
#include "platform/DrawBatcher.h"
#include "platform/NullVideo.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint32_t> IndicesOf(EPrimitive kind, int32_t count)
{
    std::vector<RVertex> vertices(static_cast<size_t>(count));
    CDrawBatcher batch;
    batch.Begin(CDrawBatcher::ListKindOf(kind), 0);
    batch.Append(kind, vertices.data(), count);
    EXPECT_EQ(static_cast<int32_t>(batch.Indices().size()), CDrawBatcher::IndexCount(kind, count));
    return batch.Indices();
}

} // namespace

TEST(DrawBatcher, PrimitivesBecomeLists)
{
    using V = std::vector<uint32_t>;
    EXPECT_EQ(IndicesOf(EPrimitive::TriangleFan, 5), (V{0, 1, 2, 0, 2, 3, 0, 3, 4}));
    // Odd strip triangles swap their last two vertices to keep the winding
    // and still start with the vertex that begins them.
    EXPECT_EQ(IndicesOf(EPrimitive::TriangleStrip, 5), (V{0, 1, 2, 1, 3, 2, 2, 3, 4}));
    EXPECT_EQ(IndicesOf(EPrimitive::LineStrip, 4), (V{0, 1, 1, 2, 2, 3}));
    // Vertices that make no whole primitive are dropped.
    EXPECT_EQ(IndicesOf(EPrimitive::TriangleList, 7), (V{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(IndicesOf(EPrimitive::LineList, 3), (V{0, 1}));
    EXPECT_EQ(IndicesOf(EPrimitive::PointList, 2), (V{0, 1}));
    EXPECT_EQ(IndicesOf(EPrimitive::QuadList, 9), (V{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}));
    EXPECT_TRUE(IndicesOf(EPrimitive::TriangleFan, 2).empty());
    EXPECT_TRUE(IndicesOf(EPrimitive::LineStrip, 1).empty());
    EXPECT_EQ(CDrawBatcher::IndexCount(static_cast<EPrimitive>(9), 10), 0);
}

TEST(DrawBatcher, SecondPrimitiveIndexesFromItsOwnVertices)
{
    std::vector<RVertex> quad(4);
    CDrawBatcher batch;
    batch.Begin(EListKind::Triangles, 7);
    batch.Append(EPrimitive::TriangleFan, quad.data(), 4);
    ASSERT_TRUE(batch.Accepts(EListKind::Triangles, 7, 4));
    batch.Append(EPrimitive::TriangleFan, quad.data(), 4);
    EXPECT_EQ(batch.Vertices().size(), 8u);
    EXPECT_EQ(std::vector<uint32_t>(batch.Indices().begin() + 6, batch.Indices().end()),
              (std::vector<uint32_t>{4, 5, 6, 4, 6, 7}));
    EXPECT_FALSE(batch.Accepts(EListKind::Triangles, 8, 4));
    EXPECT_FALSE(batch.Accepts(EListKind::Lines, 7, 4));
    EXPECT_FALSE(batch.Accepts(EListKind::Triangles, 7, CDrawBatcher::kVertexCapacity));
}

// A batch of quads alone (quad lists and fans of four) is marked as such and
// keeps no indices until asked; anything else joining it gives the quads
// before it their indices at once.
TEST(DrawBatcher, QuadsAloneAreMarkedAndIndexedOnlyWhenAsked)
{
    std::vector<RVertex> vertices(8);
    CDrawBatcher batch;
    batch.Begin(EListKind::Triangles, 0);
    batch.Append(EPrimitive::QuadList, vertices.data(), 8);
    batch.Append(EPrimitive::TriangleFan, vertices.data(), 4);
    EXPECT_TRUE(batch.IsQuadsOnly());
    EXPECT_EQ(batch.Indices(), (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7, 8, 9, 10, 8, 10, 11}));

    batch.Begin(EListKind::Triangles, 0);
    batch.Append(EPrimitive::QuadList, vertices.data(), 4);
    batch.Append(EPrimitive::TriangleFan, vertices.data(), 5);
    batch.Append(EPrimitive::QuadList, vertices.data(), 4);
    EXPECT_FALSE(batch.IsQuadsOnly());
    EXPECT_EQ(batch.Indices(), (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7, 4, 7, 8, 9, 10, 11, 9,
                                                      11, 12}));
    batch.Clear();
    EXPECT_TRUE(batch.IsEmpty());
    EXPECT_FALSE(batch.IsQuadsOnly());
}

TEST(DrawBatcher, DeviceSendsOneCallPerRun)
{
    CNullRenderDevice device(640, 480);
    int32_t w, h;
    TextureHandle a = device.CreateTexture(8, 8, false, w, h);
    TextureHandle b = device.CreateTexture(8, 8, false, w, h);
    std::vector<RVertex> quad(4);
    for (int k = 0; k < 100; ++k)
        device.Draw(EPrimitive::TriangleFan, a, quad.data(), 4);
    device.Draw(EPrimitive::TriangleStrip, a, quad.data(), 4); // other kind of triangles: still the same batch
    device.Flush();
    EXPECT_EQ(device.Stats().drawCalls, 1);
    EXPECT_EQ(device.Stats().primitives, 101);

    for (int k = 0; k < 10; ++k)
        device.Draw(EPrimitive::TriangleFan, k % 2 ? a : b, quad.data(), 4);
    device.Flush();
    EXPECT_EQ(device.Stats().drawCalls, 11);

    RDrawSettings additive;
    additive.blendDest = kBlendOne;
    device.Draw(EPrimitive::TriangleFan, a, quad.data(), 4);
    device.SetDrawSettings(RDrawSettings()); // unchanged: no break
    device.Draw(EPrimitive::TriangleFan, a, quad.data(), 4);
    device.SetDrawSettings(additive);
    device.Draw(EPrimitive::TriangleFan, a, quad.data(), 4);
    device.Draw(EPrimitive::LineStrip, a, quad.data(), 4);
    device.Flush();
    EXPECT_EQ(device.Stats().drawCalls, 14);
}
