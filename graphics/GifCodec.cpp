// GIF pictures through giflib's record-by-record reader, so that every size
// is checked before anything is allocated for it (a frame header may claim
// 65535 × 65535 pixels). Each frame becomes a layer: its pixels with alpha
// 255, or 0 where the frame is transparent or names no colour, cut to the
// screen, with its place and disposal method.
#include "graphics/PictureCodecs.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace {

struct RGifSource {
    const uint8_t* data;
    size_t size;
    size_t position;
};

int ReadGif(GifFileType* gif, GifByteType* target, int count)
{
    RGifSource* source = static_cast<RGifSource*>(gif->UserData);
    size_t take = std::min(source->size - source->position, static_cast<size_t>(std::max(count, 0)));
    std::memcpy(target, source->data + source->position, take);
    source->position += take;
    return static_cast<int>(take);
}

// giflib has no text for some codes (0 among them).
std::string ErrorText(int code)
{
    const char* text = GifErrorString(code);
    return text ? text : "error " + std::to_string(code);
}

// The graphics control block that applies to the next frame: the first one
// met since the frame before, as giflib's own reader would attach it.
struct RControl {
    bool seen = false;
    int32_t disposal = DISPOSAL_UNSPECIFIED;
    int32_t transparent = NO_TRANSPARENT_COLOR;
};

class CGifReader {
public:
    CGifReader(GifFileType* gif, RPictureLayers& picture, RPictureError& error)
        : r_gif(gif), r_picture(picture), r_error(error)
    {
    }

    bool Read()
    {
        r_picture.width = r_gif->SWidth;
        r_picture.height = r_gif->SHeight;
        if (uint64_t(std::max(r_gif->SWidth, 0)) * uint64_t(std::max(r_gif->SHeight, 0)) > kPictureMaxPixels)
            return TooLarge();
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        do {
            if (DGifGetRecordType(r_gif, &record) == GIF_ERROR)
                return Damaged();
            if (record == IMAGE_DESC_RECORD_TYPE && !ReadFrame())
                return false;
            if (record == EXTENSION_RECORD_TYPE && !ReadExtension())
                return false;
        } while (record != TERMINATE_RECORD_TYPE);
        if (r_picture.layers.empty())
            return Picture_Fail(r_error, EPictureError::kDamaged, "damaged GIF picture (no frames)");
        return true;
    }

private:
    bool Damaged()
    {
        return Picture_Fail(r_error, EPictureError::kDamaged,
                            "damaged GIF picture (" + ErrorText(r_gif->Error) + ")");
    }
    bool TooLarge()
    {
        return Picture_Fail(r_error, EPictureError::kTooLarge, "GIF picture is too large");
    }

    bool ReadExtension()
    {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(r_gif, &code, &block) == GIF_ERROR)
            return Damaged();
        if (block && code == GRAPHICS_EXT_FUNC_CODE && !r_control.seen) {
            r_control.seen = true;
            GraphicsControlBlock control;
            // A block of the wrong length leaves the defaults, as giflib does.
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
                r_control.disposal = control.DisposalMode;
                r_control.transparent = control.TransparentColor;
            }
        }
        while (block) {
            if (DGifGetExtensionNext(r_gif, &block) == GIF_ERROR)
                return Damaged();
        }
        return true;
    }

    bool ReadFrame()
    {
        if (DGifGetImageDesc(r_gif) == GIF_ERROR)
            return Damaged();
        const GifImageDesc& d = r_gif->Image;
        if (d.Width <= 0 || d.Height <= 0)
            return Picture_Fail(r_error, EPictureError::kDamaged, "damaged GIF picture (a frame without pixels)");
        // Bounds on what the file makes us decode and keep: the frames as
        // stored, and the frames as shown at the screen's size.
        r_stored += uint64_t(d.Width) * uint64_t(d.Height);
        r_shown += uint64_t(std::max(r_picture.width, 1)) * uint64_t(std::max(r_picture.height, 1));
        if (r_stored > kPictureMaxPixels || r_shown > kPictureMaxPixels ||
            r_picture.layers.size() >= kPictureMaxFrames)
            return TooLarge();
        const ColorMapObject* colors = d.ColorMap ? d.ColorMap : r_gif->SColorMap;
        RPictureLayer& layer = r_picture.layers.emplace_back();
        layer.left = d.Left;
        layer.top = d.Top;
        layer.disposal = r_control.disposal;
        const int shownW = std::clamp(r_picture.width - d.Left, 0, d.Width);
        const int shownH = std::clamp(r_picture.height - d.Top, 0, d.Height);
        layer.image.SetSize(shownW, shownH);
        r_line.resize(static_cast<size_t>(d.Width));
        auto take = [&](int y) {
            if (DGifGetLine(r_gif, r_line.data(), d.Width) == GIF_ERROR)
                return false;
            if (y < shownH)
                Paint(layer.image.Row(y), shownW, colors);
            return true;
        };
        if (d.Interlace) {
            static const int kOffset[4] = {0, 4, 2, 1};
            static const int kJump[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = kOffset[pass]; y < d.Height; y += kJump[pass])
                    if (!take(y))
                        return Damaged();
        } else {
            for (int y = 0; y < d.Height; ++y)
                if (!take(y))
                    return Damaged();
        }
        r_control = RControl();
        return true;
    }

    void Paint(uint8_t* out, int width, const ColorMapObject* colors)
    {
        for (int x = 0; x < width; ++x, out += 4) {
            const int index = r_line[static_cast<size_t>(x)];
            if (index == r_control.transparent || !colors || index >= colors->ColorCount)
                continue; // SetSize left the pixel transparent black
            const GifColorType& c = colors->Colors[index];
            out[0] = c.Blue;
            out[1] = c.Green;
            out[2] = c.Red;
            out[3] = 255;
        }
    }

    GifFileType* r_gif;
    RPictureLayers& r_picture;
    RPictureError& r_error;
    RControl r_control;
    std::vector<GifPixelType> r_line; // one row of the frame being read
    uint64_t r_stored = 0;
    uint64_t r_shown = 0;
};

} // namespace

bool Gif_DecodeLayers(const uint8_t* data, size_t size, RPictureLayers& picture, RPictureError& error)
{
    picture = RPictureLayers();
    RGifSource source{data, size, 0};
    int status = 0;
    GifFileType* gif = DGifOpen(&source, ReadGif, &status);
    if (!gif)
        return Picture_Fail(error, EPictureError::kDamaged, "damaged GIF picture (" + ErrorText(status) + ")");
    bool ok = CGifReader(gif, picture, error).Read();
    DGifCloseFile(gif, &status);
    if (!ok)
        picture = RPictureLayers();
    return ok;
}
