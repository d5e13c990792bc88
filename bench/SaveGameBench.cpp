// Saving and loading a room of 10,000 instances with 10 variables each
// (eight reals and two strings): into and out of memory, and through a file
// as game_save and game_load do it (written beside, flushed, renamed).
#include "code/Value.h"
#include "code/Variables.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "data/Stream.h"
#include "runner/Registration.h"
#include "world/Instance.h"
#include "world/Rooms.h"
#include "world/SaveGame.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kInstances = 10000;
constexpr int kVariables = 10;

// The files go to a folder of their own, removed when the program ends.
struct RFolder {
    std::string path;
    ~RFolder()
    {
        if (!path.empty())
            std::filesystem::remove_all(path);
    }
} Folder;

void SetUpWorld()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    std::string problem;
    Runner_RegisterTables(problem);
    Objects.Set(0, std::make_unique<CObject>(), "obj_unit");
    Rooms.Set(0, std::make_unique<CRoom>(), "rm_bench");
    GameResources.RoomOrder = {0};
    Game_Start();
    int32_t numbers[kVariables];
    for (int v = 0; v < kVariables; ++v)
        numbers[v] = Code_Variable_Find("bench_v" + std::to_string(v));
    for (int k = 0; k < kInstances; ++k) {
        CInstance* instance = CurrentRoom->AddInstance(k % 640, k % 480, 0, 100001 + k);
        for (int v = 0; v < kVariables; ++v)
            instance->i_vars.SetVar(numbers[v], 0,
                                    v < 8 ? RValue(k * 0.5 + v) : RValue("name " + std::to_string(k)));
    }
    char pattern[] = "/tmp/brindle-save-bench.XXXXXX";
    Folder.path = mkdtemp(pattern);
}

void BM_SaveToMemory(benchmark::State& state)
{
    SetUpWorld();
    size_t bytes = 0;
    for (auto _ : state) {
        CStream stream;
        SaveGame_Write(stream);
        bytes = stream.Size();
        benchmark::DoNotOptimize(stream.Memory());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);

void BM_LoadFromMemory(benchmark::State& state)
{
    SetUpWorld();
    CStream stream;
    SaveGame_Write(stream);
    for (auto _ : state) {
        if (SaveGame_Apply(stream) != ESaveRead::Loaded)
            state.SkipWithError("the save did not load");
    }
}
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state)
{
    SetUpWorld();
    const std::string file = Folder.path + "/bench.sav";
    for (auto _ : state) {
        if (!Game_Save(file, false))
            state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state)
{
    SetUpWorld();
    const std::string file = Folder.path + "/bench.sav";
    Game_Save(file, false);
    for (auto _ : state) {
        if (!Game_Load(file, false))
            state.SkipWithError("the load failed");
    }
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
