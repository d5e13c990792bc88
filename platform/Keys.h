// Keys as games know them: the virtual key codes 0..255 of the platform the
// games were written for. A window key event carries the platform's key (a
// character code for keys that type one) and its scancode (the USB HID
// usage of the physical key, which is what SDL's scancodes are); this turns
// them into virtual keys. It also keeps the runner's own table of keys that
// were injected or scripted, because keys the runner posts itself never reach
// the platform's own keyboard state, and the Num Lock state that goes with it.
#pragma once

#include <cstdint>

struct RVirtualKey {
    int32_t code = 0;  // what games see; Shift, Ctrl and Alt are 16, 17 and 18
    int32_t sided = 0; // the same, except 160..165 for the left and right Shift, Ctrl and Alt
};

// Letters and digits follow the key (so they follow the keyboard layout);
// every other key follows its position. With Num Lock off the keypad gives
// the navigation keys printed on it. Code 0 when the key has no virtual key.
RVirtualKey Platform_TranslateKey(int32_t key, int32_t scancode, bool numLock);

// Whether the physical key is down now, as direct checks see it: the
// platform's keyboard (and mouse buttons 1, 2, 4) when a window exists, or a
// key marked down in the runner's own table. Codes 16..18 answer for either side.
bool Platform_IsKeyDown(int32_t code);
// The runner's own table: marks a key down or up without any event.
void Platform_SetOwnKeyState(int32_t code, bool down);

// Injection into the runner's own queue: the key goes down or up in the own
// table at once and reaches the game as a key event when messages are next
// handled. Codes outside 0..255 are ignored.
void Platform_InjectKey(int32_t code, bool down);
// The oldest injected key event; false when none waits.
bool Platform_TakeInjectedKey(int32_t& code, bool& down);

// Num Lock: the keyboard's state, flipped by every injected press of key 144.
bool Platform_NumLock();

// Whether one of the runner's windows has the keyboard focus, which is what
// makes the game window the active one. False without any window.
bool Platform_HasInputFocus();

// Forgets the own table, the queue and the flips (a new run, or a test).
void Platform_ResetKeys();
