// PNG decoding and encoding with libpng's simplified interface.
#include "graphics/PngCodec.h"

#include <png.h>

#include <cstdlib>
#include <cstring>

namespace {

// A damaged header must not make us allocate without bound.
constexpr uint64_t kMaxPixels = uint64_t(1) << 28;

} // namespace

bool DecodePng(const uint8_t* data, size_t size, TBitmap32& bitmap, std::string* error)
{
    bitmap.SetSize(0, 0);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) {
        if (error)
            *error = image.message;
        return false;
    }
    if (image.width == 0 || image.height == 0 || uint64_t(image.width) * image.height > kMaxPixels ||
        image.width > 0x7FFFFFFF || image.height > 0x7FFFFFFF) {
        png_image_free(&image);
        if (error)
            *error = "image too large";
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    bitmap.SetSize(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, bitmap.Pixels(), 0, nullptr)) {
        if (error)
            *error = image.message;
        png_image_free(&image);
        bitmap.SetSize(0, 0);
        return false;
    }
    return true;
}

std::vector<uint8_t> EncodePng(const TBitmap32& bitmap)
{
    if (bitmap.IsEmpty())
        return {};
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.Width());
    image.height = static_cast<png_uint_32>(bitmap.Height());
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t needed = 0;
    if (!png_image_write_to_memory(&image, nullptr, &needed, 0, bitmap.Pixels(), 0, nullptr))
        return {};
    std::vector<uint8_t> out(needed);
    if (!png_image_write_to_memory(&image, out.data(), &needed, 0, bitmap.Pixels(), 0, nullptr))
        return {};
    out.resize(needed);
    return out;
}
