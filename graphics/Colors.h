// Colour arithmetic: game colours are 0xBBGGRR (red in the low byte), device
// colours 0xAARRGGBB. The script colour functions are built from these.
#pragma once

#include <cstdint>

// alpha in 0..1 (clamped) becomes the device's alpha byte.
uint8_t Color_AlphaByte(double alpha);
uint32_t Color_ToDevice(int32_t gameColor, double alpha);
int32_t Color_FromDevice(uint32_t argb);

// round(r) + round(g) × 256 + round(b) × 65536, with no clamping.
double Color_MakeRgb(double r, double g, double b);
// h, s, v in 0..255.
int32_t Color_MakeHsv(double h, double s, double v);
// Channels of a colour value given as a real (64-bit, truncating division).
int32_t Color_Red(double color);
int32_t Color_Green(double color);
int32_t Color_Blue(double color);
int32_t Color_Hue(double color);
int32_t Color_Saturation(double color);
int32_t Color_Value(double color);
// Per channel round((1 − amount) × a + amount × b).
double Color_Merge(double color1, double color2, double amount);
