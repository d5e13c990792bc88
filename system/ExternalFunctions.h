// External functions: functions of native shared libraries that a game
// defines by library, name, argument and result types, then calls by the id
// it got. Entries are never removed; freeing a library turns the calls of
// all its entries into calls that do nothing.
//
// A library name is tried as given, then with its extension replaced by
// ".so", then with "lib" before that; a bare name is looked for in the
// game's folder, the run's temporary folder and the folders of the
// extension packages, then on the system's library path.
#pragma once

#include "code/Value.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t kExternalMaxArguments = 16;
// More arguments than this pass reals only.
constexpr int32_t kExternalMaxMixedArguments = 4;

// Defines a function of the library named as the game names it; returns its
// id, or -1 (no message) when the library or the function is not found or
// the types break the limits above.
int32_t External_Define(const std::string& library, const std::string& function, int32_t convention,
                        bool stringResult, const std::vector<bool>& stringArguments);
// The same for a library file given by its host path (an extension's file).
int32_t External_DefineFile(const std::string& hostPath, const std::string& function, int32_t convention,
                            bool stringResult, const std::vector<bool>& stringArguments);
// Calls entry id; false (result untouched) when the call does not happen:
// no such entry, another number of arguments, or its library freed.
bool External_Call(int32_t id, const RValue* arguments, int count, RValue& result);
// Frees the library (named without regard to case) for all its entries.
void External_Free(const std::string& library);
// Frees every library still loaded and forgets every entry.
void External_FreeAll();

// external_define, external_call, external_free and their fixed forms.
void System_ImplementExternalFunctions();
