// The first error of a compile or a run, recorded with its place in the code
// as the pending error message; whoever asked for the compile or run decides
// how to report it.
#pragma once

#include <string>

class CCode;

// Set by the first error; while set, further errors are not recorded.
extern bool Code_ErrorFlag;
extern std::string Code_ErrorMessage;
// The same error in parts, for tools that place it themselves: the text of
// the code it happened in, the line (from 1) and column (from 0) in that
// text, and the reason alone.
extern std::string Code_ErrorSource;
extern int Code_ErrorLine;
extern int Code_ErrorColumn;
extern std::string Code_ErrorReason;

inline void Code_ClearError()
{
    Code_ErrorFlag = false;
}
void Code_Error(const CCode& code, int position, const std::string& message);
// The same for text that has no CCode (kind 1 program, 2 expression).
void Code_ErrorInText(const std::string& text, bool isProgram, int position, const std::string& message);
