// CAction: one action of an event or time line moment as stored: a call of
// an action library function, a piece of code, or a structural marker, with
// up to eight argument texts. Compiling and running actions comes later.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class CStream;
class CCode;

enum EActionKind : int32_t {
    kActionNormal = 0,
    kActionBeginBlock = 1,
    kActionEndBlock = 2,
    kActionElse = 3,
    kActionExit = 4,
    kActionRepeat = 5,
    kActionVariable = 6,
    kActionCode = 7,
};

enum EActionExecute : int32_t {
    kExecuteNone = 0,
    kExecuteFunction = 1,
    kExecuteCode = 2,
};

// Whom an action applies to, besides an object index.
constexpr int32_t kApplySelf = -1;
constexpr int32_t kApplyOther = -2;

class CAction {
public:
    static constexpr int32_t kVersion = 440;
    static constexpr int kMaxArguments = 8;
    // The library and id under which the authoring tool files its code action.
    static constexpr int32_t kCodeLibrary = 1;
    static constexpr int32_t kCodeActionId = 603;

    int32_t act_libid = 0;
    int32_t act_id = 0;
    int32_t act_kind = kActionNormal;
    bool act_userelative = false;
    bool act_isquestion = false;
    bool act_useapplyto = false;
    int32_t act_exetype = kExecuteNone;
    std::string act_functionname; // the built-in function called when act_exetype is 1
    // Resolved from act_functionname once the function table exists; until
    // then it stays -1 and an unknown name is not reported, because every
    // name would be unknown and loading would drown in messages.
    int32_t act_functionid = -1;
    std::string act_codestring;
    int32_t act_argumentcount = 0;
    int32_t act_argtypecount = 0; // how many argument kinds the record lists
    std::array<int32_t, kMaxArguments> act_argtype{};
    int32_t act_who = kApplySelf;
    bool act_relative = false;
    int32_t act_argstringcount = 0; // how many argument texts the record lists
    std::array<std::string, kMaxArguments> act_argstring;
    bool act_isnot = false;
    std::shared_ptr<CCode> act_codecode; // attached by the compile pass
    // Each argument in use compiled by the compile pass: a constant for
    // literal texts and constant expressions, else the expression to evaluate.
    std::array<std::shared_ptr<CCode>, kMaxArguments> act_argcode;

    // A code action as the authoring tool makes it: the code is argument 0.
    static CAction MakeCode(const std::string& code);

    void Clear() { *this = CAction(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CAction& other) const;
};
