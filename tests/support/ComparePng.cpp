// compare-png ACTUAL EXPECTED [CHANNEL_TOLERANCE [MAX_PERCENT]]: whether two
// PNG pictures match, for drawing tests whose pixels come from a real
// drawing device. Pixels match when every channel differs by at most the
// tolerance (default 2); the pictures match when they have one size and no
// more than MAX_PERCENT of the pixels (default 0.1) fail to. Exit status 0
// for a match, 1 for a mismatch, 2 when a picture cannot be read.
#include "graphics/PictureFiles.h"
#include "platform/Files.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool Load(const char* path, TBitmap32& bitmap)
{
    std::vector<TBitmap32> frames;
    RPictureError error;
    if (!Picture_DecodeFile(path, frames, &error)) {
        std::fprintf(stderr, "compare-png: cannot read %s: %s\n", path, error.message.c_str());
        return false;
    }
    bitmap = std::move(frames[0]);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: compare-png ACTUAL EXPECTED [CHANNEL_TOLERANCE [MAX_PERCENT]]\n");
        return 2;
    }
    const int tolerance = argc > 3 ? std::atoi(argv[3]) : 2;
    const double maxPercent = argc > 4 ? std::atof(argv[4]) : 0.1;
    TBitmap32 actual, expected;
    if (!Load(argv[1], actual) || !Load(argv[2], expected))
        return 2;
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) {
        std::printf("size %dx%d, expected %dx%d\n", actual.Width(), actual.Height(), expected.Width(),
                    expected.Height());
        return 1;
    }
    long differing = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < actual.Height(); ++y) {
        for (int x = 0; x < actual.Width(); ++x) {
            uint32_t a = actual.PixelAt(x, y), e = expected.PixelAt(x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                if (std::abs(int((a >> shift) & 0xFF) - int((e >> shift) & 0xFF)) > tolerance) {
                    if (differing++ == 0) {
                        firstX = x;
                        firstY = y;
                    }
                    break;
                }
            }
        }
    }
    const double percent = 100.0 * double(differing) / (double(actual.Width()) * actual.Height());
    if (percent > maxPercent) {
        std::printf("%ld pixels (%.3f%%) differ, the first at %d,%d: 0x%08X, expected 0x%08X\n", differing, percent,
                    firstX, firstY, actual.PixelAt(firstX, firstY), expected.PixelAt(firstX, firstY));
        return 1;
    }
    return 0;
}
