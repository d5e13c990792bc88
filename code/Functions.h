// The function table: every built-in function with its native routine and
// argument count, and the lookup that ties a called name to a function
// number (scripts first, then extension functions, then built-ins).
#pragma once

#include "code/ExecutionContext.h"
#include "code/Value.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class CInstance;

constexpr int32_t kFirstScriptFunction = 100000;
constexpr int32_t kFirstExtensionFunction = 500000;
constexpr int32_t kMaxCallArguments = 16;
constexpr int32_t kAnyArgumentCount = -1;

// A built-in routine: the caller sets result to the real 0 first; args has
// 16 slots (7 from an action), those past argc hold the real 0. A bad
// argument is reported by the routine itself, which then returns true with
// its default result; false means the call failed and the code that made it
// must unwind (the pending error message says why).
using TRoutine = bool (*)(CExecutionContext& context, RValue& result, int argc, RValue* args);

// Defines a built-in routine of the form above.
#define BUILTIN(name)                                                                                                  \
    bool name([[maybe_unused]] CExecutionContext& context, [[maybe_unused]] RValue& result,                            \
              [[maybe_unused]] int argc, [[maybe_unused]] RValue* args)

struct RFunction {
    const char* f_name; // the catalogue's own text, lasting as long as the program
    TRoutine f_routine = nullptr;
    int32_t f_argnumb = 0;
};

// name is kept, not copied: a text that lasts (the catalogue's, a literal).
void Function_Add(const char* name, TRoutine routine, int32_t argnumb);
bool Function_Find(std::string_view name, int32_t& number);
// Only among the built-in functions (scripts of the same name do not hide them).
bool Function_FindBuiltin(std::string_view name, int32_t& number);
// Extension: its own count; script: -1; built-in: its count; -100 outside the table.
int32_t Function_ArgCount(int32_t number);
const RFunction* Function_Get(int32_t number);
int32_t Function_Count();
// Empties the table (tests that register their own).
void Function_Clear();
// Room for count functions, so that filling the table does not grow it step by step.
void Function_Reserve(size_t count);

// Calls function number (built-in, script or extension) the way code does,
// for the context's self and other; false when a script or extension call
// failed (the pending error says why). A built-in whose module this program
// lacks (test programs) is an error.
bool Function_Call(CExecutionContext& context, int32_t number, RValue& result, RValue* args, int argc);
// The same on the program's context, for self and other.
bool Function_Call(int32_t number, CInstance* self, CInstance* other, RValue& result, RValue* args, int argc);

// Extension functions are found by name in the loaded extension packages;
// the extension module installs these when it is started.
struct RExtensionFunctionLookup {
    std::function<bool(std::string_view name, int32_t& id)> find;
    std::function<int32_t(int32_t id)> argumentCount;
    std::function<bool(int32_t id, CInstance* self, CInstance* other, RValue& result, RValue* args, int argc)> call;
};
void Function_SetExtensionLookup(RExtensionFunctionLookup lookup);
// Calls extension function id; false when the call failed.
bool Function_CallExtension(int32_t id, CInstance* self, CInstance* other, RValue& result, RValue* args, int argc);
