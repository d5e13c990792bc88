// The constant table (built-in constants first, then those of extensions and
// of the game) and the lookup of a name as a constant: resource names first,
// then trigger constants, then the table from its newest entry.
#pragma once

#include "code/Value.h"

#include <string>
#include <string_view>

void Constant_Add(const std::string& name, const RValue& value);
// Only the table, newest entry first.
bool Constant_FindInTable(std::string_view name, RValue& value);
// Resources, trigger constants, then the table.
bool Constant_Find(std::string_view name, RValue& value);
int32_t Constant_Count();
// Empties the table (tests, and before a game is loaded again).
void Constant_Clear();
