// Reading and playing input scripts.
#include "runner/InputScript.h"

#include "data/EventNames.h"
#include "platform/TextEncoding.h"
#include "platform/Files.h"
#include "platform/Keys.h"
#include "world/Input.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

// The longest run a script can describe; far beyond any test, and small
// enough that step arithmetic never overflows.
constexpr int64_t kLastScriptStep = int64_t(1) << 40;

struct RLineError {
    std::string text;
};

bool WholeNumber(const std::string& word, int64_t& value)
{
    if (word.empty() || word.size() > 18)
        return false;
    char* end = nullptr;
    errno = 0;
    long long number = std::strtoll(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || !(std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-'))
        return false;
    value = number;
    return true;
}

// One line's words, with the checks every reader of a word needs.
class CLineWords {
public:
    explicit CLineWords(std::vector<std::string> words) : c_words(std::move(words)) {}

    bool AtEnd() const { return c_next >= c_words.size(); }
    const std::string& Take(const char* what)
    {
        if (AtEnd())
            throw RLineError{std::string("missing ") + what};
        return c_words[c_next++];
    }
    int64_t Number(const char* what, int64_t low, int64_t high)
    {
        const std::string& word = Take(what);
        int64_t value = 0;
        if (!WholeNumber(word, value) || value < low || value > high)
            throw RLineError{std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                             std::to_string(high) + ", not '" + word + "'"};
        return value;
    }
    int32_t Key()
    {
        const std::string& word = Take("key");
        int32_t code = ParseKeyName(word);
        if (code < 0 || code > 255)
            throw RLineError{"'" + word + "' is not a key: give a key code 0..255, a vk_ name, a letter or a digit"};
        return code;
    }
    int32_t Button()
    {
        const std::string& word = Take("mouse button");
        if (word == "left" || word == "1")
            return 1;
        if (word == "right" || word == "2")
            return 2;
        if (word == "middle" || word == "3")
            return 3;
        throw RLineError{"'" + word + "' is not a mouse button: left, right, middle or 1..3"};
    }
    bool OneOf(const char* what, const char* yes, const char* no)
    {
        const std::string& word = Take(what);
        if (word == yes)
            return true;
        if (word == no)
            return false;
        throw RLineError{std::string(what) + " must be " + yes + " or " + no + ", not '" + word + "'"};
    }
    void End()
    {
        if (!AtEnd())
            throw RLineError{"unexpected '" + c_words[c_next] + "' at the end of the line"};
    }
    // Everything after the words taken so far, as written (one blank after the last word taken).
    std::string Rest(const std::string& line) const
    {
        size_t position = 0;
        for (size_t k = 0; k < c_next; ++k) {
            position = line.find_first_not_of(" \t", position);
            position = line.find_first_of(" \t", position);
        }
        if (position == std::string::npos || position + 1 >= line.size())
            return std::string();
        return line.substr(position + 1);
    }

private:
    std::vector<std::string> c_words;
    size_t c_next = 0;
};

std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

int32_t AxisNumber(const std::string& word)
{
    static const char* const kAxes[kJoystickAxes] = {"x", "y", "z", "r", "u", "v"};
    for (int32_t k = 0; k < kJoystickAxes; ++k)
        if (word == kAxes[k])
            return k;
    throw RLineError{"'" + word + "' is not a joystick axis: x, y, z, r, u or v"};
}

void AddCharacters(std::vector<RScriptedInput>& out, RScriptedInput input, const std::string& utf8)
{
    for (char c : Utf8ToCp1252(utf8)) {
        input.a = static_cast<unsigned char>(c);
        out.push_back(input);
    }
}

void ReadAnswer(CLineWords& words, const std::string& line, int64_t step, std::vector<RScriptedAnswer>& out)
{
    RScriptedAnswer scripted;
    scripted.step = step;
    RDialogAnswer& answer = scripted.answer;
    const std::string kind = words.Take("what the answer is");
    if (kind == "button") {
        answer.kind = EDialogAnswer::Button;
        answer.number = static_cast<int32_t>(words.Number("the button", 1, 3));
        words.End();
    } else if (kind == "text") {
        answer.kind = EDialogAnswer::Text;
        answer.text = Utf8ToCp1252(words.Rest(line));
    } else if (kind == "menu") {
        answer.kind = EDialogAnswer::Menu;
        answer.number = static_cast<int32_t>(words.Number("the menu entry", 0, 1000000));
        words.End();
    } else if (kind == "color" || kind == "colour") {
        answer.kind = EDialogAnswer::Color;
        const int64_t red = words.Number("red", 0, 255), green = words.Number("green", 0, 255);
        const int64_t blue = words.Number("blue", 0, 255);
        answer.number = static_cast<int32_t>(red | (green << 8) | (blue << 16));
        words.End();
    } else if (kind == "cancel") {
        answer.kind = EDialogAnswer::Cancel;
        words.End();
    } else {
        throw RLineError{"unknown answer '" + kind + "' (button, text, menu, color, cancel)"};
    }
    out.push_back(std::move(scripted));
}

// Reads one line without its comment; appends its inputs.
void ReadLine(const std::string& line, std::vector<RScriptedInput>& out, std::vector<RScriptedAnswer>& answers)
{
    CLineWords words(SplitWords(line));
    if (words.AtEnd())
        return;
    if (words.Take("step") != "step")
        throw RLineError{"a line starts with 'step N'"};
    RScriptedInput input;
    input.step = words.Number("the step", 1, kLastScriptStep);
    const std::string action = words.Take("action");
    if (action == "key-down" || action == "key-up" || action == "key") {
        input.a = words.Key();
        words.End();
        input.kind = action == "key-up" ? EScriptedInput::KeyUp : EScriptedInput::KeyDown;
        out.push_back(input);
        if (action == "key") {
            input.kind = EScriptedInput::KeyUp;
            out.push_back(input);
        }
    } else if (action == "char") {
        std::string character = words.Take("character");
        words.End();
        std::string converted = Utf8ToCp1252(character);
        if (converted.size() != 1)
            throw RLineError{"char takes one character; use text for more"};
        input.kind = EScriptedInput::Character;
        AddCharacters(out, input, character);
    } else if (action == "char-code") {
        input.kind = EScriptedInput::Character;
        input.a = static_cast<int32_t>(words.Number("the character code", 0, 255));
        words.End();
        out.push_back(input);
    } else if (action == "text") {
        input.kind = EScriptedInput::Character;
        AddCharacters(out, input, words.Rest(line));
    } else if (action == "mouse-move") {
        input.kind = EScriptedInput::MouseMove;
        input.a = static_cast<int32_t>(words.Number("x", -1000000, 1000000));
        input.b = static_cast<int32_t>(words.Number("y", -1000000, 1000000));
        words.End();
        out.push_back(input);
    } else if (action == "mouse-down" || action == "mouse-up") {
        input.kind = action == "mouse-down" ? EScriptedInput::MouseDown : EScriptedInput::MouseUp;
        input.a = words.Button();
        if (!words.AtEnd()) {
            input.c = 1;
            input.b = static_cast<int32_t>(words.Number("x", -1000000, 1000000));
            input.d = static_cast<int32_t>(words.Number("y", -1000000, 1000000));
        }
        words.End();
        out.push_back(input);
    } else if (action == "wheel") {
        input.kind = EScriptedInput::Wheel;
        input.a = words.OneOf("the wheel direction", "up", "down") ? 1 : -1;
        words.End();
        out.push_back(input);
    } else if (action == "close") {
        input.kind = EScriptedInput::CloseButton;
        words.End();
        out.push_back(input);
    } else if (action == "joystick") {
        input.stick = static_cast<int32_t>(words.Number("the joystick", 1, 2)) - 1;
        const std::string part = words.Take("axis, button or pov");
        if (part == "axis") {
            input.kind = EScriptedInput::JoystickAxis;
            input.a = AxisNumber(words.Take("axis"));
            input.b = static_cast<int32_t>(words.Number("the position", 0, 65535));
        } else if (part == "button") {
            input.kind = EScriptedInput::JoystickButton;
            input.a = static_cast<int32_t>(words.Number("the button", 1, kJoystickButtons));
            input.b = words.OneOf("the button state", "down", "up") ? 1 : 0;
        } else if (part == "pov") {
            input.kind = EScriptedInput::JoystickPov;
            const std::string& angle = words.Take("the angle");
            int64_t degrees = 0;
            if (angle == "centre" || angle == "center")
                input.a = kPovCentred;
            else if (WholeNumber(angle, degrees) && degrees >= 0 && degrees < 360)
                input.a = static_cast<int32_t>(degrees * 100);
            else
                throw RLineError{"the angle must be 0..359 degrees or centre, not '" + angle + "'"};
        } else {
            throw RLineError{"'" + part + "' is not part of a joystick: axis, button or pov"};
        }
        words.End();
        out.push_back(input);
    } else if (action == "answer") {
        ReadAnswer(words, line, input.step, answers);
    } else {
        throw RLineError{"unknown action '" + action +
                         "' (key-down, key-up, key, char, char-code, text, mouse-move, mouse-down, mouse-up, "
                         "wheel, close, joystick, answer)"};
    }
}

} // namespace

std::string FormatScriptedInput(const RScriptedInput& input)
{
    static const char* const kButtons[] = {"", "left", "right", "middle"};
    static const char* const kAxes[kJoystickAxes] = {"x", "y", "z", "r", "u", "v"};
    std::string line = "step " + std::to_string(input.step) + " ";
    std::string stick = "joystick " + std::to_string(input.stick + 1) + " ";
    auto button = [](int32_t b) { return b >= 1 && b <= 3 ? std::string(kButtons[b]) : std::to_string(b); };
    switch (input.kind) {
    case EScriptedInput::KeyDown:
    case EScriptedInput::KeyUp: {
        // A key without a name is its code; one digit would read as a digit key.
        std::string key = FormatKeyName(input.a);
        if (key.size() == 1 && input.a < 10)
            key = "0" + key;
        return line + (input.kind == EScriptedInput::KeyDown ? "key-down " : "key-up ") + key;
    }
    case EScriptedInput::Character:
        // Plain characters as themselves; a blank, '#' and the rest by code.
        if (input.a > ' ' && input.a < 127 && input.a != '#')
            return line + "char " + static_cast<char>(input.a);
        return line + "char-code " + std::to_string(input.a);
    case EScriptedInput::MouseMove:
        return line + "mouse-move " + std::to_string(input.a) + " " + std::to_string(input.b);
    case EScriptedInput::MouseDown:
    case EScriptedInput::MouseUp:
        line += (input.kind == EScriptedInput::MouseDown ? "mouse-down " : "mouse-up ") + button(input.a);
        if (input.c)
            line += " " + std::to_string(input.b) + " " + std::to_string(input.d);
        return line;
    case EScriptedInput::Wheel:
        return line + "wheel " + (input.a > 0 ? "up" : "down");
    case EScriptedInput::CloseButton:
        return line + "close";
    case EScriptedInput::JoystickAxis:
        return line + stick + "axis " + kAxes[std::clamp(input.a, 0, kJoystickAxes - 1)] + " " + std::to_string(input.b);
    case EScriptedInput::JoystickButton:
        return line + stick + "button " + std::to_string(input.a) + (input.b ? " down" : " up");
    case EScriptedInput::JoystickPov:
        return line + stick + "pov " + (input.a == kPovCentred ? std::string("centre") : std::to_string(input.a / 100));
    }
    return line;
}

bool CInputScript::Parse(const std::string& text, const std::string& name, std::string& error)
{
    c_inputs.clear();
    c_next = 0;
    c_answers.clear();
    c_nextAnswer = 0;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Text lines keep their '#'; any other line ends at its comment.
        std::vector<std::string> words = SplitWords(line);
        const bool isStep = !words.empty() && words[0] == "step";
        bool isText = isStep && ((words.size() >= 3 && words[2] == "text") ||
                                 (words.size() >= 4 && words[2] == "answer" && words[3] == "text"));
        if (!isText && line.find('#') != std::string::npos)
            line.erase(line.find('#'));
        try {
            ReadLine(line, c_inputs, c_answers);
        } catch (const RLineError& mistake) {
            error = name + ":" + std::to_string(lineNumber) + ": " + mistake.text;
            c_inputs.clear();
            c_answers.clear();
            return false;
        }
    }
    std::stable_sort(c_inputs.begin(), c_inputs.end(),
                     [](const RScriptedInput& x, const RScriptedInput& y) { return x.step < y.step; });
    return true;
}

bool CInputScript::LoadFromFile(const std::string& path, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!Platform_ReadWholeFile(path, bytes)) {
        error = path + ": cannot read the input script";
        return false;
    }
    return Parse(std::string(bytes.begin(), bytes.end()), path, error);
}

std::vector<RScriptedInput> CInputScript::TakeDue(int64_t step)
{
    std::vector<RScriptedInput> due;
    while (c_next < c_inputs.size() && c_inputs[c_next].step <= step)
        due.push_back(c_inputs[c_next++]);
    return due;
}

std::vector<RScriptedInput> CInputScript::TakeNext()
{
    return HasMore() ? TakeDue(c_inputs[c_next].step) : std::vector<RScriptedInput>();
}

bool CInputScript::TakeAnswer(int64_t step, RDialogAnswer& answer)
{
    if (c_nextAnswer >= c_answers.size() || c_answers[c_nextAnswer].step > step)
        return false;
    answer = c_answers[c_nextAnswer++].answer;
    return true;
}

std::string InputScript_FormatAnswer(const RDialogAnswer& answer)
{
    switch (answer.kind) {
    case EDialogAnswer::Button:
        return "answer button " + std::to_string(answer.number);
    case EDialogAnswer::Text:
        return "answer text " + Cp1252ToUtf8(answer.text);
    case EDialogAnswer::Menu:
        return "answer menu " + std::to_string(answer.number);
    case EDialogAnswer::Color: {
        const uint32_t c = static_cast<uint32_t>(answer.number);
        return "answer color " + std::to_string(c & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " +
               std::to_string((c >> 16) & 0xFF);
    }
    case EDialogAnswer::Cancel:
        break;
    }
    return "answer cancel";
}

void CInputPlayer::Play(const std::vector<RScriptedInput>& inputs)
{
    for (const RScriptedInput& input : inputs)
        PlayOne(input);
}

void CInputPlayer::PlayOne(const RScriptedInput& input)
{
    RJoystickState& stick = c_sticks[static_cast<size_t>(input.stick)];
    switch (input.kind) {
    case EScriptedInput::KeyDown:
        Platform_SetOwnKeyState(input.a, true);
        Input_KeyboardKeyDown(input.a);
        return;
    case EScriptedInput::KeyUp:
        Platform_SetOwnKeyState(input.a, false);
        Input_KeyUp(input.a);
        return;
    case EScriptedInput::Character:
        Input_Character(input.a);
        return;
    case EScriptedInput::MouseMove:
        if (c_moveMouse)
            c_moveMouse(input.a, input.b);
        return;
    case EScriptedInput::MouseDown:
    case EScriptedInput::MouseUp:
        if (input.c && c_moveMouse)
            c_moveMouse(input.b, input.d);
        if (input.kind == EScriptedInput::MouseDown)
            Input_MouseDown(input.a);
        else
            Input_MouseUp(input.a);
        return;
    case EScriptedInput::Wheel:
        Input_Wheel(input.a);
        return;
    case EScriptedInput::CloseButton:
        Input_CloseButton();
        return;
    case EScriptedInput::JoystickAxis:
    case EScriptedInput::JoystickButton:
    case EScriptedInput::JoystickPov:
        break;
    }
    // A stick comes into existence, centred, the first time it is mentioned.
    if (!c_stickPresent[static_cast<size_t>(input.stick)]) {
        c_stickPresent[static_cast<size_t>(input.stick)] = true;
        stick = RJoystickState();
        stick.name = "Scripted joystick " + std::to_string(input.stick + 1);
        stick.axes = kJoystickAxes;
        stick.buttons = kJoystickButtons;
        stick.hasPov = true;
        stick.position.fill(32767);
    }
    if (input.kind == EScriptedInput::JoystickAxis)
        stick.position[static_cast<size_t>(input.a)] = input.b;
    else if (input.kind == EScriptedInput::JoystickButton)
        stick.buttonBits = input.b ? stick.buttonBits | (1u << (input.a - 1)) : stick.buttonBits & ~(1u << (input.a - 1));
    else
        stick.pov = input.a;
}

bool CInputPlayer::ReadJoystick(int32_t index, RJoystickState& state) const
{
    if (index < 0 || index > 1 || !c_stickPresent[static_cast<size_t>(index)])
        return false;
    state = c_sticks[static_cast<size_t>(index)];
    return true;
}
