// The function table and function lookup.
#include "code/Functions.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "code/Scripts.h"
#include "data/Resources.h"

#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

std::vector<RFunction> Table;
std::unordered_map<std::string_view, int32_t> TableIndex; // name → first index
RExtensionFunctionLookup Extensions;

} // namespace

void Function_Add(const char* name, TRoutine routine, int32_t argnumb)
{
    int32_t index = static_cast<int32_t>(Table.size());
    Table.push_back(RFunction{name, routine, argnumb});
    TableIndex.emplace(name, index);
}

bool Function_Find(std::string_view name, int32_t& number)
{
    int32_t script = Scripts.Find(name);
    if (script >= 0) {
        number = kFirstScriptFunction + script;
        return true;
    }
    int32_t id;
    if (Extensions.find && Extensions.find(name, id)) {
        number = kFirstExtensionFunction + id;
        return true;
    }
    return Function_FindBuiltin(name, number);
}

bool Function_FindBuiltin(std::string_view name, int32_t& number)
{
    auto found = TableIndex.find(name);
    if (found == TableIndex.end())
        return false;
    number = found->second;
    return true;
}

int32_t Function_ArgCount(int32_t number)
{
    if (number >= kFirstExtensionFunction)
        return Extensions.argumentCount ? Extensions.argumentCount(number - kFirstExtensionFunction) : -1;
    if (number >= kFirstScriptFunction)
        return kAnyArgumentCount;
    if (number < 0 || number >= static_cast<int32_t>(Table.size()))
        return -100;
    return Table[static_cast<size_t>(number)].f_argnumb;
}

const RFunction* Function_Get(int32_t number)
{
    if (number < 0 || number >= static_cast<int32_t>(Table.size()))
        return nullptr;
    return &Table[static_cast<size_t>(number)];
}

int32_t Function_Count()
{
    return static_cast<int32_t>(Table.size());
}

void Function_Clear()
{
    Table.clear();
    TableIndex.clear();
}

void Function_Reserve(size_t count)
{
    Table.reserve(count);
    TableIndex.reserve(count);
}

void Function_SetExtensionLookup(RExtensionFunctionLookup lookup)
{
    Extensions = std::move(lookup);
}

bool Function_CallExtension(int32_t id, CInstance* self, CInstance* other, RValue& result, RValue* args, int argc)
{
    if (!Extensions.call)
        return true;
    return Extensions.call(id, self, other, result, args, argc);
}

bool Function_Call(CExecutionContext& context, int32_t number, RValue& result, RValue* args, int argc)
{
    result = RValue();
    if (number >= kFirstExtensionFunction)
        return Function_CallExtension(number - kFirstExtensionFunction, context.Self(), context.Other(), result, args,
                                      argc);
    if (number >= kFirstScriptFunction)
        return Script_Execute(context, number - kFirstScriptFunction, result, true, args, argc);
    const RFunction* function = Function_Get(number);
    if (function && function->f_routine)
        return function->f_routine(context, result, argc, args);
    Error_ShowInEvent(Function_MissingRoutineMessage(function ? function->f_name : "?"), false);
    return true;
}

bool Function_Call(int32_t number, CInstance* self, CInstance* other, RValue& result, RValue* args, int argc)
{
    CExecutionContext& context = Code_Context();
    CInstance* savedSelf = context.Self();
    CInstance* savedOther = context.Other();
    context.SetInstances(self, other);
    bool ok = Function_Call(context, number, result, args, argc);
    context.SetInstances(savedSelf, savedOther);
    return ok;
}
