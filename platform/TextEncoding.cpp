// Windows-1252 and UTF-8.
#include "platform/TextEncoding.h"

#include <cstdint>

namespace {

// The 0x80..0x9F row; the rest of the code page equals Latin-1.
const uint16_t kHighRow[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                               0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes one character at position; false for a malformed sequence
// (overlong forms and surrogates included). position moves past it.
bool DecodeUtf8(std::string_view text, size_t& position, uint32_t& code)
{
    unsigned char lead = static_cast<unsigned char>(text[position]);
    size_t length;
    uint32_t least;
    if (lead < 0x80) {
        code = lead;
        ++position;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, least = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, least = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, least = 0x10000, code = lead & 0x07;
    } else {
        return false;
    }
    if (position + length > text.size())
        return false;
    for (size_t k = 1; k < length; ++k) {
        unsigned char next = static_cast<unsigned char>(text[position + k]);
        if ((next & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    position += length;
    return true;
}

bool HasHighBytes(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

uint16_t Cp1252ToUnicode(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighRow[byte - 0x80] : byte;
}

char UnicodeToCp1252(uint32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code < 0x100))
        return static_cast<char>(code);
    for (int k = 0; k < 32; ++k)
        if (kHighRow[k] == code)
            return static_cast<char>(0x80 + k);
    return '?';
}

std::string Cp1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        unsigned char b = static_cast<unsigned char>(c);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighRow[b - 0x80] : b);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text, bool* exact)
{
    std::string out;
    out.reserve(text.size());
    bool all = true;
    size_t position = 0;
    while (position < text.size()) {
        uint32_t code;
        if (!DecodeUtf8(text, position, code)) {
            out += '?';
            all = false;
            ++position;
            continue;
        }
        if (code < 0x80 || (code >= 0xA0 && code < 0x100)) {
            out += static_cast<char>(code);
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32; ++k)
            if (kHighRow[k] == code)
                found = k;
        if (found < 0) {
            out += '?';
            all = false;
        } else {
            out += static_cast<char>(0x80 + found);
        }
    }
    if (exact)
        *exact = all;
    return out;
}

bool IsValidUtf8(std::string_view text)
{
    size_t position = 0;
    uint32_t code;
    while (position < text.size())
        if (!DecodeUtf8(text, position, code))
            return false;
    return true;
}

std::string GameTextToHost(std::string_view text)
{
    if (!HasHighBytes(text))
        return std::string(text);
    if (IsValidUtf8(text))
        return std::string(text);
    return Cp1252ToUtf8(text);
}

std::string HostTextToGame(std::string_view text)
{
    if (!HasHighBytes(text))
        return std::string(text);
    bool exact = false;
    std::string converted = Utf8ToCp1252(text, &exact);
    return exact ? converted : std::string(text);
}

unsigned char Cp1252FoldCase(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A; // s caron
    case 0x9C: return 0x8C; // oe
    case 0x9E: return 0x8E; // z caron
    case 0xFF: return 0x9F; // y diaeresis
    default: return c;
    }
}

bool EqualsIgnoringCaseCp1252(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (Cp1252FoldCase(static_cast<unsigned char>(a[k])) != Cp1252FoldCase(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

bool LessIgnoringCaseCp1252(std::string_view a, std::string_view b)
{
    size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t k = 0; k < common; ++k) {
        unsigned char x = Cp1252FoldCase(static_cast<unsigned char>(a[k]));
        unsigned char y = Cp1252FoldCase(static_cast<unsigned char>(b[k]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}
