// The executor: runs a compiled piece of code by walking its tree for one
// instance (self) with a second one (other) at hand. Statements return a
// small code that carries exit, break and continue up the tree; the first
// error is recorded as the pending message and the walk unwinds.
#pragma once

#include "code/Value.h"

class CCode;
class CInstance;

// The core entry; reports nothing to the player.
bool Code_Execute(CInstance* self, CInstance* other, const CCode& code, RValue& result);
// Code_Execute, showing a failure through the error display (with the event heading).
bool Code_Run(CInstance* self, CInstance* other, const CCode& code, RValue& result);
// Code_Execute; a failure makes the result the string "ERROR", shown by the caller.
bool Code_Evaluate(CInstance* self, CInstance* other, const CCode& code, RValue& result);

// How deep script calls and nested code runs may go before the call fails.
constexpr int kMaxExecutionDepth = 1000;
