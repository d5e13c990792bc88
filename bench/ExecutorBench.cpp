// The interpreter on typical work: arithmetic loops over instance and local
// variables, array elements, script calls and with over many instances.
#include "code/ArgumentVariables.h"
#include "code/Code.h"
#include "code/Constants.h"
#include "code/Executor.h"
#include "code/Scripts.h"
#include "code/VariableCatalogue.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Script.h"
#include "world/Instance.h"
#include "world/InstanceList.h"
#include "world/World.h"

#include <benchmark/benchmark.h>

namespace {

struct RWorld {
    CInstanceLists room;
    CInstance* self = nullptr;

    RWorld()
    {
        Code_ImplementArgumentVariables();
        Variable_RegisterAll();
        Constant_Add("all", RValue(-3.0));
        Objects.Set(0, std::make_unique<CObject>(), "obj_enemy");
        Room_SetInstances(&room);
        self = room.AddInstance(0, 0, 0, 100001);
        auto script = std::make_unique<CScript>();
        script->s_text = "return argument0 * 2 + argument1;";
        Scripts.Set(0, std::move(script), "scr_combine");
        Script_Compile(0);
    }
};

RWorld& World()
{
    static RWorld world;
    return world;
}

void RunProgram(benchmark::State& state, const std::string& text, int64_t operationsPerRun)
{
    RWorld& world = World();
    CCode code(text, false);
    if (!code.Compile()) {
        state.SkipWithError(code.ErrorMessage().c_str());
        return;
    }
    for (auto _ : state) {
        RValue result;
        if (!Code_Execute(world.self, world.self, code, result))
            state.SkipWithError(Code_PendingError().c_str());
    }
    state.SetItemsProcessed(state.iterations() * operationsPerRun);
}

void BM_ArithmeticLoop(benchmark::State& state)
{
    RunProgram(state, "total = 0; for (i = 0; i < 10000; i += 1) { total += i * 2 - 1; }", 10000);
}
BENCHMARK(BM_ArithmeticLoop)->Unit(benchmark::kMicrosecond);

void BM_LocalLoop(benchmark::State& state)
{
    RunProgram(state, "var i, t; t = 0; for (i = 0; i < 10000; i += 1) { t += i * 2 - 1; }", 10000);
}
BENCHMARK(BM_LocalLoop)->Unit(benchmark::kMicrosecond);

void BM_ArrayLoop(benchmark::State& state)
{
    RunProgram(state, "for (i = 0; i < 10000; i += 1) { grid[i mod 100, i div 100] = i; s = grid[i mod 100, 0]; }",
               10000);
}
BENCHMARK(BM_ArrayLoop)->Unit(benchmark::kMicrosecond);

void BM_ScriptCalls(benchmark::State& state)
{
    RunProgram(state, "s = 0; repeat (10000) { s = scr_combine(s, 1) mod 1000; }", 10000);
}
BENCHMARK(BM_ScriptCalls)->Unit(benchmark::kMicrosecond);

void BM_StringBuilding(benchmark::State& state)
{
    RunProgram(state, "s = ''; repeat (1000) { s += 'ab'; } t = s;", 1000);
}
BENCHMARK(BM_StringBuilding)->Unit(benchmark::kMicrosecond);

void BM_WithOverInstances(benchmark::State& state)
{
    RWorld& world = World();
    while (world.room.InstanceCount() < 1001)
        world.room.AddInstance(0, 0, 0, 100002 + world.room.InstanceCount());
    RunProgram(state, "with (obj_enemy) { hp = 10; hp -= 1; }", 1001);
}
BENCHMARK(BM_WithOverInstances)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
