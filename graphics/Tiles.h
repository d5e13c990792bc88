// The tiles of a room: adding and removing them, finding them by id (with a
// one-entry memory of the last tile found) or by position, the operations on
// whole layers (all tiles of one depth), and the depth order they are drawn
// in. Tiles keep the order they were added in until the room draw sorts them.
#pragma once

#include "data/Room.h"
#include "world/World.h" // LastTileId: the last tile id handed out

#include <cstdint>

class CLiveRoom;

// Appends the tile with a new id; returns the id.
int32_t Tile_Add(CLiveRoom& room, RTile tile);
// The tile with this id, or null.
RTile* Tile_Find(CLiveRoom& room, int32_t id);
// Removes it, keeping the order of the others; false when there is none.
bool Tile_Delete(CLiveRoom& room, int32_t id);

// The first tile whose area holds (x, y), right and bottom edges excluded,
// at a depth below 0 for the foreground, else at 0 or above; its id or -1.
int32_t Tile_FindAt(CLiveRoom& room, double x, double y, bool foreground);
// Removes every tile whose area holds (x, y), edges included, at a depth of
// at most 0 for the foreground, else at least 0.
void Tile_DeleteAt(CLiveRoom& room, double x, double y, bool foreground);

// Layers: the tiles whose depth equals depth exactly.
void Tile_LayerSetVisible(CLiveRoom& room, double depth, bool visible);
void Tile_LayerDelete(CLiveRoom& room, double depth);
void Tile_LayerShift(CLiveRoom& room, double depth, double dx, double dy);
int32_t Tile_LayerFind(CLiveRoom& room, double depth, double x, double y);
void Tile_LayerDeleteAt(CLiveRoom& room, double depth, double x, double y);
void Tile_LayerSetDepth(CLiveRoom& room, double depth, double newDepth);

// Greatest depth first, equal depths in their present order.
void Tile_SortByDepth(CLiveRoom& room);
