// Text measures and line breaking.
#include "graphics/TextLayout.h"

#include <algorithm>

namespace {

// Fonts from game data may carry any range; table lookups stay inside it.
int32_t TableEntry(const std::array<int32_t, 256>& table, int64_t c)
{
    return c >= 0 && c <= 255 ? table[static_cast<size_t>(c)] : 0;
}

// Where the word starting at pos ends: after the next space or hyphen, or
// at the end.
size_t WordEnd(std::string_view paragraph, size_t pos)
{
    size_t cut = paragraph.find_first_of(" -", pos);
    return cut == std::string_view::npos ? paragraph.size() : cut + 1;
}

} // namespace

bool Font_Covers(const CFont& font, uint8_t c)
{
    return c >= font.s_first && c <= font.s_last;
}

int32_t Font_Advance(const CFont& font, uint8_t c)
{
    if (Font_Covers(font, c))
        return font.s_shift[c];
    if (font.s_first <= 32 && font.s_last >= 32)
        return font.s_shift[32];
    return TableEntry(font.s_shift, font.s_first);
}

int32_t Font_TextWidth(const CFont& font, std::string_view text)
{
    int64_t width = 0;
    for (char c : text)
        width += Font_Advance(font, static_cast<uint8_t>(c));
    return static_cast<int32_t>(std::clamp<int64_t>(width, INT32_MIN, INT32_MAX));
}

int32_t Font_TextHeight(const CFont& font)
{
    return TableEntry(font.s_h, font.s_first);
}

void CTextLines::Break(const CFont& font, std::string_view text, int64_t width)
{
    l_lines.clear();
    l_text.clear();
    // "#" ends a line (as a CR) and "\#" is a "#"; LF ends a line unless it
    // follows a CR, so CR, LF and CR LF all end one line.
    bool afterBreak = false; // just after a CR or a "#", which an LF completes
    for (size_t k = 0; k < text.size(); ++k) {
        char c = text[k];
        if (c == '\\' && k + 1 < text.size() && text[k + 1] == '#') {
            l_text += '#';
            ++k;
            afterBreak = false;
        } else if (c == '#' || c == '\r') {
            l_text += '\r';
            afterBreak = true;
        } else if (c == '\n') {
            if (!afterBreak)
                l_text += '\r';
            afterBreak = false;
        } else {
            l_text += c;
            afterBreak = false;
        }
    }

    std::string_view all(l_text);
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\r', start);
        if (end == std::string_view::npos)
            end = all.size();
        std::string_view paragraph = all.substr(start, end - start);
        if (width < 0 || paragraph.empty()) {
            l_lines.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(paragraph.size()),
                               Font_TextWidth(font, paragraph)});
        } else {
            size_t pos = 0;
            while (pos < paragraph.size()) {
                const size_t lineStart = pos;
                pos = WordEnd(paragraph, pos);
                int64_t lineWidth = Font_TextWidth(font, paragraph.substr(lineStart, pos - lineStart));
                while (pos < paragraph.size() && lineWidth < width) {
                    const size_t next = WordEnd(paragraph, pos);
                    const int64_t wordWidth = Font_TextWidth(font, paragraph.substr(pos, next - pos));
                    if (lineWidth + wordWidth > width)
                        break;
                    lineWidth += wordWidth;
                    pos = next;
                }
                l_lines.push_back({static_cast<uint32_t>(start + lineStart), static_cast<uint32_t>(pos - lineStart),
                                   static_cast<int32_t>(std::clamp<int64_t>(lineWidth, INT32_MIN, INT32_MAX))});
            }
        }
        start = end + 1; // a final CR makes no empty line after it
    }
}

int32_t CTextLines::Widest() const
{
    int32_t widest = 0;
    for (const RTextLine& line : l_lines)
        widest = std::max(widest, line.width);
    return widest;
}
