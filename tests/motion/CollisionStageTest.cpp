// The collision and boundary stages of a running game, and path following
// in the step.
#include "tests/motion/MotionGameFixture.h"

#include "motion/Collision.h"
#include "world/Instance.h"
#include "world/Rooms.h"

namespace {

class CollisionStageTest : public MotionGameFixture {};

// a moves right into b, which moves left; each shows where it is in its event.
TEST_F(CollisionStageTest, SolidPairsGoBackBeforeTheirEventsAndMoveOnAfter)
{
    struct {
        const char* what;
        bool solidA, solidB, reverse;
        Lines messages;
        double ax, bx;
        bool lookAround = false;
    } cases[] = {
        {"both solid, still colliding after the move", true, true, false, {"a at 0", "b at 12"}, 0, 12},
        {"one solid is enough", false, true, false, {"a at 0", "b at 12"}, 0, 12},
        {"neither solid", false, false, false, {"a at 4", "b at 8"}, 4, 8},
        // The events reversed the motion: the pair moves apart in this step.
        {"solid and turned back", true, true, true, {"a at 0", "b at 12"}, -4, 16},
        // The same when the events also tried other places first.
        {"solid, looked around and turned back", true, true, true, {"a at 0", "b at 12"}, -4, 16, true},
    };
    for (const auto& c : cases) {
        std::string turn = c.reverse ? "hspeed = -hspeed;" : "";
        if (c.lookAround)
            turn += "place_free(x + 100, y);";
        LoadGame(ObjectToml("obj_a", c.solidA ? "solid = true" : "",
                            {{"create", "hspeed = 4;"},
                             {"collision[obj_b]", "show_debug_message('a at ' + string(x));" + turn}}) +
                 ObjectToml("obj_b", c.solidB ? "solid = true" : "",
                            {{"create", "hspeed = -4;"},
                             {"collision[obj_a]", "show_debug_message('b at ' + string(x));" + turn}}) +
                 RoomToml({{"obj_a", 0, 0}, {"obj_b", 12, 0}}));
        AddSquare({"obj_a", "obj_b"});
        StartGame();
        Step();
        EXPECT_EQ(TakeMessages(), c.messages) << c.what;
        EXPECT_EQ(Real("obj_a.x"), c.ax) << c.what;
        EXPECT_EQ(Real("obj_b.x"), c.bx) << c.what;
        TearDown();
        SetUp();
    }
}

TEST_F(CollisionStageTest, SameObjectPairsMeetOnceEachInListOrder)
{
    LoadGame(ObjectToml("obj_ball", "",
                        {{"collision[obj_ball]", "show_debug_message(string(id) + ' meets ' + string(other.id));"}}) +
             RoomToml({{"obj_ball", 0, 0}, {"obj_ball", 2, 0}, {"obj_ball", 100, 0}, {"obj_ball", 4, 0}}));
    AddSquare({"obj_ball"});
    StartGame();
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"100001 meets 100002", "100002 meets 100001", "100001 meets 100004",
                                     "100004 meets 100001", "100002 meets 100004", "100004 meets 100002"}));
}

TEST_F(CollisionStageTest, AnEventWithAParentAnswersItsChildrenAndOnlyOneSideMayHaveOne)
{
    LoadGame(ObjectToml("obj_wall", "", {}) + ObjectToml("obj_brick", "parent = \"obj_wall\"", {}) +
             ObjectToml("obj_ball", "",
                        {{"collision[obj_wall]", "show_debug_message('ball meets brick ' + string(other.object_index == obj_brick));"}}) +
             RoomToml({{"obj_ball", 0, 0}, {"obj_brick", 4, 4}}));
    AddSquare({"obj_ball", "obj_brick"});
    StartGame();
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"ball meets brick 1"}));
}

TEST_F(CollisionStageTest, TheOtherSideRunsItsEventEvenWhenDestroyedInTheFirst)
{
    LoadGame(ObjectToml("obj_a", "", {{"collision[obj_b]", "with (other) instance_destroy(); show_debug_message('a');"}}) +
             ObjectToml("obj_b", "", {{"collision[obj_a]", "show_debug_message('b sees ' + string(other.id));"}}) +
             RoomToml({{"obj_a", 0, 0}, {"obj_b", 4, 0}}));
    AddSquare({"obj_a", "obj_b"});
    StartGame();
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"a", "b sees 100001"}));
    EXPECT_EQ(Real("instance_number(obj_b)"), 0);
}

// The index of candidates must find exactly the pairs that testing every
// pair finds: squares scattered over the room, some turned, some wider than
// the index keeps with the others.
TEST_F(CollisionStageTest, EveryMeetingPairIsFoundAmongManyInstances)
{
    LoadGame(ObjectToml("obj_control", "", {{"create", "global.hits = 0;"}}) +
             ObjectToml("obj_dot", "", {{"collision[obj_dot]", "global.hits += 1;"}}) +
             ObjectToml("obj_other", "", {{"collision[obj_dot]", "global.hits += 1000;"}}) +
             RoomToml({{"obj_control", 0, 0}}));
    AddSquare({"obj_dot", "obj_other"});
    StartGame();
    Run("var i; for (i = 0; i < 400; i += 1) {"
        "  with (instance_create((i * 37) mod 600, (i * 53) mod 440, obj_dot)) {"
        "    if (i mod 7 == 0) image_angle = 45;"
        "    if (i mod 50 == 0) image_xscale = 200;"
        "    if (i mod 61 == 0) image_yscale = -3;"
        "  }"
        "}"
        "for (i = 0; i < 40; i += 1) instance_create((i * 71) mod 600, (i * 29) mod 440, obj_other);");
    CLiveRoom* room = CurrentRoom;
    int64_t expected = 0;
    for (int32_t k = 0; k < room->InstanceCount(); ++k)
        for (int32_t n = k + 1; n < room->InstanceCount(); ++n) {
            const CInstance* a = room->InstanceAt(k);
            const CInstance* b = room->InstanceAt(n);
            if (!Collision_Instance(*a, *b, true))
                continue;
            int dots = (a->i_objectindex == 1) + (b->i_objectindex == 1);
            expected += dots == 2 ? 2 : dots == 1 ? 1000 : 0;
        }
    ASSERT_GT(expected % 1000, 20) << "the scene should hold many meeting dots";
    ASSERT_GT(expected / 1000, 5);
    Step();
    EXPECT_EQ(Real("global.hits"), static_cast<double>(expected));
}

// Later meetings are judged by where earlier events and put-backs left the
// instances, not by where they stood when the stage began.
TEST_F(CollisionStageTest, LaterMeetingsSeeWhatEarlierOnesMovedOrMade)
{
    LoadGame(ObjectToml("obj_a", "",
                        {{"collision[obj_b]",
                          "show_debug_message(string(id) + ' meets ' + string(other.id));"
                          "if (id == 100001) { (100004).x = 200; instance_create(200, 0, obj_b); }"}}) +
             ObjectToml("obj_b", "", {}) +
             RoomToml({{"obj_a", 0, 0}, {"obj_a", 200, 0}, {"obj_b", 4, 0}, {"obj_b", 500, 0}}));
    AddSquare({"obj_a", "obj_b"});
    StartGame();
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"100001 meets 100003", "100002 meets 100004", "100002 meets 100005"}));

    // b3 moves into b1 and is put back onto b2's place: b2, later in the
    // list, meets it there in the same pass.
    LoadGame(ObjectToml("obj_ball", "solid = true",
                        {{"collision[obj_ball]", "show_debug_message(string(id) + ' meets ' + string(other.id));"}}) +
             RoomToml({{"obj_ball", 0, 0}, {"obj_ball", 20, 0}, {"obj_ball", 14, 0}}));
    AddSquare({"obj_ball"});
    StartGame();
    Run("(100003).hspeed = -8;");
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"100001 meets 100003", "100003 meets 100001", "100002 meets 100003",
                                     "100003 meets 100002"}));
}

TEST_F(CollisionStageTest, BoundaryEventsEveryStepByBoxOrPosition)
{
    std::vector<std::pair<std::string, std::string>> events;
    for (const char* on : {"outside", "boundary", "outside_view0", "boundary_view0"})
        events.push_back({std::string("other[") + on + "]", std::string("show_debug_message('") + on + " ' + string(x));"});
    LoadGame(ObjectToml("obj_square", "", events) + ObjectToml("obj_point", "", events) +
             RoomToml({{"obj_square", -20, 10}, {"obj_square", -4, 10}, {"obj_square", 100, 10},
                       {"obj_square", 400, 10}, {"obj_point", -1, 10}, {"obj_point", 640, 480}}));
    AddSquare({"obj_square"});
    StartGame();
    Lines room{"outside -20", "outside -1", "boundary -20", "boundary -4", "boundary -1"};
    Step();
    EXPECT_EQ(TakeMessages(), room);
    Step();
    EXPECT_EQ(TakeMessages(), room) << "no edge detection: again in the next step";

    CurrentRoom->r_enableviews = true;
    CurrentRoom->r_view[0] = CView{true, 0, 0, 320, 240};
    Lines views = room;
    for (const char* line : {"outside_view0 -20", "outside_view0 400", "outside_view0 -1", "outside_view0 640",
                             "boundary_view0 -20", "boundary_view0 -4", "boundary_view0 400",
                             "boundary_view0 -1", "boundary_view0 640"})
        views.push_back(line);
    Step();
    EXPECT_EQ(TakeMessages(), views);
    CurrentRoom->r_view[0].visible = false;
    Step();
    EXPECT_EQ(TakeMessages(), room);
}

TEST_F(CollisionStageTest, PathsAdvanceInTheStepAndTheirEndRaisesAnEvent)
{
    LoadGame("[[path]]\nname = \"pth_line\"\npoints = [[0, 0], [100, 0]]\nclosed = false\n" +
             ObjectToml("obj_walker", "",
                        {{"create", "path_start(pth_line, 25, 0, true);"},
                         {"step", "show_debug_message('step at ' + string(x));"},
                         {"other[end_of_path]",
                          "show_debug_message('end at ' + string(x) + ', path ' + string(path_index));"}}) +
             RoomToml({{"obj_walker", 300, 300}}));
    StartGame();
    Step(5);
    EXPECT_EQ(TakeMessages(), (Lines{"step at 0", "step at 25", "step at 50", "step at 75", "end at 100, path -1",
                                     "step at 100"}));
    EXPECT_EQ(Real("speed"), 0);
}

} // namespace
