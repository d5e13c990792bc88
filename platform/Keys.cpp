// The virtual key table, the own key table with its injection queue, and Num Lock.
#include "platform/Keys.h"
#include "platform/LazyLibraries.h"

#include <SDL.h>

#include <array>
#include <deque>
#include <utility>

namespace {

constexpr int32_t kShift = 16, kControl = 17, kAlt = 18;
constexpr int32_t kNumLockKey = 144;

std::array<bool, 256> OwnDown{};
std::deque<std::pair<int32_t, bool>> Injected;
bool NumLockFlipped = false;

// Whether a window has started SDL's video (without the library open
// nothing can have).
bool IsVideoStarted()
{
    return Platform_IsLibraryLoaded(kLazySdl) && SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

// Keys that keep their virtual key whatever the layout, by position.
int32_t ByPosition(int32_t scancode, bool numLock)
{
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return 112 + (scancode - SDL_SCANCODE_F1);
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
        return 124 + (scancode - SDL_SCANCODE_F13);
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
        // Keypad 1..9 without Num Lock: End, Down, PgDn, Left, Clear, Right, Home, Up, PgUp.
        static const int32_t kNavigation[9] = {35, 40, 34, 37, 12, 39, 36, 38, 33};
        int32_t digit = scancode - SDL_SCANCODE_KP_1;
        return numLock ? 97 + digit : kNavigation[digit];
    }
    switch (scancode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_KP_0: return numLock ? 96 : 45;
    case SDL_SCANCODE_KP_PERIOD: return numLock ? 110 : 46;
    case SDL_SCANCODE_KP_DIVIDE: return 111;
    case SDL_SCANCODE_KP_MULTIPLY: return 106;
    case SDL_SCANCODE_KP_MINUS: return 109;
    case SDL_SCANCODE_KP_PLUS: return 107;
    case SDL_SCANCODE_KP_ENTER: return 13;
    case SDL_SCANCODE_KP_COMMA: return 108;
    case SDL_SCANCODE_RETURN: return 13;
    case SDL_SCANCODE_ESCAPE: return 27;
    case SDL_SCANCODE_BACKSPACE: return 8;
    case SDL_SCANCODE_TAB: return 9;
    case SDL_SCANCODE_SPACE: return 32;
    case SDL_SCANCODE_MINUS: return 189;
    case SDL_SCANCODE_EQUALS: return 187;
    case SDL_SCANCODE_LEFTBRACKET: return 219;
    case SDL_SCANCODE_RIGHTBRACKET: return 221;
    case SDL_SCANCODE_BACKSLASH: return 220;
    case SDL_SCANCODE_NONUSHASH: return 220;
    case SDL_SCANCODE_SEMICOLON: return 186;
    case SDL_SCANCODE_APOSTROPHE: return 222;
    case SDL_SCANCODE_GRAVE: return 192;
    case SDL_SCANCODE_COMMA: return 188;
    case SDL_SCANCODE_PERIOD: return 190;
    case SDL_SCANCODE_SLASH: return 191;
    case SDL_SCANCODE_NONUSBACKSLASH: return 226;
    case SDL_SCANCODE_CAPSLOCK: return 20;
    case SDL_SCANCODE_PRINTSCREEN: return 44;
    case SDL_SCANCODE_SCROLLLOCK: return 145;
    case SDL_SCANCODE_PAUSE: return 19;
    case SDL_SCANCODE_INSERT: return 45;
    case SDL_SCANCODE_HOME: return 36;
    case SDL_SCANCODE_PAGEUP: return 33;
    case SDL_SCANCODE_DELETE: return 46;
    case SDL_SCANCODE_END: return 35;
    case SDL_SCANCODE_PAGEDOWN: return 34;
    case SDL_SCANCODE_RIGHT: return 39;
    case SDL_SCANCODE_LEFT: return 37;
    case SDL_SCANCODE_DOWN: return 40;
    case SDL_SCANCODE_UP: return 38;
    case SDL_SCANCODE_NUMLOCKCLEAR: return kNumLockKey;
    case SDL_SCANCODE_APPLICATION: return 93;
    case SDL_SCANCODE_LGUI: return 91;
    case SDL_SCANCODE_RGUI: return 92;
    case SDL_SCANCODE_HELP: return 47;
    case SDL_SCANCODE_SELECT: return 41;
    case SDL_SCANCODE_EXECUTE: return 43;
    case SDL_SCANCODE_SLEEP: return 95;
    case SDL_SCANCODE_MUTE:
    case SDL_SCANCODE_AUDIOMUTE: return 173;
    case SDL_SCANCODE_VOLUMEDOWN: return 174;
    case SDL_SCANCODE_VOLUMEUP: return 175;
    case SDL_SCANCODE_AUDIONEXT: return 176;
    case SDL_SCANCODE_AUDIOPREV: return 177;
    case SDL_SCANCODE_AUDIOSTOP: return 178;
    case SDL_SCANCODE_AUDIOPLAY: return 179;
    default: return 0;
    }
}

bool OwnKey(int32_t code)
{
    return code >= 0 && code < 256 && OwnDown[static_cast<size_t>(code)];
}

// Either side of a modifier counts for the plain modifier code.
bool OwnKeyEitherSide(int32_t code)
{
    if (code >= kShift && code <= kAlt) {
        int32_t left = 160 + 2 * (code - kShift);
        return OwnKey(code) || OwnKey(left) || OwnKey(left + 1);
    }
    return OwnKey(code);
}

bool PlatformMouseDown(int32_t code)
{
    Uint32 buttons = SDL_GetGlobalMouseState(nullptr, nullptr);
    switch (code) {
    case 1: return (buttons & SDL_BUTTON_LMASK) != 0;
    case 2: return (buttons & SDL_BUTTON_RMASK) != 0;
    case 4: return (buttons & SDL_BUTTON_MMASK) != 0;
    case 5: return (buttons & SDL_BUTTON_X1MASK) != 0;
    case 6: return (buttons & SDL_BUTTON_X2MASK) != 0;
    default: return false;
    }
}

bool PlatformKeyDown(int32_t code)
{
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    bool numLock = Platform_NumLock();
    for (int scancode = 0; scancode < count; ++scancode) {
        if (!state[scancode])
            continue;
        RVirtualKey key = Platform_TranslateKey(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode)), scancode,
                                                numLock);
        if (key.code == code || key.sided == code)
            return true;
    }
    return false;
}

} // namespace

RVirtualKey Platform_TranslateKey(int32_t key, int32_t scancode, bool numLock)
{
    RVirtualKey out;
    switch (scancode) {
    case SDL_SCANCODE_LSHIFT: return {kShift, 160};
    case SDL_SCANCODE_RSHIFT: return {kShift, 161};
    case SDL_SCANCODE_LCTRL: return {kControl, 162};
    case SDL_SCANCODE_RCTRL: return {kControl, 163};
    case SDL_SCANCODE_LALT: return {kAlt, 164};
    case SDL_SCANCODE_RALT: return {kAlt, 165};
    default: break;
    }
    if (key >= 'a' && key <= 'z')
        out.code = key - 'a' + 'A';
    else if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        out.code = key;
    else
        out.code = ByPosition(scancode, numLock);
    out.sided = out.code;
    return out;
}

bool Platform_IsKeyDown(int32_t code)
{
    if (code < 0 || code > 255)
        return false;
    if (OwnKeyEitherSide(code))
        return true;
    if (!IsVideoStarted())
        return false;
    return PlatformMouseDown(code) || PlatformKeyDown(code);
}

void Platform_SetOwnKeyState(int32_t code, bool down)
{
    if (code >= 0 && code < 256)
        OwnDown[static_cast<size_t>(code)] = down;
}

void Platform_InjectKey(int32_t code, bool down)
{
    if (code < 0 || code > 255)
        return;
    // A press of Num Lock flips it; a key already down does not press again.
    if (code == kNumLockKey && down && !OwnDown[static_cast<size_t>(code)])
        NumLockFlipped = !NumLockFlipped;
    Platform_SetOwnKeyState(code, down);
    Injected.emplace_back(code, down);
}

bool Platform_TakeInjectedKey(int32_t& code, bool& down)
{
    if (Injected.empty())
        return false;
    code = Injected.front().first;
    down = Injected.front().second;
    Injected.pop_front();
    return true;
}

bool Platform_NumLock()
{
    bool keyboard = IsVideoStarted() && (SDL_GetModState() & KMOD_NUM) != 0;
    return keyboard != NumLockFlipped;
}

bool Platform_HasInputFocus()
{
    return IsVideoStarted() && SDL_GetKeyboardFocus() != nullptr;
}

void Platform_ResetKeys()
{
    OwnDown.fill(false);
    Injected.clear();
    NumLockFlipped = false;
}
