// Faces through fontconfig and FreeType; code pages through iconv.
#include "platform/GlyphRenderer.h"

#ifndef __EMSCRIPTEN__
#include <fontconfig/fontconfig.h>
#endif
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t kDotsPerInch = 96;
constexpr const char* kFallbackFamily = "DejaVu Sans";

// The code page of a character set number as the font system numbers them.
// Sets that need two bytes per character keep their single-byte part only.
const char* CodePageOf(int32_t charset)
{
    switch (charset) {
    case 128: return "CP932";   // Japanese
    case 129: return "CP949";   // Korean
    case 130: return "JOHAB";
    case 134: return "CP936";   // simplified Chinese
    case 136: return "CP950";   // traditional Chinese
    case 161: return "CP1253";  // Greek
    case 162: return "CP1254";  // Turkish
    case 163: return "CP1258";  // Vietnamese
    case 177: return "CP1255";  // Hebrew
    case 178: return "CP1256";  // Arabic
    case 186: return "CP1257";  // Baltic
    case 204: return "CP1251";  // Cyrillic
    case 222: return "CP874";   // Thai
    case 238: return "CP1250";  // Central European
    case 255: return "CP437";   // the OEM set
    default: return "CP1252";   // 0 (ANSI), 1 (default) and the rest
    }
}

// Unicode of every byte of a code page; 0 where the page has no character.
std::array<uint32_t, 256> CodePageTable(const char* codePage)
{
    std::array<uint32_t, 256> table{};
    iconv_t converter = iconv_open("UTF-32LE", codePage);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter modules ASCII and Latin-1 still hold.
        for (uint32_t c = 0; c < 256; ++c)
            table[c] = c < 0x80 || c >= 0xA0 ? c : 0;
        return table;
    }
    for (uint32_t c = 0; c < 256; ++c) {
        char in = static_cast<char>(c);
        char out[8] = {};
        char* inPointer = &in;
        char* outPointer = out;
        size_t inLeft = 1, outLeft = sizeof out;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<size_t>(-1) && outLeft == 4) {
            uint32_t code;
            std::memcpy(&code, out, 4);
            table[c] = code;
        }
    }
    iconv_close(converter);
    return table;
}

// The font file fontconfig picks for a family and style, and whether the
// style has to be made up because the family lacks it.
struct RFaceChoice {
    std::string path;
    int index = 0;
    bool embolden = false;
    bool slant = false;
};

#ifdef __EMSCRIPTEN__
bool ChooseFace(const std::string&, bool bold, bool italic, RFaceChoice& choice)
{
    FILE* file = std::fopen(kPageTypefaceFile, "rb");
    if (!file)
        return false;
    std::fclose(file);
    choice.path = kPageTypefaceFile;
    choice.embolden = bold;
    choice.slant = italic;
    return true;
}
#else
bool ChooseFace(const std::string& family, bool bold, bool italic, RFaceChoice& choice)
{
    static const bool initialized = FcInit();
    if (!initialized)
        return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    bool found = false;
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
            choice.path = reinterpret_cast<const char*>(file);
            found = true;
        }
        FcPatternGetInteger(match, FC_INDEX, 0, &choice.index);
        int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        // The platform's font system thickens and slants faces that lack
        // the style, so a bold font never comes out regular.
        choice.embolden = bold && weight < FC_WEIGHT_DEMIBOLD;
        choice.slant = italic && slant == FC_SLANT_ROMAN;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}
#endif

int32_t WholePixels(FT_Pos value26Dot6)
{
    return static_cast<int32_t>((value26Dot6 + 63) >> 6);
}

} // namespace

struct CGlyphFace::RImpl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string path;
    RFaceMetrics metrics;
    std::array<uint32_t, 256> unicode{};
    bool symbol = false; // the face maps codes into its private symbol area
    bool antialias = true;
    bool embolden = false;
    bool slant = false;

    ~RImpl()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

CGlyphFace::CGlyphFace() = default;
CGlyphFace::~CGlyphFace() = default;

bool CGlyphFace::Open(const std::string& name, int32_t points, bool bold, bool italic, int32_t charset,
                      bool antialias)
{
    g_impl = std::make_unique<RImpl>();
    RImpl& f = *g_impl;
    if (FT_Init_FreeType(&f.library)) {
        g_impl.reset();
        return false;
    }
    RFaceChoice choice;
    bool opened = ChooseFace(name, bold, italic, choice) &&
                  FT_New_Face(f.library, choice.path.c_str(), choice.index, &f.face) == 0;
    if (!opened) {
        choice = RFaceChoice();
        opened = ChooseFace(kFallbackFamily, bold, italic, choice) &&
                 FT_New_Face(f.library, choice.path.c_str(), choice.index, &f.face) == 0;
    }
    if (!opened) {
        g_impl.reset();
        return false;
    }
    f.path = choice.path;
    f.embolden = choice.embolden;
    f.slant = choice.slant;
    f.antialias = antialias;
    // Sizes beyond any screen are cut so that a glyph's bitmap stays small.
    const int64_t size = std::clamp<int64_t>(points, 1, 1000);
    FT_Set_Char_Size(f.face, 0, static_cast<FT_F26Dot6>(size * 64), kDotsPerInch, kDotsPerInch);

    const FT_Size_Metrics& m = f.face->size->metrics;
    f.metrics.ascent = WholePixels(m.ascender);
    f.metrics.height = WholePixels(m.ascender - m.descender);
    f.metrics.maxWidth = WholePixels(m.max_advance);
    f.metrics.averageWidth = f.metrics.maxWidth;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f.face, FT_SFNT_OS2)))
        f.metrics.averageWidth = static_cast<int32_t>((FT_MulFix(os2->xAvgCharWidth, m.x_scale) + 32) >> 6);

    f.symbol = charset == 2 && FT_Select_Charmap(f.face, FT_ENCODING_MS_SYMBOL) == 0;
    f.unicode = CodePageTable(CodePageOf(charset));
    return true;
}

bool CGlyphFace::IsOpen() const
{
    return g_impl != nullptr;
}

const std::string& CGlyphFace::FacePath() const
{
    static const std::string none;
    return g_impl ? g_impl->path : none;
}

const RFaceMetrics& CGlyphFace::Metrics() const
{
    static const RFaceMetrics none;
    return g_impl ? g_impl->metrics : none;
}

bool CGlyphFace::Render(int32_t code, RGlyphBitmap& glyph)
{
    glyph = RGlyphBitmap();
    if (!g_impl || code < 0 || code > 255)
        return false;
    RImpl& f = *g_impl;
    // Symbol faces keep their characters at 0xF000 plus the code.
    const uint32_t character = f.symbol ? 0xF000u + static_cast<uint32_t>(code) : f.unicode[static_cast<size_t>(code)];
    if (character == 0)
        return false;
    const FT_UInt index = FT_Get_Char_Index(f.face, character);
    const FT_Int32 flags = f.antialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (index == 0 || FT_Load_Glyph(f.face, index, flags))
        return false;
    FT_GlyphSlot slot = f.face->glyph;
    if (f.slant && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_GlyphSlot_Oblique(slot);
    if (f.embolden)
        FT_GlyphSlot_Embolden(slot);
    glyph.known = true;
    glyph.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    // An empty outline has no bitmap (the monochrome renderer would still
    // make a one-pixel one).
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && slot->outline.n_points == 0)
        return true;
    if (FT_Render_Glyph(slot, f.antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO))
        return true;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0)
        return true;
    glyph.w = static_cast<int32_t>(bitmap.width);
    glyph.rows = static_cast<int32_t>(bitmap.rows);
    glyph.originX = slot->bitmap_left;
    glyph.originY = slot->bitmap_top;
    glyph.levels.resize(static_cast<size_t>(glyph.w) * static_cast<size_t>(glyph.rows));
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    for (int32_t y = 0; y < glyph.rows; ++y) {
        const uint8_t* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int32_t x = 0; x < glyph.w; ++x) {
            int value = mono ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255 : row[x];
            glyph.levels[static_cast<size_t>(y) * static_cast<size_t>(glyph.w) + static_cast<size_t>(x)] =
                static_cast<uint8_t>((value * 64 + 127) / 255);
        }
    }
    return true;
}
