// sound_capture_check: checks a WAV file rendered by --sound-capture.
//   sound_capture_check FILE FRAMES [FROM TO LEFT_MIN LEFT_MAX RIGHT_MIN RIGHT_MAX]...
// FRAMES is the exact length the capture must have; each window (seconds)
// gives the range its left and right RMS levels (full scale 1) must lie in.
// Prints each window's levels; the status is 0 when every check holds.
#include "platform/SoundFiles.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3 || (argc - 3) % 6 != 0) {
        std::fprintf(stderr, "usage: %s FILE FRAMES [FROM TO LEFT_MIN LEFT_MAX RIGHT_MIN RIGHT_MAX]...\n", argv[0]);
        return 2;
    }
    RPcm pcm;
    std::string error;
    if (!Platform_DecodeSoundFile(argv[1], 1, pcm, error)) {
        std::printf("FAIL cannot read %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    bool ok = true;
    const long long frames = std::atoll(argv[2]);
    if (pcm.channels != 2 || pcm.rate != 44100 || pcm.Frames() != frames) {
        std::printf("FAIL %d channels at %d Hz, %lld frames; expected 2 at 44100 Hz, %lld frames\n", pcm.channels,
                    pcm.rate, static_cast<long long>(pcm.Frames()), frames);
        ok = false;
    }
    for (int k = 3; k + 5 < argc; k += 6) {
        double from = std::atof(argv[k]), to = std::atof(argv[k + 1]);
        double limits[4];
        for (int j = 0; j < 4; ++j)
            limits[j] = std::atof(argv[k + 2 + j]);
        int64_t first = static_cast<int64_t>(from * pcm.rate);
        int64_t last = std::min<int64_t>(static_cast<int64_t>(to * pcm.rate), pcm.Frames());
        double sums[2] = {0, 0};
        for (int64_t f = first; f < last; ++f)
            for (int c = 0; c < 2; ++c) {
                double v = pcm.samples[static_cast<size_t>(2 * f + c)] / 32768.0;
                sums[c] += v * v;
            }
        double count = static_cast<double>(std::max<int64_t>(last - first, 1));
        double left = std::sqrt(sums[0] / count), right = std::sqrt(sums[1] / count);
        bool fits = last > first && left >= limits[0] && left <= limits[1] && right >= limits[2] && right <= limits[3];
        std::printf("%s %.3f-%.3f s: left %.4f (%g..%g), right %.4f (%g..%g)\n", fits ? "ok  " : "FAIL", from, to, left,
                    limits[0], limits[1], right, limits[2], limits[3]);
        ok = ok && fits;
    }
    return ok ? 0 : 1;
}
