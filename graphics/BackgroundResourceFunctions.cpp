// The background functions of a running game: the queries, adding,
// replacing, duplicating, assigning and deleting backgrounds, backgrounds
// from the screen, surfaces, a colour or a gradient, and saving them. Every
// change rebuilds the background's texture.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Background.h"
#include "data/Resources.h"
#include "graphics/FunctionArguments.h"
#include "graphics/ImageFiles.h"
#include "graphics/ResourceTextures.h"
#include "graphics/Screenshots.h"
#include "graphics/SpriteImages.h"
#include "graphics/Surfaces.h"
#include "world/ResourceRoutines.h"
#include "world/SecureMode.h"

#include <memory>

namespace {

constexpr const char* kKind = "background";

int32_t ExistingBackground(const RValue& value, const char* message)
{
    const int32_t background = ArgInt(value);
    if (Backgrounds.Exists(background))
        return background;
    Error_ShowInEvent(message, false);
    return -1;
}

// A new background that make(CBackground&) fills; the result is its index or -1.
template <typename Make>
bool AddMade(RValue& result, Make make)
{
    result.SetReal(Resource_AddMade(Backgrounds, kKind, make, &Background_BuildTexture));
    return true;
}

template <typename Make>
bool ReplaceMade(RValue& result, const RValue& index, Make make)
{
    const int32_t background = ExistingBackground(index, "Trying to replace non-existing background.");
    if (background >= 0)
        result.SetReal(Resource_ReplaceMade(Backgrounds, background, make, &Background_BuildTexture) ? 1 : 0);
    return true;
}

BUILTIN(GetWidth)
{
    const CBackground* background = Backgrounds.Get(ArgInt(args[0]));
    result.SetReal(background ? background->Width() : -1);
    return true;
}

BUILTIN(GetHeight)
{
    const CBackground* background = Backgrounds.Get(ArgInt(args[0]));
    result.SetReal(background ? background->Height() : -1);
    return true;
}

BUILTIN(SetAlphaFromBackground)
{
    const int32_t index = ArgInt(args[0]);
    CBackground* background = Backgrounds.Get(index);
    const CBackground* other = Backgrounds.Get(ArgInt(args[1]));
    if (background && other) {
        Background_SetAlphaFromBackground(*background, *other);
        Background_BuildTexture(index);
    }
    return true;
}

// A background from a picture that read made, prepared with the flags at args.
template <typename Read>
bool CreateFrom(RValue& result, const RValue* flags, Read read)
{
    return AddMade(result, [&](CBackground& made) {
        TBitmap32 picture;
        if (!read(picture))
            return false;
        Background_CreateFromBitmap(made, std::move(picture), ArgBool(flags[0]) ? kRemoveBackground : kKeepBackground,
                                    ArgBool(flags[1]));
        return true;
    });
}

BUILTIN(CreateFromScreen)
{
    return CreateFrom(result, args + 4, [&](TBitmap32& picture) {
        return Screen_ReadOpaque(ArgInt(args[0]), ArgInt(args[1]), ArgInt(args[2]), ArgInt(args[3]), picture);
    });
}

BUILTIN(CreateFromSurface)
{
    return CreateFrom(result, args + 5, [&](TBitmap32& picture) {
        return Surface_ReadForScript(ArgInt(args[0]), RoundToInteger(args[1].val), RoundToInteger(args[2].val),
                                     RoundToInteger(args[3].val), RoundToInteger(args[4].val), picture);
    });
}

BUILTIN(CreateColor)
{
    return AddMade(result, [&](CBackground& made) {
        return Background_CreateColor(made, ArgInt(args[0]), ArgInt(args[1]), ArgColor(args[2]));
    });
}

BUILTIN(CreateGradient)
{
    return AddMade(result, [&](CBackground& made) {
        return Background_CreateGradient(made, ArgInt(args[0]), ArgInt(args[1]), ArgColor(args[2]), ArgColor(args[3]),
                                         ArgInt(args[4]));
    });
}

BUILTIN(Add)
{
    return AddMade(result, [&](CBackground& made) {
        return Background_LoadFromFile(made, args[0].str, ArgBool(args[1]), ArgBool(args[2]));
    });
}

BUILTIN(Replace)
{
    return ReplaceMade(result, args[0], [&](CBackground& made) {
        return Background_LoadFromFile(made, args[1].str, ArgBool(args[2]), ArgBool(args[3]));
    });
}

BUILTIN(AddBackgroundFile)
{
    return AddMade(result, [&](CBackground& made) { return Background_LoadFromBackgroundFile(made, args[0].str); });
}

BUILTIN(ReplaceBackgroundFile)
{
    return ReplaceMade(result, args[0],
                       [&](CBackground& made) { return Background_LoadFromBackgroundFile(made, args[1].str); });
}

BUILTIN(Delete)
{
    Resource_Delete(Backgrounds, args[0], "Trying to delete non-existing background.", result, &Background_FreeTexture);
    return true;
}

BUILTIN(Duplicate)
{
    Resource_Duplicate(Backgrounds, args[0], kKind, "Trying to duplicate non-existing background.", result,
                       &Background_BuildTexture);
    return true;
}

BUILTIN(Assign)
{
    Resource_Assign(Backgrounds, args, kKind, "Error assigning a background.", result, &Background_BuildTexture);
    return true;
}

BUILTIN(Save)
{
    const std::string& name = args[1].str;
    if (ExistingBackground(args[0], "Trying to save non-existing background bitmap.") < 0)
        return true;
    if (name.empty()) {
        Error_ShowInEvent("Trying to save background bitmap to empty image file name.", false);
        return true;
    }
    if (!SecureMode_MayWrite(name))
        return true;
    const CBackground& background = *Backgrounds.Get(ArgInt(args[0]));
    if (Image_HasExtension(name, kBackgroundFileExtension))
        Background_SaveToBackgroundFile(background, name);
    else
        Image_SaveFile(name, background.i_bitmap);
    return true;
}

} // namespace

void Graphics_RegisterBackgroundResourceFunctions()
{
    Resource_ImplementCommon<CBackground, &CGameResources::Backgrounds>(kKind);
    Function_Implement("background_get_width", &GetWidth);
    Function_Implement("background_get_height", &GetHeight);
    Function_Implement("background_set_alpha_from_background", &SetAlphaFromBackground);
    Function_Implement("background_create_from_screen", &CreateFromScreen);
    Function_Implement("background_create_from_surface", &CreateFromSurface);
    Function_Implement("background_create_color", &CreateColor);
    Function_Implement("background_create_gradient", &CreateGradient);
    Function_Implement("background_add", &Add);
    Function_Implement("background_replace", &Replace);
    Function_Implement("background_add_background", &AddBackgroundFile);
    Function_Implement("background_replace_background", &ReplaceBackgroundFile);
    Function_Implement("background_delete", &Delete);
    Function_Implement("background_duplicate", &Duplicate);
    Function_Implement("background_assign", &Assign);
    Function_Implement("background_save", &Save);
}
