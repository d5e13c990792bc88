// Reading and writing font records.
#include "data/Font.h"

#include "data/Stream.h"

int32_t CFont::PackedFirst() const
{
    uint32_t packed = static_cast<uint32_t>(s_first) & 0xFFFF;
    packed |= (static_cast<uint32_t>(s_charset) & 0xFF) << 16;
    packed |= (static_cast<uint32_t>(s_AntiAlias + 1) & 0xFF) << 24;
    return static_cast<int32_t>(packed);
}

void CFont::UnpackFirst(int32_t packed)
{
    s_first = packed & 0xFFFF;
    if ((packed >> 16) & 0xFF)
        s_charset = (packed >> 16) & 0xFF;
    if (packed > 0xFFFFFF)
        s_AntiAlias = ((packed >> 24) & 0xFF) - 1;
}

bool CFont::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    stream.ReadString(s_name);
    s_size = stream.ReadInteger();
    s_bold = stream.ReadBoolean();
    s_italic = stream.ReadBoolean();
    UnpackFirst(stream.ReadInteger());
    s_last = stream.ReadInteger();
    // The glyph table is 256 groups of six integers; read it in one piece.
    int32_t table[256 * 6];
    stream.ReadBytes(table, sizeof table);
    for (size_t c = 0; c < 256; ++c) {
        s_x[c] = table[6 * c];
        s_y[c] = table[6 * c + 1];
        s_w[c] = table[6 * c + 2];
        s_h[c] = table[6 * c + 3];
        s_shift[c] = table[6 * c + 4];
        s_offset[c] = table[6 * c + 5];
    }
    s_bw = stream.ReadInteger();
    s_bh = stream.ReadInteger();
    int32_t count = stream.ReadInteger();
    uint64_t expected = s_bw > 0 && s_bh > 0 ? uint64_t(s_bw) * uint64_t(s_bh) : 0;
    if (s_bw < 0 || s_bh < 0 || count < 0 || uint64_t(count) != expected)
        return false;
    if (expected > stream.Size() - stream.Position())
        throw EStreamError("Stream read error");
    s_bytes.resize(expected);
    stream.ReadBytes(s_bytes.data(), s_bytes.size());
    return true;
}

void CFont::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteString(s_name);
    stream.WriteInteger(s_size);
    stream.WriteBoolean(s_bold);
    stream.WriteBoolean(s_italic);
    stream.WriteInteger(PackedFirst());
    stream.WriteInteger(s_last);
    int32_t table[256 * 6];
    for (size_t c = 0; c < 256; ++c) {
        table[6 * c] = s_x[c];
        table[6 * c + 1] = s_y[c];
        table[6 * c + 2] = s_w[c];
        table[6 * c + 3] = s_h[c];
        table[6 * c + 4] = s_shift[c];
        table[6 * c + 5] = s_offset[c];
    }
    stream.WriteBytes(table, sizeof table);
    stream.WriteInteger(s_bw);
    stream.WriteInteger(s_bh);
    stream.WriteInteger(static_cast<int32_t>(s_bytes.size()));
    stream.WriteBytes(s_bytes.data(), s_bytes.size());
}
