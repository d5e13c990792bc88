// The OpenGL 3.3 core drawing device behind the SDL window. Internal to
// platform/: the window creates it for itself.
#pragma once

#include "platform/RenderDevice.h"

#include <memory>
#include <string>

struct SDL_Window;

std::unique_ptr<IRenderDevice> Platform_CreateGlDevice(SDL_Window* window, std::string& error);
