// Reading and writing background records.
#include "data/Background.h"

#include "data/Stream.h"

bool CBackground::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    return i_bitmap.LoadFromStream(stream);
}

void CBackground::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    i_bitmap.SaveToStream(stream);
}
