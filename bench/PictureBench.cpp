// Making sprites while a game runs: sprite_add of a 1024 × 1024 PNG strip of
// 8 images (decoding, cutting, masks and textures), the decoding alone, and
// libpng's own decoding of the same file as the yardstick; and
// sprite_create_from_surface of 512 × 512 on the null device and on OpenGL.
#include "bench/BenchDisplay.h"
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "graphics/Display.h"
#include "graphics/Graphics.h"
#include "graphics/PictureFiles.h"
#include "platform/Files.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// A picture of soft gradients with some grain, which compresses about as
// well as drawn game graphics do.
TBitmap32 StripPicture()
{
    TBitmap32 picture(1024, 1024);
    uint32_t seed = 12345;
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1024; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int frame = x / 128, fx = x % 128;
            const double d = std::hypot(fx - 64.0, (y % 128) - 64.0);
            const uint32_t alpha = d < 60 ? 255 : 0;
            const uint32_t grain = (seed >> 16) & 7;
            picture.SetPixel(x, y, alpha << 24 | uint32_t(frame * 30 + grain) << 16 | uint32_t(y / 4) << 8 |
                                       uint32_t(fx * 2));
        }
    return picture;
}

const std::string& StripFile()
{
    static const std::string path = [] {
        std::string file = (std::filesystem::temp_directory_path() / "brindle-bench-strip.png").string();
        std::vector<uint8_t> png = Picture_EncodePng(StripPicture());
        Platform_WriteWholeFile(file, png.data(), png.size());
        return file;
    }();
    return path;
}

std::vector<uint8_t> StripBytes()
{
    std::vector<uint8_t> bytes;
    Platform_ReadWholeFile(StripFile(), bytes);
    return bytes;
}

struct RMemoryRead {
    const uint8_t* data;
    size_t size, position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* source = static_cast<RMemoryRead*>(png_get_io_ptr(png));
    if (count > source->size - source->position)
        png_error(png, "read beyond the end");
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
}

// libpng's own reading, as a program using it directly would: from memory
// into 8-bit RGBA rows.
void BM_LibpngDecode(benchmark::State& state)
{
    const std::vector<uint8_t> bytes = StripBytes();
    std::vector<uint8_t> pixels(1024 * 1024 * 4);
    std::vector<png_bytep> rows(1024);
    for (int y = 0; y < 1024; ++y)
        rows[static_cast<size_t>(y)] = pixels.data() + static_cast<size_t>(y) * 4096;
    for (auto _ : state) {
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        RMemoryRead source{bytes.data(), bytes.size(), 0};
        if (setjmp(png_jmpbuf(png))) {
            state.SkipWithError("libpng failed");
            png_destroy_read_struct(&png, &info, nullptr);
            return;
        }
        png_set_read_fn(png, &source, ReadFromMemory);
        png_read_info(png, info);
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
        png_read_update_info(png, info);
        png_read_image(png, rows.data());
        png_read_end(png, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
}

// The runner's decoding of the same file, reading it included.
void BM_PictureDecodeFile(benchmark::State& state)
{
    StripFile();
    for (auto _ : state) {
        std::vector<TBitmap32> frames;
        if (!Picture_DecodeFile(StripFile(), frames))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(frames.data());
    }
}

RValue CallFunction(const char* name, std::vector<RValue> args)
{
    int32_t number = -1;
    Function_Find(name, number);
    RValue result;
    const int argc = static_cast<int>(args.size());
    args.resize(kMaxCallArguments);
    Function_Call(number, nullptr, nullptr, result, args.data(), argc);
    return result;
}

bool OpenDisplay(benchmark::State& state, bool gl)
{
    Graphics_RegisterFunctions();
    Function_RegisterAll();
    if (Bench_OpenDisplay(gl))
        return true;
    state.SkipWithError("no OpenGL 3.3 context");
    Display_Close();
    return false;
}

// sprite_add as a game calls it: the file read and decoded, cut into 8
// images, each prepared, the masks and the textures made (null device).
void BM_SpriteAddStrip(benchmark::State& state)
{
    StripFile();
    if (!OpenDisplay(state, false))
        return;
    for (auto _ : state) {
        RValue sprite = CallFunction("sprite_add", {RValue(StripFile()), RValue(8.0), RValue(0.0), RValue(0.0),
                                                    RValue(0.0), RValue(0.0)});
        if (sprite.val < 0)
            state.SkipWithError("sprite_add failed");
        state.PauseTiming();
        CallFunction("sprite_delete", {sprite});
        state.ResumeTiming();
    }
    ClearResources();
    Display_Close();
}

void SpriteFromSurface(benchmark::State& state, bool gl)
{
    if (!OpenDisplay(state, gl))
        return;
    const RValue surface = CallFunction("surface_create", {RValue(512.0), RValue(512.0)});
    CallFunction("surface_set_target", {surface});
    CallFunction("draw_clear_alpha", {RValue(0x336699), RValue(0.5)});
    CallFunction("draw_circle", {RValue(256.0), RValue(256.0), RValue(200.0), RValue(0.0)});
    CallFunction("surface_reset_target", {});
    for (auto _ : state) {
        RValue sprite = CallFunction("sprite_create_from_surface",
                                     {surface, RValue(0.0), RValue(0.0), RValue(512.0), RValue(512.0), RValue(1.0),
                                      RValue(0.0), RValue(0.0), RValue(0.0)});
        if (sprite.val < 0)
            state.SkipWithError("sprite_create_from_surface failed");
        state.PauseTiming();
        CallFunction("sprite_delete", {sprite});
        state.ResumeTiming();
    }
    ClearResources();
    Display_Close();
}

void BM_SpriteFromSurfaceNullDevice(benchmark::State& state)
{
    SpriteFromSurface(state, false);
}
void BM_SpriteFromSurfaceGl(benchmark::State& state)
{
    SpriteFromSurface(state, true);
}

} // namespace

BENCHMARK(BM_LibpngDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureDecodeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpriteAddStrip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpriteFromSurfaceNullDevice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpriteFromSurfaceGl)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
