// Variable names and numbers, the built-in variable table and the game's
// global variables.
//
// Built-in variables are numbered 0..499 in registration order; every other
// name gets 100000 + its position in one run-wide name table that only grows.
// The same number names the same variable in every instance and list.
#pragma once

#include "code/Value.h"
#include "code/VariableList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CInstance;
class CStream;

constexpr int32_t kFirstUserVariable = 100000;
constexpr int32_t kMaxBuiltinVariables = 500;

// Getters fill value and succeed; setters apply value and say whether the
// write is allowed. Both take the flat array index of the access.
using TVariableGetter = bool (*)(CInstance* instance, int32_t arrayIndex, RValue& value);
using TVariableSetter = bool (*)(CInstance* instance, int32_t arrayIndex, const RValue& value);

struct RBuiltinVariable {
    std::string name;
    TVariableGetter getter = nullptr;
    TVariableSetter setter = nullptr;
    bool canset = false;
};

// Registers a built-in variable; returns its number, or -1 (with the internal
// error message) when the table is full.
int32_t Variable_AddBuiltin(const std::string& name, TVariableGetter getter, TVariableSetter setter, bool canset);
int32_t Variable_FindBuiltin(std::string_view name);
namespace VariableDetail {
extern std::vector<RBuiltinVariable> Builtins;
}
// The built-in variable of a number, or nullptr. Read on every access of a
// built-in variable, so it is inline.
inline const RBuiltinVariable* Variable_Builtin(int32_t varIndex)
{
    const auto& builtins = VariableDetail::Builtins;
    return static_cast<uint32_t>(varIndex) < builtins.size() ? &builtins[static_cast<size_t>(varIndex)] : nullptr;
}
int32_t Variable_BuiltinCount();
// Empties the built-in table (tests that register their own).
void Variable_ClearBuiltins();

// The number of a name, adding a new user variable if needed.
int32_t Code_Variable_Find(std::string_view name);
// The number of an existing name, or -1; never adds.
int32_t Code_Variable_Lookup(std::string_view name);
std::string Code_Variable_Name(int32_t varIndex);

// Numbers of the argument variables, for the compiler's argument counting;
// -1 until those names are registered.
struct RArgumentVariables {
    int32_t argument0 = -1;
    int32_t argument15 = -1;
    int32_t argument = -1;
};
const RArgumentVariables& Variable_ArgumentNumbers();

// --- globals ---
extern CVariableList GlobalVars;
void Variable_Init();
void Variable_DeclareGlobal(int32_t varIndex);
// One byte per user variable: declared with globalvar. Read on every access
// of an unqualified name, so it is inline.
extern std::vector<uint8_t> GlobalDeclared;
inline bool Variable_IsGlobal(int32_t varIndex)
{
    if (varIndex < kFirstUserVariable)
        return false;
    size_t position = static_cast<size_t>(varIndex - kFirstUserVariable);
    return position < GlobalDeclared.size() && GlobalDeclared[position] != 0;
}
inline bool Variable_GetGlobal(int32_t varIndex, int32_t arrayIndex, RValue& value)
{
    return GlobalVars.GetVar(varIndex, arrayIndex, value);
}
inline void Variable_SetGlobal(int32_t varIndex, int32_t arrayIndex, const RValue& value)
{
    GlobalVars.SetVar(varIndex, arrayIndex, value);
}
void Variable_SaveGlobals(CStream& stream);
// Replaces the globals with a block read from stream; a block with a wrong
// version changes nothing.
void Variable_LoadGlobals(CStream& stream);

// A globals block read aside, so that a loader can check a whole file
// before it changes anything.
struct RGlobalsBlock {
    CVariableList vars;
    std::vector<uint8_t> declared;
};
// False when a version in the block is not the expected one; damaged data
// throws EStreamError. The game's globals stay untouched either way.
bool Variable_ReadGlobals(CStream& stream, RGlobalsBlock& block);
void Variable_ReplaceGlobals(RGlobalsBlock&& block);
