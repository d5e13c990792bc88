// The font functions of a running game: the queries, fonts made from a
// typeface or from the images of a sprite, replacing and deleting them.
// Every change rebuilds the font's picture.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Font.h"
#include "data/Resources.h"
#include "graphics/FontBuild.h"
#include "graphics/FunctionArguments.h"
#include "graphics/ResourceTextures.h"
#include "world/ResourceRoutines.h"

#include <memory>

namespace {

constexpr const char* kKind = "font";

template <typename Field>
bool FontField(RValue& result, const RValue& index, Field field)
{
    const CFont* font = Fonts.Get(ArgInt(index));
    result.SetReal(font ? field(*font) : -1);
    return true;
}

// The typeface arguments from args: name, size, bold, italic, first, last.
bool FromTypeface(CFont& font, const RValue* args)
{
    return Font_CreateFromTypeface(font, args[0].str, ArgInt(args[1]), ArgBool(args[2]), ArgBool(args[3]),
                                   ArgInt(args[4]), ArgInt(args[5]));
}

// From args: sprite, first, proportional, separation.
bool FromSprite(CFont& font, const RValue* args)
{
    return Font_CreateFromSprite(font, ArgInt(args[0]), ArgInt(args[1]), ArgBool(args[2]), ArgInt(args[3]));
}

BUILTIN(GetFontName)
{
    const CFont* font = Fonts.Get(ArgInt(args[0]));
    result = RValue(font ? font->s_name : std::string());
    return true;
}

BUILTIN(GetSize)
{
    return FontField(result, args[0], [](const CFont& f) { return f.s_size; });
}
BUILTIN(GetBold)
{
    return FontField(result, args[0], [](const CFont& f) { return f.s_bold ? 1 : 0; });
}
BUILTIN(GetItalic)
{
    return FontField(result, args[0], [](const CFont& f) { return f.s_italic ? 1 : 0; });
}
BUILTIN(GetFirst)
{
    return FontField(result, args[0], [](const CFont& f) { return f.s_first; });
}
BUILTIN(GetLast)
{
    return FontField(result, args[0], [](const CFont& f) { return f.s_last; });
}

BUILTIN(Add)
{
    result.SetReal(Resource_AddMade(Fonts, kKind, [&](CFont& made) { return FromTypeface(made, args); },
                                    &Font_BuildTexture));
    return true;
}

BUILTIN(AddSprite)
{
    result.SetReal(Resource_AddMade(Fonts, kKind, [&](CFont& made) { return FromSprite(made, args); },
                                    &Font_BuildTexture));
    if (result.val < 0)
        Error_ShowInEvent("Trying to create font from non-existing sprite.", false);
    return true;
}

// Font args[0] made anew by make, or missingSource reported when make fails.
template <typename Make>
bool ReplaceMade(RValue& result, const RValue* args, const char* missingSource, Make make)
{
    const int32_t index = ArgInt(args[0]);
    if (!Fonts.Exists(index)) {
        Error_ShowInEvent("Trying to replace non-existing font.", false);
        return true;
    }
    if (Resource_ReplaceMade(Fonts, index, make, &Font_BuildTexture))
        result.SetReal(1);
    else if (missingSource)
        Error_ShowInEvent(missingSource, false);
    return true;
}

BUILTIN(Replace)
{
    return ReplaceMade(result, args, nullptr, [&](CFont& made) { return FromTypeface(made, args + 1); });
}

BUILTIN(ReplaceSprite)
{
    return ReplaceMade(result, args, "Trying to replace font from non-existing sprite.",
                       [&](CFont& made) { return FromSprite(made, args + 1); });
}

BUILTIN(Delete)
{
    Resource_Delete(Fonts, args[0], "Trying to delete non-existing font.", result, &Font_FreeTexture);
    return true;
}

} // namespace

void Graphics_RegisterFontResourceFunctions()
{
    Resource_ImplementCommon<CFont, &CGameResources::Fonts>(kKind);
    Function_Implement("font_get_fontname", &GetFontName);
    Function_Implement("font_get_size", &GetSize);
    Function_Implement("font_get_bold", &GetBold);
    Function_Implement("font_get_italic", &GetItalic);
    Function_Implement("font_get_first", &GetFirst);
    Function_Implement("font_get_last", &GetLast);
    Function_Implement("font_add", &Add);
    Function_Implement("font_replace", &Replace);
    Function_Implement("font_add_sprite", &AddSprite);
    Function_Implement("font_replace_sprite", &ReplaceSprite);
    Function_Implement("font_delete", &Delete);
}
