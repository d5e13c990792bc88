// Frames per second of the 3D benchmark scene (bench/d3d): textured blocks
// sharing one texture and a model of 20,000 triangles, lit by a directional
// and a point light, drawn through the script functions as a game calls
// them: through the null device (the runner's own work: shape vertices,
// batching) and through OpenGL on SDL's offscreen driver. Each frame ends by
// reading a pixel back, so the device's work is inside the time. The draw
// calls per frame stay the same whether 1,000 or 4,000 blocks are drawn.
#include "bench/BenchDisplay.h"
#include "code/FunctionCatalogue.h"
#include "code/Functions.h"
#include "graphics/Display.h"
#include "graphics/Graphics.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

// Calls a built-in function by name, as code does.
double Call(const char* name, std::initializer_list<double> arguments = {})
{
    int32_t number = -1;
    Function_Find(name, number);
    std::vector<RValue> args(kMaxCallArguments);
    int argc = 0;
    for (double a : arguments)
        args[static_cast<size_t>(argc++)] = RValue(a);
    RValue result;
    CExecutionContext context(nullptr, nullptr);
    Function_Get(number)->f_routine(context, result, argc, args.data());
    return result.val;
}

double BuildScene()
{
    Call("d3d_start");
    Call("d3d_set_lighting", {1});
    Call("d3d_light_define_ambient", {0x3C3C3C});
    Call("d3d_light_define_direction", {0, 1, 0.5, -1, 0xC8C8C8});
    Call("d3d_light_enable", {0, 1});
    Call("d3d_light_define_point", {1, 400, 300, 60, 400, 0x40A0FF});
    Call("d3d_light_enable", {1, 1});
    const double sheet = Call("d3d_model_create");
    for (int j = 0; j < 100; ++j) {
        Call("d3d_model_primitive_begin", {sheet, 5});
        for (int i = 0; i <= 100; ++i)
            for (int row = j; row <= j + 1; ++row)
                Call("d3d_model_vertex_normal",
                     {sheet, i * 4.0, row * 4.0, 8 * std::sin(i / 8.0) * std::cos(row / 8.0),
                      -0.5 * std::cos(i / 8.0) * std::cos(row / 8.0), 0.5 * std::sin(i / 8.0) * std::sin(row / 8.0), 1});
        Call("d3d_model_primitive_end", {sheet});
    }
    return sheet;
}

void DrawFrames(benchmark::State& state, bool gl, int blocks)
{
    Graphics_RegisterFunctions();
    Function_RegisterAll();
    if (!Bench_OpenDisplay(gl)) {
        state.SkipWithError("no OpenGL 3.3 context");
        Display_Close();
        return;
    }
    const double sheet = BuildScene();
    const double crate = Call("surface_get_texture", {Call("surface_create", {32, 32})});
    IRenderDevice* device = Display_Device();
    TBitmap32 pixel;
    int64_t calls = 0, frame = 0;
    for (auto _ : state) {
        device->ClearDepth();
        device->Clear(0xFF808080);
        Call("d3d_set_projection_ext", {-150, -150, 250, 400, 300, 0, 0, 0, 1, 60, 640.0 / 480, 1, 4000});
        Call("draw_set_color", {0xFFFFFF});
        const int64_t before = device->Stats().drawCalls;
        for (int i = 0; i < blocks; ++i) {
            const double x = (i % 40) * 20, y = (i / 40) * 20;
            Call("d3d_draw_block", {x, y, 0, x + 12, y + 12, 12.0 + (i % 7) * 4, crate, 1, 1});
        }
        Call("d3d_transform_set_rotation_z", {double(++frame)});
        Call("d3d_model_draw", {sheet, 0, 0, 40, -1});
        Call("d3d_transform_set_identity");
        device->Flush();
        calls += device->Stats().drawCalls - before;
        Display_ReadScreen(0, 0, 1, 1, pixel);
    }
    state.counters["draw_calls_per_frame"] = static_cast<double>(calls) / static_cast<double>(state.iterations());
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    Call("d3d_end");
    Display_Close();
}

void BM_D3DSceneNullDevice(benchmark::State& state)
{
    DrawFrames(state, false, static_cast<int>(state.range(0)));
}
void BM_D3DSceneGl(benchmark::State& state)
{
    DrawFrames(state, true, static_cast<int>(state.range(0)));
}

} // namespace

BENCHMARK(BM_D3DSceneNullDevice)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_D3DSceneGl)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(600);
BENCHMARK_MAIN();
