// Sprite and background drawing on top of the textured quads.
#include "graphics/SpriteDraw.h"

#include "data/Background.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/ResourceTextures.h"
#include "graphics/TextureDraw.h"

#include <algorithm>
#include <numbers>

namespace {

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

struct RSpriteImage {
    const CSprite* sprite = nullptr;
    const RTexturePicture* picture = nullptr;
    int32_t image = -1;
};

RSpriteImage FindImage(int32_t sprite, int64_t ind)
{
    RSpriteImage found;
    found.sprite = Sprites.Get(sprite);
    if (!found.sprite)
        return found;
    found.image = Sprite_ImageIndex(ind, found.sprite->Count());
    found.picture = found.image >= 0 ? Sprite_Picture(sprite, found.image) : nullptr;
    return found;
}

// Whether a part lies within the picture and its repeated border. Atlas
// pictures have neighbours beyond that; a part reaching further is drawn from
// the image's own texture, which has nothing there.
bool PartInsideBorder(const RTexturePicture& picture, double xo, double yo, double w, double h)
{
    return std::min(xo, xo + w) >= -1 && std::max(xo, xo + w) <= picture.w + 1 && std::min(yo, yo + h) >= -1 &&
           std::max(yo, yo + h) <= picture.h + 1;
}

// The picture to draw a part from.
bool PartPicture(int32_t sprite, const RSpriteImage& found, double xo, double yo, double w, double h,
                 RTexturePicture& picture)
{
    if (!found.picture)
        return false;
    if (PartInsideBorder(*found.picture, xo, yo, w, h)) {
        picture = *found.picture;
        return true;
    }
    return Texture_Picture(Sprite_TextureId(sprite, found.image), picture);
}

} // namespace

int32_t Sprite_ImageIndex(int64_t ind, int32_t count)
{
    if (count <= 0)
        return -1;
    int64_t image = ind % count;
    return static_cast<int32_t>(image < 0 ? image + count : image);
}

void Sprite_DrawSimple(int32_t sprite, int64_t ind, double x, double y)
{
    RSpriteImage found = FindImage(sprite, ind);
    if (found.picture)
        Draw_Texture(*found.picture, x - found.sprite->i_xorig, y - found.sprite->i_yorig);
}

void Sprite_Draw(int32_t sprite, int64_t ind, double x, double y, double xscale, double yscale, double angle,
                 int32_t color, double alpha)
{
    RSpriteImage found = FindImage(sprite, ind);
    if (found.picture)
        Draw_TextureExt(*found.picture, color, alpha, Radians(angle), xscale, yscale, x, y, found.sprite->i_xorig,
                        found.sprite->i_yorig);
}

void Sprite_DrawStretched(int32_t sprite, int64_t ind, double x, double y, double w, double h, int32_t color,
                          double alpha)
{
    RSpriteImage found = FindImage(sprite, ind);
    if (!found.picture || !(w > 0) || !(h > 0) || found.sprite->Width() <= 0 || found.sprite->Height() <= 0)
        return;
    Draw_TextureExt(*found.picture, color, alpha, 0, w / found.sprite->Width(), h / found.sprite->Height(), x, y, 0,
                    0);
}

void Sprite_DrawPart(int32_t sprite, int64_t ind, double xo, double yo, double w, double h, double x, double y,
                     double xscale, double yscale, int32_t color, double alpha)
{
    RSpriteImage found = FindImage(sprite, ind);
    RTexturePicture picture;
    if (PartPicture(sprite, found, xo, yo, w, h, picture))
        Draw_TexturePart(picture, color, alpha, xo, yo, w, h, x, y, xscale, yscale);
}

void Sprite_DrawGeneral(int32_t sprite, int64_t ind, double xo, double yo, double w, double h, double x, double y,
                        double xscale, double yscale, double angle, int32_t c1, int32_t c2, int32_t c3, int32_t c4,
                        double alpha)
{
    RSpriteImage found = FindImage(sprite, ind);
    RTexturePicture picture;
    if (PartPicture(sprite, found, xo, yo, w, h, picture))
        Draw_TextureGeneral(picture, c1, c2, c3, c4, alpha, Radians(angle), xo, yo, w, h, x, y, xscale, yscale);
}

void Sprite_DrawTiled(int32_t sprite, int64_t ind, double x, double y, double xscale, double yscale, bool htiled,
                      bool vtiled, double left, double top, double width, double height, int32_t color,
                      double alpha)
{
    RSpriteImage found = FindImage(sprite, ind);
    if (found.picture)
        Draw_TextureTiled(*found.picture, htiled, vtiled, color, alpha, x, y, xscale, yscale, found.sprite->i_xorig,
                          found.sprite->i_yorig, left, top, width, height);
}

void Background_DrawSimple(int32_t background, double x, double y)
{
    if (const RTexturePicture* picture = Background_Picture(background))
        Draw_Texture(*picture, x, y);
}

void Background_Draw(int32_t background, double x, double y, double xscale, double yscale, double angle,
                     int32_t color, double alpha)
{
    if (const RTexturePicture* picture = Background_Picture(background))
        Draw_TextureExt(*picture, color, alpha, Radians(angle), xscale, yscale, x, y, 0, 0);
}

void Background_DrawStretched(int32_t background, double x, double y, double w, double h, int32_t color,
                              double alpha)
{
    const RTexturePicture* picture = Background_Picture(background);
    if (picture && w > 0 && h > 0)
        Draw_TextureExt(*picture, color, alpha, 0, w / picture->w, h / picture->h, x, y, 0, 0);
}

void Background_DrawPart(int32_t background, double xo, double yo, double w, double h, double x, double y,
                         double xscale, double yscale, int32_t color, double alpha)
{
    if (const RTexturePicture* picture = Background_Picture(background))
        Draw_TexturePart(*picture, color, alpha, xo, yo, w, h, x, y, xscale, yscale);
}

void Background_DrawGeneral(int32_t background, double xo, double yo, double w, double h, double x, double y,
                            double xscale, double yscale, double angle, int32_t c1, int32_t c2, int32_t c3,
                            int32_t c4, double alpha)
{
    if (const RTexturePicture* picture = Background_Picture(background))
        Draw_TextureGeneral(*picture, c1, c2, c3, c4, alpha, Radians(angle), xo, yo, w, h, x, y, xscale, yscale);
}

void Background_DrawTiled(int32_t background, double x, double y, double xscale, double yscale, bool htiled,
                          bool vtiled, double left, double top, double width, double height, int32_t color,
                          double alpha)
{
    if (const RTexturePicture* picture = Background_Picture(background))
        Draw_TextureTiled(*picture, htiled, vtiled, color, alpha, x, y, xscale, yscale, 0, 0, left, top, width,
                          height);
}
