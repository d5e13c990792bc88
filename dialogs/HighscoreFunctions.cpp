// The highscore functions: the stored table, its window and its drawing.
#include "code/FunctionCatalogue.h"
#include "dialogs/DialogArguments.h"
#include "dialogs/Dialogs.h"
#include "dialogs/HighscoreWindow.h"
#include "dialogs/MessageWindow.h"
#include "graphics/Text.h"
#include "world/GameState.h"

namespace {

// Inserts the score nameless, shows the table and writes the typed name.
void ShowTable(const RValue& score)
{
    const int32_t s = DialogInt(score);
    const int32_t place = Highscore_Insert({"", s});
    CHighscoreWindow window(s, place);
    Dialog_Run(window);
    if (place)
        Highscore_Write(place, {window.Typed(), s});
}

void SetStyle(RHighscoreStyle& style, const RValue& name, const RValue& size)
{
    const std::string font = DialogText(name);
    if (!font.empty())
        style.fontName = font;
    style.fontSize = DialogInt(size);
}

BUILTIN(HighscoreShow)
{
    ShowTable(args[0]);
    return true;
}

BUILTIN(HighscoreShowExt)
{
    RHighscoreStyle& style = HighscoreStyle;
    style.background = DialogInt(args[1]);
    style.border = DialogBool(args[2]);
    style.newColor = DialogInt(args[3]);
    style.otherColor = DialogInt(args[4]);
    SetStyle(style, args[5], args[6]);
    ShowTable(args[0]);
    return true;
}

BUILTIN(HighscoreSetBackground)
{
    HighscoreStyle.background = DialogInt(args[0]);
    return true;
}

BUILTIN(HighscoreSetBorder)
{
    HighscoreStyle.border = DialogBool(args[0]);
    return true;
}

BUILTIN(HighscoreSetFont)
{
    SetStyle(HighscoreStyle, args[0], args[1]);
    const int32_t style = DialogInt(args[2]);
    if (style >= 0 && style <= 3) {
        HighscoreStyle.bold = (style & 1) != 0;
        HighscoreStyle.italic = (style & 2) != 0;
    }
    return true;
}

BUILTIN(HighscoreSetStrings)
{
    HighscoreStyle.caption = DialogText(args[0]);
    HighscoreStyle.nobody = DialogText(args[1]);
    HighscoreStyle.escape = DialogText(args[2]);
    return true;
}

BUILTIN(HighscoreSetColors)
{
    HighscoreStyle.backColor = DialogInt(args[0]);
    HighscoreStyle.newColor = DialogInt(args[1]);
    HighscoreStyle.otherColor = DialogInt(args[2]);
    return true;
}

BUILTIN(HighscoreClear)
{
    Highscore_Clear();
    return true;
}

BUILTIN(HighscoreAdd)
{
    Highscore_Insert({DialogText(args[0]), DialogInt(args[1])});
    return true;
}

BUILTIN(HighscoreAddCurrent)
{
    const int32_t score = GameState.score;
    if (score < Highscore_Read(kHighscorePlaces).score)
        return true;
    CMessageDialog ask(EMessageKind::HighscoreName, "highscore_add_current",
                       "You reached a place in the highscore table.#Please provide your name.", {"", "OK", ""}, true,
                       "player");
    Dialog_Run(ask);
    Highscore_Insert({ask.InputText(), score});
    return true;
}

BUILTIN(HighscoreValue)
{
    result = RValue(Highscore_Read(DialogInt(args[0])).score);
    return true;
}

BUILTIN(HighscoreName)
{
    result = RValue(Highscore_Read(DialogInt(args[0])).name);
    return true;
}

BUILTIN(DrawHighscore)
{
    const double x1 = args[0].val, y1 = args[1].val, x2 = args[2].val, y2 = args[3].val;
    const double d = static_cast<double>(RoundToInteger((y2 - y1) / 10));
    const int32_t halign = TextState.halign;
    const auto table = Highscore_ReadAll();
    for (int32_t place = 1; place <= kHighscorePlaces; ++place) {
        const RHighscoreEntry& entry = table[static_cast<size_t>(place - 1)];
        const double y = y1 + (place - 1) * d;
        Text_SetHAlign(kAlignLeft);
        Text_Draw(x1, y, entry.name, -1, -1);
        Text_SetHAlign(kAlignRight);
        Text_Draw(x2, y, std::to_string(entry.score), -1, -1);
    }
    Text_SetHAlign(halign);
    return true;
}

} // namespace

void Dialogs_ImplementHighscoreFunctions()
{
    Function_Implement("highscore_show", &HighscoreShow);
    Function_Implement("highscore_show_ext", &HighscoreShowExt);
    Function_Implement("highscore_set_background", &HighscoreSetBackground);
    Function_Implement("highscore_set_border", &HighscoreSetBorder);
    Function_Implement("highscore_set_font", &HighscoreSetFont);
    Function_Implement("highscore_set_strings", &HighscoreSetStrings);
    Function_Implement("highscore_set_colors", &HighscoreSetColors);
    Function_Implement("highscore_clear", &HighscoreClear);
    Function_Implement("highscore_add", &HighscoreAdd);
    Function_Implement("highscore_add_current", &HighscoreAddCurrent);
    Function_Implement("highscore_value", &HighscoreValue);
    Function_Implement("highscore_name", &HighscoreName);
    Function_Implement("draw_highscore", &DrawHighscore);
}
