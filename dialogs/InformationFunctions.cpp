// show_info and load_info.
#include "code/FunctionCatalogue.h"
#include "dialogs/DialogArguments.h"
#include "dialogs/Dialogs.h"
#include "dialogs/InformationWindow.h"

namespace {

BUILTIN(ShowInfo)
{
    Information_Show("show_info");
    return true;
}

BUILTIN(LoadInfo)
{
    result = RValue(Information_LoadFile(DialogText(args[0])) ? 1.0 : 0.0);
    return true;
}

} // namespace

void Dialogs_ImplementInformationFunctions()
{
    Function_Implement("show_info", &ShowInfo);
    Function_Implement("load_info", &LoadInfo);
}
