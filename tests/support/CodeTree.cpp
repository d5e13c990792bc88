#include "tests/support/CodeTree.h"

#include "code/Code.h"
#include "code/Functions.h"
#include "code/Variables.h"

#include <cstdio>

namespace {

std::string OperatorText(int op)
{
    switch (op) {
    case Sym::Assign: return "=";
    case Sym::AddAssign: return "+=";
    case Sym::SubtractAssign: return "-=";
    case Sym::MultiplyAssign: return "*=";
    case Sym::DivideAssign: return "/=";
    case Sym::OrAssign: return "|=";
    case Sym::AndAssign: return "&=";
    case Sym::XorAssign: return "^=";
    case Sym::And: return "&&";
    case Sym::Or: return "||";
    case Sym::Not: return "!";
    case Sym::Less: return "<";
    case Sym::LessEqual: return "<=";
    case Sym::Equal: return "==";
    case Sym::NotEqual: return "!=";
    case Sym::GreaterEqual: return ">=";
    case Sym::Greater: return ">";
    case Sym::Plus: return "+";
    case Sym::Minus: return "-";
    case Sym::Multiply: return "*";
    case Sym::Divide: return "/";
    case Sym::Div: return "div";
    case Sym::Mod: return "mod";
    case Sym::Xor: return "^^";
    case Sym::BitOr: return "|";
    case Sym::BitAnd: return "&";
    case Sym::BitXor: return "^";
    case Sym::BitNot: return "~";
    case Sym::ShiftLeft: return "<<";
    case Sym::ShiftRight: return ">>";
    default: return "op" + std::to_string(op);
    }
}

std::string ValueText(const RValue& value)
{
    if (value.kind == VALUE_STRING)
        return "'" + value.str.Text() + "'";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value.val);
    return buffer;
}

std::string Children(const RToken& node, size_t from = 0)
{
    std::string text;
    for (size_t k = from; k < node.items.size(); ++k)
        text += (k > from ? " " : "") + DescribeTree(node.items[k]);
    return text;
}

std::string KindName(int kind)
{
    switch (kind) {
    case Sym::If: return "if";
    case Sym::While: return "while";
    case Sym::Do: return "do";
    case Sym::For: return "for";
    case Sym::Repeat: return "repeat";
    case Sym::Exit: return "exit";
    case Sym::Break: return "break";
    case Sym::Continue: return "continue";
    case Sym::With: return "with";
    case Sym::Return: return "return";
    case Sym::Switch: return "switch";
    case Sym::Case: return "case";
    case Sym::Default: return "default";
    case Sym::Var: return "var";
    case Sym::GlobalVar: return "globalvar";
    default: return "kind" + std::to_string(kind);
    }
}

} // namespace

std::string DescribeTree(const RToken& node)
{
    switch (node.kind) {
    case Node::EmptyProgram: return "empty";
    case Node::EmptyStatement: return ";";
    case Node::Constant: return ValueText(node.value);
    case Node::Call: {
        const RFunction* function = Function_Get(node.ind);
        std::string name = node.ind >= kFirstScriptFunction ? "script" + std::to_string(node.ind - kFirstScriptFunction)
                           : function                       ? function->f_name
                                                            : "?";
        return name + "(" + Children(node) + ")";
    }
    case Node::Variable: {
        std::string text = Code_Variable_Name(node.ind) + "[" + DescribeTree(node.items[0]) + "]";
        if (node.items.size() > 1)
            text += "[" + Children(node, 1) + "]";
        return text;
    }
    case Node::ConstantOwnerVariable: return Code_Variable_Name(node.ind) + "@" + std::to_string(node.ind2);
    case Node::Assignment: return "(" + OperatorText(node.ind) + " " + Children(node) + ")";
    case Node::Block: return "{" + Children(node) + "}";
    case Node::Unary:
    case Node::Binary: return "(" + OperatorText(node.ind) + " " + Children(node) + ")";
    case Sym::Var:
    case Sym::GlobalVar: {
        std::string text = KindName(node.kind);
        for (const RToken& name : node.items)
            text += " " + Code_Variable_Name(name.ind);
        return "(" + text + ")";
    }
    default:
        return "(" + KindName(node.kind) + (node.items.empty() ? "" : " " + Children(node)) + ")";
    }
}

std::string DescribeProgram(const CCode& code)
{
    std::string text;
    for (int32_t k = 0; k < code.InstructionCount(); ++k) {
        const RInstruction& ins = code.Instructions()[k];
        char line[160];
        std::snprintf(line, sizeof line, "%3d: %-16s flags %02x a %5d b %6d c %6d d %6d k %g\n", k,
                      Instruction_Name(ins.op), ins.flags, ins.a, ins.b, ins.c, ins.d, ins.K());
        text += line;
    }
    return text;
}
