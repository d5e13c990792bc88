// The widget session on an SDL window with an OpenGL context.
#pragma once

#include "platform/WidgetSession.h"

#include <SDL.h>

#include <memory>
#include <string>

std::unique_ptr<IWidgetSession> Platform_OpenImGuiSession(SDL_Window* window);
// The font files widgets are drawn with (a proportional face, or a fixed
// one for text in columns); empty when none is found.
std::string Platform_WidgetFontFile(bool fixed = false);
