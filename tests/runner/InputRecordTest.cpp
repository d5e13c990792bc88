// Recording a played run: window events become scripted input, each input
// writes as a script line that reads back the same, and the recording
// keeps only the last of a run of pointer moves.
#include "platform/Files.h"
#include "platform/Joysticks.h"
#include "runner/InputRecorder.h"
#include "runner/InputScript.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

RScriptedInput Input(int64_t step, EScriptedInput kind, int32_t a = 0, int32_t b = 0, int32_t c = 0, int32_t d = 0,
                     int32_t stick = 0)
{
    RScriptedInput input;
    input.step = step;
    input.kind = kind;
    input.a = a;
    input.b = b;
    input.c = c;
    input.d = d;
    input.stick = stick;
    return input;
}

bool Same(const RScriptedInput& x, const RScriptedInput& y)
{
    return x.step == y.step && x.kind == y.kind && x.stick == y.stick && x.a == y.a && x.b == y.b && x.c == y.c &&
           x.d == y.d;
}

} // namespace

TEST(InputRecord, EveryInputWritesAsALineThatReadsBackTheSame)
{
    const RScriptedInput inputs[] = {
        Input(1, EScriptedInput::KeyDown, 37),  // a named key
        Input(1, EScriptedInput::KeyUp, 7),     // a code that would read as the digit 7
        Input(2, EScriptedInput::KeyDown, '7'), // the digit itself
        Input(2, EScriptedInput::KeyDown, 255),
        Input(3, EScriptedInput::Character, 'x'),
        Input(3, EScriptedInput::Character, '#'),
        Input(3, EScriptedInput::Character, ' '),
        Input(3, EScriptedInput::Character, 0xE9),
        Input(3, EScriptedInput::Character, 8),
        Input(4, EScriptedInput::MouseMove, -5, 700),
        Input(4, EScriptedInput::MouseDown, 2, 10, 1, 20),
        Input(4, EScriptedInput::MouseUp, 3),
        Input(5, EScriptedInput::Wheel, 1),
        Input(5, EScriptedInput::Wheel, -1),
        Input(5, EScriptedInput::CloseButton),
        Input(6, EScriptedInput::JoystickAxis, 4, 65535, 0, 0, 1),
        Input(6, EScriptedInput::JoystickButton, 32, 1),
        Input(6, EScriptedInput::JoystickButton, 1, 0, 0, 0, 1),
        Input(6, EScriptedInput::JoystickPov, 27000),
        Input(1u << 30, EScriptedInput::JoystickPov, kPovCentred),
    };
    std::string text;
    for (const RScriptedInput& input : inputs)
        text += FormatScriptedInput(input) + "\n";
    CInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse(text, "recording", error)) << error << "\n" << text;
    std::vector<RScriptedInput> back = script.TakeDue(int64_t(1) << 40);
    ASSERT_EQ(back.size(), std::size(inputs)) << text;
    for (size_t k = 0; k < back.size(); ++k)
        EXPECT_TRUE(Same(back[k], inputs[k])) << FormatScriptedInput(inputs[k]) << " read back as "
                                              << FormatScriptedInput(back[k]);
}

TEST(InputRecord, WindowEventsBecomeScriptedInput)
{
    auto event = [](EWindowEvent kind) {
        RWindowEvent e;
        e.kind = kind;
        return e;
    };
    RWindowEvent left = event(EWindowEvent::KeyDown);
    left.scancode = 80; // the left arrow's position; the key types nothing
    RWindowEvent text = event(EWindowEvent::Text);
    text.text = "a\xC3\xA9";
    RWindowEvent press = event(EWindowEvent::MouseDown);
    press.button = 1;
    press.x = 12;
    press.y = 34;
    RWindowEvent wheel = event(EWindowEvent::MouseWheel);
    wheel.wheel = -3;
    RWindowEvent oddButton = event(EWindowEvent::MouseDown);
    oddButton.button = 5;
    struct {
        RWindowEvent event;
        std::vector<std::string> lines;
    } cases[] = {
        {left, {"step 4 key-down vk_left"}},
        {text, {"step 4 char a", "step 4 char-code 233"}},
        {press, {"step 4 mouse-down left 12 34"}},
        {wheel, {"step 4 wheel down"}},
        {event(EWindowEvent::Close), {"step 4 close"}},
        {oddButton, {}},
        {event(EWindowEvent::Resized), {}},
        {event(EWindowEvent::FocusLost), {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        for (const RScriptedInput& input : Runner_InputsOfWindowEvent(c.event, 4))
            lines.push_back(FormatScriptedInput(input));
        EXPECT_EQ(lines, c.lines) << static_cast<int>(c.event.kind);
    }
}

TEST(InputRecord, TheFileTellsTheSeedAndKeepsTheLastMoveOfAStep)
{
    CScratchFolder folder;
    std::string path = folder.File("recording.txt");
    {
        CInputRecorder recorder;
        std::string error;
        ASSERT_TRUE(recorder.Open(path, 1234, "game.brg", error)) << error;
        recorder.Record(Input(2, EScriptedInput::MouseMove, 1, 1));
        recorder.Record(Input(2, EScriptedInput::MouseMove, 2, 2));
        recorder.Record(Input(3, EScriptedInput::MouseMove, 3, 3));
        recorder.Record(Input(3, EScriptedInput::MouseMove, 4, 4));
        recorder.Record(Input(3, EScriptedInput::MouseDown, 1));
        recorder.Record(Input(3, EScriptedInput::MouseMove, 5, 5));
        // Ending the recording writes the move still kept back.
    }
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform_ReadWholeFile(path, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "# The input of a run of game.brg, recorded by brindle-run.\n"
              "# Play it again with: brindle-run --input FILE --seed 1234 GAME\n"
              "# seed 1234\n"
              "step 2 mouse-move 2 2\n"
              "step 3 mouse-move 4 4\n"
              "step 3 mouse-down left\n"
              "step 3 mouse-move 5 5\n");

    CInputRecorder unwritable;
    std::string error;
    EXPECT_FALSE(unwritable.Open(folder.File("missing/recording.txt"), 1, "g", error));
    EXPECT_NE(error.find("cannot write the recording"), std::string::npos);
}

TEST(InputRecord, DialogAnswersWriteAsLinesThatGiveTheSameAnswersBack)
{
    auto answer = [](EDialogAnswer kind, int32_t number = 0, std::string text = {}) {
        return RDialogAnswer{kind, number, std::move(text)};
    };
    const RDialogAnswer answers[] = {
        answer(EDialogAnswer::Button, 3),
        answer(EDialogAnswer::Text, 0, " Ann # Lee \xE9 "), // blanks, '#' and a Windows-1252 letter kept
        answer(EDialogAnswer::Text),
        answer(EDialogAnswer::Menu, 0),
        answer(EDialogAnswer::Color, 0x0080FF),
        answer(EDialogAnswer::Cancel),
    };
    CScratchFolder folder;
    std::string path = folder.File("recording.txt");
    {
        CInputRecorder recorder;
        std::string error;
        ASSERT_TRUE(recorder.Open(path, 7, "game.brg", error)) << error;
        recorder.Record(Input(2, EScriptedInput::MouseMove, 1, 1));
        for (size_t k = 0; k < std::size(answers); ++k)
            recorder.RecordAnswer(static_cast<int64_t>(2 + k / 2), answers[k]);
    }
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform_ReadWholeFile(path, bytes));
    std::string text(bytes.begin(), bytes.end());
    CInputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse(text, "recording", error)) << error << "\n" << text;
    // The move kept back goes before the first answer; each answer is due
    // at its own step and not before.
    EXPECT_EQ(script.TakeDue(2).size(), 1u) << text;
    RDialogAnswer back;
    for (size_t k = 0; k < std::size(answers); ++k) {
        int64_t step = static_cast<int64_t>(2 + k / 2);
        if (k % 2 == 0) {
            EXPECT_FALSE(script.TakeAnswer(step - 1, back)) << k;
        }
        ASSERT_TRUE(script.TakeAnswer(step, back)) << k << "\n" << text;
        EXPECT_EQ(back, answers[k]) << k << "\n" << text;
    }
    EXPECT_FALSE(script.TakeAnswer(100, back));
}
