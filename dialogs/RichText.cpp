// Reading rich text.
#include "dialogs/RichText.h"

#include "platform/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

// Nesting deeper than this is damaged text; the rest is read flat.
constexpr size_t kDeepestGroup = 200;

struct RCharState {
    int32_t font = 0;
    int32_t halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
    int32_t color = 0; // index into the colour table, 0 = automatic
    int32_t skipAfterUnicode = 1;
};

enum class EDestination { Text, FontTable, ColorTable, Skip };

struct RGroup {
    RCharState chars;
    EDestination destination = EDestination::Text;
};

struct RFontEntry {
    std::string name = "Arial";
    int32_t charset = 1;
};

class CReader {
public:
    explicit CReader(const std::string& text) : r_text(text) {}
    RRichDocument Read();

private:
    void ControlWord(const std::string& word, bool hasNumber, int32_t number);
    void Character(char c);
    void FontTableText(char c);
    void EndParagraph();
    RRichParagraph& Paragraph() { return r_document.paragraphs.back(); }
    RGroup& Top() { return r_groups.back(); }

    const std::string& r_text;
    size_t r_pos = 0;
    RRichDocument r_document;
    std::vector<RGroup> r_groups;
    RRichParagraph r_paragraphFormat; // \pard's settings for the paragraphs to come
    std::vector<RFontEntry> r_fonts;
    std::vector<int32_t> r_fontNumbers;
    std::vector<int32_t> r_colors; // entry 0 is "automatic" as a rule, read as black
    int32_t r_red = 0, r_green = 0, r_blue = 0;
    bool r_colorStarted = false;
    std::string r_fontName;
    int32_t r_fontNumber = 0, r_fontCharset = 1;
    int32_t r_skip = 0; // characters still to skip after a \u
};

bool SameLook(const RRichRun& a, const RRichRun& b)
{
    return a.font == b.font && a.charset == b.charset && a.halfPoints == b.halfPoints && a.bold == b.bold &&
           a.italic == b.italic && a.underline == b.underline && a.strike == b.strike && a.color == b.color;
}

const RFontEntry* FindFont(const std::vector<RFontEntry>& fonts, const std::vector<int32_t>& numbers, int32_t n)
{
    for (size_t k = 0; k < numbers.size(); ++k)
        if (numbers[k] == n)
            return &fonts[k];
    return nullptr;
}

void CReader::EndParagraph()
{
    RRichParagraph next = r_paragraphFormat;
    next.runs.clear();
    r_document.paragraphs.push_back(std::move(next));
}

void CReader::Character(char c)
{
    if (r_skip > 0) {
        --r_skip;
        return;
    }
    RGroup& group = Top();
    if (group.destination == EDestination::Skip)
        return;
    if (group.destination == EDestination::FontTable) {
        FontTableText(c);
        return;
    }
    if (group.destination == EDestination::ColorTable) {
        if (c == ';') {
            r_colors.push_back(r_colorStarted ? (r_blue << 16) | (r_green << 8) | r_red : 0);
            r_red = r_green = r_blue = 0;
            r_colorStarted = false;
        }
        return;
    }
    const RCharState& s = group.chars;
    const RFontEntry* font = FindFont(r_fonts, r_fontNumbers, s.font);
    const int32_t color =
        s.color >= 0 && static_cast<size_t>(s.color) < r_colors.size() ? r_colors[static_cast<size_t>(s.color)] : 0;
    std::vector<RRichRun>& runs = Paragraph().runs;
    RRichRun run;
    run.font = font ? font->name : "Arial";
    run.charset = font ? font->charset : 1;
    run.halfPoints = s.halfPoints;
    run.bold = s.bold;
    run.italic = s.italic;
    run.underline = s.underline;
    run.strike = s.strike;
    run.color = color;
    if (runs.empty() || !SameLook(run, runs.back()))
        runs.push_back(run);
    runs.back().text += c;
}

void CReader::FontTableText(char c)
{
    if (c == ';') {
        size_t start = r_fontName.find_first_not_of(' ');
        RFontEntry entry;
        if (start != std::string::npos)
            entry.name = r_fontName.substr(start);
        entry.charset = r_fontCharset;
        r_fonts.push_back(entry);
        r_fontNumbers.push_back(r_fontNumber);
        r_fontName.clear();
        r_fontCharset = 1;
    } else {
        r_fontName += c;
    }
}

void CReader::ControlWord(const std::string& word, bool hasNumber, int32_t n)
{
    RGroup& group = Top();
    RCharState& s = group.chars;
    const bool on = !hasNumber || n != 0;
    if (group.destination == EDestination::FontTable) {
        if (word == "f")
            r_fontNumber = n;
        else if (word == "fcharset")
            r_fontCharset = n == 0 ? 1 : n;
        return;
    }
    if (group.destination == EDestination::ColorTable) {
        r_colorStarted = true;
        if (word == "red")
            r_red = n & 0xFF;
        else if (word == "green")
            r_green = n & 0xFF;
        else if (word == "blue")
            r_blue = n & 0xFF;
        return;
    }
    if (word == "fonttbl") {
        group.destination = EDestination::FontTable;
    } else if (word == "colortbl") {
        group.destination = EDestination::ColorTable;
    } else if (word == "stylesheet" || word == "info" || word == "pict" || word == "object" || word == "header" ||
               word == "footer" || word == "headerl" || word == "headerr" || word == "footerl" ||
               word == "footerr" || word == "fldinst" || word == "listtable" || word == "listoverridetable" ||
               word == "rsidtbl" || word == "generator" || word == "xmlnstbl" || word == "themedata" ||
               word == "colorschememapping" || word == "latentstyles" || word == "datastore") {
        group.destination = EDestination::Skip;
    } else if (group.destination == EDestination::Skip) {
        return;
    } else if (word == "par") {
        EndParagraph();
    } else if (word == "line") {
        Character('\n');
    } else if (word == "tab") {
        Character('\t');
    } else if (word == "b") {
        s.bold = on;
    } else if (word == "i") {
        s.italic = on;
    } else if (word == "ul") {
        s.underline = on;
    } else if (word == "ulnone") {
        s.underline = false;
    } else if (word == "strike") {
        s.strike = on;
    } else if (word == "fs") {
        if (hasNumber && n > 0)
            s.halfPoints = std::min(n, 3200);
    } else if (word == "f") {
        s.font = n;
    } else if (word == "cf") {
        s.color = n;
    } else if (word == "plain") {
        const int32_t skip = s.skipAfterUnicode;
        s = RCharState();
        s.skipAfterUnicode = skip;
    } else if (word == "pard") {
        r_paragraphFormat = RRichParagraph();
        RRichParagraph& current = Paragraph();
        const auto runs = std::move(current.runs);
        current = r_paragraphFormat;
        current.runs = std::move(runs);
    } else if (word == "ql" || word == "qc" || word == "qr" || word == "qj") {
        const ERichAlign align = word == "qc"   ? ERichAlign::Center
                                 : word == "qr" ? ERichAlign::Right
                                 : word == "qj" ? ERichAlign::Justify
                                                : ERichAlign::Left;
        r_paragraphFormat.align = align;
        Paragraph().align = align;
    } else if (word == "li" || word == "ri" || word == "fi" || word == "sb" || word == "sa") {
        int32_t& format = word == "li"   ? r_paragraphFormat.leftIndent
                          : word == "ri" ? r_paragraphFormat.rightIndent
                          : word == "fi" ? r_paragraphFormat.firstIndent
                          : word == "sb" ? r_paragraphFormat.spaceBefore
                                         : r_paragraphFormat.spaceAfter;
        format = std::clamp(n, -31680, 31680);
        RRichParagraph& current = Paragraph();
        (word == "li"   ? current.leftIndent
         : word == "ri" ? current.rightIndent
         : word == "fi" ? current.firstIndent
         : word == "sb" ? current.spaceBefore
                        : current.spaceAfter) = format;
    } else if (word == "uc") {
        s.skipAfterUnicode = std::clamp(n, 0, 10);
    } else if (word == "u") {
        const uint32_t code = static_cast<uint32_t>(n < 0 ? n + 65536 : n);
        const char c = UnicodeToCp1252(code);
        Character(c ? c : '?');
        r_skip = s.skipAfterUnicode;
    } else if (word == "emdash" || word == "endash") {
        Character(word == "emdash" ? '\x97' : '\x96');
    } else if (word == "bullet") {
        Character('\x95');
    } else if (word == "lquote" || word == "rquote") {
        Character(word == "lquote" ? '\x91' : '\x92');
    } else if (word == "ldblquote" || word == "rdblquote") {
        Character(word == "ldblquote" ? '\x93' : '\x94');
    }
}

RRichDocument CReader::Read()
{
    r_groups.push_back(RGroup());
    r_document.paragraphs.push_back(RRichParagraph());
    const size_t size = r_text.size();
    while (r_pos < size) {
        const char c = r_text[r_pos++];
        if (c == '{') {
            if (r_groups.size() < kDeepestGroup)
                r_groups.push_back(Top());
            if (r_pos < size && r_text[r_pos] == '\\' && r_pos + 1 < size && r_text[r_pos + 1] == '*') {
                Top().destination = EDestination::Skip; // an ignorable destination
                r_pos += 2;
            }
        } else if (c == '}') {
            if (r_groups.size() > 1)
                r_groups.pop_back();
        } else if (c == '\\') {
            if (r_pos >= size)
                break;
            const char next = r_text[r_pos];
            if (std::isalpha(static_cast<unsigned char>(next))) {
                std::string word;
                while (r_pos < size && std::isalpha(static_cast<unsigned char>(r_text[r_pos])) && word.size() < 32)
                    word += r_text[r_pos++];
                bool hasNumber = false;
                int32_t number = 0;
                bool negative = false;
                if (r_pos < size && r_text[r_pos] == '-' && r_pos + 1 < size &&
                    std::isdigit(static_cast<unsigned char>(r_text[r_pos + 1]))) {
                    negative = true;
                    ++r_pos;
                }
                int digits = 0;
                while (r_pos < size && std::isdigit(static_cast<unsigned char>(r_text[r_pos]))) {
                    if (digits++ < 9)
                        number = number * 10 + (r_text[r_pos] - '0');
                    hasNumber = true;
                    ++r_pos;
                }
                if (negative)
                    number = -number;
                if (r_pos < size && r_text[r_pos] == ' ')
                    ++r_pos; // the delimiter belongs to the word
                ControlWord(word, hasNumber, number);
            } else if (next == '\'') {
                r_pos++;
                if (r_pos + 2 <= size && std::isxdigit(static_cast<unsigned char>(r_text[r_pos])) &&
                    std::isxdigit(static_cast<unsigned char>(r_text[r_pos + 1]))) {
                    Character(static_cast<char>(std::strtol(r_text.substr(r_pos, 2).c_str(), nullptr, 16)));
                    r_pos += 2;
                }
            } else {
                ++r_pos;
                if (next == '\\' || next == '{' || next == '}')
                    Character(next);
                else if (next == '~')
                    Character('\xA0');
                else if (next == '_')
                    Character('-');
                else if (next == '\r' || next == '\n')
                    EndParagraph();
            }
        } else if (c != '\r' && c != '\n') {
            Character(c);
        }
    }
    // The paragraph begun by the last \par holds nothing of its own.
    if (r_document.paragraphs.size() > 1 && r_document.paragraphs.back().runs.empty())
        r_document.paragraphs.pop_back();
    return std::move(r_document);
}

RRichDocument ReadPlain(const std::string& text)
{
    RRichDocument document;
    document.paragraphs.push_back(RRichParagraph());
    for (size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n')
                ++k;
            document.paragraphs.push_back(RRichParagraph());
            continue;
        }
        std::vector<RRichRun>& runs = document.paragraphs.back().runs;
        if (runs.empty())
            runs.push_back(RRichRun());
        runs.back().text += c;
    }
    return document;
}

} // namespace

bool RichText_IsRich(const std::string& text)
{
    size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string::npos && text.compare(start, 5, "{\\rtf") == 0;
}

RRichDocument RichText_Read(const std::string& text)
{
    if (!RichText_IsRich(text))
        return ReadPlain(text);
    CReader reader(text);
    return reader.Read();
}
