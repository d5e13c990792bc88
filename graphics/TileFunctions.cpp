// Script functions that add, query, change and remove the running room's
// tiles, and that add tiles to room resources.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Graphics.h"
#include "graphics/Tiles.h"
#include "world/Rooms.h"

namespace {

// The tile named by the argument, or null after reporting that there is none.
RTile* TileArgument(const RValue& id)
{
    RTile* tile = CurrentRoom ? Tile_Find(*CurrentRoom, ArgInt(id)) : nullptr;
    if (!tile)
        Error_ShowInEvent("Tile does not exist.", false);
    return tile;
}

bool BackgroundExists(int32_t background)
{
    if (Backgrounds.Exists(background))
        return true;
    Error_ShowInEvent("Background does not exist.", false);
    return false;
}

// The tile of arguments background, left, top, width, height, x, y, depth.
RTile TileOf(const RValue* args)
{
    RTile tile;
    tile.index = ArgInt(args[0]);
    tile.xo = ArgInt(args[1]);
    tile.yo = ArgInt(args[2]);
    tile.w = ArgInt(args[3]);
    tile.h = ArgInt(args[4]);
    tile.x = args[5].val;
    tile.y = args[6].val;
    tile.depth = args[7].val;
    return tile;
}

BUILTIN(TileAdd)
{
    result.SetReal(-1);
    if (CurrentRoom && BackgroundExists(ArgInt(args[0])))
        result.SetReal(Tile_Add(*CurrentRoom, TileOf(args)));
    return true;
}
BUILTIN(TileDelete)
{
    if (!CurrentRoom || !Tile_Delete(*CurrentRoom, ArgInt(args[0])))
        Error_ShowInEvent("Tile does not exist.", false);
    return true;
}
BUILTIN(TileExists) { result.SetReal(CurrentRoom && Tile_Find(*CurrentRoom, ArgInt(args[0])) ? 1 : 0); return true; }

// The getters give 0 for a tile that does not exist.
#define TILE_GETTER(name, expression)                                                                                  \
    BUILTIN(name)                                                                                                      \
    {                                                                                                                  \
        const RTile* tile = TileArgument(args[0]);                                                                     \
        result.SetReal(tile ? static_cast<double>(expression) : 0.0);                                                  \
        return true;                                                                                                   \
    }
TILE_GETTER(TileGetX, tile->x)
TILE_GETTER(TileGetY, tile->y)
TILE_GETTER(TileGetLeft, tile->xo)
TILE_GETTER(TileGetTop, tile->yo)
TILE_GETTER(TileGetWidth, tile->w)
TILE_GETTER(TileGetHeight, tile->h)
TILE_GETTER(TileGetDepth, tile->depth)
TILE_GETTER(TileGetVisible, tile->visible ? 1 : 0)
TILE_GETTER(TileGetXscale, tile->xscale)
TILE_GETTER(TileGetYscale, tile->yscale)
TILE_GETTER(TileGetBlend, tile->blend)
TILE_GETTER(TileGetAlpha, tile->alpha)
TILE_GETTER(TileGetBackground, tile->index)
#undef TILE_GETTER

BUILTIN(TileSetPosition)
{
    if (RTile* tile = TileArgument(args[0])) {
        tile->x = args[1].val;
        tile->y = args[2].val;
    }
    return true;
}
BUILTIN(TileSetRegion)
{
    if (RTile* tile = TileArgument(args[0])) {
        tile->xo = ArgInt(args[1]);
        tile->yo = ArgInt(args[2]);
        tile->w = ArgInt(args[3]);
        tile->h = ArgInt(args[4]);
    }
    return true;
}
BUILTIN(TileSetBackground)
{
    RTile* tile = TileArgument(args[0]);
    int32_t background = ArgInt(args[1]);
    if (tile && BackgroundExists(background))
        tile->index = background;
    return true;
}
BUILTIN(TileSetVisible)
{
    if (RTile* tile = TileArgument(args[0]))
        tile->visible = ArgBool(args[1]);
    return true;
}
BUILTIN(TileSetDepth)
{
    if (RTile* tile = TileArgument(args[0]))
        tile->depth = args[1].val;
    return true;
}
BUILTIN(TileSetScale)
{
    if (RTile* tile = TileArgument(args[0])) {
        tile->xscale = args[1].val;
        tile->yscale = args[2].val;
    }
    return true;
}
BUILTIN(TileSetBlend)
{
    if (RTile* tile = TileArgument(args[0]))
        tile->blend = ArgColor(args[1]);
    return true;
}
BUILTIN(TileSetAlpha)
{
    if (RTile* tile = TileArgument(args[0]))
        tile->alpha = args[1].val;
    return true;
}

// Positions given to tile_find and tile_delete_at are whole pixels.
double Rounded(const RValue& value)
{
    return static_cast<double>(RoundToInteger(value.val));
}

BUILTIN(TileFind)
{
    result.SetReal(CurrentRoom ? Tile_FindAt(*CurrentRoom, Rounded(args[0]), Rounded(args[1]), ArgBool(args[2])) : -1);
    return true;
}
BUILTIN(TileDeleteAt)
{
    if (CurrentRoom)
        Tile_DeleteAt(*CurrentRoom, Rounded(args[0]), Rounded(args[1]), ArgBool(args[2]));
    return true;
}
BUILTIN(TileLayerHide)
{
    if (CurrentRoom)
        Tile_LayerSetVisible(*CurrentRoom, args[0].val, false);
    return true;
}
BUILTIN(TileLayerShow)
{
    if (CurrentRoom)
        Tile_LayerSetVisible(*CurrentRoom, args[0].val, true);
    return true;
}
BUILTIN(TileLayerDelete)
{
    if (CurrentRoom)
        Tile_LayerDelete(*CurrentRoom, args[0].val);
    return true;
}
BUILTIN(TileLayerShift)
{
    if (CurrentRoom)
        Tile_LayerShift(*CurrentRoom, args[0].val, args[1].val, args[2].val);
    return true;
}
BUILTIN(TileLayerFind)
{
    result.SetReal(CurrentRoom ? Tile_LayerFind(*CurrentRoom, args[0].val, args[1].val, args[2].val) : -1);
    return true;
}
BUILTIN(TileLayerDeleteAt)
{
    if (CurrentRoom)
        Tile_LayerDeleteAt(*CurrentRoom, args[0].val, args[1].val, args[2].val);
    return true;
}
BUILTIN(TileLayerDepth)
{
    if (CurrentRoom)
        Tile_LayerSetDepth(*CurrentRoom, args[0].val, args[1].val);
    return true;
}

// A tile of a background part added to a room resource (not to a live copy
// of it); from args: room, background, left, top, width, height, x, y,
// depth, then the scales and alpha when given.
bool AddRoomTile(RValue& result, const RValue* args, double xscale, double yscale, double alpha)
{
    result.SetReal(-1);
    CRoom* room = Rooms.Get(ArgInt(args[0]));
    if (!room || !BackgroundExists(ArgInt(args[1])))
        return true;
    RTile tile = TileOf(args + 1);
    tile.xscale = xscale;
    tile.yscale = yscale;
    tile.alpha = alpha;
    tile.id = ++LastTileId;
    room->r_tile.push_back(tile);
    result.SetReal(tile.id);
    return true;
}
BUILTIN(RoomTileAdd) { return AddRoomTile(result, args, 1, 1, 1); }
BUILTIN(RoomTileAddExt) { return AddRoomTile(result, args, args[9].val, args[10].val, args[11].val); }

} // namespace

void Graphics_RegisterTileFunctions()
{
    Function_Implement("tile_add", &TileAdd);
    Function_Implement("room_tile_add", &RoomTileAdd);
    Function_Implement("room_tile_add_ext", &RoomTileAddExt);
    Function_Implement("tile_delete", &TileDelete);
    Function_Implement("tile_exists", &TileExists);
    Function_Implement("tile_get_x", &TileGetX);
    Function_Implement("tile_get_y", &TileGetY);
    Function_Implement("tile_get_left", &TileGetLeft);
    Function_Implement("tile_get_top", &TileGetTop);
    Function_Implement("tile_get_width", &TileGetWidth);
    Function_Implement("tile_get_height", &TileGetHeight);
    Function_Implement("tile_get_depth", &TileGetDepth);
    Function_Implement("tile_get_visible", &TileGetVisible);
    Function_Implement("tile_get_xscale", &TileGetXscale);
    Function_Implement("tile_get_yscale", &TileGetYscale);
    Function_Implement("tile_get_blend", &TileGetBlend);
    Function_Implement("tile_get_alpha", &TileGetAlpha);
    Function_Implement("tile_get_background", &TileGetBackground);
    Function_Implement("tile_set_position", &TileSetPosition);
    Function_Implement("tile_set_region", &TileSetRegion);
    Function_Implement("tile_set_background", &TileSetBackground);
    Function_Implement("tile_set_visible", &TileSetVisible);
    Function_Implement("tile_set_depth", &TileSetDepth);
    Function_Implement("tile_set_scale", &TileSetScale);
    Function_Implement("tile_set_blend", &TileSetBlend);
    Function_Implement("tile_set_alpha", &TileSetAlpha);
    Function_Implement("tile_find", &TileFind);
    Function_Implement("tile_delete_at", &TileDeleteAt);
    Function_Implement("tile_layer_hide", &TileLayerHide);
    Function_Implement("tile_layer_show", &TileLayerShow);
    Function_Implement("tile_layer_delete", &TileLayerDelete);
    Function_Implement("tile_layer_shift", &TileLayerShift);
    Function_Implement("tile_layer_find", &TileLayerFind);
    Function_Implement("tile_layer_delete_at", &TileLayerDeleteAt);
    Function_Implement("tile_layer_depth", &TileLayerDepth);
}
