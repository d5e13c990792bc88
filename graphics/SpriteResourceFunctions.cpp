// The sprite functions of a running game: the queries, adding, replacing,
// duplicating, assigning, merging and deleting sprites, sprites from the
// screen and from surfaces, saving them, and their collision masks. Every
// change rebuilds the sprite's textures.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/FunctionArguments.h"
#include "graphics/ImageFiles.h"
#include "graphics/PictureFiles.h"
#include "graphics/ResourceTextures.h"
#include "graphics/Screenshots.h"
#include "graphics/SpriteDraw.h"
#include "graphics/SpriteImages.h"
#include "graphics/Surfaces.h"
#include "platform/Files.h"
#include "world/ResourceRoutines.h"
#include "world/SecureMode.h"

#include <cmath>
#include <memory>

namespace {

constexpr const char* kKind = "sprite";

// A sprite field, -1 for a missing sprite.
template <typename Field>
bool SpriteField(RValue& result, const RValue& index, Field field)
{
    const CSprite* sprite = Sprites.Get(ArgInt(index));
    result.SetReal(sprite ? field(*sprite) : -1);
    return true;
}

// The sprite argument when it exists, else -1 after the message.
int32_t ExistingSprite(const RValue& value, const char* message)
{
    const int32_t sprite = ArgInt(value);
    if (Sprites.Exists(sprite))
        return sprite;
    Error_ShowInEvent(message, false);
    return -1;
}

// What the screen and surface functions take as removeback: the argument
// truncated, so that -1 and 2 keep their own meanings.
int32_t TruncatedFlag(const RValue& value)
{
    const double t = std::trunc(value.val);
    return t >= -2147483648.0 && t <= 2147483647.0 ? static_cast<int32_t>(t) : kRemoveBackground;
}

// The rectangle (x, y, w, h) of the screen.
bool ReadScreen(const RValue* args, TBitmap32& picture)
{
    return Screen_ReadOpaque(ArgInt(args[0]), ArgInt(args[1]), ArgInt(args[2]), ArgInt(args[3]), picture);
}

// The rectangle (x, y, w, h) of surface id, from (id, x, y, w, h).
bool ReadSurface(const RValue* args, TBitmap32& picture)
{
    return Surface_ReadForScript(ArgInt(args[0]), RoundToInteger(args[1].val), RoundToInteger(args[2].val),
                                 RoundToInteger(args[3].val), RoundToInteger(args[4].val), picture);
}

// A new sprite that make(CSprite&) fills; the result is its index or -1.
template <typename Make>
bool AddMade(RValue& result, Make make)
{
    result.SetReal(Resource_AddMade(Sprites, kKind, make, &Sprite_BuildTextures));
    return true;
}

// The existing sprite at index made anew by make(CSprite&); the result is
// 1, or 0 when make fails (the sprite then stays as it was).
template <typename Make>
bool ReplaceMade(RValue& result, const RValue& index, Make make)
{
    const int32_t sprite = ExistingSprite(index, "Trying to replace non-existing sprite.");
    if (sprite >= 0)
        result.SetReal(Resource_ReplaceMade(Sprites, sprite, make, &Sprite_BuildTextures) ? 1 : 0);
    return true;
}

BUILTIN(GetNumber)
{
    return SpriteField(result, args[0], [](const CSprite& s) { return s.Count(); });
}
BUILTIN(GetWidth)
{
    return SpriteField(result, args[0], [](const CSprite& s) { return s.Width(); });
}
BUILTIN(GetHeight)
{
    return SpriteField(result, args[0], [](const CSprite& s) { return s.Height(); });
}
BUILTIN(GetXOffset)
{
    return SpriteField(result, args[0], [](const CSprite& s) { return s.i_xorig; });
}
BUILTIN(GetYOffset)
{
    return SpriteField(result, args[0], [](const CSprite& s) { return s.i_yorig; });
}
BUILTIN(GetBboxLeft)
{
    return SpriteField(result, args[0], [](const CSprite& s) { return s.i_bbox.left; });
}
BUILTIN(GetBboxRight)
{
    return SpriteField(result, args[0], [](const CSprite& s) { return s.i_bbox.right; });
}
BUILTIN(GetBboxTop)
{
    return SpriteField(result, args[0], [](const CSprite& s) { return s.i_bbox.top; });
}
BUILTIN(GetBboxBottom)
{
    return SpriteField(result, args[0], [](const CSprite& s) { return s.i_bbox.bottom; });
}

BUILTIN(SetOffset)
{
    if (CSprite* sprite = Sprites.Get(ArgInt(args[0]))) {
        sprite->i_xorig = ArgInt(args[1]);
        sprite->i_yorig = ArgInt(args[2]);
    }
    return true;
}

BUILTIN(SetAlphaFromSprite)
{
    const int32_t index = ArgInt(args[0]);
    CSprite* sprite = Sprites.Get(index);
    const CSprite* other = Sprites.Get(ArgInt(args[1]));
    if (sprite && other) {
        Sprite_SetAlphaFromSprite(*sprite, *other);
        Sprite_BuildTextures(index);
    }
    return true;
}

BUILTIN(Add)
{
    return AddMade(result, [&](CSprite& made) {
        return Sprite_LoadFromFile(made, args[0].str, ArgInt(args[1]), ArgBool(args[2]), ArgBool(args[3]),
                                   ArgInt(args[4]), ArgInt(args[5]));
    });
}

BUILTIN(Replace)
{
    return ReplaceMade(result, args[0], [&](CSprite& made) {
        return Sprite_LoadFromFile(made, args[1].str, ArgInt(args[2]), ArgBool(args[3]), ArgBool(args[4]),
                                   ArgInt(args[5]), ArgInt(args[6]));
    });
}

BUILTIN(AddSpriteFile)
{
    return AddMade(result, [&](CSprite& made) { return Sprite_LoadFromSpriteFile(made, args[0].str); });
}

BUILTIN(ReplaceSpriteFile)
{
    return ReplaceMade(result, args[0], [&](CSprite& made) { return Sprite_LoadFromSpriteFile(made, args[1].str); });
}

// A new sprite from a picture read by read (screen or surface); args start
// at the rectangle's x for the screen, at the surface id for a surface.
template <typename Read>
bool CreateFrom(RValue& result, const RValue* args, int flags, Read read)
{
    return AddMade(result, [&](CSprite& made) {
        TBitmap32 picture;
        if (!read(args, picture))
            return false;
        Sprite_CreateFromBitmap(made, std::move(picture), TruncatedFlag(args[flags]), args[flags + 1].val > 0.5,
                                ArgInt(args[flags + 2]), ArgInt(args[flags + 3]));
        return true;
    });
}

template <typename Read>
bool AddFrom(const RValue* args, int flags, Read read)
{
    const int32_t index = ExistingSprite(args[0], "Trying to add to non-existing sprite.");
    TBitmap32 picture;
    if (index < 0 || !read(args + 1, picture))
        return true;
    Sprite_AddFromBitmap(*Sprites.Get(index), std::move(picture), TruncatedFlag(args[flags]),
                         args[flags + 1].val > 0.5);
    Sprite_BuildTextures(index);
    return true;
}

BUILTIN(CreateFromScreen)
{
    return CreateFrom(result, args, 4, ReadScreen);
}
BUILTIN(CreateFromSurface)
{
    return CreateFrom(result, args, 5, ReadSurface);
}
BUILTIN(AddFromScreen)
{
    return AddFrom(args, 5, ReadScreen);
}
BUILTIN(AddFromSurface)
{
    return AddFrom(args, 6, ReadSurface);
}

BUILTIN(Delete)
{
    Resource_Delete(Sprites, args[0], "Trying to delete non-existing sprite.", result, &Sprite_FreeTextures);
    return true;
}

BUILTIN(Duplicate)
{
    Resource_Duplicate(Sprites, args[0], kKind, "Trying to duplicate non-existing sprite.", result,
                       &Sprite_BuildTextures);
    return true;
}

BUILTIN(Assign)
{
    Resource_Assign(Sprites, args, kKind, "Error assigning a sprite.", result, &Sprite_BuildTextures);
    return true;
}

BUILTIN(Merge)
{
    const int32_t index = ExistingSprite(args[0], "Trying to merge to non-existing sprite.");
    if (index < 0)
        return true;
    const int32_t other = ExistingSprite(args[1], "Trying to merge from non-existing sprite.");
    if (other < 0)
        return true;
    Sprite_AddFromSprite(*Sprites.Get(index), *Sprites.Get(other));
    Sprite_BuildTextures(index);
    return true;
}

// The sprite to save, or nullptr after the message (a missing sprite, an
// empty name, a name secure mode does not let the game write).
const CSprite* SavedSprite(const RValue& index, const std::string& name)
{
    if (ExistingSprite(index, "Trying to save non-existing sprite bitmap.") < 0)
        return nullptr;
    if (name.empty()) {
        Error_ShowInEvent("Trying to save sprite bitmap to empty image file name.", false);
        return nullptr;
    }
    return SecureMode_MayWrite(name) ? Sprites.Get(ArgInt(index)) : nullptr;
}

BUILTIN(Save)
{
    const std::string& name = args[2].str;
    const CSprite* sprite = SavedSprite(args[0], name);
    if (!sprite || sprite->Count() == 0)
        return true;
    // The runner's own sprite file holds the whole sprite, so that it loads back as it was.
    if (Image_HasExtension(name, kSpriteFileExtension)) {
        Sprite_SaveToSpriteFile(*sprite, name);
        return true;
    }
    const int32_t image = Sprite_ImageIndex(RoundToInteger(args[1].val), sprite->Count());
    Image_SaveFile(name, sprite->i_bitmap[static_cast<size_t>(image)]);
    return true;
}

BUILTIN(SaveStrip)
{
    const std::string& name = args[1].str;
    const CSprite* sprite = SavedSprite(args[0], name);
    if (!sprite || sprite->Count() == 0)
        return true;
    TBitmap32 strip = Sprite_StripPicture(*sprite);
    std::vector<uint8_t> png = Picture_EncodePng(strip);
    if (!png.empty())
        Platform_WriteWholeFile(ToHostPath(name), png.data(), png.size());
    return true;
}

BUILTIN(CollisionMask)
{
    const int32_t index = ExistingSprite(args[0], "Trying to set collision mode for non-existing sprite.");
    if (index < 0)
        return true;
    const RBox box{ArgInt(args[3]), ArgInt(args[4]), ArgInt(args[5]), ArgInt(args[6])};
    Sprites.Get(index)->ComputeMask(ArgBool(args[1]), ArgInt(args[2]), box, ArgInt(args[7]), ArgInt(args[8]));
    return true;
}

} // namespace

void Graphics_RegisterSpriteResourceFunctions()
{
    Resource_ImplementCommon<CSprite, &CGameResources::Sprites>(kKind);
    Function_Implement("sprite_get_number", &GetNumber);
    Function_Implement("sprite_get_width", &GetWidth);
    Function_Implement("sprite_get_height", &GetHeight);
    Function_Implement("sprite_get_xoffset", &GetXOffset);
    Function_Implement("sprite_get_yoffset", &GetYOffset);
    Function_Implement("sprite_get_bbox_left", &GetBboxLeft);
    Function_Implement("sprite_get_bbox_right", &GetBboxRight);
    Function_Implement("sprite_get_bbox_top", &GetBboxTop);
    Function_Implement("sprite_get_bbox_bottom", &GetBboxBottom);
    Function_Implement("sprite_set_offset", &SetOffset);
    Function_Implement("sprite_set_alpha_from_sprite", &SetAlphaFromSprite);
    Function_Implement("sprite_add", &Add);
    Function_Implement("sprite_replace", &Replace);
    Function_Implement("sprite_add_sprite", &AddSpriteFile);
    Function_Implement("sprite_replace_sprite", &ReplaceSpriteFile);
    Function_Implement("sprite_create_from_screen", &CreateFromScreen);
    Function_Implement("sprite_add_from_screen", &AddFromScreen);
    Function_Implement("sprite_create_from_surface", &CreateFromSurface);
    Function_Implement("sprite_add_from_surface", &AddFromSurface);
    Function_Implement("sprite_delete", &Delete);
    Function_Implement("sprite_duplicate", &Duplicate);
    Function_Implement("sprite_assign", &Assign);
    Function_Implement("sprite_merge", &Merge);
    Function_Implement("sprite_save", &Save);
    Function_Implement("sprite_save_strip", &SaveStrip);
    Function_Implement("sprite_collision_mask", &CollisionMask);
}
