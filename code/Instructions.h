// The instruction stream that a piece of code compiles to, and that the
// executor runs. Instructions work on the registers of the run's frame on
// the value stack: the code's locals come first (slots fixed when compiled),
// then temporaries. Real constants sit in the instruction itself; other
// constants in the code's constant table.
//
// Operand forms of the binary operators: RR (a = R[b] op R[c]), RK
// (a = R[b] op k) and KR (a = k op R[b]).
#pragma once

#include "code/Tokens.h"

#include <cstdint>
#include <cstring>

// name, operator code
#define BRINDLE_BINARY_OPERATORS(X)                                                                                   \
    X(Add, Sym::Plus)                                                                                                  \
    X(Sub, Sym::Minus)                                                                                                 \
    X(Mul, Sym::Multiply)                                                                                              \
    X(Div, Sym::Divide)                                                                                                \
    X(IntDiv, Sym::Div)                                                                                                \
    X(Mod, Sym::Mod)                                                                                                   \
    X(And, Sym::And)                                                                                                   \
    X(Or, Sym::Or)                                                                                                     \
    X(Xor, Sym::Xor)                                                                                                   \
    X(BitOr, Sym::BitOr)                                                                                               \
    X(BitAnd, Sym::BitAnd)                                                                                             \
    X(BitXor, Sym::BitXor)                                                                                             \
    X(Shl, Sym::ShiftLeft)                                                                                             \
    X(Shr, Sym::ShiftRight)                                                                                            \
    X(Lt, Sym::Less)                                                                                                   \
    X(Le, Sym::LessEqual)                                                                                              \
    X(Eq, Sym::Equal)                                                                                                  \
    X(Ne, Sym::NotEqual)                                                                                               \
    X(Ge, Sym::GreaterEqual)                                                                                           \
    X(Gt, Sym::Greater)

#define BRINDLE_COMPARISONS(X)                                                                                         \
    X(Lt, Sym::Less)                                                                                                   \
    X(Le, Sym::LessEqual)                                                                                              \
    X(Eq, Sym::Equal)                                                                                                  \
    X(Ne, Sym::NotEqual)                                                                                               \
    X(Ge, Sym::GreaterEqual)                                                                                           \
    X(Gt, Sym::Greater)

// Every opcode; the operands of each are described where the executor runs it.
#define BRINDLE_PLAIN_OPCODES(X)                                                                                       \
    X(End)                                                                                                             \
    X(BodyEnd)                                                                                                         \
    X(ReturnStatus)                                                                                                    \
    X(Return)                                                                                                          \
    X(Jump)                                                                                                            \
    X(JumpIfFalse)                                                                                                     \
    X(JumpIfTrue)                                                                                                      \
    X(Fail)                                                                                                            \
    X(With)                                                                                                            \
    X(RepeatInit)                                                                                                      \
    X(RepeatNext)                                                                                                      \
    X(SwitchMatch)                                                                                                     \
    X(DeclareGlobal)                                                                                                   \
    X(LoadReal)                                                                                                        \
    X(LoadConst)                                                                                                       \
    X(Move)                                                                                                            \
    X(LoadLocal)                                                                                                       \
    X(Unary)                                                                                                           \
    X(Neg)                                                                                                             \
    X(Not)                                                                                                             \
    X(CallBuiltin)                                                                                                     \
    X(CallScript)                                                                                                      \
    X(CallExtension)                                                                                                   \
    X(GetArg)                                                                                                          \
    X(SetArg)                                                                                                          \
    X(GetVar)                                                                                                          \
    X(SetVar)                                                                                                          \
    X(CompoundVar)                                                                                                     \
    X(GetVarIndexed)                                                                                                   \
    X(SetVarIndexed)                                                                                                   \
    X(GetBuiltin)                                                                                                      \
    X(SetBuiltin)                                                                                                      \
    X(CompoundBuiltin)                                                                                                 \
    X(Owner)                                                                                                           \
    X(Index)                                                                                                           \
    X(CheckIndex)                                                                                                      \
    X(GetRef)                                                                                                          \
    X(SetRef)

enum EOpcode : uint8_t {
#define BRINDLE_PLAIN(name) Op_##name,
    BRINDLE_PLAIN_OPCODES(BRINDLE_PLAIN)
#undef BRINDLE_PLAIN
#define BRINDLE_BINARY(name, op) Op_##name##RR, Op_##name##RK, Op_##name##KR,
        BRINDLE_BINARY_OPERATORS(BRINDLE_BINARY)
#undef BRINDLE_BINARY
#define BRINDLE_BRANCH(name, op) Op_JumpIf##name##RR, Op_JumpIf##name##RK, Op_JumpIfNot##name##RR, Op_JumpIfNot##name##RK,
            BRINDLE_COMPARISONS(BRINDLE_BRANCH)
#undef BRINDLE_BRANCH
                Op_Count
};

// Flags of an instruction that writes register a.
enum : uint8_t {
    // a is a local the statement assigned: it holds the run's result
    // until the next statement that sets one.
    kFlagResultMark = 1,
    // As above also when the operation fails: a compound assignment whose
    // left operand (the variable's old value) is a.
    kFlagCompound = 2,
    // Also copy the value into the run's result (a compound assignment
    // reads its variable there first).
    kFlagResultCopy = 4,
    // The value is an array index: check it now (at the second position),
    // before the next index or the assigned value is evaluated.
    kFlagCheckIndex = 8,
};

// Where a variable instruction finds its variable (GetVar and its kin).
enum : uint8_t {
    kScopeUnqualified = 0, // self's, or the global one once declared
    kScopeSelf = 1,
    kScopeOther = 2,
    kScopeGlobal = 3,
};

// Register a of a call that writes the run's result directly.
constexpr uint16_t kResultRegister = 0xFFFF;

struct RInstruction {
    uint8_t op = Op_End;
    uint8_t flags = 0;
    uint16_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
    // Instance variable instructions keep here the position at which they
    // last found their variable in an instance's list: instances of one
    // object add their variables in the same order, so the guess is right
    // nearly always and checking it is one compare.
    mutable int32_t d = 0;

    // A real constant, kept in c and d.
    double K() const
    {
        double k;
        std::memcpy(&k, &c, sizeof k);
        return k;
    }
    void SetK(double k) { std::memcpy(&c, &k, sizeof k); }
};

static_assert(sizeof(RInstruction) == 16, "instructions are small and streamed");

// Positions in the code text for an instruction's errors: the node it was
// made from, and the operands that have errors of their own (the value of
// a compound assignment, array indices).
struct RInstructionPosition {
    int32_t position = 0;
    int32_t second = 0;
    int32_t third = 0;
};

// The messages of Fail, and of the conditions of JumpIfFalse and JumpIfTrue.
enum : int32_t {
    kMessageStatementExpected,
    kMessageExpressionExpected, // "(Sub-)expression expected."
    kMessageNotAProgram,
    kMessageCaseOutsideSwitch,
    kMessageDefaultOutsideSwitch,
    kMessageCodeTooLarge,
    kMessageCondition, // "Expression expected"
    kMessageBooleanCondition,
};
const char* Instruction_Message(int32_t message);
// The name of an opcode, for listings.
const char* Instruction_Name(uint8_t op);

// Statuses a run or a with body ends with.
enum : int32_t {
    kStatusNormal = 0,
    kStatusError = -1,
    kStatusExit = -2,
    kStatusBreak = -3,
    kStatusContinue = -4,
};

// Where a variable instruction finds its variable list, in bits 4-5 of
// its flags.
inline uint8_t Instruction_Scope(uint8_t flags)
{
    return static_cast<uint8_t>((flags >> 4) & 3);
}
inline uint8_t Instruction_WithScope(uint8_t scope)
{
    return static_cast<uint8_t>(scope << 4);
}
// GetRef and SetRef: what c holds.
enum : uint8_t {
    kOwnerConstant = 0, // the owner value itself
    kOwnerRegister = 1, // a register holding the owner, rounded
    kOwnerLocalSlot = 2, // the local's register (owner local)
};
