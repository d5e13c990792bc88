// Unary and binary operators with their kind rules and messages.
#include "code/Operators.h"

#include "code/CodeError.h"
#include "code/Tokens.h"

#include <cmath>
#include <limits>

namespace {

// Integer division results as 32-bit integers, as the language defines them;
// a quotient beyond that range keeps its truncated value instead of wrapping.
double TruncatedQuotient(double a, double b)
{
    double q = std::trunc(a / b);
    if (q >= -2147483648.0 && q <= 2147483647.0)
        return static_cast<double>(static_cast<int32_t>(q));
    return q;
}

std::string TooLongMessage(const char* op)
{
    return std::string("The result of ") + op + " would be longer than " + std::to_string(kLongestBuiltString) +
           " characters.";
}

int ShiftCount(double b)
{
    return static_cast<int>(static_cast<uint64_t>(RoundToInteger(b)) & 0xFF);
}

bool Compare(int32_t op, const RValue& left, const RValue& right, bool& result)
{
    double d;
    if (left.kind == VALUE_REAL && right.kind == VALUE_REAL) {
        d = left.val - right.val;
    } else if (left.kind == VALUE_STRING && right.kind == VALUE_STRING) {
        int c = left.str.Text().compare(right.str.Text());
        d = c < 0 ? -1.0 : c > 0 ? 1.0 : 0.0;
    } else {
        return false;
    }
    switch (op) {
    case Sym::Less: result = d < -kCompareEpsilon; break;
    case Sym::LessEqual: result = d <= kCompareEpsilon; break;
    case Sym::Assign:
    case Sym::Equal: result = d > -kCompareEpsilon && d < kCompareEpsilon; break;
    case Sym::NotEqual: result = d < -kCompareEpsilon || d > kCompareEpsilon; break;
    case Sym::GreaterEqual: result = d >= -kCompareEpsilon; break;
    default: result = d > kCompareEpsilon; break;
    }
    return true;
}

} // namespace

bool Operator_Unary(const CCode& code, int32_t position, int32_t op, RValue& value)
{
    if (op != Sym::Not && op != Sym::Plus && op != Sym::Minus && op != Sym::BitNot) {
        Code_Error(code, position, "Internal error: unknown unary operator.");
        return false;
    }
    if (value.kind != VALUE_REAL) {
        Code_Error(code, position, "Wrong type of arguments to unary operator.");
        return false;
    }
    switch (op) {
    case Sym::Not: value.val = IsTrue(value.val) ? 0.0 : 1.0; break;
    case Sym::Minus: value.val = -value.val; break;
    case Sym::BitNot: value.val = static_cast<double>(~RoundToInteger(value.val)); break;
    default: break;
    }
    return true;
}

bool Operator_Binary(const CCode& code, int32_t position, int32_t op, const RValue& right, RValue& left)
{
    const bool reals = left.kind == VALUE_REAL && right.kind == VALUE_REAL;
    std::string message;
    switch (op) {
    case Sym::Plus:
        if (reals) {
            left.val += right.val;
        } else if (left.kind == VALUE_STRING && right.kind == VALUE_STRING) {
            if (left.str.size() + right.str.size() > kLongestBuiltString) {
                message = TooLongMessage("+");
                break;
            }
            // The left value's real part stays with the joined text.
            left.str = RString(left.str.Text() + right.str.Text());
        } else {
            message = "Wrong type of arguments to +.";
        }
        break;
    case Sym::Minus:
        if (reals)
            left.val -= right.val;
        else
            message = "Wrong type of arguments to -.";
        break;
    case Sym::Multiply:
        if (reals) {
            left.val *= right.val;
        } else if (left.kind == VALUE_REAL && right.kind == VALUE_STRING) {
            int64_t count = RoundToInteger(left.val);
            if (count > 0 && !right.str.empty() &&
                static_cast<uint64_t>(count) > kLongestBuiltString / right.str.size()) {
                message = TooLongMessage("*");
                break;
            }
            std::string repeated;
            if (count > 0 && !right.str.empty()) {
                repeated.reserve(static_cast<size_t>(count) * right.str.size());
                for (int64_t k = 0; k < count; ++k)
                    repeated += right.str.Text();
            }
            // The count stays as the real part of the result.
            left.kind = VALUE_STRING;
            left.str = RString(std::move(repeated));
        } else {
            message = "Wrong type of arguments to *.";
        }
        break;
    case Sym::Divide:
        if (reals && right.val == 0.0)
            message = "Division by 0.";
        else if (reals)
            left.val /= right.val;
        else
            message = "Wrong type of arguments to /.";
        break;
    case Sym::Div:
        if (reals && right.val == 0.0)
            message = "Division by 0.";
        else if (reals)
            left.val = TruncatedQuotient(left.val, right.val);
        else
            message = "Wrong type of arguments to div.";
        break;
    case Sym::Mod:
        if (reals && right.val == 0.0)
            message = "Modulo by 0.";
        else if (reals)
            left.val = left.val - TruncatedQuotient(left.val, right.val) * right.val;
        else
            message = "Wrong type of arguments to mod.";
        break;
    case Sym::And:
        if (reals)
            left.val = IsTrue(left.val) && IsTrue(right.val) ? 1.0 : 0.0;
        else
            message = "Wrong type of arguments for &&.";
        break;
    case Sym::Or:
        if (reals)
            left.val = IsTrue(left.val) || IsTrue(right.val) ? 1.0 : 0.0;
        else
            message = "Wrong type of arguments for ||.";
        break;
    case Sym::Xor:
        if (reals)
            left.val = IsTrue(left.val) != IsTrue(right.val) ? 1.0 : 0.0;
        else
            message = "Wrong type of arguments for ^^.";
        break;
    case Sym::BitOr:
        if (reals)
            left.val = static_cast<double>(RoundToInteger(left.val) | RoundToInteger(right.val));
        else
            message = "Wrong type of arguments for |.";
        break;
    case Sym::BitAnd:
        if (reals)
            left.val = static_cast<double>(RoundToInteger(left.val) & RoundToInteger(right.val));
        else
            message = "Wrong type of arguments for &.";
        break;
    case Sym::BitXor:
        if (reals)
            left.val = static_cast<double>(RoundToInteger(left.val) ^ RoundToInteger(right.val));
        else
            message = "Wrong type of arguments for ^.";
        break;
    case Sym::ShiftLeft:
        if (reals) {
            int n = ShiftCount(right.val);
            uint64_t a = static_cast<uint64_t>(RoundToInteger(left.val));
            left.val = static_cast<double>(static_cast<int64_t>(n >= 64 ? 0 : a << n));
        } else {
            message = "Wrong type of arguments for <<.";
        }
        break;
    case Sym::ShiftRight:
        if (reals) {
            int n = ShiftCount(right.val);
            uint64_t a = static_cast<uint64_t>(RoundToInteger(left.val));
            left.val = static_cast<double>(static_cast<int64_t>(n >= 64 ? 0 : a >> n));
        } else {
            message = "Wrong type of arguments for >>.";
        }
        break;
    case Sym::Assign:
    case Sym::Less:
    case Sym::LessEqual:
    case Sym::Equal:
    case Sym::NotEqual:
    case Sym::GreaterEqual:
    case Sym::Greater: {
        bool result;
        if (!Compare(op, left, right, result)) {
            message = "Cannot compare arguments.";
            break;
        }
        left.SetReal(result ? 1.0 : 0.0);
        break;
    }
    default:
        message = "Internal error: unknown binary operator.";
        break;
    }
    if (!message.empty()) {
        Code_Error(code, position, message);
        return false;
    }
    return true;
}
