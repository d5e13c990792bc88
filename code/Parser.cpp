// Statements, the expression ladder and their error messages.
//
// Every parse function fills the node it is given and returns the index of
// the first token after what it consumed. After an error each function
// returns at once, so the first message is the one reported.
#include "code/Parser.h"

#include "code/Code.h"
#include "code/CodeError.h"
#include "code/Functions.h"
#include "code/Variables.h"

namespace {

class CParser {
public:
    CParser(CCompileErrors& errors, const std::vector<RToken2>& tokens) : p_errors(errors), p_tokens(tokens) {}

    int Statement(int at, RToken& node);
    int Block(int at, RToken& node);
    int Expression(int at, RToken& node) { return Logical(at, node); }
    int Postfix(int at, RToken& node);

    bool Failed() const { return p_errors.Failed(); }
    int Symbol(int at) const { return p_tokens[static_cast<size_t>(Clamp(at))].symbol; }
    int Position(int at) const { return p_tokens[static_cast<size_t>(Clamp(at))].position; }
    int Fail(int at, const char* message)
    {
        p_errors.Fail(Position(at), message);
        return at;
    }

private:
    // Indices never run past the end token.
    int Clamp(int at) const { return at < static_cast<int>(p_tokens.size()) ? at : static_cast<int>(p_tokens.size()) - 1; }

    int Logical(int at, RToken& node);
    int Comparison(int at, RToken& node);
    int Bitwise(int at, RToken& node);
    int Shift(int at, RToken& node);
    int Additive(int at, RToken& node);
    int Multiplicative(int at, RToken& node);
    int Primary(int at, RToken& node);
    int Variable(int at, RToken& node);
    int Call(int at, RToken& node);
    int Declaration(int at, RToken& node);
    int Assignment(int at, RToken& node);

    template <typename Next>
    int BinaryLevel(int at, RToken& node, std::initializer_list<int> ops, Next next);

    CCompileErrors& p_errors;
    const std::vector<RToken2>& p_tokens;
    int p_depth = 0;

    friend class CDepthGuard;
};

// Counts nesting so deep code is refused instead of exhausting the stack.
class CDepthGuard {
public:
    CDepthGuard(CParser& parser, int at) : g_parser(parser)
    {
        if (++g_parser.p_depth > kMaxCodeNesting && !g_parser.Failed())
            g_parser.Fail(at, "Code is nested too deeply.");
    }
    ~CDepthGuard() { --g_parser.p_depth; }

private:
    CParser& g_parser;
};

RToken NewNode(int kind, int position)
{
    RToken node;
    node.kind = kind;
    node.position = position;
    return node;
}

template <typename Next>
int CParser::BinaryLevel(int at, RToken& node, std::initializer_list<int> ops, Next next)
{
    at = (this->*next)(at, node);
    for (;;) {
        if (Failed())
            return at;
        int symbol = Symbol(at);
        bool matches = false;
        for (int op : ops)
            matches = matches || op == symbol;
        if (!matches)
            return at;
        RToken left = std::move(node);
        node = NewNode(Node::Binary, left.position);
        node.ind = symbol;
        node.items.push_back(std::move(left));
        at = (this->*next)(at + 1, node.items.emplace_back());
    }
}

int CParser::Logical(int at, RToken& node)
{
    return BinaryLevel(at, node, {Sym::And, Sym::Or, Sym::Xor}, &CParser::Comparison);
}

int CParser::Comparison(int at, RToken& node)
{
    return BinaryLevel(at, node,
                       {Sym::Assign, Sym::Less, Sym::LessEqual, Sym::Equal, Sym::NotEqual, Sym::GreaterEqual,
                        Sym::Greater},
                       &CParser::Bitwise);
}

int CParser::Bitwise(int at, RToken& node)
{
    return BinaryLevel(at, node, {Sym::BitOr, Sym::BitAnd, Sym::BitXor}, &CParser::Shift);
}

int CParser::Shift(int at, RToken& node)
{
    return BinaryLevel(at, node, {Sym::ShiftLeft, Sym::ShiftRight}, &CParser::Additive);
}

int CParser::Additive(int at, RToken& node)
{
    return BinaryLevel(at, node, {Sym::Plus, Sym::Minus}, &CParser::Multiplicative);
}

int CParser::Multiplicative(int at, RToken& node)
{
    return BinaryLevel(at, node, {Sym::Multiply, Sym::Divide, Sym::Div, Sym::Mod}, &CParser::Postfix);
}

int CParser::Postfix(int at, RToken& node)
{
    at = Primary(at, node);
    // Each dot nests the expression so far one deeper, as an owner: a chain
    // counts against the nesting limit like parentheses do.
    int links = 0;
    while (!Failed() && Symbol(at) == Sym::Dot) {
        ++links;
        if (++p_depth > kMaxCodeNesting) {
            Fail(at, "Code is nested too deeply.");
            break;
        }
        RToken owner = std::move(node);
        node = RToken();
        at = Variable(at + 1, node);
        if (Failed())
            break;
        node.items[0] = std::move(owner);
    }
    p_depth -= links;
    return at;
}

int CParser::Primary(int at, RToken& node)
{
    CDepthGuard guard(*this, at);
    if (Failed())
        return at;
    node.position = Position(at);
    switch (Symbol(at)) {
    case Sym::Value:
        node.kind = Node::Constant;
        node.value = p_tokens[static_cast<size_t>(at)].val;
        return at + 1;
    case Sym::Function:
        return Call(at, node);
    case Sym::Variable:
        return Variable(at, node);
    case Sym::OpenParen:
        at = Expression(at + 1, node);
        if (Failed())
            return at;
        if (Symbol(at) != Sym::CloseParen)
            return Fail(at, "Symbol ) expected.");
        return at + 1;
    case Sym::Not:
    case Sym::Plus:
    case Sym::Minus:
    case Sym::BitNot:
        node.kind = Node::Unary;
        node.ind = Symbol(at);
        return Postfix(at + 1, node.items.emplace_back());
    default:
        return Fail(at, "Unexpected symbol in expression.");
    }
}

int CParser::Variable(int at, RToken& node)
{
    if (Symbol(at) != Sym::Variable)
        return Fail(at, "Variable name expected.");
    node = NewNode(Node::Variable, Position(at));
    node.ind = p_tokens[static_cast<size_t>(at)].ind;
    ++at;
    RToken& owner = node.items.emplace_back(NewNode(Node::Constant, Position(at)));
    owner.value = RValue(static_cast<double>(kOwnerUnqualified));
    if (Symbol(at) != Sym::OpenBracket)
        return at;
    ++at;
    for (;;) {
        if (Symbol(at) == Sym::End)
            return Fail(at, "Symbol ] expected.");
        if (Symbol(at) == Sym::CloseBracket)
            return at + 1;
        if (node.items.size() >= 3)
            return Fail(at, "Only 1- and 2-dimensional arrays are supported.");
        at = Expression(at, node.items.emplace_back());
        if (Failed())
            return at;
        if (Symbol(at) == Sym::Comma)
            ++at;
        else if (Symbol(at) != Sym::CloseBracket)
            return Fail(at, Symbol(at) == Sym::End ? "Symbol ] expected." : "Symbol , or ] expected.");
    }
}

int CParser::Call(int at, RToken& node)
{
    if (Symbol(at) != Sym::Function)
        return Fail(at, "Function name expected.");
    node = NewNode(Node::Call, Position(at));
    node.ind = p_tokens[static_cast<size_t>(at)].ind;
    ++at;
    if (Symbol(at) != Sym::OpenParen)
        return Fail(at, "Symbol ( expected.");
    ++at;
    for (;;) {
        if (Symbol(at) == Sym::End)
            return Fail(at, "Symbol ) expected.");
        if (Symbol(at) == Sym::CloseParen)
            break;
        at = Expression(at, node.items.emplace_back());
        if (Failed())
            return at;
        if (Symbol(at) == Sym::Comma)
            ++at;
        else if (Symbol(at) != Sym::CloseParen)
            return Fail(at, Symbol(at) == Sym::End ? "Symbol ) expected." : "Symbol , or ) expected.");
    }
    int required = Function_ArgCount(node.ind);
    int count = node.ItemCount();
    if (count > kMaxCallArguments || (required != kAnyArgumentCount && required != count))
        return Fail(at, "Wrong number of arguments to function or script.");
    return at + 1;
}

int CParser::Block(int at, RToken& node)
{
    node.kind = Node::Block;
    ++at;
    for (;;) {
        if (Failed())
            return at;
        int symbol = Symbol(at);
        if (symbol == Sym::EndBlock)
            return at + 1;
        if (symbol == Sym::End)
            return Fail(at, "Symbol } expected.");
        at = Statement(at, node.items.emplace_back());
    }
}

int CParser::Declaration(int at, RToken& node)
{
    for (;;) {
        if (Symbol(at) != Sym::Variable)
            return at;
        const RToken2& name = p_tokens[static_cast<size_t>(at)];
        if (name.ind < kFirstUserVariable)
            return Fail(at, "Cannot redeclare a builtin variable.");
        RToken& declared = node.items.emplace_back(NewNode(Node::Constant, name.position));
        declared.ind = name.ind;
        declared.value = RValue(static_cast<double>(name.ind));
        ++at;
        if (Symbol(at) == Sym::Comma)
            ++at;
    }
}

int CParser::Assignment(int at, RToken& node)
{
    RToken target;
    at = Postfix(at, target);
    if (Failed())
        return at;
    if (target.kind != Node::Variable)
        return Fail(at, "Variable name expected.");
    int op = Symbol(at);
    switch (op) {
    case Sym::Assign:
    case Sym::AddAssign:
    case Sym::SubtractAssign:
    case Sym::MultiplyAssign:
    case Sym::DivideAssign:
    case Sym::OrAssign:
    case Sym::AndAssign:
    case Sym::XorAssign:
        break;
    default:
        return Fail(at, "Assignment operator expected.");
    }
    node.kind = Node::Assignment;
    node.ind = op;
    node.items.push_back(std::move(target));
    return Expression(at + 1, node.items.emplace_back());
}

int CParser::Statement(int at, RToken& node)
{
    CDepthGuard guard(*this, at);
    if (Failed())
        return at;
    int symbol = Symbol(at);
    node.position = Position(at + 1);
    switch (symbol) {
    case Sym::Function:
        at = Call(at, node);
        break;
    case Sym::Begin:
        node.position = Position(at);
        at = Block(at, node);
        break;
    case Sym::If:
        node.kind = Sym::If;
        at = Expression(at + 1, node.items.emplace_back());
        if (Failed())
            break;
        if (Symbol(at) == Sym::Then)
            ++at;
        at = Statement(at, node.items.emplace_back());
        if (!Failed() && Symbol(at) == Sym::Else)
            at = Statement(at + 1, node.items.emplace_back());
        break;
    case Sym::While:
        node.kind = Sym::While;
        at = Expression(at + 1, node.items.emplace_back());
        if (Failed())
            break;
        if (Symbol(at) == Sym::Do)
            ++at;
        at = Statement(at, node.items.emplace_back());
        break;
    case Sym::Do:
        node.kind = Sym::Do;
        at = Statement(at + 1, node.items.emplace_back());
        if (Failed())
            break;
        if (Symbol(at) != Sym::Until) {
            at = Fail(at, "Keyword until expected.");
            break;
        }
        at = Expression(at + 1, node.items.emplace_back());
        break;
    case Sym::For:
        node.kind = Sym::For;
        ++at;
        if (Symbol(at) != Sym::OpenParen) {
            at = Fail(at, "Symbol ( expected.");
            break;
        }
        at = Statement(at + 1, node.items.emplace_back());
        if (Failed())
            break;
        if (Symbol(at) == Sym::Semicolon)
            ++at;
        at = Expression(at, node.items.emplace_back());
        if (Failed())
            break;
        if (Symbol(at) == Sym::Semicolon)
            ++at;
        at = Statement(at, node.items.emplace_back());
        if (Failed())
            break;
        if (Symbol(at) != Sym::CloseParen) {
            at = Fail(at, "Symbol ) expected.");
            break;
        }
        at = Statement(at + 1, node.items.emplace_back());
        break;
    case Sym::Repeat:
        node.kind = Sym::Repeat;
        at = Expression(at + 1, node.items.emplace_back());
        if (!Failed())
            at = Statement(at, node.items.emplace_back());
        break;
    case Sym::With:
        node.kind = Sym::With;
        at = Expression(at + 1, node.items.emplace_back());
        if (Failed())
            break;
        if (Symbol(at) == Sym::Do)
            ++at;
        at = Statement(at, node.items.emplace_back());
        break;
    case Sym::Switch:
        node.kind = Sym::Switch;
        at = Expression(at + 1, node.items.emplace_back());
        if (Failed())
            break;
        if (Symbol(at) != Sym::Begin) {
            at = Fail(at, "Symbol { expected.");
            break;
        }
        ++at;
        for (;;) {
            if (Failed())
                break;
            if (Symbol(at) == Sym::EndBlock) {
                ++at;
                break;
            }
            if (Symbol(at) == Sym::End) {
                at = Fail(at, "Symbol } expected.");
                break;
            }
            at = Statement(at, node.items.emplace_back());
        }
        break;
    case Sym::Case:
        node.kind = Sym::Case;
        at = Expression(at + 1, node.items.emplace_back());
        if (Failed())
            break;
        if (Symbol(at) != Sym::Colon) {
            at = Fail(at, "Symbol : expected.");
            break;
        }
        ++at;
        break;
    case Sym::Default:
        node.kind = Sym::Default;
        ++at;
        if (Symbol(at) != Sym::Colon) {
            at = Fail(at, "Symbol : expected.");
            break;
        }
        ++at;
        break;
    case Sym::Exit:
    case Sym::Break:
    case Sym::Continue:
        node.kind = symbol;
        ++at;
        break;
    case Sym::Return:
        node.kind = Sym::Return;
        at = Expression(at + 1, node.items.emplace_back());
        break;
    case Sym::Var:
    case Sym::GlobalVar:
        node.kind = symbol;
        at = Declaration(at + 1, node);
        break;
    case Sym::Semicolon:
        node.kind = Node::EmptyStatement;
        node.position = Position(at);
        ++at;
        break;
    case Sym::End:
        return Fail(at, "Unexpected end of code reached.");
    default:
        node.position = Position(at);
        at = Assignment(at, node);
        break;
    }
    if (Failed())
        return at;
    while (Symbol(at) == Sym::Semicolon)
        ++at;
    return at;
}

} // namespace

bool ParseProgram(const std::vector<RToken2>& tokens, RToken& root, CCompileErrors& errors)
{
    errors.Clear();
    root = RToken();
    CParser parser(errors, tokens);
    if (parser.Symbol(0) == Sym::End) {
        root.kind = Node::EmptyProgram;
        root.position = parser.Position(0);
        return true;
    }
    if (parser.Symbol(0) == Sym::Begin) {
        // A whole-program block is not a statement: a semicolon after it is
        // not skipped, and makes the program end too early.
        root.position = parser.Position(0);
        int at = parser.Block(0, root);
        if (!parser.Failed() && parser.Symbol(at) != Sym::End)
            parser.Fail(at, "Program ends before end of the code.");
        return !parser.Failed();
    }
    root.kind = Node::Block;
    root.position = parser.Position(0);
    int at = 0;
    while (!parser.Failed() && parser.Symbol(at) != Sym::End)
        at = parser.Statement(at, root.items.emplace_back());
    return !parser.Failed();
}

bool ParseExpression(const std::vector<RToken2>& tokens, RToken& root, CCompileErrors& errors)
{
    errors.Clear();
    root = RToken();
    CParser parser(errors, tokens);
    if (parser.Symbol(0) == Sym::End) {
        root.kind = Node::Constant;
        root.position = parser.Position(0);
        root.value = RValue(0.0);
        return true;
    }
    parser.Expression(0, root);
    return !parser.Failed();
}
