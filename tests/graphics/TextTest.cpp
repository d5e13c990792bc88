// Text: line breaking and wrapping, measures, where glyphs land with each
// alignment and transform, gradients, batching, and fonts made from
// typefaces and sprites. A made-up font with round advances keeps the
// numbers readable; the default font is the real one.
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/FontBuild.h"
#include "graphics/ResourceTextures.h"
#include "graphics/Text.h"
#include "graphics/TextLayout.h"
#include "tests/graphics/GraphicsFixture.h"

#include <cmath>

namespace {

// Every character 10 wide, "i" 4, the space 5; glyphs 8 × 16 one pixel
// right of the pen; lines 16 high.
std::unique_ptr<CFont> MadeUpFont(int32_t first = 32, int32_t last = 127)
{
    auto font = std::make_unique<CFont>();
    font->s_name = "Made Up";
    font->s_first = first;
    font->s_last = last;
    font->s_bw = 128;
    font->s_bh = 256;
    font->s_bytes.assign(128 * 256, 255);
    for (int32_t c = first; c <= last; ++c) {
        const size_t k = static_cast<size_t>(c);
        font->s_x[k] = ((c - first) % 10) * 10;
        font->s_y[k] = ((c - first) / 10) * 18;
        font->s_w[k] = 8;
        font->s_h[k] = 16;
        font->s_offset[k] = 1;
        font->s_shift[k] = 10;
    }
    if (first <= 'i' && last >= 'i')
        font->s_shift['i'] = 4;
    if (first <= 32 && last >= 32)
        font->s_shift[32] = 5;
    return font;
}

std::vector<std::string> LinesOf(const CFont& font, std::string_view text, int64_t width)
{
    CTextLines lines;
    lines.Break(font, text, width);
    std::vector<std::string> out;
    for (size_t k = 0; k < lines.Count(); ++k)
        out.emplace_back(lines.Text(k));
    return out;
}

} // namespace

TEST(TextLayout, LineBreaksAndWrapping)
{
    const auto font = MadeUpFont();
    using Lines = std::vector<std::string>;
    struct Case {
        const char* text;
        int64_t width;
        Lines lines;
    } cases[] = {
        {"a#b", -1, {"a", "b"}},
        {"a\\#b", -1, {"a#b"}},
        {"\\\\#", -1, {"\\#"}},
        {"a\r\nb", -1, {"a", "b"}},
        {"a\nb", -1, {"a", "b"}},
        {"a\r\rb", -1, {"a", "", "b"}},
        {"a#\nb", -1, {"a", "b"}}, // the LF completes the break "#" made
        {"a\n\nb", -1, {"a", "", "b"}},
        {"a\r\n\nb", -1, {"a", "", "b"}},
        {"", -1, {}},
        {"a\r", -1, {"a"}},
        {"#", -1, {""}},
        {"##", -1, {"", ""}},
        // "aaaa " is 45 wide and "bbbb" 40: together past 50.
        {"aaaa bbbb", 50, {"aaaa ", "bbbb"}},
        {"aaaa bbbb", 85, {"aaaa bbbb"}},
        {"aaaaaaaaaa", 50, {"aaaaaaaaaa"}}, // a word is never split
        {"ab-cd ef", 30, {"ab-", "cd ", "ef"}},
        {"a  b", 10, {"a ", " ", "b"}},
        {"x#yy zz", 25, {"x", "yy ", "zz"}},
        {"aaa bb", 0, {"aaa ", "bb"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinesOf(*font, c.text, c.width), c.lines) << '"' << c.text << "\" width " << c.width;
}

TEST(TextLayout, AdvancesOutsideTheRange)
{
    auto withSpace = MadeUpFont(32, 100);
    EXPECT_EQ(Font_Advance(*withSpace, 'z'), 5); // past the last: the space's advance
    EXPECT_FALSE(Font_Covers(*withSpace, 'z'));
    EXPECT_EQ(Font_TextWidth(*withSpace, "Az\xff"), 10 + 5 + 5);
    auto noSpace = MadeUpFont(65, 90);
    noSpace->s_shift[65] = 7;
    EXPECT_EQ(Font_Advance(*noSpace, ' '), 7); // the first character's
    EXPECT_EQ(Font_TextHeight(*noSpace), 16);
    // Ranges from damaged game data never read outside the tables.
    noSpace->s_first = 70000;
    noSpace->s_last = -5;
    EXPECT_EQ(Font_Advance(*noSpace, 'A'), 0);
    EXPECT_EQ(Font_TextHeight(*noSpace), 0);
}

class TextTest : public GraphicsFixture {
protected:
    void SetUp() override
    {
        GraphicsFixture::SetUp();
        ClearResources();
        Text_ResetState();
        Fonts.Add(MadeUpFont(), "fnt_test");
        Font_BuildTexture(0);
        Call("draw_set_font", {RValue(0.0)});
        g_device->TakeSentVertices();
    }
    void TearDown() override
    {
        Text_ResetState();
        GraphicsFixture::TearDown();
        ClearResources();
    }

    // The top-left corner of each glyph drawn, as the pixel it starts at.
    std::vector<std::pair<float, float>> GlyphCorners()
    {
        std::vector<RVertex> v = g_device->TakeSentVertices();
        std::vector<std::pair<float, float>> corners;
        for (size_t k = 0; k + 3 < v.size(); k += 4)
            corners.emplace_back(v[k].x + 0.5f, v[k].y + 0.5f);
        return corners;
    }
};

TEST_F(TextTest, Measures)
{
    struct Case {
        const char* function;
        std::vector<RValue> args;
        double expected;
    } cases[] = {
        {"string_width", {RValue("")}, 1},
        {"string_height", {RValue("")}, 1},
        {"string_width", {RValue("ab#iii")}, 20},
        {"string_height", {RValue("ab#iii")}, 32},
        {"string_height_ext", {RValue("a#b#c"), RValue(20.0), RValue(-1.0)}, 16 + 40},
        {"string_height_ext", {RValue("a#b#c"), RValue(-1.0), RValue(-1.0)}, 48},
        {"string_width_ext", {RValue("aaaa bbbb"), RValue(-1.0), RValue(50.0)}, 45},
        {"string_height_ext", {RValue("aaaa bbbb"), RValue(10.0), RValue(50.0)}, 26},
        {"string_width", {RValue(12.0)}, 1}, // only draw_text writes reals out
    };
    for (const Case& c : cases) {
        std::vector<RValue> args = c.args;
        int32_t number = -1;
        ASSERT_TRUE(Function_Find(c.function, number));
        RValue result;
        CExecutionContext context(nullptr, nullptr);
        Function_Get(number)->f_routine(context, result, static_cast<int>(args.size()), args.data());
        EXPECT_EQ(result.val, c.expected) << c.function << " " << args[0].str.Text();
    }
}

TEST_F(TextTest, PositionsMoveAThousandthFromZeroThenDown)
{
    struct Case {
        double x;
        float drawnAt; // the glyph's pen: one less than its corner
    } cases[] = {{9.9995, 10}, {9.998, 9}, {-1, -2}, {-0.5, -1}, {0, 0}, {3.7, 3}};
    for (const Case& c : cases) {
        Call("draw_text", {RValue(c.x), RValue(0.0), RValue("a")});
        auto corners = GlyphCorners();
        ASSERT_EQ(corners.size(), 1u) << c.x;
        EXPECT_FLOAT_EQ(corners[0].first - 1, c.drawnAt) << c.x;
    }
}

TEST_F(TextTest, AlignmentMovesLinesByTheirOwnWidth)
{
    // Two lines, 20 and 4 wide, sep 30.
    struct Case {
        double halign, valign;
        float x0, y0, x1, y1; // pens of the first glyph of each line
    } cases[] = {
        {0, 0, 100, 50, 100, 80},
        {1, 0, 90, 50, 98, 80}, // 5 div 2 = 2
        {2, 0, 80, 50, 96, 80},
        {0, 1, 100, 20, 100, 50},
        {0, 2, 100, -10, 100, 20},
        {7, 9, 100, 50, 100, 80}, // anything else is left, top
    };
    for (const Case& c : cases) {
        Call("draw_set_halign", {RValue(c.halign)});
        Call("draw_set_valign", {RValue(c.valign)});
        Call("draw_text_ext", {RValue(100.0), RValue(50.0), RValue("ab#i"), RValue(30.0), RValue(-1.0)});
        auto corners = GlyphCorners();
        ASSERT_EQ(corners.size(), 3u);
        EXPECT_FLOAT_EQ(corners[0].first - 1, c.x0) << c.halign << "," << c.valign;
        EXPECT_FLOAT_EQ(corners[0].second, c.y0) << c.halign << "," << c.valign;
        EXPECT_FLOAT_EQ(corners[2].first - 1, c.x1) << c.halign << "," << c.valign;
        EXPECT_FLOAT_EQ(corners[2].second, c.y1) << c.halign << "," << c.valign;
    }
    EXPECT_EQ(TextState.halign, kAlignLeft);
    EXPECT_EQ(TextState.valign, kAlignTop);
}

TEST_F(TextTest, GlyphsComeFromTheAtlasAndSkipWhatTheFontLacks)
{
    Call("draw_text", {RValue(0.0), RValue(0.0), RValue("b\x80!")}); // 128 is past the range
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 8u);
    const RTexturePicture* atlas = Font_Picture(0);
    ASSERT_TRUE(atlas);
    // "b" is character 98: column 6, row 6 of the made-up atlas.
    EXPECT_FLOAT_EQ(v[0].u, float(atlas->left + 60) / atlas->textureW);
    EXPECT_FLOAT_EQ(v[0].v, float(atlas->top + 108) / atlas->textureH);
    EXPECT_FLOAT_EQ(v[2].u, float(atlas->left + 68) / atlas->textureW);
    EXPECT_FLOAT_EQ(v[2].y, 16 - 0.5f);
    EXPECT_FLOAT_EQ(v[4].x, 10 + 5 + 1 - 0.5f); // "!" after "b" and the space's advance
    // The draw colour and alpha.
    Call("draw_set_color", {RValue(255.0)});
    Call("draw_set_alpha", {RValue(0.5)});
    Call("draw_text", {RValue(0.0), RValue(0.0), RValue("a")});
    EXPECT_EQ(g_device->TakeSentVertices()[0].color, 0x80FF0000u);
}

TEST_F(TextTest, RealsAreWrittenOut)
{
    struct Case {
        double value;
        size_t glyphs;
    } cases[] = {{3, 1}, {-12, 3}, {2.5, 4}, {1.0 / 3, 4}};
    for (const Case& c : cases) {
        Call("draw_text", {RValue(0.0), RValue(0.0), RValue(c.value)});
        EXPECT_EQ(g_device->TakeSentVertices().size(), 4 * c.glyphs) << c.value;
    }
}

TEST_F(TextTest, ALineIsOneBatch)
{
    RDeviceStats before = g_device->Stats();
    Call("draw_text", {RValue(0.0), RValue(0.0), RValue(std::string(200, 'x'))});
    g_device->Flush();
    EXPECT_EQ(g_device->Stats().drawCalls - before.drawCalls, 1);
    EXPECT_EQ(g_device->Stats().vertices - before.vertices, 800);
}

TEST_F(TextTest, GradientsRunAcrossEachLine)
{
    // "ab" is 20 wide: "a" covers 0..10, "b" 10..20.
    Call("draw_text_color", {RValue(0.0), RValue(0.0), RValue("ab"), RValue(255.0), RValue(16711680.0),
                             RValue(65280.0), RValue(0.0), RValue(1.0)});
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 8u);
    EXPECT_EQ(v[0].color, 0xFFFF0000u); // top-left: c1, red
    EXPECT_EQ(v[1].color, 0xFF800080u); // halfway to blue (127.5 rounds to even)
    EXPECT_EQ(v[5].color, 0xFF0000FFu); // top-right of the line: c2
    EXPECT_EQ(v[6].color, 0xFF00FF00u); // bottom-right: c3, green
    EXPECT_EQ(v[3].color, 0xFF000000u); // bottom-left: c4, black
    EXPECT_EQ(v[2].color, 0xFF008000u);
    // A line that takes no room at all keeps the left colours.
    Fonts.Get(0)->s_shift['a'] = 0;
    Call("draw_text_color", {RValue(0.0), RValue(0.0), RValue("a"), RValue(255.0), RValue(16711680.0),
                             RValue(65280.0), RValue(0.0), RValue(0.5)});
    v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[1].color, 0x80FF0000u);
}

TEST_F(TextTest, TransformedTextTurnsWithItsLines)
{
    // A quarter turn: the pen goes up the screen, lines step to the right.
    Call("draw_text_ext_transformed",
         {RValue(100.0), RValue(100.0), RValue("ab#c"), RValue(20.0), RValue(-1.0), RValue(2.0), RValue(1.0),
          RValue(90.0)});
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 12u);
    // "a" at the pen plus its offset along the turned baseline (2 × 1 up);
    // corners are shifted half a pixel before turning.
    EXPECT_NEAR(v[0].x, 100 - 0.5, 1e-4);
    EXPECT_NEAR(v[0].y, 100 - 2 + 0.5, 1e-4);
    EXPECT_NEAR(v[4].y, 100 - 20 - 2 + 0.5, 1e-4); // "b": 10 × 2 further up
    EXPECT_NEAR(v[8].x, 100 + 20 - 0.5, 1e-4);     // "c": the next line, 20 to the right
    // Centred: half the scaled width back along the baseline, rounded.
    Call("draw_set_halign", {RValue(1.0)});
    Call("draw_text_transformed", {RValue(0.0), RValue(0.0), RValue("aaa"), RValue(1.5), RValue(1.0), RValue(0.0)});
    v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 12u);
    EXPECT_NEAR(v[0].x, -22 + 1.5 - 0.5, 1e-4); // round(1.5 × 30 / 2) = 22
    EXPECT_NEAR(v[2].x - v[0].x, 12, 1e-4);      // glyphs scaled 1.5 across
}

TEST_F(TextTest, AMissingFontMeansTheDefaultFont)
{
    EXPECT_EQ(Real("string_width", {RValue("iii")}), 12);
    Call("draw_set_font", {RValue(5.0)});
    EXPECT_EQ(TextState.font, -1);
    const CFont& font = Text_DefaultFont();
    EXPECT_EQ(font.s_name, "Arial");
    EXPECT_EQ(font.s_first, 32);
    EXPECT_EQ(font.s_last, 127);
    // A proportional face: "W" is wider than "i", and lines are about 18
    // pixels high at 12 points (16 pixels).
    EXPECT_GT(Real("string_width", {RValue("W")}), Real("string_width", {RValue("i")}));
    EXPECT_GE(Real("string_height", {RValue("x")}), 16);
    EXPECT_LE(Real("string_height", {RValue("x")}), 20);
    Call("draw_text", {RValue(0.0), RValue(0.0), RValue("Hi")});
    EXPECT_EQ(g_device->TakeSentVertices().size(), 8u);
    // A font deleted after it was chosen falls back the same way.
    const double defaultWidth = Real("string_width", {RValue("iii")});
    Call("draw_set_font", {RValue(0.0)});
    EXPECT_EQ(Real("string_width", {RValue("iii")}), 12);
    Fonts.Delete(0);
    EXPECT_EQ(Real("string_width", {RValue("iii")}), defaultWidth);
}

TEST_F(TextTest, FontsFromTypefaces)
{
    CFont font;
    ASSERT_TRUE(Font_CreateFromTypeface(font, "DejaVu Sans", 10, true, false, -20, 300));
    EXPECT_EQ(font.s_first, 0); // the range is cut to the characters there are
    EXPECT_EQ(font.s_last, 255);
    EXPECT_EQ(font.s_charset, 1);
    EXPECT_EQ(font.s_AntiAlias, 3);
    EXPECT_EQ(font.s_w[32], font.s_shift[32]); // the space takes its advance
    EXPECT_GT(font.s_shift[0xE9], 0);          // é of the code page
    EXPECT_GT(font.s_shift[0x80], 0);          // and the euro sign
    // Coverage becomes alpha in steps of 4, full coverage 255.
    bool full = false, odd = false;
    for (uint8_t a : font.s_bytes) {
        full = full || a == 255;
        odd = odd || (a != 255 && a % 4 != 0);
    }
    EXPECT_TRUE(full);
    EXPECT_FALSE(odd);

    // The character set picks the code page: 204 is Cyrillic, where 0xC0 is А.
    CFont cyrillic;
    cyrillic.s_name = "DejaVu Sans";
    cyrillic.s_charset = 204;
    cyrillic.s_first = 0xC0;
    cyrillic.s_last = 0xC0;
    ASSERT_TRUE(Font_BuildAtlas(cyrillic));
    CFont latin = cyrillic;
    latin.s_charset = 0;
    ASSERT_TRUE(Font_BuildAtlas(latin));
    EXPECT_NE(cyrillic.s_bytes, latin.s_bytes); // À and А differ

    // Sizes past any screen are cut rather than rendered.
    CFont huge;
    ASSERT_TRUE(Font_CreateFromTypeface(huge, "DejaVu Sans", 1000000, false, false, 65, 66));
    EXPECT_LE(huge.s_bw, 2048);
    EXPECT_LE(huge.s_bh, 2048);
}

TEST_F(TextTest, SpriteFonts)
{
    // Three images, 6 × 5: a bar in columns 2..3, a blank image, a full one.
    auto sprite = std::make_unique<CSprite>();
    for (int k = 0; k < 3; ++k) {
        TBitmap32 image(6, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x)
                if ((k == 0 && (x == 2 || x == 3)) || k == 2)
                    image.SetPixel(x, y, 0xFFFFFFFF);
        sprite->i_bitmap.push_back(image);
    }
    sprite->i_xorig = 1;
    Sprites.Add(std::move(sprite), "spr_glyphs");
    Sprite_BuildTextures(0);

    CFont font;
    EXPECT_FALSE(Font_CreateFromSprite(font, 7, 65, true, 1));
    ASSERT_TRUE(Font_CreateFromSprite(font, 0, 254, true, 1));
    EXPECT_EQ(font.s_last, 255); // cut at the last character
    ASSERT_TRUE(Font_CreateFromSprite(font, 0, 65, true, 1));
    EXPECT_EQ(font.s_first, 65);
    EXPECT_EQ(font.s_last, 67);
    EXPECT_EQ(font.s_shift['A'], 3 - 2 + 1); // right - left + sep
    EXPECT_EQ(font.s_offset['A'], -2);
    EXPECT_EQ(font.s_shift['B'], 6 + 1);     // nothing visible: the whole image
    EXPECT_EQ(font.s_h['A'], 5);
    ASSERT_TRUE(Font_CreateFromSprite(font, 0, 65, false, 0));
    EXPECT_EQ(font.s_shift['A'], 6);
    EXPECT_EQ(font.s_offset['A'], 0);

    // Drawn from the sprite's images with its origin.
    Font_CreateFromSprite(font, 0, 65, true, 1);
    Fonts.Add(std::make_unique<CFont>(font), "fnt_sprite");
    Call("draw_set_font", {RValue(1.0)});
    EXPECT_EQ(Real("string_width", {RValue("AC")}), 2 + 6);
    Call("draw_text", {RValue(10.0), RValue(0.0), RValue("AC")});
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 8u);
    EXPECT_FLOAT_EQ(v[0].x, 10 - 2 - 1 - 0.5f); // pen + offset - origin
    EXPECT_FLOAT_EQ(v[4].x, 12 + 0 - 1 - 0.5f);
    EXPECT_FLOAT_EQ(v[0].u * Sprite_Picture(0, 0)->textureW, Sprite_Picture(0, 0)->left);
}
