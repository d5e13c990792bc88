// The dialogs' place in the runner.
#include "dialogs/Dialogs.h"

void Dialogs_RegisterFunctions()
{
    Dialogs_ImplementMessageFunctions();
    Dialogs_ImplementHighscoreFunctions();
}

void Dialogs_Start()
{
}

void Dialogs_Shutdown()
{
}
