// Where the region is presented, and how mouse positions map between the
// client area, the region and the room.
#include "graphics/ViewMapping.h"

#include <gtest/gtest.h>

TEST(PresentRectangle, FollowsTheScale)
{
    struct Case {
        RPresentGeometry g;
        RPixelRect expected;
    } cases[] = {
        {{800, 600, 640, 480, -1}, {0, 0, 800, 600}},   // keep aspect: fills exactly
        {{800, 600, 640, 480, 1}, {80, 60, 640, 480}},  // fixed: centred, strips around
        {{800, 500, 640, 480, -1}, {66, 0, 667, 500}},  // keep aspect: bars at the sides
        {{800, 600, 640, 480, 0}, {0, 0, 800, 600}},    // stretch
        {{300, 200, 640, 480, 1}, {-170, -140, 640, 480}}, // larger than the client: negative offsets
        {{801, 601, 320, 240, 2}, {80, 60, 640, 480}},  // odd leftovers truncate
    };
    for (const Case& c : cases)
        EXPECT_EQ(Display_PresentRectangle(c.g), c.expected)
            << c.g.clientW << "x" << c.g.clientH << " scale " << c.g.scale;
    // Absurd scales stay within range instead of overflowing.
    RPixelRect huge = Display_PresentRectangle({800, 600, 640, 480, 1e300});
    EXPECT_EQ(huge.w, INT32_MAX);
    EXPECT_EQ(huge.x, INT32_MIN);
    EXPECT_EQ(Display_ClientToRegion({800, 600, 640, 480, 1e300}, 5, 5), (RRegionPoint{0, 0}));
}

TEST(MouseMapping, ClientToRegionAndBack)
{
    RPresentGeometry fixed{800, 600, 640, 480, 1};
    EXPECT_EQ(Display_ClientToRegion(fixed, 80, 60), (RRegionPoint{0, 0}));
    EXPECT_EQ(Display_ClientToRegion(fixed, 400, 300), (RRegionPoint{320, 240}));
    EXPECT_EQ(Display_RegionToClient(fixed, 320, 240), (RRegionPoint{400, 300}));

    RPresentGeometry doubled{640, 480, 320, 240, 2};
    EXPECT_EQ(Display_ClientToRegion(doubled, 101, 51), (RRegionPoint{50, 26})); // 50.5 → 50, 25.5 → 26 (ties to even)
    for (int x : {0, 17, 319})
        EXPECT_EQ(Display_ClientToRegion(doubled, static_cast<double>(Display_RegionToClient(doubled, x, x).x), 0).x, x);

    RPresentGeometry stretched{1000, 240, 500, 480, 0};
    EXPECT_EQ(Display_ClientToRegion(stretched, 500, 120), (RRegionPoint{250, 240}));
    EXPECT_EQ(Display_RegionToClient(stretched, 250, 240), (RRegionPoint{500, 120}));

    // Degenerate sizes give the origin instead of dividing by zero.
    EXPECT_EQ(Display_ClientToRegion({0, 0, 640, 480, -1}, 10, 10), (RRegionPoint{0, 0}));
    EXPECT_EQ(Display_RegionToClient({100, 100, 0, 0, 0}, 10, 10), (RRegionPoint{0, 0}));
    EXPECT_EQ(Display_ClientToRegion({0, 0, 640, 480, 0}, 10, 10), (RRegionPoint{6400, 4800}));
}

namespace {

RViewEntry View(double vx, double vy, double vw, double vh, double px, double py, double pw, double ph,
                double angle = 0)
{
    return {true, vx, vy, vw, vh, px, py, pw, ph, angle};
}

} // namespace

TEST(ViewMapping, RegionAndRoomThroughOneView)
{
    RViewEntry half = View(100, 50, 320, 240, 0, 0, 640, 480); // the room shown twice as large
    EXPECT_EQ(View_RegionToRoom(half, 640, 480), (RRegionPoint{420, 290}));
    EXPECT_EQ(View_RoomToRegion(half, 420, 290), (RRegionPoint{640, 480}));

    // A view turned by a hair counts as unturned; 90 degrees turns about the centre.
    EXPECT_EQ(View_RegionToRoom(View(0, 0, 100, 100, 0, 0, 100, 100, 0.005), 10, 0), (RRegionPoint{10, 0}));
    RViewEntry turned = View(0, 0, 100, 100, 0, 0, 100, 100, 90);
    RRegionPoint room = View_RegionToRoom(turned, 10, 0);
    EXPECT_EQ(room, (RRegionPoint{100, 10}));
    EXPECT_EQ(View_RoomToRegion(turned, static_cast<double>(room.x), static_cast<double>(room.y)), (RRegionPoint{10, 0}));

    EXPECT_FALSE(View_CanMap(View(0, 0, 0, 100, 0, 0, 100, 100)));
    EXPECT_FALSE(View_CanMap(RViewEntry{}));
}

TEST(ViewMapping, ThroughTheViewUnderThePoint)
{
    TViewTable views{};
    EXPECT_EQ(View_RegionToRoomThroughViews(views, 12.4, 7.6), (RRegionPoint{12, 8})); // no view: the region itself

    // Two overlapping ports: the higher-numbered view wins where both show.
    views[0] = View(0, 0, 200, 200, 0, 0, 200, 200);
    views[3] = View(1000, 1000, 100, 100, 50, 50, 100, 100);
    EXPECT_EQ(View_RegionToRoomThroughViews(views, 60, 60), (RRegionPoint{1010, 1010}));
    EXPECT_EQ(View_RegionToRoomThroughViews(views, 10, 10), (RRegionPoint{10, 10}));
    // Outside every view rectangle: mapped through the lowest active view.
    views[0] = View(500, 500, 100, 100, 0, 0, 100, 100);
    EXPECT_EQ(View_RegionToRoomThroughViews(views, 170, 170), (RRegionPoint{670, 670}));
}
