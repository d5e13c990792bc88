// Compiled scripts and script calls.
#include "code/Scripts.h"

#include "code/Code.h"
#include "code/CodeError.h"
#include "code/ErrorReport.h"
#include "code/Executor.h"
#include "data/GameSettings.h"
#include "data/Resources.h"
#include "data/Script.h"

#include <memory>
#include <vector>

RScriptCallState ScriptCall;

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

bool Script_Execute(int32_t index, CInstance* self, CInstance* other, RValue& result, bool check,
                    const RValue* arguments, int count)
{
    const CCode* code = Script_Code(index);
    if (!code || !Scripts.Exists(index))
        return false;
    if (count > kArgumentSlots)
        count = kArgumentSlots;

    RScriptCallState saved = ScriptCall;
    ScriptCall.argumentCount = count;
    ScriptCall.runningName = Scripts.Name(index);
    for (int k = 0; k < kArgumentSlots; ++k)
        ScriptCall.arguments[k] = k < count ? arguments[k] : RValue();

    result = RValue();
    bool ok = Code_Evaluate(self, other, *code, result);
    const std::string& name = Scripts.Name(index);
    if (!ok)
        Code_ErrorMessage = "In script " + name + ":\r" + Code_ErrorMessage;
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
    ScriptCall = std::move(saved);
    return ok;
}
