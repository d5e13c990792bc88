// The surface table and the drawing target.
#include "graphics/Surfaces.h"

#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Mode3D.h"
#include "graphics/Textures.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<RSurface> Table;
int32_t Target = -1;
// Where drawing went before a surface became the target.
TextureHandle SavedTarget = 0;
bool HaveSavedTarget = false;

RSurface* Entry(int32_t id)
{
    if (id < 0 || static_cast<size_t>(id) >= Table.size() || !Table[static_cast<size_t>(id)].used)
        return nullptr;
    return &Table[static_cast<size_t>(id)];
}

} // namespace

int32_t Surface_Create(int32_t w, int32_t h)
{
    if (w <= 0 || h <= 0 || w > kSurfaceMaxSide || h > kSurfaceMaxSide)
        return -1;
    const int32_t texture = Texture_Create(w, h, true);
    if (texture < 0)
        return -1;
    auto free = std::find_if(Table.begin(), Table.end(), [](const RSurface& s) { return !s.used; });
    if (free == Table.end())
        free = Table.insert(Table.end(), RSurface());
    *free = {texture, w, h, true};
    return static_cast<int32_t>(free - Table.begin());
}

void Surface_Free(int32_t id)
{
    RSurface* surface = Entry(id);
    if (!surface)
        return;
    if (id == Target)
        Surface_ResetTarget();
    Texture_Free(surface->texture);
    *surface = RSurface();
}

bool Surface_Exists(int32_t id)
{
    return Entry(id) != nullptr;
}

const RSurface* Surface_Get(int32_t id)
{
    return Entry(id);
}

bool Surface_SetTarget(int32_t id)
{
    IRenderDevice* device = Display_Device();
    const RSurface* surface = Entry(id);
    if (!device || !surface)
        return false;
    if (id == Target)
        return true;
    if (Target >= 0)
        Surface_ResetTarget();
    const TextureHandle previous = device->RenderTarget();
    if (!device->SetRenderTarget(Texture_Handle(surface->texture)))
        return false;
    SavedTarget = previous;
    HaveSavedTarget = true;
    device->SetViewport({0, 0, surface->w, surface->h});
    Draw_SetProjection2D(0, 0, surface->w, surface->h, 0);
    // In 3D mode a surface gets a depth buffer of its own, starting empty
    // each time drawing goes into it, so 3D drawn there hides what it should.
    if (Mode3D.on)
        device->ClearDepth();
    Target = id;
    return true;
}

bool Surface_ResetTarget()
{
    IRenderDevice* device = Display_Device();
    if (!device || !HaveSavedTarget)
        return false;
    device->SetRenderTarget(SavedTarget);
    int32_t w = 0, h = 0;
    Display_GetBackRegion(w, h);
    device->SetViewport({0, 0, w, h});
    Draw_SetProjection2D(0, 0, w, h, 0);
    HaveSavedTarget = false;
    SavedTarget = 0;
    Target = -1;
    return true;
}

int32_t Surface_Target()
{
    return Target;
}

bool Surface_Read(int32_t id, int64_t x, int64_t y, int64_t w, int64_t h, TBitmap32& bitmap)
{
    bitmap.SetSize(0, 0);
    IRenderDevice* device = Display_Device();
    const RSurface* surface = Entry(id);
    if (!device || !surface)
        return false;
    const int64_t left = std::clamp<int64_t>(x, 0, surface->w), top = std::clamp<int64_t>(y, 0, surface->h);
    const int64_t right = std::min<int64_t>(left + std::min<int64_t>(w, surface->w), surface->w);
    const int64_t bottom = std::min<int64_t>(top + std::min<int64_t>(h, surface->h), surface->h);
    if (right <= left || bottom <= top)
        return false;
    const RPixelRect area{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
                          static_cast<int32_t>(bottom - top)};
    bitmap.SetSize(area.w, area.h);
    if (!device->ReadPixels(Texture_Handle(surface->texture), area, bitmap.Pixels())) {
        bitmap.SetSize(0, 0);
        return false;
    }
    return true;
}

bool Surface_CutCopy(RSurfaceCopy& c, int64_t sourceW, int64_t sourceH, int64_t destW, int64_t destH)
{
    // Games pass any numbers; far-off ones are brought near first so the
    // sums below cannot overflow and still cut to nothing.
    for (int64_t* v : {&c.x, &c.y, &c.xs, &c.ys, &c.ws, &c.hs})
        *v = std::clamp<int64_t>(*v, -4 * int64_t(kSurfaceMaxSide), 4 * int64_t(kSurfaceMaxSide));
    if (c.xs < 0) {
        c.x -= c.xs;
        c.ws += c.xs;
        c.xs = 0;
    }
    if (c.ys < 0) {
        c.y -= c.ys;
        c.hs += c.ys;
        c.ys = 0;
    }
    c.ws = std::min(c.ws, sourceW - c.xs);
    c.hs = std::min(c.hs, sourceH - c.ys);
    if (c.x < 0) {
        c.xs -= c.x;
        c.ws += c.x;
        c.x = 0;
    }
    if (c.y < 0) {
        c.ys -= c.y;
        c.hs += c.y;
        c.y = 0;
    }
    c.ws = std::min(c.ws, destW - c.x);
    c.hs = std::min(c.hs, destH - c.y);
    return c.ws > 0 && c.hs > 0;
}

bool Surface_CopyPart(int32_t dest, int64_t x, int64_t y, int32_t src, int64_t xs, int64_t ys, int64_t ws,
                      int64_t hs)
{
    IRenderDevice* device = Display_Device();
    const RSurface* to = Entry(dest);
    const RSurface* from = Entry(src);
    if (!to || !from)
        return false;
    RSurfaceCopy c{x, y, xs, ys, ws, hs};
    if (!device || !Surface_CutCopy(c, from->w, from->h, to->w, to->h))
        return true;
    const RPixelRect area{static_cast<int32_t>(c.xs), static_cast<int32_t>(c.ys), static_cast<int32_t>(c.ws),
                          static_cast<int32_t>(c.hs)};
    const TextureHandle source = Texture_Handle(from->texture), target = Texture_Handle(to->texture);
    if (source != target) {
        device->CopyRectangle(source, area, target, static_cast<int32_t>(c.x), static_cast<int32_t>(c.y));
        return true;
    }
    // Within one surface the parts may overlap, which a device copy does not
    // promise to handle; going through memory does.
    std::vector<uint8_t> pixels(static_cast<size_t>(area.w) * static_cast<size_t>(area.h) * 4);
    if (device->ReadPixels(source, area, pixels.data()))
        device->UploadTexture(target, {static_cast<int32_t>(c.x), static_cast<int32_t>(c.y), area.w, area.h},
                              pixels.data());
    return true;
}

void Surface_FreeAll()
{
    for (int32_t id = 0; id < static_cast<int32_t>(Table.size()); ++id)
        Surface_Free(id);
}

void Surface_ForgetAll()
{
    Table.clear();
    Target = -1;
    SavedTarget = 0;
    HaveSavedTarget = false;
}
