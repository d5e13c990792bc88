// UTF-8 to Windows-1252.
#include "platform/Cp1252.h"

#include <cstdint>

namespace {

// The characters that Windows-1252 puts at 0x80..0x9F (0 where it has none).
const uint16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToCp1252(uint32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (int k = 0; k < 32; ++k)
        if (kHigh[k] != 0 && kHigh[k] == code)
            return static_cast<char>(0x80 + k);
    return '?';
}

} // namespace

std::string Platform_Utf8ToCp1252(const std::string& text)
{
    std::string out;
    size_t k = 0;
    while (k < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[k]);
        int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0) {
            ++k;
            continue;
        }
        uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        bool whole = k + static_cast<size_t>(extra) < text.size();
        for (int n = 1; whole && n <= extra; ++n) {
            unsigned char next = static_cast<unsigned char>(text[k + static_cast<size_t>(n)]);
            if ((next & 0xC0) != 0x80)
                whole = false;
            else
                code = (code << 6) | (next & 0x3F);
        }
        if (!whole) {
            ++k;
            continue;
        }
        out += ToCp1252(code);
        k += static_cast<size_t>(extra) + 1;
    }
    return out;
}

uint16_t Platform_Cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0 && kHigh[byte - 0x80] != 0)
        return kHigh[byte - 0x80];
    return byte;
}

char Platform_UnicodeToCp1252(uint32_t code)
{
    if (code >= 0x80 && code < 0xA0 && kHigh[code - 0x80] == 0)
        return static_cast<char>(code);
    return ToCp1252(code);
}
