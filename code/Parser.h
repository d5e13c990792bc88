// The parser: resolved tokens to the code tree, by recursive descent with one
// function per precedence level. Only the first error is reported.
#pragma once

#include "code/Tokens.h"

#include <vector>

class CCode;

bool ParseProgram(const CCode& code, const std::vector<RToken2>& tokens, RToken& root);
bool ParseExpression(const CCode& code, const std::vector<RToken2>& tokens, RToken& root);
