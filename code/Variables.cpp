// The built-in variable table, the user-variable name table and the globals.
#include "code/Variables.h"

#include "data/Stream.h"
#include "platform/MessageBox.h"

#include <unordered_map>

CVariableList GlobalVars;
std::vector<RBuiltinVariable> VariableDetail::Builtins;

namespace {

using VariableDetail::Builtins;

constexpr int32_t kGlobalVersion = 700;
constexpr size_t kInitialDeclared = 10000;

std::unordered_map<std::string, int32_t> BuiltinIndex; // name → first number
RArgumentVariables ArgumentNumbers;

std::vector<std::string> UserNames;
std::unordered_map<std::string, int32_t> UserIndex;

} // namespace

std::vector<uint8_t> GlobalDeclared(kInitialDeclared, 0);

int32_t Variable_AddBuiltin(const std::string& name, TVariableGetter getter, TVariableSetter setter, bool canset)
{
    if (static_cast<int32_t>(Builtins.size()) >= kMaxBuiltinVariables) {
        Platform_ShowMessage("INTERNAL ERROR: Adding too many variables");
        return -1;
    }
    int32_t number = static_cast<int32_t>(Builtins.size());
    Builtins.push_back(RBuiltinVariable{name, getter, setter, canset});
    BuiltinIndex.emplace(name, number);
    if (name == "argument0")
        ArgumentNumbers.argument0 = number;
    else if (name == "argument15")
        ArgumentNumbers.argument15 = number;
    else if (name == "argument")
        ArgumentNumbers.argument = number;
    return number;
}

int32_t Variable_FindBuiltin(std::string_view name)
{
    auto found = BuiltinIndex.find(std::string(name));
    return found == BuiltinIndex.end() ? -1 : found->second;
}

int32_t Variable_BuiltinCount()
{
    return static_cast<int32_t>(Builtins.size());
}

void Variable_ClearBuiltins()
{
    Builtins.clear();
    BuiltinIndex.clear();
    ArgumentNumbers = RArgumentVariables();
}

const RArgumentVariables& Variable_ArgumentNumbers()
{
    return ArgumentNumbers;
}

int32_t Code_Variable_Lookup(std::string_view name)
{
    std::string key(name);
    if (auto builtin = BuiltinIndex.find(key); builtin != BuiltinIndex.end())
        return builtin->second;
    if (auto user = UserIndex.find(key); user != UserIndex.end())
        return user->second;
    return -1;
}

int32_t Code_Variable_Find(std::string_view name)
{
    int32_t found = Code_Variable_Lookup(name);
    if (found >= 0)
        return found;
    int32_t number = kFirstUserVariable + static_cast<int32_t>(UserNames.size());
    UserNames.emplace_back(name);
    UserIndex.emplace(std::string(name), number);
    return number;
}

std::string Code_Variable_Name(int32_t varIndex)
{
    if (varIndex < kFirstUserVariable) {
        const RBuiltinVariable* builtin = Variable_Builtin(varIndex);
        return builtin ? builtin->name : "<unknown built-in variable>";
    }
    size_t position = static_cast<size_t>(varIndex - kFirstUserVariable);
    return position < UserNames.size() ? UserNames[position] : "<unknown variable>";
}

void Variable_Init()
{
    GlobalVars.Clear();
    GlobalDeclared.assign(kInitialDeclared, 0);
}

void Variable_DeclareGlobal(int32_t varIndex)
{
    if (varIndex < kFirstUserVariable)
        return;
    size_t position = static_cast<size_t>(varIndex - kFirstUserVariable);
    if (position >= GlobalDeclared.size())
        GlobalDeclared.resize(position + 1, 0);
    GlobalDeclared[position] = 1;
    GlobalVars.Init(varIndex);
}

void Variable_SaveGlobals(CStream& stream)
{
    stream.WriteInteger(kGlobalVersion);
    GlobalVars.SaveToStream(stream);
    stream.WriteInteger(static_cast<int32_t>(GlobalDeclared.size()));
    for (uint8_t declared : GlobalDeclared)
        stream.WriteBoolean(declared != 0);
}

bool Variable_ReadGlobals(CStream& stream, RGlobalsBlock& block)
{
    if (stream.ReadInteger() != kGlobalVersion || !block.vars.LoadFromStream(stream))
        return false;
    int32_t count = stream.ReadInteger();
    if (count < 0 || static_cast<size_t>(count) > (stream.Size() - stream.Position()) / 4)
        throw EStreamError("Stream read error");
    block.declared.assign(static_cast<size_t>(count), 0);
    for (int32_t k = 0; k < count; ++k)
        block.declared[static_cast<size_t>(k)] = stream.ReadBoolean() ? 1 : 0;
    return true;
}

void Variable_ReplaceGlobals(RGlobalsBlock&& block)
{
    GlobalVars = std::move(block.vars);
    GlobalDeclared = std::move(block.declared);
}

void Variable_LoadGlobals(CStream& stream)
{
    RGlobalsBlock block;
    if (Variable_ReadGlobals(stream, block))
        Variable_ReplaceGlobals(std::move(block));
}
