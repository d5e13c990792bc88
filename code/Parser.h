// The parser: resolved tokens to the code tree, by recursive descent with one
// function per precedence level. Only the first error is reported.
#pragma once

#include "code/Tokens.h"

#include <vector>

class CCompileErrors;

bool ParseProgram(const std::vector<RToken2>& tokens, RToken& root, CCompileErrors& errors);
bool ParseExpression(const std::vector<RToken2>& tokens, RToken& root, CCompileErrors& errors);
