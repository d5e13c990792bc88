// Feeds arbitrary text to the input-script reader. A script it accepts must
// come out in step order, taking its inputs step by step must give each
// exactly once, and written out as a recording does, it must read back as
// the same inputs and the same dialog answers, due at the same steps.
#include "runner/InputScript.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

constexpr int64_t kExactSteps = 4096;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CInputScript script;
    std::string error;
    if (!script.Parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.txt", error)) {
        if (error.rfind("fuzz.txt:", 0) != 0 || !script.IsEmpty())
            std::abort();
        return 0;
    }
    CInputScript again;
    again.Parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.txt", error);
    std::vector<RScriptedInput> all = script.TakeDue(int64_t(1) << 40);
    size_t total = all.size();
    std::string written;
    for (const RScriptedInput& input : all)
        written += FormatScriptedInput(input) + "\n";
    // Each answer with the first step that gives it.
    std::vector<std::pair<int64_t, RDialogAnswer>> answers;
    {
        CInputScript byStep;
        byStep.Parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.txt", error);
        RDialogAnswer answer;
        for (int64_t step = 0; step <= (int64_t(1) << 40);) {
            if (byStep.TakeAnswer(step, answer)) {
                answers.emplace_back(step, answer);
                written += "step " + std::to_string(step) + " " + InputScript_FormatAnswer(answer) + "\n";
                continue;
            }
            // Small steps one by one (the step found is the answer's own);
            // past them by doubling (the step found is a later one).
            step = step < kExactSteps ? step + 1 : step * 2;
        }
    }
    CInputScript reread;
    if (!reread.Parse(written, "written", error))
        std::abort();
    std::vector<RScriptedInput> back = reread.TakeDue(int64_t(1) << 40);
    if (back.size() != all.size())
        std::abort();
    for (size_t k = 0; k < all.size(); ++k) {
        const RScriptedInput &x = all[k], &y = back[k];
        if (x.step != y.step || x.kind != y.kind || x.stick != y.stick || x.a != y.a || x.b != y.b || x.c != y.c ||
            x.d != y.d)
            std::abort();
    }
    size_t taken = 0;
    int64_t last = 0;
    while (again.HasMore()) {
        std::vector<RScriptedInput> next = again.TakeNext();
        if (next.empty() || next.front().step <= last)
            std::abort();
        for (const RScriptedInput& input : next) {
            if (input.step != next.front().step || input.stick < 0 || input.stick > 1)
                std::abort();
        }
        last = next.front().step;
        taken += next.size();
    }
    if (taken != total)
        std::abort();
    RDialogAnswer answer;
    for (const auto& [step, given] : answers)
        if ((step > 0 && step <= kExactSteps && reread.TakeAnswer(step - 1, answer)) ||
            !reread.TakeAnswer(step, answer) || !(answer == given))
            std::abort();
    if (reread.TakeAnswer(int64_t(1) << 40, answer))
        std::abort();
    return 0;
}
