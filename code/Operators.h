// The meaning of every operator, defined once. Constant folding, the
// executor's fast paths for reals and the general routines below all apply
// the same definitions, so a constant expression, the same expression on
// variables and the compound assignment agree, errors included.
//
// Every routine returns nullptr on success, else the operator's message;
// the caller reports it at its own position (the right operand's for a
// binary operator, the operand's for a unary one).
#pragma once

#include "code/Tokens.h"
#include "code/Value.h"

#include <cmath>
#include <cstdint>

// Values differing by less than this compare equal, whatever their size.
constexpr double kCompareEpsilon = 1e-13;

namespace OperatorDetail {

// Integer division results are 32-bit integers, as the language defines
// them; a quotient beyond that range keeps its truncated value instead of
// wrapping.
[[gnu::always_inline]] inline double TruncatedQuotient(double a, double b)
{
    double q = std::trunc(a / b);
    if (q >= -2147483648.0 && q <= 2147483647.0)
        return static_cast<double>(static_cast<int32_t>(q));
    return q;
}

[[gnu::always_inline]] inline int ShiftCount(double b)
{
    return static_cast<int>(static_cast<uint64_t>(RoundToInteger(b)) & 0xFF);
}

// A comparison on the difference d of its operands (for texts: the sign of
// their ordinal comparison).
[[gnu::always_inline]] inline bool CompareDifference(int32_t op, double d)
{
    switch (op) {
    case Sym::Less: return d < -kCompareEpsilon;
    case Sym::LessEqual: return d <= kCompareEpsilon;
    case Sym::Assign:
    case Sym::Equal: return d > -kCompareEpsilon && d < kCompareEpsilon;
    case Sym::NotEqual: return d < -kCompareEpsilon || d > kCompareEpsilon;
    case Sym::GreaterEqual: return d >= -kCompareEpsilon;
    default: return d > kCompareEpsilon;
    }
}

} // namespace OperatorDetail

inline bool Operator_IsComparison(int32_t op)
{
    return op == Sym::Assign || (op >= Sym::Less && op <= Sym::Greater);
}

// op on two reals into result. With a constant op the switch folds away,
// which is how the executor's fast paths use it.
[[gnu::always_inline]] inline const char* Operator_OnReals(int32_t op, double a, double b, double& result)
{
    using namespace OperatorDetail;
    switch (op) {
    case Sym::Plus: result = a + b; return nullptr;
    case Sym::Minus: result = a - b; return nullptr;
    case Sym::Multiply: result = a * b; return nullptr;
    case Sym::Divide:
        if (b == 0.0)
            return "Division by 0.";
        result = a / b;
        return nullptr;
    case Sym::Div:
        if (b == 0.0)
            return "Division by 0.";
        result = TruncatedQuotient(a, b);
        return nullptr;
    case Sym::Mod:
        if (b == 0.0)
            return "Modulo by 0.";
        result = a - TruncatedQuotient(a, b) * b;
        return nullptr;
    case Sym::And: result = IsTrue(a) && IsTrue(b) ? 1.0 : 0.0; return nullptr;
    case Sym::Or: result = IsTrue(a) || IsTrue(b) ? 1.0 : 0.0; return nullptr;
    case Sym::Xor: result = IsTrue(a) != IsTrue(b) ? 1.0 : 0.0; return nullptr;
    case Sym::BitOr: result = static_cast<double>(RoundToInteger(a) | RoundToInteger(b)); return nullptr;
    case Sym::BitAnd: result = static_cast<double>(RoundToInteger(a) & RoundToInteger(b)); return nullptr;
    case Sym::BitXor: result = static_cast<double>(RoundToInteger(a) ^ RoundToInteger(b)); return nullptr;
    case Sym::ShiftLeft:
    case Sym::ShiftRight: {
        int n = ShiftCount(b);
        uint64_t bits = static_cast<uint64_t>(RoundToInteger(a));
        bits = n >= 64 ? 0 : op == Sym::ShiftLeft ? bits << n : bits >> n;
        result = static_cast<double>(static_cast<int64_t>(bits));
        return nullptr;
    }
    case Sym::Assign:
    case Sym::Less:
    case Sym::LessEqual:
    case Sym::Equal:
    case Sym::NotEqual:
    case Sym::GreaterEqual:
    case Sym::Greater: result = CompareDifference(op, a - b) ? 1.0 : 0.0; return nullptr;
    default: return "Internal error: unknown binary operator.";
    }
}

// A comparison of two reals as a truth value (the branches of conditions).
[[gnu::always_inline]] inline bool Operator_CompareReals(int32_t op, double a, double b)
{
    return OperatorDetail::CompareDifference(op, a - b);
}

// left := left op right, for any kinds.
const char* Operator_Binary(int32_t op, const RValue& right, RValue& left);
// value := op value.
const char* Operator_Unary(int32_t op, RValue& value);
// The unary operators on a real.
inline const char* Operator_UnaryOnReal(int32_t op, double x, double& result)
{
    switch (op) {
    case Sym::Not: result = IsTrue(x) ? 0.0 : 1.0; return nullptr;
    case Sym::Plus: result = x; return nullptr;
    case Sym::Minus: result = -x; return nullptr;
    case Sym::BitNot: result = static_cast<double>(~RoundToInteger(x)); return nullptr;
    default: return "Internal error: unknown unary operator.";
    }
}
