// Compiling a piece of code: lexer, name binding, parser, final pass.
#include "code/Code.h"

#include "code/Binder.h"
#include "code/CodeError.h"
#include "code/CodeGenerator.h"
#include "code/Lexer.h"
#include "code/Operators.h"
#include "code/Parser.h"

#include <algorithm>
#include <vector>

namespace {

// The final pass: a post-order walk that marks locals, turns constant owners
// into fixed owners and folds operations on constants. Locals are not scoped
// to blocks: a declaration applies to every later use in the same code.
class CFinalPass {
public:
    CFinalPass(CCompileErrors& errors, std::vector<int32_t>& localVars) : f_errors(errors), f_localVars(localVars) {}

    // Post-order over the whole tree with a list of its own: a chain of
    // operators is as deep as it is long.
    bool Visit(RToken& root)
    {
        struct RStep {
            RToken* node;
            size_t next; // the child to visit next
        };
        std::vector<RStep> path{RStep{&root, 0}};
        while (!path.empty()) {
            RStep& step = path.back();
            if (step.next < step.node->items.size()) {
                RToken* child = &step.node->items[step.next++];
                path.push_back(RStep{child, 0});
                continue;
            }
            RToken& node = *step.node;
            path.pop_back();
            if (!VisitNode(node))
                return false;
        }
        return true;
    }

private:
    bool VisitNode(RToken& node)
    {
        switch (node.kind) {
        case Sym::Var:
            for (const RToken& name : node.items)
                f_locals.push_back(name.ind);
            return true;
        case Node::Variable:
            return VisitVariable(node);
        case Node::Unary:
            return FoldUnary(node);
        case Node::Binary:
            return FoldBinary(node);
        default:
            return true;
        }
    }

    bool IsLocal(int32_t varIndex) const
    {
        return std::find(f_locals.begin(), f_locals.end(), varIndex) != f_locals.end();
    }

    bool VisitVariable(RToken& node)
    {
        RToken& owner = node.items[0];
        if (owner.kind != Node::Constant)
            return true;
        if (owner.value.kind == VALUE_REAL && owner.value.val == kOwnerUnqualified && IsLocal(node.ind))
            owner.value.val = -7;
        if (owner.value.kind == VALUE_REAL && owner.value.val == -7)
            node.slot = SlotOf(node.ind);
        if (node.items.size() > 1)
            return true;
        if (owner.value.kind == VALUE_STRING) {
            f_errors.Fail(owner.position, "Left hand side must be a real value.");
            return false;
        }
        node.kind = Node::ConstantOwnerVariable;
        node.ind2 = static_cast<int32_t>(RoundToInteger(owner.value.val));
        return true;
    }

    bool FoldUnary(RToken& node)
    {
        RToken& operand = node.items[0];
        if (operand.kind != Node::Constant)
            return true;
        RValue value = operand.value;
        if (const char* message = Operator_Unary(node.ind, value)) {
            f_errors.Fail(operand.position, message);
            return false;
        }
        MakeConstant(node, std::move(value));
        return true;
    }

    bool FoldBinary(RToken& node)
    {
        RToken& left = node.items[0];
        RToken& right = node.items[1];
        if (left.kind != Node::Constant || right.kind != Node::Constant)
            return true;
        // The left text is the folded chain so far, held by nothing else: a
        // long chain of joined texts grows in place.
        RValue value = std::move(left.value);
        if (node.ind == Sym::Plus && value.kind == VALUE_STRING && right.value.kind == VALUE_STRING &&
            value.str.size() + right.value.str.size() <= kLongestBuiltString &&
            value.str.AppendIfUnique(right.value.str.Text())) {
            MakeConstant(node, std::move(value));
            return true;
        }
        if (const char* message = Operator_Binary(node.ind, right.value, value)) {
            f_errors.Fail(right.position, message);
            return false;
        }
        MakeConstant(node, std::move(value));
        return true;
    }

    static void MakeConstant(RToken& node, RValue value)
    {
        node.kind = Node::Constant;
        node.value = std::move(value);
        node.items.clear();
        node.items.shrink_to_fit();
    }

    int32_t SlotOf(int32_t varIndex)
    {
        for (size_t k = 0; k < f_localVars.size(); ++k)
            if (f_localVars[k] == varIndex)
                return static_cast<int32_t>(k);
        f_localVars.push_back(varIndex);
        return static_cast<int32_t>(f_localVars.size() - 1);
    }

    CCompileErrors& f_errors;
    std::vector<int32_t> f_locals;
    std::vector<int32_t>& f_localVars;
};

} // namespace

void RToken::DestroyItems()
{
    std::vector<RToken> pending = std::move(items);
    while (!pending.empty()) {
        RToken node = std::move(pending.back());
        pending.pop_back();
        for (RToken& child : node.items)
            pending.push_back(std::move(child));
        node.items.clear();
    }
}

CCode CCode::MakeConstant(const RValue& value)
{
    CCode code;
    code.i_kind = kConstantExpression;
    code.i_compiled = true;
    code.i_value = value;
    return code;
}

void CCode::Create(std::string text, bool isExpression)
{
    Destroy();
    i_str = std::move(text);
    i_kind = isExpression ? kExpression : kProgram;
}

int32_t CCode::LocalRegister(int32_t varIndex) const
{
    for (size_t k = 0; k < i_localVars.size(); ++k)
        if (i_localVars[k] == varIndex)
            return LocalBase() + static_cast<int32_t>(k);
    return -1;
}

void CCode::Destroy()
{
    i_localVars.clear();
    i_program.clear();
    i_positions.clear();
    i_constants.clear();
    i_frameSize = 0;
    i_value = RValue();
    i_compiled = false;
    i_Args = 0;
    i_ArgArray = false;
}

bool CCode::Compile(RToken* tree)
{
    CCompileErrors errors(*this);
    if (i_compiled) {
        errors.Fail(0, "Internal Error: Recompiling compiled code.");
        i_error = errors.Message();
        i_errorPlace = errors.Place();
        return false;
    }
    i_error.clear();
    i_errorPlace = RCodeErrorPlace();
    std::vector<RToken1> tokens;
    std::vector<RToken2> bound;
    RBindResult binding;
    RToken root;
    std::vector<int32_t> localVars;
    CFinalPass pass(errors, localVars);
    bool ok = Tokenize(*this, tokens, errors) && BindNames(tokens, bound, binding, errors);
    tokens.clear();
    ok = ok && (i_kind == kProgram ? ParseProgram(bound, root, errors) : ParseExpression(bound, root, errors));
    ok = ok && pass.Visit(root);
    if (ok) {
        i_localVars = std::move(localVars);
        ok = Code_Generate(root, *this, errors);
    }
    if (!ok) {
        i_error = errors.Message();
        i_errorPlace = errors.Place();
        Destroy();
        return false;
    }
    if (i_kind == kExpression && root.kind == Node::Constant) {
        i_value = root.value;
        i_kind = kConstantExpression;
    }
    if (tree)
        *tree = std::move(root);
    i_compiled = true;
    i_Args = binding.highestArgument + 1;
    i_ArgArray = binding.usesArgumentArray;
    return true;
}
