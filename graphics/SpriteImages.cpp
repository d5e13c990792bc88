// Sprite images from picture files, sprite files, other pictures and other
// sprites.
#include "graphics/SpriteImages.h"

#include "data/Stream.h"
#include "graphics/ImageFiles.h"
#include "graphics/ImagePreparation.h"
#include "graphics/PictureFiles.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t kSpriteFileVersion = 800;

// The colour an animation's frames are drawn on: red 64, green 128, blue 0,
// kept in the pictures (no alpha) so that removing the background takes it away.
constexpr uint8_t kAnimationFill[4] = {0, 128, 64, 0};

// The images of a strip: the picture (its first frame, with the alpha
// test) cut into imgnumb images of equal width.
bool LoadStrip(CSprite& sprite, const uint8_t* data, size_t size, int32_t imgnumb, bool removeback, bool smooth)
{
    std::vector<TBitmap32> frames;
    if (!Picture_Decode(data, size, frames))
        return false;
    TBitmap32& picture = frames[0];
    Image_ApplyAlphaTest(picture);
    const int32_t count = std::max(imgnumb, 1);
    const int32_t width = picture.Width() / count;
    if (width <= 0)
        return false; // every image would be without pixels
    std::vector<TBitmap32> images(static_cast<size_t>(count));
    for (int32_t k = 0; k < count; ++k) {
        TBitmap32& image = images[static_cast<size_t>(k)];
        image.SetSize(width, picture.Height());
        for (int32_t y = 0; y < picture.Height(); ++y)
            std::memcpy(image.Row(y), picture.Row(y) + static_cast<size_t>(k) * width * 4, static_cast<size_t>(width) * 4);
        Image_Prepare(image, removeback, smooth);
    }
    sprite.i_bitmap = std::move(images);
    return true;
}

// Every frame drawn at its place onto a work picture of the animation's
// size, copied as an opaque image; the work picture is filled again after
// each frame unless the frame asks to be kept.
bool LoadAnimation(CSprite& sprite, const uint8_t* data, size_t size, bool removeback, bool smooth)
{
    RPictureLayers layers;
    if (!Picture_DecodeLayers(data, size, layers))
        return false;
    const int32_t w = std::max(layers.width, 1), h = std::max(layers.height, 1);
    auto fill = [&](TBitmap32& picture) {
        uint8_t* p = picture.Pixels();
        for (size_t k = 0; k < static_cast<size_t>(w) * static_cast<size_t>(h); ++k)
            std::memcpy(p + k * 4, kAnimationFill, 4);
    };
    TBitmap32 work(w, h);
    fill(work);
    std::vector<TBitmap32> images;
    images.reserve(layers.layers.size());
    for (const RPictureLayer& layer : layers.layers) {
        for (int32_t y = 0; y < layer.image.Height() && layer.top + y < h; ++y) {
            const uint8_t* in = layer.image.Row(y);
            uint8_t* out = work.Row(layer.top + y);
            for (int32_t x = 0; x < layer.image.Width() && layer.left + x < w; ++x)
                if (in[x * 4 + 3] != 0)
                    std::memcpy(out + static_cast<size_t>(layer.left + x) * 4, in + x * 4, 3);
        }
        TBitmap32& image = images.emplace_back(work);
        Image_ApplyAlphaTest(image); // the work picture has no alpha: the image is opaque
        Image_Prepare(image, removeback, smooth);
        if (layer.disposal != kDisposalKeep)
            fill(work);
    }
    sprite.i_bitmap = std::move(images);
    return true;
}

void RebuildMasks(CSprite& sprite)
{
    Sprite_ComputeDefaultMasks(sprite, sprite.i_sepmasks);
}

} // namespace

bool Image_ReadFile(const std::string& gameName, std::vector<uint8_t>& bytes)
{
    bool tooLarge = false;
    return Platform_ReadWholeFileLimited(ToHostPath(gameName), bytes, kPictureMaxFileBytes, tooLarge);
}

std::unique_ptr<CStream> Image_OpenRunnerFile(const std::vector<uint8_t>& bytes, int32_t version)
{
    CStream file(bytes);
    if (file.ReadInteger() != kRunnerFileMagic)
        return nullptr;
    std::unique_ptr<CStream> body = file.ReadStreamC(kPictureMaxPixels * 4 + 4096);
    return body->ReadInteger() == version ? std::move(body) : nullptr;
}

bool Image_SaveRunnerFile(const std::string& gameName, const CStream& body)
{
    CStream file;
    file.WriteInteger(kRunnerFileMagic);
    file.WriteStreamC(body);
    return file.SaveToFile(ToHostPath(gameName));
}

void Image_PrepareTaken(TBitmap32& picture, int32_t removeback, bool smooth, bool alphaTest)
{
    if (alphaTest && removeback != kKeepReadAlpha)
        Image_ApplyAlphaTest(picture);
    const bool remove = removeback != kKeepBackground && removeback != kMakeOpaque && removeback != kKeepReadAlpha;
    Image_Prepare(picture, remove, smooth);
    if (removeback == kMakeOpaque)
        Image_MakeOpaque(picture);
}

void Sprite_ComputeDefaultMasks(CSprite& sprite, bool sepmasks)
{
    sprite.ComputeMask(sepmasks, kBoxAutomatic, RBox{}, kMaskPrecise, 0);
}

bool Sprite_LoadFromFile(CSprite& sprite, const std::string& gameName, int32_t imgnumb, bool removeback, bool smooth,
                         int32_t xo, int32_t yo)
{
    std::vector<uint8_t> bytes;
    if (!Image_ReadFile(gameName, bytes))
        return false;
    if (Image_HasExtension(gameName, kSpriteFileExtension))
        return Sprite_LoadFromSpriteBytes(sprite, bytes);
    return Sprite_LoadFromPictureBytes(sprite, bytes.data(), bytes.size(), Image_HasExtension(gameName, ".gif"), imgnumb,
                                       removeback, smooth, xo, yo);
}

bool Sprite_LoadFromPictureBytes(CSprite& sprite, const uint8_t* data, size_t size, bool animation, int32_t imgnumb,
                                 bool removeback, bool smooth, int32_t xo, int32_t yo)
{
    CSprite loaded;
    bool ok = animation ? LoadAnimation(loaded, data, size, removeback, smooth)
                        : LoadStrip(loaded, data, size, imgnumb, removeback, smooth);
    if (!ok)
        return false;
    loaded.i_xorig = xo;
    loaded.i_yorig = yo;
    Sprite_ComputeDefaultMasks(loaded, false);
    sprite = std::move(loaded);
    return true;
}

bool Sprite_LoadFromSpriteFile(CSprite& sprite, const std::string& gameName)
{
    std::vector<uint8_t> bytes;
    return Image_ReadFile(gameName, bytes) && Sprite_LoadFromSpriteBytes(sprite, bytes);
}

bool Sprite_LoadFromSpriteBytes(CSprite& sprite, const std::vector<uint8_t>& bytes)
{
    try {
        std::unique_ptr<CStream> body = Image_OpenRunnerFile(bytes, kSpriteFileVersion);
        if (!body)
            return false;
        CSprite loaded;
        loaded.i_xorig = body->ReadInteger();
        loaded.i_yorig = body->ReadInteger();
        const int32_t count = body->ReadInteger();
        // Each image takes at least 12 bytes.
        if (count < 0 || uint64_t(count) * 12 > body->Size() - body->Position())
            return false;
        loaded.i_bitmap.resize(static_cast<size_t>(count));
        for (TBitmap32& image : loaded.i_bitmap) {
            if (!image.LoadFromStream(*body) || image.Width() != loaded.i_bitmap[0].Width() ||
                image.Height() != loaded.i_bitmap[0].Height())
                return false;
            Image_BleedColors(image);
        }
        RMaskSettings settings;
        settings.kind = body->ReadInteger();
        settings.tolerance = body->ReadInteger();
        const bool sepmasks = body->ReadBoolean();
        settings.bbmode = body->ReadInteger();
        settings.bbox.left = body->ReadInteger();
        settings.bbox.right = body->ReadInteger();
        settings.bbox.bottom = body->ReadInteger();
        settings.bbox.top = body->ReadInteger();
        loaded.ComputeMask(sepmasks, settings.bbmode, settings.bbox, settings.kind, settings.tolerance);
        sprite = std::move(loaded);
        return true;
    } catch (const EStreamError&) {
        return false; // a damaged file changes nothing
    }
}

bool Sprite_SaveToSpriteFile(const CSprite& sprite, const std::string& gameName)
{
    CStream body;
    body.WriteInteger(kSpriteFileVersion);
    body.WriteInteger(sprite.i_xorig);
    body.WriteInteger(sprite.i_yorig);
    body.WriteInteger(sprite.Count());
    for (const TBitmap32& image : sprite.i_bitmap)
        image.SaveToStream(body);
    const RMaskSettings& settings = sprite.i_masksettings;
    body.WriteInteger(settings.kind);
    body.WriteInteger(settings.tolerance);
    body.WriteBoolean(sprite.i_sepmasks);
    body.WriteInteger(settings.bbmode);
    body.WriteInteger(settings.bbox.left);
    body.WriteInteger(settings.bbox.right);
    body.WriteInteger(settings.bbox.bottom);
    body.WriteInteger(settings.bbox.top);
    return Image_SaveRunnerFile(gameName, body);
}

void Sprite_CreateFromBitmap(CSprite& sprite, TBitmap32 picture, int32_t removeback, bool smooth, int32_t xo,
                             int32_t yo)
{
    Image_PrepareTaken(picture, removeback, smooth, true);
    sprite.Clear();
    sprite.i_bitmap.push_back(std::move(picture));
    sprite.i_xorig = xo;
    sprite.i_yorig = yo;
    Sprite_ComputeDefaultMasks(sprite, false);
}

void Sprite_AddFromBitmap(CSprite& sprite, TBitmap32 picture, int32_t removeback, bool smooth)
{
    Image_PrepareTaken(picture, removeback, smooth, false);
    Image_Stretch(picture, sprite.Width(), sprite.Height(), 1);
    sprite.i_bitmap.push_back(std::move(picture));
    RebuildMasks(sprite);
}

void Sprite_AddFromSprite(CSprite& sprite, const CSprite& other)
{
    const std::vector<TBitmap32> added = other.i_bitmap; // other may be sprite itself
    const int32_t w = sprite.Width(), h = sprite.Height();
    for (TBitmap32 image : added) {
        Image_Stretch(image, w, h, 1);
        sprite.i_bitmap.push_back(std::move(image));
    }
    RebuildMasks(sprite);
}

void Sprite_SetAlphaFromSprite(CSprite& sprite, const CSprite& other)
{
    if (other.i_bitmap.empty())
        return;
    const std::vector<TBitmap32> sources = other.i_bitmap; // other may be sprite itself
    for (size_t k = 0; k < sprite.i_bitmap.size(); ++k)
        Image_AlphaFromIntensity(sprite.i_bitmap[k], sources[k % sources.size()]);
}

TBitmap32 Sprite_StripPicture(const CSprite& sprite)
{
    const int32_t w = sprite.Width(), h = sprite.Height();
    TBitmap32 strip;
    if (sprite.Count() == 0 || w <= 0 || h <= 0 || uint64_t(w) * sprite.Count() > 0x7FFFFFFF)
        return strip;
    strip.SetSize(w * sprite.Count(), h);
    for (int32_t k = 0; k < sprite.Count(); ++k) {
        const TBitmap32& image = sprite.i_bitmap[static_cast<size_t>(k)];
        for (int32_t y = 0; y < std::min(h, image.Height()); ++y)
            std::memcpy(strip.Row(y) + static_cast<size_t>(k) * w * 4, image.Row(y),
                        static_cast<size_t>(std::min(w, image.Width())) * 4);
    }
    return strip;
}
