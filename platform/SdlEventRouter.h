// SDL has one event queue for all windows: whoever polls it (the game
// window's pump) hands the events of the runner's other windows to them.
#pragma once

#include "platform/GameWindow.h"

#include <SDL.h>

#include <cstdint>
#include <functional>

void SdlEvents_Register(uint32_t windowId, std::function<void(const SDL_Event&)> sink);
void SdlEvents_Unregister(uint32_t windowId);
// True when the event belonged to a registered window and went there.
bool SdlEvents_Route(const SDL_Event& event);
// The window an event is about, 0 for none (quitting, devices).
uint32_t SdlEvents_WindowOf(const SDL_Event& event);
// The runner's form of an event; false for events it does not use.
bool SdlEvents_Translate(const SDL_Event& event, RWindowEvent& out);
