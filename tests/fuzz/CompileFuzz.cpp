// Feeds arbitrary text to the script compiler, with every built-in function,
// variable and constant of the runner registered. The first byte chooses a
// program or an expression; the compile must end in a program or an error.
#include "code/Code.h"
#include "code/CodeError.h"
#include "runner/Registration.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        std::string problem;
        if (!Runner_RegisterTables(problem))
            std::abort();
        return true;
    }();
    (void)ready;
    if (size == 0)
        return 0;
    bool expression = (data[0] & 1) != 0;
    CCode code(std::string(reinterpret_cast<const char*>(data + 1), size - 1), expression);
    bool compiled = code.Compile();
    // A failed compile always says why and where; a successful one leaves
    // no error and a program to run.
    if (compiled != code.ErrorMessage().empty() || compiled != (code.ErrorPlace().line == 0))
        std::abort();
    if (!compiled && (code.ErrorPlace().reason.empty() || code.ErrorPlace().column < 0))
        std::abort();
    if (compiled && code.Kind() != CCode::kConstantExpression && code.InstructionCount() == 0)
        std::abort();
    return 0;
}
