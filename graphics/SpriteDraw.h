// Drawing the images of sprites and backgrounds: the methods every sprite
// and background drawing goes through, from scripts and from the room.
// Angles are in degrees. A resource that does not exist, or whose picture
// was never made, draws nothing; reporting a missing resource is the
// caller's business.
#pragma once

#include <cstdint>

// The image a sprite draws for ind: ind modulo count, made non-negative;
// -1 for a sprite without images.
int32_t Sprite_ImageIndex(int64_t ind, int32_t count);

// At (x, y) minus the origin, unscaled.
void Sprite_DrawSimple(int32_t sprite, int64_t ind, double x, double y);
// With the origin at (x, y).
void Sprite_Draw(int32_t sprite, int64_t ind, double x, double y, double xscale, double yscale, double angle,
                 int32_t color, double alpha);
// Over the rectangle (x, y, w, h); nothing unless both sizes are positive.
void Sprite_DrawStretched(int32_t sprite, int64_t ind, double x, double y, double w, double h, int32_t color,
                          double alpha);
// The part (xo, yo, w, h) of the image with its top-left at (x, y); the origin plays no part.
void Sprite_DrawPart(int32_t sprite, int64_t ind, double xo, double yo, double w, double h, double x, double y,
                     double xscale, double yscale, int32_t color, double alpha);
// A part turned about its top-left corner, one colour per corner from the top-left clockwise.
void Sprite_DrawGeneral(int32_t sprite, int64_t ind, double xo, double yo, double w, double h, double x, double y,
                        double xscale, double yscale, double angle, int32_t c1, int32_t c2, int32_t c3, int32_t c4,
                        double alpha);
// Copies covering the region (left, top, width, height), with the origin.
void Sprite_DrawTiled(int32_t sprite, int64_t ind, double x, double y, double xscale, double yscale, bool htiled,
                      bool vtiled, double left, double top, double width, double height, int32_t color,
                      double alpha);

void Background_DrawSimple(int32_t background, double x, double y);
void Background_Draw(int32_t background, double x, double y, double xscale, double yscale, double angle,
                     int32_t color, double alpha);
void Background_DrawStretched(int32_t background, double x, double y, double w, double h, int32_t color,
                              double alpha);
void Background_DrawPart(int32_t background, double xo, double yo, double w, double h, double x, double y,
                         double xscale, double yscale, int32_t color, double alpha);
void Background_DrawGeneral(int32_t background, double xo, double yo, double w, double h, double x, double y,
                            double xscale, double yscale, double angle, int32_t c1, int32_t c2, int32_t c3,
                            int32_t c4, double alpha);
void Background_DrawTiled(int32_t background, double x, double y, double xscale, double yscale, bool htiled,
                          bool vtiled, double left, double top, double width, double height, int32_t color,
                          double alpha);
