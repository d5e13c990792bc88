// Glyph atlases from typefaces, and sprite fonts.
//
// An atlas holds each glyph's rectangle measured from the top of the line,
// so a glyph is drawn at the line's top without knowing the baseline. The
// rectangles are packed in rows, largest first, into the smallest atlas
// that halving a 2048 × 2048 one in turn down and across still fits.
#include "graphics/FontBuild.h"

#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/ImagePreparation.h"
#include "platform/GlyphRenderer.h"

#include <algorithm>

namespace {

constexpr int32_t kLargestAtlas = 2048;
constexpr int32_t kGap = 2; // pixels between glyphs and between rows
// Coverage kept from the first rendering; glyphs past it are rendered again
// when copied, so a huge size never holds every glyph's bitmap at once.
constexpr size_t kKeptCoverage = size_t(kLargestAtlas) * kLargestAtlas;

struct RGlyphPlace {
    int32_t code = 0;
    int32_t w = 0, h = 0;
    int32_t x = 0, y = 0;
};

// Lays the glyphs out in rows for an atlas width; the height it takes.
int32_t Layout(std::vector<RGlyphPlace>& order, int32_t width)
{
    int32_t x = 0, y = 0, row = 0;
    for (RGlyphPlace& g : order) {
        // A glyph wider than the atlas still gets a row of its own rather
        // than an endless run of empty ones.
        if (x + g.w >= width && x > 0) {
            y += row + kGap;
            x = 0;
            row = 0;
        }
        g.x = x;
        g.y = y;
        x += g.w + kGap;
        row = std::max(row, g.h);
    }
    return y + row;
}

void ClearTables(CFont& font)
{
    font.s_x.fill(0);
    font.s_y.fill(0);
    font.s_w.fill(0);
    font.s_h.fill(0);
    font.s_shift.fill(0);
    font.s_offset.fill(0);
    font.s_bw = font.s_bh = 0;
    font.s_bytes.clear();
}

// Coverage level 0..64 as an alpha byte.
uint8_t AlphaOf(uint8_t level)
{
    return level >= 64 ? 255 : static_cast<uint8_t>(level * 4);
}

void CopyGlyph(CFont& font, const RGlyphBitmap& glyph, int32_t left, int32_t top)
{
    for (int32_t y = 0; y < glyph.rows; ++y)
        for (int32_t x = 0; x < glyph.w; ++x) {
            const int32_t ax = left + x, ay = top + y;
            if (ax >= 0 && ay >= 0 && ax < font.s_bw && ay < font.s_bh)
                font.s_bytes[static_cast<size_t>(ay) * static_cast<size_t>(font.s_bw) + static_cast<size_t>(ax)] =
                    AlphaOf(glyph.levels[static_cast<size_t>(y) * static_cast<size_t>(glyph.w) + static_cast<size_t>(x)]);
        }
}

} // namespace

bool Font_BuildAtlas(CFont& font)
{
    font.s_first = std::max(font.s_first, 0);
    font.s_last = std::min(font.s_last, 255);
    ClearTables(font);
    CGlyphFace face;
    if (!face.Open(font.s_name, font.s_size, font.s_bold, font.s_italic, font.s_charset, font.s_AntiAlias != 0))
        return false;
    const RFaceMetrics& metrics = face.Metrics();

    std::vector<RGlyphBitmap> kept(256);
    std::vector<RGlyphPlace> order;
    size_t keptBytes = 0;
    int32_t spaceAdvance = 0;
    for (int32_t c = font.s_first; c <= font.s_last; ++c) {
        RGlyphBitmap glyph;
        const size_t k = static_cast<size_t>(c);
        if (face.Render(c, glyph)) {
            if (c == 32)
                spaceAdvance = glyph.advance != 0                           ? glyph.advance
                               : metrics.averageWidth < metrics.maxWidth ? metrics.averageWidth
                                                                           : metrics.maxWidth;
            if (glyph.w > 0) {
                font.s_w[k] = glyph.w;
                font.s_h[k] = std::max(0, metrics.ascent + glyph.rows - glyph.originY);
                font.s_shift[k] = glyph.advance - std::min(glyph.originX, 0);
                font.s_offset[k] = glyph.originX;
                keptBytes += glyph.levels.size();
                if (keptBytes <= kKeptCoverage)
                    kept[k] = std::move(glyph);
            }
        }
    }
    if (font.s_first <= 32 && font.s_last >= 32) {
        if (font.s_h[32] == 0)
            font.s_h[32] = metrics.height;
        if (font.s_w[32] == 0)
            font.s_w[32] = font.s_shift[32] = spaceAdvance;
    }

    // Biggest first; a glyph of exactly one pixel is left out.
    for (int32_t c = font.s_first; c <= font.s_last; ++c) {
        const size_t k = static_cast<size_t>(c);
        if (font.s_w[k] * font.s_h[k] != 1)
            order.push_back({c, font.s_w[k], font.s_h[k]});
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const RGlyphPlace& a, const RGlyphPlace& b) { return a.w * a.h > b.w * b.h; });

    int32_t width = kLargestAtlas, height = kLargestAtlas;
    for (bool halveHeight = true;; halveHeight = !halveHeight) {
        const int32_t w = halveHeight ? width : width / 2, h = halveHeight ? height / 2 : height;
        if (w < 1 || h < 1 || Layout(order, w) > h)
            break;
        width = w;
        height = h;
    }
    Layout(order, width);
    font.s_bw = width;
    font.s_bh = height;
    font.s_bytes.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    for (const RGlyphPlace& place : order) {
        const size_t k = static_cast<size_t>(place.code);
        font.s_x[k] = place.x;
        font.s_y[k] = place.y;
        RGlyphBitmap again;
        const RGlyphBitmap* glyph = &kept[k];
        if (glyph->levels.empty() && face.Render(place.code, again))
            glyph = &again; // not kept from the first pass
        if (!glyph->levels.empty())
            CopyGlyph(font, *glyph, place.x, place.y + metrics.ascent - glyph->originY);
    }
    return true;
}

bool Font_CreateFromTypeface(CFont& font, const std::string& name, int32_t size, bool bold, bool italic,
                             int32_t first, int32_t last)
{
    font.Clear();
    font.s_name = name;
    font.s_size = size;
    font.s_bold = bold;
    font.s_italic = italic;
    font.s_first = first;
    font.s_last = last;
    font.s_charset = 1;
    font.s_AntiAlias = 3;
    return Font_BuildAtlas(font);
}

bool Font_CreateFromSprite(CFont& font, int32_t sprite, int32_t first, bool proportional, int32_t separation)
{
    const CSprite* source = Sprites.Get(sprite);
    if (!source)
        return false;
    font.Clear();
    font.s_name.clear();
    font.s_spr = sprite;
    font.s_charset = 1;
    font.s_AntiAlias = 0;
    font.s_first = std::clamp(first, 0, 255);
    font.s_last = std::min<int64_t>(int64_t(font.s_first) + source->Count() - 1, 255);
    const int32_t height = source->Height();
    for (int32_t c = font.s_first; c <= font.s_last; ++c) {
        const TBitmap32& image = source->i_bitmap[static_cast<size_t>(c - font.s_first)];
        int32_t left = 0, top = 0, right = image.Width();
        if (proportional) {
            RImageBounds box = Image_BoundingBox(image, 0);
            // An image with nothing visible (the space, as a rule) keeps its
            // whole width rather than an advance that runs backwards.
            if (box.left <= box.right) {
                left = box.left;
                right = box.right;
                top = box.top;
            }
        }
        const size_t k = static_cast<size_t>(c);
        font.s_x[k] = left;
        font.s_y[k] = top;
        font.s_w[k] = right - left;
        font.s_h[k] = height;
        font.s_shift[k] = right - left + separation;
        font.s_offset[k] = -left;
    }
    return true;
}
