// The collision questions, the motion functions and the path functions of
// scripts, asked by an actor in a small room.
#include "tests/motion/MotionGameFixture.h"

#include "world/Rooms.h"

#include <cmath>

namespace {

class MotionFunctionsTest : public MotionGameFixture {
protected:
    // The actor (the room's first instance, which runs the code) at
    // (100, 100); a solid wall to its right; a ghost (not solid) below it;
    // further down a brick, a solid child of the wall. All 8 × 8 squares.
    void StartScene()
    {
        LoadGame("[[path]]\nname = \"pth_line\"\npoints = [[0, 0], [100, 0]]\nclosed = false\n" +
                 ObjectToml("obj_actor", "", {}) + ObjectToml("obj_wall", "solid = true", {}) +
                 ObjectToml("obj_ghost", "", {}) + ObjectToml("obj_brick", "solid = true\nparent = \"obj_wall\"", {}) +
                 ObjectToml("obj_bare", "", {}) +
                 RoomToml({{"obj_actor", 100, 100}, {"obj_wall", 120, 100}, {"obj_ghost", 100, 120},
                           {"obj_brick", 100, 140}}));
        AddSquare({"obj_actor", "obj_wall", "obj_ghost", "obj_brick"});
        StartGame();
    }
};

struct RCase {
    const char* expression;
    double expected;
};

TEST_F(MotionFunctionsTest, CollisionQuestions)
{
    StartScene();
    const double actor = 100001, wall = 100002, ghost = 100003, brick = 100004, noone = -4;
    RCase cases[] = {
        {"place_free(100, 100)", 1}, // its own place: it does not block itself
        {"place_free(113, 100)", 0},
        {"place_free(112, 100)", 1},
        {"place_free(100, 115)", 1}, // the ghost is not solid
        {"place_empty(100, 115)", 0},
        {"place_meeting(100, 115, obj_ghost)", 1},
        {"place_meeting(100, 115, obj_wall)", 0},
        {"place_meeting(100, 135, obj_wall)", 1}, // the brick is a wall
        {"instance_place(100, 135, obj_wall)", brick},
        {"instance_place(100, 135, obj_ghost)", noone},
        {"instance_place(100, 135, -1)", noone},
        {"x + y", 200}, // put back after every question
        {"collision_point(121, 101, obj_wall, true, false)", wall},
        {"collision_point(100, 100, all, false, false)", actor},
        {"collision_point(100, 100, all, false, true)", noone},
        {"collision_rectangle(0, 0, 640, 480, obj_ghost, false, false)", ghost},
        {"collision_rectangle(0, 0, 640, 480, 123456, false, false)", noone},
        {"collision_line(0, 103, 640, 103, all, true, true)", wall},
        {"collision_ellipse(96, 96, 112, 112, all, true, false)", actor},
        // A circle of radius 0 is the rectangle of one point.
        {"collision_circle(100, 100, 0, all, false, false)", actor},
        {"collision_circle(99.6, 100, 0, all, false, false)", noone},
        {"distance_to_point(104, 104)", 0},
        {"distance_to_point(110, 100)", 3},
        {"distance_to_point(110, 111)", 5},
        {"distance_to_object(obj_wall)", 13},
        {"distance_to_object(obj_brick)", 33},
        {"distance_to_object(-1)", 1000000},
        {"distance_to_object(123456)", 1000000},
        {"distance_to_object(obj_bare)", 1000000},
        {"path_get_x(pth_line, 0.5)", 50},
        {"path_get_speed(pth_line, 0.5)", 100},
        {"path_get_y(99, 0.5)", -1},
    };
    for (const RCase& c : cases)
        EXPECT_EQ(Real(c.expression), c.expected) << c.expression;
}

TEST_F(MotionFunctionsTest, MotionVectorsSnapsAndWraps)
{
    StartScene();
    struct {
        const char* code;
        const char* expression;
        double expected;
    } cases[] = {
        {"motion_set(90, 2);", "hspeed * 10 + vspeed", -2},
        {"motion_set(90, 2); motion_add(0, 2);", "direction", 45},
        {"motion_set(90, 2); motion_add(0, 2);", "speed", 2 * std::sqrt(2.0)},
        // Towards its own place from rest: the direction stays, the speed follows it.
        {"direction = 180; speed = 0; move_towards_point(x, y, 3);", "hspeed", -3},
        {"move_towards_point(x + 30, y - 40, 10);", "hspeed * 10 + vspeed", 60 - 8},
        {"x = 24; move_snap(16, 0);", "x", 32},
        {"x = 8; y = 13; move_snap(16, 0);", "x * 1000 + y", 13},
        {"x = 40; y = 13; move_snap(0, 4);", "x * 1000 + y", 40012},
        {"x = 32.0005;", "place_snapped(16, 0)", 1},
        {"x = 32.01;", "place_snapped(16, 0)", 0},
        {"x = 32; y = 5;", "place_snapped(16, 5) + place_snapped(0, 0)", 2},
        {"x = -1; move_wrap(true, false, 0);", "x", 639},
        {"x = 700; y = -1; move_wrap(true, false, 50);", "x * 1000 + y", -40001},
        {"x = 5; y = 481; move_wrap(false, true, 0);", "x * 1000 + y", 5001},
        // The action wraps by the sprite size, only in the direction of motion.
        {"x = -1; hspeed = -2; action_wrap(0);", "x", 647},
        {"x = -1; hspeed = 2; action_wrap(2);", "x", -1},
        {"y = 480; vspeed = 1; action_wrap(1);", "y", -8},
    };
    for (const auto& c : cases) {
        Run(std::string("x = 100; y = 100; speed = 0; direction = 0;") + c.code);
        EXPECT_NEAR(Real(c.expression), c.expected, 1e-9) << c.code;
    }
}

TEST_F(MotionFunctionsTest, ContactAndOutside)
{
    StartScene();
    struct {
        const char* code;
        double x, y;
        double answer; // what the move answered, when it answers
    } cases[] = {
        {"move_contact_solid(0, 0);", 112, 100, 0},
        {"move_contact_solid(0, 5);", 105, 100, 0},
        {"move_contact_solid(0, 0.4);", 100, 100, 0},
        {"move_contact_solid(90, -1);", 100, -900, 0}, // nothing above: 1000 pixels
        {"move_contact_all(270, 0);", 100, 112, 0},
        {"move_contact_solid(270, 0);", 100, 132, 0}, // through the ghost to the brick
        {"x = 118; move_contact_solid(180, 0);", 118, 100, 0}, // not free: no move
        {"y = 118; a = move_outside_all(90, 0);", 100, 112, 1},
        {"a = move_outside_all(90, 0);", 100, 100, 1},
        {"x = 118; a = move_outside_solid(0, 3);", 121, 100, 0},
        {"x = 118; move_contact(0);", 128, 100, 0},
        {"move_contact(0);", 112, 100, 0},
    };
    for (const auto& c : cases) {
        Run(std::string("x = 100; y = 100; a = 0;") + c.code);
        EXPECT_EQ(Real("x"), c.x) << c.code;
        EXPECT_EQ(Real("y"), c.y) << c.code;
        EXPECT_EQ(Real("a"), c.answer) << c.code;
    }
}

TEST_F(MotionFunctionsTest, BouncingOffWallsAndCorners)
{
    StartScene();
    Run("with (obj_wall) instance_destroy(); with (obj_brick) instance_destroy();");
    struct {
        const char* walls;
        double hspeed, vspeed;
    } cases[] = {
        {"instance_create(108, 100, obj_wall);", -4, 4},
        {"instance_create(100, 108, obj_wall);", 4, -4},
        {"instance_create(108, 100, obj_wall); instance_create(100, 108, obj_wall);", -4, -4},
        {"instance_create(108, 108, obj_wall);", -4, -4}, // only the diagonal is blocked
        {"", 4, 4},
    };
    for (const auto& c : cases) {
        Run(std::string("with (obj_wall) instance_destroy();") + c.walls +
            "x = 100; y = 100; hspeed = 4; vspeed = 4; move_bounce_solid(false);");
        EXPECT_EQ(Real("hspeed"), c.hspeed) << c.walls;
        EXPECT_EQ(Real("vspeed"), c.vspeed) << c.walls;
    }
    // The ghost is not solid: only move_bounce_all bounces off it.
    Run("with (obj_wall) instance_destroy(); x = 100; y = 110; hspeed = 0; vspeed = 4; move_bounce(false);");
    EXPECT_EQ(Real("vspeed"), 4);
    Run("move_bounce_all(false);");
    EXPECT_EQ(Real("vspeed"), -4);
}

TEST_F(MotionFunctionsTest, PreciseBounceTurnsByTheFreeDirectionsOnBothSides)
{
    StartScene();
    // A floor just below the actor: every direction from 190 to 350 degrees
    // runs into it at distance 10, while 180 and 0 stay free.
    Run("with (obj_wall) instance_destroy(); with (obj_brick) instance_destroy(); with (obj_ghost) instance_destroy();"
        "with (instance_create(60, 108, obj_wall)) image_xscale = 10;");
    struct {
        double direction, expected;
    } cases[] = {{300, 60}, {315, 40}, {270, 90}};
    for (const auto& c : cases) {
        Run("x = 100; y = 100; speed = 10; direction = " + std::to_string(c.direction) + "; move_bounce_solid(true);");
        EXPECT_NEAR(Real("direction"), c.expected, 1e-9) << c.direction;
        EXPECT_NEAR(Real("speed"), 10, 1e-9);
    }
    // Nothing near: nothing hit, nothing turns.
    Run("x = 300; y = 300; direction = 300; move_bounce_solid(true);");
    EXPECT_NEAR(Real("direction"), 300, 1e-9);
    // Standing in the floor: back to the previous place, and turned.
    Run("xprevious = 100; yprevious = 100; x = 100; y = 105; direction = 300; move_bounce_solid(true);");
    EXPECT_EQ(Real("y"), 100);
    EXPECT_NEAR(Real("direction"), 60, 1e-9);
}

TEST_F(MotionFunctionsTest, RandomPlacesKeepTheBoxInsideAndAreFree)
{
    StartScene();
    Run("with (obj_wall) instance_destroy(); with (obj_brick) instance_destroy();"
        "with (instance_create(0, 0, obj_wall)) { image_xscale = 80; image_yscale = 30; }"); // the top half
    for (int k = 0; k < 50; ++k) {
        Run("move_random(16, 1);");
        double x = Real("x"), y = Real("y");
        EXPECT_EQ(std::fmod(x, 16), 0) << x;
        EXPECT_GE(x, 0);
        EXPECT_LE(x, 632);
        EXPECT_GE(y, 240);
        EXPECT_LE(y, 472);
    }
    // The whole room blocked: the actor stays.
    Run("with (obj_wall) image_yscale = 60; x = 3; y = 5; move_random(0, 0);");
    EXPECT_EQ(Real("x * 1000 + y"), 3005);
}

TEST_F(MotionFunctionsTest, StartingAndEndingPaths)
{
    StartScene();
    Run("path_start(pth_line, -4, 0, true);");
    EXPECT_EQ(Real("path_index"), 0);
    EXPECT_EQ(Real("path_position"), 1);
    EXPECT_EQ(Real("x"), 100);
    Run("path_end();");
    EXPECT_EQ(Real("path_index"), -1);
    Run("x = 200; y = 300; path_start(pth_line, 4, 0, false);");
    Step();
    EXPECT_EQ(Real("x * 1000 + y"), 204300);
    Run("path_start(99, 4, 0, false);");
    EXPECT_EQ(Real("path_index"), -1);
}

} // namespace
