// Name binding and the values of number literals.
#include "code/Binder.h"

#include "code/Code.h"
#include "code/CodeError.h"
#include "code/Constants.h"
#include "code/Functions.h"
#include "code/Variables.h"

double NumberLiteralValue(const std::string& text)
{
    double value = 0.0;
    if (!text.empty() && text[0] == '$') {
        for (size_t k = 1; k < text.size(); ++k) {
            char c = text[k];
            int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c - 'A' + 10;
            value = value * 16 + digit;
        }
        return value;
    }
    // Accumulated in extended precision and rounded once, so that 0.3 is
    // the nearest double to 0.3 (and not the sum 0.1 + 0.2 happens to give).
    long double accumulated = 0.0L;
    long double weight = 1.0L;
    bool fraction = false;
    for (char c : text) {
        if (c == '.') {
            fraction = true; // every further dot is ignored
            continue;
        }
        int digit = c - '0';
        if (!fraction) {
            accumulated = accumulated * 10 + digit;
        } else {
            weight /= 10;
            accumulated += weight * digit;
        }
    }
    return static_cast<double>(accumulated);
}

bool BindNames(const std::vector<RToken1>& input, std::vector<RToken2>& output, RBindResult& result,
               CCompileErrors& errors)
{
    errors.Clear();
    output.clear();
    output.reserve(input.size());
    const RArgumentVariables& arguments = Variable_ArgumentNumbers();
    for (size_t k = 0; k < input.size(); ++k) {
        const RToken1& token = input[k];
        RToken2& bound = output.emplace_back();
        bound.symbol = token.symbol;
        bound.position = token.position;
        switch (token.symbol) {
        case Sym::Identifier: {
            if (k + 1 < input.size() && input[k + 1].symbol == Sym::OpenParen) {
                int32_t number;
                if (!Function_Find(token.str, number)) {
                    errors.Fail(token.position, "Unknown function or script: " + token.str);
                    return false;
                }
                bound.symbol = Sym::Function;
                bound.ind = number;
                break;
            }
            if (Constant_Find(token.str, bound.val)) {
                bound.symbol = Sym::Value;
                break;
            }
            bound.symbol = Sym::Variable;
            bound.ind = Code_Variable_Find(token.str);
            if (bound.ind >= arguments.argument0 && bound.ind <= arguments.argument15 && arguments.argument0 >= 0) {
                int32_t n = bound.ind - arguments.argument0;
                if (n > result.highestArgument)
                    result.highestArgument = n;
            } else if (bound.ind == arguments.argument && arguments.argument >= 0) {
                result.usesArgumentArray = true;
            }
            break;
        }
        case Sym::Number:
            bound.symbol = Sym::Value;
            bound.val = RValue(NumberLiteralValue(token.str));
            break;
        case Sym::String:
            bound.symbol = Sym::Value;
            bound.val = RValue(RString(token.str));
            break;
        default:
            break;
        }
    }
    return true;
}
