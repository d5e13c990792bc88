// Sprite, background and font pictures, kept beside the resource lists by index.
#include "graphics/ResourceTextures.h"

#include "data/Background.h"
#include "data/Font.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/Display.h"
#include "graphics/TextureAtlas.h"

#include <algorithm>
#include <vector>

namespace {

struct RSpriteTextures {
    std::vector<RTexturePicture> pictures; // in the atlas, handle 0 where none
    std::vector<int32_t> ids;              // script textures, -1 until asked for
};

struct RBackgroundTexture {
    int32_t id = -1;
    RTexturePicture picture;
};

CTextureAtlas Atlas;
std::vector<RSpriteTextures> SpriteTextures;
std::vector<RBackgroundTexture> BackgroundTextures;
std::vector<RTexturePicture> FontPictures; // handle 0 where none
RTexturePicture DefaultFontPicture;
bool DefaultFontTried = false;

template <typename T>
T* Slot(std::vector<T>& list, int32_t index, bool grow)
{
    if (index < 0)
        return nullptr;
    if (static_cast<size_t>(index) >= list.size()) {
        if (!grow)
            return nullptr;
        list.resize(static_cast<size_t>(index) + 1);
    }
    return &list[static_cast<size_t>(index)];
}

// The atlas of a font as a white picture whose alpha is the coverage.
RTexturePicture AddFontAtlas(const CFont& font)
{
    RTexturePicture picture;
    const size_t size = static_cast<size_t>(std::max(font.s_bw, 0)) * static_cast<size_t>(std::max(font.s_bh, 0));
    if (font.s_name.empty() || font.s_spr >= 0 || size == 0 || font.s_bytes.size() != size)
        return picture;
    TBitmap32 white(font.s_bw, font.s_bh);
    uint8_t* p = white.Pixels();
    for (size_t k = 0; k < size; ++k) {
        p[k * 4 + 0] = p[k * 4 + 1] = p[k * 4 + 2] = 255;
        p[k * 4 + 3] = font.s_bytes[k];
    }
    Atlas.Add(white, picture); // a failure leaves handle 0: the text is drawn as nothing
    return picture;
}

} // namespace

void ResourceTextures_BuildAll()
{
    ResourceTextures_FreeAll();
    for (int32_t b = 0; b < Backgrounds.Count(); ++b)
        Background_BuildTexture(b);
    for (int32_t s = 0; s < Sprites.Count(); ++s)
        Sprite_BuildTextures(s);
    for (int32_t f = 0; f < Fonts.Count(); ++f)
        Font_BuildTexture(f);
}

void ResourceTextures_FreeAll()
{
    for (int32_t s = 0; s < static_cast<int32_t>(SpriteTextures.size()); ++s)
        Sprite_FreeTextures(s);
    for (int32_t b = 0; b < static_cast<int32_t>(BackgroundTextures.size()); ++b)
        Background_FreeTexture(b);
    for (int32_t f = 0; f < static_cast<int32_t>(FontPictures.size()); ++f)
        Font_FreeTexture(f);
    SpriteTextures.clear();
    BackgroundTextures.clear();
    FontPictures.clear();
    Atlas.Release(DefaultFontPicture);
    DefaultFontPicture = RTexturePicture();
    DefaultFontTried = false;
    Atlas.Clear();
}

void Sprite_BuildTextures(int32_t sprite)
{
    Sprite_FreeTextures(sprite);
    const CSprite* resource = Sprites.Get(sprite);
    RSpriteTextures* slot = Slot(SpriteTextures, sprite, resource != nullptr);
    if (!resource || !slot)
        return;
    slot->pictures.resize(resource->i_bitmap.size());
    slot->ids.assign(resource->i_bitmap.size(), -1);
    for (size_t k = 0; k < resource->i_bitmap.size(); ++k)
        Atlas.Add(resource->i_bitmap[k], slot->pictures[k]); // a failure leaves handle 0: drawn as nothing
}

void Sprite_FreeTextures(int32_t sprite)
{
    RSpriteTextures* slot = Slot(SpriteTextures, sprite, false);
    if (!slot)
        return;
    for (const RTexturePicture& picture : slot->pictures)
        Atlas.Release(picture);
    for (int32_t id : slot->ids)
        Texture_Free(id);
    *slot = RSpriteTextures();
}

void Background_BuildTexture(int32_t background)
{
    Background_FreeTexture(background);
    const CBackground* resource = Backgrounds.Get(background);
    RBackgroundTexture* slot = Slot(BackgroundTextures, background, resource != nullptr);
    if (!resource || !slot || resource->i_bitmap.IsEmpty())
        return;
    slot->id = Texture_FromBitmap(resource->i_bitmap);
}

void Background_FreeTexture(int32_t background)
{
    RBackgroundTexture* slot = Slot(BackgroundTextures, background, false);
    if (!slot)
        return;
    Texture_Free(slot->id);
    *slot = RBackgroundTexture();
}

void Font_BuildTexture(int32_t font)
{
    Font_FreeTexture(font);
    const CFont* resource = Fonts.Get(font);
    RTexturePicture* slot = Slot(FontPictures, font, resource != nullptr);
    if (resource && slot)
        *slot = AddFontAtlas(*resource);
}

void Font_FreeTexture(int32_t font)
{
    RTexturePicture* slot = Slot(FontPictures, font, false);
    if (!slot)
        return;
    Atlas.Release(*slot);
    *slot = RTexturePicture();
}

const RTexturePicture* Font_Picture(int32_t font)
{
    RTexturePicture* slot = Slot(FontPictures, font, false);
    return slot && slot->handle ? slot : nullptr;
}

const RTexturePicture* Font_DefaultPicture(const CFont& font)
{
    if (!DefaultFontTried && Display_Device()) {
        DefaultFontTried = true;
        DefaultFontPicture = AddFontAtlas(font);
    }
    return DefaultFontPicture.handle ? &DefaultFontPicture : nullptr;
}

const RTexturePicture* Sprite_Picture(int32_t sprite, int32_t image)
{
    RSpriteTextures* slot = Slot(SpriteTextures, sprite, false);
    if (!slot || image < 0 || static_cast<size_t>(image) >= slot->pictures.size())
        return nullptr;
    const RTexturePicture& picture = slot->pictures[static_cast<size_t>(image)];
    return picture.handle ? &picture : nullptr;
}

int32_t Sprite_TextureId(int32_t sprite, int32_t image)
{
    RSpriteTextures* slot = Slot(SpriteTextures, sprite, false);
    const CSprite* resource = Sprites.Get(sprite);
    if (!slot || !resource || image < 0 || static_cast<size_t>(image) >= slot->ids.size() ||
        static_cast<size_t>(image) >= resource->i_bitmap.size())
        return -1;
    int32_t& id = slot->ids[static_cast<size_t>(image)];
    if (!Texture_Exists(id))
        id = Texture_FromBitmap(resource->i_bitmap[static_cast<size_t>(image)]);
    return id;
}

const RTexturePicture* Background_Picture(int32_t background)
{
    RBackgroundTexture* slot = Slot(BackgroundTextures, background, false);
    return slot && Texture_Picture(slot->id, slot->picture) ? &slot->picture : nullptr;
}

int32_t Background_TextureId(int32_t background)
{
    RBackgroundTexture* slot = Slot(BackgroundTextures, background, false);
    return slot && Texture_Exists(slot->id) ? slot->id : -1;
}

int32_t ResourceTextures_AtlasPages()
{
    return Atlas.PageCount();
}
