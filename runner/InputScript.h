// Input scripts: the player's keys, mouse and joysticks written down by step,
// so that automation and end-to-end tests press keys deterministically. The
// format (one event a line, "step N ACTION ARGUMENTS") is described in the
// README. A script is read whole before the game starts; a mistake stops the
// run with the file and line.
#pragma once

#include "dialogs/DialogAnswers.h"
#include "platform/Joysticks.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class EScriptedInput : int32_t {
    KeyDown,        // a: key code
    KeyUp,          // a: key code
    Character,      // a: Windows-1252 code
    MouseMove,      // a, b: client position
    MouseDown,      // a: button; c = 1 when b, d give a position first
    MouseUp,
    Wheel,          // a: +1 up, -1 down
    CloseButton,
    JoystickAxis,   // stick (0, 1), a: axis 0..5, b: 0..65535
    JoystickButton, // stick, a: button 1..32, b: 1 down, 0 up
    JoystickPov,    // stick, a: hundredths of a degree, or kPovCentred
};

// An answer to one of the game's dialogs, usable from its step on.
struct RScriptedAnswer {
    int64_t step = 0;
    RDialogAnswer answer;
};

struct RScriptedInput {
    int64_t step = 0;
    EScriptedInput kind = EScriptedInput::KeyDown;
    int32_t stick = 0;
    int32_t a = 0, b = 0, c = 0, d = 0;
};

// One input as a line of an input script ("step 3 key-down vk_left"), which
// CInputScript reads back as the same input.
std::string FormatScriptedInput(const RScriptedInput& input);

class CInputScript {
public:
    // False with error ("NAME:LINE: what is wrong") on the first mistake.
    bool Parse(const std::string& text, const std::string& name, std::string& error);
    bool LoadFromFile(const std::string& path, std::string& error);

    bool IsEmpty() const { return c_inputs.empty(); }
    bool HasMore() const { return c_next < c_inputs.size(); }
    // The inputs of every step up to step, in order, each once.
    std::vector<RScriptedInput> TakeDue(int64_t step);
    // The inputs of the next step that has any, early (a game waiting for a key).
    std::vector<RScriptedInput> TakeNext();
    // The first answer not yet taken, when its step has come by step.
    bool TakeAnswer(int64_t step, RDialogAnswer& answer);

private:
    std::vector<RScriptedInput> c_inputs; // ordered by step, then by line
    size_t c_next = 0;
    std::vector<RScriptedAnswer> c_answers; // in the order of the file
    size_t c_nextAnswer = 0;
};

// An answer as a script line writes it after "step N ": "answer button 2".
std::string InputScript_FormatAnswer(const RDialogAnswer& answer);

// Plays scripted inputs into the runner: keys and buttons as notifications
// (keys also in the own table that direct checks read), the pointer through
// moveMouse, the joysticks as sticks of its own that exist once mentioned.
class CInputPlayer {
public:
    using MouseMover = std::function<void(int32_t x, int32_t y)>;
    explicit CInputPlayer(MouseMover moveMouse) : c_moveMouse(std::move(moveMouse)) {}

    void Play(const std::vector<RScriptedInput>& inputs);
    bool ReadJoystick(int32_t index, RJoystickState& state) const;

private:
    void PlayOne(const RScriptedInput& input);

    MouseMover c_moveMouse;
    std::array<bool, 2> c_stickPresent{};
    std::array<RJoystickState, 2> c_sticks{};
};
