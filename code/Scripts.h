// Scripts at run time: their compiled code and the call of a script, with
// its own argument slots on the value stack and the argument count check.
#pragma once

#include "code/ExecutionContext.h"
#include "code/Value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCode;
class CInstance;

// Compiles every existing script in index order; at the first failure shows
// the fatal compile error and returns false.
bool Script_CompileAll();
// The compiled code of a script, or nullptr.
namespace ScriptDetail {
extern std::vector<std::unique_ptr<CCode>> Compiled;
}
inline const CCode* Script_Code(int32_t index)
{
    const auto& compiled = ScriptDetail::Compiled;
    return static_cast<uint32_t>(index) < compiled.size() ? compiled[static_cast<size_t>(index)].get() : nullptr;
}
// Compiles one script's text (scripts added at run time and tests); on
// failure the error is in Script_CompileError().
bool Script_Compile(int32_t index);
const std::string& Script_CompileError();
void Script_ClearCompiled();

// Runs code (not a script's own) with the arguments in argument slots of
// its own (the other slots 0), for self and other; runningScript names the
// script it runs as (-1 for code that is no script). False when the code
// failed. The slots around it are untouched.
bool Script_RunCode(const CCode& code, int32_t runningScript, CInstance* self, CInstance* other, RValue& result,
                    const RValue* arguments, int count);

// Calls script index for the context's self and other with the given
// arguments. False (with the pending error prefixed by the script's name)
// when the script failed or, with check on and the game checking argument
// counts, was given the wrong number; false without a message when there is
// no such script.
bool Script_Execute(CExecutionContext& context, int32_t index, RValue& result, bool check, const RValue* arguments,
                    int count);
// The same on the program's context, for self and other.
bool Script_Execute(int32_t index, CInstance* self, CInstance* other, RValue& result, bool check,
                    const RValue* arguments, int count);
