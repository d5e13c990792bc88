// The room draw.
//
// Instances are drawn from a list taken once per frame after the depth sort:
// draw events may create, destroy or deactivate instances, which moves the
// room list about, but instances are freed only between the stages of a
// step, never during a draw, so the pointers stay valid. Tiles are read by
// position with the bounds checked at every turn, for draw events may add and
// delete tiles too.
#include "graphics/RoomDraw.h"

#include "data/Background.h"
#include "data/Event.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/Colors.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Mode3D.h"
#include "graphics/SpriteDraw.h"
#include "graphics/Tiles.h"
#include "graphics/ViewFollow.h"
#include "graphics/WindowState.h"
#include "world/EventDispatch.h"
#include "world/GameState.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

RRoomDrawHooks RoomDrawHooks;

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

bool Drawing = false;
// Reused from frame to frame so that a frame allocates nothing.
std::vector<CInstance*> Instances;
std::vector<char> HasDrawEvent; // by object index
RRegionPoint CursorPosition;

struct RRect {
    double left, top, right, bottom;
};

// floor(image_index) as an image number; values no image number can hold count as 0.
int64_t FloorIndex(double value)
{
    double f = std::floor(value);
    if (!(f > -9.0e18 && f < 9.0e18))
        return 0;
    return static_cast<int64_t>(f);
}

void MarkDrawEvents()
{
    HasDrawEvent.assign(static_cast<size_t>(std::max(Objects.Count(), 0)), 0);
    for (int32_t object : EventLists_Objects(kEventDraw, 0))
        if (object >= 0 && object < static_cast<int32_t>(HasDrawEvent.size()))
            HasDrawEvent[static_cast<size_t>(object)] = 1;
}

void DrawLayers(const CLiveRoom& room, bool foreground, const RRect& r)
{
    for (const CBack& back : room.r_background) {
        if (!back.visible || back.foreground != foreground || !Backgrounds.Exists(back.index))
            continue;
        Background_DrawTiled(back.index, back.x, back.y, back.xscale, back.yscale, back.htiled, back.vtiled, r.left,
                             r.top, r.right - r.left, r.bottom - r.top, back.blend, back.alpha);
    }
}

void DrawTile(const RTile& tile, const RRect& r)
{
    if (!Backgrounds.Exists(tile.index))
        return;
    const double x2 = tile.x + tile.w * tile.xscale, y2 = tile.y + tile.h * tile.yscale;
    if (r.right < std::min(tile.x, x2) || r.bottom < std::min(tile.y, y2) || r.left > std::max(tile.x, x2) ||
        r.top > std::max(tile.y, y2))
        return;
    Background_DrawPart(tile.index, tile.xo, tile.yo, tile.w, tile.h, tile.x, tile.y, tile.xscale, tile.yscale,
                        tile.blend, tile.alpha);
}

void DrawInstance(CInstance* instance)
{
    const size_t object = static_cast<size_t>(instance->i_objectindex); // -1 becomes far too large
    if (object < HasDrawEvent.size() && HasDrawEvent[object]) {
        PerformEvent(instance, instance, kEventDraw, 0);
        return;
    }
    if (!Sprites.Exists(instance->i_spriteindex))
        return;
    const int64_t image = FloorIndex(instance->i_imageindex);
    if (instance->i_imagescalex != 1 || instance->i_imagescaley != 1 || instance->i_imageangle != 0 ||
        instance->i_imageblend != kWhite || instance->i_imagealpha != 1)
        Sprite_Draw(instance->i_spriteindex, image, instance->i_x, instance->i_y, instance->i_imagescalex,
                    instance->i_imagescaley, instance->i_imageangle, static_cast<int32_t>(instance->i_imageblend),
                    instance->i_imagealpha);
    else
        Sprite_DrawSimple(instance->i_spriteindex, image, instance->i_x, instance->i_y);
}

bool Skipped(const CInstance* instance)
{
    return instance->i_marked || instance->i_deactivated || !instance->i_visible;
}

double ParticleDepthBelow(double below)
{
    return RoomDrawHooks.particleDepthBelow ? RoomDrawHooks.particleDepthBelow(below) : kNoParticleDepth;
}

// Instances, tiles and particle systems, deepest first. At equal depths the
// particle systems come first, then the instance, then the tile.
void DrawByDepth(CLiveRoom& room, const RRect& r)
{
    size_t i = 0, j = 0;
    double particles = ParticleDepthBelow(std::numeric_limits<double>::infinity());
    for (;;) {
        while (i < Instances.size() && Skipped(Instances[i]))
            ++i;
        while (j < room.r_tile.size() && !room.r_tile[j].visible)
            ++j;
        const bool instanceLeft = i < Instances.size(), tileLeft = j < room.r_tile.size();
        if (particles > -1e8 && (!instanceLeft || particles >= Instances[i]->i_depth) &&
            (!tileLeft || particles >= room.r_tile[j].depth)) {
            D3D_SetDepth(std::min(particles, 11000.0));
            if (RoomDrawHooks.drawParticles)
                RoomDrawHooks.drawParticles(particles);
            particles = ParticleDepthBelow(particles);
            continue;
        }
        if (!instanceLeft && !tileLeft)
            return;
        if (!instanceLeft || (tileLeft && room.r_tile[j].depth > Instances[i]->i_depth)) {
            const RTile tile = room.r_tile[j++];
            D3D_SetDepth(std::min(tile.depth, 11000.0));
            DrawTile(tile, r);
        } else {
            D3D_SetDepth(std::min(Instances[i]->i_depth, 11000.0));
            DrawInstance(Instances[i++]);
        }
    }
}

void DrawCursor()
{
    if (Sprites.Exists(GameState.cursorSprite))
        Sprite_Draw(GameState.cursorSprite, GameState.cursorImage, static_cast<double>(CursorPosition.x),
                    static_cast<double>(CursorPosition.y), 1, 1, 0, kWhite, 1);
}

// One view's contents (or the room's without views) within r. In 3D mode
// each layer lies at its own depth (outside it every depth is 0).
void DrawRoomRect(CLiveRoom& room, const RRect& r)
{
    IRenderDevice* device = Display_Device();
    if (Mode3D.on && device)
        device->ClearDepth();
    if (room.r_showcolor && device)
        device->Clear(Color_ToDevice(room.r_color, 1.0));
    D3D_SetDepth(12000);
    DrawLayers(room, false, r);
    DrawByDepth(room, r);
    D3D_SetDepth(-12000);
    DrawLayers(room, true, r);
    D3D_SetDepth(-13000);
    DrawCursor();
}

// The area a view draws: turned views reach past their rectangle's corners.
RRect ViewArea(const CView& view)
{
    RRect r{double(view.xview), double(view.yview), double(view.xview) + view.wview, double(view.yview) + view.hview};
    if (std::fabs(view.angle) >= 0.01) {
        const double dx = view.hview / 2, dy = view.wview / 2; // whole pixels, as the room keeps them
        r.left -= dx;
        r.top -= dy;
        r.right += dx;
        r.bottom += dy;
    }
    return r;
}

void DrawThroughViews(CLiveRoom& room, IRenderDevice* device)
{
    int32_t regionW = 0, regionH = 0;
    Display_GetBackRegion(regionW, regionH);
    device->SetViewport({0, 0, regionW, regionH});
    device->Clear(Color_ToDevice(WindowState.color, 1.0));
    for (int v = 0; v < CRoom::kSlots; ++v) {
        const CView& view = room.r_view[static_cast<size_t>(v)];
        // A view or port without area shows nothing (and would make no projection).
        if (!view.visible || view.wview <= 0 || view.hview <= 0 || view.wport <= 0 || view.hport <= 0)
            continue;
        GameState.viewCurrent = v;
        device->SetViewport({view.xport, view.yport, view.wport, view.hport});
        Draw_SetProjection2D(view.xview, view.yview, view.wview, view.hview, view.angle);
        DrawRoomRect(room, ViewArea(view));
    }
    device->SetViewport({0, 0, regionW, regionH});
    Draw_SetProjection2D(0, 0, regionW, regionH, 0);
}

void UpdateCaption()
{
    std::string caption = Game_Caption();
    if (caption != WindowState.caption) // the window system is asked only when it changes
        Window_SetCaption(caption);
}

} // namespace

void RoomDraw_FitRegionToRoom(const CLiveRoom& room)
{
    int64_t w = room.r_width, h = room.r_height;
    if (room.r_enableviews) {
        w = h = 8;
        for (const CView& view : room.r_view) {
            if (!view.visible)
                continue;
            w = std::max<int64_t>(w, int64_t(view.xport) + view.wport);
            h = std::max<int64_t>(h, int64_t(view.yport) + view.hport);
        }
    }
    RDisplayMode screen;
    if (IGameWindow* window = Display_Window(); window && window->GetDisplayMode(screen)) {
        w = std::min<int64_t>(w, screen.width);
        h = std::min<int64_t>(h, screen.height);
    }
    // A room of no size still needs a pixel to draw into.
    const int32_t width = static_cast<int32_t>(std::clamp<int64_t>(w, 1, INT32_MAX));
    const int32_t height = static_cast<int32_t>(std::clamp<int64_t>(h, 1, INT32_MAX));
    if (width == WindowState.regionW && height == WindowState.regionH)
        return;
    Window_SetRegionSize(width, height, true);
    Window_Default();
    Display_SetRegionSize(width, height);
}

void RoomDraw_DrawRoom()
{
    CLiveRoom* room = CurrentRoom;
    IRenderDevice* device = Display_Device();
    if (!room || !device || Drawing)
        return;
    struct RDrawingGuard {
        RDrawingGuard() { Drawing = true; }
        ~RDrawingGuard()
        {
            Drawing = false;
            Instances.clear();
            GameState.viewCurrent = 0;
        }
    } guard;
    View_UpdateAll(*room);
    room->SortInstances();
    Tile_SortByDepth(*room);
    Instances.clear();
    for (int32_t k = 0; k < room->InstanceCount(); ++k)
        Instances.push_back(room->InstanceAt(k));
    MarkDrawEvents();
    if (Sprites.Exists(GameState.cursorSprite)) {
        RRegionPoint mouse = Window_MouseInRegion();
        CursorPosition = View_RegionToRoomThroughViews(WindowState.views, static_cast<double>(mouse.x),
                                                       static_cast<double>(mouse.y));
    }

    if (room->r_enableviews) {
        DrawThroughViews(*room, device);
    } else if (room->r_width > 0 && room->r_height > 0) {
        GameState.viewCurrent = 0;
        device->SetViewport({0, 0, room->r_width, room->r_height});
        Draw_SetProjection2D(0, 0, room->r_width, room->r_height, 0);
        DrawRoomRect(*room, {0, 0, double(room->r_width), double(room->r_height)});
    }
    UpdateCaption();
}

bool RoomDraw_IsDrawing()
{
    return Drawing;
}
