// The action functions' own rules: the directions text of action_move, lives
// crossing 0, relative score rounding, comparisons of mixed kinds, alarms,
// missing resources, and named library actions packed and run.
#include "tests/world/RunningGameFixture.h"

#include "code/ArgumentVariables.h"
#include "code/ErrorReport.h"
#include "world/GameState.h"

#include <string>

namespace {

class ActionFunctionsTest : public RunningGameFixture {
protected:
    void SetUp() override
    {
        RunningGameFixture::SetUp();
        ArgumentRelative = false;
        LoadGame("[[object]]\nname = \"obj_actor\"\n"
                 "[[object]]\nname = \"obj_watch\"\n"
                 "[[object.event]]\non = \"other[no_more_lives]\"\ncode = \"global.lost += 1;\"\n"
                 "[[object]]\nname = \"obj_rocket\"\n"
                 "[[object.event]]\non = \"create\"\ncode = \"show_debug_message(string(speed) + ' ' + "
                 "string(direction));\"\n"
                 "[[room]]\nname = \"rm\"\n[[room.instance]]\nobject = \"obj_actor\"\nx = 50\ny = 60\n"
                 "[[room.instance]]\nobject = \"obj_watch\"\n");
        StartGame();
        Run("global.lost = 0;");
    }
    void TearDown() override
    {
        ArgumentRelative = false;
        RunningGameFixture::TearDown();
    }
    double Real(const std::string& expression) { return Evaluate(expression).val; }
};

TEST_F(ActionFunctionsTest, TheCasesThatActionsAddToTheFunctionsTheyForwardTo)
{
    struct {
        const char* code;
        bool relative;
        const char* expression;
        double expected;
        const char* error; // "" for none
    } cases[] = {
        // Only the middle "1": stop.
        {"speed = 3; direction = 90; action_move('000010000', 4);", false, "speed * 1000 + direction", 0, ""},
        {"speed = 3; direction = 90; action_move('00001000', 4);", false, "speed * 1000 + direction", 3090,
         "Wrong argument to action_move()."},
        {"speed = 3; direction = 90; action_move('010000000', 4);", false, "speed * 1000 + direction", 4270, ""},
        {"speed = 3; direction = 90; action_move('000000000', 4);", false, "speed * 1000 + direction", 3090, ""},
        {"speed = 3; direction = 90; action_move('000000001', 2);", true, "speed * 1000 + direction", 5045, ""},
        // Relative score rounds the value first, half to even.
        {"score = 1; action_set_score(2.5);", true, "score", 3, ""},
        {"score = 1; action_set_score(2.5);", false, "score", 2, ""},
        {"lives = 1; action_set_life(0);", false, "global.lost", 1, ""},
        {"lives = 0; action_set_life(-1);", false, "global.lost", 0, ""},
        {"lives = 3; action_set_life(-3);", true, "global.lost * 10 + lives", 10, ""},
        {"health = 10; action_set_health(-10);", true, "health", 0, ""},
        {"a = action_if_variable('a', 1, 0);", false, "a", 0, "Cannot compare arguments."},
        {"a = action_if_variable('a', 'b', 1);", false, "a", 1, ""},
        {"a = action_if_variable(2, 2.00000000000001, 0);", false, "a", 1, ""},
        {"a = action_if_variable(3, 2, 2);", false, "a", 1, ""},
        {"a = action_if_number(obj_watch, 1, 0) + action_if_number(obj_watch, 2, 1) * 10;", false, "a", 11, ""},
        {"a = action_if_dice(1) + action_if_dice(0.5);", false, "a", 2, ""},
        {"a = action_replace_sprite(99, 'none.png', 1);", false, "a", 0, "Trying to replace non-existing resource."},
        {"a = action_replace_background(-1, 'none.png');", false, "a", 0, "Trying to replace non-existing resource."},
        {"alarm[0] = -1; action_set_alarm(5, 0);", true, "alarm[0]", 5, ""},
        {"alarm[0] = 3; action_set_alarm(5, 0);", true, "alarm[0]", 8, ""},
        {"action_move_to(10, -5);", true, "x * 1000 + y", 60055, ""},
        {"action_set_sprite(42, 1);", false, "sprite_index", -1, "Setting instance to non-existing sprite: 42"},
        {"a = action_fill_color(5);", false, "a", 0, ""},
        {"a = action_partemit_burst(3, 0, 10);", false, "a", 0, "The particle emitter must first be created."},
        // Not an action, but the same kind of question: the first named instance's sprite.
        {"sprite_index = -1; a = instance_sprite(self) * 10 + instance_sprite(noone);", false, "a", -11, ""},
    };
    for (const auto& c : cases) {
        Run("x = 50; y = 60; a = -1; global.lost = 0;");
        Error_Last.clear();
        ArgumentRelative = c.relative;
        Run(c.code);
        ArgumentRelative = false;
        EXPECT_DOUBLE_EQ(Real(c.expression), c.expected) << c.code;
        if (*c.error)
            EXPECT_NE(Error_Last.find(c.error), std::string::npos) << c.code << ": " << Error_Last;
        else
            EXPECT_EQ(Error_Last, "") << c.code;
    }
}

TEST_F(ActionFunctionsTest, CreatedInstancesMoveBeforeTheirCreateEvent)
{
    ArgumentRelative = true;
    Run("action_create_object_motion(obj_rocket, 5, 5, 3, 90);");
    ArgumentRelative = false;
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"3 90"});
    EXPECT_EQ(Real("instance_find(obj_rocket, 0).x * 1000 + instance_find(obj_rocket, 0).y"), 55065);
    // None of the four exists: nothing is made.
    Run("action_create_object_random(-1, 77, 78, 79, 0, 0);");
    EXPECT_EQ(Real("instance_number(all)"), 3);
}

} // namespace
