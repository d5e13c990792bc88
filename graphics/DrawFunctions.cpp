// Script functions of the draw state, textures, primitives and colours.
#include "code/FunctionCatalogue.h"
#include "graphics/Colors.h"
#include "graphics/DrawState.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Graphics.h"
#include "graphics/Primitives.h"
#include "graphics/Textures.h"

namespace {

BUILTIN(DrawSetColor) { Draw_SetColor(ArgColor(args[0])); return true; }
BUILTIN(DrawGetColor) { result.SetReal(Color_FromDevice(Draw_DeviceColor())); return true; }
BUILTIN(DrawSetAlpha) { Draw_SetAlpha(args[0].val); return true; }
BUILTIN(DrawGetAlpha) { result.SetReal(DrawState.alpha); return true; }
BUILTIN(DrawSetBlendMode) { Draw_SetBlendMode(ArgInt(args[0])); return true; }
BUILTIN(DrawSetBlendModeExt) { Draw_SetBlendModeExt(ArgInt(args[0]), ArgInt(args[1])); return true; }

BUILTIN(TextureSetInterpolation) { DrawState.interpolate = ArgBool(args[0]); return true; }
BUILTIN(TextureSetBlending) { DrawState.textureBlending = ArgBool(args[0]); return true; }
BUILTIN(TextureSetRepeat) { DrawState.textureRepeat = ArgBool(args[0]); return true; }
BUILTIN(TextureExists) { result.SetReal(Texture_Exists(ArgInt(args[0]))); return true; }
BUILTIN(TextureGetWidth)
{
    const RTexture* t = Texture_Get(ArgInt(args[0]));
    result.SetReal(t ? static_cast<double>(t->imageW) / t->textureW : 1.0);
    return true;
}
BUILTIN(TextureGetHeight)
{
    const RTexture* t = Texture_Get(ArgInt(args[0]));
    result.SetReal(t ? static_cast<double>(t->imageH) / t->textureH : 1.0);
    return true;
}
// The device keeps textures resident by itself: nothing to load ahead or rank.
BUILTIN(TexturePreload) { return true; }
BUILTIN(TextureSetPriority) { return true; }

BUILTIN(DrawPrimitiveBegin) { Primitive_Begin(ArgInt(args[0]), -1); return true; }
BUILTIN(DrawPrimitiveBeginTexture) { Primitive_Begin(ArgInt(args[0]), ArgInt(args[1])); return true; }
BUILTIN(DrawVertex) { Primitive_AddVertex(args[0].val, args[1].val, Draw_DeviceColor(), 0, 0); return true; }
BUILTIN(DrawVertexColor)
{
    Primitive_AddVertex(args[0].val, args[1].val, Color_ToDevice(ArgColor(args[2]), args[3].val), 0, 0);
    return true;
}
BUILTIN(DrawVertexTexture) { Primitive_AddVertex(args[0].val, args[1].val, Draw_DeviceColor(), args[2].val, args[3].val); return true; }
BUILTIN(DrawVertexTextureColor)
{
    Primitive_AddVertex(args[0].val, args[1].val, Color_ToDevice(ArgColor(args[4]), args[5].val), args[2].val,
                        args[3].val);
    return true;
}
BUILTIN(DrawPrimitiveEnd) { Primitive_End(); return true; }

BUILTIN(MakeColorRgb) { result.SetReal(Color_MakeRgb(args[0].val, args[1].val, args[2].val)); return true; }
BUILTIN(MakeColorHsv) { result.SetReal(Color_MakeHsv(args[0].val, args[1].val, args[2].val)); return true; }
BUILTIN(ColorGetRed) { result.SetReal(Color_Red(args[0].val)); return true; }
BUILTIN(ColorGetGreen) { result.SetReal(Color_Green(args[0].val)); return true; }
BUILTIN(ColorGetBlue) { result.SetReal(Color_Blue(args[0].val)); return true; }
BUILTIN(ColorGetHue) { result.SetReal(Color_Hue(args[0].val)); return true; }
BUILTIN(ColorGetSaturation) { result.SetReal(Color_Saturation(args[0].val)); return true; }
BUILTIN(ColorGetValue) { result.SetReal(Color_Value(args[0].val)); return true; }
BUILTIN(MergeColor) { result.SetReal(Color_Merge(args[0].val, args[1].val, args[2].val)); return true; }

} // namespace

void Graphics_RegisterDrawFunctions()
{
    Function_Implement("draw_set_color", &DrawSetColor);
    Function_Implement("draw_get_color", &DrawGetColor);
    Function_Implement("draw_set_alpha", &DrawSetAlpha);
    Function_Implement("draw_get_alpha", &DrawGetAlpha);
    Function_Implement("draw_set_blend_mode", &DrawSetBlendMode);
    Function_Implement("draw_set_blend_mode_ext", &DrawSetBlendModeExt);
    Function_Implement("texture_set_interpolation", &TextureSetInterpolation);
    Function_Implement("texture_set_blending", &TextureSetBlending);
    Function_Implement("texture_set_repeat", &TextureSetRepeat);
    Function_Implement("texture_exists", &TextureExists);
    Function_Implement("texture_get_width", &TextureGetWidth);
    Function_Implement("texture_get_height", &TextureGetHeight);
    Function_Implement("texture_preload", &TexturePreload);
    Function_Implement("texture_set_priority", &TextureSetPriority);
    Function_Implement("draw_primitive_begin", &DrawPrimitiveBegin);
    Function_Implement("draw_primitive_begin_texture", &DrawPrimitiveBeginTexture);
    Function_Implement("draw_vertex", &DrawVertex);
    Function_Implement("draw_vertex_color", &DrawVertexColor);
    Function_Implement("draw_vertex_texture", &DrawVertexTexture);
    Function_Implement("draw_vertex_texture_color", &DrawVertexTextureColor);
    Function_Implement("draw_primitive_end", &DrawPrimitiveEnd);
    Function_Implement("make_color", &MakeColorRgb);
    Function_Implement("make_color_rgb", &MakeColorRgb);
    Function_Implement("make_color_hsv", &MakeColorHsv);
    Function_Implement("color_get_red", &ColorGetRed);
    Function_Implement("color_get_green", &ColorGetGreen);
    Function_Implement("color_get_blue", &ColorGetBlue);
    Function_Implement("color_get_hue", &ColorGetHue);
    Function_Implement("color_get_saturation", &ColorGetSaturation);
    Function_Implement("color_get_value", &ColorGetValue);
    Function_Implement("merge_color", &MergeColor);
}
