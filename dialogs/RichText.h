// A reader for the rich text of the game information page and of text
// splash screens: the part of the format that pages are written in, which
// is what the builder writes and more. Groups, font and colour tables,
// bold, italic, underline and strike-out, font, size and colour changes,
// paragraphs with their alignment, indents and spacing, line breaks, tabs,
// escaped and hexadecimal characters and Unicode characters are read;
// pictures, objects, fields and other destinations are skipped. Text that
// is not rich text at all is read as plain text, one paragraph a line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RRichRun {
    std::string text; // Windows-1252; '\n' is a line break, '\t' a tab
    std::string font = "Arial";
    int32_t charset = 1;
    int32_t halfPoints = 24; // the size, in half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int32_t color = 0; // 0xBBGGRR
    bool operator==(const RRichRun&) const = default;
};

enum class ERichAlign : int32_t { Left, Center, Right, Justify };

struct RRichParagraph {
    ERichAlign align = ERichAlign::Left;
    int32_t leftIndent = 0; // twips (1/1440 inch), as the format counts
    int32_t rightIndent = 0;
    int32_t firstIndent = 0; // of the first line, from the left indent
    int32_t spaceBefore = 0;
    int32_t spaceAfter = 0;
    std::vector<RRichRun> runs;
};

struct RRichDocument {
    std::vector<RRichParagraph> paragraphs;
};

// Never fails: damaged rich text gives what could be read.
RRichDocument RichText_Read(const std::string& text);
// Whether text starts as rich text does.
bool RichText_IsRich(const std::string& text);
