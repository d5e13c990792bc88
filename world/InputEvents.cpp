// Raising the keyboard, joystick and mouse events of a step.
//
// Keyboard events go to every object that has the key's event, in the
// dispatch order. Mouse events come in two kinds: "local" ones only reach
// instances whose mask covers the pointer (tested with each instance's
// position at the moment it is reached), "global" ones every instance with
// the event. Flags are read as each event is reached, so an event that
// clears input affects the rest of the stage.
#include "world/InputEvents.h"

#include "data/Event.h"
#include "world/EventDispatch.h"
#include "world/Input.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"

#include <cstdint>

namespace {

constexpr int32_t kNoKey = 0, kAnyKey = 1;
constexpr int32_t kFirstEventKey = 8; // 0..7 raise no events of their own

constexpr int32_t kNoButton = 3;
constexpr int32_t kMouseEnter = 10, kMouseLeave = 11;
constexpr int32_t kGlobalPress = 12, kGlobalRelease = 13;
constexpr int32_t kWheelUp = 60, kWheelDown = 61;

// Joystick events: left, right, up, down, then buttons 1..8.
constexpr int32_t kJoystickDirections[2] = {16, 31};
constexpr int32_t kJoystickButtonEvents[2] = {21, 36};
constexpr int32_t kLowThreshold = 20000, kHighThreshold = 44000;

// One key table: every key whose flag is set, then <any key> or <no key>.
template <typename Flag>
void KeyEvents(int32_t etype, Flag isSet)
{
    bool any = false;
    for (int32_t k = kFirstEventKey; k < kKeyCodes; ++k) {
        if (!isSet(static_cast<size_t>(k)))
            continue;
        any = true;
        DispatchEvent(etype, k); // codes past the event lists find no objects
    }
    DispatchEvent(etype, any ? kAnyKey : kNoKey);
}

bool Covers(const CInstance& instance, int32_t x, int32_t y)
{
    return InputHooks.instanceCovers && InputHooks.instanceCovers(instance, x, y);
}

// A local mouse event: in dispatch order, to the instances for which test holds.
template <typename Test>
void DispatchLocal(int32_t enumb, Test test)
{
    DispatchEventWhere(kEventMouse, enumb, test);
}

void DispatchUnderPointer(int32_t enumb)
{
    DispatchLocal(enumb, [](const CInstance& instance) {
        return Covers(instance, InputState.in_mouseX, InputState.in_mouseY);
    });
}

bool ButtonHeldOrPressed(int32_t b)
{
    size_t k = static_cast<size_t>(b);
    return InputState.in_buttonHeld[k] || InputState.in_buttonPressed[k];
}

} // namespace

void InputEvents_Keyboard()
{
    if (InputState.in_closeEscape)
        InputState.in_closeEscapeSeen = true;
    KeyEvents(kEventKeyboard,
              [](size_t k) { return InputState.in_keyHeld[k] || InputState.in_keyPressed[k]; });
    KeyEvents(kEventKeyPress, [](size_t k) { return InputState.in_keyPressed[k]; });
    KeyEvents(kEventKeyRelease, [](size_t k) { return InputState.in_keyReleased[k]; });
}

void InputEvents_Joysticks()
{
    for (int32_t j = 0; j < 2; ++j) {
        RJoystickState stick;
        if (IsChangePending() || !Input_ReadJoystick(j, stick))
            continue;
        int32_t x = stick.position[0], y = stick.position[1];
        int32_t base = kJoystickDirections[j];
        if (x < kLowThreshold)
            DispatchEvent(kEventMouse, base);
        if (x > kHighThreshold)
            DispatchEvent(kEventMouse, base + 1);
        if (y < kLowThreshold)
            DispatchEvent(kEventMouse, base + 2);
        if (y > kHighThreshold)
            DispatchEvent(kEventMouse, base + 3);
        for (int32_t bit = 0; bit < 8; ++bit)
            if (stick.buttonBits & (1u << bit))
                DispatchEvent(kEventMouse, kJoystickButtonEvents[j] + bit);
    }
}

void InputEvents_Mouse()
{
    Input_UpdateMousePosition();
    bool any = false;
    for (int32_t b = 1; b <= kMouseButtons; ++b) {
        if (!ButtonHeldOrPressed(b))
            continue;
        any = true;
        DispatchUnderPointer(b - 1);
        DispatchEvent(kEventMouse, 49 + b);
    }
    if (!any)
        DispatchUnderPointer(kNoButton);
    for (int32_t b = 1; b <= kMouseButtons; ++b) {
        if (!InputState.in_buttonPressed[static_cast<size_t>(b)])
            continue;
        DispatchUnderPointer(b + 3);
        DispatchEvent(kEventMouse, kGlobalPress);
        DispatchEvent(kEventMouse, 52 + b);
    }
    for (int32_t b = 1; b <= kMouseButtons; ++b) {
        if (!InputState.in_buttonReleased[static_cast<size_t>(b)])
            continue;
        DispatchUnderPointer(b + 6);
        DispatchEvent(kEventMouse, kGlobalRelease);
        DispatchEvent(kEventMouse, 55 + b);
    }
    DispatchLocal(kMouseEnter, [](const CInstance& instance) {
        return Covers(instance, InputState.in_mouseX, InputState.in_mouseY) &&
               !Covers(instance, InputState.in_previousX, InputState.in_previousY);
    });
    DispatchLocal(kMouseLeave, [](const CInstance& instance) {
        return Covers(instance, InputState.in_previousX, InputState.in_previousY) &&
               !Covers(instance, InputState.in_mouseX, InputState.in_mouseY);
    });
    if (InputState.in_wheelUp)
        DispatchEvent(kEventMouse, kWheelUp);
    if (InputState.in_wheelDown)
        DispatchEvent(kEventMouse, kWheelDown);
}

void InputEvents_Run()
{
    InputEvents_Keyboard();
    if (IsChangePending())
        return;
    InputEvents_Joysticks();
    if (IsChangePending())
        return;
    InputEvents_Mouse();
}
