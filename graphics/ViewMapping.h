// The three coordinate systems of the display and the maps between them:
// the window's client area, the drawing region presented scaled inside it,
// and the room as seen through a view. Pure functions of their inputs.
#pragma once

#include "platform/GameWindow.h"

#include <array>
#include <cstdint>

// One entry of the view table: the room rectangle a view shows, where it
// shows it in the region, and its rotation in degrees.
struct RViewEntry {
    bool active = false;
    double vx = 0, vy = 0, vw = 0, vh = 0;
    double px = 0, py = 0, pw = 0, ph = 0;
    double angle = 0;
};

constexpr int kViewTableSize = 32;
using TViewTable = std::array<RViewEntry, kViewTableSize>;

struct RRegionPoint {
    int64_t x = 0;
    int64_t y = 0;
    bool operator==(const RRegionPoint&) const = default;
};

// The scale as the display keeps it: > 0 a fixed factor, 0 stretch to the
// client area, < 0 the largest factor that keeps the aspect ratio.
struct RPresentGeometry {
    int32_t clientW = 0, clientH = 0;
    int32_t regionW = 0, regionH = 0;
    double scale = 1.0;
    // A display mode the game asked for, shown full screen: the client is
    // a screen of this size, scaled as large as fits into the real client
    // and centred. 0: none.
    int32_t screenW = 0, screenH = 0;
};

// Where the region lands inside the client area.
RPixelRect Display_PresentRectangle(const RPresentGeometry& g);
// A point relative to the client origin, in region pixels.
RRegionPoint Display_ClientToRegion(const RPresentGeometry& g, double mx, double my);
// A region point, relative to the client origin.
RRegionPoint Display_RegionToClient(const RPresentGeometry& g, double x, double y);

// Whether an entry can map at all: active with non-zero view and port sizes.
bool View_CanMap(const RViewEntry& view);
RRegionPoint View_RegionToRoom(const RViewEntry& view, double x, double y);
RRegionPoint View_RoomToRegion(const RViewEntry& view, double x, double y);
// The room point under a region point through the view that contains it:
// the highest-numbered active view whose view rectangle holds the mapped
// point, else the lowest-numbered active one; the region point itself when
// no view is active.
RRegionPoint View_RegionToRoomThroughViews(const TViewTable& views, double x, double y);
