// Feeds arbitrary text to the input-script reader. A script it accepts must
// come out in step order, and taking its inputs step by step must give each
// exactly once.
#include "runner/InputScript.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

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
    size_t total = script.TakeDue(int64_t(1) << 40).size();
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
    return 0;
}
