// The message functions: the message window, its questions and input
// fields, and the message_ functions that restyle it for the rest of the run.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Background.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "dialogs/Choosers.h"
#include "dialogs/DialogArguments.h"
#include "dialogs/Dialogs.h"
#include "dialogs/MessageWindow.h"
#include "dialogs/PopupMenu.h"
#include "graphics/WindowState.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

void ApplyFont(RDialogFontKey& font, int32_t& color, RValue* args)
{
    const std::string name = DialogText(args[0]);
    if (!name.empty())
        font.name = name;
    if (args[1].val >= 0)
        font.size = DialogInt(args[1]);
    if (args[2].val >= 0)
        color = DialogInt(args[2]);
    const int32_t style = DialogInt(args[3]);
    if (style >= 0 && style <= 3) {
        font.bold = (style & 1) != 0;
        font.italic = (style & 2) != 0;
    }
}

BUILTIN(ShowMessage)
{
    CMessageDialog dialog(EMessageKind::Message, "show_message", Message_ValueText(args[0]), {"", "OK", ""});
    Dialog_Run(dialog);
    return true;
}

BUILTIN(ShowQuestion)
{
    CMessageDialog dialog(EMessageKind::Question, "show_question", Message_ValueText(args[0]), {"Yes", "", "No"});
    Dialog_Run(dialog);
    result = RValue(dialog.Result() == 1 ? 1.0 : 0.0);
    return true;
}

BUILTIN(ShowMessageExt)
{
    CMessageDialog dialog(EMessageKind::Choice, "show_message_ext", Message_ValueText(args[0]),
                          {DialogText(args[1]), DialogText(args[2]), DialogText(args[3])});
    Dialog_Run(dialog);
    result = RValue(dialog.Result());
    return true;
}

BUILTIN(GetInteger)
{
    const int32_t fallback = DialogInt(args[1]);
    CMessageDialog dialog(EMessageKind::Integer, "get_integer", Message_ValueText(args[0]), {"", "OK", ""}, true,
                          std::to_string(fallback));
    Dialog_Run(dialog);
    int32_t value = fallback;
    Dialog_ParseInteger(dialog.InputText(), value);
    result = RValue(value);
    return true;
}

BUILTIN(GetString)
{
    CMessageDialog dialog(EMessageKind::String, "get_string", Message_ValueText(args[0]), {"", "OK", ""}, true,
                          DialogText(args[1]));
    Dialog_Run(dialog);
    result = RValue(dialog.InputText());
    return true;
}

BUILTIN(MessageBackground)
{
    const CBackground* back = Backgrounds.Get(DialogInt(args[0]));
    if (!back || back->i_bitmap.IsEmpty()) {
        Error_ShowInEvent("Trying to set a non-existing message background", false);
        return true;
    }
    const TBitmap32& picture = back->i_bitmap;
    MessageStyle.background = picture;
    bool opaque = true;
    for (int32_t y = 0; y < picture.Height() && opaque; ++y)
        for (int32_t x = 0; x < picture.Width(); ++x)
            if (picture.Row(y)[x * 4 + 3] != 255) {
                opaque = false;
                break;
            }
    MessageStyle.keyed = !opaque;
    MessageStyle.keyColor = picture.PixelAt(0, picture.Height() - 1) & 0xFFFFFF;
    return true;
}

BUILTIN(MessageButton)
{
    const CSprite* sprite = Sprites.Get(DialogInt(args[0]));
    if (!sprite || sprite->Count() == 0) {
        Error_ShowInEvent("Trying to set a non-existing message button", false);
        return true;
    }
    auto& images = MessageStyle.buttonImages;
    images[0] = sprite->i_bitmap[0];
    images[1] = sprite->Count() > 1 ? sprite->i_bitmap[1] : images[0];
    images[2] = sprite->Count() > 2 ? sprite->i_bitmap[2] : images[1];
    return true;
}

BUILTIN(MessageTextFont)
{
    ApplyFont(MessageStyle.textFont, MessageStyle.textColor, args);
    return true;
}

BUILTIN(MessageButtonFont)
{
    ApplyFont(MessageStyle.buttonFont, MessageStyle.buttonColor, args);
    return true;
}

BUILTIN(MessageInputFont)
{
    ApplyFont(MessageStyle.inputFont, MessageStyle.inputColor, args);
    return true;
}

BUILTIN(MessageTextCharset)
{
    const int32_t type = DialogInt(args[0]), charset = DialogInt(args[1]);
    if (type == 0)
        MessageStyle.textFont.charset = charset;
    else if (type == 1)
        MessageStyle.buttonFont.charset = charset;
    else if (type == 2)
        MessageStyle.inputFont.charset = charset;
    return true;
}

BUILTIN(MessageAlpha)
{
    const int64_t alpha = RoundToInteger(args[0].val * 255);
    MessageStyle.alpha = static_cast<int32_t>(std::clamp<int64_t>(alpha, 0, 255));
    return true;
}

BUILTIN(MessageMouseColor)
{
    MessageStyle.mouseColor = DialogInt(args[0]);
    return true;
}

BUILTIN(MessageInputColor)
{
    MessageStyle.inputBack = DialogInt(args[0]);
    return true;
}

BUILTIN(MessagePosition)
{
    MessageStyle.fixedLeft = DialogInt(args[0]);
    MessageStyle.fixedTop = DialogInt(args[1]);
    return true;
}

BUILTIN(MessageSize)
{
    MessageStyle.fixedWidth = DialogInt(args[0]);
    MessageStyle.fixedHeight = DialogInt(args[1]);
    return true;
}

BUILTIN(MessageCaption)
{
    MessageStyle.border = DialogBool(args[0]);
    MessageStyle.caption = DialogText(args[1]);
    return true;
}

// The entry chosen, or def when none is.
double RunMenu(const char* function, const RValue& entries, int32_t x, int32_t y, const RValue& def)
{
    CPopupMenu menu(function, DialogText(entries), x, y);
    Dialog_Run(menu);
    return menu.Chosen() >= 0 ? menu.Chosen() : def.val;
}

BUILTIN(ShowMenu)
{
    int32_t x = 0, y = 0;
    Window_MouseInClient(x, y);
    result = RValue(RunMenu("show_menu", args[0], x, y, args[1]));
    return true;
}

BUILTIN(ShowMenuPos)
{
    result = RValue(RunMenu("show_menu_pos", args[2], DialogInt(args[0]), DialogInt(args[1]), args[3]));
    return true;
}

std::string Call(const char* function, const RValue& argument)
{
    return std::string(function) + "(\"" + DialogText(argument) + "\")";
}

BUILTIN(GetColor)
{
    CChooser chooser(EChooser::Color, "get_color(" + Message_ValueText(args[0]) + ")");
    chooser.Run("", "", "", DialogInt(args[0]));
    result = RValue(chooser.Color());
    return true;
}

BUILTIN(GetOpenFilename)
{
    CChooser chooser(EChooser::OpenFile, Call("get_open_filename", args[1]));
    chooser.Run(DialogText(args[0]), DialogText(args[1]), "", 0);
    result = RValue(chooser.Text());
    return true;
}

BUILTIN(GetSaveFilename)
{
    CChooser chooser(EChooser::SaveFile, Call("get_save_filename", args[1]));
    chooser.Run(DialogText(args[0]), DialogText(args[1]), "", 0);
    result = RValue(chooser.Text());
    return true;
}

BUILTIN(GetDirectory)
{
    CChooser chooser(EChooser::Folder, Call("get_directory", args[0]));
    chooser.Run("", DialogText(args[0]), "", 0);
    result = RValue(chooser.Text());
    return true;
}

BUILTIN(GetDirectoryAlt)
{
    CChooser chooser(EChooser::Folder, Call("get_directory_alt", args[0]));
    chooser.Run("", DialogText(args[1]), DialogText(args[1]), 0, DialogText(args[0]));
    result = RValue(chooser.Text());
    return true;
}

BUILTIN(ShowError)
{
    Error_Show(Message_ValueText(args[0]), DialogBool(args[1]));
    return true;
}

} // namespace

bool Dialog_ParseInteger(const std::string& text, int32_t& value)
{
    size_t k = 0;
    while (k < text.size() && (text[k] == ' ' || text[k] == '\t'))
        ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == '-' || text[k] == '+'))
        negative = text[k++] == '-';
    int base = 10;
    if (k < text.size() && text[k] == '$') {
        base = 16;
        ++k;
    } else if (k + 1 < text.size() && text[k] == '0' && (text[k + 1] == 'x' || text[k + 1] == 'X')) {
        base = 16;
        k += 2;
    }
    if (k >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[k])))
        return false;
    errno = 0;
    char* end = nullptr;
    const long long number = std::strtoll(text.c_str() + k, &end, base);
    if (errno != 0 || *end != '\0')
        return false;
    const long long signedNumber = negative ? -number : number;
    if (signedNumber < INT32_MIN || signedNumber > INT32_MAX)
        return false;
    value = static_cast<int32_t>(signedNumber);
    return true;
}

void Dialogs_ImplementMessageFunctions()
{
    Function_Implement("show_message", &ShowMessage);
    Function_Implement("show_question", &ShowQuestion);
    Function_Implement("show_message_ext", &ShowMessageExt);
    Function_Implement("get_integer", &GetInteger);
    Function_Implement("get_string", &GetString);
    Function_Implement("message_background", &MessageBackground);
    Function_Implement("message_button", &MessageButton);
    Function_Implement("message_text_font", &MessageTextFont);
    Function_Implement("message_button_font", &MessageButtonFont);
    Function_Implement("message_input_font", &MessageInputFont);
    Function_Implement("message_text_charset", &MessageTextCharset);
    Function_Implement("message_alpha", &MessageAlpha);
    Function_Implement("message_mouse_color", &MessageMouseColor);
    Function_Implement("message_input_color", &MessageInputColor);
    Function_Implement("message_position", &MessagePosition);
    Function_Implement("message_size", &MessageSize);
    Function_Implement("message_caption", &MessageCaption);
    Function_Implement("show_error", &ShowError);
    Function_Implement("show_menu", &ShowMenu);
    Function_Implement("get_color", &GetColor);
    Function_Implement("get_open_filename", &GetOpenFilename);
    Function_Implement("get_save_filename", &GetSaveFilename);
    Function_Implement("get_directory", &GetDirectory);
    Function_Implement("get_directory_alt", &GetDirectoryAlt);
    Function_Implement("show_menu_pos", &ShowMenuPos);
}
