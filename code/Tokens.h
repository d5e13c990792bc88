// Symbol codes shared by the lexer, the parser and the code tree, and the
// token and node records.
#pragma once

#include "code/Value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Sym {
enum : int32_t {
    End = -2,
    Unknown = -1,
    Identifier = 0,
    Number = 1,
    String = 2,
    // Resolved tokens only:
    Value = 5,
    Function = 6,
    Variable = 7,

    Begin = 11, // begin {
    EndBlock = 12, // end }
    If = 13,
    Then = 14,
    Else = 15,
    While = 16,
    Do = 17,
    For = 18,
    Until = 19,
    Repeat = 20,
    Exit = 21,
    Break = 22,
    Continue = 23,
    With = 24,
    Return = 25,
    Switch = 26,
    Case = 27,
    Default = 28,
    Var = 29,
    GlobalVar = 30,

    Assign = 101, // := =
    AddAssign = 102,
    SubtractAssign = 103,
    MultiplyAssign = 104,
    DivideAssign = 105,
    OpenParen = 106,
    CloseParen = 107,
    Semicolon = 108,
    Comma = 109,
    OpenBracket = 110,
    CloseBracket = 111,
    Dot = 112,
    Colon = 113,
    OrAssign = 114,
    AndAssign = 115,
    XorAssign = 116,

    And = 201, // and &&
    Or = 202, // or ||
    Not = 203, // not !
    Less = 204,
    LessEqual = 205,
    Equal = 206,
    NotEqual = 207, // != <>
    GreaterEqual = 208,
    Greater = 209,
    Plus = 210,
    Minus = 211,
    Multiply = 212,
    Divide = 213,
    Div = 214,
    Mod = 215,
    Xor = 216, // xor ^^
    BitOr = 217,
    BitAnd = 218,
    BitXor = 219,
    BitNot = 220,
    ShiftLeft = 221,
    ShiftRight = 222,
};
} // namespace Sym

// Node kinds of the code tree that are not symbol codes.
namespace Node {
enum : int32_t {
    EmptyProgram = -2,
    EmptyStatement = -1,
    Constant = 5,
    Call = 6,
    Variable = 7,
    ConstantOwnerVariable = 8,
    Assignment = 101,
    Block = 1000,
    Unary = 1010,
    Binary = 1011,
};
} // namespace Node

// Owner values with a meaning of their own.
constexpr int32_t kOwnerSelf = -1;
constexpr int32_t kOwnerOther = -2;
constexpr int32_t kOwnerAll = -3;
constexpr int32_t kOwnerNoone = -4;
constexpr int32_t kOwnerGlobal = -5;
// The owner given to a variable written without one, until the compiler
// decides it is a local.
constexpr int32_t kOwnerUnqualified = -6;
constexpr int32_t kOwnerLocal = -7;

struct RToken1 {
    int32_t symbol = Sym::End;
    std::string str;
    int32_t position = 0;
};

struct RToken2 {
    int32_t symbol = Sym::End;
    int32_t ind = 0;
    RValue val;
    int32_t position = 0;
};

// One node of the code tree, which the compiler turns into instructions.
// A chain of binary operators nests to the left as deep as it is long, so
// nothing that handles a tree recurses along its children: destroying one
// walks it with a list of its own.
struct RToken {
    int32_t kind = -1;
    int32_t ind = 0;
    int32_t ind2 = 0;
    int32_t position = 0;
    // For a variable of the run's locals: its place among the locals the
    // code names, so a run finds it without a search; -1 otherwise.
    int32_t slot = -1;
    RValue value;
    std::vector<RToken> items;

    RToken() = default;
    RToken(RToken&& other) noexcept = default;
    RToken& operator=(RToken&& other) noexcept
    {
        // What this node held goes with the moved-from other.
        RToken old(std::move(*this));
        kind = other.kind;
        ind = other.ind;
        ind2 = other.ind2;
        position = other.position;
        slot = other.slot;
        value = std::move(other.value);
        items = std::move(other.items);
        return *this;
    }
    RToken(const RToken&) = delete;
    RToken& operator=(const RToken&) = delete;
    ~RToken()
    {
        if (!items.empty())
            DestroyItems();
    }

    int32_t ItemCount() const { return static_cast<int32_t>(items.size()); }

private:
    void DestroyItems();
};
