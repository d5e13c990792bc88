// The device pictures of sprites and backgrounds. Sprite images live in the
// shared atlas for drawing; a script that asks for a sprite image's texture
// id gets a texture of its own, made on first request, so that texture
// coordinates, sizes and repeating work for it exactly as for any texture.
// Backgrounds have one table texture each (tiles and layers draw from it).
// Font atlases join the sprite images in the atlas, so a line of text, and
// text between sprites, is drawn in one batch.
#pragma once

#include "graphics/Textures.h"

class CFont;

#include <cstdint>

// Builds the pictures of every sprite, background and font (at start-up).
void ResourceTextures_BuildAll();
// Frees them all; the device is going away or starting afresh.
void ResourceTextures_FreeAll();

// Rebuilds or frees the pictures of one resource after its images changed.
void Sprite_BuildTextures(int32_t sprite);
void Sprite_FreeTextures(int32_t sprite);
void Background_BuildTexture(int32_t background);
void Background_FreeTexture(int32_t background);
// Fonts without a typeface (sprite fonts) have no picture.
void Font_BuildTexture(int32_t font);
void Font_FreeTexture(int32_t font);

// The picture of an image (the index already within the sprite's images),
// or null when it has none.
const RTexturePicture* Sprite_Picture(int32_t sprite, int32_t image);
// A texture id for scripts, or -1.
int32_t Sprite_TextureId(int32_t sprite, int32_t image);
const RTexturePicture* Background_Picture(int32_t background);
int32_t Background_TextureId(int32_t background);
const RTexturePicture* Font_Picture(int32_t font);
// The default font is no resource; its picture is made on first request
// (from font) and kept until the device goes.
const RTexturePicture* Font_DefaultPicture(const CFont& font);

// How many shared atlas pages exist (for tests and measurements).
int32_t ResourceTextures_AtlasPages();
