// Compiled scripts and script calls.
#include "code/Scripts.h"

#include "code/Code.h"
#include "code/ErrorReport.h"
#include "code/Executor.h"
#include "data/GameSettings.h"
#include "data/Resources.h"
#include "data/Script.h"

#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<CCode>> Compiled;
std::string CompileError;

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

bool Script_Execute(CExecutionContext& context, int32_t index, RValue& result, bool check, const RValue* arguments,
                    int count)
{
    const CCode* code = Script_Code(index);
    if (!code || !Scripts.Exists(index))
        return false;
    if (count > kArgumentSlots)
        count = kArgumentSlots;
    if (count < 0)
        count = 0;

    // The script's slots live on the value stack; only those given are
    // written, the rest read as the real 0 until the script writes them.
    const CExecutionContext::RStackMark mark = context.Mark();
    RValue* slots = context.PushFrame(kArgumentSlots);
    for (int k = 0; k < count; ++k)
        slots[k] = arguments[k];
    const RArgumentFrame caller = context.SwapArguments(RArgumentFrame{slots, count, count, index});

    result = RValue();
    bool ok = Code_Evaluate(context, context.Self(), context.Other(), *code, result);
    const std::string& name = Scripts.Name(index);
    if (!ok)
        context.SetError("In script " + name + ":\r" + context.ErrorMessage());
    if (ok && check && Settings.CheckScriptArguments) {
        int32_t required = code->Args();
        bool atLeast = code->ArgsArray();
        if (atLeast ? count < required : count != required) {
            context.SetError("Illegal argument count calling script \"" + name + "\".\rScript requires " +
                             (atLeast ? "at least " : "") + std::to_string(required) + " arguments, " +
                             std::to_string(count) + " have been supplied.");
            ok = false;
        }
    }
    context.RestoreArguments(caller);
    context.Restore(mark);
    return ok;
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
