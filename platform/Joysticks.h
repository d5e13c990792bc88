// The joysticks, read directly whenever asked. Positions are unsigned 16-bit
// values with the centre near 32767, the point-of-view hat is hundredths of a
// degree clockwise from up, as the games' own platform reported them.
// Sticks keep reporting while the game window lacks focus.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int32_t kJoystickAxes = 6; // x, y, z, r, u, v
constexpr int32_t kJoystickButtons = 32;
constexpr int32_t kPovCentred = 65535;

struct RJoystickState {
    std::string name;
    int32_t axes = 0;    // how many axes the stick has (at most 6)
    int32_t buttons = 0; // how many buttons (at most 32)
    bool hasPov = false;
    std::array<int32_t, kJoystickAxes> position{}; // 0..65535
    uint32_t buttonBits = 0;                        // bit n: button n + 1 is down
    int32_t pov = kPovCentred;                      // 0..35999, or kPovCentred
};

// The state of the first (index 0) or second (index 1) stick attached;
// false when there is no such stick.
bool Platform_ReadJoystick(int32_t index, RJoystickState& state);
// Closes the sticks and the joystick system (it starts again when read).
void Platform_CloseJoysticks();

// Tests: a stick that the platform reports like a real one, attached after
// those already there. Returns false when the platform cannot make one.
bool Platform_AttachVirtualJoystick(int32_t axes, int32_t buttons, int32_t hats);
// Sets the newest virtual stick's axis (-32768..32767 as the platform
// counts), button or hat (a combination of 1 up, 2 right, 4 down, 8 left).
void Platform_SetVirtualJoystickAxis(int32_t axis, int32_t value);
void Platform_SetVirtualJoystickButton(int32_t button, bool down);
void Platform_SetVirtualJoystickHat(int32_t hat, int32_t value);
void Platform_DetachVirtualJoysticks();
