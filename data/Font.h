// CFont: a font resource as stored: the typeface it was made from, its
// character range, the glyph table and the glyph atlas (one coverage byte per
// pixel), or the sprite whose images are its glyphs. Text drawing and the
// building of atlases live in graphics/.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CStream;

class CFont {
public:
    static constexpr int32_t kVersion = 800;

    std::string s_name; // typeface
    int32_t s_size = 12; // points
    bool s_bold = false;
    bool s_italic = false;
    int32_t s_charset = 1;
    int32_t s_AntiAlias = 3; // kept, not used for drawing
    int32_t s_first = 32;
    int32_t s_last = 128;
    int32_t s_spr = -1; // a sprite font's sprite (not stored: such fonts are made while a game runs)
    // Per character code: the glyph's rectangle in the atlas, the advance of
    // the pen after it, and its horizontal offset from the pen.
    std::array<int32_t, 256> s_x{}, s_y{}, s_w{}, s_h{}, s_shift{}, s_offset{};
    int32_t s_bw = 0; // atlas width
    int32_t s_bh = 0; // atlas height
    std::vector<uint8_t> s_bytes; // s_bw × s_bh coverage values, rows from the top

    void Clear() { *this = CFont(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    // The stored first-character field, which also carries the character set
    // and the anti-aliasing level.
    int32_t PackedFirst() const;
    void UnpackFirst(int32_t packed);

    bool operator==(const CFont&) const = default;
};
