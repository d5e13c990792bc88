// Reading and writing trigger records.
#include "data/Trigger.h"

#include "data/Stream.h"

bool CTrigger::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    stream.ReadString(i_name);
    stream.ReadString(i_condition);
    i_moment = stream.ReadInteger();
    stream.ReadString(i_constname);
    return true;
}

void CTrigger::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteString(i_name);
    stream.WriteString(i_condition);
    stream.WriteInteger(i_moment);
    stream.WriteString(i_constname);
}
