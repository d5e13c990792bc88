// Sprite and background pictures, kept beside the resource lists by index.
#include "graphics/ResourceTextures.h"

#include "data/Background.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/TextureAtlas.h"

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

} // namespace

void ResourceTextures_BuildAll()
{
    ResourceTextures_FreeAll();
    for (int32_t b = 0; b < Backgrounds.Count(); ++b)
        Background_BuildTexture(b);
    for (int32_t s = 0; s < Sprites.Count(); ++s)
        Sprite_BuildTextures(s);
}

void ResourceTextures_FreeAll()
{
    for (int32_t s = 0; s < static_cast<int32_t>(SpriteTextures.size()); ++s)
        Sprite_FreeTextures(s);
    for (int32_t b = 0; b < static_cast<int32_t>(BackgroundTextures.size()); ++b)
        Background_FreeTexture(b);
    SpriteTextures.clear();
    BackgroundTextures.clear();
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
