// Feeds arbitrary bytes to the picture decoders of the builder (PNG, Windows
// bitmap, JPEG, GIF). A decoded picture has whole frames of its stated size.
#include "tools/pack/PictureFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<TBitmap32> frames;
    std::string error;
    if (!DecodePicture(std::vector<uint8_t>(data, data + size), frames, error)) {
        if (error.empty())
            std::abort();
        return 0;
    }
    if (frames.empty())
        std::abort();
    for (const TBitmap32& frame : frames)
        if (frame.Width() <= 0 || frame.Height() <= 0)
            std::abort();
    return 0;
}
