// Compiled scripts and script calls.
#include "code/Scripts.h"

#include "code/Code.h"
#include "code/ErrorReport.h"
#include "code/Executor.h"
#include "data/Resources.h"
#include "data/Script.h"

#include <algorithm>
#include <memory>
#include <vector>

std::vector<std::unique_ptr<CCode>> ScriptDetail::Compiled;

namespace {

using ScriptDetail::Compiled;
std::string CompileError;

} // namespace

void Script_ClearCompiled()
{
    Compiled.clear();
}

bool Script_Compile(int32_t index)
{
    const CScript* script = Scripts.Get(index);
    if (!script)
        return false;
    if (static_cast<int32_t>(Compiled.size()) <= index)
        Compiled.resize(static_cast<size_t>(index) + 1);
    auto code = std::make_unique<CCode>(script->s_text, false);
    code->MarkAsScript();
    bool ok = code->Compile();
    CompileError = ok ? std::string() : code->ErrorMessage();
    Compiled[static_cast<size_t>(index)] = ok ? std::move(code) : nullptr;
    return ok;
}

const std::string& Script_CompileError()
{
    return CompileError;
}

bool Script_CompileAll()
{
    Compiled.clear();
    Compiled.resize(static_cast<size_t>(Scripts.Count()));
    for (int32_t k = 0; k < Scripts.Count(); ++k) {
        if (!Scripts.Exists(k))
            continue;
        if (!Script_Compile(k)) {
            Error_Show("COMPILATION ERROR in Script: " + Scripts.Name(k) + "\r" + CompileError, true);
            return false;
        }
    }
    return true;
}

bool Script_RunCode(const CCode& code, int32_t runningScript, CInstance* self, CInstance* other, RValue& result,
                    const RValue* arguments, int count)
{
    CExecutionContext& context = Code_Context();
    count = std::clamp(count, 0, static_cast<int>(kArgumentSlots));
    const CExecutionContext::RStackMark mark = context.Mark();
    RValue* slots = context.PushFrame(kArgumentSlots);
    for (int k = 0; k < count; ++k)
        slots[k] = arguments[k];
    const RArgumentFrame caller = context.SwapArguments(RArgumentFrame{slots, count, count, runningScript});
    result = RValue();
    bool ok = Code_Evaluate(context, self, other, code, result);
    context.RestoreArguments(caller);
    context.Restore(mark);
    return ok;
}

bool Script_Execute(CExecutionContext& context, int32_t index, RValue& result, bool check, const RValue* arguments,
                    int count)
{
    return Code_CallScript(context, index, result, check, arguments, count);
}

bool Script_Execute(int32_t index, CInstance* self, CInstance* other, RValue& result, bool check,
                    const RValue* arguments, int count)
{
    CExecutionContext& context = Code_Context();
    CInstance* savedSelf = context.Self();
    CInstance* savedOther = context.Other();
    context.SetInstances(self, other);
    bool ok = Script_Execute(context, index, result, check, arguments, count);
    context.SetInstances(savedSelf, savedOther);
    return ok;
}
