// The script's view of input: keyboard_*, mouse_*, joystick_*, io_* and the
// built-in variables of the keyboard and the mouse.
#include "world/Input.h"

#include "code/FunctionCatalogue.h"
#include "code/VariableCatalogue.h"
#include "platform/Keys.h"

#include <algorithm>

namespace {

constexpr int32_t kNumLockKey = 144;

int64_t Number(const RValue& value)
{
    return RoundToInteger(value.val);
}

bool IsKey(int64_t key)
{
    return key >= 0 && key < kKeyCodes;
}

bool IsButton(int64_t button)
{
    return button >= 1 && button <= kMouseButtons;
}

void SetBool(RValue& result, bool value)
{
    result.SetReal(value ? 1.0 : 0.0);
}

// keyboard_check and its siblings: 0 no key, 1 some key, else that key.
bool CheckKey(const std::array<bool, kKeyCodes>& flags, const RValue& argument)
{
    int64_t key = Number(argument);
    bool any = std::find(flags.begin(), flags.end(), true) != flags.end();
    if (key == 0)
        return !any;
    if (key == 1)
        return any;
    return key >= 2 && key < kKeyCodes && flags[static_cast<size_t>(key)];
}

// mouse_check_button and its siblings: -1 some button, 0 no button, else that button.
bool CheckButton(const std::array<bool, kMouseButtons + 1>& flags, const RValue& argument)
{
    int64_t button = Number(argument);
    bool any = flags[1] || flags[2] || flags[3];
    if (button == -1)
        return any;
    if (button == 0)
        return !any;
    return IsButton(button) && flags[static_cast<size_t>(button)];
}

BUILTIN(KeyboardCheck) { SetBool(result, CheckKey(InputState.in_keyHeld, args[0])); return true; }
BUILTIN(KeyboardCheckPressed) { SetBool(result, CheckKey(InputState.in_keyPressed, args[0])); return true; }
BUILTIN(KeyboardCheckReleased) { SetBool(result, CheckKey(InputState.in_keyReleased, args[0])); return true; }
BUILTIN(KeyboardCheckDirect)
{
    int64_t key = Number(args[0]);
    SetBool(result, IsKey(key) && Platform_IsKeyDown(static_cast<int32_t>(key)));
    return true;
}
BUILTIN(KeyboardKeyPress)
{
    int64_t key = Number(args[0]);
    if (IsKey(key))
        Platform_InjectKey(static_cast<int32_t>(key), true);
    return true;
}
BUILTIN(KeyboardKeyRelease)
{
    int64_t key = Number(args[0]);
    if (IsKey(key))
        Platform_InjectKey(static_cast<int32_t>(key), false);
    return true;
}
BUILTIN(KeyboardGetNumlock) { SetBool(result, Platform_NumLock()); return true; }
BUILTIN(KeyboardSetNumlock)
{
    if (Platform_NumLock() == IsTrue(args[0].val))
        return true;
    Platform_InjectKey(kNumLockKey, true);
    Platform_InjectKey(kNumLockKey, false);
    return true;
}
BUILTIN(KeyboardSetMap)
{
    int64_t key = Number(args[0]);
    if (IsKey(key))
        InputState.in_keyMap[static_cast<size_t>(key)] =
            static_cast<int32_t>(std::clamp<int64_t>(Number(args[1]), INT32_MIN, INT32_MAX));
    return true;
}
BUILTIN(KeyboardGetMap)
{
    int64_t key = Number(args[0]);
    result.SetReal(IsKey(key) ? InputState.in_keyMap[static_cast<size_t>(key)] : static_cast<double>(key));
    return true;
}
BUILTIN(KeyboardUnsetMap)
{
    for (int32_t k = 0; k < kKeyCodes; ++k)
        InputState.in_keyMap[static_cast<size_t>(k)] = k;
    return true;
}
BUILTIN(KeyboardClear)
{
    Input_HandleMessages();
    int64_t key = Number(args[0]);
    if (!IsKey(key))
        return true;
    size_t k = static_cast<size_t>(key);
    InputState.in_keyHeld[k] = InputState.in_keyPressed[k] = InputState.in_keyReleased[k] = false;
    return true;
}
BUILTIN(KeyboardWait) { Input_WaitForKey(); return true; }

BUILTIN(MouseCheckButton) { SetBool(result, CheckButton(InputState.in_buttonHeld, args[0])); return true; }
BUILTIN(MouseCheckButtonPressed) { SetBool(result, CheckButton(InputState.in_buttonPressed, args[0])); return true; }
BUILTIN(MouseCheckButtonReleased) { SetBool(result, CheckButton(InputState.in_buttonReleased, args[0])); return true; }
BUILTIN(MouseWheelUp) { SetBool(result, InputState.in_wheelUp); return true; }
BUILTIN(MouseWheelDown) { SetBool(result, InputState.in_wheelDown); return true; }
BUILTIN(MouseClear)
{
    Input_HandleMessages();
    int64_t button = Number(args[0]);
    if (!IsButton(button))
        return true;
    size_t b = static_cast<size_t>(button);
    InputState.in_buttonHeld[b] = InputState.in_buttonPressed[b] = InputState.in_buttonReleased[b] = false;
    return true;
}
BUILTIN(MouseWait) { Input_WaitForButton(); return true; }

BUILTIN(IoClear)
{
    Input_HandleMessages();
    Input_ClearAll();
    return true;
}
BUILTIN(IoHandle) { Input_HandleMessages(); return true; }

// Joystick 2 is the second stick; every other id the first.
bool Stick(const RValue& id, RJoystickState& state)
{
    return Input_ReadJoystick(Number(id) == 2 ? 1 : 0, state);
}

BUILTIN(JoystickExists)
{
    RJoystickState stick;
    SetBool(result, Stick(args[0], stick));
    return true;
}
BUILTIN(JoystickName)
{
    RJoystickState stick;
    result.SetString(Stick(args[0], stick) ? RString(stick.name) : RString());
    return true;
}
BUILTIN(JoystickAxes)
{
    RJoystickState stick;
    result.SetReal(Stick(args[0], stick) ? stick.axes : 0);
    return true;
}
BUILTIN(JoystickButtons)
{
    RJoystickState stick;
    result.SetReal(Stick(args[0], stick) ? stick.buttons : 0);
    return true;
}
BUILTIN(JoystickHasPov)
{
    RJoystickState stick;
    SetBool(result, Stick(args[0], stick) && stick.hasPov);
    return true;
}
// The keypad key that points where the stick points; keypad 5 at rest.
BUILTIN(JoystickDirection)
{
    RJoystickState stick;
    if (!Stick(args[0], stick)) {
        result.SetReal(101);
        return true;
    }
    int32_t x = stick.position[0], y = stick.position[1];
    int32_t column = x < 20000 ? 1 : x > 44000 ? 3 : 2;
    int32_t row = y <= 19999 ? 6 : y >= 44001 ? 0 : 3;
    result.SetReal(96 + column + row);
    return true;
}
BUILTIN(JoystickCheckButton)
{
    RJoystickState stick;
    int64_t button = Number(args[1]);
    bool valid = button >= 1 && button <= kJoystickButtons;
    SetBool(result, valid && Stick(args[0], stick) && (stick.buttonBits & (1u << (button - 1))) != 0);
    return true;
}

template <int Axis>
bool JoystickPosition(CExecutionContext&, RValue& result, int, RValue* args)
{
    RJoystickState stick;
    result.SetReal(Stick(args[0], stick) ? stick.position[Axis] / 32767.0 - 1.0 : 0.0);
    return true;
}

BUILTIN(JoystickPov)
{
    RJoystickState stick;
    double angle = Stick(args[0], stick) ? stick.pov / 100.0 : -1.0;
    result.SetReal(angle > 360.0 ? -1.0 : angle);
    return true;
}

// Variables.

bool Real(RValue& value, double real)
{
    value = RValue(real);
    return true;
}

bool GetMouseX(CInstance*, int32_t, RValue& value)
{
    int32_t x = 0, y = 0;
    if (InputHooks.mouseInRoom)
        InputHooks.mouseInRoom(x, y);
    return Real(value, x);
}

bool GetMouseY(CInstance*, int32_t, RValue& value)
{
    int32_t x = 0, y = 0;
    if (InputHooks.mouseInRoom)
        InputHooks.mouseInRoom(x, y);
    return Real(value, y);
}

// An integer variable whose writes outside low..high are ignored (they are not errors).
#define RANGED_VARIABLE(Get, Set, field, low, high)                                \
    bool Get(CInstance*, int32_t, RValue& value) { return Real(value, field); }    \
    bool Set(CInstance*, int32_t, const RValue& value)                             \
    {                                                                              \
        int64_t number = Number(value);                                            \
        if (number >= (low) && number <= (high))                                   \
            field = static_cast<int32_t>(number);                                  \
        return true;                                                               \
    }

RANGED_VARIABLE(GetMouseButton, SetMouseButton, InputState.in_currentButton, 1, kMouseButtons)
RANGED_VARIABLE(GetMouseLastButton, SetMouseLastButton, InputState.in_lastButton, 1, kMouseButtons)
RANGED_VARIABLE(GetKeyboardKey, SetKeyboardKey, InputState.in_currentKey, 0, kKeyCodes - 1)
RANGED_VARIABLE(GetKeyboardLastKey, SetKeyboardLastKey, InputState.in_lastKey, 0, kKeyCodes - 1)

bool GetLastChar(CInstance*, int32_t, RValue& value)
{
    int32_t c = InputState.in_lastChar;
    value = RValue(RString(c == 0 ? std::string() : std::string(1, static_cast<char>(c))));
    return true;
}

bool SetLastChar(CInstance*, int32_t, const RValue& value)
{
    const std::string& text = value.str.Text();
    if (!text.empty())
        InputState.in_lastChar = static_cast<unsigned char>(text[0]);
    return true;
}

bool GetTyped(CInstance*, int32_t, RValue& value)
{
    value = RValue(RString(InputState.in_typed));
    return true;
}

bool SetTyped(CInstance*, int32_t, const RValue& value)
{
    InputState.in_typed = value.str.Text();
    return true;
}

} // namespace

void World_ImplementInputFunctions()
{
    Function_Implement("keyboard_check", &KeyboardCheck);
    Function_Implement("keyboard_check_pressed", &KeyboardCheckPressed);
    Function_Implement("keyboard_check_released", &KeyboardCheckReleased);
    Function_Implement("keyboard_check_direct", &KeyboardCheckDirect);
    Function_Implement("keyboard_key_press", &KeyboardKeyPress);
    Function_Implement("keyboard_key_release", &KeyboardKeyRelease);
    Function_Implement("keyboard_get_numlock", &KeyboardGetNumlock);
    Function_Implement("keyboard_set_numlock", &KeyboardSetNumlock);
    Function_Implement("keyboard_set_map", &KeyboardSetMap);
    Function_Implement("keyboard_get_map", &KeyboardGetMap);
    Function_Implement("keyboard_unset_map", &KeyboardUnsetMap);
    Function_Implement("keyboard_clear", &KeyboardClear);
    Function_Implement("keyboard_wait", &KeyboardWait);
    Function_Implement("mouse_check_button", &MouseCheckButton);
    Function_Implement("mouse_check_button_pressed", &MouseCheckButtonPressed);
    Function_Implement("mouse_check_button_released", &MouseCheckButtonReleased);
    Function_Implement("mouse_wheel_up", &MouseWheelUp);
    Function_Implement("mouse_wheel_down", &MouseWheelDown);
    Function_Implement("mouse_clear", &MouseClear);
    Function_Implement("mouse_wait", &MouseWait);
    Function_Implement("io_clear", &IoClear);
    Function_Implement("io_handle", &IoHandle);
    Function_Implement("joystick_exists", &JoystickExists);
    Function_Implement("joystick_name", &JoystickName);
    Function_Implement("joystick_axes", &JoystickAxes);
    Function_Implement("joystick_buttons", &JoystickButtons);
    Function_Implement("joystick_has_pov", &JoystickHasPov);
    Function_Implement("joystick_direction", &JoystickDirection);
    Function_Implement("joystick_check_button", &JoystickCheckButton);
    Function_Implement("joystick_xpos", &JoystickPosition<0>);
    Function_Implement("joystick_ypos", &JoystickPosition<1>);
    Function_Implement("joystick_zpos", &JoystickPosition<2>);
    Function_Implement("joystick_rpos", &JoystickPosition<3>);
    Function_Implement("joystick_upos", &JoystickPosition<4>);
    Function_Implement("joystick_vpos", &JoystickPosition<5>);
    Function_Implement("joystick_pov", &JoystickPov);

    Variable_Implement("mouse_x", &GetMouseX, nullptr);
    Variable_Implement("mouse_y", &GetMouseY, nullptr);
    Variable_Implement("mouse_button", &GetMouseButton, &SetMouseButton);
    Variable_Implement("mouse_lastbutton", &GetMouseLastButton, &SetMouseLastButton);
    Variable_Implement("keyboard_key", &GetKeyboardKey, &SetKeyboardKey);
    Variable_Implement("keyboard_lastkey", &GetKeyboardLastKey, &SetKeyboardLastKey);
    Variable_Implement("keyboard_lastchar", &GetLastChar, &SetLastChar);
    Variable_Implement("keyboard_string", &GetTyped, &SetTyped);
}
