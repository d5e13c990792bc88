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
constexpr const char* kReplaceMissing = "Trying to replace non-existing font.";

template <typename Field>
bool FontField(RValue& result, const RValue& index, Field field)
{
    const CFont* font = Fonts.Get(ArgInt(index));
    result.SetReal(font ? field(*font) : -1);
    return true;
}

int32_t AddFont(std::unique_ptr<CFont> font)
{
    const int32_t index = Resource_Append(Fonts, std::move(font), kKind);
    Font_BuildTexture(index);
    return index;
}

void ReplaceFont(int32_t index, CFont&& font)
{
    *Fonts.Get(index) = std::move(font);
    Font_BuildTexture(index);
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

BUILTIN(FontExists)
{
    Resource_ExistsResult(Fonts, result, args[0]);
    return true;
}

BUILTIN(FontName)
{
    Resource_NameResult(Fonts, result, args[0]);
    return true;
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
    auto font = std::make_unique<CFont>();
    result.SetReal(FromTypeface(*font, args) ? AddFont(std::move(font)) : -1);
    return true;
}

BUILTIN(Replace)
{
    const int32_t index = ArgInt(args[0]);
    if (!Fonts.Exists(index)) {
        Error_ShowInEvent(kReplaceMissing, false);
        return true;
    }
    CFont font;
    if (FromTypeface(font, args + 1)) {
        ReplaceFont(index, std::move(font));
        result.SetReal(1);
    }
    return true;
}

BUILTIN(AddSprite)
{
    auto font = std::make_unique<CFont>();
    if (!FromSprite(*font, args)) {
        Error_ShowInEvent("Trying to create font from non-existing sprite.", false);
        result.SetReal(-1);
        return true;
    }
    result.SetReal(AddFont(std::move(font)));
    return true;
}

BUILTIN(ReplaceSprite)
{
    const int32_t index = ArgInt(args[0]);
    if (!Fonts.Exists(index)) {
        Error_ShowInEvent(kReplaceMissing, false);
        return true;
    }
    CFont font;
    if (!FromSprite(font, args + 1)) {
        Error_ShowInEvent("Trying to replace font from non-existing sprite.", false);
        return true;
    }
    ReplaceFont(index, std::move(font));
    result.SetReal(1);
    return true;
}

BUILTIN(Delete)
{
    const int32_t index = ArgInt(args[0]);
    if (!Fonts.Exists(index)) {
        Error_ShowInEvent("Trying to delete non-existing font.", false);
        return true;
    }
    Font_FreeTexture(index);
    Fonts.Delete(index);
    result.SetReal(1);
    return true;
}

} // namespace

void Graphics_RegisterFontResourceFunctions()
{
    Function_Implement("font_exists", &FontExists);
    Function_Implement("font_get_name", &FontName);
    Function_Implement("font_name", &FontName);
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
