// The dialogs' place in the runner.
#include "dialogs/Dialogs.h"

#include "data/Resources.h"
#include "dialogs/Companions.h"
#include "dialogs/DebugWindow.h"
#include "dialogs/InformationWindow.h"
#include "dialogs/ModalDialog.h"
#include "world/GameKeys.h"
#include "world/Input.h"
#include "world/StepLoop.h"

namespace {

// Once a step: the windows that the game runs beside.
void ServiceWindows()
{
    Companion_ServiceAll();
    DebugWindow_Refresh();
}

} // namespace

void Dialogs_RegisterFunctions()
{
    Dialogs_ImplementMessageFunctions();
    Dialogs_ImplementHighscoreFunctions();
    Dialogs_ImplementInformationFunctions();
    Dialogs_ImplementSplashFunctions();
}

void Dialogs_Start()
{
    Information_Set(GameResources.GameInformation);
    GameKeys.showInformation = [] { Information_Show("F1"); };
    StepHooks.debugWindow = &ServiceWindows;
    InputHooks.overlayShowing = &Dialog_IsShowingInGameWindow;
    InputHooks.closeOverlay = &Dialog_CloseInGameWindow;
    DebugWindow_Start();
}

void Dialogs_Shutdown()
{
    Companion_CloseAll();
    DebugWindow_Close();
}

bool Dialogs_HoldWhilePaused()
{
    return DebugWindow_HoldWhilePaused();
}
