// GIF and JPEG files written with giflib and libjpeg into memory.
#include "tests/support/PictureMaker.h"

#include <cstdio>
#include <cstdlib>
#include <gif_lib.h>
#include <jpeglib.h>

namespace {

int Append(GifFileType* gif, const GifByteType* data, int count)
{
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

} // namespace

std::vector<uint8_t> Test_MakeGif(int screenWidth, int screenHeight, const std::vector<RGifFrame>& frames)
{
    std::vector<uint8_t> bytes;
    int status = 0;
    GifFileType* gif = EGifOpen(&bytes, Append, &status);
    GifColorType colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, screenWidth, screenHeight, 2, 0, map);
    for (const RGifFrame& frame : frames) {
        GraphicsControlBlock control{};
        control.DisposalMode = frame.disposal;
        control.TransparentColor = frame.transparent;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced, nullptr);
        // An interlaced frame is stored in its four passes.
        std::vector<int> rows;
        if (frame.interlaced) {
            static const int offset[4] = {0, 4, 2, 1}, jump[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = offset[pass]; y < frame.height; y += jump[pass])
                    rows.push_back(y);
        } else {
            for (int y = 0; y < frame.height; ++y)
                rows.push_back(y);
        }
        for (int y : rows) {
            std::vector<GifPixelType> line(frame.pixels.begin() + y * frame.width,
                                           frame.pixels.begin() + (y + 1) * frame.width);
            EGifPutLine(gif, line.data(), frame.width);
        }
    }
    EGifCloseFile(gif, &status);
    GifFreeMapObject(map);
    return bytes;
}

std::vector<uint8_t> Test_MakeJpeg(int width, int height, uint8_t grey)
{
    jpeg_compress_struct info;
    jpeg_error_mgr jerr;
    info.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3, grey);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&info);
    free(out);
    return bytes;
}
