// Turning an error's position in the code text into the pending message: the
// line, the line's text with a caret under the column, and the message. The
// first error of a compile or a run is the one reported; whoever asked for
// the compile or the run decides how to show it.
#pragma once

#include <string>

class CCode;

// Where an error lies in its code, in parts, for tools that place it
// themselves (the builder's code check, a project folder's run): the line
// (from 1) and column (from 0) in the code's text, and the reason alone.
// Line 0: no place is known.
struct RCodeErrorPlace {
    int line = 0;
    int column = 0;
    std::string reason;
};

// The message for an error at position (1-based) in text: the line form for
// a program, the one-line form for an expression. With place given, it also
// receives the line, column and reason.
std::string Code_ErrorText(const std::string& text, bool isProgram, int position, const std::string& message,
                           RCodeErrorPlace* place = nullptr);

// The first error of one compilation; later ones are not recorded.
class CCompileErrors {
public:
    explicit CCompileErrors(const CCode& code) : c_code(code) {}

    bool Failed() const { return c_failed; }
    const std::string& Message() const { return c_message; }
    const RCodeErrorPlace& Place() const { return c_place; }
    void Fail(int position, const std::string& message);
    void Clear() { c_failed = false; }

private:
    const CCode& c_code;
    bool c_failed = false;
    std::string c_message;
    RCodeErrorPlace c_place;
};
