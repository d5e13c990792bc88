// The runner's own picture of the keyboard and the mouse. Window notifications
// (and keys injected or scripted) change it between steps; the step's input
// stages raise events from it, the end of each step forgets its presses and
// releases, and scripts read it through built-in variables and functions.
// What input needs from the window, the display and the joysticks comes
// through InputHooks, installed by start-up.
#pragma once

#include "platform/GameWindow.h"
#include "platform/Joysticks.h"
#include "world/HookSlot.h"

#include <array>
#include <cstdint>
#include <string>

constexpr int32_t kKeyCodes = 256;
constexpr int32_t kMouseButtons = 3; // 1 left, 2 right, 3 middle
// The typed text keeps this many characters before each new one.
constexpr size_t kTypedTextKept = 1024;
constexpr int32_t kPointerNowhere = INT32_MIN;

struct RInputState {
    std::array<bool, kKeyCodes> in_keyHeld{};
    std::array<bool, kKeyCodes> in_keyPressed{};
    std::array<bool, kKeyCodes> in_keyReleased{};
    std::array<int32_t, kKeyCodes> in_keyMap{}; // window code -> game code
    int32_t in_lastKey = 0;
    int32_t in_currentKey = 0; // 0 once the last key to go down is up again
    int32_t in_lastChar = 0;   // Windows-1252 code of the last character typed
    std::string in_typed;      // Windows-1252 text
    // Index 1..3 by button; 0 is unused.
    std::array<bool, kMouseButtons + 1> in_buttonHeld{};
    std::array<bool, kMouseButtons + 1> in_buttonPressed{};
    std::array<bool, kMouseButtons + 1> in_buttonReleased{};
    int32_t in_lastButton = 0;
    int32_t in_currentButton = 0;
    bool in_wheelUp = false;
    bool in_wheelDown = false;
    // The pointer in room pixels at this and at the previous mouse stage;
    // nowhere before the first, so that no instance sees it leave.
    int32_t in_mouseX = kPointerNowhere, in_mouseY = kPointerNowhere;
    int32_t in_previousX = kPointerNowhere, in_previousY = kPointerNowhere;
    // Esc is held only because the close button stood in for it; seen once
    // the keyboard stage has run with it.
    bool in_closeEscape = false;
    bool in_closeEscapeSeen = false;

    RInputState();
};

extern RInputState InputState;

struct RInputHooks {
    // Hands every waiting window event to Input_HandleWindowEvent.
    THook<void()> pumpWindow{"pumpWindow", kRequired};
    // The pointer in room coordinates, through the views.
    THook<void(int32_t& x, int32_t& y)> mouseInRoom{"mouseInRoom", kRequired};
    // The instance's precise mask holds the room point.
    THook<bool(const class CInstance& instance, double x, double y)> instanceCovers{"instanceCovers", kRequired};
    // The game window is the active one (by default: always).
    THook<bool()> windowActive{"windowActive", [] { return true; }};
    // Joystick 0 or 1; false when absent (by default: no joysticks).
    THook<bool(int32_t index, RJoystickState& state)> readJoystick{"readJoystick",
                                                                    [](int32_t, RJoystickState&) { return false; }};
    // Scripted input due by now goes in (automation; by default there is none).
    THook<void()> feedScript{"feedScript", [] {}};
    // Called between polls of keyboard_wait and mouse_wait: waits a little,
    // or brings the next scripted input early. False when no input can come
    // any more, which ends the wait.
    THook<bool()> waitForInput{"waitForInput", kRequired};
    // The game information window or a splash screen is showing: window
    // notifications are ignored and the close button closes that instead.
    // By default nothing else is ever showing.
    THook<bool()> overlayShowing{"overlayShowing", [] { return false; }};
    THook<void()> closeOverlay{"closeOverlay", [] {}};
};
extern RInputHooks InputHooks;

// Everything back to the start: nothing held, identity key map.
void Input_Reset();

// Notifications, in window codes (the key map turns them into game codes).
void Input_KeyDown(int32_t code);
void Input_KeyUp(int32_t code);
// A key of the keyboard goes down: the notification, then the control
// character that Backspace, Tab, Enter and Esc type (the platform types none).
void Input_KeyboardKeyDown(int32_t code);
// One typed character, a Windows-1252 code; 8 is backspace.
void Input_Character(int32_t code);
void Input_MouseDown(int32_t button);
void Input_MouseUp(int32_t button);
// Positive: away from the player (up).
void Input_Wheel(int32_t direction);
// The close button, as Esc or as the close-button event by the settings.
void Input_CloseButton();

// The end of every step: presses, releases and the wheel are forgotten.
void Input_ClearStep();
// io_clear: keys, buttons, typed text and the last character all cleared.
void Input_ClearAll();

bool Input_IsWindowActive();
void Input_UpdateMousePosition();
bool Input_ReadJoystick(int32_t index, RJoystickState& state);

// A window event from the platform: keys become virtual keys (with the
// characters that the platform does not type for Backspace, Tab, Enter and
// Esc), text becomes characters, the close button goes to Input_CloseButton.
void Input_HandleWindowEvent(const RWindowEvent& event);
// Handles every pending notification: window events, injected keys and
// scripted input due by now.
void Input_HandleMessages();
// keyboard_wait and mouse_wait: the last key (button) becomes 0, then
// notifications are handled until it is not 0 any more, the game is ending
// or no more input can come.
void Input_WaitForKey();
void Input_WaitForButton();

// Installs the input stages of the step loop, the game keys and the clearing
// on room entry. (Start-up passes Input_ClearAll to the error display too.)
void World_InstallInputHooks();
// Supplies the input functions and variables to the catalogues.
void World_ImplementInputFunctions();
