// Motion planning: the grid search and its path, the linear and potential
// steps, and the path builders, asked by an actor in a small room.
#include "tests/motion/MotionGameFixture.h"

#include "code/ErrorReport.h"
#include "data/Path.h"
#include "data/Resources.h"
#include "motion/Grid.h"
#include "motion/Planning.h"

#include <string>

namespace {

class PlanningTest : public MotionGameFixture {
protected:
    // The actor at (100, 100), a solid wall at (120, 100), 8 × 8 squares;
    // an empty path to fill.
    void StartScene()
    {
        Grid_DestroyAll();
        PotentialSettings = RPotentialSettings();
        LoadGame("[[path]]\nname = \"pth\"\npoints = [[0, 0], [1, 1]]\n" + ObjectToml("obj_actor", "", {}) +
                 ObjectToml("obj_wall", "solid = true", {}) + ObjectToml("obj_mark", "", {}) +
                 RoomToml({{"obj_actor", 100, 100}, {"obj_wall", 120, 100}}));
        AddSquare({"obj_actor", "obj_wall", "obj_mark"});
        StartGame();
    }

    std::string Points()
    {
        std::string text;
        for (const RWayPoint& p : Paths.Get(0)->i_points)
            text += "(" + std::to_string(static_cast<int>(p.x)) + "," + std::to_string(static_cast<int>(p.y)) + ")";
        return text;
    }
};

TEST_F(PlanningTest, GridSearchPrefersLeftThenUpOnTheWayBackAndWipesItsMarks)
{
    StartScene();
    Run("g = mp_grid_create(0, 0, 3, 3, 16, 16);");
    EXPECT_EQ(Real("mp_grid_path(g, pth, 8, 8, 40, 40, false)"), 1);
    EXPECT_EQ(Points(), "(8,8)(8,24)(8,40)(24,40)(40,40)");
    EXPECT_FALSE(Paths.Get(0)->i_closed);
    EXPECT_EQ(Real("mp_grid_path(g, pth, 8, 8, 40, 40, true)"), 1);
    EXPECT_EQ(Points(), "(8,8)(24,24)(40,40)");
    for (int32_t cell : Grid_Get(0)->i_cells)
        EXPECT_LE(cell, 0);
}

TEST_F(PlanningTest, GridSearchGoesAroundWallsAndFailsWhenTheGoalIsEnclosed)
{
    StartScene();
    // A wall down column 2 with a gap at the bottom row of a 5 × 5 grid;
    // walking back from the goal the left neighbour wins, so the way up
    // runs along column 3.
    Run("g = mp_grid_create(0, 0, 5, 5, 10, 10); mp_grid_add_rectangle(g, 20, 0, 29, 39);");
    EXPECT_EQ(Real("mp_grid_path(g, pth, 5, 5, 45, 5, false)"), 1);
    EXPECT_EQ(Points(), "(5,5)(5,15)(5,25)(5,35)(5,45)(15,45)(25,45)(35,45)(35,35)(35,25)(35,15)(35,5)(45,5)");
    // Diagonals never cut the wall's corner: (25, 45) to (35, 35) is not taken.
    EXPECT_EQ(Real("mp_grid_path(g, pth, 5, 5, 45, 5, true)"), 1);
    EXPECT_EQ(Points(), "(5,5)(15,15)(15,25)(15,35)(15,45)(25,45)(35,45)(45,35)(45,25)(45,15)(45,5)");

    // Closing the gap encloses the goal: no path, and the path stays as it was.
    const std::string before = Points();
    Run("mp_grid_add_cell(g, 2, 4);");
    EXPECT_EQ(Real("mp_grid_path(g, pth, 5, 5, 45, 5, true)"), 0);
    EXPECT_EQ(Points(), before);
    // A forbidden start, and a start outside the grid, fail at once.
    EXPECT_EQ(Real("mp_grid_path(g, pth, 25, 5, 5, 5, false)"), 0);
    EXPECT_EQ(Real("mp_grid_path(g, pth, -1, 5, 5, 5, false)"), 0);
    EXPECT_EQ(Real("mp_grid_path(g, pth, 5, 5, 50, 5, false)"), 0);
    EXPECT_EQ(Points(), before);
    for (int32_t cell : Grid_Get(0)->i_cells)
        EXPECT_LE(cell, 0);
}

TEST_F(PlanningTest, GridCellsRectanglesInstancesAndSlots)
{
    StartScene();
    Run("a = mp_grid_create(0, 0, 4, 4, 10, 10); b = mp_grid_create(0, 0, 1, 1, 1, 1); mp_grid_destroy(a);"
        "c = mp_grid_create(0, 0, 20, 20, 8, 8);");
    EXPECT_EQ(Real("c"), 0); // the first empty slot is taken again
    EXPECT_EQ(Real("b"), 1);
    // The wall's box (120..127, 100..107) covers column 15, rows 12 and 13.
    Run("mp_grid_add_instances(c, obj_wall, false); mp_grid_add_cell(c, 99, 0); mp_grid_clear_cell(c, -1, 0);");
    const CGrid& grid = *Grid_Get(0);
    int forbidden = 0;
    for (int32_t cell : grid.i_cells)
        forbidden += cell == CGrid::kForbidden;
    EXPECT_EQ(forbidden, 2);
    EXPECT_EQ(grid.Cell(15, 12), CGrid::kForbidden);
    EXPECT_EQ(grid.Cell(15, 13), CGrid::kForbidden);
    // Rectangles clamp into the grid, in either corner order.
    Run("mp_grid_clear_all(c); mp_grid_add_rectangle(c, 1000, 1000, 150, 150);");
    forbidden = 0;
    for (int32_t cell : grid.i_cells)
        forbidden += cell == CGrid::kForbidden;
    EXPECT_EQ(forbidden, 2 * 2);
    Run("mp_grid_clear_rectangle(c, 0, 0, 159, 159);");
    EXPECT_EQ(grid.Cell(19, 19), CGrid::kFree);
    // Unknown grids are ignored; a path that does not exist is an error.
    Run("mp_grid_add_cell(77, 0, 0); mp_grid_clear_all(-1); r = mp_grid_path(c, 99, 4, 4, 20, 20, false);");
    EXPECT_EQ(Real("r"), 0);
    EXPECT_NE(Error_Last.find("Trying to assign to a non-existing path."), std::string::npos);
}

TEST_F(PlanningTest, LinearStepStopsWhenBlockedAndAnswersWhetherTheGoalWasWithinReach)
{
    StartScene();
    struct {
        const char* code;
        double x, y, answer;
    } cases[] = {
        {"a = mp_linear_step(103, 100, 4, false);", 103, 100, 1},
        {"a = mp_linear_step(110, 100, 4, false);", 104, 100, 0},
        {"a = mp_linear_step(100, 100, 4, false);", 100, 100, 1},
        // The goal inside the wall: the actor stays and still answers 1.
        {"x = 110; a = mp_linear_step(113, 100, 4, false);", 110, 100, 1},
        {"x = 110; a = mp_linear_step(130, 100, 4, false);", 110, 100, 0},
        {"x = 110; a = mp_linear_step_object(130, 100, 4, obj_mark);", 114, 100, 0},
    };
    for (const auto& c : cases) {
        Run(std::string("x = 100; y = 100; direction = 90; a = -1;") + c.code);
        EXPECT_EQ(Real("x"), c.x) << c.code;
        EXPECT_EQ(Real("y"), c.y) << c.code;
        EXPECT_EQ(Real("a"), c.answer) << c.code;
    }
    Run("x = 100; y = 100; direction = 90; mp_linear_step(100, 110, 4, false);");
    EXPECT_EQ(Real("direction"), 270);
}

TEST_F(PlanningTest, PotentialStepTurnsOnlyWithinMaxrotAndGetsAroundTheWall)
{
    StartScene();
    Run("mp_potential_settings(0, 0, 0, false);");
    EXPECT_EQ(PotentialSettings.maxrot, 1);
    EXPECT_EQ(PotentialSettings.rotstep, 1);
    EXPECT_EQ(PotentialSettings.ahead, 1);
    EXPECT_FALSE(PotentialSettings.onspot);

    // The wall straight ahead, heading right: every direction within 30
    // degrees is blocked three steps ahead, so the actor turns on the spot.
    Run("mp_potential_settings(30, 10, 3, true); x = 108; y = 100; direction = 0;"
        "a = mp_potential_step(200, 100, 4, false);");
    EXPECT_EQ(Real("a"), 0);
    EXPECT_EQ(Real("x"), 108);
    EXPECT_EQ(Real("direction"), 30);

    // Step by step it finds its way round to the far side.
    Run("x = 100; y = 100; direction = 0; n = 0;"
        "while (!mp_potential_step(160, 100, 2, false) && n < 500) n += 1;");
    EXPECT_EQ(Real("x"), 160);
    EXPECT_EQ(Real("y"), 100);
    EXPECT_LT(Real("n"), 500);
}

TEST_F(PlanningTest, PathBuildersLeaveTheInstanceWhereItWas)
{
    StartScene();
    Run("x = 100; y = 50; direction = 45; speed = 3; a = mp_linear_path(pth, 100, 80, 10, false);");
    EXPECT_EQ(Real("a"), 1);
    EXPECT_EQ(Points(), "(100,50)(100,60)(100,70)(100,80)");
    EXPECT_EQ(Real("x * 1000 + y"), 100050);
    EXPECT_EQ(Real("direction"), 45);
    EXPECT_EQ(Real("speed"), 3);
    // Straight into the wall: the builder stops where the steps stop.
    Run("x = 100; y = 100; a = mp_linear_path(pth, 140, 100, 4, false);");
    EXPECT_EQ(Real("a"), 0);
    EXPECT_EQ(Points(), "(100,100)(104,100)(108,100)(112,100)");
    EXPECT_EQ(Real("x"), 100);

    Run("x = 100; y = 100; direction = 0; a = mp_potential_path(pth, 160, 100, 2, 4, false);");
    EXPECT_EQ(Real("a"), 1);
    EXPECT_EQ(Paths.Get(0)->i_points.back().x, 160);
    EXPECT_EQ(Real("x * 1000 + y"), 100100);
    // Too short a length limit, a factor below 1, and a step of 0 all fail.
    EXPECT_EQ(Real("mp_potential_path(pth, 160, 100, 2, 1, false)"), 0);
    EXPECT_EQ(Real("mp_potential_path(pth, 160, 100, 2, 0.5, false)"), 0);
    EXPECT_EQ(Real("mp_linear_path(pth, 160, 100, 0, false)"), 0);
    // Walled in on every side with no turning on the spot: the builder still ends.
    Run("mp_potential_settings(30, 10, 3, false); instance_create(92, 100, obj_wall);"
        "instance_create(100, 92, obj_wall); instance_create(100, 108, obj_wall); x = 100; y = 100;");
    EXPECT_EQ(Real("mp_potential_path(pth, 300, 300, 4, 2, false)"), 0);
}

} // namespace
