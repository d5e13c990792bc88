// Walking the code tree: statements, expressions, variables, calls.
//
// Reals are handled inline on the common paths (arithmetic, comparisons,
// conditions); strings, errors and odd kinds go through the operator
// routines. Nothing here keeps a pointer into an instance list across a call
// that can run script code: lists are walked by position and re-read.
#include "code/Executor.h"

#include "code/Code.h"
#include "code/CodeError.h"
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "code/Functions.h"
#include "code/Operators.h"
#include "code/Scripts.h"
#include "code/StopRequest.h"
#include "code/VariableAccess.h"
#include "code/Variables.h"
#include "data/GameSettings.h"
#include "world/Instance.h"
#include "world/InstanceList.h"
#include "world/World.h"

#include <cmath>
#include <memory>

namespace {

enum : int {
    kNormal = 0,
    kError = -1,
    kExit = -2,
    kBreak = -3,
    kContinue = -4,
};

constexpr int32_t kOwnerSelf = -1;
constexpr int32_t kOwnerOther = -2;
constexpr int32_t kOwnerAll = -3;
constexpr int32_t kOwnerNoone = -4;
constexpr int32_t kOwnerGlobal = -5;
constexpr int32_t kOwnerLocal = -7;

int ExecutionDepth = 0;

struct RVariableReference {
    int32_t owner;
    int32_t var;
    int32_t array;
    int32_t slot = -1; // the local slot the compiler gave it, when it has one
};

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

// An operator on two reals where the result is plainly a real; false for
// the cases the general operator handles (division by zero, quotients
// beyond 32 bits, bitwise and text operators).
inline bool RealBinary(int32_t op, double a, double b, double& result)
{
    switch (op) {
    case Sym::Plus: result = a + b; return true;
    case Sym::Minus: result = a - b; return true;
    case Sym::Multiply: result = a * b; return true;
    case Sym::Less: result = a - b < -kCompareEpsilon ? 1.0 : 0.0; return true;
    case Sym::Greater: result = a - b > kCompareEpsilon ? 1.0 : 0.0; return true;
    case Sym::LessEqual: result = a - b <= kCompareEpsilon ? 1.0 : 0.0; return true;
    case Sym::GreaterEqual: result = a - b >= -kCompareEpsilon ? 1.0 : 0.0; return true;
    case Sym::Equal:
    case Sym::Assign: result = (a - b > -kCompareEpsilon && a - b < kCompareEpsilon) ? 1.0 : 0.0; return true;
    case Sym::NotEqual: result = (a - b < -kCompareEpsilon || a - b > kCompareEpsilon) ? 1.0 : 0.0; return true;
    case Sym::Divide:
        if (b == 0.0)
            return false;
        result = a / b;
        return true;
    case Sym::Div:
    case Sym::Mod: {
        // Quotients within 32 bits, as the language defines them.
        double q = b == 0.0 ? 0.0 : std::trunc(a / b);
        if (b == 0.0 || !(q >= -2147483648.0 && q <= 2147483647.0))
            return false;
        result = op == Sym::Div ? q : a - q * b;
        return true;
    }
    case Sym::And: result = IsTrue(a) && IsTrue(b) ? 1.0 : 0.0; return true;
    case Sym::Or: result = IsTrue(a) || IsTrue(b) ? 1.0 : 0.0; return true;
    default: return false;
    }
}

class CRun {
public:
    CRun(CInstance* self, CInstance* other, const CCode& code, RValue& result)
        : r_self(self), r_other(other), r_code(code), r_result(result)
    {
    }

    int RunProgram(const RToken& root)
    {
        if (root.kind == Node::EmptyProgram)
            return kNormal;
        if (root.kind == Node::Block)
            return RunBlock(root);
        return Fail(root.position, "This is not a program.");
    }

    bool Evaluate(const RToken& node, RValue& out);

private:
    int Fail(int32_t position, const std::string& message)
    {
        Code_Error(r_code, position, message);
        return kError;
    }
    bool FailExpression(int32_t position, const std::string& message)
    {
        Code_Error(r_code, position, message);
        return false;
    }
    // Every loop checks Code_StopRequested at its back-edge and leaves
    // through here, out of line.
    [[gnu::noinline]] static int Stopped()
    {
        Code_StopForRequest();
        return kError;
    }

    int RunStatement(const RToken& node);
    int RunBlock(const RToken& node);
    int RunIf(const RToken& node);
    [[gnu::noinline]] int RunWhile(const RToken& node);
    [[gnu::noinline]] int RunDo(const RToken& node);
    int RunFor(const RToken& node);
    [[gnu::noinline]] int RunRepeat(const RToken& node);
    [[gnu::noinline]] int RunWith(const RToken& node);
    int RunWithBody(CInstance* instance, const RToken& body);
    [[gnu::noinline]] int RunSwitch(const RToken& node);
    int RunAssignment(const RToken& node);
    [[gnu::noinline]] int FinishAssignment(const RToken& node, const RVariableReference& reference, RValue& value);

    [[gnu::noinline]] bool Call(const RToken& node, RValue& out);
    bool Reference(const RToken& node, RVariableReference& reference);
    bool Read(const RVariableReference& reference, RValue& out);
    bool ReadNode(const RToken& node, const RVariableReference& reference, RValue& out);
    // The answer when a variable cannot be read: zero, or the message.
    [[gnu::noinline]] bool ReadFailed(const RToken& node, const RVariableReference& reference, RValue& out);
    bool Store(const RVariableReference& reference, const RValue& value);
    bool EvaluateInteger(const RToken& node, const char* stringMessage, int64_t& value);

    // Whether a kind-8 node's value can be reached without the general
    // path: a local, or a user variable of self (or a declared global).
    static bool HasFastPath(const RToken& node)
    {
        return node.ind2 == kOwnerLocal || (node.ind2 == kOwnerUnqualified && node.ind >= kMaxBuiltinVariables);
    }
    // The simple value of such a node; created as the real 0 when asked to.
    RValue* FastSimpleValue(const RToken& node, bool create)
    {
        if (node.ind2 == kOwnerLocal) {
            RVariable* variable = Local(node.ind, node.slot, create);
            return variable ? &variable->simplevalue : nullptr;
        }
        CVariableList& list = Variable_IsGlobal(node.ind) ? GlobalVars : r_self->i_vars;
        return create ? &list.SimpleValue(node.ind) : list.FindSimpleValue(node.ind);
    }

    // A leaf whose value can be looked at where it lies, without a copy or a
    // call: a constant, or an existing variable on the fast path. Null for
    // anything else, including a variable not set yet (the general path
    // reports that).
    const RValue* LeafValue(const RToken& node)
    {
        if (node.kind == Node::Constant)
            return &node.value;
        if (node.kind == Node::ConstantOwnerVariable && HasFastPath(node))
            return FastSimpleValue(node, false);
        return nullptr;
    }

    // A local of this run. The locals the code names live in slots given at
    // compile time; one reached through a computed owner goes to a list.
    RVariable* Local(int32_t var, int32_t slot, bool create)
    {
        // The common case, a named local already set, stays inline.
        if (slot >= 0 && static_cast<size_t>(slot) < r_slots.size() && r_slots[static_cast<size_t>(slot)].ind >= 0)
            return &r_slots[static_cast<size_t>(slot)];
        return FirstLocal(var, slot, create);
    }
    [[gnu::noinline]] RVariable* FirstLocal(int32_t var, int32_t slot, bool create)
    {
        if (slot < 0)
            slot = r_code.LocalSlot(var);
        if (slot < 0) {
            if (!r_otherLocals) {
                if (!create)
                    return nullptr;
                r_otherLocals = std::make_unique<CVariableList>();
            }
            return r_otherLocals->Variable(var, create);
        }
        if (r_slots.empty()) {
            if (!create)
                return nullptr;
            r_slots.resize(static_cast<size_t>(r_code.LocalCount()));
            for (RVariable& variable : r_slots)
                variable.ind = -1;
        }
        RVariable& variable = r_slots[static_cast<size_t>(slot)];
        if (variable.ind < 0) {
            if (!create)
                return nullptr;
            variable.ind = var;
        }
        return &variable;
    }

    CInstance* r_self;
    CInstance* r_other;
    const CCode& r_code;
    RValue& r_result;
    std::vector<RVariable> r_slots; // empty until the first local is written
    std::unique_ptr<CVariableList> r_otherLocals;
};

// ---------------------------------------------------------------- statements

int CRun::RunStatement(const RToken& node)
{
    switch (node.kind) {
    case Node::Block:
        return RunBlock(node);
    case Node::Call:
        return Call(node, r_result) ? kNormal : kError;
    case Node::Assignment:
        return RunAssignment(node);
    case Sym::If:
        return RunIf(node);
    case Sym::While:
        return RunWhile(node);
    case Sym::Do:
        return RunDo(node);
    case Sym::For:
        return RunFor(node);
    case Sym::Repeat:
        return RunRepeat(node);
    case Sym::Exit:
        return kExit;
    case Sym::Return:
        return Evaluate(node.items[0], r_result) ? kExit : kError;
    case Sym::Break:
        return kBreak;
    case Sym::Continue:
        return kContinue;
    case Sym::With:
        return RunWith(node);
    case Sym::Switch:
        return RunSwitch(node);
    case Sym::Case:
        return Fail(node.position, "Case statement only allowed inside switch statement.");
    case Sym::Default:
        return Fail(node.position, "Default statement only allowed inside switch statement.");
    case Sym::Var:
        return kNormal;
    case Sym::GlobalVar:
        for (const RToken& name : node.items)
            Variable_DeclareGlobal(name.ind);
        return kNormal;
    default:
        return Fail(node.position, "Statement expected.");
    }
}

int CRun::RunBlock(const RToken& node)
{
    for (const RToken& statement : node.items) {
        int code = RunStatement(statement);
        if (code != kNormal)
            return code;
    }
    return kNormal;
}

int CRun::RunIf(const RToken& node)
{
    RValue condition;
    if (!Evaluate(node.items[0], condition))
        return kError;
    if (condition.kind != VALUE_REAL)
        return Fail(node.items[0].position, "Expression expected");
    if (IsTrue(condition.val))
        return RunStatement(node.items[1]);
    if (node.items.size() > 2)
        return RunStatement(node.items[2]);
    return kNormal;
}

int CRun::RunWhile(const RToken& node)
{
    RValue condition;
    for (;;) {
        if (!Evaluate(node.items[0], condition))
            return kError;
        if (condition.kind != VALUE_REAL)
            return Fail(node.items[0].position, "Boolean expression expected");
        if (!IsTrue(condition.val))
            return kNormal;
        int code = RunStatement(node.items[1]);
        if (code == kBreak)
            return kNormal;
        if (code != kNormal && code != kContinue)
            return code;
        if (Code_StopRequested())
            return Stopped();
    }
}

int CRun::RunDo(const RToken& node)
{
    RValue condition;
    for (;;) {
        int code = RunStatement(node.items[0]);
        if (code == kBreak)
            return kNormal;
        if (code == kError || code == kExit)
            return code;
        if (!Evaluate(node.items[1], condition))
            return kError;
        if (condition.kind != VALUE_REAL)
            return Fail(node.items[1].position, "Boolean expression expected");
        if (IsTrue(condition.val))
            return kNormal;
        if (Code_StopRequested())
            return Stopped();
    }
}

int CRun::RunFor(const RToken& node)
{
    int code = RunStatement(node.items[0]);
    if (code != kNormal)
        return code;
    RValue condition;
    for (;;) {
        if (!Evaluate(node.items[1], condition))
            return kError;
        if (condition.kind != VALUE_REAL)
            return Fail(node.items[1].position, "Expression expected");
        if (!IsTrue(condition.val))
            return kNormal;
        code = RunStatement(node.items[3]);
        if (code == kBreak)
            return kNormal;
        if (code == kError || code == kExit)
            return code;
        code = RunStatement(node.items[2]);
        if (code != kNormal)
            return code;
        if (Code_StopRequested())
            return Stopped();
    }
}

bool CRun::EvaluateInteger(const RToken& node, const char* stringMessage, int64_t& value)
{
    RValue result;
    if (!Evaluate(node, result))
        return false;
    if (result.kind != VALUE_REAL)
        return FailExpression(node.position, stringMessage);
    value = RoundToInteger(result.val);
    return true;
}

int CRun::RunRepeat(const RToken& node)
{
    int64_t count;
    if (!EvaluateInteger(node.items[0], "Repeat count must be a number", count))
        return kError;
    for (int64_t k = 0; k < count; ++k) {
        int code = RunStatement(node.items[1]);
        if (code == kBreak)
            return kNormal;
        if (code != kNormal && code != kContinue)
            return code;
        if (Code_StopRequested())
            return Stopped();
    }
    return kNormal;
}

int CRun::RunWithBody(CInstance* instance, const RToken& body)
{
    CInstance* savedSelf = r_self;
    CInstance* savedOther = r_other;
    r_other = r_self;
    r_self = instance;
    int code = RunStatement(body);
    r_self = savedSelf;
    r_other = savedOther;
    return code;
}

int CRun::RunWith(const RToken& node)
{
    int64_t target;
    if (!EvaluateInteger(node.items[0], "Object id expected", target))
        return kError;
    const RToken& body = node.items[1];
    if (target == kOwnerLocal)
        return Fail(node.items[0].position, "Cannot use local in with statement.");
    if (target == kOwnerGlobal)
        return Fail(node.items[0].position, "Cannot use global in with statement.");
    if (target == kOwnerNoone)
        return kNormal;
    int code = kNormal;
    if (target == kOwnerOther) {
        code = RunWithBody(r_other, body);
    } else if (target == kOwnerSelf || target == kOwnerUnqualified) {
        code = RunWithBody(r_self, body);
    } else if (target >= 100000) {
        CInstanceLists* room = Room_Instances();
        CInstance* instance = room && target <= INT32_MAX ? room->FindById(static_cast<int32_t>(target)) : nullptr;
        if (instance && !instance->i_marked)
            code = RunWithBody(instance, body);
    } else if (CInstanceLists* room = Room_Instances()) {
        // All instances, or those of an object and its descendants, present
        // when the statement starts; ones marked meanwhile are skipped.
        bool all = target == kOwnerAll;
        int32_t object = static_cast<int32_t>(target);
        int32_t count = all ? room->InstanceCount() : room->Obj_Number_Recursive(object);
        for (int32_t k = 0; k < count; ++k) {
            CInstance* instance = all ? room->InstanceAt(k) : room->Obj_Instance_Recursive(object, k);
            if (!instance || instance->i_marked)
                continue;
            code = RunWithBody(instance, body);
            if (code == kBreak)
                return kNormal;
            if (code != kNormal && code != kContinue)
                return code;
        }
    }
    // A single instance passes break on to an enclosing loop; continue ends here.
    return code == kContinue ? kNormal : code;
}

int CRun::RunSwitch(const RToken& node)
{
    RValue value;
    if (!Evaluate(node.items[0], value))
        return kError;
    size_t start = node.items.size();
    for (size_t k = 1; k < node.items.size(); ++k) {
        const RToken& label = node.items[k];
        if (label.kind == Sym::Default) {
            start = k;
            break;
        }
        if (label.kind != Sym::Case)
            continue;
        RValue candidate;
        if (!Evaluate(label.items[0], candidate))
            return kError;
        bool match = value.kind == candidate.kind &&
                     (value.kind == VALUE_REAL ? value.val == candidate.val : value.str == candidate.str);
        if (match) {
            start = k;
            break;
        }
    }
    for (size_t k = start + 1; k < node.items.size(); ++k) {
        const RToken& statement = node.items[k];
        if (statement.kind == Sym::Case || statement.kind == Sym::Default)
            continue;
        int code = RunStatement(statement);
        if (code == kBreak)
            return kNormal;
        if (code != kNormal)
            return code;
    }
    return kNormal;
}

int CRun::RunAssignment(const RToken& node)
{
    const RToken& target = node.items[0];
    if (target.kind == Node::ConstantOwnerVariable && HasFastPath(target)) {
        // Nothing to evaluate for the target; the value may run scripts that
        // add variables, so the slot is found only afterwards.
        RValue value;
        if (const RValue* leaf = LeafValue(node.items[1]))
            value = *leaf;
        else if (!Evaluate(node.items[1], value))
            return kError;
        if (node.ind == Sym::Assign) {
            *FastSimpleValue(target, true) = value;
            r_result = std::move(value);
            return kNormal;
        } else if (node.ind == Sym::AddAssign && value.kind == VALUE_STRING) {
            // The result slot lets go of the old text first, so that a text
            // only the variable holds grows in place instead of being copied.
            r_result = RValue();
            RValue* slot = FastSimpleValue(target, false);
            if (slot && slot->kind == VALUE_STRING && slot->str.size() + value.str.size() <= kLongestBuiltString &&
                slot->str.AppendIfUnique(value.str.Text())) {
                r_result = *slot;
                return kNormal;
            }
        } else if (RValue* slot = FastSimpleValue(target, false); slot && slot->kind == VALUE_REAL &&
                   value.kind == VALUE_REAL &&
                   RealBinary(CompoundOperator(node.ind), slot->val, value.val, slot->val)) {
            r_result = *slot;
            return kNormal;
        }
        return FinishAssignment(node, RVariableReference{target.ind2, target.ind, 0, target.slot}, value);
    }
    RVariableReference reference;
    if (!Reference(target, reference))
        return kError;
    RValue value;
    if (!Evaluate(node.items[1], value))
        return kError;
    return FinishAssignment(node, reference, value);
}

int CRun::FinishAssignment(const RToken& node, const RVariableReference& reference, RValue& value)
{
    const RToken& target = node.items[0];
    if (node.ind == Sym::Assign) {
        r_result = std::move(value);
    } else {
        if (!ReadNode(target, reference, r_result))
            return kError;
        int32_t op = CompoundOperator(node.ind);
        if (!(r_result.kind == VALUE_REAL && value.kind == VALUE_REAL &&
              RealBinary(op, r_result.val, value.val, r_result.val)) &&
            !Operator_Binary(r_code, node.items[1].position, op, value, r_result))
            return kError;
    }
    if (!Store(reference, r_result))
        return Fail(target.position, "Cannot assign to the variable");
    return kNormal;
}

// ---------------------------------------------------------------- variables

bool CRun::Reference(const RToken& node, RVariableReference& reference)
{
    reference.var = node.ind;
    reference.array = 0;
    reference.slot = node.slot;
    if (node.kind == Node::ConstantOwnerVariable) {
        reference.owner = node.ind2;
        return true;
    }
    const RToken& ownerNode = node.items[0];
    if (ownerNode.kind == Node::Constant && ownerNode.value.kind == VALUE_REAL) {
        reference.owner = static_cast<int32_t>(RoundToInteger(ownerNode.value.val));
    } else {
        RValue owner;
        if (!Evaluate(ownerNode, owner))
            return false;
        if (owner.kind != VALUE_REAL)
            return FailExpression(node.position, "Wrong type of variable index");
        reference.owner = static_cast<int32_t>(RoundToInteger(owner.val));
    }
    for (size_t k = 1; k < node.items.size(); ++k) {
        RValue index;
        const RValue* indexValue = LeafValue(node.items[k]);
        if (!indexValue) {
            if (!Evaluate(node.items[k], index))
                return false;
            indexValue = &index;
        }
        if (indexValue->kind != VALUE_REAL)
            return FailExpression(node.items[k].position, "Wrong type of array index");
        int64_t i = RoundToInteger(indexValue->val);
        if (i < 0)
            return FailExpression(node.items[k].position, "Negative array index");
        if (i >= kArrayRowSize)
            return FailExpression(node.items[k].position, "Array index >= 32000");
        reference.array = k == 1 ? static_cast<int32_t>(i) : reference.array * kArrayRowSize + static_cast<int32_t>(i);
    }
    return true;
}

bool CRun::Read(const RVariableReference& reference, RValue& out)
{
    switch (reference.owner) {
    case kOwnerLocal:
    {
        const RVariable* variable = Local(reference.var, reference.slot, false);
        const RValue* element = variable ? Variable_Element(*variable, reference.array) : nullptr;
        if (!element)
            return false;
        out = *element;
        return true;
    }
    case kOwnerNoone:
        return false;
    case kOwnerUnqualified:
        if (Variable_IsGlobal(reference.var))
            return GlobalVars.GetVar(reference.var, reference.array, out);
        return Variable_GetOfInstance(r_self, reference.var, reference.array, out);
    case kOwnerGlobal:
        return GlobalVars.GetVar(reference.var, reference.array, out);
    case kOwnerOther:
        return Variable_GetOfInstance(r_other, reference.var, reference.array, out);
    case kOwnerSelf:
        return Variable_GetOfInstance(r_self, reference.var, reference.array, out);
    default:
        return Variable_GetOfOwner(reference.owner, reference.var, reference.array, out);
    }
}

bool CRun::ReadNode(const RToken& node, const RVariableReference& reference, RValue& out)
{
    if (Read(reference, out))
        return true;
    return ReadFailed(node, reference, out);
}

bool CRun::ReadFailed(const RToken& node, const RVariableReference& reference, RValue& out)
{
    if (Settings.UninitializedIsZero) {
        out = RValue();
        return true;
    }
    std::string message = "Unknown variable " + Code_Variable_Name(reference.var);
    if (reference.array != 0)
        message += " or array index out of bounds";
    return FailExpression(node.position, message);
}

bool CRun::Store(const RVariableReference& reference, const RValue& value)
{
    switch (reference.owner) {
    case kOwnerLocal:
        Variable_SetElement(*Local(reference.var, reference.slot, true), reference.array, value);
        return true;
    case kOwnerUnqualified:
        if (Variable_IsGlobal(reference.var)) {
            GlobalVars.SetVar(reference.var, reference.array, value);
            return true;
        }
        return Variable_SetOfInstance(r_self, reference.var, reference.array, value);
    case kOwnerGlobal:
        GlobalVars.SetVar(reference.var, reference.array, value);
        return true;
    case kOwnerNoone:
        return false;
    case kOwnerOther:
        return Variable_SetOfInstance(r_other, reference.var, reference.array, value);
    case kOwnerSelf:
        return Variable_SetOfInstance(r_self, reference.var, reference.array, value);
    default:
        return Variable_SetOfOwner(reference.owner, reference.var, reference.array, value);
    }
}

// ---------------------------------------------------------------- calls

bool CRun::Call(const RToken& node, RValue& out)
{
    RValueBuffer<kMaxCallArguments> arguments(static_cast<int>(node.items.size()));
    int count = arguments.Count();
    for (int k = 0; k < count; ++k) {
        const RToken& argument = node.items[static_cast<size_t>(k)];
        if (const RValue* leaf = LeafValue(argument))
            arguments[k] = *leaf;
        else if (!Evaluate(argument, arguments[k]))
            return false;
    }
    RValue result;
    bool ok = Function_Call(node.ind, r_self, r_other, result, arguments.Data(), count);
    out = std::move(result);
    return ok;
}

// ---------------------------------------------------------------- expressions

bool CRun::Evaluate(const RToken& node, RValue& out)
{
    switch (node.kind) {
    case Node::Constant:
        out = node.value;
        return true;
    case Node::ConstantOwnerVariable:
        // The common case: an instance's own or a local variable without index.
        if (HasFastPath(node)) {
            if (const RValue* value = FastSimpleValue(node, false)) {
                out = *value;
                return true;
            }
        } else if (node.ind < kMaxBuiltinVariables &&
                   (node.ind2 == kOwnerSelf || (node.ind2 == kOwnerUnqualified && !Variable_IsGlobal(node.ind)))) {
            // A built-in variable of self (x, argument0, ...) goes straight
            // to its getter.
            if (Variable_GetOfInstance(r_self, node.ind, 0, out))
                return true;
            return ReadFailed(node, RVariableReference{node.ind2, node.ind, 0, node.slot}, out);
        }
        [[fallthrough]];
    case Node::Variable: {
        RVariableReference reference;
        return Reference(node, reference) && ReadNode(node, reference, out);
    }
    case Node::Binary: {
        // Leaves (constants, plain variables) are read in place; only inner
        // nodes are evaluated into values.
        const RToken& leftNode = node.items[0];
        const RToken& rightNode = node.items[1];
        const RValue* left = LeafValue(leftNode);
        if (!left) {
            if (!Evaluate(leftNode, out))
                return false;
            left = &out;
        }
        RValue right;
        const RValue* rightValue = LeafValue(rightNode);
        if (!rightValue) {
            // The right side may run code that changes the left variable;
            // the left value is the one read before it.
            if (left != &out) {
                out = *left;
                left = &out;
            }
            if (!Evaluate(rightNode, right))
                return false;
            rightValue = &right;
        }
        double result;
        if (left->kind == VALUE_REAL && rightValue->kind == VALUE_REAL &&
            RealBinary(node.ind, left->val, rightValue->val, result)) {
            out.SetReal(result);
            return true;
        }
        if (left != &out)
            out = *left;
        if (rightValue != &right)
            right = *rightValue;
        return Operator_Binary(r_code, rightNode.position, node.ind, right, out);
    }
    case Node::Unary:
        if (!Evaluate(node.items[0], out))
            return false;
        if (out.kind == VALUE_REAL && node.ind == Sym::Minus) {
            out.val = -out.val;
            return true;
        }
        return Operator_Unary(r_code, node.items[0].position, node.ind, out);
    case Node::Call:
        return Call(node, out);
    default:
        return FailExpression(node.position, "(Sub-)expression expected.");
    }
}

} // namespace

bool Code_Execute(CInstance* self, CInstance* other, const CCode& code, RValue& result)
{
    Code_ClearError();
    if (!code.Compiled()) {
        Code_Error(code, 0, "Internal Error: Executing non-compiled code.");
        return false;
    }
    if (code.Kind() == CCode::kConstantExpression) {
        result = code.Value();
        return true;
    }
    if (!self || !other) {
        Code_Error(code, 0, "Internal Error: Executing code for nil instance.");
        return false;
    }
    // Calls can recurse without a loop: code started by running code checks
    // the stop request too (an event's own code starts as usual).
    if (ExecutionDepth > 0 && Code_StopRequested())
        return Code_StopForRequest();
    if (ExecutionDepth >= kMaxExecutionDepth) {
        Code_Error(code, 0, "Too many nested script calls (the limit is " + std::to_string(kMaxExecutionDepth) + ").");
        return false;
    }
    ++ExecutionDepth;
    CRun run(self, other, code, result);
    bool ok;
    if (code.Kind() == CCode::kExpression)
        ok = run.Evaluate(code.Token(), result);
    else
        ok = run.RunProgram(code.Token()) != kError;
    --ExecutionDepth;
    return ok;
}

bool Code_Run(CInstance* self, CInstance* other, const CCode& code, RValue& result)
{
    if (Code_Execute(self, other, code, result))
        return true;
    Error_ShowInEvent(Code_ErrorMessage, false);
    Code_ClearError();
    return false;
}

bool Code_Evaluate(CInstance* self, CInstance* other, const CCode& code, RValue& result)
{
    if (Code_Execute(self, other, code, result))
        return true;
    result = RValue("ERROR");
    return false;
}
