// CRoom: a room resource as stored: size, speed, colour, creation code, the
// eight background and view slots, the instances placed in it and its tiles.
// Live rooms, instance lists and drawing are built on it elsewhere.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/ResourceList.h"

class CStream;
class CCode;
class CBackground;

// A background slot.
struct CBack {
    bool visible = false;
    bool foreground = false;
    int32_t index = -1; // background resource
    double x = 0;
    double y = 0;
    bool htiled = true;
    bool vtiled = true;
    double hspeed = 0; // pixels per step
    double vspeed = 0;
    double xscale = 1;
    double yscale = 1;
    int32_t blend = 0xFFFFFF;
    double alpha = 1;
    bool stretch = false; // as stored; the scales above follow from it
    bool operator==(const CBack&) const = default;
};

// A view slot: the room area shown and where it is shown.
struct CView {
    bool visible = false;
    int32_t xview = 0, yview = 0, wview = 640, hview = 480;
    int32_t xport = 0, yport = 0, wport = 640, hport = 480;
    double angle = 0;
    int32_t hborder = 32, vborder = 32;
    int32_t hspeed = -1, vspeed = -1;
    int32_t index = -1; // object followed
    bool operator==(const CView&) const = default;
};

// An instance placed in the room by the author. The running game makes its
// instances from these entries.
struct RRoomInstance {
    int32_t x = 0;
    int32_t y = 0;
    int32_t index = -1; // object
    int32_t id = 0;
    std::string code; // creation code
    std::shared_ptr<CCode> compiled;
    bool operator==(const RRoomInstance& o) const
    {
        return x == o.x && y == o.y && index == o.index && id == o.id && code == o.code;
    }
};

struct RTile {
    double x = 0;
    double y = 0;
    int32_t index = -1; // background resource
    int32_t xo = 0, yo = 0, w = 0, h = 0; // the part of the background image
    double depth = 0;
    int32_t id = 0;
    double xscale = 1;
    double yscale = 1;
    int32_t blend = 0xFFFFFF;
    double alpha = 1;
    bool visible = true;
    bool operator==(const RTile&) const = default;
};

class CRoom {
public:
    static constexpr int32_t kVersion = 541;
    static constexpr int kSlots = 8;

    std::string r_caption;
    int32_t r_width = 640;
    int32_t r_height = 480;
    int32_t r_speed = 30;
    bool r_persistent = false;
    int32_t r_color = 0xC0C0C0;
    bool r_showcolor = true;
    std::string r_code;
    std::shared_ptr<CCode> r_codecode; // attached by the compile pass
    int32_t r_backgroundcount = 0;     // slots present in the record
    std::array<CBack, kSlots> r_background;
    bool r_enableviews = false;
    int32_t r_viewcount = 0; // slots present in the record
    std::array<CView, kSlots> r_view;
    std::vector<RRoomInstance> r_instance;
    std::vector<RTile> r_tile;

    void Clear() { *this = CRoom(); }
    // Reads one record; stretched slots take their scales from the program's
    // background list, which is read before the rooms.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    // Scales of stretched background slots: room size ÷ background size
    // when the background exists with that size positive, else 1.
    void ApplyStretch(const TResourceList<CBackground>& backgrounds);

    bool operator==(const CRoom& o) const;
};
