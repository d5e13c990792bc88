// The textured quad, through which every sprite, background, tile, surface
// and glyph is drawn. Corners are moved half a pixel up and left before any
// rotation so that texels land on pixel centres. Angles are in radians and
// turn the picture counter-clockwise on the screen. Colours are game colours.
// An id that names no texture draws nothing. Each member comes twice: by
// texture id, and by picture for pictures that share a device texture.
#pragma once

#include "graphics/Textures.h"

#include <cstdint>

void Draw_Texture(int32_t id, double x, double y);
void Draw_Texture(const RTexturePicture& picture, double x, double y);
// (xorig, yorig): the point of the picture, in image pixels, placed at (x, y).
void Draw_TextureExt(int32_t id, int32_t color, double alpha, double angle, double xscale, double yscale, double x,
                     double y, double xorig, double yorig);
void Draw_TextureExt(const RTexturePicture& picture, int32_t color, double alpha, double angle, double xscale,
                     double yscale, double x, double y, double xorig, double yorig);
// The vertices Draw_TextureExt would send (top-left, top-right, bottom-right,
// bottom-left), for callers that send many pictures to the device at once.
void Draw_TextureExtVertices(const RTexturePicture& picture, int32_t color, double alpha, double angle, double xscale,
                             double yscale, double x, double y, double xorig, double yorig, RVertex vertices[4]);
// The part (xo, yo, w, h) of the texture, unclipped, with its top-left at (x, y).
void Draw_TexturePart(int32_t id, int32_t color, double alpha, double xo, double yo, double w, double h, double x,
                      double y, double xscale, double yscale);
void Draw_TexturePart(const RTexturePicture& picture, int32_t color, double alpha, double xo, double yo, double w,
                      double h, double x, double y, double xscale, double yscale);
// A part turned about its top-left corner, with a colour per corner
// (top-left, top-right, bottom-right, bottom-left).
void Draw_TextureGeneral(int32_t id, int32_t c1, int32_t c2, int32_t c3, int32_t c4, double alpha, double angle,
                         double xo, double yo, double w, double h, double x, double y, double xscale, double yscale);
void Draw_TextureGeneral(const RTexturePicture& picture, int32_t c1, int32_t c2, int32_t c3, int32_t c4, double alpha,
                         double angle, double xo, double yo, double w, double h, double x, double y, double xscale,
                         double yscale);
// Copies of the picture snapped to whole pixels, repeated across and/or down
// so that the region (left, top, width, height) is covered.
void Draw_TextureTiled(int32_t id, bool htiled, bool vtiled, int32_t color, double alpha, double x, double y,
                       double xscale, double yscale, double xorig, double yorig, double left, double top, double width,
                       double height);
void Draw_TextureTiled(const RTexturePicture& picture, bool htiled, bool vtiled, int32_t color, double alpha, double x,
                       double y, double xscale, double yscale, double xorig, double yorig, double left, double top,
                       double width, double height);
