// The runner's own windows drawn over the game window (messages, menus, the
// highscore table, the information page, splash screens): a picture in the
// client area's own pixels, shown over the last frame, whatever the game's
// scaling. It stays in the window's picture (and in the last frame a run's
// screenshot saves) until the game presents its next frame.
#pragma once

#include "data/Bitmap32.h"
#include "platform/GameWindow.h"

#include <cstdint>

// The client area's size; false when the display has no pixels (headless).
bool Overlay_GetClientSize(int32_t& w, int32_t& h);
// Shows the last frame with picture over it, at opacity 0..1.
void Overlay_Present(const TBitmap32& picture, double opacity);
// The dialog has closed: the game's next frame drops the picture.
void Overlay_Release();
// Window events while a dialog has the window: resizing and painting are
// handled as always, then every event goes to handler, none to the game.
void Overlay_PumpEvents(const WindowEventHandler& handler);
// The screen the game window is on (the display's real mode); false when it
// cannot be read.
bool Overlay_GetScreenSize(int32_t& w, int32_t& h);

// The game window for the platform's standard dialogs, which draw over the
// last frame themselves.
struct RDialogSurface;
RDialogSurface Overlay_DialogSurface();
