// JPEG pictures through libjpeg, always as opaque RGB. libjpeg reports
// errors by a jump out of the decoder; warnings are kept quiet, except that
// data ending before the picture does counts as damage (libjpeg itself
// would fill the rest with grey and carry on).
#include "graphics/PictureCodecs.h"

#include <csetjmp>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

namespace {

struct RJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncated;
};

void OnJpegError(j_common_ptr info)
{
    RJpegError* error = reinterpret_cast<RJpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

void OnJpegMessage(j_common_ptr info, int level)
{
    RJpegError* error = reinterpret_cast<RJpegError*>(info->err);
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        error->truncated = true;
}

} // namespace

bool Jpeg_Decode(const uint8_t* data, size_t size, TBitmap32& image, RPictureError& error)
{
    image.SetSize(0, 0);
    jpeg_decompress_struct info;
    RJpegError jerr;
    info.err = jpeg_std_error(&jerr.manager);
    jerr.manager.error_exit = OnJpegError;
    jerr.manager.emit_message = OnJpegMessage;
    jerr.message[0] = 0;
    jerr.truncated = false;
    // Nothing below lives in a local that the jump would leave indeterminate:
    // the row buffer belongs to libjpeg's own pool.
    if (setjmp(jerr.jump)) {
        jpeg_destroy_decompress(&info);
        image.SetSize(0, 0);
        return Picture_Fail(error, EPictureError::kDamaged, std::string("damaged JPEG picture (") + jerr.message + ")");
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (uint64_t(info.image_width) * info.image_height > kPictureMaxPixels) {
        jpeg_destroy_decompress(&info);
        return Picture_Fail(error, EPictureError::kTooLarge,
                            "JPEG picture of " + std::to_string(info.image_width) + "x" +
                                std::to_string(info.image_height) + " pixels is too large");
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    image.SetSize(width, static_cast<int>(info.output_height));
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * 3, 1);
    while (info.output_scanline < info.output_height && !jerr.truncated) {
        uint8_t* out = image.Row(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, row, 1);
        const uint8_t* in = row[0];
        for (int x = 0; x < width; ++x, in += 3, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = 255;
        }
    }
    if (jerr.truncated) {
        jpeg_destroy_decompress(&info);
        image.SetSize(0, 0);
        return Picture_Fail(error, EPictureError::kDamaged, "damaged JPEG picture (the data ends too early)");
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}
