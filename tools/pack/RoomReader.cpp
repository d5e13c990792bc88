// [[room]] entries with their backgrounds, views, instances and tiles, and
// the room order. Instance and tile ids are handed out in manifest order
// unless an entry gives its own.
#include "data/Room.h"
#include "tools/pack/ReaderContext.h"

#include <set>

namespace {

constexpr int32_t kFirstInstanceId = 100001;
constexpr int32_t kFirstTileId = 10000001;

std::vector<int32_t> GetQuad(CManifestTable& table, const std::string& key, std::vector<int32_t> fallback,
                             const char* example)
{
    const toml::node* node = table.GetNode(key);
    if (!node)
        return fallback;
    const toml::array* array = node->as_array();
    if (!array || array->size() != fallback.size())
        table.Fail(key, std::string("expected ") + example);
    std::vector<int32_t> values;
    for (const toml::node& item : *array) {
        if (!item.is_integer())
            table.Fail(key, std::string("expected ") + example);
        values.push_back(static_cast<int32_t>(item.as_integer()->get()));
    }
    return values;
}

// Hands out ids and refuses one used twice.
class CIdCounter {
public:
    explicit CIdCounter(int32_t first) : c_next(first), c_last(first - 1) {}
    int32_t Take(CManifestTable& table)
    {
        int32_t id = table.Has("id") ? static_cast<int32_t>(table.GetInteger("id", 0, 1)) : c_next;
        if (!c_used.insert(id).second)
            table.Fail(table.Has("id") ? "id" : "x", "the id " + std::to_string(id) + " is used twice");
        c_next = std::max(c_next, id + 1);
        c_last = std::max(c_last, id);
        return id;
    }
    int32_t Last() const { return c_last; }

private:
    int32_t c_next;
    int32_t c_last;
    std::set<int32_t> c_used;
};

void ReadSlots(CReaderContext& context, CManifestTable& table, CRoom& room)
{
    std::vector<CManifestTable> backgrounds = table.GetTableArray("background");
    if (backgrounds.size() > CRoom::kSlots)
        table.Fail("background", "a room has at most 8 backgrounds");
    room.r_backgroundcount = static_cast<int32_t>(backgrounds.size());
    for (size_t k = 0; k < backgrounds.size(); ++k) {
        CManifestTable& b = backgrounds[k];
        CBack& slot = room.r_background[k];
        slot.index = context.GetReference(b, "background", EResourceKind::Background);
        slot.visible = b.GetBool("visible", true);
        slot.foreground = b.GetBool("foreground", false);
        slot.x = static_cast<double>(b.GetInteger("x", 0));
        slot.y = static_cast<double>(b.GetInteger("y", 0));
        slot.htiled = b.GetBool("htiled", true);
        slot.vtiled = b.GetBool("vtiled", true);
        slot.hspeed = static_cast<double>(b.GetInteger("hspeed", 0));
        slot.vspeed = static_cast<double>(b.GetInteger("vspeed", 0));
        slot.stretch = b.GetBool("stretch", false);
        b.Finish();
    }
    room.ApplyStretch(context.Resources().Backgrounds);

    std::vector<CManifestTable> views = table.GetTableArray("view");
    if (views.size() > CRoom::kSlots)
        table.Fail("view", "a room has at most 8 views");
    room.r_viewcount = static_cast<int32_t>(views.size());
    for (size_t k = 0; k < views.size(); ++k) {
        CManifestTable& v = views[k];
        CView& slot = room.r_view[k];
        slot.visible = v.GetBool("visible", true);
        std::vector<int32_t> area = GetQuad(v, "view", {0, 0, 640, 480}, "[x, y, width, height]");
        std::vector<int32_t> port = GetQuad(v, "port", {0, 0, area[2], area[3]}, "[x, y, width, height]");
        std::vector<int32_t> border = GetQuad(v, "border", {32, 32}, "[horizontal, vertical]");
        std::vector<int32_t> speed = GetQuad(v, "speed", {-1, -1}, "[horizontal, vertical] (-1: no limit)");
        slot.xview = area[0], slot.yview = area[1], slot.wview = area[2], slot.hview = area[3];
        slot.xport = port[0], slot.yport = port[1], slot.wport = port[2], slot.hport = port[3];
        slot.hborder = border[0], slot.vborder = border[1];
        slot.hspeed = speed[0], slot.vspeed = speed[1];
        slot.index = context.GetReference(v, "follow", EResourceKind::Object);
        v.Finish();
    }
}

} // namespace

void ReadRooms(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    CIdCounter instanceIds(kFirstInstanceId);
    CIdCounter tileIds(kFirstTileId);
    context.ReadEntries(context.Resources().Rooms, entries, [&](CManifestTable& table, const std::string&, int) {
        auto room = std::make_unique<CRoom>();
        room->r_caption = table.GetString("caption", std::string());
        room->r_width = static_cast<int32_t>(table.GetInteger("width", 640, 1));
        room->r_height = static_cast<int32_t>(table.GetInteger("height", 480, 1));
        room->r_speed = static_cast<int32_t>(table.GetInteger("speed", 30, 1));
        room->r_persistent = table.GetBool("persistent", false);
        room->r_color = table.GetColor("color", 0xC0C0C0);
        room->r_showcolor = table.GetBool("show_color", true);
        room->r_code = context.GetCode(table, "code");
        room->r_enableviews = table.GetBool("views_enabled", false);
        ReadSlots(context, table, *room);
        for (CManifestTable& i : table.GetTableArray("instance")) {
            RRoomInstance& instance = room->r_instance.emplace_back();
            if (!i.Has("object"))
                i.FailHere("an instance names its object, as object = \"obj_player\"");
            instance.index = context.GetReference(i, "object", EResourceKind::Object);
            instance.x = static_cast<int32_t>(i.GetInteger("x", 0));
            instance.y = static_cast<int32_t>(i.GetInteger("y", 0));
            instance.id = instanceIds.Take(i);
            instance.code = context.GetCode(i, "code");
            i.Finish();
        }
        for (CManifestTable& t : table.GetTableArray("tile")) {
            RTile& tile = room->r_tile.emplace_back();
            if (!t.Has("background"))
                t.FailHere("a tile names its background, as background = \"bg_tiles\"");
            tile.index = context.GetReference(t, "background", EResourceKind::Background);
            tile.x = static_cast<double>(t.GetInteger("x", 0));
            tile.y = static_cast<double>(t.GetInteger("y", 0));
            std::vector<int32_t> part = GetQuad(t, "part", {0, 0, 16, 16}, "[left, top, width, height]");
            tile.xo = part[0], tile.yo = part[1], tile.w = part[2], tile.h = part[3];
            tile.depth = static_cast<double>(t.GetInteger("depth", 1000000));
            tile.id = tileIds.Take(t);
            t.Finish();
        }
        table.Finish();
        return room;
    });
    context.Resources().LastInstanceId = instanceIds.Last();
    context.Resources().LastTileId = tileIds.Last();
}

void ReadRoomOrder(CReaderContext& context, CManifestTable& game)
{
    CGameResources& r = context.Resources();
    r.RoomOrder.clear();
    const toml::node* node = game.GetNode("room_order");
    if (!node) {
        for (int k = 0; k < r.Rooms.Count(); ++k)
            if (r.Rooms.Exists(k))
                r.RoomOrder.push_back(k);
        return;
    }
    const toml::array* names = node->as_array();
    if (!names || names->empty())
        game.Fail("room_order", "expected a list of room names, the first room first");
    for (const toml::node& item : *names) {
        if (!item.is_string())
            game.Fail("room_order", "expected a list of room names, the first room first");
        int32_t room = context.Find(EResourceKind::Room, item.as_string()->get());
        if (room < 0)
            game.Fail("room_order", "no room named \"" + item.as_string()->get() + "\"");
        r.RoomOrder.push_back(room);
    }
}
