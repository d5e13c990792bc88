// Loading time of a large game: 200 sprites of 256 × 256 pixels with 8
// images each, built in memory with the builder's own writers. Variants:
// one mask per sprite or per image, drawn or noisy images.
#include "data/GameData.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "data/Sprite.h"
#include "data/Stream.h"
#include "platform/MessageBox.h"
#include "tools/pack/GameBuilder.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <map>

namespace {

constexpr int kSprites = 200;
constexpr int kImages = 8;
constexpr int kSize = 256;

// Two kinds of images. Drawn: a shaded figure (a disk that moves from image
// to image) on a clear background, as sprites are usually exported.
// Noisy: colour everywhere, even under transparent pixels, with a pattern
// that compresses poorly; the worst case for loading.
TBitmap32 MakeImage(int sprite, int image, bool noisy)
{
    TBitmap32 b(kSize, kSize);
    double cx = 64 + image * 16, cy = 96 + (sprite % 7) * 8, r = 40 + sprite % 30;
    for (int y = 0; y < kSize; ++y) {
        uint8_t* row = b.Row(y);
        for (int x = 0; x < kSize; ++x) {
            double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            bool inside = d2 < r * r;
            if (!inside && !noisy)
                continue; // transparent black
            uint8_t shade = static_cast<uint8_t>(255 - 200 * d2 / (r * r + 1));
            row[4 * x] = noisy ? static_cast<uint8_t>(x + sprite) : shade;
            row[4 * x + 1] = noisy ? static_cast<uint8_t>(y + image * 8) : static_cast<uint8_t>(shade / 2 + sprite);
            row[4 * x + 2] = noisy ? static_cast<uint8_t>((x ^ y) & 0xF0) : static_cast<uint8_t>(64 + image * 16);
            row[4 * x + 3] = inside ? 255 : 0;
        }
    }
    return b;
}

const std::vector<uint8_t>& Game(bool separateMasks, bool noisy)
{
    static std::map<std::pair<bool, bool>, std::vector<uint8_t>> games;
    auto found = games.find({separateMasks, noisy});
    if (found != games.end())
        return found->second;
    GameProject project;
    project.Name = "bench";
    project.GameId = 77;
    for (int s = 0; s < kSprites; ++s) {
        auto sprite = std::make_unique<CSprite>();
        for (int i = 0; i < kImages; ++i)
            sprite->i_bitmap.push_back(MakeImage(s, i, noisy));
        sprite->ComputeMask(separateMasks, kBoxAutomatic, RBox(), kMaskPrecise, 0);
        project.Resources.Sprites.Set(s, std::move(sprite), "spr_" + std::to_string(s));
    }
    project.Resources.Rooms.Set(0, std::make_unique<CRoom>(), "room0");
    project.Resources.RoomOrder = {0};
    return games[{separateMasks, noisy}] = BuildGame(project, {});
}

void LoadGame(benchmark::State& state)
{
    Platform_SetMessageHook([](const std::string&) {});
    bool separateMasks = state.range(0) != 0;
    bool noisy = state.range(1) != 0;
    const std::vector<uint8_t>& game = Game(separateMasks, noisy);
    for (auto _ : state) {
        state.PauseTiming();
        ClearResources();
        CStream file{std::vector<uint8_t>(game)};
        state.ResumeTiming();
        GameLoadResult result = LoadGameDataFromStream(file, nullptr);
        if (result != GameLoadResult::Loaded || Sprites.Count() != kSprites)
            state.SkipWithError("the game did not load");
        benchmark::DoNotOptimize(Sprites.Get(kSprites - 1));
    }
    state.counters["game MB"] = static_cast<double>(game.size()) / 1e6;
    state.SetLabel(std::string(noisy ? "noisy" : "drawn") + " images, " +
                   (separateMasks ? "a mask per image" : "one mask per sprite"));
}

} // namespace

BENCHMARK(LoadGame)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK_MAIN();
