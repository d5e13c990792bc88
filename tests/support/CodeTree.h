// A compact text form of code trees for tests: "(+ 1 x@-6)", "block(...)".
#pragma once

#include "code/Tokens.h"

#include <string>

std::string DescribeTree(const RToken& node);

class CCode;
// The instructions of compiled code, one per line (opcode number and operands).
std::string DescribeProgram(const CCode& code);
