// Reading and writing time line records.
#include "data/TimeLine.h"

#include "data/Stream.h"

bool CTimeLine::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    int32_t count = stream.ReadInteger();
    for (int32_t k = 0; k < count; ++k) {
        s_step.push_back(stream.ReadInteger());
        s_event.emplace_back();
        if (!s_event.back().LoadFromStream(stream))
            return false;
    }
    return true;
}

void CTimeLine::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteInteger(Count());
    for (size_t k = 0; k < s_step.size(); ++k) {
        stream.WriteInteger(s_step[k]);
        s_event[k].SaveToStream(stream);
    }
}
