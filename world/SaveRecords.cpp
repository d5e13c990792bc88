// Room, instance and tile records of a saved game.
#include "world/SaveRecords.h"

#include "data/Resources.h"
#include "data/Stream.h"
#include "world/Instance.h"
#include "world/Rooms.h"

#include <algorithm>
#include <climits>

namespace {

// The fewest bytes a stored tile takes, so that a damaged count cannot make
// us reserve room for more tiles than the file holds.
constexpr size_t kTileRecordBytes = 80;

void Fail()
{
    throw EStreamError("Stream read error");
}

// A stored count: never negative, at most 8 for the slot counts.
int32_t ReadCount(CStream& stream, int32_t most)
{
    int32_t count = stream.ReadInteger();
    if (count < 0 || count > most)
        Fail();
    return count;
}

size_t ReserveFor(const CStream& stream, int32_t count, size_t itemBytes)
{
    return std::min(static_cast<size_t>(count), (stream.Size() - stream.Position()) / itemBytes);
}

void WriteBack(CStream& stream, const CBack& b)
{
    stream.WriteBoolean(b.visible);
    stream.WriteBoolean(b.foreground);
    stream.WriteInteger(b.index);
    stream.WriteReal(b.x);
    stream.WriteReal(b.y);
    stream.WriteBoolean(b.htiled);
    stream.WriteBoolean(b.vtiled);
    // The scales come before the speeds here, unlike in the slot.
    stream.WriteReal(b.xscale);
    stream.WriteReal(b.yscale);
    stream.WriteReal(b.hspeed);
    stream.WriteReal(b.vspeed);
    stream.WriteInteger(b.blend);
    stream.WriteReal(b.alpha);
}

void ReadBack(CStream& stream, CBack& b)
{
    b.visible = stream.ReadBoolean();
    b.foreground = stream.ReadBoolean();
    b.index = stream.ReadInteger();
    b.x = stream.ReadReal();
    b.y = stream.ReadReal();
    b.htiled = stream.ReadBoolean();
    b.vtiled = stream.ReadBoolean();
    b.xscale = stream.ReadReal();
    b.yscale = stream.ReadReal();
    b.hspeed = stream.ReadReal();
    b.vspeed = stream.ReadReal();
    b.blend = stream.ReadInteger();
    b.alpha = stream.ReadReal();
    b.stretch = false; // the scales stored are the ones in force
}

void WriteView(CStream& stream, const CView& v)
{
    stream.WriteBoolean(v.visible);
    for (int32_t value : {v.xview, v.yview, v.wview, v.hview, v.xport, v.yport, v.wport, v.hport})
        stream.WriteInteger(value);
    stream.WriteReal(v.angle);
    for (int32_t value : {v.hborder, v.vborder, v.hspeed, v.vspeed, v.index})
        stream.WriteInteger(value);
}

void ReadView(CStream& stream, CView& v)
{
    v.visible = stream.ReadBoolean();
    for (int32_t* value : {&v.xview, &v.yview, &v.wview, &v.hview, &v.xport, &v.yport, &v.wport, &v.hport})
        *value = stream.ReadInteger();
    v.angle = stream.ReadReal();
    for (int32_t* value : {&v.hborder, &v.vborder, &v.hspeed, &v.vspeed, &v.index})
        *value = stream.ReadInteger();
}

void WriteTile(CStream& stream, const RTile& t)
{
    stream.WriteReal(t.x);
    stream.WriteReal(t.y);
    for (int32_t value : {t.index, t.xo, t.yo, t.w, t.h})
        stream.WriteInteger(value);
    stream.WriteReal(t.depth);
    stream.WriteInteger(t.id);
    stream.WriteReal(t.xscale);
    stream.WriteReal(t.yscale);
    stream.WriteInteger(t.blend);
    stream.WriteReal(t.alpha);
    stream.WriteBoolean(t.visible);
}

RTile ReadTile(CStream& stream)
{
    RTile t;
    t.x = stream.ReadReal();
    t.y = stream.ReadReal();
    for (int32_t* value : {&t.index, &t.xo, &t.yo, &t.w, &t.h})
        *value = stream.ReadInteger();
    t.depth = stream.ReadReal();
    t.id = stream.ReadInteger();
    t.xscale = stream.ReadReal();
    t.yscale = stream.ReadReal();
    t.blend = stream.ReadInteger();
    t.alpha = stream.ReadReal();
    t.visible = stream.ReadBoolean();
    return t;
}

void WriteInstances(CStream& stream, int32_t count, CInstance* (CInstanceLists::*at)(int32_t) const,
                    const CLiveRoom& room)
{
    stream.WriteInteger(count);
    for (int32_t k = 0; k < count; ++k)
        SaveRecords_WriteInstance(stream, *(room.*at)(k));
}

} // namespace

void SaveRecords_WriteInstance(CStream& stream, const CInstance& i)
{
    stream.WriteInteger(i.i_id);
    stream.WriteInteger(i.i_spriteindex);
    for (double value : {i.i_imageindex, i.i_imagespeed, i.i_imagescalex, i.i_imagescaley, i.i_imageangle,
                         i.i_imagealpha})
        stream.WriteReal(value);
    stream.WriteInteger(static_cast<int32_t>(i.i_imageblend));
    stream.WriteInteger(i.i_maskindex);
    for (double value : {i.i_depth, i.i_x, i.i_y, i.i_xstart, i.i_ystart, i.i_xprevious, i.i_yprevious, i.i_direction,
                         i.i_speed, i.i_friction, i.i_gravitydir, i.i_gravity, i.i_hspeed, i.i_vspeed})
        stream.WriteReal(value);
    for (int32_t value : {i.i_bbox.left, i.i_bbox.right, i.i_bbox.top, i.i_bbox.bottom})
        stream.WriteInteger(value);
    stream.WriteBoolean(i.i_visible);
    stream.WriteBoolean(i.i_solid);
    stream.WriteBoolean(i.i_persistent);
    stream.WriteInteger(i.i_objectindex);
    for (int32_t alarm : i.i_timer)
        stream.WriteInteger(alarm);
    stream.WriteBoolean(i.i_marked);
    stream.WriteBoolean(i.i_deactivated);
    stream.WriteInteger(i.i_pathindex);
    for (double value : {i.i_pathposition, i.i_pathpositionprevious, i.i_pathspeed, i.i_pathscale,
                         i.i_pathorientation})
        stream.WriteReal(value);
    stream.WriteInteger(i.i_pathend);
    stream.WriteReal(i.i_pathxstart);
    stream.WriteReal(i.i_pathystart);
    stream.WriteInteger(i.i_timelineindex);
    stream.WriteReal(i.i_timelineposition);
    stream.WriteReal(i.i_timelinespeed);
    stream.WriteBoolean(i.i_timelinerunning);
    stream.WriteBoolean(i.i_timelineloop);
    stream.WriteString(i.i_initcode);
    i.i_vars.SaveToStream(stream);
}

std::unique_ptr<CInstance> SaveRecords_ReadInstance(CStream& stream)
{
    auto instance = std::make_unique<CInstance>();
    CInstance& i = *instance;
    i.i_id = stream.ReadInteger();
    i.i_spriteindex = stream.ReadInteger();
    for (double* value : {&i.i_imageindex, &i.i_imagespeed, &i.i_imagescalex, &i.i_imagescaley, &i.i_imageangle,
                          &i.i_imagealpha})
        *value = stream.ReadReal();
    i.i_imageblend = static_cast<uint32_t>(stream.ReadInteger());
    i.i_maskindex = stream.ReadInteger();
    for (double* value : {&i.i_depth, &i.i_x, &i.i_y, &i.i_xstart, &i.i_ystart, &i.i_xprevious, &i.i_yprevious,
                          &i.i_direction, &i.i_speed, &i.i_friction, &i.i_gravitydir, &i.i_gravity, &i.i_hspeed,
                          &i.i_vspeed})
        *value = stream.ReadReal();
    for (int32_t* value : {&i.i_bbox.left, &i.i_bbox.right, &i.i_bbox.top, &i.i_bbox.bottom})
        *value = stream.ReadInteger();
    i.i_visible = stream.ReadBoolean();
    i.i_solid = stream.ReadBoolean();
    i.i_persistent = stream.ReadBoolean();
    i.i_objectindex = stream.ReadInteger();
    i.i_object = Objects.Get(i.i_objectindex);
    for (int32_t& alarm : i.i_timer)
        alarm = stream.ReadInteger();
    i.i_marked = stream.ReadBoolean();
    i.i_deactivated = stream.ReadBoolean();
    i.i_pathindex = stream.ReadInteger();
    for (double* value : {&i.i_pathposition, &i.i_pathpositionprevious, &i.i_pathspeed, &i.i_pathscale,
                          &i.i_pathorientation})
        *value = stream.ReadReal();
    i.i_pathend = stream.ReadInteger();
    i.i_pathxstart = stream.ReadReal();
    i.i_pathystart = stream.ReadReal();
    i.i_timelineindex = stream.ReadInteger();
    i.i_timelineposition = stream.ReadReal();
    i.i_timelinespeed = stream.ReadReal();
    i.i_timelinerunning = stream.ReadBoolean();
    i.i_timelineloop = stream.ReadBoolean();
    stream.ReadString(i.i_initcode);
    if (!i.i_vars.LoadFromStream(stream))
        Fail();
    return instance;
}

void SaveRecords_WriteRoom(CStream& stream, const CLiveRoom& room)
{
    stream.WriteInteger(kSavedRoomVersion);
    stream.WriteString(room.r_caption);
    stream.WriteInteger(room.r_width);
    stream.WriteInteger(room.r_height);
    stream.WriteInteger(room.r_speed);
    stream.WriteBoolean(room.r_persistent);
    stream.WriteInteger(room.r_color);
    stream.WriteBoolean(room.r_showcolor);
    stream.WriteString(room.r_code);
    stream.WriteInteger(CRoom::kSlots);
    for (const CBack& back : room.r_background)
        WriteBack(stream, back);
    stream.WriteBoolean(room.r_enableviews);
    stream.WriteInteger(CRoom::kSlots);
    for (const CView& view : room.r_view)
        WriteView(stream, view);
    WriteInstances(stream, room.InstanceCount(), &CInstanceLists::InstanceAt, room);
    WriteInstances(stream, room.DeactivatedCount(), &CInstanceLists::DeactivatedAt, room);
    stream.WriteInteger(static_cast<int32_t>(room.r_tile.size()));
    for (const RTile& tile : room.r_tile)
        WriteTile(stream, tile);
}

std::unique_ptr<CLiveRoom> SaveRecords_ReadRoom(CStream& stream)
{
    if (stream.ReadInteger() != kSavedRoomVersion)
        Fail();
    auto room = std::make_unique<CLiveRoom>();
    stream.ReadString(room->r_caption);
    room->r_width = stream.ReadInteger();
    room->r_height = stream.ReadInteger();
    room->r_speed = stream.ReadInteger();
    room->r_persistent = stream.ReadBoolean();
    room->r_color = stream.ReadInteger();
    room->r_showcolor = stream.ReadBoolean();
    stream.ReadString(room->r_code);
    room->r_backgroundcount = ReadCount(stream, CRoom::kSlots);
    for (int32_t k = 0; k < room->r_backgroundcount; ++k)
        ReadBack(stream, room->r_background[static_cast<size_t>(k)]);
    room->r_enableviews = stream.ReadBoolean();
    room->r_viewcount = ReadCount(stream, CRoom::kSlots);
    for (int32_t k = 0; k < room->r_viewcount; ++k)
        ReadView(stream, room->r_view[static_cast<size_t>(k)]);
    // The deactivated instances enter the room list behind the active ones
    // and move to their own list by their flag, keeping both orders.
    for (int pass = 0; pass < 2; ++pass) {
        int32_t count = ReadCount(stream, INT32_MAX);
        for (int32_t k = 0; k < count; ++k)
            room->AdoptInstance(SaveRecords_ReadInstance(stream));
    }
    room->UpdateActive();
    int32_t tiles = ReadCount(stream, INT32_MAX);
    room->r_tile.reserve(ReserveFor(stream, tiles, kTileRecordBytes));
    for (int32_t k = 0; k < tiles; ++k)
        room->r_tile.push_back(ReadTile(stream));
    room->r_lasttile = -1;
    return room;
}
