// Drawing 10,000 characters of text per frame (100 lines of 100 characters
// in the default font) and presenting: through the null device (the
// runner's own work: breaking lines, placing glyphs, batching) and through
// the OpenGL device on SDL's offscreen driver (Mesa's software renderer
// where there is no GPU), plain and with a colour gradient. Each frame ends
// by reading one pixel back so the device's work is inside the measured time.
#include "bench/BenchDisplay.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/ResourceTextures.h"
#include "graphics/Text.h"
#include "platform/NullVideo.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 100;
constexpr int kCharacters = 100;

std::vector<std::string> Lines()
{
    const std::string words = "The quick brown fox jumps over the lazy dog; 0123456789 PACK MY BOX WITH FIVE DOZEN JUGS! ";
    std::vector<std::string> lines;
    for (int k = 0; k < kLines; ++k) {
        std::string line;
        for (int c = 0; c < kCharacters; ++c)
            line += words[static_cast<size_t>(k * 7 + c) % words.size()];
        lines.push_back(line);
    }
    return lines;
}

void DrawTextFrames(benchmark::State& state, bool gl, bool gradient)
{
    if (!Bench_OpenDisplay(gl)) {
        state.SkipWithError("no OpenGL 3.3 context");
        Display_Close();
        return;
    }
    Text_ResetState();
    Text_DefaultFont();
    const std::vector<std::string> lines = Lines();
    const RTextColors colors{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 1.0};
    IRenderDevice* device = Display_Device();
    const RDeviceStats before = device->Stats();
    TBitmap32 pixel;
    for (auto _ : state) {
        device->Clear(0xFF000000);
        for (int k = 0; k < kLines; ++k) {
            if (gradient)
                Text_DrawColor(0, k * 4.8, lines[static_cast<size_t>(k)], -1, -1, colors);
            else
                Text_Draw(0, k * 4.8, lines[static_cast<size_t>(k)], -1, -1);
        }
        Display_EndFrameAndPresent();
        Display_ReadScreen(0, 0, 1, 1, pixel);
    }
    const RDeviceStats after = device->Stats();
    const double frames = static_cast<double>(state.iterations());
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["chars_per_frame"] = kLines * kCharacters;
    state.counters["draw_calls_per_frame"] = static_cast<double>(after.drawCalls - before.drawCalls) / frames;
    Display_Close();
}

void BM_Text10000CharactersNullDevice(benchmark::State& state)
{
    DrawTextFrames(state, false, false);
}
void BM_Text10000CharactersGl(benchmark::State& state)
{
    DrawTextFrames(state, true, false);
}
void BM_Text10000CharactersGradientGl(benchmark::State& state)
{
    DrawTextFrames(state, true, true);
}

// Measuring a wrapped paragraph, as games do every step to size boxes.
void BM_StringHeightWrapped(benchmark::State& state)
{
    Text_ResetState();
    Text_DefaultFont();
    std::string text;
    for (const std::string& line : Lines())
        text += line + " ";
    for (auto _ : state)
        benchmark::DoNotOptimize(Text_Height(text, -1, 300));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

} // namespace

BENCHMARK(BM_Text10000CharactersNullDevice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Text10000CharactersGl)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Text10000CharactersGradientGl)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StringHeightWrapped)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
