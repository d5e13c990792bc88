// Reading and writing object records with their event lists.
#include "data/Object.h"

#include "data/Stream.h"

CEvent* CObject::CreateEvent(int32_t etype, int32_t enumb)
{
    if (etype < 0 || etype >= kEventTypeCount || enumb < 0)
        return nullptr;
    return &o_events[static_cast<size_t>(etype)][enumb];
}

const CEvent* CObject::GetEventDirect(int32_t etype, int32_t enumb) const
{
    if (etype < 0 || etype >= kEventTypeCount)
        return nullptr;
    const auto& events = o_events[static_cast<size_t>(etype)];
    auto found = events.find(enumb);
    return found == events.end() || found->second.Count() == 0 ? nullptr : &found->second;
}

bool CObject::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    o_spriteindex = stream.ReadInteger();
    o_solid = stream.ReadBoolean();
    o_visible = stream.ReadBoolean();
    o_depth = stream.ReadInteger();
    o_persistent = stream.ReadBoolean();
    o_parent = stream.ReadInteger();
    o_mask = stream.ReadInteger();
    int32_t lastType = stream.ReadInteger();
    // There are twelve event types; a higher one is damaged data.
    if (lastType >= kEventTypeCount)
        return false;
    for (int32_t etype = 0; etype <= lastType; ++etype) {
        for (;;) {
            int32_t enumb = stream.ReadInteger();
            if (enumb < 0)
                break;
            if (!CreateEvent(etype, enumb)->LoadFromStream(stream))
                return false;
        }
    }
    return true;
}

void CObject::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteInteger(o_spriteindex);
    stream.WriteBoolean(o_solid);
    stream.WriteBoolean(o_visible);
    stream.WriteInteger(o_depth);
    stream.WriteBoolean(o_persistent);
    stream.WriteInteger(o_parent);
    stream.WriteInteger(o_mask);
    int32_t lastType = -1;
    for (int32_t etype = 0; etype < kEventTypeCount; ++etype)
        if (!o_events[static_cast<size_t>(etype)].empty())
            lastType = etype;
    stream.WriteInteger(lastType);
    for (int32_t etype = 0; etype <= lastType; ++etype) {
        for (const auto& [enumb, event] : o_events[static_cast<size_t>(etype)]) {
            stream.WriteInteger(enumb);
            event.SaveToStream(stream);
        }
        stream.WriteInteger(-1);
    }
}
