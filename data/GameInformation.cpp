// Reading and writing the game information section.
#include "data/GameInformation.h"

#include "data/Stream.h"

bool CGameInformation::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    std::unique_ptr<CStream> block = stream.ReadStreamC();
    CStream& s = *block;
    i_color = s.ReadInteger();
    i_ingamewindow = s.ReadBoolean();
    s.ReadString(i_caption);
    i_left = s.ReadInteger();
    i_top = s.ReadInteger();
    i_width = s.ReadInteger();
    i_height = s.ReadInteger();
    i_showborder = s.ReadBoolean();
    i_sizeable = s.ReadBoolean();
    i_stayontop = s.ReadBoolean();
    i_pausegame = s.ReadBoolean();
    std::unique_ptr<CStream> text = s.ReadStream();
    i_text.assign(text->Bytes().begin(), text->Bytes().end());
    return true;
}

void CGameInformation::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    CStream s;
    s.WriteInteger(i_color);
    s.WriteBoolean(i_ingamewindow);
    s.WriteString(i_caption);
    s.WriteInteger(i_left);
    s.WriteInteger(i_top);
    s.WriteInteger(i_width);
    s.WriteInteger(i_height);
    s.WriteBoolean(i_showborder);
    s.WriteBoolean(i_sizeable);
    s.WriteBoolean(i_stayontop);
    s.WriteBoolean(i_pausegame);
    s.WriteInteger(static_cast<int32_t>(i_text.size()));
    s.WriteBytes(i_text.data(), i_text.size());
    stream.WriteStreamC(s);
}
