// The drawing device of the game window: its creation and reset, the back
// buffer region, frames and presenting, and reading pixels back. The display
// owns the platform window and device; everything in graphics/ draws through
// Display_Device().
#pragma once

#include "data/Bitmap32.h"
#include "platform/GameWindow.h"
#include "platform/RenderDevice.h"

#include <memory>

// Messages of a failed start of the device.
extern const char* const kDisplayDepthMessage;
extern const char* const kDisplayModeMessage;
extern const char* const kDisplaySurfacesMessage;

// Takes the window the display lives in (and attaches the window state to it).
void Display_Open(std::unique_ptr<IGameWindow> window);
// Releases the device first, then the window.
void Display_Close();
IGameWindow* Display_Window();
// The device, or null before creation and after a failure.
IRenderDevice* Display_Device();

// Starts the device with a back-buffer region of w × h (clipped to the
// screen). Shows the reason in a message box and returns false on failure.
bool Display_CreateDevice(int32_t w, int32_t h, bool synchronization);
// Brings the device back to its remembered state after a change of display
// mode or 3D mode. Surfaces do not survive it: all are freed first.
bool Display_Reset();
// Called before every reset, once the surfaces are gone.
void Display_SetBeforeResetHook(void (*hook)());

// The back buffer's region clipped to the screen; resets viewport and
// projection when it changes.
void Display_SetRegionSize(int32_t w, int32_t h);
void Display_GetBackRegion(int32_t& w, int32_t& h);

void Display_BeginFrame();
// Presents; a failed present resets the device and loses the frame.
bool Display_EndFrameAndPresent();
bool Display_PresentFrame();
// How the last frame goes into the window now (the dialogs draw over it).
RPresentation Display_CurrentPresentation();
// The window's whole picture as the last present showed it: the region
// scaled into place and the strips around it in the window colour.
bool Display_ReadWindow(TBitmap32& picture);
// Shows the last frame again with the window's strips (painting).
void Display_PaintWindow();
void Display_WaitVerticalBlank();

// Asks for a display mode; fields <= 0 stay as they are. The screen's mode
// is never changed: the game sees the mode it asked for from then on, and
// in full screen its region is shown as on a screen of that size, scaled
// onto the real one. Modes no screen has (a depth other than 16 or 32, a
// size beyond the largest below) fail. testOnly only tells whether it would.
constexpr int32_t kLargestEmulatedScreen = 16384;
bool Display_ChangeMode(const RDisplayMode& wanted, bool testOnly);
// Back to the screen's own mode.
void Display_ResetMode();
// The mode the game sees: the one it asked for, else the screen's.
bool Display_GetMode(RDisplayMode& mode);
// The size of the mode the game asked for; false when it sees the screen's own.
bool Display_GetEmulatedScreen(int32_t& w, int32_t& h);

// A picture of the runner's own over the whole client area (from its
// top-left, one to one) in every present from now on, at opacity 0..1.
bool Display_SetOverlay(const TBitmap32& picture, double opacity);
// The picture stays in the window's picture until the game presents its
// next frame, which shows without it.
void Display_ReleaseOverlay();

// A rectangle of the back buffer, cut to the region; false when nothing is left.
bool Display_ReadScreen(int32_t x, int32_t y, int32_t w, int32_t h, TBitmap32& bitmap);

extern bool Display_Synchronization;
