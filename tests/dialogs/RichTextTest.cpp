// Reading rich text and laying it out: the page's runs, paragraphs and
// characters, damaged text, and the plain text the builder wraps.
#include "dialogs/RichText.h"
#include "dialogs/RichTextLayout.h"
#include "tools/pack/ReaderContext.h"

#include <gtest/gtest.h>

namespace {

// The paragraphs as text, runs separated by "|".
std::string Shape(const RRichDocument& document)
{
    std::string out;
    for (const RRichParagraph& paragraph : document.paragraphs) {
        for (size_t k = 0; k < paragraph.runs.size(); ++k)
            out += (k ? "|" : "") + paragraph.runs[k].text;
        out += "\n";
    }
    return out;
}

TEST(RichText, RunsParagraphsAndCharacters)
{
    const RRichDocument d = RichText_Read(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Some Editor;}"
        "\\pard\\qc\\f1\\fs36 Title\\par\n"
        "\\pard\\li720\\fi-360\\f0\\fs20 a \\b bold\\b0  {\\i it}\\cf1 red\\cf0\\ul u\\ulnone .\\line next\\tab x\\par\n"
        "Caf\\'e9 \\u8364? \\{x\\}\\\\\\par}");
    ASSERT_EQ(d.paragraphs.size(), 3u);
    EXPECT_EQ(Shape(d), "Title\na |bold| |it|red|u|.\nnext\tx\nCaf\xE9 \x80 {x}\\\n");
    const RRichParagraph& title = d.paragraphs[0];
    EXPECT_EQ(title.align, ERichAlign::Center);
    EXPECT_EQ(title.runs[0].font, "Times New Roman");
    EXPECT_EQ(title.runs[0].halfPoints, 36);
    const RRichParagraph& body = d.paragraphs[1];
    EXPECT_EQ(body.align, ERichAlign::Left); // \pard starts afresh
    EXPECT_EQ(body.leftIndent, 720);
    EXPECT_EQ(body.firstIndent, -360);
    EXPECT_TRUE(body.runs[1].bold);
    EXPECT_FALSE(body.runs[2].bold);
    EXPECT_TRUE(body.runs[3].italic);
    EXPECT_FALSE(body.runs[4].italic); // the group's end took it back
    EXPECT_EQ(body.runs[4].color, 0x0000FF);
    EXPECT_TRUE(body.runs[5].underline);
    EXPECT_EQ(body.runs[5].color, 0);
}

TEST(RichText, DamagedAndPlainText)
{
    // Unbalanced groups, a control word cut off, deep nesting: read as far as it goes.
    EXPECT_EQ(Shape(RichText_Read("{\\rtf1 a}}} b\\")), "a b\n");
    EXPECT_EQ(Shape(RichText_Read("{\\rtf1 " + std::string(5000, '{') + "deep")), "deep\n");
    // A bad hex escape is dropped; a huge \u is no character (and, as any
    // \u, hides the one character after it).
    EXPECT_EQ(Shape(RichText_Read("{\\rtf1 \\'zz\\u99999999999 xy")), "zz?y\n");
    EXPECT_EQ(RichText_Read("").paragraphs.size(), 1u);
    // Text that is no rich text is plain: one paragraph a line.
    EXPECT_EQ(Shape(RichText_Read("one\r\ntwo\nthree")), "one\ntwo\nthree\n");

    // The builder wraps plain text (UTF-8) into a page of the game's code page.
    const std::string page = PlainTextToRichText("Caf\xC3\xA9 {1}\\\n\tnext");
    EXPECT_EQ(page.find_first_of("\xC3\xA9"), std::string::npos); // ASCII only
    EXPECT_EQ(Shape(RichText_Read(page)), "Caf\xE9 {1}\\\n\tnext\n");
}

TEST(RichText, LayoutWrapsAndAligns)
{
    RRichDocument d = RichText_Read("{\\rtf1\\fs24 " + std::string(60, 'w') + " word word word word word word word "
                                    "word word\\par\\qr right\\par\\qc\\par}");
    CRichLayout layout;
    layout.Build(d, 200);
    const std::vector<RRichLine>& lines = layout.Lines();
    ASSERT_GE(lines.size(), 5u);
    // The long word is cut at the edge; words wrap; nothing reaches past it.
    for (const RRichLine& line : lines)
        for (const RRichFragment& f : line.fragments)
            EXPECT_LE(f.x, 200 - CRichLayout::kMargin) << f.text;
    EXPECT_LT(lines[0].fragments[0].text.size(), 60u);
    // Lines follow each other; the right-aligned line ends at the margin.
    for (size_t k = 1; k < lines.size(); ++k)
        EXPECT_EQ(lines[k].top, lines[k - 1].top + lines[k - 1].height);
    const RRichLine& right = lines[lines.size() - 2];
    const RRichFragment& word = right.fragments.back();
    EXPECT_EQ(word.x + Dialog_Font(word.font).Width("right"), 200 - CRichLayout::kMargin);
    EXPECT_GT(lines.back().height, 0); // an empty paragraph still takes a line
}

} // namespace
