// Objects, events, time lines and rooms changed while the game runs: events
// added and cleared from inside themselves, objects and time lines deleted
// while their own code runs (run these under the sanitizers too), parents,
// and rooms built at run time and entered.
#include "tests/resources/ResourceFixture.h"

#include "world/Instance.h"
#include "world/Rooms.h"

namespace {

const char* kStepAddsToItself = R"([[object.event]]
on = "step"
code = """
show_debug_message("step " + string(n));
n += 1;
if (n == 1) object_event_add(object_index, ev_step, ev_step_normal, "show_debug_message('added');");
if (n == 3) object_event_clear(object_index, ev_step, ev_step_normal);
"""
[[object.event]]
on = "create"
code = "n = 0;"
)";

} // namespace

TEST_F(ResourceFixture, EventsAddedAndClearedFromInsideThemselves)
{
    StartWith(kStepAddsToItself);
    Step();
    // The action added to the running event runs in the same run, after it.
    EXPECT_EQ(Shown(), "step 0|added");
    Step();
    EXPECT_EQ(Shown(), "step 1|added");
    Step(); // clears itself: the added action of this run no longer runs
    EXPECT_EQ(Shown(), "step 2");
    Step();
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(TakeError(), "");
}

TEST_F(ResourceFixture, ObjectsMadeAtRunTimeGetEventsAndInstances)
{
    StartWith();
    Run("o = object_add(); object_set_depth(o, -7); object_set_visible(o, false); object_set_solid(o, true);"
        "object_event_add(o, ev_create, 0, \"show_debug_message('made ' + string(depth));\");"
        "object_event_add(o, ev_other, ev_user3, \"show_debug_message('user3');\");"
        "object_event_add(o, ev_step, ev_step_normal, \"show_debug_message('step of new');\");"
        "object_event_add(o, 99, 0, \"x = 1;\");"           // no such event type: nothing
        "object_event_add(o, ev_step, ev_step_end, \"x = \");" // does not compile: nothing
        "i = instance_create(5, 5, o); with (i) event_user(3);");
    EXPECT_EQ(Shown(), "made -7|user3");
    EXPECT_NE(TakeError().find("COMPILATION ERROR"), std::string::npos);
    EXPECT_EQ(Real("object_get_depth(o) + object_get_solid(o) * 10 + object_get_visible(o) * 100"), 3);
    Step();
    EXPECT_EQ(Shown(), "step of new");
    // Changing the object afterwards leaves the instance as it was made.
    Run("object_set_depth(o, 50);");
    EXPECT_EQ(Real("i.depth"), -7);
    Run("object_event_clear(o, ev_step, ev_step_normal);");
    Step();
    EXPECT_EQ(Shown(), "");
}

TEST_F(ResourceFixture, ParentsRefuseCyclesAndMissingObjects)
{
    StartWith();
    Run("a = object_add(); b = object_add(); c = object_add(); object_set_parent(b, a); object_set_parent(c, b);"
        "object_event_add(a, ev_other, ev_user0, \"show_debug_message('from a');\");");
    EXPECT_EQ(Real("object_is_ancestor(c, a)"), 1);
    EXPECT_EQ(Real("object_is_ancestor(a, c)"), 0);
    EXPECT_EQ(Real("object_is_ancestor(c, c)"), 0);
    EXPECT_EQ(Real("object_is_ancestor(999, a)"), -1);
    struct {
        const char* change;
        const char* message;
    } cases[] = {
        {"object_set_parent(a, a)", "Creating a cycle in the parent relation."},
        {"object_set_parent(a, c)", "Creating a cycle in the parent relation."},
        {"object_set_parent(a, 999)", "Setting a non-existing parent."},
    };
    for (const auto& c : cases) {
        Evaluate(c.change);
        EXPECT_EQ(TakeError(), c.message) << c.change;
        EXPECT_EQ(Real("object_get_parent(a)"), -1) << c.change;
    }
    Run("with (instance_create(0, 0, c)) event_user(0);");
    EXPECT_EQ(Shown(), "from a"); // inherited through b
    Run("object_set_parent(b, -5);");
    EXPECT_EQ(Real("object_get_parent(b)"), -1);
    Run("with (instance_create(0, 0, c)) event_user(0);");
    EXPECT_EQ(Shown(), "");
}

TEST_F(ResourceFixture, AnObjectDeletedByItsOwnEventFinishesTheEvent)
{
    StartWith(R"([[object.event]]
on = "step"
code = """
object_delete(object_index);
show_debug_message("still here " + string(object_exists(object_index)));
object_event_add(object_index, ev_step, 0, "x = 1;");
"""
)");
    Step();
    EXPECT_EQ(Shown(), "still here 0");
    Step(); // the instance of the deleted object has no events left
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(Text("object_get_name(0)"), "<undefined>");
}

TEST_F(ResourceFixture, TimeLinesChangedWhileTheirMomentsRun)
{
    StartWith(R"([[object.event]]
on = "create"
code = """
t = timeline_add();
timeline_moment_add(t, 2, "show_debug_message('moment 2'); timeline_moment_add(timeline_index, 1, 'show_debug_message(1)'); timeline_moment_add(timeline_index, 3, 'show_debug_message(3)');");
timeline_moment_add(t, 2, "show_debug_message('again 2');");
timeline_moment_add(t, 6, "show_debug_message('moment 6'); timeline_delete(timeline_index); show_debug_message('deleted');");
timeline_moment_add(t, 4, "show_debug_message('moment 4'); timeline_moment_clear(timeline_index, 4); timeline_moment_clear(timeline_index, 5);");
timeline_moment_add(t, 5, "show_debug_message('moment 5');");
timeline_index = t;
timeline_running = true;
"""
)");
    Step(9);
    // A moment added behind the position never runs; one ahead does. A
    // cleared moment ahead is gone; the running one finishes.
    EXPECT_EQ(Shown(), "moment 2|again 2|3|moment 4|moment 6|deleted");
    EXPECT_EQ(Real("timeline_exists(t)"), 0);
    Evaluate("timeline_delete(t)");
    EXPECT_EQ(TakeError(), "Trying to delete non-existing timeline.");
    Run("u = timeline_add(); timeline_moment_add(u, 0, 'x = '); timeline_clear(u);");
    EXPECT_NE(TakeError().find("COMPILATION ERROR"), std::string::npos);
}

TEST_F(ResourceFixture, RoomsBuiltAtRunTimeAreEnteredAsBuilt)
{
    StartWith();
    // The running room's resource changes; the room itself does not until entered afresh.
    Run("room_set_width(room, 123);");
    EXPECT_EQ(Real("room_width"), 640);
    Run("global.b = background_create_color(32, 32, c_red); global.r = room_add();"
        "room_set_width(global.r, 300); room_set_height(global.r, 200); room_set_caption(global.r, 'built');"
        "room_set_code(global.r, \"show_debug_message('room code ' + string(room_width));\");"
        "global.i1 = room_instance_add(global.r, 10, 20, obj_runner);"
        "global.t1 = room_tile_add(global.r, global.b, 0, 0, 16, 16, 40, 50, 10);"
        "global.t2 = room_tile_add_ext(global.r, global.b, 0, 0, 8, 8, 60, 70, -5, 2, 3, 0.5);"
        "room_set_background_color(global.r, c_blue, false);"
        "room_set_background(global.r, 2, true, false, global.b, 5, 6, false, true, 1, 2, 0.5);"
        "room_set_background(global.r, 9, true, false, global.b, 5, 6, false, true, 1, 2, 0.5);"
        "room_set_view_enabled(global.r, true);"
        "room_set_view(global.r, 1, true, 0, 0, 150, 100, 0, 0, 300, 200, 32, 32, -1, -1, -1);");
    EXPECT_EQ(Real("room_tile_add(global.r, 999, 0, 0, 1, 1, 0, 0, 0)"), -1);
    EXPECT_EQ(TakeError(), "Background does not exist.");
    EXPECT_EQ(Real("room_instance_add(999, 0, 0, obj_runner) + room_tile_add(999, global.b, 0, 0, 1, 1, 0, 0, 0)"), -2);
    EXPECT_EQ(TakeError(), "");
    Run("room_goto(global.r);");
    ASSERT_TRUE(Room_CarryOutPendingChange());
    EXPECT_EQ(Real("room"), Real("global.r"));
    EXPECT_EQ(Shown(), "room code 300");
    EXPECT_EQ(Real("room_width * 1000 + room_height"), 300200);
    EXPECT_EQ(Text("room_caption"), "built");
    EXPECT_EQ(Real("instance_exists(global.i1)"), 1);
    EXPECT_EQ(Real("global.i1.x * 100 + global.i1.y"), 1020);
    EXPECT_EQ(Real("tile_get_x(global.t1) * 100 + tile_get_y(global.t1)"), 4050);
    EXPECT_EQ(Real("tile_get_depth(global.t2)"), -5);
    EXPECT_EQ(Real("tile_get_xscale(global.t2) * 10 + tile_get_yscale(global.t2) + tile_get_alpha(global.t2)"), 23.5);
    EXPECT_EQ(Real("global.t2 - global.t1"), 1); // ids from the one tile counter
    EXPECT_EQ(Real("background_color"), 0xFF0000);
    EXPECT_EQ(Real("background_showcolor"), 0);
    EXPECT_EQ(Real("background_index[2] == global.b && background_visible[2] && !background_htiled[2]"), 1);
    EXPECT_EQ(Real("background_alpha[2] + background_xscale[2]"), 1.5);
    EXPECT_EQ(Real("view_enabled * 1000 + view_wview[1]"), 1150);

    // Back in the first room, entered afresh: its new width shows.
    Run("room_goto(rm_first);");
    ASSERT_TRUE(Room_CarryOutPendingChange());
    EXPECT_EQ(Real("room_width"), 123);
    Run("room_instance_clear(global.r); room_tile_clear(global.r); room_goto(global.r);");
    ASSERT_TRUE(Room_CarryOutPendingChange());
    EXPECT_EQ(Real("instance_number(obj_runner)"), 0);
}
