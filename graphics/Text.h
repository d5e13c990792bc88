// Drawing text: the current font and alignment, the default font, and the
// drawing of text in lines, plain, transformed and with colour gradients.
// Text never reports errors: a font index that names no font means the
// default font, and characters outside a font's range draw nothing.
#pragma once

#include "data/Font.h"

#include <cstdint>
#include <string_view>

enum ETextAlign : int32_t { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
enum ETextVAlign : int32_t { kAlignTop = 0, kAlignMiddle = 1, kAlignBottom = 2 };

struct RTextState {
    int32_t font = -1; // -1: the default font
    int32_t halign = kAlignLeft;
    int32_t valign = kAlignTop;
};
extern RTextState TextState;

// The font given when it exists, else the default font (index -1).
void Text_SetFont(int32_t font);
// 1 and 2 stay; every other value means left (or top).
void Text_SetHAlign(int32_t align);
void Text_SetVAlign(int32_t align);
// Back to the default font and left, top alignment.
void Text_ResetState();

// The current font when it exists, else the default font ("Arial" 12,
// characters 32..127), made on first need and kept for the whole run.
const CFont& Text_SelectFont();
const CFont& Text_DefaultFont();

// sep < 0: the font's line height; width < 0: no wrapping. At least 1.
int32_t Text_Width(std::string_view text, int64_t width);
int32_t Text_Height(std::string_view text, int64_t sep, int64_t width);

// Colours of a gradient: top-left, top-right, bottom-right, bottom-left of
// every line.
struct RTextColors {
    int32_t c1, c2, c3, c4;
    double alpha;
};

// Text in the current font and alignment with its first line's top-left at
// (x, y). The plain forms use the draw colour and alpha; angles in degrees.
void Text_Draw(double x, double y, std::string_view text, int64_t sep, int64_t width);
void Text_DrawColor(double x, double y, std::string_view text, int64_t sep, int64_t width,
                    const RTextColors& colors);
void Text_DrawTransformed(double x, double y, std::string_view text, int64_t sep, int64_t width, double xscale,
                          double yscale, double angle);
void Text_DrawTransformedColor(double x, double y, std::string_view text, int64_t sep, int64_t width,
                               double xscale, double yscale, double angle, const RTextColors& colors);
