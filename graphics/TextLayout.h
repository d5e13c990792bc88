// Measuring text in a font and breaking it into lines. "#" is a line break
// and "\#" a literal "#"; CR, LF and CR LF end lines too. With a width,
// lines wrap between words, a word keeping the space or hyphen after it.
#pragma once

#include "data/Font.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How far the pen moves after a character. A character outside the font's
// range advances like the space (or like the first character when the
// range has no space) and draws nothing.
int32_t Font_Advance(const CFont& font, uint8_t c);
bool Font_Covers(const CFont& font, uint8_t c);
// The sum of the advances.
int32_t Font_TextWidth(const CFont& font, std::string_view text);
// The height of a line of the font, whatever the text.
int32_t Font_TextHeight(const CFont& font);

struct RTextLine {
    uint32_t start = 0; // in CTextLines::l_text
    uint32_t length = 0;
    int32_t width = 0; // Font_TextWidth of the line
};

// The lines of a text; reused from call to call so that drawing the same
// text every step allocates nothing.
class CTextLines {
public:
    // Replaces the lines. width < 0: no wrapping.
    void Break(const CFont& font, std::string_view text, int64_t width);

    size_t Count() const { return l_lines.size(); }
    const RTextLine& Line(size_t k) const { return l_lines[k]; }
    std::string_view Text(size_t k) const
    {
        return std::string_view(l_text).substr(l_lines[k].start, l_lines[k].length);
    }
    // The widest line, 0 without lines.
    int32_t Widest() const;

private:
    std::string l_text; // the text with its line breaks as CR
    std::vector<RTextLine> l_lines;
};
