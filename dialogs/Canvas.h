// Drawing the runner's own windows (messages, menus, the highscore table,
// the information page, splash screens) on the CPU into a TBitmap32, which
// is then shown over the game window or in a window of its own. Colours are
// 0xAARRGGBB; everything is clipped to the picture and the current clip.
#pragma once

#include "data/Bitmap32.h"
#include "data/Font.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct RCanvasRect {
    int32_t x = 0, y = 0, w = 0, h = 0;
    bool Contains(int32_t px, int32_t py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    bool operator==(const RCanvasRect&) const = default;
};

// A game colour (0xBBGGRR) as an opaque canvas colour.
uint32_t Canvas_Color(int32_t gameColor);

// A typeface at a size and style, with its glyphs ready for drawing; made
// through the same glyph renderer as the game's fonts.
struct RDialogFontKey {
    std::string name = "Arial";
    int32_t size = 8; // points
    bool bold = false;
    bool italic = false;
    int32_t charset = 1;
    bool operator==(const RDialogFontKey&) const = default;
};

class CDialogFont {
public:
    explicit CDialogFont(const RDialogFontKey& key);
    const RDialogFontKey& Key() const { return f_key; }
    const CFont& Glyphs() const { return f_font; }
    int32_t Ascent() const { return f_ascent; }
    int32_t Height() const; // of a line
    int32_t Width(std::string_view text) const;

private:
    RDialogFontKey f_key;
    CFont f_font;
    int32_t f_ascent = 0;
};
// Fonts are made once per key and kept for the run.
const CDialogFont& Dialog_Font(const RDialogFontKey& key);

class CCanvas {
public:
    explicit CCanvas(TBitmap32& picture);

    TBitmap32& Picture() { return c_picture; }
    // Drawing stays inside rect (and the picture).
    void SetClip(const RCanvasRect& rect);
    void ResetClip();
    const RCanvasRect& Clip() const { return c_clip; }

    // Replaces the pixels, alpha included.
    void Fill(const RCanvasRect& rect, uint32_t argb);
    // Blends over what is there.
    void Blend(const RCanvasRect& rect, uint32_t argb);
    void Frame(const RCanvasRect& rect, uint32_t argb); // a one-pixel outline
    // The picture stretched over rect (nearest pixel), blended by its alpha
    // times opacity.
    void DrawPicture(const TBitmap32& picture, const RCanvasRect& rect, double opacity = 1.0);
    // One line of text with the top of the line at y; returns the pen's end.
    int32_t DrawText(const CDialogFont& font, int32_t x, int32_t y, std::string_view text, uint32_t argb);
    // Pixels of exactly this colour (alpha ignored) become transparent.
    void KeyOut(const RCanvasRect& rect, uint32_t rgb);

private:
    void BlendPixel(uint8_t* p, uint32_t argb, uint32_t coverage);
    RCanvasRect Cut(const RCanvasRect& rect) const;

    TBitmap32& c_picture;
    RCanvasRect c_clip;
};
