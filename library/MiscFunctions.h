// The library's share of the misc module: the date and time functions and
// the few that face the platform (window handle, application title,
// program priority, platform and device, clipboard).
#pragma once

#include <cstdint>

// Supplies the routines to the function catalogue; call before Function_RegisterAll.
void Library_RegisterMiscFunctions();

// The window module tells us its platform handle once the window exists
// (and 0 when it is gone); window_handle() gives 0 without a window.
void Misc_SetWindowHandle(uint64_t handle);
