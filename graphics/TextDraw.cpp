// Text in lines through the textured quads: each glyph is a part of its
// font's atlas picture (or an image of a sprite font), so the glyphs of a
// line all share one texture and reach the device as one batch.
#include "graphics/Text.h"

#include "code/Value.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/Colors.h"
#include "graphics/DrawState.h"
#include "graphics/FontBuild.h"
#include "graphics/ResourceTextures.h"
#include "graphics/SpriteDraw.h"
#include "graphics/TextLayout.h"
#include "graphics/TextureDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

RTextState TextState;

namespace {

CFont DefaultFont;
bool DefaultFontMade = false;
CTextLines Lines; // reused by every call: drawing the same text each step allocates nothing

struct RFontInUse {
    const CFont* font;
    const RTexturePicture* picture; // null for sprite fonts and fonts without a picture
};

RFontInUse FontInUse()
{
    if (const CFont* font = Fonts.Get(TextState.font))
        return {font, Font_Picture(TextState.font)};
    const CFont& font = Text_DefaultFont();
    return {&font, Font_DefaultPicture(font)};
}

// How a string is drawn: its colours and its transform.
struct RTextForm {
    bool gradient = false;
    RTextColors colors{};
    bool transformed = false;
    double xscale = 1, yscale = 1;
    double angle = 0; // degrees
};

// Positions move a thousandth away from zero and then down to a whole pixel.
double Snap(double v)
{
    return std::floor(v >= 0 ? v + 0.001 : v - 0.001);
}

// Whether glyph c lies inside the atlas picture. Game data may hold any
// rectangle; one reaching outside would show whatever shares the texture.
bool GlyphInside(const CFont& font, const RTexturePicture& picture, uint8_t c)
{
    const int64_t x = font.s_x[c], y = font.s_y[c], w = font.s_w[c], h = font.s_h[c];
    return w > 0 && h > 0 && x >= 0 && y >= 0 && x + w <= picture.w && y + h <= picture.h;
}

// The corner colours of a glyph that covers p..p + d of a line W wide.
void GlyphColors(const RTextColors& colors, double p, double d, double W, int32_t out[4])
{
    const double left = W != 0 ? p / W : 0, right = W != 0 ? (p + d) / W : 0;
    out[0] = static_cast<int32_t>(Color_Merge(colors.c1, colors.c2, left));
    out[1] = static_cast<int32_t>(Color_Merge(colors.c1, colors.c2, right));
    out[2] = static_cast<int32_t>(Color_Merge(colors.c4, colors.c3, right));
    out[3] = static_cast<int32_t>(Color_Merge(colors.c4, colors.c3, left));
}

int32_t SpriteWidth(int32_t sprite)
{
    const CSprite* resource = Sprites.Get(sprite);
    return resource ? resource->Width() : 0;
}

// One line with its pen starting at (x, y), the top of the line.
void DrawString(const RFontInUse& f, double x, double y, std::string_view line, int32_t lineWidth,
                const RTextForm& form)
{
    const CFont& font = *f.font;
    const bool spriteFont = font.s_spr >= 0;
    if (!spriteFont && !f.picture)
        return;
    const int32_t plainColor = DrawState.color;
    const double plainAlpha = DrawState.alpha;
    const double radians = form.angle * std::numbers::pi / 180.0;
    const double s = form.transformed ? std::sin(radians) : 0, k = form.transformed ? std::cos(radians) : 1;
    const double xscale = form.transformed ? form.xscale : 1, yscale = form.transformed ? form.yscale : 1;
    double penX = x, penY = y;
    double before = 0; // advances so far, for the gradient
    for (char ch : line) {
        const uint8_t c = static_cast<uint8_t>(ch);
        const int32_t advance = Font_Advance(font, c);
        if (Font_Covers(font, c)) {
            const double offset = font.s_offset[c];
            const double gx = penX + xscale * offset * k, gy = penY - xscale * offset * s;
            int32_t corner[4] = {plainColor, plainColor, plainColor, plainColor};
            double alpha = plainAlpha;
            if (form.gradient) {
                GlyphColors(form.colors, before, advance, lineWidth, corner);
                alpha = form.colors.alpha;
            }
            if (spriteFont) {
                const int32_t image = c - font.s_first;
                if (form.gradient)
                    Sprite_DrawGeneral(font.s_spr, image, 0, 0, SpriteWidth(font.s_spr), font.s_h[c], gx, gy, xscale,
                                       yscale, form.angle, corner[0], corner[1], corner[2], corner[3], alpha);
                else
                    Sprite_Draw(font.s_spr, image, gx, gy, xscale, yscale, form.angle, corner[0], alpha);
            } else if (GlyphInside(font, *f.picture, c)) {
                if (form.gradient || form.transformed)
                    Draw_TextureGeneral(*f.picture, corner[0], corner[1], corner[2], corner[3], alpha, radians,
                                        font.s_x[c], font.s_y[c], font.s_w[c], font.s_h[c], gx, gy, xscale, yscale);
                else
                    Draw_TexturePart(*f.picture, corner[0], alpha, font.s_x[c], font.s_y[c], font.s_w[c],
                                     font.s_h[c], gx, gy, 1, 1);
            }
        }
        penX += advance * k * xscale;
        penY -= advance * s * xscale;
        before += advance;
    }
}

void DrawLines(double x, double y, std::string_view text, int64_t sep, int64_t width, const RTextForm& form)
{
    const RFontInUse f = FontInUse();
    x = Snap(x);
    y = Snap(y);
    Lines.Break(*f.font, text, width);
    if (sep < 0)
        sep = Font_TextHeight(*f.font);
    const double n = static_cast<double>(Lines.Count());
    const double step = static_cast<double>(sep);
    if (!form.transformed) {
        if (TextState.valign == kAlignMiddle)
            y -= static_cast<double>(static_cast<int64_t>(Lines.Count()) * sep / 2);
        else if (TextState.valign == kAlignBottom)
            y -= n * step;
        for (size_t i = 0; i < Lines.Count(); ++i) {
            const int32_t w = Lines.Line(i).width;
            const double shift = TextState.halign == kAlignCenter ? w / 2 : TextState.halign == kAlignRight ? w : 0;
            DrawString(f, x - shift, y + static_cast<double>(i) * step, Lines.Text(i), w, form);
        }
        return;
    }
    // Lines follow the turned vertical; alignment moves along the turned axes.
    const double radians = form.angle * std::numbers::pi / 180.0;
    const double s = std::sin(radians), k = std::cos(radians);
    const double stepX = form.yscale * s * step, stepY = form.yscale * k * step;
    if (TextState.valign == kAlignMiddle) {
        x -= static_cast<double>(RoundToInteger(n * stepX / 2));
        y -= static_cast<double>(RoundToInteger(n * stepY / 2));
    } else if (TextState.valign == kAlignBottom) {
        x -= n * stepX;
        y -= n * stepY;
    }
    for (size_t i = 0; i < Lines.Count(); ++i) {
        const int32_t w = Lines.Line(i).width;
        double h = 0;
        if (TextState.halign == kAlignCenter)
            h = -static_cast<double>(RoundToInteger(form.xscale * w / 2));
        else if (TextState.halign == kAlignRight)
            h = -static_cast<double>(RoundToInteger(form.xscale * w));
        const double lx = x + static_cast<double>(i) * stepX, ly = y + static_cast<double>(i) * stepY;
        DrawString(f, lx + h * k, ly - h * s, Lines.Text(i), w, form);
    }
}

} // namespace

void Text_SetFont(int32_t font)
{
    if (Fonts.Exists(font)) {
        TextState.font = font;
    } else {
        Text_DefaultFont();
        TextState.font = -1;
    }
}

void Text_SetHAlign(int32_t align)
{
    TextState.halign = align == kAlignCenter || align == kAlignRight ? align : kAlignLeft;
}

void Text_SetVAlign(int32_t align)
{
    TextState.valign = align == kAlignMiddle || align == kAlignBottom ? align : kAlignTop;
}

void Text_ResetState()
{
    TextState = RTextState();
}

const CFont& Text_DefaultFont()
{
    if (!DefaultFontMade) {
        DefaultFontMade = true;
        // Without any typeface the font stays empty: text then measures 1
        // and draws nothing, which is all a game can be given.
        Font_CreateFromTypeface(DefaultFont, "Arial", 12, false, false, 32, 127);
    }
    return DefaultFont;
}

const CFont& Text_SelectFont()
{
    return *FontInUse().font;
}

int32_t Text_Width(std::string_view text, int64_t width)
{
    Lines.Break(Text_SelectFont(), text, width);
    return std::max(Lines.Widest(), 1);
}

int32_t Text_Height(std::string_view text, int64_t sep, int64_t width)
{
    const CFont& font = Text_SelectFont();
    Lines.Break(font, text, width);
    if (Lines.Count() == 0)
        return 1;
    if (sep < 0)
        sep = Font_TextHeight(font);
    const int64_t height = Font_TextHeight(font) + sep * static_cast<int64_t>(Lines.Count() - 1);
    return static_cast<int32_t>(std::clamp<int64_t>(height, INT32_MIN, INT32_MAX));
}

void Text_Draw(double x, double y, std::string_view text, int64_t sep, int64_t width)
{
    DrawLines(x, y, text, sep, width, RTextForm());
}

void Text_DrawColor(double x, double y, std::string_view text, int64_t sep, int64_t width, const RTextColors& colors)
{
    RTextForm form;
    form.gradient = true;
    form.colors = colors;
    DrawLines(x, y, text, sep, width, form);
}

void Text_DrawTransformed(double x, double y, std::string_view text, int64_t sep, int64_t width, double xscale,
                          double yscale, double angle)
{
    RTextForm form;
    form.transformed = true;
    form.xscale = xscale;
    form.yscale = yscale;
    form.angle = angle;
    DrawLines(x, y, text, sep, width, form);
}

void Text_DrawTransformedColor(double x, double y, std::string_view text, int64_t sep, int64_t width,
                               double xscale, double yscale, double angle, const RTextColors& colors)
{
    RTextForm form;
    form.transformed = true;
    form.xscale = xscale;
    form.yscale = yscale;
    form.angle = angle;
    form.gradient = true;
    form.colors = colors;
    DrawLines(x, y, text, sep, width, form);
}
