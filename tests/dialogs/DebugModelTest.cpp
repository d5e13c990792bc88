// The debug window's contents: value texts, watches, the views of variables
// and instances, and its actions on a running game.
#include "dialogs/DebugModel.h"
#include "code/ErrorReport.h"
#include "tests/world/RunningGameFixture.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

namespace {

using DebugModelTest = RunningGameFixture;

TEST(DebugText, ValuesAndVariableLines)
{
    struct {
        RValue value;
        const char* text;
    } cases[] = {{RValue(1.0 / 3), "0.3333333333"}, {RValue(2.5), "2.50"},      {RValue(7.0), "7"},
                 {RValue(-0.125), "-0.1250"},        {RValue(1e-5), "0.000010"}, {RValue(3.14159265), "3.14159265"},
                 {RValue(7.0000000000001), "7"},     {RValue(-0.0), "0"},        {RValue("text"), "text"}};
    for (const auto& c : cases)
        EXPECT_EQ(Debug_ValueText(c.value), c.text);
    EXPECT_EQ(Debug_VariableLine("x", "5"), "x:                  5");
    EXPECT_EQ(Debug_VariableLine("a_rather_long_name_here", "1"), "a_rather_long_name_here:1");
    EXPECT_EQ(Debug_VariableLine("s", std::string("a\0b", 3)), "s:                  ab");
}

TEST_F(DebugModelTest, WatchesViewsAndActions)
{
    LoadGame(R"(
[[object]]
name = "obj_a"
[[object]]
name = "obj_b"
[[object.event]]
on = "create"
code = "hits = 3;"
[[room]]
name = "r"
[[room.instance]]
object = "obj_a"
[[room.instance]]
object = "obj_b"
x = 10
[[room.instance]]
object = "obj_b"
x = 20
)");
    StartGame();
    Run("global.lives_left = 2;");
    CDebugModel model;
    model.AddWatch("1/3");
    model.AddWatch("2.5 +");
    model.AddWatch("global.lives_left * 7");
    model.Refresh();
    const auto& watches = model.View().watches;
    ASSERT_EQ(watches.size(), 3u);
    EXPECT_EQ(watches[0].second, "0.3333333333");
    EXPECT_EQ(watches[1].second, "COMPILE ERROR"); // the others are still evaluated
    EXPECT_EQ(watches[2].second, "14");
    model.ChangeWatch(1, "2.5");
    model.DeleteWatch(0);
    model.Refresh();
    EXPECT_EQ(model.View().watches[0], (std::pair<std::string, std::string>{"2.5", "2.50"}));

    model.Handle({EDebugAction::ShowView, CDebugModel::kInstances, ""});
    EXPECT_EQ(model.View().views[CDebugModel::kInstances].text,
              "   Id     Object Name    Sprite Name\r\n____________________________________\r\n"
              "100001          obj_a               \r\n100002          obj_b               \r\n"
              "100003          obj_b               \r\n");
    model.Handle({EDebugAction::ShowView, CDebugModel::kGlobals, ""});
    const std::string& globals = model.View().views[CDebugModel::kGlobals].text;
    EXPECT_NE(globals.find("score:              0\r\n"), std::string::npos);
    EXPECT_NE(globals.find(std::string(kDebugSeparator) + "\r\n"), std::string::npos);
    EXPECT_NE(globals.find("lives_left:         2\r\n"), std::string::npos);

    // A view asked for by object name follows the first instance of that object.
    ASSERT_TRUE(model.OpenLocals("obj_b"));
    ASSERT_TRUE(model.OpenLocals("100001"));
    ASSERT_TRUE(model.OpenLocals("nothing"));
    model.Refresh();
    const auto& views = model.View().views;
    EXPECT_EQ(views[3].caption, "Local Variables for obj_b");
    EXPECT_EQ(views[3].text.rfind(Debug_VariableLine("x", "10") + "\r\n", 0), 0u);
    EXPECT_NE(views[3].text.find("hits:               3\r\n"), std::string::npos);
    EXPECT_EQ(views[4].text.rfind(Debug_VariableLine("x", "0") + "\r\n", 0), 0u);
    EXPECT_EQ(views[5].text, "NO SUCH INSTANCE EXISTS");
    Run("with (100002) instance_destroy();");
    Step();
    model.Refresh();
    EXPECT_EQ(views[3].text.rfind(Debug_VariableLine("x", "20") + "\r\n", 0), 0u);

    // At most 100 local views at once; a closed one is used again.
    for (int k = 3; k < kMostLocalViews; ++k)
        ASSERT_TRUE(model.OpenLocals("obj_a"));
    EXPECT_FALSE(model.OpenLocals("obj_a"));
    model.Handle({EDebugAction::HideView, 4, ""});
    EXPECT_TRUE(model.OpenLocals("obj_b"));
    EXPECT_EQ(model.View().views.size(), static_cast<size_t>(CDebugModel::kFirstLocals + kMostLocalViews));

    EXPECT_EQ(model.ExecuteCode("global.lives_left = 9;"), "");
    EXPECT_EQ(Evaluate("global.lives_left").val, 9);
    EXPECT_EQ(model.ExecuteCode("global.lives_left = = 1;"), "COMPILE ERROR");
    EXPECT_EQ(model.View().lastCode, "global.lives_left = = 1;");
    Error_Reset();
    EXPECT_EQ(model.ExecuteCode("global.lives_left = no_such_variable;"), "");
    EXPECT_EQ(Error_Last.rfind("ERROR in\r\ncode executed from the debug window:\r\n", 0), 0u) << Error_Last;
    Error_Reset();
    EXPECT_FALSE(model.SetSpeed("fast"));
    EXPECT_TRUE(model.SetSpeed("45"));
    EXPECT_EQ(CurrentRoom->r_speed, 45);

    // Pause, one step, run on; stop while paused ends the game.
    StepLoop.running = true;
    const int64_t steps = StepLoop.steps;
    model.Handle({EDebugAction::Step, -1, ""}); // not paused: nothing
    EXPECT_EQ(StepLoop.steps, steps);
    model.Handle({EDebugAction::Pause, -1, ""});
    EXPECT_TRUE(StepLoop.paused);
    model.Handle({EDebugAction::Step, -1, ""});
    EXPECT_EQ(StepLoop.steps, steps + 1);
    model.Handle({EDebugAction::Run, -1, ""});
    EXPECT_FALSE(StepLoop.paused);
    model.Handle({EDebugAction::Pause, -1, ""});
    model.Handle({EDebugAction::Stop, -1, ""});
    EXPECT_FALSE(StepLoop.paused);
    EXPECT_EQ(PendingRoomChange, kChangeEnd);
    StepLoop = RStepLoopState();
}

TEST_F(DebugModelTest, WatchFilesAndMessages)
{
    CDebugModel model;
    model.AddWatch("a + 1");
    model.AddWatch("b");
    const std::string file = w_folder.File("watches.txt");
    ASSERT_TRUE(model.SaveWatches(file));
    model.ClearWatches();
    ASSERT_TRUE(model.LoadWatches(file));
    ASSERT_TRUE(model.LoadWatches(file));
    model.Refresh();
    EXPECT_EQ(model.View().watches.size(), 4u);
    EXPECT_EQ(model.View().watches[3].first, "b");
    EXPECT_FALSE(model.LoadWatches(w_folder.File("none.txt")));
    model.AppendMessage("one");
    model.AppendMessage("two");
    EXPECT_EQ(model.View().views[CDebugModel::kMessages].text, "one\r\ntwo\r\n");
    EXPECT_FALSE(model.View().views[CDebugModel::kMessages].shown); // made, not shown
}

} // namespace
