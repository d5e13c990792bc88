// Untextured shapes: points, lines, rectangles, rounded rectangles,
// triangles, ellipses, arrows, buttons and health bars. Each is a few
// vertices at the current depth sent as one primitive. The small offsets
// (0.01 on line ends and on whole right and bottom edges) decide which
// pixels a shape covers and are kept exactly. Colours here are device
// colours (0xAARRGGBB), already carrying the alpha.
#pragma once

#include <cstdint>

// Segments of circles, ellipses and rounded corners: 4..64, a multiple of 4.
void Shape_SetCirclePrecision(int64_t n);
int32_t Shape_CirclePrecision();

void Shape_Point(double x, double y, uint32_t color);
void Shape_Line(double x1, double y1, double x2, double y2, uint32_t color1, uint32_t color2);
// A quad w wide around the line; nothing for a line of no length.
void Shape_LineWidth(double x1, double y1, double x2, double y2, double w, uint32_t color1, uint32_t color2);
// Colours from the top-left corner clockwise.
void Shape_Rectangle(double x1, double y1, double x2, double y2, const uint32_t colors[4], bool outline);
void Shape_RoundRect(double x1, double y1, double x2, double y2, uint32_t centre, uint32_t rim, bool outline);
void Shape_Triangle(double x1, double y1, double x2, double y2, double x3, double y3, uint32_t color1,
                    uint32_t color2, uint32_t color3, bool outline);
// The ellipse inside the box.
void Shape_Ellipse(double x1, double y1, double x2, double y2, uint32_t centre, uint32_t rim, bool outline);
// A line with a filled head at (x2, y2), size long or the whole line when shorter.
void Shape_Arrow(double x1, double y1, double x2, double y2, double size, uint32_t color);

// These take game colours and use the draw colour and alpha.
void Shape_Button(double x1, double y1, double x2, double y2, bool up);
// amount in percent; direction 0 grows right, 1 left, 2 down, 3 up.
void Shape_HealthBar(double x1, double y1, double x2, double y2, double amount, int32_t backColor, int32_t minColor,
                     int32_t maxColor, int32_t direction, bool showBack, bool showBorder);
// The bar's colour for an amount already within 0..100.
int32_t Shape_HealthColor(double amount, int32_t minColor, int32_t maxColor);
