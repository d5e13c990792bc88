// Script functions of surfaces: making and freeing them, sending drawing
// into them, drawing, reading, saving and copying them.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "graphics/Colors.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Graphics.h"
#include "graphics/ImageFiles.h"
#include "graphics/Surfaces.h"
#include "graphics/TextureDraw.h"
#include "world/Rooms.h"
#include "world/SecureMode.h"

#include <numbers>

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

// The surface argument, or null after reporting that it does not exist.
const RSurface* UsedSurface(const RValue& value)
{
    if (const RSurface* surface = Surface_Get(ArgInt(value)))
        return surface;
    Error_ShowInEvent("Trying to use non-existing surface.", false);
    return nullptr;
}

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// The room rectangle that the tiled forms cover.
void RoomSize(double& w, double& h)
{
    w = CurrentRoom ? CurrentRoom->r_width : 0;
    h = CurrentRoom ? CurrentRoom->r_height : 0;
}

BUILTIN(SurfaceCreate) { result.SetReal(Surface_Create(ArgInt(args[0]), ArgInt(args[1]))); return true; }
BUILTIN(SurfaceFree) { Surface_Free(ArgInt(args[0])); return true; }
BUILTIN(SurfaceExists) { result.SetReal(Surface_Exists(ArgInt(args[0]))); return true; }
BUILTIN(SurfaceGetWidth)
{
    const RSurface* s = Surface_Get(ArgInt(args[0]));
    result.SetReal(s ? s->w : -1);
    return true;
}
BUILTIN(SurfaceGetHeight)
{
    const RSurface* s = Surface_Get(ArgInt(args[0]));
    result.SetReal(s ? s->h : -1);
    return true;
}
BUILTIN(SurfaceGetTexture)
{
    const RSurface* s = Surface_Get(ArgInt(args[0]));
    result.SetReal(s ? s->texture : -1);
    return true;
}
BUILTIN(SurfaceSetTarget) { result.SetReal(Surface_SetTarget(ArgInt(args[0]))); return true; }
BUILTIN(SurfaceResetTarget) { result.SetReal(Surface_ResetTarget()); return true; }

BUILTIN(DrawSurface)
{
    if (const RSurface* s = UsedSurface(args[0]))
        Draw_Texture(s->texture, args[1].val, args[2].val);
    return true;
}
BUILTIN(DrawSurfaceExt)
{
    if (const RSurface* s = UsedSurface(args[0]))
        Draw_TextureExt(s->texture, ArgColor(args[6]), args[7].val, Radians(args[5].val), args[3].val, args[4].val,
                        args[1].val, args[2].val, 0, 0);
    return true;
}
void DrawStretched(const RValue* args, int32_t color, double alpha)
{
    const RSurface* s = UsedSurface(args[0]);
    const double w = args[3].val, h = args[4].val;
    if (s && w > 0 && h > 0)
        Draw_TextureExt(s->texture, color, alpha, 0, w / s->w, h / s->h, args[1].val, args[2].val, 0, 0);
}
BUILTIN(DrawSurfaceStretched) { DrawStretched(args, kWhite, 1); return true; }
BUILTIN(DrawSurfaceStretchedExt) { DrawStretched(args, ArgColor(args[5]), args[6].val); return true; }
BUILTIN(DrawSurfacePart)
{
    if (const RSurface* s = UsedSurface(args[0]))
        Draw_TexturePart(s->texture, kWhite, 1, args[1].val, args[2].val, args[3].val, args[4].val, args[5].val,
                         args[6].val, 1, 1);
    return true;
}
BUILTIN(DrawSurfacePartExt)
{
    if (const RSurface* s = UsedSurface(args[0]))
        Draw_TexturePart(s->texture, ArgColor(args[9]), args[10].val, args[1].val, args[2].val, args[3].val,
                         args[4].val, args[5].val, args[6].val, args[7].val, args[8].val);
    return true;
}
BUILTIN(DrawSurfaceGeneral)
{
    if (const RSurface* s = UsedSurface(args[0]))
        Draw_TextureGeneral(s->texture, ArgColor(args[10]), ArgColor(args[11]), ArgColor(args[12]),
                            ArgColor(args[13]), args[14].val, Radians(args[9].val), args[1].val, args[2].val,
                            args[3].val, args[4].val, args[5].val, args[6].val, args[7].val, args[8].val);
    return true;
}
void DrawTiled(const RValue* args, double xscale, double yscale, int32_t color, double alpha)
{
    double w, h;
    RoomSize(w, h);
    if (const RSurface* s = UsedSurface(args[0]))
        Draw_TextureTiled(s->texture, true, true, color, alpha, args[1].val, args[2].val, xscale, yscale, 0, 0, 0, 0,
                          w, h);
}
BUILTIN(DrawSurfaceTiled) { DrawTiled(args, 1, 1, kWhite, 1); return true; }
BUILTIN(DrawSurfaceTiledExt) { DrawTiled(args, args[3].val, args[4].val, ArgColor(args[5]), args[6].val); return true; }

// Writes a part of a surface; write errors are not reported.
void Save(const RValue* args, int64_t x, int64_t y, int64_t w, int64_t h)
{
    const RSurface* s = UsedSurface(args[0]);
    if (!s)
        return;
    const std::string& name = args[1].str.Text();
    if (name.empty()) {
        Error_ShowInEvent("Trying to save surface to empty image file name.", false);
        return;
    }
    TBitmap32 bitmap;
    if (!SecureMode_MayWrite(name) || !Surface_Read(ArgInt(args[0]), x, y, w, h, bitmap))
        return;
    // A picture with no alpha at all is taken as opaque, as loading one is.
    uint8_t* p = bitmap.Pixels();
    const size_t count = static_cast<size_t>(bitmap.Width()) * static_cast<size_t>(bitmap.Height());
    bool anyAlpha = false;
    for (size_t k = 0; k < count && !anyAlpha; ++k)
        anyAlpha = p[k * 4 + 3] != 0;
    if (!anyAlpha)
        for (size_t k = 0; k < count; ++k)
            p[k * 4 + 3] = 255;
    Image_SaveFile(name, bitmap);
}
BUILTIN(SurfaceSave)
{
    if (const RSurface* s = Surface_Get(ArgInt(args[0])))
        Save(args, 0, 0, s->w, s->h);
    else
        UsedSurface(args[0]);
    return true;
}
BUILTIN(SurfaceSavePart) { Save(args, ArgInt(args[2]), ArgInt(args[3]), ArgInt(args[4]), ArgInt(args[5])); return true; }

BUILTIN(SurfaceGetpixel)
{
    if (!UsedSurface(args[0]))
        return true;
    TBitmap32 pixel;
    if (Surface_Read(ArgInt(args[0]), ArgInt(args[1]), ArgInt(args[2]), 1, 1, pixel))
        result.SetReal(Color_FromDevice(pixel.PixelAt(0, 0)));
    return true;
}
BUILTIN(SurfaceCopy)
{
    const RSurface* source = Surface_Get(ArgInt(args[3]));
    if (!Surface_Exists(ArgInt(args[0])) || !source) {
        Error_ShowInEvent("Trying to use non-existing surface.", false);
        return true;
    }
    Surface_CopyPart(ArgInt(args[0]), ArgInt(args[1]), ArgInt(args[2]), ArgInt(args[3]), 0, 0, source->w, source->h);
    return true;
}
BUILTIN(SurfaceCopyPart)
{
    if (!Surface_CopyPart(ArgInt(args[0]), ArgInt(args[1]), ArgInt(args[2]), ArgInt(args[3]), ArgInt(args[4]),
                          ArgInt(args[5]), ArgInt(args[6]), ArgInt(args[7])))
        Error_ShowInEvent("Trying to use non-existing surface.", false);
    return true;
}

} // namespace

bool Surface_ReadForScript(int32_t id, int64_t x, int64_t y, int64_t w, int64_t h, TBitmap32& bitmap)
{
    if (!Surface_Exists(id)) {
        Error_ShowInEvent("Trying to use non-existing surface.", false);
        return false;
    }
    return Surface_Read(id, x, y, w, h, bitmap);
}

void Graphics_RegisterSurfaceFunctions()
{
    Function_Implement("surface_create", &SurfaceCreate);
    Function_Implement("surface_free", &SurfaceFree);
    Function_Implement("surface_exists", &SurfaceExists);
    Function_Implement("surface_get_width", &SurfaceGetWidth);
    Function_Implement("surface_get_height", &SurfaceGetHeight);
    Function_Implement("surface_get_texture", &SurfaceGetTexture);
    Function_Implement("surface_set_target", &SurfaceSetTarget);
    Function_Implement("surface_reset_target", &SurfaceResetTarget);
    Function_Implement("draw_surface", &DrawSurface);
    Function_Implement("draw_surface_ext", &DrawSurfaceExt);
    Function_Implement("draw_surface_stretched", &DrawSurfaceStretched);
    Function_Implement("draw_surface_stretched_ext", &DrawSurfaceStretchedExt);
    Function_Implement("draw_surface_part", &DrawSurfacePart);
    Function_Implement("draw_surface_part_ext", &DrawSurfacePartExt);
    Function_Implement("draw_surface_general", &DrawSurfaceGeneral);
    Function_Implement("draw_surface_tiled", &DrawSurfaceTiled);
    Function_Implement("draw_surface_tiled_ext", &DrawSurfaceTiledExt);
    Function_Implement("surface_save", &SurfaceSave);
    Function_Implement("surface_save_part", &SurfaceSavePart);
    Function_Implement("surface_getpixel", &SurfaceGetpixel);
    Function_Implement("surface_copy", &SurfaceCopy);
    Function_Implement("surface_copy_part", &SurfaceCopyPart);
}
