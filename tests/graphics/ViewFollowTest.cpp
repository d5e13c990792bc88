// Views following an instance: the move along one axis, which instance is
// followed, and what the view table receives.
#include "graphics/ViewFollow.h"
#include "tests/graphics/RoomFixture.h"

TEST(ViewFollow, OneAxis)
{
    struct Case {
        int32_t edge, size, border, speed;
        int64_t position;
        int32_t room, expected;
        const char* what;
    } cases[] = {
        {0, 160, 48, -1, 60, 320, 0, "inside the borders: stays"},
        {0, 160, 48, -1, 150, 320, 38, "past the right border: pushed"},
        {100, 160, 48, -1, 120, 320, 72, "past the left border: pushed back"},
        {0, 300, 200, -1, 500, 1000, 350, "borders wider than the view: centred"},
        {0, 160, 48, 4, 150, 320, 4, "at most 4 pixels a step"},
        {100, 160, 48, 4, 120, 320, 96, "at most 4 pixels leftwards too"},
        {0, 160, 48, 0, 150, 320, 0, "speed 0 never moves"},
        {50, 160, 48, -1, 10, 320, 0, "never left of the room"},
        {100, 160, 48, -1, 310, 320, 160, "never right of the room"},
        {0, 300, 32, -1, 100, 200, -100, "a room narrower than the view"},
        {0, 100, 10, -1, 9000000000LL, 2000000000, 1999999900, "far positions stay in range"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(View_FollowAxis(c.edge, c.size, c.border, c.speed, c.position, c.room), c.expected) << c.what;
}

using ViewFollowRoom = RoomFixture;

TEST_F(ViewFollowRoom, FollowsAnIdOrAnObjectAndItsChildren)
{
    auto child = std::make_unique<CObject>();
    child->o_parent = 0;
    Objects.Add(std::move(child), "obj_child");
    CInstance* first = Place(0, 0, 0, 0, 0);
    first->i_marked = true; // never followed
    CInstance* other = Place(1, 0, 0, 0, 0);
    CInstance* descendant = Place(2, 0, 0, 0, 0);
    EXPECT_EQ(View_Followed(*g_room, 0), descendant);
    EXPECT_EQ(View_Followed(*g_room, 1), other);
    EXPECT_EQ(View_Followed(*g_room, other->i_id), other);
    EXPECT_EQ(View_Followed(*g_room, first->i_id), nullptr);
    EXPECT_EQ(View_Followed(*g_room, 7), nullptr);
}

TEST_F(ViewFollowRoom, MovesVisibleViewsAndPublishesThem)
{
    CInstance* player = Place(0, 150.4, 60, 0, 0);
    g_room->r_width = 320;
    g_room->r_height = 240;
    for (int v : {0, 1}) {
        CView& view = g_room->r_view[static_cast<size_t>(v)];
        view.visible = v == 0; // a hidden view does not move
        view.wview = 160;
        view.hview = 120;
        view.hborder = 48;
        view.vborder = 32;
        view.index = player->i_id;
        view.angle = 15;
    }
    View_UpdateAll(*g_room); // views disabled: nothing moves, nothing is active
    EXPECT_EQ(g_room->r_view[0].xview, 0);
    EXPECT_EQ(WindowState.activeViews, 0);

    g_room->r_enableviews = true;
    View_UpdateAll(*g_room);
    EXPECT_EQ(g_room->r_view[0].xview, 38); // round(150.4) + 48 - 160
    EXPECT_EQ(g_room->r_view[0].yview, 0);
    EXPECT_EQ(g_room->r_view[1].xview, 0);
    EXPECT_EQ(WindowState.activeViews, 1);
    EXPECT_TRUE(WindowState.views[0].active);
    EXPECT_EQ(WindowState.views[0].vx, 38);
    EXPECT_EQ(WindowState.views[0].pw, 640);
    EXPECT_EQ(WindowState.views[0].angle, 15);
    EXPECT_FALSE(WindowState.views[1].active);
}
