// Decoding the picture forms the builder accepts, chosen by the file's
// first bytes rather than its name.
#include "tools/pack/PictureFiles.h"

#include "graphics/PngCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <gif_lib.h>
#include <jpeglib.h>

namespace {

// Damaged headers must not make us allocate without bound.
constexpr uint64_t kMaxPixels = uint64_t(1) << 28;

// ---------------------------------------------------------------- JPEG

struct RJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info)
{
    RJpegError* error = reinterpret_cast<RJpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

bool DecodeJpeg(const std::vector<uint8_t>& bytes, TBitmap32& image, std::string& error)
{
    jpeg_decompress_struct info;
    RJpegError jerr;
    info.err = jpeg_std_error(&jerr.manager);
    jerr.manager.error_exit = OnJpegError;
    // Everything the jump may skip lives outside this frame's locals that
    // setjmp would leave indeterminate.
    std::vector<uint8_t> row;
    if (setjmp(jerr.jump)) {
        error = jerr.message;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (uint64_t(info.output_width) * info.output_height > kMaxPixels) {
        error = "image too large";
        jpeg_destroy_decompress(&info);
        return false;
    }
    image.SetSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    row.resize(static_cast<size_t>(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        uint8_t* out = image.Row(y);
        for (size_t x = 0; x < info.output_width; ++x) {
            out[4 * x] = row[3 * x + 2];
            out[4 * x + 1] = row[3 * x + 1];
            out[4 * x + 2] = row[3 * x];
            out[4 * x + 3] = 255;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// ---------------------------------------------------------------- GIF

struct RGifSource {
    const std::vector<uint8_t>* bytes;
    size_t position;
};

int ReadGif(GifFileType* gif, GifByteType* target, int count)
{
    RGifSource* source = static_cast<RGifSource*>(gif->UserData);
    size_t left = source->bytes->size() - source->position;
    size_t take = std::min(left, static_cast<size_t>(count));
    std::memcpy(target, source->bytes->data() + source->position, take);
    source->position += take;
    return static_cast<int>(take);
}

// Every frame drawn onto the canvas as a viewer shows it, with the
// disposal of the frame before.
bool DecodeGif(const std::vector<uint8_t>& bytes, std::vector<TBitmap32>& frames, std::string& error)
{
    RGifSource source{&bytes, 0};
    int status = 0;
    GifFileType* gif = DGifOpen(&source, ReadGif, &status);
    if (!gif) {
        error = GifErrorString(status);
        return false;
    }
    if (DGifSlurp(gif) != GIF_OK || gif->SWidth <= 0 || gif->SHeight <= 0 ||
        uint64_t(gif->SWidth) * gif->SHeight * std::max(gif->ImageCount, 1) > kMaxPixels) {
        error = gif->Error ? GifErrorString(gif->Error) : "damaged or too large";
        DGifCloseFile(gif, &status);
        return false;
    }
    TBitmap32 canvas(gif->SWidth, gif->SHeight);
    for (int k = 0; k < gif->ImageCount; ++k) {
        const SavedImage& frame = gif->SavedImages[k];
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, k, &control);
        const ColorMapObject* colors = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        // Only a frame that hands the canvas back afterwards needs a copy of it.
        TBitmap32 before;
        if (control.DisposalMode == DISPOSE_PREVIOUS)
            before = canvas;
        const GifImageDesc& d = frame.ImageDesc;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                int cx = d.Left + x, cy = d.Top + y;
                int index = frame.RasterBits[static_cast<size_t>(y) * d.Width + x];
                if (cx >= canvas.Width() || cy >= canvas.Height() || index == control.TransparentColor || !colors ||
                    index >= colors->ColorCount)
                    continue;
                const GifColorType& c = colors->Colors[index];
                canvas.SetPixel(cx, cy, 0xFF000000u | uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue);
            }
        frames.push_back(canvas);
        if (control.DisposalMode == DISPOSE_BACKGROUND) {
            for (int y = d.Top; y < std::min(d.Top + d.Height, canvas.Height()); ++y)
                for (int x = d.Left; x < std::min(d.Left + d.Width, canvas.Width()); ++x)
                    canvas.SetPixel(x, y, 0);
        } else if (control.DisposalMode == DISPOSE_PREVIOUS) {
            canvas = std::move(before);
        }
    }
    DGifCloseFile(gif, &status);
    if (frames.empty()) {
        error = "no frames";
        return false;
    }
    return true;
}

bool StartsWith(const std::vector<uint8_t>& bytes, const char* text)
{
    size_t n = std::strlen(text);
    return bytes.size() >= n && std::memcmp(bytes.data(), text, n) == 0;
}

} // namespace

bool DecodePicture(const std::vector<uint8_t>& bytes, std::vector<TBitmap32>& frames, std::string& error)
{
    frames.clear();
    TBitmap32 image;
    if (StartsWith(bytes, "\x89PNG")) {
        if (!DecodePng(bytes.data(), bytes.size(), image, &error))
            return false;
    } else if (StartsWith(bytes, "BM")) {
        if (!image.LoadFromBitmapFile(bytes.data(), bytes.size())) {
            error = "damaged bitmap file";
            return false;
        }
    } else if (StartsWith(bytes, "\xFF\xD8")) {
        if (!DecodeJpeg(bytes, image, error))
            return false;
    } else if (StartsWith(bytes, "GIF8")) {
        return DecodeGif(bytes, frames, error);
    } else {
        error = "not a PNG, BMP, JPEG or GIF picture";
        return false;
    }
    frames.push_back(std::move(image));
    return true;
}
