// Glyphs of the system's typefaces for building font atlases, at run time
// and in the builder alike. A face is found by name and style with
// fontconfig (falling back to DejaVu Sans when nothing matches) and rendered
// with FreeType at 96 dots per inch. Character codes are bytes of the code
// page that the font's character set number names; coverage comes in 65
// levels, 0..64, the form stored atlases have always had.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A browser page has no typefaces of its own: its page puts one face file
// here (the one the desktop finds for Arial), which then serves every name,
// made bold or slanted where asked.
constexpr const char* kPageTypefaceFile = "/typefaces/typeface.ttf";

// Whole pixels of the face at its size.
struct RFaceMetrics {
    int32_t ascent = 0;       // baseline below the top of the line
    int32_t height = 0;       // ascent plus descent: the text height
    int32_t averageWidth = 0; // of a character; the maximum when the face does not say
    int32_t maxWidth = 0;
};

struct RGlyphBitmap {
    bool known = false;  // the face has the character; advance is meaningful
    int32_t advance = 0; // cell advance in whole pixels
    int32_t w = 0;       // black box, in pixels; 0 when there is no bitmap
    int32_t rows = 0;
    int32_t originX = 0; // black box left of the pen (negative: to its left)
    int32_t originY = 0; // black box top above the baseline
    std::vector<uint8_t> levels; // w × rows coverage values 0..64, rows from the top
};

class CGlyphFace {
public:
    CGlyphFace();
    ~CGlyphFace();
    CGlyphFace(const CGlyphFace&) = delete;
    CGlyphFace& operator=(const CGlyphFace&) = delete;

    // points: the size in points (pixels = points × 96 / 72). charset: the
    // character set number (0 and 1 are Windows-1252). Without anti-aliasing
    // coverage is 0 or 64. False when no face at all can be loaded.
    bool Open(const std::string& name, int32_t points, bool bold, bool italic, int32_t charset, bool antialias);
    bool IsOpen() const;
    // The file the face came from (what fontconfig chose for the name).
    const std::string& FacePath() const;
    const RFaceMetrics& Metrics() const;
    // The glyph of a character code 0..255; false when the face has none.
    bool Render(int32_t code, RGlyphBitmap& glyph);

private:
    struct RImpl;
    std::unique_ptr<RImpl> g_impl;
};
