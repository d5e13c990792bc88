// Windows of the runner's own that the game runs beside (the information
// page without pause, a splash screen that does not interrupt): each takes
// its keys and clicks and repaints once a step, and goes when it closes.
#pragma once

#include "dialogs/ModalDialog.h"
#include "dialogs/PanelHost.h"

#include <memory>

// Takes both; shows the dialog at once. A host without a window (no
// display) says so on standard error for function and keeps nothing.
void Companion_Open(std::unique_ptr<CPanelHost> host, std::unique_ptr<IModalDialog> dialog);
// Once a step, after the window messages were handled.
void Companion_ServiceAll();
void Companion_CloseAll();
int32_t Companion_Count();
