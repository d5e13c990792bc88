// Filling the program's tables at start: every module supplies its built-in
// functions and variables, then the function table, the built-in variable
// table and the built-in constants are filled in their fixed order.
#pragma once

#include <string>

// False (with a description) when a module supplied a name the catalogues
// lack, or a catalogued function was left without a routine.
bool Runner_RegisterTables(std::string& problem);

// One line per built-in function: name, argument count (-1 for any) and
// whether it is implemented, separated by tabs.
std::string Runner_ListFunctions();
