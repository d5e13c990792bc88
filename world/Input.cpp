// The input state and how notifications change it.
#include "world/Input.h"

#include "code/StopRequest.h"
#include "data/Event.h"
#include "data/GameSettings.h"
#include "platform/TextEncoding.h"
#include "platform/Keys.h"
#include "world/EventDispatch.h"
#include "world/Rooms.h"

RInputState InputState;
RInputHooks InputHooks;

namespace {

constexpr int32_t kEscape = 27;
constexpr int32_t kCloseButtonEvent = 30;

bool Ignored()
{
    return InputHooks.overlayShowing && InputHooks.overlayShowing();
}

// The game code of a window code; -1 when the map sends it outside 0..255.
int32_t Mapped(int32_t code)
{
    if (code < 0 || code >= kKeyCodes)
        return -1;
    int32_t mapped = InputState.in_keyMap[static_cast<size_t>(code)];
    return mapped >= 0 && mapped < kKeyCodes ? mapped : -1;
}

bool ValidButton(int32_t button)
{
    return button >= 1 && button <= kMouseButtons;
}

} // namespace

RInputState::RInputState()
{
    for (int32_t k = 0; k < kKeyCodes; ++k)
        in_keyMap[static_cast<size_t>(k)] = k;
}

void Input_Reset()
{
    InputState = RInputState();
}

void Input_KeyDown(int32_t code)
{
    int32_t m = Mapped(code);
    if (m < 0 || Ignored())
        return;
    size_t k = static_cast<size_t>(m);
    InputState.in_lastKey = m;
    InputState.in_currentKey = m;
    // A key already held is the platform repeating it: no second press.
    if (!InputState.in_keyHeld[k])
        InputState.in_keyPressed[k] = true;
    InputState.in_keyHeld[k] = true;
    if (m == kEscape)
        InputState.in_closeEscape = false; // a real Esc now holds it
}

void Input_KeyboardKeyDown(int32_t code)
{
    Input_KeyDown(code);
    if (code == 8 || code == 9 || code == 13 || code == kEscape)
        Input_Character(code);
}

void Input_KeyUp(int32_t code)
{
    int32_t m = Mapped(code);
    if (m < 0 || Ignored())
        return;
    size_t k = static_cast<size_t>(m);
    if (m == InputState.in_currentKey)
        InputState.in_currentKey = 0;
    InputState.in_keyHeld[k] = false;
    InputState.in_keyReleased[k] = true;
    if (m == kEscape)
        InputState.in_closeEscape = false;
}

void Input_Character(int32_t code)
{
    if (code < 0 || code > 255 || Ignored())
        return;
    InputState.in_lastChar = code;
    std::string& typed = InputState.in_typed;
    if (typed.size() > kTypedTextKept)
        typed.erase(0, typed.size() - kTypedTextKept);
    if (code == 8) {
        if (!typed.empty())
            typed.pop_back();
    } else if (code > 31) {
        typed += static_cast<char>(code);
    }
}

void Input_MouseDown(int32_t button)
{
    if (!ValidButton(button) || Ignored())
        return;
    size_t b = static_cast<size_t>(button);
    InputState.in_lastButton = button;
    InputState.in_currentButton = button;
    InputState.in_buttonHeld[b] = true;
    InputState.in_buttonPressed[b] = true;
}

void Input_MouseUp(int32_t button)
{
    if (!ValidButton(button) || Ignored())
        return;
    size_t b = static_cast<size_t>(button);
    InputState.in_currentButton = 0;
    InputState.in_buttonHeld[b] = false;
    InputState.in_buttonReleased[b] = true;
}

void Input_Wheel(int32_t direction)
{
    if (Ignored())
        return;
    if (direction > 0)
        InputState.in_wheelUp = true;
    else if (direction < 0)
        InputState.in_wheelDown = true;
}

void Input_CloseButton()
{
    if (InputHooks.overlayShowing && InputHooks.overlayShowing()) {
        if (InputHooks.closeOverlay)
            InputHooks.closeOverlay();
        return;
    }
    if (!Settings.CloseButtonAsEsc) {
        PerformEventAll(kEventOther, kCloseButtonEvent);
        return;
    }
    // Esc becomes held without a press, so the game keys see it as the last
    // key. Nobody will ever release it, so it is let go after one keyboard
    // stage (see Input_ClearStep) unless a real Esc takes over.
    size_t k = static_cast<size_t>(kEscape);
    if (!InputState.in_keyHeld[k]) {
        InputState.in_closeEscape = true;
        InputState.in_closeEscapeSeen = false;
    }
    InputState.in_keyHeld[k] = true;
    InputState.in_currentKey = kEscape;
    InputState.in_lastKey = kEscape;
}

void Input_ClearStep()
{
    InputState.in_keyPressed.fill(false);
    InputState.in_keyReleased.fill(false);
    InputState.in_buttonPressed.fill(false);
    InputState.in_buttonReleased.fill(false);
    InputState.in_wheelUp = false;
    InputState.in_wheelDown = false;
    if (InputState.in_closeEscape && InputState.in_closeEscapeSeen) {
        InputState.in_closeEscape = false;
        InputState.in_keyHeld[static_cast<size_t>(kEscape)] = false;
        if (InputState.in_currentKey == kEscape)
            InputState.in_currentKey = 0;
    }
}

void Input_ClearAll()
{
    InputState.in_typed.clear();
    InputState.in_lastKey = 0;
    InputState.in_currentKey = 0;
    InputState.in_lastChar = 0;
    InputState.in_keyHeld.fill(false);
    InputState.in_keyPressed.fill(false);
    InputState.in_keyReleased.fill(false);
    InputState.in_lastButton = 0;
    InputState.in_currentButton = 0;
    InputState.in_buttonHeld.fill(false);
    InputState.in_buttonPressed.fill(false);
    InputState.in_buttonReleased.fill(false);
    InputState.in_wheelUp = false;
    InputState.in_wheelDown = false;
    InputState.in_closeEscape = false;
}

bool Input_IsWindowActive()
{
    return !InputHooks.windowActive || InputHooks.windowActive();
}

void Input_UpdateMousePosition()
{
    InputState.in_previousX = InputState.in_mouseX;
    InputState.in_previousY = InputState.in_mouseY;
    if (InputHooks.mouseInRoom)
        InputHooks.mouseInRoom(InputState.in_mouseX, InputState.in_mouseY);
}

bool Input_ReadJoystick(int32_t index, RJoystickState& state)
{
    state = RJoystickState();
    return InputHooks.readJoystick && InputHooks.readJoystick(index, state);
}

void Input_HandleWindowEvent(const RWindowEvent& event)
{
    switch (event.kind) {
    case EWindowEvent::KeyDown: {
        int32_t code = Platform_TranslateKey(event.key, event.scancode, Platform_NumLock()).code;
        if (code != 0)
            Input_KeyboardKeyDown(code);
        break;
    }
    case EWindowEvent::KeyUp: {
        int32_t code = Platform_TranslateKey(event.key, event.scancode, Platform_NumLock()).code;
        if (code != 0)
            Input_KeyUp(code);
        break;
    }
    case EWindowEvent::Text:
        for (char c : Utf8ToCp1252(event.text))
            Input_Character(static_cast<unsigned char>(c));
        break;
    case EWindowEvent::MouseDown:
        Input_MouseDown(event.button);
        break;
    case EWindowEvent::MouseUp:
        Input_MouseUp(event.button);
        break;
    case EWindowEvent::MouseWheel:
        Input_Wheel(event.wheel);
        break;
    case EWindowEvent::Close:
        Input_CloseButton();
        break;
    default:
        break;
    }
}

void Input_HandleMessages()
{
    if (InputHooks.pumpWindow)
        InputHooks.pumpWindow();
    int32_t code = 0;
    bool down = false;
    while (Platform_TakeInjectedKey(code, down)) {
        if (down)
            Input_KeyboardKeyDown(code);
        else
            Input_KeyUp(code);
    }
    if (InputHooks.feedScript)
        InputHooks.feedScript();
}

namespace {

void WaitUntil(bool (*arrived)())
{
    for (;;) {
        Input_HandleMessages();
        if (arrived() || IsChangePending() || Code_StopRequested())
            return;
        if (!InputHooks.waitForInput || !InputHooks.waitForInput())
            return;
    }
}

} // namespace

void Input_WaitForKey()
{
    InputState.in_lastKey = 0;
    WaitUntil([] { return InputState.in_lastKey != 0; });
}

void Input_WaitForButton()
{
    InputState.in_lastButton = 0;
    WaitUntil([] { return InputState.in_lastButton != 0; });
}
