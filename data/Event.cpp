// Reading and writing event records.
#include "data/Event.h"

#include "data/Stream.h"

bool CEvent::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    int32_t count = stream.ReadInteger();
    // The list grows as actions are read, so a damaged count cannot reserve
    // memory for actions that are not there.
    for (int32_t k = 0; k < count; ++k) {
        e_actions.emplace_back();
        if (!e_actions.back().LoadFromStream(stream))
            return false;
    }
    return true;
}

void CEvent::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteInteger(Count());
    for (const CAction& action : e_actions)
        action.SaveToStream(stream);
}
