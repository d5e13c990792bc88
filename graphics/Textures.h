// The texture table: pictures made into device textures, named by texture
// ids (indices into the table, -1 for none). Sprites, backgrounds, fonts and
// surfaces own their ids and free them; freed entries are reused.
#pragma once

#include "data/Bitmap32.h"
#include "platform/RenderDevice.h"

#include <cstdint>

// Where a picture lies inside a device texture, which drawing needs to turn
// picture pixels into texture coordinates. A table texture holds its picture
// at (0, 0); the sprite atlas holds many pictures in one texture.
struct RTexturePicture {
    TextureHandle handle = 0;
    int32_t w = 0, h = 0;              // the picture
    int32_t left = 0, top = 0;         // its top-left texel
    int32_t textureW = 1, textureH = 1; // the device texture
};

struct RTexture {
    TextureHandle handle = 0;
    int32_t imageW = 0, imageH = 0;     // the picture placed in the texture
    int32_t textureW = 0, textureH = 0; // what the device allocated
    bool renderTarget = false;
    bool used = false;
};

// A texture for a w × h picture (at least that large), or -1.
int32_t Texture_Create(int32_t w, int32_t h, bool renderTarget);
// pixels: the picture in TBitmap32 layout, image size. The right column and
// bottom row are repeated once past the picture so that filtering at its
// edges never reads texels that belong to no picture.
bool Texture_Upload(int32_t id, const uint8_t* pixels);
int32_t Texture_FromBitmap(const TBitmap32& bitmap);
// A white picture with the given alpha bytes (glyphs).
int32_t Texture_FromAlpha(int32_t w, int32_t h, const uint8_t* alpha);
void Texture_Free(int32_t id);
bool Texture_Exists(int32_t id);
// The entry of a used id, else null.
const RTexture* Texture_Get(int32_t id);
// The picture of a used id; false (and nothing to draw) otherwise.
bool Texture_Picture(int32_t id, RTexturePicture& picture);
// The device handle of a used id, else 0.
TextureHandle Texture_Handle(int32_t id);
// Frees every texture and empties the table (a new device starts empty).
void Texture_ForgetAll();
// Changes each time the table is emptied: pictures kept outside the table
// compare it to know that their texture went with the old device.
int32_t Texture_Generation();
int32_t Texture_TableSize();
