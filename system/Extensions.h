// Extension packages at run time: their constants, their functions made
// callable by name (found after scripts and before built-in functions),
// library functions defined as external functions, script functions split
// out of their script files and compiled, and the initialization and
// finalization functions run when the game starts and ends.
#pragma once

#include <cstdint>
#include <map>
#include <string>

// Prepares every package of the game: defines the constants, defines the
// library functions, compiles the script functions and installs the name
// lookup. False after a fatal compile error or a constant that cannot be
// defined.
bool Extensions_Prepare();
// Runs every file's initialization function, in package and file order;
// false (after the fatal message) at the first failure.
bool Extensions_Start();
// Runs every file's finalization function.
void Extensions_End();

// The sections of a script file: each "#define name" line starts one, whose
// text is the lines up to the next such line, joined with CR LF. A carriage
// return ends a line, line feeds are dropped, and text after the last
// carriage return belongs to no line.
std::map<std::string, std::string> Extensions_SplitScripts(const std::string& text);
