// Input scripts: what each line means, mistakes named by line, the order in
// which inputs come due, and playing them into the input state.
#include "platform/Keys.h"
#include "runner/InputScript.h"
#include "runner/RunnerOptions.h"
#include "world/Input.h"

#include <gtest/gtest.h>

namespace {

std::vector<RScriptedInput> All(CInputScript& script)
{
    return script.TakeDue(int64_t(1) << 40);
}

TEST(InputScript, EveryActionAndItsArguments)
{
    CInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("# a comment\n"
                             "# a comment about text\n"
                             "\n"
                             "step 2 key-down vk_left   # trailing comment\r\n"
                             "step 1 key A\n"
                             "step 3 key-up 07\n"
                             "step 3 char \xC3\xA9\n"
                             "step 3 char-code 8\n"
                             "step 4 text a #b\n"
                             "step 5 mouse-move 10 -20\n"
                             "step 5 mouse-down right 3 4\n"
                             "step 5 mouse-up 1\n"
                             "step 6 wheel down\n"
                             "step 6 close\n"
                             "step 7 joystick 2 axis v 65535\n"
                             "step 7 joystick 1 button 32 up\n"
                             "step 7 joystick 1 pov 45\n"
                             "step 7 joystick 1 pov centre\n",
                             "script.txt", error))
        << error;
    std::vector<RScriptedInput> inputs = All(script);
    struct {
        int64_t step;
        EScriptedInput kind;
        int32_t stick, a, b, c, d;
    } expected[] = {
        {1, EScriptedInput::KeyDown, 0, 'A', 0, 0, 0},
        {1, EScriptedInput::KeyUp, 0, 'A', 0, 0, 0},
        {2, EScriptedInput::KeyDown, 0, 37, 0, 0, 0},
        {3, EScriptedInput::KeyUp, 0, 7, 0, 0, 0},
        {3, EScriptedInput::Character, 0, 0xE9, 0, 0, 0},
        {3, EScriptedInput::Character, 0, 8, 0, 0, 0},
        {4, EScriptedInput::Character, 0, 'a', 0, 0, 0},
        {4, EScriptedInput::Character, 0, ' ', 0, 0, 0},
        {4, EScriptedInput::Character, 0, '#', 0, 0, 0},
        {4, EScriptedInput::Character, 0, 'b', 0, 0, 0},
        {5, EScriptedInput::MouseMove, 0, 10, -20, 0, 0},
        {5, EScriptedInput::MouseDown, 0, 2, 3, 1, 4},
        {5, EScriptedInput::MouseUp, 0, 1, 0, 0, 0},
        {6, EScriptedInput::Wheel, 0, -1, 0, 0, 0},
        {6, EScriptedInput::CloseButton, 0, 0, 0, 0, 0},
        {7, EScriptedInput::JoystickAxis, 1, 5, 65535, 0, 0},
        {7, EScriptedInput::JoystickButton, 0, 32, 0, 0, 0},
        {7, EScriptedInput::JoystickPov, 0, 4500, 0, 0, 0},
        {7, EScriptedInput::JoystickPov, 0, kPovCentred, 0, 0, 0},
    };
    ASSERT_EQ(inputs.size(), std::size(expected));
    for (size_t k = 0; k < inputs.size(); ++k) {
        const RScriptedInput& got = inputs[k];
        const auto& want = expected[k];
        EXPECT_EQ(got.step, want.step) << k;
        EXPECT_EQ(got.kind, want.kind) << k;
        EXPECT_EQ(got.stick, want.stick) << k;
        EXPECT_EQ(got.a, want.a) << k;
        EXPECT_EQ(got.b, want.b) << k;
        EXPECT_EQ(got.c, want.c) << k;
        EXPECT_EQ(got.d, want.d) << k;
    }
}

TEST(InputScript, MistakesNameTheLine)
{
    struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"key-down 37", "a line starts with 'step N'"},
        {"step", "missing the step"},
        {"step 0 close", "the step must be a whole number from 1"},
        {"step -3 close", "the step must be a whole number from 1"},
        {"step 1.5 close", "the step must be a whole number"},
        {"step 99999999999999999999 close", "the step must be a whole number"},
        {"step 2", "missing action"},
        {"step 2 jump", "unknown action 'jump'"},
        {"step 2 key-down", "missing key"},
        {"step 2 key-down 256", "'256' is not a key"},
        {"step 2 key-down vk_nothing", "'vk_nothing' is not a key"},
        {"step 2 key-down 37 38", "unexpected '38'"},
        {"step 2 char ab", "char takes one character"},
        {"step 2 char-code 300", "the character code must be a whole number from 0 to 255"},
        {"step 2 mouse-move 10", "missing y"},
        {"step 2 mouse-down 4", "'4' is not a mouse button"},
        {"step 2 mouse-down left 10", "missing y"},
        {"step 2 wheel sideways", "the wheel direction must be up or down"},
        {"step 2 close now", "unexpected 'now'"},
        {"step 2 joystick 3 axis x 0", "the joystick must be a whole number from 1 to 2"},
        {"step 2 joystick 1 axis w 0", "'w' is not a joystick axis"},
        {"step 2 joystick 1 axis x 70000", "the position must be a whole number from 0 to 65535"},
        {"step 2 joystick 1 button 33 down", "the button must be a whole number from 1 to 32"},
        {"step 2 joystick 1 button 3 pressed", "the button state must be down or up"},
        {"step 2 joystick 1 pov 360", "the angle must be 0..359 degrees or centre"},
        {"step 2 joystick 1 hat 0", "'hat' is not part of a joystick"},
        {"step 2 answer", "missing what the answer is"},
        {"step 2 answer yes", "unknown answer 'yes'"},
        {"step 2 answer button 4", "the button must be a whole number from 1 to 3"},
        {"step 2 answer menu -1", "the menu entry must be a whole number from 0"},
        {"step 2 answer color 255 0", "missing blue"},
        {"step 2 answer color 0 256 0", "green must be a whole number from 0 to 255"},
        {"step 2 answer cancel now", "unexpected 'now'"},
    };
    for (const auto& c : cases) {
        CInputScript script;
        std::string error;
        EXPECT_FALSE(script.Parse("step 1 close\n# fine so far\n" + std::string(c.line) + "\nstep 9 close\n", "in.txt",
                                  error))
            << c.line;
        EXPECT_EQ(error.rfind("in.txt:3: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.line << " gave: " << error;
        EXPECT_TRUE(script.IsEmpty());
    }
    CInputScript missing;
    std::string error;
    EXPECT_FALSE(missing.LoadFromFile("/nonexistent/input.txt", error));
    EXPECT_EQ(error, "/nonexistent/input.txt: cannot read the input script");
}

TEST(InputScript, InputsComeDueByStepInFileOrder)
{
    CInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("step 5 key-down 65\nstep 2 key-down 66\nstep 5 key-up 65\nstep 9 close\n", "s", error));
    EXPECT_TRUE(script.TakeDue(1).empty());
    EXPECT_EQ(script.TakeDue(2).size(), 1u);
    // A game waiting for a key takes the next step's inputs early, all of them.
    std::vector<RScriptedInput> next = script.TakeNext();
    ASSERT_EQ(next.size(), 2u);
    EXPECT_EQ(next[0].kind, EScriptedInput::KeyDown);
    EXPECT_EQ(next[1].kind, EScriptedInput::KeyUp);
    EXPECT_TRUE(script.TakeDue(8).empty());
    EXPECT_TRUE(script.HasMore());
    EXPECT_EQ(script.TakeDue(100).size(), 1u);
    EXPECT_FALSE(script.HasMore());
    EXPECT_TRUE(script.TakeNext().empty());
}

TEST(InputScript, DialogAnswersComeInFileOrderFromTheirStep)
{
    CInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("step 3 answer button 2\n"
                             "step 1 answer text Ann \xC3\xA9 # kept\n"
                             "step 5 answer menu 4\n"
                             "step 5 answer color 255 128 0\n"
                             "step 5 answer colour 255 0 0\n"
                             "step 6 answer cancel\n"
                             "step 7 answer text\n",
                             "s", error))
        << error;
    EXPECT_TRUE(script.IsEmpty()); // answers are no input events
    RDialogAnswer answer;
    // The file's order holds, whatever the steps: an answer waits until its
    // step has come, and holds back the ones after it.
    EXPECT_FALSE(script.TakeAnswer(2, answer));
    ASSERT_TRUE(script.TakeAnswer(3, answer));
    EXPECT_EQ(answer, (RDialogAnswer{EDialogAnswer::Button, 2, ""}));
    ASSERT_TRUE(script.TakeAnswer(3, answer));
    EXPECT_EQ(answer, (RDialogAnswer{EDialogAnswer::Text, 0, "Ann \xE9 # kept"}));
    EXPECT_FALSE(script.TakeAnswer(4, answer));
    const RDialogAnswer rest[] = {{EDialogAnswer::Menu, 4, ""},
                                  {EDialogAnswer::Color, 0x0080FF, ""},
                                  {EDialogAnswer::Color, 255, ""},
                                  {EDialogAnswer::Cancel, 0, ""},
                                  {EDialogAnswer::Text, 0, ""}};
    for (const RDialogAnswer& expected : rest) {
        ASSERT_TRUE(script.TakeAnswer(100, answer));
        EXPECT_EQ(answer, expected);
        // A recording writes each answer so that a script reads it back the same.
        CInputScript again;
        ASSERT_TRUE(again.Parse("step 1 " + InputScript_FormatAnswer(expected) + "\n", "r", error)) << error;
        RDialogAnswer read;
        ASSERT_TRUE(again.TakeAnswer(1, read));
        EXPECT_EQ(read, expected);
    }
    EXPECT_FALSE(script.TakeAnswer(100, answer));
}

TEST(InputScript, PlayingFeedsTheInputStateAndItsOwnSticks)
{
    Input_Reset();
    Platform_ResetKeys();
    std::vector<std::pair<int32_t, int32_t>> moves;
    CInputPlayer player([&moves](int32_t x, int32_t y) { moves.emplace_back(x, y); });
    CInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("step 1 key-down vk_backspace\nstep 1 text ab\nstep 1 key-down vk_enter\n"
                             "step 1 mouse-down middle 7 8\nstep 1 joystick 2 button 3 down\n"
                             "step 1 joystick 2 axis y 0\n",
                             "s", error));
    player.Play(script.TakeDue(1));
    // Backspace (before the text) typed its character; Enter's is no text.
    EXPECT_EQ(InputState.in_typed, "ab");
    EXPECT_EQ(InputState.in_lastChar, 13);
    EXPECT_TRUE(InputState.in_keyHeld[8]);
    EXPECT_TRUE(Platform_IsKeyDown(13));
    EXPECT_EQ(InputState.in_lastButton, 3);
    EXPECT_EQ(moves, (std::vector<std::pair<int32_t, int32_t>>{{7, 8}}));
    RJoystickState stick;
    EXPECT_FALSE(player.ReadJoystick(0, stick));
    ASSERT_TRUE(player.ReadJoystick(1, stick));
    EXPECT_EQ(stick.buttonBits, 1u << 2);
    EXPECT_EQ(stick.position[0], 32767);
    EXPECT_EQ(stick.position[1], 0);
    Input_Reset();
    Platform_ResetKeys();
}

TEST(InputScript, TheOptionNeedsAFile)
{
    RunnerOptions options;
    std::string error;
    EXPECT_TRUE(ParseRunnerOptions({"brindle-run", "--input", "keys.txt", "game.brg"}, false, "", options, error));
    EXPECT_EQ(options.InputFile, "keys.txt");
    EXPECT_FALSE(ParseRunnerOptions({"brindle-run", "--input"}, false, "", options, error));
    EXPECT_EQ(error, "option '--input' needs a value");
}

} // namespace
