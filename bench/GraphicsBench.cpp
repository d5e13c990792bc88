// Textured quads per second: through the null device (the CPU side: quad
// corners, batching) and through the OpenGL device on SDL's offscreen driver,
// with one texture (one batch per frame) and with a texture change per quad
// (one draw call per quad), to show what batching buys.
#include "bench/BenchDisplay.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/TextureDraw.h"
#include "graphics/Textures.h"
#include "platform/NullVideo.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int kQuadsPerFrame = 10000;

void DrawFrames(benchmark::State& state, bool gl, bool alternate)
{
    if (!Bench_OpenDisplay(gl)) {
        state.SkipWithError("no OpenGL 3.3 context");
        Display_Close();
        return;
    }
    TBitmap32 picture(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            picture.SetPixel(x, y, 0xFF000000u | uint32_t(x * 16) << 16 | uint32_t(y * 16));
    int32_t textures[2] = {Texture_FromBitmap(picture), Texture_FromBitmap(picture)};
    IRenderDevice* device = Display_Device();
    TBitmap32 pixel;
    for (auto _ : state) {
        for (int k = 0; k < kQuadsPerFrame; ++k)
            Draw_TextureExt(textures[alternate ? k & 1 : 0], 0xFFFFFF, 1.0, 0.0, 1.0, 1.0, (k * 7) % 624,
                            (k * 13) % 464, 0, 0);
        device->Flush();
        // Reading a pixel waits until the device has drawn everything.
        Display_ReadScreen(0, 0, 1, 1, pixel);
    }
    state.SetItemsProcessed(state.iterations() * kQuadsPerFrame);
    state.counters["draw_calls_per_frame"] =
        static_cast<double>(device->Stats().drawCalls) / static_cast<double>(state.iterations());
    Display_Close();
}

void BM_QuadsNullDevice(benchmark::State& state)
{
    DrawFrames(state, false, false);
}
void BM_QuadsGl(benchmark::State& state)
{
    DrawFrames(state, true, false);
}
void BM_QuadsGlTextureChangePerQuad(benchmark::State& state)
{
    DrawFrames(state, true, true);
}

} // namespace

BENCHMARK(BM_QuadsNullDevice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuadsGl)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QuadsGlTextureChangePerQuad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
