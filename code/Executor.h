// The executor: runs a compiled piece of code for one instance (self) with a
// second one (other) at hand. The first error is recorded in the execution
// context as the pending message and the run unwinds.
#pragma once

#include "code/ExecutionContext.h"
#include "code/Value.h"

#include <string>

class CCode;
class CInstance;

// The core entry; reports nothing to the player.
bool Code_Execute(CExecutionContext& context, CInstance* self, CInstance* other, const CCode& code, RValue& result);
// Code_Execute, showing a failure through the error display (with the event heading).
bool Code_Run(CExecutionContext& context, CInstance* self, CInstance* other, const CCode& code, RValue& result);
// Code_Execute; a failure makes the result the string "ERROR", shown by the caller.
bool Code_Evaluate(CExecutionContext& context, CInstance* self, CInstance* other, const CCode& code, RValue& result);

// The same on the program's context (Code_Context()), for callers that are
// not running code themselves.
bool Code_Execute(CInstance* self, CInstance* other, const CCode& code, RValue& result);
bool Code_Run(CInstance* self, CInstance* other, const CCode& code, RValue& result);
bool Code_Evaluate(CInstance* self, CInstance* other, const CCode& code, RValue& result);

// Calls script index for the context's self and other (Script_Execute).
bool Code_CallScript(CExecutionContext& context, int32_t index, RValue& result, bool check, const RValue* arguments,
                     int32_t count);

// The pending error of the program's context: why the last failed run failed.
const std::string& Code_PendingError();
