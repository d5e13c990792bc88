// Generating a piece of code's instructions from its tree, after the final
// pass: registers for locals and temporaries, jumps for the statements, and
// operands resolved wherever the tree already tells what they are.
#pragma once

#include "code/Tokens.h"

class CCode;
class CCompileErrors;

// Fills code's program from root; false after recording an error (code
// too large for the registers of one run).
bool Code_Generate(const RToken& root, CCode& code, CCompileErrors& errors);
