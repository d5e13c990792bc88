// Rendering glyphs and packing them into one atlas. Pixel sizes follow the
// usual 96 dots per inch; coverage is quantized to 65 levels, the form the
// stored atlases have always had.
#include "tools/pack/FontBuilder.h"

#include <algorithm>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

namespace {

constexpr int kMaxAtlas = 2048;
constexpr int kGap = 2;

// Character codes 128..159 of the game's 8-bit text, as Unicode.
const uint16_t kWindows1252High[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                       0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

uint32_t ToUnicode(int code)
{
    return code >= 128 && code < 160 ? kWindows1252High[code - 128] : static_cast<uint32_t>(code);
}

struct RGlyph {
    int code = 0;
    int w = 0, h = 0;       // rectangle in the atlas, from the top of the line
    int originX = 0, originY = 0;
    std::vector<uint8_t> coverage; // bitmap rows, w wide
    int bitmapRows = 0;
};

std::string FindFace(const CFont& font, int& faceIndex)
{
    FcInit();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(font.s_name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, font.s_bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, font.s_italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string path;
    faceIndex = 0;
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            path = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return path;
}

// Lays the glyphs out in rows for an atlas width; returns the height used.
int Layout(const std::vector<RGlyph*>& order, int width, std::vector<std::pair<int, int>>* places)
{
    int x = 0, y = 0, row = 0;
    for (const RGlyph* g : order) {
        if (x + g->w >= width && x > 0) {
            y += row + kGap;
            x = 0;
            row = 0;
        }
        if (places)
            places->emplace_back(x, y);
        x += g->w + kGap;
        row = std::max(row, g->h);
    }
    return y + row;
}

} // namespace

bool BuildFontAtlas(CFont& font, std::string& error)
{
    int faceIndex = 0;
    std::string path = FindFace(font, faceIndex);
    FT_Library library;
    if (FT_Init_FreeType(&library)) {
        error = "cannot start FreeType";
        return false;
    }
    FT_Face face;
    if (path.empty() || FT_New_Face(library, path.c_str(), faceIndex, &face)) {
        error = "no typeface found for \"" + font.s_name + "\"";
        FT_Done_FreeType(library);
        return false;
    }
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(font.s_size) * 64, 96, 96);
    const FT_Size_Metrics& metrics = face->size->metrics;
    int ascent = static_cast<int>((metrics.ascender + 63) >> 6);
    int textHeight = static_cast<int>((metrics.ascender - metrics.descender + 63) >> 6);
    int maxWidth = static_cast<int>((metrics.max_advance + 63) >> 6);
    int averageWidth = maxWidth;
    if (const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)))
        averageWidth = static_cast<int>(FT_MulFix(os2->xAvgCharWidth, metrics.x_scale) + 32) >> 6;

    font.s_first = std::max(font.s_first, 0);
    font.s_last = std::min(font.s_last, 255);
    font.s_x.fill(0), font.s_y.fill(0), font.s_w.fill(0), font.s_h.fill(0);
    font.s_shift.fill(0), font.s_offset.fill(0);
    bool mono = font.s_AntiAlias == 0;
    FT_Int32 flags = mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;

    std::vector<RGlyph> glyphs;
    int spaceAdvance = 0;
    for (int c = font.s_first; c <= font.s_last; ++c) {
        RGlyph& g = glyphs.emplace_back();
        g.code = c;
        FT_UInt index = FT_Get_Char_Index(face, ToUnicode(c));
        if (index == 0 || FT_Load_Glyph(face, index, flags))
            continue;
        FT_GlyphSlot slot = face->glyph;
        int advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (c == 32)
            spaceAdvance = advance != 0 ? advance : averageWidth < maxWidth ? averageWidth : maxWidth;
        // An empty outline has no bitmap (the mono renderer would still
        // make a 1 × 1 one).
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE && slot->outline.n_points == 0)
            continue;
        if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL))
            continue;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.width == 0 || bitmap.rows == 0)
            continue; // no bitmap: the entry stays zero
        g.originX = slot->bitmap_left;
        g.originY = slot->bitmap_top;
        g.w = static_cast<int>(bitmap.width);
        g.bitmapRows = static_cast<int>(bitmap.rows);
        g.h = std::max(0, ascent + g.bitmapRows - g.originY);
        g.coverage.resize(static_cast<size_t>(g.w) * g.bitmapRows);
        for (int y = 0; y < g.bitmapRows; ++y)
            for (int x = 0; x < g.w; ++x) {
                const uint8_t* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
                int value = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255
                                                                    : row[x];
                int level = (value * 64 + 127) / 255;
                g.coverage[static_cast<size_t>(y) * g.w + x] = static_cast<uint8_t>(level >= 64 ? 255 : level * 4);
            }
        font.s_w[static_cast<size_t>(c)] = g.w;
        font.s_h[static_cast<size_t>(c)] = g.h;
        font.s_shift[static_cast<size_t>(c)] = advance - std::min(g.originX, 0);
        font.s_offset[static_cast<size_t>(c)] = g.originX;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    if (font.s_first <= 32 && font.s_last >= 32) {
        RGlyph& space = glyphs[static_cast<size_t>(32 - font.s_first)];
        if (font.s_h[32] == 0)
            font.s_h[32] = space.h = textHeight;
        if (font.s_w[32] == 0) {
            font.s_w[32] = font.s_shift[32] = space.w = spaceAdvance;
        }
    }

    // Biggest glyphs first; a glyph of exactly one pixel is not placed.
    std::vector<RGlyph*> order;
    for (RGlyph& g : glyphs)
        if (g.w * g.h != 1)
            order.push_back(&g);
    std::stable_sort(order.begin(), order.end(), [](const RGlyph* a, const RGlyph* b) { return a->w * a->h > b->w * b->h; });

    // The smallest size, halving height and width in turn, that still fits.
    int width = kMaxAtlas, height = kMaxAtlas;
    for (bool halveHeight = true;; halveHeight = !halveHeight) {
        int w = halveHeight ? width : width / 2, h = halveHeight ? height / 2 : height;
        if (w < 1 || h < 1 || Layout(order, w, nullptr) > h)
            break;
        width = w;
        height = h;
    }
    std::vector<std::pair<int, int>> places;
    Layout(order, width, &places);
    font.s_bw = width;
    font.s_bh = height;
    font.s_bytes.assign(static_cast<size_t>(width) * height, 0);
    for (size_t k = 0; k < order.size(); ++k) {
        const RGlyph& g = *order[k];
        auto [px, py] = places[k];
        font.s_x[static_cast<size_t>(g.code)] = px;
        font.s_y[static_cast<size_t>(g.code)] = py;
        int top = py + ascent - g.originY;
        for (int y = 0; y < g.bitmapRows; ++y)
            for (int x = 0; x < g.w; ++x) {
                int ax = px + x, ay = top + y;
                if (ax >= 0 && ay >= 0 && ax < width && ay < height)
                    font.s_bytes[static_cast<size_t>(ay) * width + ax] = g.coverage[static_cast<size_t>(y) * g.w + x];
            }
    }
    return true;
}
