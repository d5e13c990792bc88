// Places on paths, and instances starting and following them.
#include "data/Path.h"
#include "data/Resources.h"
#include "motion/PathFollowing.h"
#include "world/Instance.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CPath MakePath(std::vector<RWayPoint> points, bool closed)
{
    CPath path;
    path.i_points = std::move(points);
    path.i_closed = closed;
    path.Rebuild();
    return path;
}

TEST(PathPosition, ByArcLength)
{
    CPath open = MakePath({{0, 0, 100}, {100, 0, 50}, {100, 100, 100}}, false);
    struct {
        double ind, x, y, speed;
    } cases[] = {
        {0, 0, 0, 100},      {0.25, 50, 0, 75},    {0.5, 100, 0, 50},  {0.75, 100, 50, 75},
        {1, 100, 100, 100},  {-3, 0, 0, 100},      {7, 100, 100, 100}, {std::nan(""), 0, 0, 100},
    };
    for (const auto& c : cases) {
        RIntPoint p = open.GetPosition(c.ind);
        EXPECT_DOUBLE_EQ(p.x, c.x) << c.ind;
        EXPECT_DOUBLE_EQ(p.y, c.y) << c.ind;
        EXPECT_DOUBLE_EQ(p.speed, c.speed) << c.ind;
    }
    // Closed, the way back to the start is part of the length.
    CPath closed = MakePath({{0, 0, 100}, {100, 0, 100}, {100, 100, 100}}, true);
    double d = 200 + 100 * std::sqrt(2.0) / 2;
    EXPECT_NEAR(closed.XPosition(d / closed.i_length), 50, 1e-9);
    EXPECT_NEAR(closed.YPosition(d / closed.i_length), 50, 1e-9);

    RIntPoint none = CPath().GetPosition(0.5);
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.speed, 100);
    CPath single = MakePath({{7, 8, 30}}, false);
    EXPECT_EQ(single.XPosition(0.9), 7);
    // Two points on one spot: length 0, the first point.
    CPath still = MakePath({{5, 5, 20}, {5, 5, 80}}, false);
    EXPECT_EQ(still.Speed(0.5), 20);
}

class PathFollowingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // 100 pixels to the right, and a path that is only a point.
        p_line = Paths.Add(std::make_unique<CPath>(MakePath({{0, 0, 100}, {100, 0, 100}}, false)), "pth_line");
        p_point = Paths.Add(std::make_unique<CPath>(MakePath({{3, 3, 100}, {3, 3, 100}}, false)), "pth_point");
        p_instance.Create(500, 500, 100001, -1);
    }
    void TearDown() override { ClearResources(); }

    int p_line = -1, p_point = -1;
    CInstance p_instance;
};

TEST_F(PathFollowingTest, StartingPutsAbsolutePathsOnTheirOwnCoordinates)
{
    CInstance& i = p_instance;
    Assign_Path(i, p_line, 4, 1, 0, false, kPathStop);
    EXPECT_EQ(i.i_pathindex, p_line);
    EXPECT_EQ(i.i_x, 0);
    EXPECT_FALSE(Adapt_Path(i));
    EXPECT_DOUBLE_EQ(i.i_x, 4);
    EXPECT_DOUBLE_EQ(i.i_pathposition, 0.04);
    // The motion points along the path, but the speed is spent.
    EXPECT_EQ(i.i_direction, 0);
    EXPECT_EQ(i.i_speed, 0);
    EXPECT_EQ(i.i_hspeed, 0);

    // Backwards from the end of an open path: it is still traced where it
    // lies, from 100 down to 0.
    Assign_Path(i, p_line, -10, 1, 0, false, kPathStop);
    EXPECT_EQ(i.i_pathposition, 1);
    EXPECT_EQ(i.i_x, 100);
    Adapt_Path(i);
    EXPECT_DOUBLE_EQ(i.i_x, 90);
    EXPECT_EQ(i.i_direction, 180);
}

TEST_F(PathFollowingTest, PathsThatCannotBeFollowed)
{
    CInstance& i = p_instance;
    struct {
        const char* what;
        int32_t path;
        double scale;
    } cases[] = {{"length 0", p_point, 1}, {"missing", 99, 1}, {"negative index", -5, 1}, {"negative scale", p_line, -1}};
    for (const auto& c : cases) {
        i.i_pathindex = p_line;
        Assign_Path(i, c.path, 4, c.scale, 0, false, kPathStop);
        EXPECT_EQ(i.i_pathindex, c.path < 0 ? c.path : -1) << c.what;
        EXPECT_EQ(i.i_x, 500) << c.what << ": the instance stays";
        EXPECT_FALSE(Adapt_Path(i)) << c.what;
    }
    // A path deleted while followed is left alone.
    Assign_Path(i, p_line, 4, 1, 0, true, kPathStop);
    Paths.Set(p_line, nullptr, "");
    EXPECT_FALSE(Adapt_Path(i));
    EXPECT_EQ(i.i_x, 500);
}

TEST_F(PathFollowingTest, RelativePathsAreShiftedTurnedAndScaledAroundTheStart)
{
    int first10 = Paths.Add(std::make_unique<CPath>(MakePath({{10, 10, 100}, {110, 10, 100}}, false)), "pth_off");
    struct {
        double orientation, scale, x, y, direction;
    } cases[] = {{0, 1, 210, 300, 0}, {90, 1, 200, 290, 90}, {180, 2, 180, 300, 180}};
    for (const auto& c : cases) {
        CInstance i;
        i.Create(200, 300, 100002, -1);
        Assign_Path(i, first10, 10 * c.scale, c.scale, c.orientation, true, kPathStop);
        EXPECT_EQ(i.i_x, 200);
        Adapt_Path(i);
        EXPECT_NEAR(i.i_x, c.x, 1e-9) << c.orientation;
        EXPECT_NEAR(i.i_y, c.y, 1e-9) << c.orientation;
        EXPECT_EQ(i.i_direction, c.direction) << c.orientation;
    }
}

TEST_F(PathFollowingTest, EndActions)
{
    struct {
        const char* what;
        int32_t action;
        double position, speed;
        double endPosition, endSpeed;
        bool following;
        double x;
    } cases[] = {
        {"stop at the end", kPathStop, 0.98, 4, 1, 4, false, 100},
        {"stop at the start still goes to the end", kPathStop, 0.02, -4, 1, -4, false, 100},
        {"restart at the end", kPathRestart, 0.98, 4, 0.02, 4, true, 2},
        {"restart at the start", kPathRestart, 0.02, -4, 0.98, -4, true, 98},
        // Landing exactly on 0 backwards is the start: on to the end, not beyond.
        {"restart landing on the start", kPathRestart, 0.04, -4, 1, -4, true, 100},
        {"continue beyond the end", kPathContinue, 0.98, 4, 0.02, 4, true, 102},
        {"continue before the start", kPathContinue, 0.02, -4, 0.98, -4, true, -2},
        {"continue landing on the start", kPathContinue, 0.04, -4, 1, -4, true, 0},
        {"reverse at the end", kPathReverse, 0.98, 4, 0.98, -4, true, 98},
        {"reverse at the start", kPathReverse, 0.03, -4, 0.01, 4, true, 1},
        {"reverse landing on the start", kPathReverse, 0.04, -4, 0, 4, true, 0},
    };
    for (const auto& c : cases) {
        CInstance& i = p_instance;
        Assign_Path(i, p_line, c.speed, 1, 0, false, c.action);
        i.SetPosition(100 * c.position, 0);
        i.i_pathposition = c.position;
        EXPECT_TRUE(Adapt_Path(i)) << c.what;
        EXPECT_NEAR(i.i_pathposition, c.endPosition, 1e-9) << c.what;
        EXPECT_EQ(i.i_pathspeed, c.endSpeed) << c.what;
        EXPECT_EQ(i.i_pathindex >= 0, c.following) << c.what;
        EXPECT_NEAR(i.i_x, c.x, 1e-9) << c.what;
    }
}

TEST_F(PathFollowingTest, PointSpeedFactorsAndScaleSetTheProgress)
{
    int slow = Paths.Add(std::make_unique<CPath>(MakePath({{0, 0, 50}, {100, 0, 50}}, false)), "pth_slow");
    CInstance& i = p_instance;
    Assign_Path(i, slow, 4, 1, 0, false, kPathStop);
    Adapt_Path(i);
    EXPECT_DOUBLE_EQ(i.i_x, 2);
    // Twice the size takes twice the steps; the pixels per step stay.
    Assign_Path(i, p_line, 4, 2, 0, true, kPathStop);
    double before = i.i_x;
    Adapt_Path(i);
    EXPECT_DOUBLE_EQ(i.i_pathposition, 0.02);
    EXPECT_DOUBLE_EQ(i.i_x - before, 4);
}

} // namespace
