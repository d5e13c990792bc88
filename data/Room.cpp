// Reading and writing room records.
#include "data/Room.h"

#include "data/Background.h"
#include "data/Resources.h"
#include "data/Stream.h"

bool CRoom::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    stream.ReadString(r_caption);
    r_width = stream.ReadInteger();
    r_height = stream.ReadInteger();
    r_speed = stream.ReadInteger();
    r_persistent = stream.ReadBoolean();
    r_color = stream.ReadInteger();
    r_showcolor = stream.ReadBoolean();
    stream.ReadString(r_code);

    // A room has eight slots of each kind; more would be damaged data.
    r_backgroundcount = stream.ReadInteger();
    if (r_backgroundcount < 0 || r_backgroundcount > kSlots)
        return false;
    for (int k = 0; k < r_backgroundcount; ++k) {
        CBack& b = r_background[static_cast<size_t>(k)];
        b.visible = stream.ReadBoolean();
        b.foreground = stream.ReadBoolean();
        b.index = stream.ReadInteger();
        b.x = stream.ReadInteger();
        b.y = stream.ReadInteger();
        b.htiled = stream.ReadBoolean();
        b.vtiled = stream.ReadBoolean();
        b.hspeed = stream.ReadInteger();
        b.vspeed = stream.ReadInteger();
        b.stretch = stream.ReadBoolean();
    }
    ApplyStretch(Backgrounds);

    r_enableviews = stream.ReadBoolean();
    r_viewcount = stream.ReadInteger();
    if (r_viewcount < 0 || r_viewcount > kSlots)
        return false;
    for (int k = 0; k < r_viewcount; ++k) {
        CView& v = r_view[static_cast<size_t>(k)];
        v.visible = stream.ReadBoolean();
        v.xview = stream.ReadInteger();
        v.yview = stream.ReadInteger();
        v.wview = stream.ReadInteger();
        v.hview = stream.ReadInteger();
        v.xport = stream.ReadInteger();
        v.yport = stream.ReadInteger();
        v.wport = stream.ReadInteger();
        v.hport = stream.ReadInteger();
        v.hborder = stream.ReadInteger();
        v.vborder = stream.ReadInteger();
        v.hspeed = stream.ReadInteger();
        v.vspeed = stream.ReadInteger();
        v.index = stream.ReadInteger();
    }

    // Lists grow as entries are read, so a damaged count reserves nothing.
    int32_t instances = stream.ReadInteger();
    for (int32_t k = 0; k < instances; ++k) {
        RRoomInstance& i = r_instance.emplace_back();
        i.x = stream.ReadInteger();
        i.y = stream.ReadInteger();
        i.index = stream.ReadInteger();
        i.id = stream.ReadInteger();
        stream.ReadString(i.code);
    }
    int32_t tiles = stream.ReadInteger();
    for (int32_t k = 0; k < tiles; ++k) {
        RTile& t = r_tile.emplace_back();
        t.x = stream.ReadInteger();
        t.y = stream.ReadInteger();
        t.index = stream.ReadInteger();
        t.xo = stream.ReadInteger();
        t.yo = stream.ReadInteger();
        t.w = stream.ReadInteger();
        t.h = stream.ReadInteger();
        t.depth = stream.ReadInteger();
        t.id = stream.ReadInteger();
    }
    return true;
}

void CRoom::ApplyStretch(const TResourceList<CBackground>& backgrounds)
{
    for (CBack& b : r_background) {
        b.xscale = b.yscale = 1;
        const CBackground* background = backgrounds.Get(b.index);
        if (!b.stretch || !background)
            continue;
        if (background->Width() > 0)
            b.xscale = static_cast<double>(r_width) / background->Width();
        if (background->Height() > 0)
            b.yscale = static_cast<double>(r_height) / background->Height();
    }
}

void CRoom::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteString(r_caption);
    stream.WriteInteger(r_width);
    stream.WriteInteger(r_height);
    stream.WriteInteger(r_speed);
    stream.WriteBoolean(r_persistent);
    stream.WriteInteger(r_color);
    stream.WriteBoolean(r_showcolor);
    stream.WriteString(r_code);
    stream.WriteInteger(r_backgroundcount);
    for (int k = 0; k < r_backgroundcount; ++k) {
        const CBack& b = r_background[static_cast<size_t>(k)];
        stream.WriteBoolean(b.visible);
        stream.WriteBoolean(b.foreground);
        stream.WriteInteger(b.index);
        stream.WriteInteger(static_cast<int32_t>(b.x));
        stream.WriteInteger(static_cast<int32_t>(b.y));
        stream.WriteBoolean(b.htiled);
        stream.WriteBoolean(b.vtiled);
        stream.WriteInteger(static_cast<int32_t>(b.hspeed));
        stream.WriteInteger(static_cast<int32_t>(b.vspeed));
        stream.WriteBoolean(b.stretch);
    }
    stream.WriteBoolean(r_enableviews);
    stream.WriteInteger(r_viewcount);
    for (int k = 0; k < r_viewcount; ++k) {
        const CView& v = r_view[static_cast<size_t>(k)];
        stream.WriteBoolean(v.visible);
        for (int32_t value : {v.xview, v.yview, v.wview, v.hview, v.xport, v.yport, v.wport, v.hport, v.hborder,
                              v.vborder, v.hspeed, v.vspeed, v.index})
            stream.WriteInteger(value);
    }
    stream.WriteInteger(static_cast<int32_t>(r_instance.size()));
    for (const RRoomInstance& i : r_instance) {
        for (int32_t value : {i.x, i.y, i.index, i.id})
            stream.WriteInteger(value);
        stream.WriteString(i.code);
    }
    stream.WriteInteger(static_cast<int32_t>(r_tile.size()));
    for (const RTile& t : r_tile)
        for (int32_t value : {static_cast<int32_t>(t.x), static_cast<int32_t>(t.y), t.index, t.xo, t.yo, t.w, t.h,
                              static_cast<int32_t>(t.depth), t.id})
            stream.WriteInteger(value);
}

bool CRoom::operator==(const CRoom& o) const
{
    return r_caption == o.r_caption && r_width == o.r_width && r_height == o.r_height && r_speed == o.r_speed &&
           r_persistent == o.r_persistent && r_color == o.r_color && r_showcolor == o.r_showcolor &&
           r_code == o.r_code && r_backgroundcount == o.r_backgroundcount && r_background == o.r_background &&
           r_enableviews == o.r_enableviews && r_viewcount == o.r_viewcount && r_view == o.r_view &&
           r_instance == o.r_instance && r_tile == o.r_tile;
}
