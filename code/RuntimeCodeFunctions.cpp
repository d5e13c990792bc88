// Code at run time: execute_string, execute_file, script_execute, and
// variables reached by name.
#include "code/RuntimeCodeFunctions.h"

#include "code/Code.h"
#include "code/ErrorReport.h"
#include "code/Executor.h"
#include "code/FunctionCatalogue.h"
#include "code/Scripts.h"
#include "code/VariableAccess.h"
#include "code/Variables.h"
#include "data/Resources.h"
#include "platform/Files.h"
#include "world/Instance.h"

#include <algorithm>

namespace {

// Runs text as a program with the arguments after the first in slots of its
// own; argument_count and the running script stay the caller's.
void ExecuteText(CExecutionContext& context, int argc, RValue& result, RValue* args, const std::string& text,
                 const char* heading)
{
    const CExecutionContext::RStackMark mark = context.Mark();
    RValue* slots = context.PushFrame(kArgumentSlots);
    int given = std::min(argc - 1, static_cast<int>(kArgumentSlots));
    for (int k = 0; k < given; ++k)
        slots[k] = args[k + 1];
    const RArgumentFrame& current = context.Arguments();
    const RArgumentFrame caller =
        context.SwapArguments(RArgumentFrame{slots, given, current.count, current.script});
    CCode code(text, false);
    if (!code.Compile())
        Error_Show(std::string(heading) + "\r" + code.ErrorMessage(), false);
    else
        Code_Run(context, context.Self(), context.Other(), code, result);
    context.RestoreArguments(caller);
    context.Restore(mark);
}

bool F_ExecuteString(CExecutionContext& context, RValue& result, int argc, RValue* args)
{
    if (argc == 0)
        return true;
    ExecuteText(context, argc, result, args, args[0].str.Text(), "COMPILATION ERROR in string to be executed");
    return true;
}

bool F_ExecuteFile(CExecutionContext& context, RValue& result, int argc, RValue* args)
{
    if (argc == 0)
        return true;
    std::vector<uint8_t> bytes;
    if (!Platform_ReadWholeFile(ToHostPath(args[0].str.Text()), bytes)) {
        Error_ShowInEvent("Trying to execute non-existing file.", false);
        return true;
    }
    // Each line followed by a carriage return, whatever ended it in the file.
    std::string text;
    std::string line;
    for (size_t k = 0; k < bytes.size(); ++k) {
        char c = static_cast<char>(bytes[k]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n')
                ++k;
            text += line + "\r";
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        text += line + "\r";
    ExecuteText(context, argc, result, args, text, "COMPILATION ERROR in file to be executed");
    return true;
}

bool F_ScriptExecute(CExecutionContext& context, RValue& result, int argc, RValue* args)
{
    if (argc == 0)
        return true;
    int64_t index = RoundToInteger(args[0].val);
    if (index < 0 || index > INT32_MAX || !Scripts.Exists(static_cast<int32_t>(index))) {
        Error_ShowInEvent("Trying to execute non-existing script.", false);
        return true;
    }
    // The script's failure is shown here, and the calling code goes on.
    context.ClearError();
    if (!Script_Execute(context, static_cast<int32_t>(index), result, true, args + 1, argc - 1) && context.Failed()) {
        Error_ShowInEvent(context.ErrorMessage(), false);
        context.ClearError();
    }
    return true;
}

// Indices of the array functions: false after the message when out of range.
bool ArrayIndex(const RValue* args, int first, int count, int32_t& arrayIndex)
{
    arrayIndex = 0;
    for (int k = 0; k < count; ++k) {
        int64_t i = RoundToInteger(args[first + k].val);
        if (i < 0 || i >= kArrayRowSize) {
            Error_ShowInEvent("Array index >= 32000", false);
            return false;
        }
        arrayIndex = arrayIndex * kArrayRowSize + static_cast<int32_t>(i);
    }
    return true;
}

int32_t NameNumber(const RValue& name)
{
    return Code_Variable_Find(name.str.Text());
}

bool ReadGlobal(int32_t var, int32_t arrayIndex, RValue& value)
{
    return GlobalVars.GetVar(var, arrayIndex, value);
}

bool ReadLocal(CInstance* self, int32_t var, int32_t arrayIndex, RValue& value)
{
    return Variable_GetOfInstance(self, var, arrayIndex, value);
}

bool F_VariableGlobalExists(CExecutionContext&, RValue& result, int, RValue* args)
{
    RValue value;
    result = RValue(ReadGlobal(NameNumber(args[0]), 0, value) ? 1.0 : 0.0);
    return true;
}

bool F_VariableLocalExists(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    int32_t var = NameNumber(args[0]);
    RValue value;
    result = RValue(var < kMaxBuiltinVariables || ReadLocal(self, var, 0, value) ? 1.0 : 0.0);
    return true;
}

template <int Indices, bool Global>
bool F_VariableGet(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    int32_t arrayIndex;
    if (!ArrayIndex(args, 1, Indices, arrayIndex))
        return true;
    int32_t var = NameNumber(args[0]);
    RValue value;
    if (Global ? ReadGlobal(var, arrayIndex, value) : ReadLocal(self, var, arrayIndex, value))
        result = value;
    return true;
}

template <int Indices, bool Global>
bool F_VariableSet(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    int32_t arrayIndex;
    if (!ArrayIndex(args, 1, Indices, arrayIndex))
        return true;
    int32_t var = NameNumber(args[0]);
    const RValue& value = args[1 + Indices];
    if (Global)
        GlobalVars.SetVar(var, arrayIndex, value);
    else
        Variable_SetOfInstance(self, var, arrayIndex, value);
    return true;
}

} // namespace

void Code_ImplementRuntimeCodeFunctions()
{
    Function_Implement("execute_string", &F_ExecuteString);
    Function_Implement("execute_file", &F_ExecuteFile);
    Function_Implement("script_execute", &F_ScriptExecute);
    Function_Implement("variable_global_exists", &F_VariableGlobalExists);
    Function_Implement("variable_local_exists", &F_VariableLocalExists);
    Function_Implement("variable_global_get", &F_VariableGet<0, true>);
    Function_Implement("variable_local_get", &F_VariableGet<0, false>);
    Function_Implement("variable_global_array_get", &F_VariableGet<1, true>);
    Function_Implement("variable_local_array_get", &F_VariableGet<1, false>);
    Function_Implement("variable_global_array2_get", &F_VariableGet<2, true>);
    Function_Implement("variable_local_array2_get", &F_VariableGet<2, false>);
    Function_Implement("variable_global_set", &F_VariableSet<0, true>);
    Function_Implement("variable_local_set", &F_VariableSet<0, false>);
    Function_Implement("variable_global_array_set", &F_VariableSet<1, true>);
    Function_Implement("variable_local_array_set", &F_VariableSet<1, false>);
    Function_Implement("variable_global_array2_set", &F_VariableSet<2, true>);
    Function_Implement("variable_local_array2_set", &F_VariableSet<2, false>);
}
