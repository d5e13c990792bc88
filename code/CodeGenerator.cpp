// From the tree to instructions.
//
// Registers: the code's locals first, then temporaries handed out like a
// stack (an expression's operands above its destination, freed when it is
// done). A local that every path has written by the time it is read is
// used where it lies; any other read goes through a checked load, which
// reports the unknown variable. Statements become jumps: loops test their
// condition at the bottom, so a round costs one branch; break and continue
// jump to their loop, and inside a with body (run once per instance) they
// end the body with their status instead.
//
// Evaluation order is the tree's: a binary operation evaluates its left
// operand before its right one (an instance variable on the left is read
// into a temporary first, since the right side may call code that changes
// it), a reference's owner and indices are evaluated and checked before
// the assigned value.
#include "code/CodeGenerator.h"

#include "code/Code.h"
#include "code/CodeError.h"
#include "code/Functions.h"
#include "code/Instructions.h"
#include "code/Variables.h"

#include <algorithm>
#include <vector>

namespace {

// Registers above this are refused: kResultRegister marks the run's result.
constexpr int32_t kMaxRegisters = 65000;

enum class EScope { Loop, Switch, WithBody };

struct RPatch {
    int32_t instruction;
    bool fieldC; // the With instruction's break target, else a jump's b
};

struct RScope {
    EScope kind;
    std::vector<RPatch> breaks;
    std::vector<RPatch> continues;
};

int BinaryIndex(int32_t op)
{
    int index = 0;
#define BRINDLE_INDEX(name, sym)                                                                                       \
    if (op == (sym))                                                                                                   \
        return index;                                                                                                  \
    ++index;
    BRINDLE_BINARY_OPERATORS(BRINDLE_INDEX)
#undef BRINDLE_INDEX
    return op == Sym::Assign ? BinaryIndex(Sym::Equal) : -1;
}

int ComparisonIndex(int32_t op)
{
    int index = 0;
#define BRINDLE_INDEX(name, sym)                                                                                       \
    if (op == (sym))                                                                                                   \
        return index;                                                                                                  \
    ++index;
    BRINDLE_COMPARISONS(BRINDLE_INDEX)
#undef BRINDLE_INDEX
    return op == Sym::Assign ? ComparisonIndex(Sym::Equal) : -1;
}

// a op b as b op' a, for the comparisons.
int32_t MirroredComparison(int32_t op)
{
    switch (op) {
    case Sym::Less: return Sym::Greater;
    case Sym::LessEqual: return Sym::GreaterEqual;
    case Sym::GreaterEqual: return Sym::LessEqual;
    case Sym::Greater: return Sym::Less;
    default: return op;
    }
}

int32_t CompoundOperator(int32_t assignment)
{
    switch (assignment) {
    case Sym::AddAssign: return Sym::Plus;
    case Sym::SubtractAssign: return Sym::Minus;
    case Sym::MultiplyAssign: return Sym::Multiply;
    case Sym::DivideAssign: return Sym::Divide;
    case Sym::OrAssign: return Sym::BitOr;
    case Sym::AndAssign: return Sym::BitAnd;
    default: return Sym::BitXor;
    }
}

bool IsRealConstant(const RToken& node)
{
    return node.kind == Node::Constant && node.value.kind == VALUE_REAL;
}

// Instructions that write register a and finish through the flags.
bool TakesFlags(uint8_t op)
{
    switch (op) {
    case Op_LoadReal:
    case Op_LoadConst:
    case Op_Move:
    case Op_LoadLocal:
    case Op_Unary:
    case Op_Neg:
    case Op_Not:
    case Op_GetArg:
    case Op_GetVar:
    case Op_GetVarIndexed:
    case Op_GetBuiltin:
    case Op_GetRef:
        return true;
    default:
        return op >= Op_AddRR && op < Op_JumpIfLtRR;
    }
}

} // namespace

class CCodeGenerator {
public:
    CCodeGenerator(CCode& code, CCompileErrors& errors)
        : g_code(code), g_errors(errors), g_base(code.LocalBase()), g_top(code.LocalBase() + code.LocalCount()),
          g_maxTop(g_top), g_assigned(static_cast<size_t>(code.LocalCount()), 0),
          g_arguments(Variable_ArgumentNumbers())
    {
    }

    bool Generate(const RToken& root)
    {
        g_code.i_program.clear();
        g_code.i_positions.clear();
        g_code.i_constants.clear();
        if (g_code.i_kind == CCode::kProgram) {
            if (root.kind == Node::Block)
                Statement(root);
            else if (root.kind != Node::EmptyProgram)
                Emit(Op_Fail, 0, kMessageNotAProgram, 0, root.position);
            Emit(Op_End, 0, 0, 0, root.position);
        } else {
            int32_t value = Value(root);
            Emit(Op_Return, value, 0, 0, root.position);
        }
        if (g_maxTop > kMaxRegisters) {
            g_errors.Fail(0, Instruction_Message(kMessageCodeTooLarge));
            return false;
        }
        g_code.i_frameSize = g_maxTop;
        g_code.i_program.shrink_to_fit();
        g_code.i_positions.shrink_to_fit();
        return true;
    }

private:
    // ------------------------------------------------------------ emitting

    int32_t Emit(uint8_t op, int32_t a, int32_t b, int32_t c, int32_t position, int32_t second = 0, int32_t third = 0)
    {
        RInstruction& instruction = g_code.i_program.emplace_back();
        instruction.op = op;
        instruction.a = static_cast<uint16_t>(a);
        instruction.b = b;
        instruction.c = c;
        g_code.i_positions.push_back(RInstructionPosition{position, second, third});
        return Here() - 1;
    }
    int32_t EmitK(uint8_t op, int32_t a, int32_t b, double k, int32_t position)
    {
        int32_t at = Emit(op, a, b, 0, position);
        Last().SetK(k);
        return at;
    }
    int32_t Here() const { return static_cast<int32_t>(g_code.i_program.size()); }
    RInstruction& Last() { return g_code.i_program.back(); }
    RInstruction& At(int32_t at) { return g_code.i_program[static_cast<size_t>(at)]; }
    void Patch(const RPatch& patch, int32_t target)
    {
        if (patch.fieldC)
            At(patch.instruction).c = target;
        else
            At(patch.instruction).b = target;
    }
    void SetFlags(uint8_t flags) { Last().flags = static_cast<uint8_t>(Last().flags | flags); }

    int32_t NewTemp()
    {
        int32_t reg = g_top++;
        if (g_top > g_maxTop)
            g_maxTop = g_top;
        // Registers past the limit still count, so Generate refuses the
        // code; they are stored cut down meanwhile and never run.
        return reg > kMaxRegisters ? kMaxRegisters : reg;
    }

    int32_t ConstantIndex(const RValue& value)
    {
        g_code.i_constants.push_back(value);
        return static_cast<int32_t>(g_code.i_constants.size() - 1);
    }

    bool IsLocal(const RToken& node) const
    {
        return node.kind == Node::ConstantOwnerVariable && node.ind2 == kOwnerLocal && node.slot >= 0;
    }
    bool IsAssignedLocal(const RToken& node) const
    {
        return IsLocal(node) && g_assigned[static_cast<size_t>(node.slot)];
    }
    // The register of a local's slot.
    int32_t Register(int32_t slot) const { return g_base + slot; }
    // A script's own argument slots are its frame's first registers.
    bool IsScriptArgument(const RToken& node) const
    {
        return g_code.i_isScript && node.kind == Node::ConstantOwnerVariable && ArgumentSlot(node.ind) >= 0 &&
               (node.ind2 == kOwnerUnqualified || node.ind2 == kOwnerSelf);
    }
    // A value whose evaluation neither fails nor has effects.
    bool IsTriviallyPure(const RToken& node) const
    {
        return node.kind == Node::Constant || IsAssignedLocal(node) || IsScriptArgument(node);
    }

    // The argument slot a built-in variable number stands for, or -1.
    int32_t ArgumentSlot(int32_t var) const
    {
        if (g_arguments.argument0 >= 0 && var >= g_arguments.argument0 && var <= g_arguments.argument15)
            return var - g_arguments.argument0;
        return -1;
    }

    // ------------------------------------------------------------ expressions

    // A register holding node's value: an assigned local's own register,
    // else a new temporary.
    int32_t Value(const RToken& node)
    {
        if (IsAssignedLocal(node))
            return Register(node.slot);
        if (IsScriptArgument(node))
            return ArgumentSlot(node.ind);
        int32_t reg = NewTemp();
        Into(node, reg, 0);
        return reg;
    }

    // node's value into register dest (or, for a call, kResultRegister).
    void Into(const RToken& node, int32_t dest, uint8_t flags)
    {
        const int32_t mark = g_top;
        switch (node.kind) {
        case Node::Constant:
            if (node.value.kind == VALUE_REAL)
                EmitK(Op_LoadReal, dest, 0, node.value.val, node.position);
            else
                Emit(Op_LoadConst, dest, ConstantIndex(node.value), 0, node.position);
            SetFlags(flags);
            break;
        case Node::Call:
            if (flags) {
                // A call writes its destination as it goes; an assigned local
                // gets the value only once the call has succeeded.
                int32_t temp = NewTemp();
                Call(node, temp);
                Emit(Op_Move, dest, temp, 0, node.position);
                SetFlags(flags);
            } else {
                Call(node, dest);
            }
            break;
        case Node::ConstantOwnerVariable:
        case Node::Variable:
            Read(node, dest);
            SetFlags(flags);
            break;
        case Node::Unary: {
            const RToken& operand = node.items[0];
            int32_t value = Value(operand);
            if (node.ind == Sym::Minus)
                Emit(Op_Neg, dest, value, 0, operand.position);
            else if (node.ind == Sym::Not)
                Emit(Op_Not, dest, value, 0, operand.position);
            else
                Emit(Op_Unary, dest, value, node.ind, operand.position);
            SetFlags(flags);
            break;
        }
        case Node::Binary:
            Binary(node.ind, node.items[0], node.items[1], dest, flags);
            break;
        default:
            Emit(Op_Fail, 0, kMessageExpressionExpected, 0, node.position);
            break;
        }
        g_top = mark;
    }

    // dest := left op right; errors of the operator at right's position.
    // A chain of operators nests to the left ((a + b) + c) + d, as deep as
    // it is long: it is walked along, innermost operation first, into one
    // temporary; only the outermost writes dest.
    void Binary(int32_t op, const RToken& left, const RToken& right, int32_t dest, uint8_t flags)
    {
        if (left.kind != Node::Binary) {
            BinaryStep(op, left, right, dest, flags);
            return;
        }
        std::vector<const RToken*> chain; // the operations below this one, innermost last
        for (const RToken* node = &left; node->kind == Node::Binary; node = &node->items[0])
            chain.push_back(node);
        const int32_t mark = g_top;
        const int32_t accumulator = NewTemp();
        const RToken& innermost = *chain.back();
        BinaryStep(innermost.ind, innermost.items[0], innermost.items[1], accumulator, 0);
        for (size_t k = chain.size() - 1; k-- > 0;)
            BinaryFromRegister(chain[k]->ind, accumulator, chain[k]->items[1], accumulator, 0);
        BinaryFromRegister(op, accumulator, right, dest, flags);
        g_top = mark;
    }

    // dest := left op right, for a left operand that is no operation.
    void BinaryStep(int32_t op, const RToken& left, const RToken& right, int32_t dest, uint8_t flags)
    {
        const int index = BinaryIndex(op);
        if (index < 0) {
            // The parser makes no other operators.
            Emit(Op_Fail, 0, kMessageExpressionExpected, 0, right.position);
            return;
        }
        const uint8_t rr = static_cast<uint8_t>(Op_AddRR + 3 * index);
        if (IsRealConstant(right) && !IsRealConstant(left)) {
            int32_t l = Value(left);
            EmitK(static_cast<uint8_t>(rr + 1), dest, l, right.value.val, right.position);
        } else if (IsRealConstant(left) && !IsRealConstant(right)) {
            int32_t r = Value(right);
            EmitK(static_cast<uint8_t>(rr + 2), dest, r, left.value.val, right.position);
        } else {
            int32_t l = Value(left);
            int32_t r = Value(right);
            Emit(rr, dest, l, r, right.position);
        }
        SetFlags(flags);
    }

    // A call into dest (a register or kResultRegister); the arguments go to
    // consecutive temporaries, left to right.
    void Call(const RToken& node, int32_t dest)
    {
        const int32_t base = g_top;
        for (const RToken& argument : node.items)
            Into(argument, NewTemp(), 0);
        const int32_t count = node.ItemCount();
        uint8_t op = node.ind >= kFirstExtensionFunction ? Op_CallExtension
                     : node.ind >= kFirstScriptFunction  ? Op_CallScript
                                                         : Op_CallBuiltin;
        int32_t number = op == Op_CallExtension ? node.ind - kFirstExtensionFunction
                         : op == Op_CallScript  ? node.ind - kFirstScriptFunction
                                                : node.ind;
        Emit(op, dest, number, base, node.position);
        Last().d = count;
        g_top = base;
    }

    // ------------------------------------------------------------ variables

    struct RReference {
        bool indexed = false; // an instance or global variable with indices: the fast form
        uint8_t scope = 0;
        uint8_t ownerMode = kOwnerConstant;
        int32_t owner = 0;
        int32_t index = -1; // a register with the checked flat index, or -1
        int32_t i = 0xFFFF, j = 0xFFFF; // the fast form's index registers, unchecked
        int32_t iPosition = 0, jPosition = 0;
    };

    // The list a constant owner reaches directly, for the fast forms.
    static bool ScopeOfOwner(int32_t owner, int32_t var, uint8_t& scope)
    {
        const bool user = var >= kMaxBuiltinVariables;
        switch (owner) {
        case kOwnerUnqualified: scope = kScopeUnqualified; return user;
        case kOwnerSelf: scope = kScopeSelf; return user;
        case kOwnerOther: scope = kScopeOther; return user;
        case kOwnerGlobal: scope = kScopeGlobal; return true;
        default: return false;
        }
    }

    // Checks an index register now, before what follows is evaluated:
    // through the instruction that computed it when there is one.
    void CheckNow(int32_t reg, int32_t position, int32_t producedFrom)
    {
        if (Here() > producedFrom && Last().a == reg && TakesFlags(Last().op) && !(Last().flags & kFlagCheckIndex)) {
            SetFlags(kFlagCheckIndex);
            g_code.i_positions.back().second = position;
        } else {
            Emit(Op_CheckIndex, reg, 0, 0, position);
        }
    }

    // Evaluates a kind-7 node's owner and indices. value, when given, is the
    // value about to be assigned: indices are checked before it runs.
    RReference Reference(const RToken& node, const RToken* value)
    {
        RReference reference;
        const RToken& ownerNode = node.items[0];
        const int indices = node.ItemCount() - 1;
        const bool constantOwner = IsRealConstant(ownerNode);
        const int32_t owner = constantOwner ? static_cast<int32_t>(RoundToInteger(ownerNode.value.val)) : 0;
        uint8_t scope;
        if (constantOwner && indices > 0 && ScopeOfOwner(owner, node.ind, scope)) {
            reference.indexed = true;
            reference.scope = scope;
            const RToken& first = node.items[1];
            int32_t before = Here();
            reference.i = Value(first);
            reference.iPosition = first.position;
            bool valueIsPure = !value || IsTriviallyPure(*value);
            if (indices > 1) {
                const RToken& second = node.items[2];
                if (!IsTriviallyPure(second) || !valueIsPure)
                    CheckNow(reference.i, first.position, before);
                before = Here();
                reference.j = Value(second);
                reference.jPosition = second.position;
                if (!valueIsPure)
                    CheckNow(reference.j, second.position, before);
            } else if (!valueIsPure) {
                CheckNow(reference.i, first.position, before);
            }
            return reference;
        }
        if (constantOwner && owner == kOwnerLocal) {
            reference.ownerMode = kOwnerLocalSlot;
            reference.owner = Register(node.slot);
        } else if (constantOwner) {
            reference.ownerMode = kOwnerConstant;
            reference.owner = owner;
        } else {
            int32_t value = Value(ownerNode);
            reference.ownerMode = kOwnerRegister;
            reference.owner = NewTemp();
            Emit(Op_Owner, reference.owner, value, 0, node.position);
        }
        for (int k = 1; k <= indices; ++k) {
            const RToken& indexNode = node.items[static_cast<size_t>(k)];
            int32_t value = Value(indexNode);
            int32_t flat = NewTemp();
            Emit(Op_Index, flat, value, reference.index, indexNode.position);
            reference.index = flat;
        }
        return reference;
    }

    void EmitGetRef(int32_t dest, const RToken& node, const RReference& reference)
    {
        if (reference.indexed) {
            Emit(Op_GetVarIndexed, dest, node.ind, reference.i | (reference.j << 16), node.position,
                 reference.iPosition, reference.jPosition);
            Last().flags = Instruction_WithScope(reference.scope);
            return;
        }
        Emit(Op_GetRef, dest, node.ind, reference.owner, node.position);
        Last().d = reference.index;
        Last().flags = Instruction_WithScope(reference.ownerMode);
    }

    void EmitSetRef(int32_t source, const RToken& node, const RReference& reference)
    {
        if (reference.indexed) {
            Emit(Op_SetVarIndexed, source, node.ind, reference.i | (reference.j << 16), node.position,
                 reference.iPosition, reference.jPosition);
            Last().flags = Instruction_WithScope(reference.scope);
            return;
        }
        Emit(Op_SetRef, source, node.ind, reference.owner, node.position);
        Last().d = reference.index;
        Last().flags = Instruction_WithScope(reference.ownerMode);
    }

    // A read of a variable node into dest.
    void Read(const RToken& node, int32_t dest)
    {
        const int32_t var = node.ind;
        if (node.kind == Node::Variable) {
            EmitGetRef(dest, node, Reference(node, nullptr));
            return;
        }
        const int32_t owner = node.ind2;
        if (owner == kOwnerLocal && node.slot >= 0) {
            if (g_assigned[static_cast<size_t>(node.slot)])
                Emit(Op_Move, dest, Register(node.slot), 0, node.position);
            else
                Emit(Op_LoadLocal, dest, Register(node.slot), var, node.position);
            return;
        }
        if (IsScriptArgument(node)) {
            Emit(Op_Move, dest, ArgumentSlot(var), 0, node.position);
            return;
        }
        uint8_t scope;
        if (var < kMaxBuiltinVariables && (owner == kOwnerUnqualified || owner == kOwnerSelf)) {
            int32_t slot = ArgumentSlot(var);
            if (slot >= 0) {
                Emit(Op_GetArg, dest, slot, 0, node.position);
                return;
            }
            Emit(Op_GetBuiltin, dest, var, 0, node.position);
            Last().flags = Instruction_WithScope(kScopeSelf);
            return;
        }
        if (var < kMaxBuiltinVariables && owner == kOwnerOther) {
            Emit(Op_GetBuiltin, dest, var, 0, node.position);
            Last().flags = Instruction_WithScope(kScopeOther);
            return;
        }
        if (ScopeOfOwner(owner, var, scope)) {
            Emit(Op_GetVar, dest, var, 0, node.position);
            Last().flags = Instruction_WithScope(scope);
            return;
        }
        Emit(Op_GetRef, dest, var, owner, node.position);
        Last().d = -1;
        Last().flags = Instruction_WithScope(kOwnerConstant);
    }

    // ------------------------------------------------------------ assignments

    void Assignment(const RToken& node)
    {
        const RToken& target = node.items[0];
        const RToken& value = node.items[1];
        const bool plain = node.ind == Sym::Assign;
        const int32_t op = plain ? 0 : CompoundOperator(node.ind);
        const int32_t var = target.ind;

        if (IsLocal(target)) {
            const int32_t reg = Register(target.slot);
            if (plain) {
                Into(value, reg, kFlagResultMark);
            } else if (g_assigned[static_cast<size_t>(target.slot)]) {
                BinaryFromRegister(op, reg, value, reg, kFlagResultMark | kFlagCompound);
            } else {
                // The value first, then the variable, as every compound
                // assignment reads it; it must exist by then.
                int32_t right = Value(value);
                int32_t current = NewTemp();
                Emit(Op_LoadLocal, current, reg, var, target.position);
                SetFlags(kFlagResultCopy);
                EmitBinaryRegisters(op, reg, current, right, value.position);
                SetFlags(kFlagResultMark);
            }
            g_assigned[static_cast<size_t>(target.slot)] = 1;
            return;
        }
        if (IsScriptArgument(target)) {
            // Code that the script runs can write the slot too: the result
            // is a copy of the value.
            const int32_t reg = ArgumentSlot(var);
            if (plain)
                Into(value, reg, kFlagResultCopy);
            else
                BinaryFromRegister(op, reg, value, reg, kFlagResultCopy | kFlagCompound);
            return;
        }

        if (target.kind == Node::ConstantOwnerVariable) {
            const int32_t owner = target.ind2;
            uint8_t scope;
            const bool self = owner == kOwnerUnqualified || owner == kOwnerSelf;
            if (var < kMaxBuiltinVariables && self && ArgumentSlot(var) >= 0 && plain) {
                int32_t source = Value(value);
                Emit(Op_SetArg, source, ArgumentSlot(var), 0, target.position);
                return;
            }
            if (var < kMaxBuiltinVariables && (self || owner == kOwnerOther) && ArgumentSlot(var) < 0) {
                int32_t source = Value(value);
                Emit(plain ? Op_SetBuiltin : Op_CompoundBuiltin, source, var, op, target.position, value.position);
                Last().flags = Instruction_WithScope(self ? kScopeSelf : kScopeOther);
                return;
            }
            if (ScopeOfOwner(owner, var, scope)) {
                int32_t source = Value(value);
                Emit(plain ? Op_SetVar : Op_CompoundVar, source, var, op, target.position, value.position);
                Last().flags = Instruction_WithScope(scope);
                return;
            }
        }

        // Any other target: the reference, the value, and for a compound
        // assignment the current value read into the result on the way.
        RReference reference;
        if (target.kind == Node::Variable) {
            reference = Reference(target, &value);
        } else {
            reference.ownerMode = target.ind2 == kOwnerLocal ? kOwnerLocalSlot : kOwnerConstant;
            reference.owner = target.ind2 == kOwnerLocal ? Register(target.slot) : target.ind2;
        }
        int32_t source = Value(value);
        if (!plain) {
            int32_t current = NewTemp();
            EmitGetRef(current, target, reference);
            SetFlags(kFlagResultCopy);
            EmitBinaryRegisters(op, current, current, source, value.position);
            source = current;
        }
        EmitSetRef(source, target, reference);
        if (reference.ownerMode == kOwnerLocalSlot && !reference.indexed && reference.owner >= g_base)
            g_assigned[static_cast<size_t>(reference.owner - g_base)] = 1;
    }

    // dest := R[left] op value.
    void BinaryFromRegister(int32_t op, int32_t left, const RToken& value, int32_t dest, uint8_t flags)
    {
        const int index = BinaryIndex(op);
        if (index < 0) {
            Emit(Op_Fail, 0, kMessageExpressionExpected, 0, value.position);
            return;
        }
        const uint8_t rr = static_cast<uint8_t>(Op_AddRR + 3 * index);
        const int32_t mark = g_top;
        if (IsRealConstant(value)) {
            EmitK(static_cast<uint8_t>(rr + 1), dest, left, value.value.val, value.position);
        } else {
            int32_t right = Value(value);
            Emit(rr, dest, left, right, value.position);
        }
        SetFlags(flags);
        g_top = mark;
    }

    void EmitBinaryRegisters(int32_t op, int32_t dest, int32_t left, int32_t right, int32_t position)
    {
        Emit(static_cast<uint8_t>(Op_AddRR + 3 * BinaryIndex(op)), dest, left, right, position);
    }

    // ------------------------------------------------------------ statements

    void Statement(const RToken& node)
    {
        const int32_t mark = g_top;
        switch (node.kind) {
        case Node::Block:
            for (const RToken& statement : node.items)
                Statement(statement);
            break;
        case Node::Call:
            Call(node, kResultRegister);
            break;
        case Node::Assignment:
            Assignment(node);
            break;
        case Sym::If:
            If(node);
            break;
        case Sym::While:
            While(node);
            break;
        case Sym::Do:
            Do(node);
            break;
        case Sym::For:
            For(node);
            break;
        case Sym::Repeat:
            Repeat(node);
            break;
        case Sym::With:
            With(node);
            break;
        case Sym::Switch:
            Switch(node);
            break;
        case Sym::Exit:
            Emit(Op_ReturnStatus, 0, kStatusExit, 0, node.position);
            break;
        case Sym::Return: {
            int32_t value = Value(node.items[0]);
            Emit(Op_Return, value, 0, 0, node.position);
            break;
        }
        case Sym::Break:
            Break(node);
            break;
        case Sym::Continue:
            Continue(node);
            break;
        case Sym::Case:
            Emit(Op_Fail, 0, kMessageCaseOutsideSwitch, 0, node.position);
            break;
        case Sym::Default:
            Emit(Op_Fail, 0, kMessageDefaultOutsideSwitch, 0, node.position);
            break;
        case Sym::Var:
            break;
        case Sym::GlobalVar:
            for (const RToken& name : node.items)
                Emit(Op_DeclareGlobal, 0, name.ind, 0, name.position);
            break;
        default:
            Emit(Op_Fail, 0, kMessageStatementExpected, 0, node.position);
            break;
        }
        g_top = mark;
    }

    // A branch to be patched: taken when the condition's truth is `when`.
    int32_t Branch(const RToken& condition, bool when, int32_t message)
    {
        if (condition.kind == Node::Binary && ComparisonIndex(condition.ind) >= 0) {
            const RToken& left = condition.items[0];
            const RToken& right = condition.items[1];
            int32_t op = condition.ind;
            const bool leftConstant = IsRealConstant(left) && !IsRealConstant(right);
            if (leftConstant)
                op = MirroredComparison(op);
            const uint8_t base = static_cast<uint8_t>(Op_JumpIfLtRR + 4 * ComparisonIndex(op) + (when ? 0 : 2));
            if (leftConstant) {
                int32_t r = Value(right);
                EmitK(static_cast<uint8_t>(base + 1), r, -1, left.value.val, right.position);
            } else if (IsRealConstant(right)) {
                int32_t l = Value(left);
                EmitK(static_cast<uint8_t>(base + 1), l, -1, right.value.val, right.position);
            } else {
                int32_t l = Value(left);
                int32_t r = Value(right);
                Emit(base, l, -1, r, right.position);
            }
            return Here() - 1;
        }
        int32_t value = Value(condition);
        return Emit(when ? Op_JumpIfTrue : Op_JumpIfFalse, value, -1, message, condition.position);
    }

    void If(const RToken& node)
    {
        const std::vector<uint8_t> assigned = g_assigned;
        const int32_t mark = g_top;
        int32_t skip = Branch(node.items[0], false, kMessageCondition);
        g_top = mark;
        Statement(node.items[1]);
        g_assigned = assigned;
        if (node.ItemCount() > 2) {
            int32_t over = Emit(Op_Jump, 0, -1, 0, node.position);
            At(skip).b = Here();
            Statement(node.items[2]);
            g_assigned = assigned;
            At(over).b = Here();
        } else {
            At(skip).b = Here();
        }
    }

    void While(const RToken& node)
    {
        const std::vector<uint8_t> assigned = g_assigned;
        int32_t toCondition = Emit(Op_Jump, 0, -1, 0, node.position);
        g_scopes.push_back(RScope{EScope::Loop, {}, {}});
        int32_t body = Here();
        Statement(node.items[1]);
        g_assigned = assigned;
        const int32_t condition = Here();
        At(toCondition).b = condition;
        const int32_t branch = Branch(node.items[0], true, kMessageBooleanCondition);
        CloseLoop(condition, branch, body);
    }

    void Do(const RToken& node)
    {
        const std::vector<uint8_t> assigned = g_assigned;
        g_scopes.push_back(RScope{EScope::Loop, {}, {}});
        int32_t body = Here();
        Statement(node.items[0]);
        g_assigned = assigned;
        const int32_t condition = Here();
        const int32_t branch = Branch(node.items[1], false, kMessageBooleanCondition);
        CloseLoop(condition, branch, body);
    }

    void For(const RToken& node)
    {
        Statement(node.items[0]);
        const std::vector<uint8_t> assigned = g_assigned;
        int32_t toCondition = Emit(Op_Jump, 0, -1, 0, node.position);
        g_scopes.push_back(RScope{EScope::Loop, {}, {}});
        int32_t body = Here();
        Statement(node.items[3]);
        g_assigned = assigned;
        int32_t step = Here();
        // break and continue in the step belong to the loop around this one.
        RScope scope = std::move(g_scopes.back());
        g_scopes.pop_back();
        Statement(node.items[2]);
        g_assigned = assigned;
        g_scopes.push_back(std::move(scope));
        At(toCondition).b = Here();
        int32_t branch = Branch(node.items[1], true, kMessageCondition);
        CloseLoop(step, branch, body);
    }

    void Repeat(const RToken& node)
    {
        const std::vector<uint8_t> assigned = g_assigned;
        int32_t count = Value(node.items[0]);
        int32_t counter = NewTemp();
        int32_t init = Emit(Op_RepeatInit, counter, count, -1, node.items[0].position);
        g_scopes.push_back(RScope{EScope::Loop, {}, {}});
        int32_t body = Here();
        Statement(node.items[1]);
        g_assigned = assigned;
        int32_t next = Here();
        int32_t back = Emit(Op_RepeatNext, counter, -1, 0, node.position);
        CloseLoop(next, back, body);
        At(init).c = Here();
    }

    // Ends the innermost loop: the back branch goes to the body, continue
    // to continueAt, break to what follows.
    void CloseLoop(int32_t continueAt, int32_t backBranch, int32_t body)
    {
        At(backBranch).b = body;
        RScope scope = std::move(g_scopes.back());
        g_scopes.pop_back();
        for (const RPatch& patch : scope.continues)
            Patch(patch, continueAt);
        for (const RPatch& patch : scope.breaks)
            Patch(patch, Here());
    }

    void With(const RToken& node)
    {
        const std::vector<uint8_t> assigned = g_assigned;
        int32_t target = Value(node.items[0]);
        int32_t with = Emit(Op_With, target, -1, -1, node.items[0].position);
        // A break out of a body run for one instance is a break of the
        // statement around the with.
        if (!g_scopes.empty() && g_scopes.back().kind != EScope::WithBody)
            g_scopes.back().breaks.push_back(RPatch{with, true});
        g_scopes.push_back(RScope{EScope::WithBody, {}, {}});
        Statement(node.items[1]);
        Emit(Op_BodyEnd, 0, 0, 0, node.position);
        g_scopes.pop_back();
        g_assigned = assigned;
        At(with).b = Here();
    }

    void Switch(const RToken& node)
    {
        const std::vector<uint8_t> assigned = g_assigned;
        int32_t value = NewTemp();
        Into(node.items[0], value, 0);
        // The scan: each case up to the first default, in order.
        std::vector<std::pair<int32_t, size_t>> matches; // instruction, label
        size_t firstDefault = 0;
        for (size_t k = 1; k < node.items.size(); ++k) {
            const RToken& label = node.items[k];
            if (label.kind == Sym::Default) {
                firstDefault = k;
                break;
            }
            if (label.kind != Sym::Case)
                continue;
            const int32_t mark = g_top;
            int32_t candidate = Value(label.items[0]);
            matches.emplace_back(Emit(Op_SwitchMatch, value, candidate, -1, label.position), k);
            g_top = mark;
        }
        int32_t noMatch = Emit(Op_Jump, 0, -1, 0, node.position);
        g_scopes.push_back(RScope{EScope::Switch, {}, {}});
        std::vector<int32_t> labelAt(node.items.size(), -1);
        for (size_t k = 1; k < node.items.size(); ++k) {
            const RToken& statement = node.items[k];
            if (statement.kind == Sym::Case || statement.kind == Sym::Default) {
                labelAt[k] = Here();
                continue;
            }
            // Any label can be jumped to: nothing assigned before one counts.
            Statement(statement);
            g_assigned = assigned;
        }
        for (const auto& [instruction, label] : matches)
            At(instruction).c = labelAt[label];
        At(noMatch).b = firstDefault ? labelAt[firstDefault] : Here();
        RScope scope = std::move(g_scopes.back());
        g_scopes.pop_back();
        for (const RPatch& patch : scope.breaks)
            Patch(patch, Here());
    }

    void Break(const RToken& node)
    {
        if (g_scopes.empty() || g_scopes.back().kind == EScope::WithBody) {
            Emit(Op_ReturnStatus, 0, kStatusBreak, 0, node.position);
            return;
        }
        g_scopes.back().breaks.push_back(RPatch{Emit(Op_Jump, 0, -1, 0, node.position), false});
    }

    void Continue(const RToken& node)
    {
        for (auto it = g_scopes.rbegin(); it != g_scopes.rend(); ++it) {
            if (it->kind == EScope::WithBody)
                break;
            if (it->kind == EScope::Switch)
                continue; // continue goes through a switch to the loop around it
            it->continues.push_back(RPatch{Emit(Op_Jump, 0, -1, 0, node.position), false});
            return;
        }
        Emit(Op_ReturnStatus, 0, kStatusContinue, 0, node.position);
    }

    CCode& g_code;
    CCompileErrors& g_errors;
    const int32_t g_base; // register of the first local
    int32_t g_top;
    int32_t g_maxTop;
    std::vector<uint8_t> g_assigned; // per local: written on every path to here
    std::vector<RScope> g_scopes;
    const RArgumentVariables& g_arguments;
};

bool Code_Generate(const RToken& root, CCode& code, CCompileErrors& errors)
{
    return CCodeGenerator(code, errors).Generate(root);
}
