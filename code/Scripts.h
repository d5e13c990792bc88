// Scripts at run time: their compiled code, the sixteen argument slots that
// all code shares, the argument count and the running script's name, and the
// call of a script with its argument handling.
#pragma once

#include "code/Value.h"

#include <cstdint>
#include <string>

class CCode;
class CInstance;

constexpr int kArgumentSlots = 16;

struct RScriptCallState {
    RValue arguments[kArgumentSlots];
    int32_t argumentCount = 0;
    int32_t runningScript = -1; // the script's index; -1 while no script runs
    // Slots from this one on hold the real 0: a call saves and restores
    // only the slots below it. Whatever writes a slot raises it.
    int32_t usedSlots = kArgumentSlots;

    void SetArgument(int slot, const RValue& value)
    {
        arguments[slot] = value;
        if (slot >= usedSlots)
            usedSlots = slot + 1;
    }
    // "<unknown>" while no script runs.
    std::string RunningName() const;
};
extern RScriptCallState ScriptCall;

// Compiles every existing script in index order; at the first failure shows
// the fatal compile error and returns false.
bool Script_CompileAll();
// The compiled code of a script, or nullptr.
const CCode* Script_Code(int32_t index);
// Compiles one script's text (scripts added at run time and tests).
bool Script_Compile(int32_t index);
void Script_ClearCompiled();

// Runs code with the arguments in the argument slots (the other slots 0) and
// restores the slots afterwards; runningScript names the script it runs as
// (-1 for code that is no script). False when the code failed.
bool Script_RunCode(const CCode& code, int32_t runningScript, CInstance* self, CInstance* other, RValue& result,
                    const RValue* arguments, int count);

// Calls script index with the given arguments. False (with the pending error
// message prefixed by the script's name) when the script failed or, with
// check on and the game checking argument counts, was given the wrong number.
bool Script_Execute(int32_t index, CInstance* self, CInstance* other, RValue& result, bool check,
                    const RValue* arguments, int count);
