// Tokenizing: identifiers and keywords, numbers, strings, operators, comments.
#include "code/Lexer.h"

#include "code/Code.h"
#include "code/CodeError.h"

#include <cstring>
#include <string_view>

namespace {

struct RKeyword {
    const char* text;
    int32_t symbol;
};

constexpr RKeyword kKeywords[] = {
    {"begin", Sym::Begin}, {"end", Sym::EndBlock},   {"if", Sym::If},         {"then", Sym::Then},
    {"else", Sym::Else},   {"while", Sym::While},    {"do", Sym::Do},         {"for", Sym::For},
    {"until", Sym::Until}, {"repeat", Sym::Repeat},  {"exit", Sym::Exit},     {"break", Sym::Break},
    {"continue", Sym::Continue}, {"with", Sym::With}, {"return", Sym::Return}, {"switch", Sym::Switch},
    {"case", Sym::Case},   {"default", Sym::Default}, {"var", Sym::Var},      {"globalvar", Sym::GlobalVar},
    {"and", Sym::And},     {"or", Sym::Or},          {"not", Sym::Not},       {"div", Sym::Div},
    {"mod", Sym::Mod},     {"xor", Sym::Xor},
};

struct ROperator {
    const char* text;
    int32_t symbol;
};

constexpr ROperator kTwoCharacterOperators[] = {
    {":=", Sym::Assign},   {"+=", Sym::AddAssign},  {"-=", Sym::SubtractAssign}, {"*=", Sym::MultiplyAssign},
    {"/=", Sym::DivideAssign}, {"&&", Sym::And},    {"||", Sym::Or},             {"<=", Sym::LessEqual},
    {"==", Sym::Equal},    {"!=", Sym::NotEqual},   {"<>", Sym::NotEqual},       {">=", Sym::GreaterEqual},
    {"|=", Sym::OrAssign}, {"&=", Sym::AndAssign},  {"^=", Sym::XorAssign},      {"<<", Sym::ShiftLeft},
    {">>", Sym::ShiftRight}, {"^^", Sym::Xor},
};

int32_t SingleCharacterSymbol(char c)
{
    switch (c) {
    case '!': return Sym::Not;
    case '&': return Sym::BitAnd;
    case '(': return Sym::OpenParen;
    case ')': return Sym::CloseParen;
    case '*': return Sym::Multiply;
    case '+': return Sym::Plus;
    case ',': return Sym::Comma;
    case '-': return Sym::Minus;
    case '.': return Sym::Dot;
    case '/': return Sym::Divide;
    case ':': return Sym::Colon;
    case ';': return Sym::Semicolon;
    case '<': return Sym::Less;
    case '=': return Sym::Assign;
    case '>': return Sym::Greater;
    case '[': return Sym::OpenBracket;
    case ']': return Sym::CloseBracket;
    case '^': return Sym::BitXor;
    case '{': return Sym::Begin;
    case '|': return Sym::BitOr;
    case '}': return Sym::EndBlock;
    case '~': return Sym::BitNot;
    default: return Sym::Unknown;
    }
}

inline bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int32_t KeywordSymbol(std::string_view word)
{
    for (const RKeyword& keyword : kKeywords)
        if (word == keyword.text)
            return keyword.symbol;
    return Sym::Identifier;
}

// Reads one token starting at index p (0-based) of text; moves p past it.
RToken1 ReadToken(const std::string& text, size_t& p)
{
    const size_t length = text.size();
    for (;;) {
        while (p < length && static_cast<unsigned char>(text[p]) <= 32)
            ++p;
        if (p >= length)
            return RToken1{Sym::End, std::string(), static_cast<int32_t>(p + 1)};
        if (text[p] == '/' && p + 1 < length && text[p + 1] == '/') {
            while (p < length && text[p] != '\r' && text[p] != '\n')
                ++p;
            continue;
        }
        if (text[p] == '/' && p + 1 < length && text[p + 1] == '*') {
            // The closing star may be the opening one: "/*/" is a comment.
            size_t close = text.find("*/", p + 1);
            p = close == std::string::npos ? length : close + 2;
            continue;
        }
        break;
    }

    RToken1 token;
    token.position = static_cast<int32_t>(p + 1);
    char c = text[p];
    if (IsLetter(c)) {
        size_t start = p;
        while (p < length && (IsLetter(text[p]) || IsDigit(text[p])))
            ++p;
        token.str = text.substr(start, p - start);
        token.symbol = KeywordSymbol(token.str);
        return token;
    }
    if (IsDigit(c) || c == '$' || (c == '.' && p + 1 < length && IsDigit(text[p + 1]))) {
        size_t start = p;
        if (c == '$') {
            ++p;
            while (p < length && IsHexDigit(text[p]))
                ++p;
        } else {
            while (p < length && (IsDigit(text[p]) || text[p] == '.'))
                ++p;
        }
        token.symbol = Sym::Number;
        token.str = text.substr(start, p - start);
        return token;
    }
    if (c == '"' || c == '\'') {
        size_t close = text.find(c, p + 1);
        size_t end = close == std::string::npos ? length : close;
        token.symbol = Sym::String;
        token.str = text.substr(p + 1, end - p - 1);
        p = close == std::string::npos ? length : close + 1;
        return token;
    }
    if (p + 1 < length) {
        for (const ROperator& op : kTwoCharacterOperators) {
            if (text[p] == op.text[0] && text[p + 1] == op.text[1]) {
                token.symbol = op.symbol;
                token.str = std::string(op.text, 2);
                p += 2;
                return token;
            }
        }
    }
    token.symbol = SingleCharacterSymbol(c);
    token.str = std::string(1, c);
    ++p;
    return token;
}

} // namespace

bool Tokenize(const CCode& code, std::vector<RToken1>& tokens, CCompileErrors& errors)
{
    errors.Clear();
    tokens.clear();
    std::string text = code.GetText() + "   ";
    size_t p = 0;
    for (;;) {
        RToken1 token = ReadToken(text, p);
        int32_t symbol = token.symbol;
        int32_t position = token.position;
        tokens.push_back(std::move(token));
        if (symbol == Sym::Unknown) {
            errors.Fail(position, "Unexpected symbol.");
            return false;
        }
        if (symbol == Sym::End)
            return true;
    }
}
