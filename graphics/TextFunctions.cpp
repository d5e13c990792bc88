// Script functions of fonts, alignment, text measures and text drawing.
#include "code/FunctionCatalogue.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Graphics.h"
#include "graphics/Text.h"
#include "library/RealText.h"

namespace {

// The text to draw: a real is written as string() writes it, a whole
// number without decimals and any other with two.
struct RDrawnText {
    char buffer[kRealTextSize];
    std::string_view text;

    explicit RDrawnText(const RValue& value)
    {
        if (value.IsString())
            text = value.str.Text();
        else
            text = std::string_view(buffer, FormatRealInto(value.val, buffer));
    }
};

RTextColors Colors(const RValue* args)
{
    return {ArgColor(args[0]), ArgColor(args[1]), ArgColor(args[2]), ArgColor(args[3]), args[4].val};
}

BUILTIN(DrawSetFont) { Text_SetFont(ArgInt(args[0])); return true; }
BUILTIN(DrawSetHalign) { Text_SetHAlign(ArgInt(args[0])); return true; }
BUILTIN(DrawSetValign) { Text_SetVAlign(ArgInt(args[0])); return true; }

BUILTIN(StringWidth) { result.SetReal(Text_Width(args[0].str.Text(), -1)); return true; }
BUILTIN(StringHeight) { result.SetReal(Text_Height(args[0].str.Text(), -1, -1)); return true; }
BUILTIN(StringWidthExt) { result.SetReal(Text_Width(args[0].str.Text(), ArgInt(args[2]))); return true; }
BUILTIN(StringHeightExt) { result.SetReal(Text_Height(args[0].str.Text(), ArgInt(args[1]), ArgInt(args[2]))); return true; }

BUILTIN(DrawText) { Text_Draw(args[0].val, args[1].val, RDrawnText(args[2]).text, -1, -1); return true; }
BUILTIN(DrawTextExt)
{
    Text_Draw(args[0].val, args[1].val, RDrawnText(args[2]).text, ArgInt(args[3]), ArgInt(args[4]));
    return true;
}
BUILTIN(DrawTextTransformed)
{
    Text_DrawTransformed(args[0].val, args[1].val, RDrawnText(args[2]).text, -1, -1, args[3].val, args[4].val,
                         args[5].val);
    return true;
}
BUILTIN(DrawTextExtTransformed)
{
    Text_DrawTransformed(args[0].val, args[1].val, RDrawnText(args[2]).text, ArgInt(args[3]), ArgInt(args[4]),
                         args[5].val, args[6].val, args[7].val);
    return true;
}
BUILTIN(DrawTextColor)
{
    Text_DrawColor(args[0].val, args[1].val, RDrawnText(args[2]).text, -1, -1, Colors(args + 3));
    return true;
}
BUILTIN(DrawTextExtColor)
{
    Text_DrawColor(args[0].val, args[1].val, RDrawnText(args[2]).text, ArgInt(args[3]), ArgInt(args[4]),
                   Colors(args + 5));
    return true;
}
BUILTIN(DrawTextTransformedColor)
{
    Text_DrawTransformedColor(args[0].val, args[1].val, RDrawnText(args[2]).text, -1, -1, args[3].val, args[4].val,
                              args[5].val, Colors(args + 6));
    return true;
}
BUILTIN(DrawTextExtTransformedColor)
{
    Text_DrawTransformedColor(args[0].val, args[1].val, RDrawnText(args[2]).text, ArgInt(args[3]), ArgInt(args[4]),
                              args[5].val, args[6].val, args[7].val, Colors(args + 8));
    return true;
}

} // namespace

void Graphics_RegisterTextFunctions()
{
    Function_Implement("draw_set_font", &DrawSetFont);
    Function_Implement("draw_set_halign", &DrawSetHalign);
    Function_Implement("draw_set_valign", &DrawSetValign);
    Function_Implement("string_width", &StringWidth);
    Function_Implement("string_height", &StringHeight);
    Function_Implement("string_width_ext", &StringWidthExt);
    Function_Implement("string_height_ext", &StringHeightExt);
    Function_Implement("draw_text", &DrawText);
    Function_Implement("draw_text_ext", &DrawTextExt);
    Function_Implement("draw_text_transformed", &DrawTextTransformed);
    Function_Implement("draw_text_ext_transformed", &DrawTextExtTransformed);
    Function_Implement("draw_text_color", &DrawTextColor);
    Function_Implement("draw_text_ext_color", &DrawTextExtColor);
    Function_Implement("draw_text_transformed_color", &DrawTextTransformedColor);
    Function_Implement("draw_text_ext_transformed_color", &DrawTextExtTransformedColor);
}
