// PNG pictures: decoding through libpng's simplified interface (any colour
// type and depth becomes 8-bit BGRA); encoding written here with zlib, as
// one chunk of unfiltered RGBA rows, so the bytes the runner writes are
// fixed by this file alone.
#include "graphics/PictureCodecs.h"

#include <png.h>
#include <zlib.h>

#include <cstring>

bool Png_Decode(const uint8_t* data, size_t size, TBitmap32& bitmap, RPictureError& error)
{
    bitmap.SetSize(0, 0);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size))
        return Picture_Fail(error, EPictureError::kDamaged, std::string("damaged PNG picture (") + image.message + ")");
    if (image.width == 0 || image.height == 0 || uint64_t(image.width) * image.height > kPictureMaxPixels) {
        png_image_free(&image);
        return Picture_Fail(error, EPictureError::kTooLarge,
                            "PNG picture of " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                                " pixels is too large");
    }
    image.format = PNG_FORMAT_BGRA;
    bitmap.SetSize(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, bitmap.Pixels(), 0, nullptr)) {
        std::string message = image.message;
        png_image_free(&image);
        bitmap.SetSize(0, 0);
        return Picture_Fail(error, EPictureError::kDamaged, "damaged PNG picture (" + message + ")");
    }
    return true;
}

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

// Length, type, data and the CRC-32 of type and data.
void PutChunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, size_t size)
{
    PutU32(out, static_cast<uint32_t>(size));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0)
        out.insert(out.end(), data, data + size);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32_z(crc, out.data() + start, out.size() - start);
    PutU32(out, static_cast<uint32_t>(crc));
}

} // namespace

std::vector<uint8_t> Png_Encode(const TBitmap32& bitmap)
{
    if (bitmap.IsEmpty())
        return {};
    const size_t w = static_cast<size_t>(bitmap.Width()), h = static_cast<size_t>(bitmap.Height());
    // Each row: filter byte 0, then red, green, blue, alpha per pixel.
    std::vector<uint8_t> raw((w * 4 + 1) * h);
    uint8_t* out = raw.data();
    for (size_t y = 0; y < h; ++y) {
        const uint8_t* in = bitmap.Row(static_cast<int>(y));
        *out++ = 0;
        for (size_t x = 0; x < w; ++x, in += 4, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = in[3];
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) !=
        Z_OK)
        return {};

    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> file(kSignature, kSignature + 8);
    file.reserve(8 + 25 + 12 + packedSize + 12);
    uint8_t header[13];
    for (int k = 0; k < 4; ++k) {
        header[k] = static_cast<uint8_t>(w >> (24 - 8 * k));
        header[4 + k] = static_cast<uint8_t>(h >> (24 - 8 * k));
    }
    header[8] = 8;  // bits per channel
    header[9] = 6;  // RGBA
    header[10] = 0; // deflate
    header[11] = 0; // adaptive filtering (every row uses filter 0)
    header[12] = 0; // not interlaced
    PutChunk(file, "IHDR", header, sizeof header);
    PutChunk(file, "IDAT", packed.data(), packedSize);
    PutChunk(file, "IEND", nullptr, 0);
    return file;
}
