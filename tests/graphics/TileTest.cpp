// The tile functions on the running room.
#include "graphics/Tiles.h"
#include "tests/graphics/RoomFixture.h"

namespace {

class TileTest : public RoomFixture {
protected:
    static double Add(double x, double y, double depth, double w = 16, double h = 16)
    {
        return Real("tile_add", {RValue(0.0), RValue(0.0), RValue(0.0), RValue(w), RValue(h), RValue(x), RValue(y),
                                 RValue(depth)});
    }
    std::vector<int32_t> Ids() const
    {
        std::vector<int32_t> ids;
        for (const RTile& tile : g_room->r_tile)
            ids.push_back(tile.id);
        return ids;
    }
};

} // namespace

TEST_F(TileTest, AddingFindingAndDeleting)
{
    LastTileId = 500;
    const double a = Add(0, 0, 10), b = Add(0, 0, 20), c = Add(100, 0, 10);
    EXPECT_EQ(a, 501);
    EXPECT_EQ(c, 503);
    EXPECT_EQ(Real("tile_get_depth", {RValue(b)}), 20);
    EXPECT_EQ(Real("tile_get_width", {RValue(b)}), 16);
    EXPECT_EQ(Real("tile_get_visible", {RValue(b)}), 1);
    EXPECT_EQ(Real("tile_get_blend", {RValue(b)}), 0xFFFFFF);

    // The first in the room's order wins; the right and bottom edges are outside.
    EXPECT_EQ(Real("tile_find", {RValue(15.4), RValue(15.0), RValue(0.0)}), a);
    EXPECT_EQ(Real("tile_find", {RValue(15.6), RValue(0.0), RValue(0.0)}), -1); // rounds to 16
    Call("tile_delete", {RValue(b)});
    EXPECT_EQ(Ids(), (std::vector<int32_t>{501, 503}));
    // The remembered position of c is stale after a removal in front of it.
    EXPECT_EQ(Real("tile_get_x", {RValue(c)}), 100);
    Call("tile_delete", {RValue(a)});
    EXPECT_EQ(Real("tile_get_x", {RValue(c)}), 100);
    EXPECT_EQ(Real("tile_exists", {RValue(a)}), 0);
    EXPECT_TRUE(Error_Last.empty());

    // Missing tiles and backgrounds are reported; getters then give 0.
    EXPECT_EQ(Real("tile_get_x", {RValue(a)}), 0);
    EXPECT_NE(Error_Last.find("Tile does not exist."), std::string::npos);
    Error_Last.clear();
    Call("tile_set_background", {RValue(c), RValue(9.0)});
    EXPECT_NE(Error_Last.find("Background does not exist."), std::string::npos);
    EXPECT_EQ(Real("tile_get_background", {RValue(c)}), 0);
    Error_Last.clear();
    EXPECT_EQ(Real("tile_add", {RValue(9.0), RValue(0.0), RValue(0.0), RValue(1.0), RValue(1.0), RValue(0.0),
                                RValue(0.0), RValue(0.0)}),
              -1);
    EXPECT_NE(Error_Last.find("Background does not exist."), std::string::npos);
    EXPECT_EQ(Ids(), (std::vector<int32_t>{503}));
}

TEST_F(TileTest, ForegroundMeansDifferentDepthsForFindingAndDeleting)
{
    const double ground = Add(0, 0, 0);
    Add(0, 0, -1);
    // Finding counts depth 0 as background, deleting counts it on both sides,
    // and deleting includes the far edges.
    EXPECT_NE(Real("tile_find", {RValue(5.0), RValue(5.0), RValue(1.0)}), ground);
    Call("tile_delete_at", {RValue(16.0), RValue(16.0), RValue(1.0)});
    EXPECT_TRUE(g_room->r_tile.empty());

    const double back = Add(0, 0, 0);
    EXPECT_EQ(Real("tile_find", {RValue(5.0), RValue(5.0), RValue(0.0)}), back);
    Call("tile_delete_at", {RValue(17.0), RValue(5.0), RValue(0.0)});
    EXPECT_EQ(g_room->r_tile.size(), 1u);
}

TEST_F(TileTest, LayersAreExactDepths)
{
    const double layer = Add(0, 0, 1000), near = Add(0, 0, 1000.5), other = Add(40, 0, 1000);
    Call("tile_layer_hide", {RValue(1000.0)});
    EXPECT_EQ(Real("tile_get_visible", {RValue(layer)}), 0);
    EXPECT_EQ(Real("tile_get_visible", {RValue(near)}), 1);
    Call("tile_layer_show", {RValue(1000.0)});
    EXPECT_EQ(Real("tile_get_visible", {RValue(layer)}), 1);

    Call("tile_layer_shift", {RValue(1000.0), RValue(5.0), RValue(-2.0)});
    EXPECT_EQ(Real("tile_get_x", {RValue(other)}), 45);
    EXPECT_EQ(Real("tile_get_y", {RValue(near)}), 0);
    EXPECT_EQ(Real("tile_layer_find", {RValue(1000.0), RValue(45.5), RValue(-2.0)}), other);
    EXPECT_EQ(Real("tile_layer_find", {RValue(1000.0), RValue(61.0), RValue(0.0)}), -1);
    Call("tile_layer_delete_at", {RValue(1000.0), RValue(50.0), RValue(0.0)});
    EXPECT_EQ(Real("tile_exists", {RValue(other)}), 0);

    Call("tile_layer_depth", {RValue(1000.5), RValue(7.0)});
    EXPECT_EQ(Real("tile_get_depth", {RValue(near)}), 7);
    Call("tile_layer_delete", {RValue(1000.0)});
    EXPECT_EQ(Ids(), (std::vector<int32_t>{static_cast<int32_t>(near)}));
}

TEST_F(TileTest, SettersChangeWhatIsDrawn)
{
    const double id = Add(10, 20, 0);
    Call("tile_set_position", {RValue(id), RValue(30.0), RValue(40.0)});
    Call("tile_set_region", {RValue(id), RValue(16.0), RValue(0.0), RValue(8.0), RValue(4.0)});
    Call("tile_set_scale", {RValue(id), RValue(2.0), RValue(3.0)});
    Call("tile_set_blend", {RValue(id), RValue(255.0)});
    Call("tile_set_alpha", {RValue(id), RValue(0.5)});
    Call("tile_set_depth", {RValue(id), RValue(-3.0)});
    Call("tile_set_background", {RValue(id), RValue(1.0)});
    EXPECT_EQ(Real("tile_get_left", {RValue(id)}), 16);
    EXPECT_EQ(Real("tile_get_yscale", {RValue(id)}), 3);
    EXPECT_EQ(Real("tile_get_alpha", {RValue(id)}), 0.5);
    EXPECT_EQ(Real("tile_get_background", {RValue(id)}), 1);
    EXPECT_EQ(Real("tile_find", {RValue(45.0), RValue(51.0), RValue(1.0)}), id); // 16 × 12 from (30, 40)
    Call("tile_set_visible", {RValue(id), RValue(0.0)});
    Call("screen_redraw");
    EXPECT_TRUE(g_device->TakeSentVertices().empty());
    Call("tile_set_visible", {RValue(id), RValue(1.0)});
    Call("screen_redraw");
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[2].x, 30 + 16 - 0.5f);
    EXPECT_EQ(v[0].color, 0x80FF0000u);
}
