// window_handle, set_application_title, set_program_priority, the platform
// and device queries and the clipboard, plus the registration of the date
// functions.
#include "library/MiscFunctions.h"

#include "library/LibraryRoutines.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"

namespace {

uint64_t WindowHandle = 0;

void F_WindowHandle(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result.SetReal(static_cast<double>(WindowHandle));
}

// The application's title is also the caption of the runner's message boxes.
void F_SetApplicationTitle(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    if (args[0].kind == VALUE_STRING)
        Platform_SetApplicationTitle(args[0].str.Text());
}

// Accepted and ignored: raising a process's priority needs root on Linux,
// and a lowered one could not be raised again.
void F_SetProgramPriority(CInstance*, CInstance*, int, RValue&, RValue*) {}

// Both 0, like the built-in variables os_type and os_device.
void F_GetPlatform(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result.SetReal(0);
}

void F_GetDevice(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result.SetReal(0);
}

void F_ClipboardHasText(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result.SetReal(Platform_Clipboard().HasText() ? 1 : 0);
}

void F_ClipboardGetText(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result.SetString(RString(Platform_Clipboard().GetText()));
}

void F_ClipboardSetText(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    Platform_Clipboard().SetText(args[0].str.Text());
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
