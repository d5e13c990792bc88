// Choosing the codec by a file's first bytes, reading files within the
// limits, and composing GIF frames as a viewer shows them.
#include "graphics/PictureFiles.h"

#include "graphics/PictureCodecs.h"
#include "platform/Files.h"

#include <cstring>

namespace {

enum class EKind { kUnknown, kPng, kBitmap, kJpeg, kGif };

EKind KindOf(const uint8_t* data, size_t size)
{
    auto starts = [&](const char* text, size_t n) { return size >= n && std::memcmp(data, text, n) == 0; };
    if (starts("\x89PNG", 4))
        return EKind::kPng;
    if (starts("BM", 2))
        return EKind::kBitmap;
    if (starts("\xFF\xD8", 2))
        return EKind::kJpeg;
    if (starts("GIF8", 4))
        return EKind::kGif;
    return EKind::kUnknown;
}

bool DecodeStill(EKind kind, const uint8_t* data, size_t size, TBitmap32& image, RPictureError& error)
{
    switch (kind) {
    case EKind::kPng:
        return Png_Decode(data, size, image, error);
    case EKind::kJpeg:
        return Jpeg_Decode(data, size, image, error);
    case EKind::kBitmap:
        // The bitmap codec belongs to TBitmap32 (game data stores pictures in
        // that form); it refuses sizes beyond its own, larger, limit.
        if (image.LoadFromBitmapFile(data, size) && uint64_t(image.Width()) * image.Height() <= kPictureMaxPixels)
            return true;
        image.SetSize(0, 0);
        return Picture_Fail(error, EPictureError::kDamaged, "damaged or unsupported Windows bitmap picture");
    default:
        return Picture_Fail(error, EPictureError::kUnknownKind, "not a PNG, BMP, JPEG or GIF picture");
    }
}

bool ReadFile(const std::string& hostPath, std::vector<uint8_t>& bytes, RPictureError& error)
{
    bool tooLarge = false;
    if (Platform_ReadWholeFileLimited(hostPath, bytes, kPictureMaxFileBytes, tooLarge))
        return true;
    if (tooLarge)
        return Picture_Fail(error, EPictureError::kTooLarge, "the file is too large for a picture");
    return Picture_Fail(error, EPictureError::kUnreadable, "cannot read the file");
}

// Frames drawn one over the other: each layer's shown pixels replace the
// canvas's; then its disposal clears its rectangle or restores the canvas.
bool Compose(const RPictureLayers& picture, std::vector<TBitmap32>& frames, RPictureError& error)
{
    if (picture.width <= 0 || picture.height <= 0)
        return Picture_Fail(error, EPictureError::kDamaged, "damaged GIF picture (a screen without pixels)");
    TBitmap32 canvas(picture.width, picture.height);
    for (const RPictureLayer& layer : picture.layers) {
        TBitmap32 before;
        if (layer.disposal == kDisposalPrevious)
            before = canvas;
        for (int y = 0; y < layer.image.Height(); ++y) {
            const uint8_t* in = layer.image.Row(y);
            uint8_t* out = canvas.Row(layer.top + y) + static_cast<size_t>(layer.left) * 4;
            for (int x = 0; x < layer.image.Width(); ++x, in += 4, out += 4)
                if (in[3] != 0)
                    std::memcpy(out, in, 4);
        }
        frames.push_back(canvas);
        if (layer.disposal == kDisposalBackground) {
            for (int y = 0; y < layer.image.Height(); ++y)
                std::memset(canvas.Row(layer.top + y) + static_cast<size_t>(layer.left) * 4, 0,
                            static_cast<size_t>(layer.image.Width()) * 4);
        } else if (layer.disposal == kDisposalPrevious) {
            canvas = std::move(before);
        }
    }
    return true;
}

} // namespace

bool Picture_DecodeLayers(const uint8_t* data, size_t size, RPictureLayers& picture, RPictureError* error)
{
    RPictureError ignored;
    RPictureError& e = error ? *error : ignored;
    e = RPictureError();
    picture = RPictureLayers();
    const EKind kind = KindOf(data, size);
    if (kind == EKind::kGif)
        return Gif_DecodeLayers(data, size, picture, e);
    RPictureLayer layer;
    if (!DecodeStill(kind, data, size, layer.image, e))
        return false;
    picture.width = layer.image.Width();
    picture.height = layer.image.Height();
    picture.layers.push_back(std::move(layer));
    return true;
}

bool Picture_Decode(const uint8_t* data, size_t size, std::vector<TBitmap32>& frames, RPictureError* error)
{
    RPictureError ignored;
    RPictureError& e = error ? *error : ignored;
    e = RPictureError();
    frames.clear();
    const EKind kind = KindOf(data, size);
    if (kind != EKind::kGif) {
        TBitmap32 image;
        if (!DecodeStill(kind, data, size, image, e))
            return false;
        frames.push_back(std::move(image));
        return true;
    }
    RPictureLayers picture;
    if (!Gif_DecodeLayers(data, size, picture, e) || !Compose(picture, frames, e)) {
        frames.clear();
        return false;
    }
    return true;
}

bool Picture_DecodeFile(const std::string& hostPath, std::vector<TBitmap32>& frames, RPictureError* error)
{
    RPictureError ignored;
    RPictureError& e = error ? *error : ignored;
    frames.clear();
    std::vector<uint8_t> bytes;
    return ReadFile(hostPath, bytes, e) && Picture_Decode(bytes.data(), bytes.size(), frames, error);
}

bool Picture_DecodeLayersFile(const std::string& hostPath, RPictureLayers& picture, RPictureError* error)
{
    RPictureError ignored;
    RPictureError& e = error ? *error : ignored;
    picture = RPictureLayers();
    std::vector<uint8_t> bytes;
    return ReadFile(hostPath, bytes, e) && Picture_DecodeLayers(bytes.data(), bytes.size(), picture, error);
}

std::vector<uint8_t> Picture_EncodePng(const TBitmap32& bitmap)
{
    return Png_Encode(bitmap);
}

std::vector<uint8_t> Picture_EncodeBitmap(const TBitmap32& bitmap)
{
    if (bitmap.IsEmpty())
        return {};
    return bitmap.SaveToBitmapFile();
}
