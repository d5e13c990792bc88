// Script functions that draw sprites and backgrounds, clear the screen, and
// hand out their textures.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Background.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/Colors.h"
#include "graphics/Display.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Graphics.h"
#include "graphics/ResourceTextures.h"
#include "graphics/SpriteDraw.h"
#include "world/Instance.h"
#include "world/Rooms.h"

#include <cmath>

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

// The sprite argument, or -1 after reporting that it does not exist.
int32_t DrawnSprite(const RValue& value)
{
    int32_t sprite = ArgInt(value);
    if (Sprites.Exists(sprite))
        return sprite;
    Error_ShowInEvent("Trying to draw non-existing sprite.", false);
    return -1;
}

int32_t DrawnBackground(const RValue& value)
{
    int32_t background = ArgInt(value);
    if (Backgrounds.Exists(background))
        return background;
    Error_ShowInEvent("Trying to draw non-existing background.", false);
    return -1;
}

int64_t ImageOf(const CInstance* self)
{
    double index = self ? std::floor(self->i_imageindex) : 0;
    return index > -9.0e18 && index < 9.0e18 ? static_cast<int64_t>(index) : 0;
}

// A subimage argument below 0 means the caller's current image.
int64_t Subimage(const CInstance* self, const RValue& value)
{
    int64_t image = RoundToInteger(value.val);
    return image < 0 ? ImageOf(self) : image;
}

// The room rectangle that the tiled functions cover.
void RoomSize(double& w, double& h)
{
    w = CurrentRoom ? CurrentRoom->r_width : 0;
    h = CurrentRoom ? CurrentRoom->r_height : 0;
}

BUILTIN(DrawSelf)
{
    CInstance* self = context.Self();
    if (!self)
        return true;
    int32_t sprite = self->i_spriteindex;
    if (!Sprites.Exists(sprite)) {
        Error_ShowInEvent("Trying to draw non-existing sprite.", false);
        return true;
    }
    Sprite_Draw(sprite, ImageOf(self), self->i_x, self->i_y, self->i_imagescalex, self->i_imagescaley,
                self->i_imageangle, static_cast<int32_t>(self->i_imageblend), self->i_imagealpha);
    return true;
}

BUILTIN(DrawSprite)
{
    CInstance* self = context.Self();
    if (int32_t s = DrawnSprite(args[0]); s >= 0)
        Sprite_DrawSimple(s, Subimage(self, args[1]), args[2].val, args[3].val);
    return true;
}
BUILTIN(DrawSpriteExt)
{
    CInstance* self = context.Self();
    if (int32_t s = DrawnSprite(args[0]); s >= 0)
        Sprite_Draw(s, Subimage(self, args[1]), args[2].val, args[3].val, args[4].val, args[5].val, args[6].val,
                    ArgColor(args[7]), args[8].val);
    return true;
}
BUILTIN(DrawSpriteStretched)
{
    CInstance* self = context.Self();
    if (int32_t s = DrawnSprite(args[0]); s >= 0)
        Sprite_DrawStretched(s, Subimage(self, args[1]), args[2].val, args[3].val, args[4].val, args[5].val, kWhite,
                             1);
    return true;
}
BUILTIN(DrawSpriteStretchedExt)
{
    CInstance* self = context.Self();
    if (int32_t s = DrawnSprite(args[0]); s >= 0)
        Sprite_DrawStretched(s, Subimage(self, args[1]), args[2].val, args[3].val, args[4].val, args[5].val,
                             ArgColor(args[6]), args[7].val);
    return true;
}
BUILTIN(DrawSpritePart)
{
    CInstance* self = context.Self();
    if (int32_t s = DrawnSprite(args[0]); s >= 0)
        Sprite_DrawPart(s, Subimage(self, args[1]), args[2].val, args[3].val, args[4].val, args[5].val, args[6].val,
                        args[7].val, 1, 1, kWhite, 1);
    return true;
}
BUILTIN(DrawSpritePartExt)
{
    CInstance* self = context.Self();
    if (int32_t s = DrawnSprite(args[0]); s >= 0)
        Sprite_DrawPart(s, Subimage(self, args[1]), args[2].val, args[3].val, args[4].val, args[5].val, args[6].val,
                        args[7].val, args[8].val, args[9].val, ArgColor(args[10]), args[11].val);
    return true;
}
BUILTIN(DrawSpriteGeneral)
{
    CInstance* self = context.Self();
    if (int32_t s = DrawnSprite(args[0]); s >= 0)
        Sprite_DrawGeneral(s, Subimage(self, args[1]), args[2].val, args[3].val, args[4].val, args[5].val,
                           args[6].val, args[7].val, args[8].val, args[9].val, args[10].val, ArgColor(args[11]),
                           ArgColor(args[12]), ArgColor(args[13]), ArgColor(args[14]), args[15].val);
    return true;
}
BUILTIN(DrawSpriteTiled)
{
    CInstance* self = context.Self();
    double w, h;
    RoomSize(w, h);
    if (int32_t s = DrawnSprite(args[0]); s >= 0)
        Sprite_DrawTiled(s, Subimage(self, args[1]), args[2].val, args[3].val, 1, 1, true, true, 0, 0, w, h, kWhite,
                         1);
    return true;
}
BUILTIN(DrawSpriteTiledExt)
{
    CInstance* self = context.Self();
    double w, h;
    RoomSize(w, h);
    if (int32_t s = DrawnSprite(args[0]); s >= 0)
        Sprite_DrawTiled(s, Subimage(self, args[1]), args[2].val, args[3].val, args[4].val, args[5].val, true, true,
                         0, 0, w, h, ArgColor(args[6]), args[7].val);
    return true;
}

BUILTIN(DrawBackground)
{
    if (int32_t b = DrawnBackground(args[0]); b >= 0)
        Background_DrawSimple(b, args[1].val, args[2].val);
    return true;
}
BUILTIN(DrawBackgroundExt)
{
    if (int32_t b = DrawnBackground(args[0]); b >= 0)
        Background_Draw(b, args[1].val, args[2].val, args[3].val, args[4].val, args[5].val, ArgColor(args[6]),
                        args[7].val);
    return true;
}
BUILTIN(DrawBackgroundStretched)
{
    if (int32_t b = DrawnBackground(args[0]); b >= 0)
        Background_DrawStretched(b, args[1].val, args[2].val, args[3].val, args[4].val, kWhite, 1);
    return true;
}
BUILTIN(DrawBackgroundStretchedExt)
{
    if (int32_t b = DrawnBackground(args[0]); b >= 0)
        Background_DrawStretched(b, args[1].val, args[2].val, args[3].val, args[4].val, ArgColor(args[5]),
                                 args[6].val);
    return true;
}
BUILTIN(DrawBackgroundPart)
{
    if (int32_t b = DrawnBackground(args[0]); b >= 0)
        Background_DrawPart(b, args[1].val, args[2].val, args[3].val, args[4].val, args[5].val, args[6].val, 1, 1,
                            kWhite, 1);
    return true;
}
BUILTIN(DrawBackgroundPartExt)
{
    if (int32_t b = DrawnBackground(args[0]); b >= 0)
        Background_DrawPart(b, args[1].val, args[2].val, args[3].val, args[4].val, args[5].val, args[6].val,
                            args[7].val, args[8].val, ArgColor(args[9]), args[10].val);
    return true;
}
BUILTIN(DrawBackgroundGeneral)
{
    if (int32_t b = DrawnBackground(args[0]); b >= 0)
        Background_DrawGeneral(b, args[1].val, args[2].val, args[3].val, args[4].val, args[5].val, args[6].val,
                               args[7].val, args[8].val, args[9].val, ArgColor(args[10]), ArgColor(args[11]),
                               ArgColor(args[12]), ArgColor(args[13]), args[14].val);
    return true;
}
BUILTIN(DrawBackgroundTiled)
{
    double w, h;
    RoomSize(w, h);
    if (int32_t b = DrawnBackground(args[0]); b >= 0)
        Background_DrawTiled(b, args[1].val, args[2].val, 1, 1, true, true, 0, 0, w, h, kWhite, 1);
    return true;
}
BUILTIN(DrawBackgroundTiledExt)
{
    double w, h;
    RoomSize(w, h);
    if (int32_t b = DrawnBackground(args[0]); b >= 0)
        Background_DrawTiled(b, args[1].val, args[2].val, args[3].val, args[4].val, true, true, 0, 0, w, h,
                             ArgColor(args[5]), args[6].val);
    return true;
}

void ClearScreen(int32_t color, double alpha)
{
    if (IRenderDevice* device = Display_Device())
        device->Clear(Color_ToDevice(color, alpha));
}

BUILTIN(DrawClear) { ClearScreen(ArgColor(args[0]), 1.0); return true; }
BUILTIN(DrawClearAlpha) { ClearScreen(ArgColor(args[0]), args[1].val); return true; }

BUILTIN(SpriteGetTexture)
{
    CInstance* self = context.Self();
    int32_t sprite = ArgInt(args[0]);
    const CSprite* resource = Sprites.Get(sprite);
    if (!resource) {
        Error_ShowInEvent("Trying to get texture from non-existing sprite.", false);
        result.SetReal(0);
        return true;
    }
    int32_t image = Sprite_ImageIndex(Subimage(self, args[1]), resource->Count());
    result.SetReal(Sprite_TextureId(sprite, image));
    return true;
}
BUILTIN(BackgroundGetTexture)
{
    int32_t background = ArgInt(args[0]);
    if (!Backgrounds.Exists(background)) {
        Error_ShowInEvent("Trying to get texture from non-existing background.", false);
        result.SetReal(0);
        return true;
    }
    result.SetReal(Background_TextureId(background));
    return true;
}

} // namespace

void Graphics_RegisterSpriteFunctions()
{
    Function_Implement("draw_self", &DrawSelf);
    Function_Implement("draw_sprite", &DrawSprite);
    Function_Implement("draw_sprite_ext", &DrawSpriteExt);
    Function_Implement("draw_sprite_stretched", &DrawSpriteStretched);
    Function_Implement("draw_sprite_stretched_ext", &DrawSpriteStretchedExt);
    Function_Implement("draw_sprite_part", &DrawSpritePart);
    Function_Implement("draw_sprite_part_ext", &DrawSpritePartExt);
    Function_Implement("draw_sprite_general", &DrawSpriteGeneral);
    Function_Implement("draw_sprite_tiled", &DrawSpriteTiled);
    Function_Implement("draw_sprite_tiled_ext", &DrawSpriteTiledExt);
    Function_Implement("draw_background", &DrawBackground);
    Function_Implement("draw_background_ext", &DrawBackgroundExt);
    Function_Implement("draw_background_stretched", &DrawBackgroundStretched);
    Function_Implement("draw_background_stretched_ext", &DrawBackgroundStretchedExt);
    Function_Implement("draw_background_part", &DrawBackgroundPart);
    Function_Implement("draw_background_part_ext", &DrawBackgroundPartExt);
    Function_Implement("draw_background_general", &DrawBackgroundGeneral);
    Function_Implement("draw_background_tiled", &DrawBackgroundTiled);
    Function_Implement("draw_background_tiled_ext", &DrawBackgroundTiledExt);
    Function_Implement("draw_clear", &DrawClear);
    Function_Implement("draw_clear_alpha", &DrawClearAlpha);
    Function_Implement("sprite_get_texture", &SpriteGetTexture);
    Function_Implement("background_get_texture", &BackgroundGetTexture);
}
