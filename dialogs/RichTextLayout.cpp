// Laying out and painting rich text.
#include "dialogs/RichTextLayout.h"

#include <algorithm>

namespace {

constexpr int32_t kTabStop = 48; // pixels: half an inch
constexpr int32_t kTwipsPerPixel = 15;

// A piece that is not broken: a word with the blanks after it, a tab or a
// forced line break.
struct RPiece {
    std::string text;
    const RRichRun* run = nullptr;
    bool lineBreak = false;
    bool tab = false;
};

std::vector<RPiece> Pieces(const RRichParagraph& paragraph)
{
    std::vector<RPiece> pieces;
    for (const RRichRun& run : paragraph.runs) {
        std::string word;
        auto flush = [&] {
            if (!word.empty())
                pieces.push_back({word, &run});
            word.clear();
        };
        for (char c : run.text) {
            if (c == '\n' || c == '\t') {
                flush();
                pieces.push_back({"", &run, c == '\n', c == '\t'});
                continue;
            }
            if (c != ' ' && !word.empty() && word.back() == ' ')
                flush();
            word += c;
        }
        flush();
    }
    return pieces;
}

int32_t TrimmedWidth(const CDialogFont& font, const std::string& text)
{
    size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? 0 : font.Width(std::string_view(text).substr(0, end + 1));
}

} // namespace

RDialogFontKey RichText_FontOf(const RRichRun& run)
{
    RDialogFontKey key;
    key.name = run.font;
    key.charset = run.charset;
    key.size = std::max(1, (run.halfPoints + 1) / 2);
    key.bold = run.bold;
    key.italic = run.italic;
    return key;
}

void CRichLayout::Build(const RRichDocument& document, int32_t width)
{
    l_lines.clear();
    int32_t y = kMargin;
    const RRichRun plain;
    for (const RRichParagraph& paragraph : document.paragraphs) {
        y += paragraph.spaceBefore / kTwipsPerPixel;
        const int32_t left = kMargin + std::max(paragraph.leftIndent, 0) / kTwipsPerPixel;
        const int32_t right = std::max(width - kMargin - std::max(paragraph.rightIndent, 0) / kTwipsPerPixel, left + 1);
        const int32_t firstLeft = std::max(left + paragraph.firstIndent / kTwipsPerPixel, 0);
        std::vector<RPiece> pieces = Pieces(paragraph);

        RRichLine line;
        int32_t pen = firstLeft, lineLeft = firstLeft, ascent = 0, descent = 0;
        const RRichRun* lastRun = paragraph.runs.empty() ? &plain : &paragraph.runs.back();
        auto finish = [&](const RRichRun* heightRun) {
            if (line.fragments.empty()) {
                const CDialogFont& font = Dialog_Font(RichText_FontOf(*heightRun));
                ascent = std::max(ascent, font.Ascent());
                descent = std::max(descent, font.Height() - font.Ascent());
            }
            // Alignment moves the line by its free room, blanks at its end not counted.
            int32_t used = lineLeft;
            if (!line.fragments.empty()) {
                const RRichFragment& last = line.fragments.back();
                used = last.x + TrimmedWidth(Dialog_Font(last.font), last.text);
            }
            const int32_t room = right - used;
            const int32_t shift = paragraph.align == ERichAlign::Center  ? room / 2
                                  : paragraph.align == ERichAlign::Right ? room
                                                                         : 0;
            for (RRichFragment& f : line.fragments)
                f.x += std::max(shift, 0);
            line.top = y;
            line.baseline = ascent;
            line.height = ascent + descent;
            y += line.height;
            l_lines.push_back(std::move(line));
            line = RRichLine();
            pen = lineLeft = left;
            ascent = descent = 0;
        };
        auto place = [&](const std::string& text, const RRichRun& run, int32_t w) {
            const CDialogFont& font = Dialog_Font(RichText_FontOf(run));
            ascent = std::max(ascent, font.Ascent());
            descent = std::max(descent, font.Height() - font.Ascent());
            RRichFragment f{pen, text, RichText_FontOf(run), run.color, run.underline, run.strike};
            line.fragments.push_back(std::move(f));
            pen += w;
        };
        for (const RPiece& piece : pieces) {
            if (piece.lineBreak) {
                finish(piece.run);
                continue;
            }
            const CDialogFont& font = Dialog_Font(RichText_FontOf(*piece.run));
            if (piece.tab) {
                int32_t next = ((pen - left) / kTabStop + 1) * kTabStop + left;
                if (next > right && !line.fragments.empty()) {
                    finish(piece.run);
                    next = left + kTabStop;
                }
                pen = next;
                continue;
            }
            const int32_t w = font.Width(piece.text);
            if (pen + TrimmedWidth(font, piece.text) > right && pen > lineLeft)
                finish(piece.run);
            if (pen + TrimmedWidth(font, piece.text) <= right || pen > lineLeft) {
                place(piece.text, *piece.run, w);
                continue;
            }
            // A word wider than the line is cut where it reaches the edge.
            std::string part;
            for (char c : piece.text) {
                const std::string longer = part + c;
                if (!part.empty() && pen + font.Width(longer) > right) {
                    place(part, *piece.run, font.Width(part));
                    finish(piece.run);
                    part.clear();
                }
                part += c;
            }
            if (!part.empty())
                place(part, *piece.run, font.Width(part));
        }
        finish(lastRun);
        y += paragraph.spaceAfter / kTwipsPerPixel;
    }
    l_height = y + kMargin;
}

void CRichLayout::Paint(CCanvas& canvas, const RCanvasRect& area, int32_t scroll) const
{
    const RCanvasRect saved = canvas.Clip();
    canvas.SetClip(area);
    for (const RRichLine& line : l_lines) {
        const int32_t top = area.y + line.top - scroll;
        if (top + line.height < area.y || top > area.y + area.h)
            continue;
        for (const RRichFragment& f : line.fragments) {
            const CDialogFont& font = Dialog_Font(f.font);
            const uint32_t color = Canvas_Color(f.color);
            const int32_t x = area.x + f.x, y = top + line.baseline - font.Ascent();
            const int32_t end = canvas.DrawText(font, x, y, f.text, color);
            const int32_t thickness = std::max(1, font.Height() / 16);
            if (f.underline)
                canvas.Fill({x, top + line.baseline + 1, end - x, thickness}, color);
            if (f.strike)
                canvas.Fill({x, top + line.baseline - font.Ascent() / 3, end - x, thickness}, color);
        }
    }
    canvas.SetClip(saved);
}
