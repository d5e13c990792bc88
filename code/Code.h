// CCode: one piece of script code, a program or an expression, and the
// instruction stream that compiling it produces. Compiling runs the lexer,
// binds every name, parses, makes a final pass over the tree (marking
// locals, fixing constant owners, folding constant operations) and then
// generates the instructions; the tree is dropped, and each instruction
// keeps the text position of the node it came from for its errors.
#pragma once

#include "code/CodeError.h"
#include "code/Instructions.h"
#include "code/Tokens.h"
#include "code/Value.h"

#include <string>
#include <vector>

// The argument slots at the start of a script's frame.
constexpr int32_t kScriptArgumentSlots = 16;

class CCode {
public:
    enum : int32_t {
        kProgram = 1,
        kExpression = 2,
        kConstantExpression = 3,
    };

    CCode() = default;
    CCode(std::string text, bool isExpression) { Create(std::move(text), isExpression); }

    // A compiled constant expression holding value (literal action arguments).
    static CCode MakeConstant(const RValue& value);

    void Create(std::string text, bool isExpression);
    void Destroy();
    // False after recording the first error; the code then stays uncompiled
    // and ErrorMessage() holds the error, placed in the text. With tree
    // given, it receives the code tree as the final pass left it (tests and
    // tools look at it; running needs only the instructions).
    bool Compile(RToken* tree = nullptr);
    const std::string& ErrorMessage() const { return i_error; }
    // The same error's line, column and reason alone.
    const RCodeErrorPlace& ErrorPlace() const { return i_errorPlace; }
    const std::string& GetText() const { return i_str; }

    int32_t Kind() const { return i_kind; }
    bool Compiled() const { return i_compiled; }
    const RValue& Value() const { return i_value; }
    int32_t Args() const { return i_Args; }
    bool ArgsArray() const { return i_ArgArray; }

    // A script's code: its run's frame begins with the sixteen argument
    // slots of the call, which the code reads where they lie. Set before
    // compiling.
    void MarkAsScript() { i_isScript = true; }
    bool IsScript() const { return i_isScript; }

    // The locals this code names (var declarations and local.name), each in
    // a register of the run's frame, from LocalBase() on.
    int32_t LocalCount() const { return static_cast<int32_t>(i_localVars.size()); }
    int32_t LocalBase() const { return i_isScript ? kScriptArgumentSlots : 0; }
    // The register of a local variable number, or -1 when this code never names it.
    int32_t LocalRegister(int32_t varIndex) const;

    // The program: instructions, their text positions and the constants
    // that do not fit in an instruction; a run needs FrameSize() registers.
    const RInstruction* Instructions() const { return i_program.data(); }
    int32_t InstructionCount() const { return static_cast<int32_t>(i_program.size()); }
    const RInstructionPosition& PositionOf(const RInstruction* instruction) const
    {
        return i_positions[static_cast<size_t>(instruction - i_program.data())];
    }
    const RValue& Constant(int32_t index) const { return i_constants[static_cast<size_t>(index)]; }
    int32_t FrameSize() const { return i_frameSize; }

private:
    int32_t i_kind = kProgram;
    bool i_compiled = false;
    bool i_isScript = false;
    std::string i_str;
    RValue i_value;
    int32_t i_Args = 0;
    bool i_ArgArray = false;
    std::vector<int32_t> i_localVars; // variable number of each local register
    std::vector<RInstruction> i_program;
    std::vector<RInstructionPosition> i_positions;
    std::vector<RValue> i_constants;
    int32_t i_frameSize = 0;
    std::string i_error; // of the last failed Compile
    RCodeErrorPlace i_errorPlace;

    friend class CCodeGenerator;
};

// Deep nesting would otherwise exhaust the stack of the parser and of the
// passes over the tree; code nested deeper than this is refused when compiled.
constexpr int kMaxCodeNesting = 200;
