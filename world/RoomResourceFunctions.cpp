// The room functions of a running game. They change the room resources
// only: a live copy that exists already (the running room, a persistent
// room left earlier) keeps what it has, and the changes show when a room is
// entered afresh. Adding tiles lives with the other tile functions, which
// read a tile from the arguments the same way.
#include "world/ResourceFunctions.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "world/ResourceRoutines.h"
#include "world/World.h"

#include <algorithm>
#include <memory>

namespace {

constexpr const char* kKind = "room";

int32_t Index(const RValue& value)
{
    return RoundToInt32(value.val);
}

template <typename Change>
bool ChangeRoom(const RValue* args, Change change)
{
    if (CRoom* room = Rooms.Get(Index(args[0])))
        change(*room);
    return true;
}

// Slot n of 0..7 (else nothing); counted among the slots the room holds.
template <typename Slot, typename Change>
void ChangeSlot(std::array<Slot, CRoom::kSlots>& slots, int32_t& count, int32_t n, Change change)
{
    if (n < 0 || n >= CRoom::kSlots)
        return;
    change(slots[static_cast<size_t>(n)]);
    count = std::max(count, n + 1);
}

BUILTIN(SetWidth)
{
    return ChangeRoom(args, [&](CRoom& r) { r.r_width = Index(args[1]); });
}
BUILTIN(SetHeight)
{
    return ChangeRoom(args, [&](CRoom& r) { r.r_height = Index(args[1]); });
}
BUILTIN(SetCaption)
{
    return ChangeRoom(args, [&](CRoom& r) { r.r_caption = args[1].str; });
}
BUILTIN(SetCode)
{
    return ChangeRoom(args, [&](CRoom& r) { r.r_code = args[1].str; });
}
BUILTIN(SetPersistent)
{
    return ChangeRoom(args, [&](CRoom& r) { r.r_persistent = IsTrue(args[1].val); });
}
BUILTIN(SetViewEnabled)
{
    return ChangeRoom(args, [&](CRoom& r) { r.r_enableviews = IsTrue(args[1].val); });
}
BUILTIN(SetBackgroundColor)
{
    return ChangeRoom(args, [&](CRoom& r) {
        r.r_color = static_cast<int32_t>(static_cast<uint32_t>(RoundToInteger(args[1].val)));
        r.r_showcolor = IsTrue(args[2].val);
    });
}

BUILTIN(SetBackground)
{
    return ChangeRoom(args, [&](CRoom& r) {
        ChangeSlot(r.r_background, r.r_backgroundcount, Index(args[1]), [&](CBack& b) {
            b.visible = IsTrue(args[2].val);
            b.foreground = IsTrue(args[3].val);
            b.index = Index(args[4]);
            b.x = args[5].val;
            b.y = args[6].val;
            b.htiled = IsTrue(args[7].val);
            b.vtiled = IsTrue(args[8].val);
            b.hspeed = args[9].val;
            b.vspeed = args[10].val;
            b.alpha = args[11].val;
            b.xscale = b.yscale = 1;
            b.stretch = false;
        });
    });
}

BUILTIN(SetView)
{
    return ChangeRoom(args, [&](CRoom& r) {
        ChangeSlot(r.r_view, r.r_viewcount, Index(args[1]), [&](CView& v) {
            v.visible = IsTrue(args[2].val);
            int32_t* fields[] = {&v.xview, &v.yview, &v.wview,   &v.hview,   &v.xport,  &v.yport, &v.wport,
                                 &v.hport, &v.hborder, &v.vborder, &v.hspeed, &v.vspeed, &v.index};
            for (size_t k = 0; k < std::size(fields); ++k)
                *fields[k] = Index(args[3 + k]);
        });
    });
}

BUILTIN(Add)
{
    result.SetReal(Resource_Append(Rooms, std::make_unique<CRoom>(), kKind));
    return true;
}

BUILTIN(Duplicate)
{
    Resource_Duplicate(Rooms, args[0], kKind, "Trying to duplicate non-existing room.", result);
    return true;
}

BUILTIN(Assign)
{
    Resource_Assign(Rooms, args, kKind, "Error assigning a room.", result);
    return true;
}

BUILTIN(InstanceAdd)
{
    CRoom* room = Rooms.Get(Index(args[0]));
    if (!room) {
        result.SetReal(-1);
        return true;
    }
    RRoomInstance placed;
    placed.x = Index(args[1]);
    placed.y = Index(args[2]);
    placed.index = Index(args[3]);
    placed.id = ++LastInstanceId;
    room->r_instance.push_back(placed);
    result.SetReal(placed.id);
    return true;
}

BUILTIN(InstanceClear)
{
    return ChangeRoom(args, [](CRoom& r) { r.r_instance.clear(); });
}

BUILTIN(TileClear)
{
    return ChangeRoom(args, [](CRoom& r) { r.r_tile.clear(); });
}

} // namespace

void World_ImplementRoomResourceFunctions()
{
    Resource_ImplementCommon<CRoom, &CGameResources::Rooms>("room");
    Function_Implement("room_set_width", &SetWidth);
    Function_Implement("room_set_height", &SetHeight);
    Function_Implement("room_set_caption", &SetCaption);
    Function_Implement("room_set_code", &SetCode);
    Function_Implement("room_set_persistent", &SetPersistent);
    Function_Implement("room_set_view_enabled", &SetViewEnabled);
    Function_Implement("room_set_background_color", &SetBackgroundColor);
    Function_Implement("room_set_background", &SetBackground);
    Function_Implement("room_set_view", &SetView);
    Function_Implement("room_add", &Add);
    Function_Implement("room_duplicate", &Duplicate);
    Function_Implement("room_assign", &Assign);
    Function_Implement("room_instance_add", &InstanceAdd);
    Function_Implement("room_instance_clear", &InstanceClear);
    Function_Implement("room_tile_clear", &TileClear);
}
