// The lexer: code text to tokens with their symbol codes and positions.
#pragma once

#include "code/Tokens.h"

#include <vector>

class CCode;

// Fills tokens from code's text; false after reporting "Unexpected symbol.".
// The list always ends with the end token when the result is true.
bool Tokenize(const CCode& code, std::vector<RToken1>& tokens);
