// Compiling a large script, and reading and writing variables and array
// elements in variable lists of several sizes.
#include "code/Code.h"
#include "code/Constants.h"
#include "code/Functions.h"
#include "code/Variables.h"

#include <benchmark/benchmark.h>

namespace {

void SetUpLanguage()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (int k = 0; k < 16; ++k)
        Variable_AddBuiltin("argument" + std::to_string(k), nullptr, nullptr, true);
    Variable_AddBuiltin("x", nullptr, nullptr, true);
    Function_Add("draw_text", nullptr, 3);
    Function_Add("point_distance", nullptr, 4);
    Constant_Add("c_red", RValue(255.0));
}

std::string LargeScript(int lines)
{
    std::string text;
    for (int k = 0; k < lines; ++k) {
        switch (k % 5) {
        case 0: text += "var i" + std::to_string(k % 50) + "; i" + std::to_string(k % 50) + " = argument0 * 2 + 1;\r\n"; break;
        case 1: text += "if (x > 10 && speed_" + std::to_string(k % 30) + " < 3) { x += 1; } else x -= 1;\r\n"; break;
        case 2: text += "for (j = 0; j < 10; j += 1) total[j, 2] = point_distance(x, 0, j, c_red);\r\n"; break;
        case 3: text += "draw_text(x, 32 * 4 + 1, 'score: ' + string_" + std::to_string(k % 20) + ");\r\n"; break;
        default: text += "// a comment line with words\r\n"; break;
        }
    }
    return text;
}

void BM_Compile5000Lines(benchmark::State& state)
{
    SetUpLanguage();
    std::string text = LargeScript(5000);
    for (auto _ : state) {
        CCode code(text, false);
        bool ok = code.Compile();
        if (!ok)
            state.SkipWithError(code.ErrorMessage().c_str());
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Compile5000Lines)->Unit(benchmark::kMillisecond);

// A list of n variables; each round reads and writes one of them.
void BM_VariableReadWrite(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    CVariableList list;
    std::vector<int32_t> numbers;
    for (int k = 0; k < count; ++k) {
        numbers.push_back(Code_Variable_Find("bench_var_" + std::to_string(k)));
        list.SetVar(numbers.back(), 0, RValue(static_cast<double>(k)));
    }
    size_t k = 0;
    for (auto _ : state) {
        int32_t number = numbers[k];
        const RValue* value = list.Lookup(number, 0);
        list.SetVar(number, 0, RValue(value->val + 1.0));
        k = k + 1 == numbers.size() ? 0 : k + 1;
    }
}
BENCHMARK(BM_VariableReadWrite)->Arg(4)->Arg(64)->Arg(4096);

void BM_ArrayElementReadWrite(benchmark::State& state)
{
    CVariableList list;
    int32_t grid = Code_Variable_Find("bench_grid");
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 100; ++j)
            list.SetVar(grid, i * kArrayRowSize + j, RValue(0.0));
    int i = 0, j = 0;
    for (auto _ : state) {
        int32_t index = i * kArrayRowSize + j;
        const RValue* value = list.Lookup(grid, index);
        list.SetVar(grid, index, RValue(value->val + 1.0));
        if (++j == 100) {
            j = 0;
            i = i + 1 == 100 ? 0 : i + 1;
        }
    }
}
BENCHMARK(BM_ArrayElementReadWrite);

void BM_StringValueCopy(benchmark::State& state)
{
    RValue text(std::string(200, 'x'));
    for (auto _ : state) {
        RValue copy = text;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_StringValueCopy);

} // namespace

BENCHMARK_MAIN();
