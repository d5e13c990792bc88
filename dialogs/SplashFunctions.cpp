// The splash functions.
#include "code/FunctionCatalogue.h"
#include "dialogs/DialogArguments.h"
#include "dialogs/Dialogs.h"
#include "dialogs/Splash.h"

namespace {

RSplashSettings& S()
{
    return SplashSettings;
}

// full and loop of the older functions: true for any whole number but 0.
bool Whole(const RValue& value)
{
    return RoundToInteger(value.val) != 0;
}

BUILTIN(SetCaption) { S().caption = DialogText(args[0]); return true; }
BUILTIN(SetFullscreen) { S().fullscreen = Splash_Bool(args[0].val); return true; }
BUILTIN(SetBorder) { S().border = Splash_Bool(args[0].val); return true; }
BUILTIN(SetAdapt) { S().adapt = Splash_Bool(args[0].val); return true; }
BUILTIN(SetTop) { S().top = Splash_Bool(args[0].val); return true; }
BUILTIN(SetColor) { S().color = DialogInt(args[0]); return true; }
BUILTIN(SetMain) { S().main = Splash_Bool(args[0].val); return true; }
BUILTIN(SetScale) { S().scale = args[0].val; return true; }
BUILTIN(SetCursor) { S().cursor = Splash_Bool(args[0].val); return true; }
BUILTIN(SetInterrupt) { S().interrupt = Splash_Bool(args[0].val); return true; }
BUILTIN(SetStopKey) { S().stopKey = Splash_Bool(args[0].val); return true; }
BUILTIN(SetCloseButton) { S().closeButton = Splash_Bool(args[0].val); return true; }
BUILTIN(SetStopMouse) { S().stopMouse = Splash_Bool(args[0].val); return true; }

BUILTIN(SetSize)
{
    S().width = DialogInt(args[0]);
    S().height = DialogInt(args[1]);
    return true;
}

BUILTIN(SetPosition)
{
    S().x = DialogInt(args[0]);
    S().y = DialogInt(args[1]);
    return true;
}

BUILTIN(ShowVideo)
{
    Splash_ShowVideo("splash_show_video", DialogText(args[0]), Splash_Bool(args[1].val));
    return true;
}

BUILTIN(ShowImage)
{
    Splash_ShowImage("splash_show_image", DialogText(args[0]), DialogInt(args[1]));
    return true;
}

BUILTIN(ShowText)
{
    Splash_ShowText("splash_show_text", DialogText(args[0]), DialogInt(args[1]));
    return true;
}

BUILTIN(ShowWeb)
{
    Splash_ShowWeb("splash_show_web", DialogText(args[0]), DialogInt(args[1]));
    return true;
}

void ChooseScreen(const RValue& full)
{
    S().fullscreen = Whole(full);
    S().main = !S().fullscreen;
}

BUILTIN(OldShowImage)
{
    ChooseScreen(args[1]);
    Splash_ShowImage("show_image", DialogText(args[0]), DialogInt(args[2]));
    return true;
}

BUILTIN(OldShowVideo)
{
    ChooseScreen(args[1]);
    Splash_ShowVideo("show_video", DialogText(args[0]), Whole(args[2]));
    return true;
}

BUILTIN(OldShowText)
{
    ChooseScreen(args[1]);
    S().color = DialogInt(args[2]);
    Splash_ShowText("show_text", DialogText(args[0]), DialogInt(args[3]));
    return true;
}

} // namespace

void Dialogs_ImplementSplashFunctions()
{
    Function_Implement("splash_set_caption", &SetCaption);
    Function_Implement("splash_set_fullscreen", &SetFullscreen);
    Function_Implement("splash_set_border", &SetBorder);
    Function_Implement("splash_set_adapt", &SetAdapt);
    Function_Implement("splash_set_top", &SetTop);
    Function_Implement("splash_set_color", &SetColor);
    Function_Implement("splash_set_main", &SetMain);
    Function_Implement("splash_set_scale", &SetScale);
    Function_Implement("splash_set_cursor", &SetCursor);
    Function_Implement("splash_set_interrupt", &SetInterrupt);
    Function_Implement("splash_set_stop_key", &SetStopKey);
    Function_Implement("splash_set_close_button", &SetCloseButton);
    Function_Implement("splash_set_stop_mouse", &SetStopMouse);
    Function_Implement("splash_set_size", &SetSize);
    Function_Implement("splash_set_position", &SetPosition);
    Function_Implement("splash_show_video", &ShowVideo);
    Function_Implement("splash_show_image", &ShowImage);
    Function_Implement("splash_show_text", &ShowText);
    Function_Implement("splash_show_web", &ShowWeb);
    Function_Implement("show_image", &OldShowImage);
    Function_Implement("show_video", &OldShowVideo);
    Function_Implement("show_text", &OldShowText);
}
