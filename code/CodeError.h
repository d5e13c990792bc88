// Turning an error's position in the code text into the pending message: the
// line, the line's text with a caret under the column, and the message. The
// first error of a compile or a run is the one reported; whoever asked for
// the compile or the run decides how to show it.
#pragma once

#include <string>

class CCode;

// The message for an error at position (1-based) in text: the line form for
// a program, the one-line form for an expression.
std::string Code_ErrorText(const std::string& text, bool isProgram, int position, const std::string& message);

// The first error of one compilation; later ones are not recorded.
class CCompileErrors {
public:
    explicit CCompileErrors(const CCode& code) : c_code(code) {}

    bool Failed() const { return c_failed; }
    const std::string& Message() const { return c_message; }
    void Fail(int position, const std::string& message);
    void Clear() { c_failed = false; }

private:
    const CCode& c_code;
    bool c_failed = false;
    std::string c_message;
};
