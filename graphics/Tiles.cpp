// Tile bookkeeping of the running room.
#include "graphics/Tiles.h"

#include "world/Rooms.h"

#include <algorithm>

namespace {

// Whether (x, y) lies in the tile's area; the far edges count when closed.
bool Holds(const RTile& tile, double x, double y, bool closed)
{
    const double right = tile.x + tile.w * tile.xscale;
    const double bottom = tile.y + tile.h * tile.yscale;
    if (closed)
        return tile.x <= x && x <= right && tile.y <= y && y <= bottom;
    return tile.x <= x && x < right && tile.y <= y && y < bottom;
}

// The first tile in order that matches; remembered for the next lookup.
template <typename Match>
int32_t FindFirst(CLiveRoom& room, Match match)
{
    for (size_t k = 0; k < room.r_tile.size(); ++k) {
        if (match(room.r_tile[k])) {
            room.r_lasttile = static_cast<int32_t>(k);
            return room.r_tile[k].id;
        }
    }
    return -1;
}

template <typename Match>
void RemoveAll(CLiveRoom& room, Match match)
{
    if (std::erase_if(room.r_tile, match) > 0)
        room.r_lasttile = -1;
}

} // namespace

int32_t Tile_Add(CLiveRoom& room, RTile tile)
{
    tile.id = ++LastTileId;
    room.r_tile.push_back(tile);
    return tile.id;
}

RTile* Tile_Find(CLiveRoom& room, int32_t id)
{
    // The remembered index is only a guess: it is checked against the id.
    const int32_t last = room.r_lasttile;
    if (last >= 0 && last < static_cast<int32_t>(room.r_tile.size()) && room.r_tile[static_cast<size_t>(last)].id == id)
        return &room.r_tile[static_cast<size_t>(last)];
    for (size_t k = 0; k < room.r_tile.size(); ++k) {
        if (room.r_tile[k].id == id) {
            room.r_lasttile = static_cast<int32_t>(k);
            return &room.r_tile[k];
        }
    }
    return nullptr;
}

bool Tile_Delete(CLiveRoom& room, int32_t id)
{
    RTile* tile = Tile_Find(room, id);
    if (!tile)
        return false;
    room.r_tile.erase(room.r_tile.begin() + (tile - room.r_tile.data()));
    room.r_lasttile = -1;
    return true;
}

int32_t Tile_FindAt(CLiveRoom& room, double x, double y, bool foreground)
{
    return FindFirst(room, [&](const RTile& tile) {
        return (foreground ? tile.depth < 0 : tile.depth >= 0) && Holds(tile, x, y, false);
    });
}

void Tile_DeleteAt(CLiveRoom& room, double x, double y, bool foreground)
{
    RemoveAll(room, [&](const RTile& tile) {
        return (foreground ? tile.depth <= 0 : tile.depth >= 0) && Holds(tile, x, y, true);
    });
}

void Tile_LayerSetVisible(CLiveRoom& room, double depth, bool visible)
{
    for (RTile& tile : room.r_tile)
        if (tile.depth == depth)
            tile.visible = visible;
}

void Tile_LayerDelete(CLiveRoom& room, double depth)
{
    RemoveAll(room, [depth](const RTile& tile) { return tile.depth == depth; });
}

void Tile_LayerShift(CLiveRoom& room, double depth, double dx, double dy)
{
    for (RTile& tile : room.r_tile) {
        if (tile.depth == depth) {
            tile.x += dx;
            tile.y += dy;
        }
    }
}

int32_t Tile_LayerFind(CLiveRoom& room, double depth, double x, double y)
{
    return FindFirst(room, [&](const RTile& tile) { return tile.depth == depth && Holds(tile, x, y, false); });
}

void Tile_LayerDeleteAt(CLiveRoom& room, double depth, double x, double y)
{
    RemoveAll(room, [&](const RTile& tile) { return tile.depth == depth && Holds(tile, x, y, false); });
}

void Tile_LayerSetDepth(CLiveRoom& room, double depth, double newDepth)
{
    for (RTile& tile : room.r_tile)
        if (tile.depth == depth)
            tile.depth = newDepth;
}

void Tile_SortByDepth(CLiveRoom& room)
{
    auto deeper = [](const RTile& a, const RTile& b) { return a.depth > b.depth; };
    if (!std::is_sorted(room.r_tile.begin(), room.r_tile.end(), deeper))
        std::stable_sort(room.r_tile.begin(), room.r_tile.end(), deeper);
}
