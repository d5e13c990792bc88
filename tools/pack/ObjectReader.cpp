// [[object]] entries with their [[object.event]] lists, and [[timeline]]
// entries with their [[timeline.moment]] lists.
#include "data/EventNames.h"
#include "data/Object.h"
#include "data/TimeLine.h"
#include "tools/pack/ActionReader.h"

void ReadObjects(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    auto& list = context.Resources().Objects;
    EventTargetLookup lookup = [&context](int32_t etype, const std::string& name) {
        return context.Find(etype == kEventCollision ? EResourceKind::Object : EResourceKind::Trigger, name);
    };
    context.ReadEntries(list, entries, [&](CManifestTable& table, const std::string&, int index) {
        auto object = std::make_unique<CObject>();
        object->o_spriteindex = context.GetReference(table, "sprite", EResourceKind::Sprite);
        object->o_mask = context.GetReference(table, "mask", EResourceKind::Sprite);
        object->o_parent = context.GetReference(table, "parent", EResourceKind::Object);
        if (object->o_parent == static_cast<int32_t>(index))
            table.Fail("parent", "an object cannot be its own parent");
        object->o_depth = static_cast<int32_t>(table.GetInteger("depth", 0));
        object->o_solid = table.GetBool("solid", false);
        object->o_visible = table.GetBool("visible", true);
        object->o_persistent = table.GetBool("persistent", false);
        for (CManifestTable& eventTable : table.GetTableArray("event")) {
            std::string text = eventTable.GetString("on", std::string());
            if (text.empty())
                eventTable.FailHere("an event says which it is with on = \"...\", as on = \"create\"");
            int32_t etype = 0, enumb = 0;
            std::string error;
            if (!ParseEventName(text, lookup, etype, enumb, error))
                eventTable.Fail("on", error);
            if (object->o_events[static_cast<size_t>(etype)].count(enumb))
                eventTable.Fail("on", "the event \"" + text + "\" is listed twice");
            ReadActionList(context, eventTable, *object->CreateEvent(etype, enumb));
            eventTable.Finish();
        }
        table.Finish();
        return object;
    });
    // A parent chain that comes back to where it started would make every
    // event lookup loop.
    for (int start = 0; start < list.Count(); ++start) {
        int steps = 0;
        for (int at = start; list.Exists(at); at = list.Get(at)->o_parent)
            if (++steps > list.Count())
                entries[static_cast<size_t>(start)].Fail("parent", "the parents of this object form a cycle");
    }
}

void ReadTimeLines(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    context.ReadEntries(context.Resources().TimeLines, entries, [&](CManifestTable& table, const std::string&, int) {
        auto timeline = std::make_unique<CTimeLine>();
        for (CManifestTable& moment : table.GetTableArray("moment")) {
            if (!moment.Has("step"))
                moment.FailHere("a moment needs its step, as step = 10");
            int32_t step = static_cast<int32_t>(moment.GetInteger("step", 0, 0));
            // Moments are kept sorted by step, each step once.
            if (!timeline->s_step.empty() && step <= timeline->s_step.back())
                moment.Fail("step", "moments are listed by rising step, each step once");
            timeline->s_step.push_back(step);
            ReadActionList(context, moment, timeline->s_event.emplace_back());
            moment.Finish();
        }
        table.Finish();
        return timeline;
    });
}
