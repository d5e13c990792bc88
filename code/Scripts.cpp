// Compiled scripts and script calls.
#include "code/Scripts.h"

#include "code/Code.h"
#include "code/CodeError.h"
#include "code/ErrorReport.h"
#include "code/Executor.h"
#include "data/GameSettings.h"
#include "data/Resources.h"
#include "data/Script.h"

#include <algorithm>
#include <memory>
#include <vector>

RScriptCallState ScriptCall;

std::string RScriptCallState::RunningName() const
{
    return runningScript >= 0 ? Scripts.Name(runningScript) : std::string("<unknown>");
}

namespace {

std::vector<std::unique_ptr<CCode>> Compiled;

} // namespace

void Script_ClearCompiled()
{
    Compiled.clear();
}

const CCode* Script_Code(int32_t index)
{
    if (index < 0 || index >= static_cast<int32_t>(Compiled.size()))
        return nullptr;
    return Compiled[static_cast<size_t>(index)].get();
}

bool Script_Compile(int32_t index)
{
    const CScript* script = Scripts.Get(index);
    if (!script)
        return false;
    if (static_cast<int32_t>(Compiled.size()) <= index)
        Compiled.resize(static_cast<size_t>(index) + 1);
    auto code = std::make_unique<CCode>(script->s_text, false);
    bool ok = code->Compile();
    Compiled[static_cast<size_t>(index)] = ok ? std::move(code) : nullptr;
    return ok;
}

bool Script_CompileAll()
{
    Compiled.clear();
    Compiled.resize(static_cast<size_t>(Scripts.Count()));
    for (int32_t k = 0; k < Scripts.Count(); ++k) {
        if (!Scripts.Exists(k))
            continue;
        if (!Script_Compile(k)) {
            Error_Show("COMPILATION ERROR in Script: " + Scripts.Name(k) + "\r" + Code_ErrorMessage, true);
            return false;
        }
    }
    return true;
}

bool Script_RunCode(const CCode& code, int32_t runningScript, CInstance* self, CInstance* other, RValue& result,
                    const RValue* arguments, int count)
{
    if (count > kArgumentSlots)
        count = kArgumentSlots;
    if (count < 0)
        count = 0;

    // Only the slots that can hold something are saved: most calls pass few
    // arguments, and this runs on every script call.
    const int32_t savedCount = ScriptCall.argumentCount;
    const int32_t savedScript = ScriptCall.runningScript;
    const int32_t savedUsed = ScriptCall.usedSlots;
    RValueBuffer<kArgumentSlots> saved(savedUsed);
    for (int k = 0; k < savedUsed; ++k)
        saved[k] = std::move(ScriptCall.arguments[k]);
    for (int k = 0; k < count; ++k)
        ScriptCall.arguments[k] = arguments[k];
    for (int k = count; k < savedUsed; ++k)
        ScriptCall.arguments[k] = RValue();
    ScriptCall.argumentCount = count;
    ScriptCall.runningScript = runningScript;
    ScriptCall.usedSlots = count;

    result = RValue();
    bool ok = Code_Evaluate(self, other, code, result);

    const int32_t usedNow = ScriptCall.usedSlots;
    for (int k = 0; k < savedUsed; ++k)
        ScriptCall.arguments[k] = std::move(saved[k]);
    for (int k = savedUsed; k < usedNow; ++k)
        ScriptCall.arguments[k] = RValue();
    ScriptCall.argumentCount = savedCount;
    ScriptCall.runningScript = savedScript;
    ScriptCall.usedSlots = savedUsed;
    return ok;
}

bool Script_Execute(int32_t index, CInstance* self, CInstance* other, RValue& result, bool check,
                    const RValue* arguments, int count)
{
    const CCode* code = Script_Code(index);
    if (!code || !Scripts.Exists(index))
        return false;
    bool ok = Script_RunCode(*code, index, self, other, result, arguments, count);
    const std::string& name = Scripts.Name(index);
    if (!ok)
        Code_ErrorMessage = "In script " + name + ":\r" + Code_ErrorMessage;
    count = std::clamp(count, 0, static_cast<int>(kArgumentSlots));
    if (ok && check && Settings.CheckScriptArguments) {
        int32_t required = code->Args();
        bool atLeast = code->ArgsArray();
        if (atLeast ? count < required : count != required) {
            Code_ErrorFlag = true;
            Code_ErrorMessage = "Illegal argument count calling script \"" + name + "\".\rScript requires " +
                                (atLeast ? "at least " : "") + std::to_string(required) + " arguments, " +
                                std::to_string(count) + " have been supplied.";
            ok = false;
        }
    }
    return ok;
}
