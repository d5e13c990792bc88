// The operators on texts and on mixed kinds, with their kind rules and
// messages; reals go to the one definition in the header.
#include "code/Operators.h"

#include <string>

namespace {

const char* TooLongMessage(char op)
{
    static const std::string plus =
        "The result of + would be longer than " + std::to_string(kLongestBuiltString) + " characters.";
    static const std::string times =
        "The result of * would be longer than " + std::to_string(kLongestBuiltString) + " characters.";
    return op == '+' ? plus.c_str() : times.c_str();
}

const char* KindMessage(int32_t op)
{
    switch (op) {
    case Sym::Plus: return "Wrong type of arguments to +.";
    case Sym::Minus: return "Wrong type of arguments to -.";
    case Sym::Multiply: return "Wrong type of arguments to *.";
    case Sym::Divide: return "Wrong type of arguments to /.";
    case Sym::Div: return "Wrong type of arguments to div.";
    case Sym::Mod: return "Wrong type of arguments to mod.";
    case Sym::And: return "Wrong type of arguments for &&.";
    case Sym::Or: return "Wrong type of arguments for ||.";
    case Sym::Xor: return "Wrong type of arguments for ^^.";
    case Sym::BitOr: return "Wrong type of arguments for |.";
    case Sym::BitAnd: return "Wrong type of arguments for &.";
    case Sym::BitXor: return "Wrong type of arguments for ^.";
    case Sym::ShiftLeft: return "Wrong type of arguments for <<.";
    case Sym::ShiftRight: return "Wrong type of arguments for >>.";
    default: return "Internal error: unknown binary operator.";
    }
}

} // namespace

const char* Operator_Unary(int32_t op, RValue& value)
{
    if (op != Sym::Not && op != Sym::Plus && op != Sym::Minus && op != Sym::BitNot)
        return "Internal error: unknown unary operator.";
    if (value.kind != VALUE_REAL)
        return "Wrong type of arguments to unary operator.";
    return Operator_UnaryOnReal(op, value.val, value.val);
}

const char* Operator_Binary(int32_t op, const RValue& right, RValue& left)
{
    if (left.kind == VALUE_REAL && right.kind == VALUE_REAL) {
        double result;
        const char* message = Operator_OnReals(op, left.val, right.val, result);
        if (message)
            return message;
        if (Operator_IsComparison(op))
            left.SetReal(result);
        else
            left.val = result;
        return nullptr;
    }
    if (Operator_IsComparison(op)) {
        if (left.kind != VALUE_STRING || right.kind != VALUE_STRING)
            return "Cannot compare arguments.";
        int c = left.str.Text().compare(right.str.Text());
        bool result = OperatorDetail::CompareDifference(op, c < 0 ? -1.0 : c > 0 ? 1.0 : 0.0);
        left.SetReal(result ? 1.0 : 0.0);
        return nullptr;
    }
    if (op == Sym::Plus && left.kind == VALUE_STRING && right.kind == VALUE_STRING) {
        if (left.str.size() + right.str.size() > kLongestBuiltString)
            return TooLongMessage('+');
        // The left value's real part stays with the joined text.
        left.str = RString(left.str.Text() + right.str.Text());
        return nullptr;
    }
    if (op == Sym::Multiply && left.kind == VALUE_REAL && right.kind == VALUE_STRING) {
        int64_t count = RoundToInteger(left.val);
        if (count > 0 && !right.str.empty() && static_cast<uint64_t>(count) > kLongestBuiltString / right.str.size())
            return TooLongMessage('*');
        std::string repeated;
        if (count > 0 && !right.str.empty()) {
            repeated.reserve(static_cast<size_t>(count) * right.str.size());
            for (int64_t k = 0; k < count; ++k)
                repeated += right.str.Text();
        }
        // The count stays as the real part of the result.
        left.kind = VALUE_STRING;
        left.str = RString(std::move(repeated));
        return nullptr;
    }
    return KindMessage(op);
}
