// window_handle, set_application_title, set_program_priority, the platform
// and device queries and the clipboard, plus the registration of the date
// functions.
#include "library/MiscFunctions.h"

#include "library/LibraryRoutines.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"

namespace {

uint64_t WindowHandle = 0;

bool F_WindowHandle(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(static_cast<double>(WindowHandle));
    return true;
}

// The application's title is also the caption of the runner's message boxes.
bool F_SetApplicationTitle(CExecutionContext&, RValue&, int, RValue* args)
{
    if (args[0].kind == VALUE_STRING)
        Platform_SetApplicationTitle(args[0].str.Text());
    return true;
}

// Accepted and ignored: raising a process's priority needs root on Linux,
// and a lowered one could not be raised again.
bool F_SetProgramPriority(CExecutionContext&, RValue&, int, RValue*) {
    return true;
}

// Both 0, like the built-in variables os_type and os_device.
bool F_GetPlatform(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(0);
    return true;
}

bool F_GetDevice(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(0);
    return true;
}

bool F_ClipboardHasText(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(Platform_Clipboard().HasText() ? 1 : 0);
    return true;
}

bool F_ClipboardGetText(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetString(RString(Platform_Clipboard().GetText()));
    return true;
}

bool F_ClipboardSetText(CExecutionContext&, RValue&, int, RValue* args)
{
    Platform_Clipboard().SetText(args[0].str.Text());
    return true;
}

} // namespace

void Misc_SetWindowHandle(uint64_t handle)
{
    WindowHandle = handle;
}

void Library_RegisterMiscFunctions()
{
    Library_ImplementDateFunctions();
    Function_Implement("window_handle", &F_WindowHandle);
    Function_Implement("set_application_title", &F_SetApplicationTitle);
    Function_Implement("set_program_priority", &F_SetProgramPriority);
    Function_Implement("BrindleCo_GetPlatform", &F_GetPlatform);
    Function_Implement("BrindleCo_GetDevice", &F_GetDevice);
    Function_Implement("clipboard_has_text", &F_ClipboardHasText);
    Function_Implement("clipboard_get_text", &F_ClipboardGetText);
    Function_Implement("clipboard_set_text", &F_ClipboardSetText);
}
