// CCode: one piece of script code, a program or an expression, with the code
// tree that compiling it produces. Compiling runs the lexer, binds every
// name, parses, and makes a final pass that marks locals, fixes constant
// owners and folds constant operations.
#pragma once

#include "code/Tokens.h"
#include "code/Value.h"

#include <string>
#include <vector>

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
    // and ErrorMessage() holds the error, placed in the text.
    bool Compile();
    const std::string& ErrorMessage() const { return i_error; }
    const std::string& GetText() const { return i_str; }

    const RToken& Token() const { return i_token; }
    int32_t Kind() const { return i_kind; }
    bool Compiled() const { return i_compiled; }
    const RValue& Value() const { return i_value; }
    int32_t Args() const { return i_Args; }
    // The locals this code names (var declarations and local.name), each
    // with its slot; a run keeps its locals in that many slots.
    int32_t LocalCount() const { return static_cast<int32_t>(i_localVars.size()); }
    // The slot of a local variable number, or -1 when this code never names it.
    int32_t LocalSlot(int32_t varIndex) const;
    bool ArgsArray() const { return i_ArgArray; }

private:
    int32_t i_kind = kProgram;
    bool i_compiled = false;
    std::string i_str;
    RToken i_token;
    RValue i_value;
    int32_t i_Args = 0;
    bool i_ArgArray = false;
    std::vector<int32_t> i_localVars; // variable number of each slot
    std::string i_error; // of the last failed Compile

    friend class CLocalSlots;
};

// Deep nesting would otherwise exhaust the stack of the parser and of the
// executor; code nested deeper than this is refused when compiled.
constexpr int kMaxCodeNesting = 200;
