// Reading and writing sound records.
#include "data/Sound.h"

#include "data/Stream.h"

bool CSound::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    s_kind = stream.ReadInteger();
    stream.ReadString(s_extension);
    stream.ReadString(s_origname);
    s_hasSound = stream.ReadBoolean();
    if (s_hasSound)
        s_sound = std::move(stream.ReadStream()->Bytes());
    s_effects = stream.ReadInteger();
    s_volume = stream.ReadReal();
    s_pan = stream.ReadReal();
    s_preload = stream.ReadBoolean();
    return true;
}

void CSound::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteInteger(s_kind);
    stream.WriteString(s_extension);
    stream.WriteString(s_origname);
    stream.WriteBoolean(s_hasSound);
    if (s_hasSound) {
        stream.WriteInteger(static_cast<int32_t>(s_sound.size()));
        stream.WriteBytes(s_sound.data(), s_sound.size());
    }
    stream.WriteInteger(s_effects);
    stream.WriteReal(s_volume);
    stream.WriteReal(s_pan);
    stream.WriteBoolean(s_preload);
}
