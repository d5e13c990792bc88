// Binding names: every identifier of the code becomes a function, a value
// (resource, trigger constant or constant) or a variable number, once and for
// all, before the code is parsed.
#pragma once

#include "code/Tokens.h"

#include <vector>

class CCompileErrors;

struct RBindResult {
    int32_t highestArgument = -1; // of argument0 … argument15 named in the code
    bool usesArgumentArray = false;
};

// False after recording the first unknown function.
bool BindNames(const std::vector<RToken1>& input, std::vector<RToken2>& output, RBindResult& result,
               CCompileErrors& errors);

// The value of a number literal's text.
double NumberLiteralValue(const std::string& text);
