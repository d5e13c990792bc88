// CPU drawing for the runner's own windows.
#include "dialogs/Canvas.h"

#include "graphics/FontBuild.h"
#include "graphics/TextLayout.h"
#include "platform/GlyphRenderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

uint32_t Canvas_Color(int32_t gameColor)
{
    const uint32_t c = static_cast<uint32_t>(gameColor);
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

CDialogFont::CDialogFont(const RDialogFontKey& key) : f_key(key)
{
    f_font.s_name = key.name;
    f_font.s_size = std::clamp(key.size, 1, 400);
    f_font.s_bold = key.bold;
    f_font.s_italic = key.italic;
    f_font.s_charset = key.charset;
    f_font.s_AntiAlias = 3;
    f_font.s_first = 32;
    f_font.s_last = 255;
    Font_BuildAtlas(f_font);
    CGlyphFace face;
    if (face.Open(key.name, f_font.s_size, key.bold, key.italic, key.charset, true))
        f_ascent = face.Metrics().ascent;
}

int32_t CDialogFont::Height() const
{
    return Font_TextHeight(f_font);
}

int32_t CDialogFont::Width(std::string_view text) const
{
    return Font_TextWidth(f_font, text);
}

const CDialogFont& Dialog_Font(const RDialogFontKey& key)
{
    // Few distinct fonts ever appear in one run; a list is enough.
    static std::vector<std::unique_ptr<CDialogFont>> fonts;
    for (const auto& font : fonts)
        if (font->Key() == key)
            return *font;
    fonts.push_back(std::make_unique<CDialogFont>(key));
    return *fonts.back();
}

CCanvas::CCanvas(TBitmap32& picture) : c_picture(picture)
{
    ResetClip();
}

void CCanvas::SetClip(const RCanvasRect& rect)
{
    ResetClip();
    c_clip = Cut(rect);
}

void CCanvas::ResetClip()
{
    c_clip = {0, 0, c_picture.Width(), c_picture.Height()};
}

RCanvasRect CCanvas::Cut(const RCanvasRect& rect) const
{
    const int64_t left = std::max<int64_t>(rect.x, c_clip.x), top = std::max<int64_t>(rect.y, c_clip.y);
    const int64_t right = std::min<int64_t>(int64_t(rect.x) + rect.w, int64_t(c_clip.x) + c_clip.w);
    const int64_t bottom = std::min<int64_t>(int64_t(rect.y) + rect.h, int64_t(c_clip.y) + c_clip.h);
    if (right <= left || bottom <= top)
        return {};
    return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
            static_cast<int32_t>(bottom - top)};
}

void CCanvas::BlendPixel(uint8_t* p, uint32_t argb, uint32_t coverage)
{
    // coverage and alpha 0..255; the result keeps the larger alpha, so text
    // on a transparent picture stays visible.
    const uint32_t a = ((argb >> 24) * coverage + 127) / 255;
    if (a == 0)
        return;
    const uint32_t inv = 255 - a;
    p[0] = static_cast<uint8_t>(((argb & 0xFF) * a + p[0] * inv + 127) / 255);
    p[1] = static_cast<uint8_t>((((argb >> 8) & 0xFF) * a + p[1] * inv + 127) / 255);
    p[2] = static_cast<uint8_t>((((argb >> 16) & 0xFF) * a + p[2] * inv + 127) / 255);
    p[3] = static_cast<uint8_t>(a + (p[3] * inv + 127) / 255);
}

void CCanvas::Fill(const RCanvasRect& rect, uint32_t argb)
{
    const RCanvasRect r = Cut(rect);
    for (int32_t y = r.y; y < r.y + r.h; ++y) {
        uint8_t* p = c_picture.Row(y) + static_cast<size_t>(r.x) * 4;
        for (int32_t x = 0; x < r.w; ++x, p += 4) {
            p[0] = static_cast<uint8_t>(argb);
            p[1] = static_cast<uint8_t>(argb >> 8);
            p[2] = static_cast<uint8_t>(argb >> 16);
            p[3] = static_cast<uint8_t>(argb >> 24);
        }
    }
}

void CCanvas::Blend(const RCanvasRect& rect, uint32_t argb)
{
    const RCanvasRect r = Cut(rect);
    for (int32_t y = r.y; y < r.y + r.h; ++y) {
        uint8_t* p = c_picture.Row(y) + static_cast<size_t>(r.x) * 4;
        for (int32_t x = 0; x < r.w; ++x, p += 4)
            BlendPixel(p, argb, 255);
    }
}

void CCanvas::Frame(const RCanvasRect& rect, uint32_t argb)
{
    Fill({rect.x, rect.y, rect.w, 1}, argb);
    Fill({rect.x, rect.y + rect.h - 1, rect.w, 1}, argb);
    Fill({rect.x, rect.y, 1, rect.h}, argb);
    Fill({rect.x + rect.w - 1, rect.y, 1, rect.h}, argb);
}

void CCanvas::DrawPicture(const TBitmap32& picture, const RCanvasRect& rect, double opacity)
{
    if (picture.IsEmpty() || rect.w <= 0 || rect.h <= 0)
        return;
    const RCanvasRect r = Cut(rect);
    const uint32_t level = static_cast<uint32_t>(std::lround(std::clamp(opacity, 0.0, 1.0) * 255));
    for (int32_t y = r.y; y < r.y + r.h; ++y) {
        const int32_t sy = static_cast<int32_t>(int64_t(y - rect.y) * picture.Height() / rect.h);
        const uint8_t* source = picture.Row(sy);
        uint8_t* p = c_picture.Row(y) + static_cast<size_t>(r.x) * 4;
        for (int32_t x = r.x; x < r.x + r.w; ++x, p += 4) {
            const int32_t sx = static_cast<int32_t>(int64_t(x - rect.x) * picture.Width() / rect.w);
            const uint8_t* s = source + static_cast<size_t>(sx) * 4;
            const uint32_t argb = (uint32_t(s[3]) << 24) | (uint32_t(s[2]) << 16) | (uint32_t(s[1]) << 8) | s[0];
            BlendPixel(p, argb, level);
        }
    }
}

int32_t CCanvas::DrawText(const CDialogFont& font, int32_t x, int32_t y, std::string_view text, uint32_t argb)
{
    const CFont& glyphs = font.Glyphs();
    int32_t pen = x;
    for (char ch : text) {
        const uint8_t c = static_cast<uint8_t>(ch);
        if (Font_Covers(glyphs, c) && glyphs.s_w[c] > 0 && glyphs.s_h[c] > 0) {
            const int32_t gx = glyphs.s_x[c], gy = glyphs.s_y[c], gw = glyphs.s_w[c], gh = glyphs.s_h[c];
            const RCanvasRect r = Cut({pen + glyphs.s_offset[c], y, gw, gh});
            for (int32_t py = r.y; py < r.y + r.h; ++py) {
                const int32_t ay = gy + py - y;
                if (ay < 0 || ay >= glyphs.s_bh)
                    continue;
                uint8_t* p = c_picture.Row(py) + static_cast<size_t>(r.x) * 4;
                for (int32_t px = r.x; px < r.x + r.w; ++px, p += 4) {
                    const int32_t ax = gx + px - (pen + glyphs.s_offset[c]);
                    if (ax < 0 || ax >= glyphs.s_bw)
                        continue;
                    const uint8_t coverage =
                        glyphs.s_bytes[static_cast<size_t>(ay) * static_cast<size_t>(glyphs.s_bw) + static_cast<size_t>(ax)];
                    if (coverage)
                        BlendPixel(p, argb, coverage);
                }
            }
        }
        pen += Font_Advance(glyphs, c);
    }
    return pen;
}

void CCanvas::KeyOut(const RCanvasRect& rect, uint32_t rgb)
{
    const RCanvasRect r = Cut(rect);
    for (int32_t y = r.y; y < r.y + r.h; ++y) {
        uint8_t* p = c_picture.Row(y) + static_cast<size_t>(r.x) * 4;
        for (int32_t x = 0; x < r.w; ++x, p += 4)
            if (((uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0]) == (rgb & 0xFFFFFF))
                p[3] = 0;
    }
}
