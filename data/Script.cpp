// Reading and writing script records.
#include "data/Script.h"

#include "data/Stream.h"

bool CScript::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    stream.ReadString(s_text);
    return true;
}

void CScript::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteString(s_text);
}
