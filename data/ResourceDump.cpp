// Formatting of every list and table of CGameResources.
#include "data/ResourceDump.h"

#include "data/ActionLibrary.h"
#include "data/Background.h"
#include "data/EventNames.h"
#include "data/NumberText.h"
#include "data/Font.h"
#include "data/Object.h"
#include "data/Path.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "data/Script.h"
#include "data/Sound.h"
#include "data/Sprite.h"
#include "data/Stream.h"
#include "data/TimeLine.h"
#include "data/Trigger.h"

#include <charconv>
#include <cstdio>

namespace {

class CDump {
public:
    explicit CDump(const CGameResources& r) : d_r(r) {}
    std::string Run();

private:
    void Line(int indent, const std::string& text)
    {
        d_out.append(static_cast<size_t>(indent) * 2, ' ');
        d_out += text;
        d_out += '\n';
    }

    template <typename T>
    std::string Ref(const TResourceList<T>& list, int32_t index) const
    {
        if (list.Exists(index))
            return std::to_string(index) + " " + list.Name(index);
        return std::to_string(index);
    }

    void Events(int indent, const CEvent& event);
    void Sprites();
    void Objects();
    void Rooms();
    void Fonts();
    void Extensions();

    const CGameResources& d_r;
    std::string d_out;
};

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

// The shortest text that reads back as the same double.
std::string Real(double value)
{
    char text[kShortestRealSize];
    return std::string(text, NumberText_Shortest(value, text));
}

const char* Flag(bool value)
{
    return value ? "true" : "false";
}

std::string Hex(uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

// Size and checksum of a block of data, so a dump shows when any byte differs.
std::string Data(const void* data, size_t size)
{
    return std::to_string(size) + " bytes crc " + Hex(CalcCRC(data, static_cast<int64_t>(size)), 8);
}

std::string Box(const RBox& b)
{
    return "(" + std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.right) + "," +
           std::to_string(b.bottom) + ")";
}

std::string Size(int w, int h)
{
    return std::to_string(w) + "x" + std::to_string(h);
}

template <typename T>
std::string Header(const TResourceList<T>& list, int index)
{
    return "[" + std::to_string(index) + "] " + (list.Exists(index) ? Quote(list.Name(index)) : std::string("hole"));
}

void CDump::Events(int indent, const CEvent& event)
{
    for (const CAction& a : event.e_actions) {
        std::string who = a.act_who == kApplySelf    ? "self"
                          : a.act_who == kApplyOther ? "other"
                                                     : Ref(d_r.Objects, a.act_who);
        Line(indent, "action library " + std::to_string(a.act_libid) + " id " + std::to_string(a.act_id) + " kind " +
                         std::to_string(a.act_kind) + " execute " + std::to_string(a.act_exetype) + " function " +
                         Quote(a.act_functionname) + " applies to " + who + " relative " + Flag(a.act_relative) +
                         " not " + Flag(a.act_isnot));
        Line(indent + 1, std::string("offers relative ") + Flag(a.act_userelative) + " question " +
                             Flag(a.act_isquestion) + " offers applies to " + Flag(a.act_useapplyto) +
                             " arguments " + std::to_string(a.act_argumentcount));
        // A library action that the builder could have made from its name.
        const RLibraryAction* named = ActionLibrary_Find(a.act_libid, a.act_id);
        if (named && named->exetype == kExecuteFunction && named->function == a.act_functionname)
            Line(indent + 1, "named " + Quote(named->name));
        if (!a.act_codestring.empty())
            Line(indent + 1, "code " + Quote(a.act_codestring));
        int shown = std::max(a.act_argtypecount, a.act_argstringcount);
        for (int k = 0; k < shown; ++k) {
            std::string type = k < a.act_argtypecount ? std::to_string(a.act_argtype[static_cast<size_t>(k)]) : "-";
            std::string text = k < a.act_argstringcount ? Quote(a.act_argstring[static_cast<size_t>(k)]) : "-";
            Line(indent + 1, "argument " + std::to_string(k) + " type " + type + " " + text);
        }
    }
}

void CDump::Extensions()
{
    Line(0, "extension packages " + std::to_string(d_r.ExtensionPackages.size()));
    for (size_t p = 0; p < d_r.ExtensionPackages.size(); ++p) {
        const CExtensionPackage& package = d_r.ExtensionPackages[p];
        Line(1, "[" + std::to_string(p) + "] " + Quote(package.s_name) + " folder " + Quote(package.s_folder));
        for (const CExtensionFile& file : package.s_files) {
            std::string data = file.HasData() ? " data " + Data(file.s_data.data(), file.s_data.size()) : "";
            Line(2, "file " + Quote(file.s_filename) + " kind " + std::to_string(file.s_kind) + " init " +
                        Quote(file.s_init) + " final " + Quote(file.s_final) + data);
            for (const CExtensionFunction& f : file.s_functions) {
                std::string types;
                for (int32_t t : f.s_argtype)
                    types += std::to_string(t);
                Line(3, "function " + Quote(f.s_name) + " external " + Quote(f.s_extname) + " convention " +
                            std::to_string(f.s_kind) + " id " + std::to_string(f.s_id) + " arguments " +
                            std::to_string(f.s_argcount) + " types " + types + " returns " +
                            std::to_string(f.s_returntype));
            }
            for (const CExtensionConstant& c : file.s_constants)
                Line(3, "constant " + Quote(c.s_name) + " = " + Quote(c.s_value));
        }
    }
}

void CDump::Sprites()
{
    const auto& list = d_r.Sprites;
    Line(0, "sprites " + std::to_string(list.Count()));
    for (int k = 0; k < list.Count(); ++k) {
        const CSprite* s = list.Get(k);
        if (!s) {
            Line(1, Header(list, k));
            continue;
        }
        Line(1, Header(list, k) + " images " + std::to_string(s->Count()) + " size " + Size(s->Width(), s->Height()) +
                    " origin (" + std::to_string(s->i_xorig) + "," + std::to_string(s->i_yorig) + ") sepmasks " +
                    Flag(s->i_sepmasks) + " bbox " + Box(s->i_bbox));
        for (size_t i = 0; i < s->i_bitmap.size(); ++i) {
            const TBitmap32& b = s->i_bitmap[i];
            Line(2, "image " + std::to_string(i) + " " + Size(b.Width(), b.Height()) + " pixels " +
                        Data(b.Pixels(), static_cast<size_t>(b.Width()) * b.Height() * 4));
        }
        for (size_t m = 0; m < s->i_mask.size(); ++m) {
            const TMask& mask = s->i_mask[m];
            Line(2, "mask " + std::to_string(m) + " " + Size(mask.i_w, mask.i_h) + " bbox " + Box(mask.i_bbox) +
                        " cells " + std::to_string(mask.CountSet()) + " crc " +
                        Hex(CalcCRC(mask.i_mask.data(), static_cast<int64_t>(mask.i_mask.size())), 8));
        }
    }
}

void CDump::Fonts()
{
    const auto& list = d_r.Fonts;
    Line(0, "fonts " + std::to_string(list.Count()));
    for (int k = 0; k < list.Count(); ++k) {
        const CFont* f = list.Get(k);
        if (!f) {
            Line(1, Header(list, k));
            continue;
        }
        Line(1, Header(list, k) + " typeface " + Quote(f->s_name) + " size " + std::to_string(f->s_size) + " bold " +
                    Flag(f->s_bold) + " italic " + Flag(f->s_italic) + " charset " + std::to_string(f->s_charset) +
                    " antialias " + std::to_string(f->s_AntiAlias) + " range " + std::to_string(f->s_first) + ".." +
                    std::to_string(f->s_last));
        Line(2, "atlas " + Size(f->s_bw, f->s_bh) + " " + Data(f->s_bytes.data(), f->s_bytes.size()));
        for (size_t c = 0; c < 256; ++c) {
            if (!f->s_w[c] && !f->s_h[c] && !f->s_shift[c] && !f->s_offset[c] && !f->s_x[c] && !f->s_y[c])
                continue;
            Line(2, "glyph " + std::to_string(c) + " at (" + std::to_string(f->s_x[c]) + "," +
                        std::to_string(f->s_y[c]) + ") size " + Size(f->s_w[c], f->s_h[c]) + " shift " +
                        std::to_string(f->s_shift[c]) + " offset " + std::to_string(f->s_offset[c]));
        }
    }
}

void CDump::Objects()
{
    const auto& list = d_r.Objects;
    Line(0, "objects " + std::to_string(list.Count()));
    EventTargetName targetName = [this](int32_t etype, int32_t index) {
        return etype == kEventCollision ? d_r.Objects.Name(index) : d_r.Triggers.Name(index);
    };
    for (int k = 0; k < list.Count(); ++k) {
        const CObject* o = list.Get(k);
        if (!o) {
            Line(1, Header(list, k));
            continue;
        }
        Line(1, Header(list, k) + " sprite " + Ref(d_r.Sprites, o->o_spriteindex) + " mask " +
                    Ref(d_r.Sprites, o->o_mask) + " parent " + Ref(d_r.Objects, o->o_parent) + " depth " +
                    std::to_string(o->o_depth) + " solid " + Flag(o->o_solid) + " visible " + Flag(o->o_visible) +
                    " persistent " + Flag(o->o_persistent));
        for (int32_t etype = 0; etype < kEventTypeCount; ++etype)
            for (const auto& [enumb, event] : o->o_events[static_cast<size_t>(etype)]) {
                Line(2, "event " + FormatEventName(etype, enumb, targetName) + " (" + std::to_string(etype) + "," +
                            std::to_string(enumb) + ") actions " + std::to_string(event.Count()));
                Events(3, event);
            }
    }
}

void CDump::Rooms()
{
    const auto& list = d_r.Rooms;
    Line(0, "rooms " + std::to_string(list.Count()));
    for (int k = 0; k < list.Count(); ++k) {
        const CRoom* r = list.Get(k);
        if (!r) {
            Line(1, Header(list, k));
            continue;
        }
        Line(1, Header(list, k) + " caption " + Quote(r->r_caption) + " size " + Size(r->r_width, r->r_height) +
                    " speed " + std::to_string(r->r_speed) + " persistent " + Flag(r->r_persistent) + " color " +
                    Hex(static_cast<uint32_t>(r->r_color), 6) + " show color " + Flag(r->r_showcolor) +
                    " views enabled " + Flag(r->r_enableviews));
        if (!r->r_code.empty())
            Line(2, "code " + Quote(r->r_code));
        for (int b = 0; b < r->r_backgroundcount; ++b) {
            const CBack& s = r->r_background[static_cast<size_t>(b)];
            Line(2, "background " + std::to_string(b) + " " + Ref(d_r.Backgrounds, s.index) + " visible " +
                        Flag(s.visible) + " foreground " + Flag(s.foreground) + " at (" + Real(s.x) + "," + Real(s.y) +
                        ") tiled " + Flag(s.htiled) + "," + Flag(s.vtiled) + " speed (" + Real(s.hspeed) + "," +
                        Real(s.vspeed) + ") stretch " + Flag(s.stretch) + " scale (" + Real(s.xscale) + "," +
                        Real(s.yscale) + ")");
        }
        for (int v = 0; v < r->r_viewcount; ++v) {
            const CView& s = r->r_view[static_cast<size_t>(v)];
            Line(2, "view " + std::to_string(v) + " visible " + Flag(s.visible) + " view (" +
                        std::to_string(s.xview) + "," + std::to_string(s.yview) + "," + std::to_string(s.wview) + "," +
                        std::to_string(s.hview) + ") port (" + std::to_string(s.xport) + "," +
                        std::to_string(s.yport) + "," + std::to_string(s.wport) + "," + std::to_string(s.hport) +
                        ") border (" + std::to_string(s.hborder) + "," + std::to_string(s.vborder) + ") speed (" +
                        std::to_string(s.hspeed) + "," + std::to_string(s.vspeed) + ") follows " +
                        Ref(d_r.Objects, s.index));
        }
        for (const RRoomInstance& i : r->r_instance)
            Line(2, "instance " + std::to_string(i.id) + " " + Ref(d_r.Objects, i.index) + " at (" +
                        std::to_string(i.x) + "," + std::to_string(i.y) + ")" +
                        (i.code.empty() ? std::string() : " code " + Quote(i.code)));
        for (const RTile& t : r->r_tile)
            Line(2, "tile " + std::to_string(t.id) + " " + Ref(d_r.Backgrounds, t.index) + " at (" + Real(t.x) +
                        "," + Real(t.y) + ") part (" + std::to_string(t.xo) + "," + std::to_string(t.yo) + "," +
                        std::to_string(t.w) + "," + std::to_string(t.h) + ") depth " + Real(t.depth));
    }
    Line(0, "last instance id " + std::to_string(d_r.LastInstanceId) + " last tile id " +
                std::to_string(d_r.LastTileId));
}

std::string CDump::Run()
{
    Extensions();

    const auto& triggers = d_r.Triggers;
    Line(0, "triggers " + std::to_string(triggers.Count()));
    for (int k = 0; k < triggers.Count(); ++k) {
        const CTrigger* t = triggers.Get(k);
        Line(1, t ? "[" + std::to_string(k) + "] " + Quote(t->i_name) + " moment " + std::to_string(t->i_moment) +
                        " constant " + Quote(t->i_constname) + " condition " + Quote(t->i_condition)
                  : Header(triggers, k));
    }

    Line(0, "constants " + std::to_string(d_r.Constants.size()));
    for (const RConstant& c : d_r.Constants)
        Line(1, Quote(c.name) + " = " + Quote(c.value));

    const auto& sounds = d_r.Sounds;
    Line(0, "sounds " + std::to_string(sounds.Count()));
    for (int k = 0; k < sounds.Count(); ++k) {
        const CSound* s = sounds.Get(k);
        if (!s) {
            Line(1, Header(sounds, k));
            continue;
        }
        Line(1, Header(sounds, k) + " kind " + std::to_string(s->s_kind) + " extension " + Quote(s->s_extension) +
                    " file " + Quote(s->s_origname) + " effects " + std::to_string(s->s_effects) + " volume " +
                    Real(s->s_volume) + " pan " + Real(s->s_pan) + " preload " + Flag(s->s_preload));
        Line(2, s->s_hasSound ? "data " + Data(s->s_sound.data(), s->s_sound.size()) : std::string("no data"));
    }

    Sprites();

    const auto& backgrounds = d_r.Backgrounds;
    Line(0, "backgrounds " + std::to_string(backgrounds.Count()));
    for (int k = 0; k < backgrounds.Count(); ++k) {
        const CBackground* b = backgrounds.Get(k);
        Line(1, b ? Header(backgrounds, k) + " size " + Size(b->Width(), b->Height()) + " pixels " +
                        Data(b->i_bitmap.Pixels(), static_cast<size_t>(b->Width()) * b->Height() * 4)
                  : Header(backgrounds, k));
    }

    const auto& paths = d_r.Paths;
    Line(0, "paths " + std::to_string(paths.Count()));
    for (int k = 0; k < paths.Count(); ++k) {
        const CPath* p = paths.Get(k);
        if (!p) {
            Line(1, Header(paths, k));
            continue;
        }
        Line(1, Header(paths, k) + " kind " + std::to_string(p->i_kind) + " closed " + Flag(p->i_closed) +
                    " precision " + std::to_string(p->i_precision) + " points " + std::to_string(p->Count()) +
                    " length " + Real(p->i_length) + " interpolated " + std::to_string(p->i_intpoints.size()));
        for (const RWayPoint& w : p->i_points)
            Line(2, "point (" + Real(w.x) + "," + Real(w.y) + ") speed " + Real(w.speed));
    }

    const auto& scripts = d_r.Scripts;
    Line(0, "scripts " + std::to_string(scripts.Count()));
    for (int k = 0; k < scripts.Count(); ++k) {
        const CScript* s = scripts.Get(k);
        Line(1, s ? Header(scripts, k) + " code " + Quote(s->s_text) : Header(scripts, k));
    }

    Fonts();

    const auto& timelines = d_r.TimeLines;
    Line(0, "time lines " + std::to_string(timelines.Count()));
    for (int k = 0; k < timelines.Count(); ++k) {
        const CTimeLine* t = timelines.Get(k);
        if (!t) {
            Line(1, Header(timelines, k));
            continue;
        }
        Line(1, Header(timelines, k) + " moments " + std::to_string(t->Count()));
        for (size_t m = 0; m < t->s_step.size(); ++m) {
            Line(2, "moment " + std::to_string(t->s_step[m]) + " actions " + std::to_string(t->s_event[m].Count()));
            Events(3, t->s_event[m]);
        }
    }

    Objects();
    Rooms();

    Line(0, "included files " + std::to_string(d_r.DataFiles.size()));
    for (size_t k = 0; k < d_r.DataFiles.size(); ++k) {
        const CDataFile& f = d_r.DataFiles[k];
        Line(1, "[" + std::to_string(k) + "] " + Quote(f.s_filename) + " from " + Quote(f.s_origname) + " exists " +
                    Flag(f.s_exists) + " size " + std::to_string(f.s_size) + " stored " + Flag(f.s_store) +
                    (f.HasData() ? " data " + Data(f.s_data.data(), f.s_data.size()) : std::string()));
        Line(2, "export " + std::to_string(f.s_exportaction) + " folder " + Quote(f.s_exportdir) + " overwrite " +
                    Flag(f.s_overwrite) + " free data " + Flag(f.s_freedata) + " remove at end " +
                    Flag(f.s_removeend));
    }

    const CGameInformation& g = d_r.GameInformation;
    Line(0, "game information caption " + Quote(g.i_caption) + " color " + Hex(static_cast<uint32_t>(g.i_color), 6) +
                " in game window " + Flag(g.i_ingamewindow) + " at (" + std::to_string(g.i_left) + "," +
                std::to_string(g.i_top) + ") size " + Size(g.i_width, g.i_height));
    Line(1, std::string("border ") + Flag(g.i_showborder) + " sizeable " + Flag(g.i_sizeable) + " stay on top " +
                Flag(g.i_stayontop) + " pause game " + Flag(g.i_pausegame) + " text " +
                Data(g.i_text.data(), g.i_text.size()));

    Line(0, "library init code " + std::to_string(d_r.LibraryInitCode.size()));
    for (const std::string& code : d_r.LibraryInitCode)
        Line(1, Quote(code));

    std::string order;
    for (int32_t room : d_r.RoomOrder)
        order += " " + Ref(d_r.Rooms, room);
    Line(0, "room order" + order);
    return d_out;
}

} // namespace

std::string DumpResources(const CGameResources& resources)
{
    return CDump(resources).Run();
}
