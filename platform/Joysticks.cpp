// Joysticks through SDL. The sticks are polled, never queued as events: the
// runner reads them once a step and when a script asks, and an event queue
// that nobody empties (a run without a window) would only fill up.
#include "platform/Joysticks.h"
#include "platform/LazyLibraries.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

namespace {

bool Started = false;
bool Unavailable = false;
std::vector<SDL_Joystick*> Opened;
std::vector<int> VirtualDevices;
SDL_Joystick* NewestVirtual = nullptr;

bool Start()
{
    if (Started)
        return true;
    if (Unavailable)
        return false;
    std::string error;
    if (!Platform_LoadLibraries({kLazySdl}, error)) {
        Unavailable = true;
        return false;
    }
    // Without this hint SDL stops updating the sticks while the window lacks focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        Unavailable = true;
        return false;
    }
    SDL_JoystickEventState(SDL_IGNORE);
    Started = true;
    return true;
}

void CloseOpened()
{
    for (SDL_Joystick* stick : Opened)
        if (stick)
            SDL_JoystickClose(stick);
    Opened.clear();
}

// Reopens every stick when one came or went, so indices follow the platform's order.
void Refresh()
{
    SDL_JoystickUpdate();
    int count = std::max(SDL_NumJoysticks(), 0);
    bool stale = static_cast<int>(Opened.size()) != count;
    for (SDL_Joystick* stick : Opened)
        stale = stale || !stick || !SDL_JoystickGetAttached(stick);
    if (!stale)
        return;
    CloseOpened();
    for (int k = 0; k < count; ++k)
        Opened.push_back(SDL_JoystickOpen(k));
    SDL_JoystickUpdate();
}

int32_t PovOfHat(Uint8 hat)
{
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return kPovCentred;
    }
}

} // namespace

bool Platform_ReadJoystick(int32_t index, RJoystickState& state)
{
    state = RJoystickState();
    if (!Start())
        return false;
    Refresh();
    if (index < 0 || index >= static_cast<int32_t>(Opened.size()) || !Opened[static_cast<size_t>(index)])
        return false;
    SDL_Joystick* stick = Opened[static_cast<size_t>(index)];
    const char* name = SDL_JoystickName(stick);
    state.name = name ? name : "";
    state.axes = std::clamp(SDL_JoystickNumAxes(stick), 0, kJoystickAxes);
    state.buttons = std::clamp(SDL_JoystickNumButtons(stick), 0, kJoystickButtons);
    state.hasPov = SDL_JoystickNumHats(stick) > 0;
    for (int32_t axis = 0; axis < kJoystickAxes; ++axis)
        state.position[static_cast<size_t>(axis)] =
            axis < state.axes ? SDL_JoystickGetAxis(stick, axis) + 32768 : 32767;
    for (int32_t button = 0; button < state.buttons; ++button)
        if (SDL_JoystickGetButton(stick, button))
            state.buttonBits |= 1u << button;
    state.pov = state.hasPov ? PovOfHat(SDL_JoystickGetHat(stick, 0)) : kPovCentred;
    return true;
}

void Platform_CloseJoysticks()
{
    Platform_DetachVirtualJoysticks();
    CloseOpened();
    if (Started)
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    Started = false;
}

bool Platform_AttachVirtualJoystick(int32_t axes, int32_t buttons, int32_t hats)
{
    if (!Start())
        return false;
    int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, axes, buttons, hats);
    if (device < 0)
        return false;
    VirtualDevices.push_back(device);
    Refresh();
    NewestVirtual = nullptr;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
    for (SDL_Joystick* stick : Opened)
        if (stick && SDL_JoystickInstanceID(stick) == id)
            NewestVirtual = stick;
    return NewestVirtual != nullptr;
}

void Platform_SetVirtualJoystickAxis(int32_t axis, int32_t value)
{
    if (NewestVirtual)
        SDL_JoystickSetVirtualAxis(NewestVirtual, axis, static_cast<Sint16>(std::clamp(value, -32768, 32767)));
}

void Platform_SetVirtualJoystickButton(int32_t button, bool down)
{
    if (NewestVirtual)
        SDL_JoystickSetVirtualButton(NewestVirtual, button, down ? 1 : 0);
}

void Platform_SetVirtualJoystickHat(int32_t hat, int32_t value)
{
    if (NewestVirtual)
        SDL_JoystickSetVirtualHat(NewestVirtual, hat, static_cast<Uint8>(value));
}

void Platform_DetachVirtualJoysticks()
{
    NewestVirtual = nullptr;
    CloseOpened();
    // Detaching shifts the device indices down, so go from the newest.
    std::sort(VirtualDevices.rbegin(), VirtualDevices.rend());
    for (int device : VirtualDevices)
        SDL_JoystickDetachVirtual(device);
    VirtualDevices.clear();
}
