// One million calls of a two-real function of the suite's own C library
// (add): from game code in a loop, through the external_call routine as code
// calls it, and through the external function table alone. A loop calling
// the built-in abs instead gives what the loop and a call cost by themselves.
#include "code/Code.h"
#include "code/Executor.h"
#include "code/Functions.h"
#include "code/Variables.h"
#include "runner/Registration.h"
#include "system/ExternalFunctions.h"
#include "world/Instance.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kCalls = 1000000;

int32_t AddId()
{
    static int32_t id = [] {
        std::string problem;
        Runner_RegisterTables(problem);
        return External_Define(BRINDLE_TEST_LIBRARY, "add", 0, false, {false, false});
    }();
    return id;
}

void Report(benchmark::State& state)
{
    state.counters["ns_per_call"] = benchmark::Counter(static_cast<double>(state.iterations()) * kCalls,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void RunLoop(benchmark::State& state, const std::string& call)
{
    const int32_t id = AddId();
    if (id < 0) {
        state.SkipWithError("the test library did not load");
        return;
    }
    GlobalVars.SetVar(Code_Variable_Find("bench_f"), 0, RValue(static_cast<double>(id)));
    CCode code("var i, s; s = 0; for (i = 0; i < " + std::to_string(kCalls) + "; i += 1) s += " + call + "; return s;",
               false);
    code.Compile();
    CInstance self;
    self.Create(0, 0, 100001, 0);
    for (auto _ : state) {
        RValue result;
        Code_Execute(&self, &self, code, result);
        benchmark::DoNotOptimize(result.val);
    }
    Report(state);
}

void BM_ExternalCallFromCode(benchmark::State& state)
{
    RunLoop(state, "external_call(global.bench_f, i, 2.5)");
}
BENCHMARK(BM_ExternalCallFromCode)->Unit(benchmark::kMillisecond);

void BM_BuiltinCallFromCode(benchmark::State& state)
{
    RunLoop(state, "abs(i)");
}
BENCHMARK(BM_BuiltinCallFromCode)->Unit(benchmark::kMillisecond);

void BM_ExternalCallRoutine(benchmark::State& state)
{
    const int32_t id = AddId();
    int32_t routine = -1;
    Function_Find("external_call", routine);
    RValue args[16] = {RValue(static_cast<double>(id)), RValue(1.5), RValue(2.5)};
    for (auto _ : state) {
        for (int k = 0; k < kCalls; ++k) {
            RValue result;
            Function_Call(routine, nullptr, nullptr, result, args, 3);
            benchmark::DoNotOptimize(result.val);
        }
    }
    Report(state);
}
BENCHMARK(BM_ExternalCallRoutine)->Unit(benchmark::kMillisecond);

void BM_ExternalCallTable(benchmark::State& state)
{
    const int32_t id = AddId();
    RValue args[2] = {RValue(1.5), RValue(2.5)};
    for (auto _ : state) {
        for (int k = 0; k < kCalls; ++k) {
            RValue result;
            External_Call(id, args, 2, result);
            benchmark::DoNotOptimize(result.val);
        }
    }
    Report(state);
}
BENCHMARK(BM_ExternalCallTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
