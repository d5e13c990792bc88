// The lexer: code text to tokens with their symbol codes and positions.
#pragma once

#include "code/Tokens.h"

#include <vector>

class CCode;
class CCompileErrors;

// Fills tokens from code's text; false after recording "Unexpected symbol.".
// The list always ends with the end token when the result is true.
bool Tokenize(const CCode& code, std::vector<RToken1>& tokens, CCompileErrors& errors);
