// Running a piece of code's instructions.
//
// Each entry pushes a frame of registers on the context's value stack: the
// code's locals (marked unset until written) and its temporaries. The loop
// dispatches each instruction through a table of labels; operations on two
// reals are done inline, and everything else (texts, errors, odd kinds)
// goes out of line to the one definition of the operators. A with body is
// a range of the same program, run once per instance by a nested call of
// the loop in the same frame; it ends with its status (normal, break,
// continue, exit, error) like a statement of the tree did.
//
// Nothing here keeps a pointer into an instance list across a call that
// can run script code: lists are walked by position and re-read. Frames
// never move, so registers stay where they are while calls run code.
#include "code/Executor.h"

#include "code/Code.h"
#include "code/ErrorReport.h"
#include "code/ExecutionContext.h"
#include "code/FunctionCatalogue.h"
#include "code/Functions.h"
#include "code/Instructions.h"
#include "code/Operators.h"
#include "code/Scripts.h"
#include "code/StopRequest.h"
#include "code/VariableAccess.h"
#include "code/Variables.h"
#include "data/GameSettings.h"
#include "data/Resources.h"
#include "world/Instance.h"
#include "world/InstanceList.h"
#include "world/World.h"

#include <algorithm>
#include <memory>

const char* Instruction_Message(int32_t message)
{
    switch (message) {
    case kMessageStatementExpected: return "Statement expected.";
    case kMessageExpressionExpected: return "(Sub-)expression expected.";
    case kMessageNotAProgram: return "This is not a program.";
    case kMessageCaseOutsideSwitch: return "Case statement only allowed inside switch statement.";
    case kMessageDefaultOutsideSwitch: return "Default statement only allowed inside switch statement.";
    case kMessageCodeTooLarge: return "Code is too large: too many local variables.";
    case kMessageCondition: return "Expression expected";
    default: return "Boolean expression expected";
    }
}

const char* Instruction_Name(uint8_t op)
{
    static const char* const kNames[Op_Count] = {
#define BRINDLE_PLAIN(name) #name,
        BRINDLE_PLAIN_OPCODES(BRINDLE_PLAIN)
#undef BRINDLE_PLAIN
#define BRINDLE_BINARY(name, op) #name "RR", #name "RK", #name "KR",
            BRINDLE_BINARY_OPERATORS(BRINDLE_BINARY)
#undef BRINDLE_BINARY
#define BRINDLE_BRANCH(name, op) "JumpIf" #name "RR", "JumpIf" #name "RK", "JumpIfNot" #name "RR", "JumpIfNot" #name "RK",
                BRINDLE_COMPARISONS(BRINDLE_BRANCH)
#undef BRINDLE_BRANCH
    };
    return op < Op_Count ? kNames[op] : "?";
}

namespace {

// The kind of a local's register before the run writes it. It never leaves
// the frame: every read of a local not known to be written checks for it.
constexpr int32_t kUnsetKind = -1;

#define BRINDLE_LIKELY(x) __builtin_expect(!!(x), 1)
#define BRINDLE_UNLIKELY(x) __builtin_expect(!!(x), 0)

[[gnu::always_inline]] inline void StoreReal(RValue& target, double value)
{
    if (BRINDLE_UNLIKELY(target.str.HasBlock()))
        target.str = RString();
    target.kind = VALUE_REAL;
    target.val = value;
}

// Array elements of locals (the simple value of a local lives in its
// register) and locals reached through a computed owner that the code does
// not name; made on first use.
struct RLocalStore {
    std::vector<RVariable> slots; // per local, from the first local's register; only rows are used
    CVariableList others;
};

struct RRun {
    RRun(CExecutionContext& runContext, const CCode& runCode, RValue* frame, RValue& runResult)
        : context(runContext), code(runCode), R(frame), result(runResult)
    {
    }

    CExecutionContext& context;
    const CCode& code;
    RValue* R;
    RValue& result;
    // The local register a statement last assigned (the run's result until
    // the next statement that sets one), or -1 when result holds it.
    int32_t lastResult = -1;
    std::unique_ptr<RLocalStore> store;

    RLocalStore& Store()
    {
        if (!store) {
            store = std::make_unique<RLocalStore>();
            store->slots.resize(static_cast<size_t>(code.LocalCount()));
        }
        return *store;
    }
};

int Execute(RRun& run, const RInstruction* ins);

// ---------------------------------------------------------------- failures

[[gnu::noinline, gnu::cold]] int Fail(RRun& run, int32_t position, const std::string& message)
{
    run.context.Fail(run.code, position, message);
    return kStatusError;
}

// A stop asked from outside ends the running code at a loop's back-edge.
[[gnu::noinline, gnu::cold]] int Stopped(RRun& run)
{
    Code_StopForRequest(run.context);
    return kStatusError;
}

// The answer when a variable cannot be read: zero, or the message.
[[gnu::noinline]] bool ReadFailed(RRun& run, int32_t position, int32_t var, int32_t arrayIndex, RValue& out)
{
    if (Settings.UninitializedIsZero) {
        out = RValue();
        return true;
    }
    std::string message = "Unknown variable " + Code_Variable_Name(var);
    if (arrayIndex != 0)
        message += " or array index out of bounds";
    Fail(run, position, message);
    return false;
}

// The array index a value stands for, or the message why it is none.
[[gnu::always_inline]] inline const char* IndexOf(const RValue& value, int32_t& index)
{
    if (value.kind != VALUE_REAL)
        return "Wrong type of array index";
    // A whole number in range, the usual index, needs no rounding.
    if (value.val >= 0.0 && value.val < static_cast<double>(kArrayRowSize)) {
        const int32_t whole = static_cast<int32_t>(value.val);
        if (whole == value.val) {
            index = whole;
            return nullptr;
        }
    }
    int64_t i = RoundToInteger(value.val);
    if (i < 0)
        return "Negative array index";
    if (i >= kArrayRowSize)
        return "Array index >= 32000";
    index = static_cast<int32_t>(i);
    return nullptr;
}

// ---------------------------------------------------------------- variables

[[gnu::always_inline]] inline CVariableList& ListOf(RRun& run, uint8_t scope, int32_t var)
{
    // Unqualified names are the usual case, and no globalvar has run in most games.
    if (BRINDLE_LIKELY(scope == kScopeUnqualified))
        return BRINDLE_LIKELY(!AnyGlobalDeclared) || !Variable_IsGlobal(var) ? run.context.Self()->i_vars : GlobalVars;
    switch (scope) {
    case kScopeSelf:
        return run.context.Self()->i_vars;
    case kScopeOther:
        return run.context.Other()->i_vars;
    default:
        return GlobalVars;
    }
}

// A local of this run: its register when the code names it, else the store.
bool ReadLocal(RRun& run, int32_t reg, int32_t var, int32_t arrayIndex, RValue& out)
{
    if (reg < 0)
        reg = run.code.LocalRegister(var);
    if (reg < 0) {
        const RValue* found = run.store ? run.store->others.Lookup(var, arrayIndex) : nullptr;
        if (!found)
            return false;
        out = *found;
        return true;
    }
    const RValue& simple = run.R[reg];
    if (simple.kind == kUnsetKind)
        return false;
    if (arrayIndex == 0) {
        out = simple;
        return true;
    }
    const size_t slot = static_cast<size_t>(reg - run.code.LocalBase());
    const RValue* element = run.store ? Variable_Element(run.store->slots[slot], arrayIndex) : nullptr;
    if (!element)
        return false;
    out = *element;
    return true;
}

void StoreLocal(RRun& run, int32_t reg, int32_t var, int32_t arrayIndex, const RValue& value)
{
    if (reg < 0)
        reg = run.code.LocalRegister(var);
    if (reg < 0) {
        run.Store().others.SetVar(var, arrayIndex, value);
        return;
    }
    RValue& simple = run.R[reg];
    if (arrayIndex == 0) {
        simple = value;
        return;
    }
    // An element makes the variable exist, its simple value the real 0.
    if (simple.kind == kUnsetKind)
        simple = RValue();
    Variable_SetElement(run.Store().slots[static_cast<size_t>(reg - run.code.LocalBase())], arrayIndex, value);
}

// Reads through an owner value; false when the variable cannot be read.
bool Read(RRun& run, int32_t owner, int32_t var, int32_t arrayIndex, RValue& out)
{
    CExecutionContext& context = run.context;
    switch (owner) {
    case kOwnerLocal:
        return ReadLocal(run, -1, var, arrayIndex, out);
    case kOwnerNoone:
        return false;
    case kOwnerUnqualified:
        if (Variable_IsGlobal(var))
            return GlobalVars.GetVar(var, arrayIndex, out);
        return Variable_GetOfInstance(context.Self(), var, arrayIndex, out);
    case kOwnerGlobal:
        return GlobalVars.GetVar(var, arrayIndex, out);
    case kOwnerOther:
        return Variable_GetOfInstance(context.Other(), var, arrayIndex, out);
    case kOwnerSelf:
        return Variable_GetOfInstance(context.Self(), var, arrayIndex, out);
    default:
        return Variable_GetOfOwner(owner, var, arrayIndex, out);
    }
}

// Writes through an owner value; false when the variable cannot be written.
bool Store(RRun& run, int32_t owner, int32_t var, int32_t arrayIndex, const RValue& value)
{
    CExecutionContext& context = run.context;
    switch (owner) {
    case kOwnerLocal:
        StoreLocal(run, -1, var, arrayIndex, value);
        return true;
    case kOwnerUnqualified:
        if (Variable_IsGlobal(var)) {
            GlobalVars.SetVar(var, arrayIndex, value);
            return true;
        }
        return Variable_SetOfInstance(context.Self(), var, arrayIndex, value);
    case kOwnerGlobal:
        GlobalVars.SetVar(var, arrayIndex, value);
        return true;
    case kOwnerNoone:
        return false;
    case kOwnerOther:
        return Variable_SetOfInstance(context.Other(), var, arrayIndex, value);
    case kOwnerSelf:
        return Variable_SetOfInstance(context.Self(), var, arrayIndex, value);
    default:
        return Variable_SetOfOwner(owner, var, arrayIndex, value);
    }
}

// The owner a GetRef or SetRef instruction names.
inline int32_t RefOwner(const RRun& run, const RInstruction* ins)
{
    return Instruction_Scope(ins->flags) == kOwnerRegister ? static_cast<int32_t>(run.R[ins->c].val) : ins->c;
}

inline int32_t RefIndex(const RRun& run, const RInstruction* ins)
{
    return ins->d >= 0 ? static_cast<int32_t>(run.R[ins->d].val) : 0;
}

[[gnu::noinline, gnu::cold]] bool IndexFailed(RRun& run, int32_t position, const char* message)
{
    Fail(run, position, message);
    return false;
}

// The row and column of GetVarIndexed and SetVarIndexed (one index is a
// column of row 0), or false after the message.
[[gnu::always_inline]] inline bool IndexedIndex(RRun& run, const RInstruction* ins, int32_t& row, int32_t& column)
{
    const uint32_t packed = static_cast<uint32_t>(ins->c);
    int32_t i;
    if (const char* message = IndexOf(run.R[packed & 0xFFFF], i))
        return IndexFailed(run, run.code.PositionOf(ins).second, message);
    if ((packed >> 16) == 0xFFFF) {
        row = 0;
        column = i;
        return true;
    }
    if (const char* message = IndexOf(run.R[packed >> 16], column))
        return IndexFailed(run, run.code.PositionOf(ins).third, message);
    row = i;
    return true;
}

// The entry of a built-in variable, or nullptr; the bounds compared in
// bytes, as the entry's size would cost a multiplication.
[[gnu::always_inline]] inline const RBuiltinVariable* BuiltinOf(int32_t var)
{
    const std::vector<RBuiltinVariable>& builtins = VariableDetail::Builtins;
    const size_t position = static_cast<uint32_t>(var);
    return Variable_Inside(builtins, position) ? &builtins[position] : nullptr;
}

// A built-in variable of an instance: straight to its getter or setter
// when it has one, else the general routes.
[[gnu::always_inline]] inline bool GetBuiltin(CInstance* instance, const RBuiltinVariable* builtin, int32_t var,
                                              RValue& out)
{
    // A getter writes its value or nothing, and reads no value: out can
    // take the value directly.
    if (BRINDLE_LIKELY(builtin && builtin->getter))
        return builtin->getter(instance, 0, out);
    return Variable_GetOfInstance(instance, var, 0, out);
}

[[gnu::always_inline]] inline bool SetBuiltin(CInstance* instance, const RBuiltinVariable* builtin, int32_t var,
                                              const RValue& value)
{
    if (BRINDLE_LIKELY(builtin && builtin->canset && builtin->setter))
        return builtin->setter(instance, 0, value);
    return Variable_SetOfInstance(instance, var, 0, value);
}

// ---------------------------------------------------------------- operators

// The general path of a binary instruction; its destination gets the result.
[[gnu::noinline]] bool BinarySlow(RRun& run, const RInstruction* ins, int32_t op, const RValue& left,
                                  const RValue& right)
{
    RValue& destination = run.R[ins->a];
    // A text that only the destination holds grows in place (s += 'x' in a loop).
    if (op == Sym::Plus && &left == &destination && left.kind == VALUE_STRING && right.kind == VALUE_STRING &&
        left.str.size() + right.str.size() <= kLongestBuiltString &&
        destination.str.AppendIfUnique(right.str.Text()))
        return true;
    RValue value = left;
    if (const char* message = Operator_Binary(op, right, value)) {
        if (ins->flags & kFlagCompound)
            run.lastResult = ins->a;
        Fail(run, run.code.PositionOf(ins).position, message);
        return false;
    }
    destination = std::move(value);
    return true;
}

[[gnu::noinline]] bool UnarySlow(RRun& run, const RInstruction* ins, int32_t op)
{
    RValue value = run.R[ins->b];
    if (const char* message = Operator_Unary(op, value)) {
        Fail(run, run.code.PositionOf(ins).position, message);
        return false;
    }
    run.R[ins->a] = std::move(value);
    return true;
}

// A comparison whose operands are not both reals.
[[gnu::noinline]] bool CompareSlow(RRun& run, const RInstruction* ins, int32_t op, const RValue& left,
                                   const RValue& right, bool& truth)
{
    RValue value = left;
    if (const char* message = Operator_Binary(op, right, value)) {
        Fail(run, run.code.PositionOf(ins).position, message);
        return false;
    }
    truth = IsTrue(value.val);
    return true;
}

// What the flags of an instruction that wrote register a ask for: an index
// checked now, the result marked or copied.
[[gnu::always_inline]] inline bool Finish(RRun& run, const RInstruction* ins)
{
    const uint8_t flags = ins->flags & 0x0F;
    const RValue& value = run.R[ins->a];
    if (flags & kFlagCheckIndex) {
        int32_t index;
        if (const char* message = IndexOf(value, index))
            return IndexFailed(run, run.code.PositionOf(ins).second, message);
    }
    if (flags & kFlagResultCopy) {
        run.result = value;
        run.lastResult = -1;
    } else if (flags & kFlagResultMark) {
        run.lastResult = ins->a;
    }
    return true;
}

// A compound assignment to an instance or global variable, beyond two reals.
[[gnu::noinline]] bool CompoundSlow(RRun& run, const RInstruction* ins, CVariableList& list, RVariable* variable)
{
    const int32_t op = ins->c;
    const RValue& value = run.R[ins->a];
    const RInstructionPosition& position = run.code.PositionOf(ins);
    run.lastResult = -1;
    if (!variable && !Settings.UninitializedIsZero) {
        ReadFailed(run, position.position, ins->b, 0, run.result);
        return false;
    }
    if (variable && op == Sym::Plus && variable->simplevalue.kind == VALUE_STRING && value.kind == VALUE_STRING &&
        variable->simplevalue.str.size() + value.str.size() <= kLongestBuiltString) {
        // The result lets go of the old text first, so that a text only the
        // variable holds grows in place instead of being copied.
        run.result = RValue();
        if (variable->simplevalue.str.AppendIfUnique(value.str.Text())) {
            run.result = variable->simplevalue;
            return true;
        }
    }
    run.result = variable ? variable->simplevalue : RValue();
    RValue updated = run.result;
    if (const char* message = Operator_Binary(op, value, updated)) {
        Fail(run, position.second, message);
        return false;
    }
    run.result = updated;
    list.CachedOrCreate(ins->b, ins->d).simplevalue = std::move(updated);
    return true;
}

[[gnu::noinline]] bool CompoundBuiltin(RRun& run, const RInstruction* ins)
{
    CInstance* instance = Instruction_Scope(ins->flags) == kScopeOther ? run.context.Other() : run.context.Self();
    const RBuiltinVariable* builtin = BuiltinOf(ins->b);
    const RValue& value = run.R[ins->a];
    RValue& result = run.result;
    run.lastResult = -1;
    if (!GetBuiltin(instance, builtin, ins->b, result) &&
        !ReadFailed(run, run.code.PositionOf(ins).position, ins->b, 0, result))
        return false;
    if (result.kind == VALUE_REAL && value.kind == VALUE_REAL) {
        double updated;
        if (const char* message = Operator_OnReals(ins->c, result.val, value.val, updated)) {
            Fail(run, run.code.PositionOf(ins).second, message);
            return false;
        }
        result.val = updated;
    } else if (const char* message = Operator_Binary(ins->c, value, result)) {
        Fail(run, run.code.PositionOf(ins).second, message);
        return false;
    }
    if (!SetBuiltin(instance, builtin, ins->b, result)) {
        Fail(run, run.code.PositionOf(ins).position, "Cannot assign to the variable");
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- calls

inline void ResetValue(RValue& value)
{
    StoreReal(value, 0.0);
}

// The arguments of a finished call let go of their texts, so a text the
// call was given can grow in place afterwards.
inline void ReleaseArguments(RValue* args, int32_t count)
{
    for (int32_t k = 0; k < count; ++k)
        if (BRINDLE_UNLIKELY(args[k].str.HasBlock()))
            args[k].str = RString();
}

[[gnu::noinline]] bool CallBuiltin(RRun& run, const RInstruction* ins)
{
    RValue* args = run.R + ins->c;
    const int32_t count = ins->d;
    RValue& out = ins->a == kResultRegister ? run.result : run.R[ins->a];
    if (ins->a == kResultRegister)
        run.lastResult = -1;
    ResetValue(out);
    const RFunction* function = Function_Get(ins->b);
    bool ok = true;
    if (function && function->f_routine)
        ok = function->f_routine(run.context, out, count, args);
    else
        Error_ShowInEvent(Function_MissingRoutineMessage(function ? function->f_name : "?"), false);
    ReleaseArguments(args, count);
    return ok;
}

[[gnu::noinline]] bool CallExtension(RRun& run, const RInstruction* ins)
{
    RValue* args = run.R + ins->c;
    const int32_t count = ins->d;
    RValue& out = ins->a == kResultRegister ? run.result : run.R[ins->a];
    if (ins->a == kResultRegister)
        run.lastResult = -1;
    ResetValue(out);
    bool ok = Function_CallExtension(ins->b, run.context.Self(), run.context.Other(), out, args, count);
    ReleaseArguments(args, count);
    return ok;
}

[[gnu::noinline, gnu::cold]] bool ScriptFailed(CExecutionContext& context, int32_t index, RValue& result)
{
    result = RValue("ERROR");
    context.SetError("In script " + Scripts.Name(index) + ":\r" + context.ErrorMessage());
    return false;
}

[[gnu::noinline, gnu::cold]] bool TooDeep(CExecutionContext& context, int32_t index, const CCode& code, RValue& result)
{
    context.Fail(code, 0, "Too many nested script calls (the limit is " + std::to_string(kMaxExecutionDepth) + ").");
    return ScriptFailed(context, index, result);
}

[[gnu::noinline, gnu::cold]] bool WrongArgumentCount(CExecutionContext& context, int32_t index, const CCode& code,
                                                     int32_t count)
{
    const bool atLeast = code.ArgsArray();
    context.SetError("Illegal argument count calling script \"" + Scripts.Name(index) + "\".\rScript requires " +
                     (atLeast ? "at least " : "") + std::to_string(code.Args()) + " arguments, " +
                     std::to_string(count) + " have been supplied.");
    return false;
}

inline bool CountIsWrong(const CCode& code, int32_t count)
{
    return Settings.CheckScriptArguments && (code.ArgsArray() ? count < code.Args() : count != code.Args());
}

// A script's run in frame, whose first registers are its argument slots
// with count arguments in them; the argument slots code sees are the
// frame's while it runs.
[[gnu::always_inline]] inline int RunScriptFrame(CExecutionContext& context, const CCode& code, int32_t index,
                                                 RValue* frame, int32_t count, RValue& result)
{
    // The slots the script names but was not given hold the real 0.
    const int32_t used = std::max(count, code.Args());
    for (int32_t k = count; k < used; ++k)
        ResetValue(frame[k]);
    const RArgumentFrame caller = context.SwapArguments(RArgumentFrame{frame, used, count, index});
    RValue* locals = frame + kScriptArgumentSlots;
    for (int32_t k = 0; k < code.LocalCount(); ++k)
        locals[k].kind = kUnsetKind;
    int status;
    {
        RRun run(context, code, frame, result);
        status = Execute(run, code.Instructions());
        if (run.lastResult >= 0)
            result = frame[run.lastResult];
    }
    context.RestoreArguments(caller);
    return status;
}

// A script called by the running code: its arguments lie at the top of this
// frame, and the script's frame starts there, with them in its first
// registers.
[[gnu::noinline]] bool CallScriptHere(RRun& run, const RInstruction* ins)
{
    CExecutionContext& context = run.context;
    const int32_t index = ins->b;
    const int32_t count = ins->d;
    RValue* args = run.R + ins->c;
    RValue& out = ins->a == kResultRegister ? run.result : run.R[ins->a];
    if (ins->a == kResultRegister)
        run.lastResult = -1;
    ResetValue(out);
    const CCode* code = Script_Code(index);
    if (BRINDLE_UNLIKELY(!code || !Scripts.Exists(index)))
        return false;
    context.ClearError();
    // Calls can recurse without a loop: code started by running code checks
    // the stop request too.
    if (BRINDLE_UNLIKELY(Code_StopRequested()))
        return Code_StopForRequest(context);
    if (BRINDLE_UNLIKELY(!context.Enter()))
        return TooDeep(context, index, *code, out);
    const CExecutionContext::RStackMark mark = context.Mark();
    RValue* frame = args;
    if (BRINDLE_UNLIKELY(!context.PushFrameAt(frame, code->FrameSize()))) {
        frame = context.PushFrame(code->FrameSize());
        for (int32_t k = 0; k < count; ++k)
            frame[k] = args[k];
    }
    const int status = RunScriptFrame(context, *code, index, frame, count, out);
    context.Restore(mark);
    context.Leave();
    if (BRINDLE_UNLIKELY(status == kStatusError))
        return ScriptFailed(context, index, out);
    // Checked after the script ran: its effects stay.
    if (BRINDLE_UNLIKELY(CountIsWrong(*code, count)))
        return WrongArgumentCount(context, index, *code, count);
    ReleaseArguments(args, count);
    return true;
}

// ---------------------------------------------------------------- with

int RunBodyFor(RRun& run, CInstance* instance, const RInstruction* body)
{
    CExecutionContext& context = run.context;
    CInstance* savedSelf = context.Self();
    CInstance* savedOther = context.Other();
    context.SetInstances(instance, savedSelf);
    int status = Execute(run, body);
    context.SetInstances(savedSelf, savedOther);
    return status;
}

[[gnu::noinline]] int RunWith(RRun& run, const RInstruction* ins)
{
    const RValue& value = run.R[ins->a];
    const int32_t position = run.code.PositionOf(ins).position;
    if (value.kind != VALUE_REAL)
        return Fail(run, position, "Object id expected");
    const int64_t target = RoundToInteger(value.val);
    if (target == kOwnerLocal)
        return Fail(run, position, "Cannot use local in with statement.");
    if (target == kOwnerGlobal)
        return Fail(run, position, "Cannot use global in with statement.");
    if (target == kOwnerNoone)
        return kStatusNormal;
    const RInstruction* body = ins + 1;
    int status = kStatusNormal;
    if (target == kOwnerOther) {
        status = RunBodyFor(run, run.context.Other(), body);
    } else if (target == kOwnerSelf || target == kOwnerUnqualified) {
        status = RunBodyFor(run, run.context.Self(), body);
    } else if (target >= 100000) {
        CInstanceLists* room = Room_Instances();
        CInstance* instance = room && target <= INT32_MAX ? room->FindById(static_cast<int32_t>(target)) : nullptr;
        if (instance && !instance->i_marked)
            status = RunBodyFor(run, instance, body);
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
            status = RunBodyFor(run, instance, body);
            if (status == kStatusBreak)
                return kStatusNormal;
            if (status != kStatusNormal && status != kStatusContinue)
                return status;
        }
    }
    // A single instance passes break on to the statement around; continue ends here.
    return status == kStatusContinue ? kStatusNormal : status;
}

// ---------------------------------------------------------------- the loop

int Execute(RRun& run, const RInstruction* ins)
{
    static void* const kLabels[Op_Count] = {
#define BRINDLE_PLAIN(name) &&L_##name,
        BRINDLE_PLAIN_OPCODES(BRINDLE_PLAIN)
#undef BRINDLE_PLAIN
#define BRINDLE_BINARY(name, op) &&L_##name##RR, &&L_##name##RK, &&L_##name##KR,
            BRINDLE_BINARY_OPERATORS(BRINDLE_BINARY)
#undef BRINDLE_BINARY
#define BRINDLE_BRANCH(name, op) &&L_JumpIf##name##RR, &&L_JumpIf##name##RK, &&L_JumpIfNot##name##RR, &&L_JumpIfNot##name##RK,
                BRINDLE_COMPARISONS(BRINDLE_BRANCH)
#undef BRINDLE_BRANCH
    };
    RValue* const R = run.R;
    const RInstruction* const program = run.code.Instructions();

    // A jump through the table must not leave the scope of a local with a
    // destructor (clang refuses it, and gcc would skip the destructor): such
    // locals live in a block of their own that ends before the jump.
#define DISPATCH() goto* kLabels[ins->op]
#define NEXT()                                                                                                         \
    do {                                                                                                               \
        ++ins;                                                                                                         \
        DISPATCH();                                                                                                    \
    } while (0)
#define JUMP(target)                                                                                                   \
    do {                                                                                                               \
        ins = program + (target);                                                                                      \
        DISPATCH();                                                                                                    \
    } while (0)
    // A conditional jump taken, which may close a loop: a stop asked from
    // outside ends the code there.
#define BRANCH(target)                                                                                                 \
    do {                                                                                                               \
        if (BRINDLE_UNLIKELY(Code_StopRequested()))                                                                    \
            return Stopped(run);                                                                                       \
        JUMP(target);                                                                                                  \
    } while (0)
#define POSITION() run.code.PositionOf(ins).position
    // After an instruction wrote register a: mark the result, or what else
    // its flags ask for.
#define FINISH()                                                                                                       \
    do {                                                                                                               \
        const uint8_t finishFlags = ins->flags;                                                                        \
        if (BRINDLE_LIKELY(!(finishFlags & (kFlagCheckIndex | kFlagResultCopy)))) {                                   \
            if (finishFlags & kFlagResultMark)                                                                         \
                run.lastResult = ins->a;                                                                               \
            NEXT();                                                                                                    \
        }                                                                                                              \
        if (!Finish(run, ins))                                                                                         \
            return kStatusError;                                                                                       \
        NEXT();                                                                                                        \
    } while (0)

    DISPATCH();

L_End:
L_BodyEnd:
    return kStatusNormal;
L_ReturnStatus:
    return ins->b;
L_Return:
    run.result.CopyFrom(R[ins->a]);
    run.lastResult = -1;
    return kStatusExit;
L_Jump:
    JUMP(ins->b);
L_JumpIfFalse:
L_JumpIfTrue: {
    const RValue& value = R[ins->a];
    if (BRINDLE_UNLIKELY(value.kind != VALUE_REAL))
        return Fail(run, POSITION(), Instruction_Message(ins->c));
    if (IsTrue(value.val) == (ins->op == Op_JumpIfTrue))
        BRANCH(ins->b);
    NEXT();
}
L_Fail:
    return Fail(run, POSITION(), Instruction_Message(ins->b));
L_With: {
    int status = RunWith(run, ins);
    if (status == kStatusNormal)
        JUMP(ins->b);
    if (status == kStatusBreak && ins->c >= 0)
        JUMP(ins->c);
    return status;
}
L_RepeatInit: {
    const RValue& count = R[ins->b];
    if (BRINDLE_UNLIKELY(count.kind != VALUE_REAL))
        return Fail(run, POSITION(), "Repeat count must be a number");
    const int64_t times = RoundToInteger(count.val);
    if (times <= 0)
        JUMP(ins->c);
    StoreReal(R[ins->a], static_cast<double>(times));
    NEXT();
}
L_RepeatNext: {
    double& left = R[ins->a].val;
    left -= 1.0;
    if (left > 0.0)
        BRANCH(ins->b);
    NEXT();
}
L_SwitchMatch: {
    const RValue& value = R[ins->a];
    const RValue& candidate = R[ins->b];
    if (value.kind == candidate.kind &&
        (value.kind == VALUE_REAL ? value.val == candidate.val : value.str == candidate.str))
        JUMP(ins->c);
    NEXT();
}
L_DeclareGlobal:
    Variable_DeclareGlobal(ins->b);
    NEXT();
L_LoadReal:
    StoreReal(R[ins->a], ins->K());
    FINISH();
L_LoadConst:
    R[ins->a] = run.code.Constant(ins->b);
    FINISH();
L_Move:
    R[ins->a].CopyFrom(R[ins->b]);
    FINISH();
L_LoadLocal: {
    const RValue& local = R[ins->b];
    if (BRINDLE_LIKELY(local.kind != kUnsetKind)) {
        R[ins->a].CopyFrom(local);
        FINISH();
    }
    if (!ReadFailed(run, POSITION(), ins->c, 0, R[ins->a]))
        return kStatusError;
    FINISH();
}
L_Neg: {
    const RValue& value = R[ins->b];
    if (BRINDLE_LIKELY(value.kind == VALUE_REAL)) {
        StoreReal(R[ins->a], -value.val);
        FINISH();
    }
    if (!UnarySlow(run, ins, Sym::Minus))
        return kStatusError;
    FINISH();
}
L_Not: {
    const RValue& value = R[ins->b];
    if (BRINDLE_LIKELY(value.kind == VALUE_REAL)) {
        StoreReal(R[ins->a], IsTrue(value.val) ? 0.0 : 1.0);
        FINISH();
    }
    if (!UnarySlow(run, ins, Sym::Not))
        return kStatusError;
    FINISH();
}
L_Unary:
    if (!UnarySlow(run, ins, ins->c))
        return kStatusError;
    FINISH();
L_CallBuiltin:
    if (!CallBuiltin(run, ins))
        return kStatusError;
    NEXT();
L_CallScript:
    if (!CallScriptHere(run, ins))
        return kStatusError;
    NEXT();
L_CallExtension:
    if (!CallExtension(run, ins))
        return kStatusError;
    NEXT();
L_GetArg:
    R[ins->a].CopyFrom(run.context.Argument(ins->b));
    FINISH();
L_SetArg:
    run.result = R[ins->a];
    run.lastResult = -1;
    run.context.SetArgument(ins->b, R[ins->a]);
    NEXT();
L_GetVar: {
    CVariableList& list = ListOf(run, Instruction_Scope(ins->flags), ins->b);
    if (const RVariable* variable = list.Cached(ins->b, ins->d)) {
        R[ins->a].CopyFrom(variable->simplevalue);
        FINISH();
    }
    if (!ReadFailed(run, POSITION(), ins->b, 0, R[ins->a]))
        return kStatusError;
    FINISH();
}
L_SetVar: {
    CVariableList& list = ListOf(run, Instruction_Scope(ins->flags), ins->b);
    const RValue& value = R[ins->a];
    run.result.CopyFrom(value);
    run.lastResult = -1;
    list.CachedOrCreate(ins->b, ins->d).simplevalue.CopyFrom(value);
    NEXT();
}
L_CompoundVar: {
    CVariableList& list = ListOf(run, Instruction_Scope(ins->flags), ins->b);
    RVariable* variable = list.Cached(ins->b, ins->d);
    const RValue& value = R[ins->a];
    if (BRINDLE_LIKELY(variable && variable->simplevalue.kind == VALUE_REAL && value.kind == VALUE_REAL)) {
        double updated;
        if (BRINDLE_LIKELY(!Operator_OnReals(ins->c, variable->simplevalue.val, value.val, updated))) {
            variable->simplevalue.val = updated;
            StoreReal(run.result, updated);
            run.lastResult = -1;
            NEXT();
        }
    }
    if (!CompoundSlow(run, ins, list, variable))
        return kStatusError;
    NEXT();
}
L_GetVarIndexed: {
    int32_t row = 0, column = 0;
    if (!IndexedIndex(run, ins, row, column))
        return kStatusError;
    CVariableList& list = ListOf(run, Instruction_Scope(ins->flags), ins->b);
    const RVariable* variable = list.Cached(ins->b, ins->d);
    if (const RValue* element = variable ? Variable_ElementAt(*variable, row, column) : nullptr) {
        R[ins->a].CopyFrom(*element);
        FINISH();
    }
    if (!ReadFailed(run, POSITION(), ins->b, row * kArrayRowSize + column, R[ins->a]))
        return kStatusError;
    FINISH();
}
L_SetVarIndexed: {
    int32_t row = 0, column = 0;
    if (!IndexedIndex(run, ins, row, column))
        return kStatusError;
    CVariableList& list = ListOf(run, Instruction_Scope(ins->flags), ins->b);
    const RValue& value = R[ins->a];
    run.result.CopyFrom(value);
    run.lastResult = -1;
    Variable_SetElementAt(list.CachedOrCreate(ins->b, ins->d), row, column, value);
    NEXT();
}
L_GetBuiltin: {
    CInstance* instance = Instruction_Scope(ins->flags) == kScopeOther ? run.context.Other() : run.context.Self();
    if (!GetBuiltin(instance, BuiltinOf(ins->b), ins->b, R[ins->a])) {
        RValue zero;
        if (!ReadFailed(run, POSITION(), ins->b, 0, zero))
            return kStatusError;
        R[ins->a] = zero;
    }
    FINISH();
}
L_SetBuiltin: {
    CInstance* instance = Instruction_Scope(ins->flags) == kScopeOther ? run.context.Other() : run.context.Self();
    run.result = R[ins->a];
    run.lastResult = -1;
    if (BRINDLE_UNLIKELY(!SetBuiltin(instance, BuiltinOf(ins->b), ins->b, R[ins->a])))
        return Fail(run, POSITION(), "Cannot assign to the variable");
    NEXT();
}
L_CompoundBuiltin:
    if (!CompoundBuiltin(run, ins))
        return kStatusError;
    NEXT();
L_Owner: {
    const RValue& owner = R[ins->b];
    if (owner.kind != VALUE_REAL)
        return Fail(run, POSITION(), "Wrong type of variable index");
    StoreReal(R[ins->a], static_cast<double>(static_cast<int32_t>(RoundToInteger(owner.val))));
    NEXT();
}
L_Index: {
    int32_t index;
    if (const char* message = IndexOf(R[ins->b], index))
        return Fail(run, POSITION(), message);
    const double flat = ins->c >= 0 ? R[ins->c].val * kArrayRowSize + index : index;
    StoreReal(R[ins->a], flat);
    NEXT();
}
L_CheckIndex: {
    int32_t index;
    if (const char* message = IndexOf(R[ins->a], index))
        return Fail(run, POSITION(), message);
    NEXT();
}
L_GetRef: {
    // The value's own scope ends before the jump to the next instruction:
    // an indirect jump out of it would skip its destructor.
    {
        const int32_t arrayIndex = RefIndex(run, ins);
        RValue value;
        bool found = Instruction_Scope(ins->flags) == kOwnerLocalSlot
                         ? ReadLocal(run, ins->c, ins->b, arrayIndex, value)
                         : Read(run, RefOwner(run, ins), ins->b, arrayIndex, value);
        if (!found && !ReadFailed(run, POSITION(), ins->b, arrayIndex, value))
            return kStatusError;
        R[ins->a] = std::move(value);
    }
    FINISH();
}
L_SetRef: {
    const int32_t arrayIndex = RefIndex(run, ins);
    run.result = R[ins->a];
    run.lastResult = -1;
    if (Instruction_Scope(ins->flags) == kOwnerLocalSlot)
        StoreLocal(run, ins->c, ins->b, arrayIndex, R[ins->a]);
    else if (!Store(run, RefOwner(run, ins), ins->b, arrayIndex, R[ins->a]))
        return Fail(run, POSITION(), "Cannot assign to the variable");
    NEXT();
}

    // Binary operators: two reals inline, anything else out of line.
#define BRINDLE_BINARY(name, op)                                                                                       \
    L_##name##RR : {                                                                                                   \
        const RValue& left = R[ins->b];                                                                                \
        const RValue& right = R[ins->c];                                                                               \
        if (BRINDLE_LIKELY(left.kind == VALUE_REAL && right.kind == VALUE_REAL)) {                                    \
            double value;                                                                                              \
            if (BRINDLE_LIKELY(!Operator_OnReals(op, left.val, right.val, value))) {                                   \
                StoreReal(R[ins->a], value);                                                                           \
                FINISH();                                                                                              \
            }                                                                                                          \
        }                                                                                                              \
        if (!BinarySlow(run, ins, op, left, right))                                                                    \
            return kStatusError;                                                                                       \
        FINISH();                                                                                                      \
    }                                                                                                                  \
    L_##name##RK : {                                                                                                   \
        const RValue& left = R[ins->b];                                                                                \
        const double k = ins->K();                                                                                     \
        if (BRINDLE_LIKELY(left.kind == VALUE_REAL)) {                                                                 \
            double value;                                                                                              \
            if (BRINDLE_LIKELY(!Operator_OnReals(op, left.val, k, value))) {                                           \
                StoreReal(R[ins->a], value);                                                                           \
                FINISH();                                                                                              \
            }                                                                                                          \
        }                                                                                                              \
        if (!BinarySlow(run, ins, op, left, RValue(k)))                                                                \
            return kStatusError;                                                                                       \
        FINISH();                                                                                                      \
    }                                                                                                                  \
    L_##name##KR : {                                                                                                   \
        const RValue& right = R[ins->b];                                                                               \
        const double k = ins->K();                                                                                     \
        if (BRINDLE_LIKELY(right.kind == VALUE_REAL)) {                                                                \
            double value;                                                                                              \
            if (BRINDLE_LIKELY(!Operator_OnReals(op, k, right.val, value))) {                                          \
                StoreReal(R[ins->a], value);                                                                           \
                FINISH();                                                                                              \
            }                                                                                                          \
        }                                                                                                              \
        if (!BinarySlow(run, ins, op, RValue(k), right))                                                               \
            return kStatusError;                                                                                       \
        FINISH();                                                                                                      \
    }
    BRINDLE_BINARY_OPERATORS(BRINDLE_BINARY)
#undef BRINDLE_BINARY

    // Comparisons that branch: taken when the comparison is true (JumpIf)
    // or false (JumpIfNot).
#define BRINDLE_BRANCH_CASE(label, op, when, rightValue, isReal, realValue)                                            \
    label : {                                                                                                          \
        const RValue& left = R[ins->a];                                                                                \
        bool truth;                                                                                                    \
        if (BRINDLE_LIKELY(left.kind == VALUE_REAL && (isReal))) {                                                     \
            truth = Operator_CompareReals(op, left.val, (realValue));                                                  \
        } else if (!CompareSlow(run, ins, op, left, (rightValue), truth)) {                                            \
            return kStatusError;                                                                                       \
        }                                                                                                              \
        if (truth == (when))                                                                                           \
            BRANCH(ins->b);                                                                                            \
        NEXT();                                                                                                        \
    }
#define BRINDLE_BRANCH(name, op)                                                                                       \
    BRINDLE_BRANCH_CASE(L_JumpIf##name##RR, op, true, R[ins->c], R[ins->c].kind == VALUE_REAL, R[ins->c].val)          \
    BRINDLE_BRANCH_CASE(L_JumpIf##name##RK, op, true, RValue(ins->K()), true, ins->K())                                \
    BRINDLE_BRANCH_CASE(L_JumpIfNot##name##RR, op, false, R[ins->c], R[ins->c].kind == VALUE_REAL, R[ins->c].val)      \
    BRINDLE_BRANCH_CASE(L_JumpIfNot##name##RK, op, false, RValue(ins->K()), true, ins->K())
    BRINDLE_COMPARISONS(BRINDLE_BRANCH)
#undef BRINDLE_BRANCH
#undef BRINDLE_BRANCH_CASE

#undef FINISH
#undef POSITION
#undef BRANCH
#undef JUMP
#undef NEXT
#undef DISPATCH
}

} // namespace

namespace {

// Runs code in frame, its locals marked unset first.
int RunFrame(CExecutionContext& context, const CCode& code, RValue* frame, RValue& result)
{
    RValue* locals = frame + code.LocalBase();
    for (int32_t k = 0; k < code.LocalCount(); ++k)
        locals[k].kind = kUnsetKind;
    RRun run(context, code, frame, result);
    int status = Execute(run, code.Instructions());
    if (run.lastResult >= 0)
        result = frame[run.lastResult];
    return status;
}

// What every entry checks first; false after recording why it cannot run.
bool CanEnter(CExecutionContext& context, const CCode& code)
{
    if (!context.Self() || !context.Other()) {
        context.Fail(code, 0, "Internal Error: Executing code for nil instance.");
        return false;
    }
    if (!context.Enter()) {
        context.Fail(code, 0, "Too many nested script calls (the limit is " + std::to_string(kMaxExecutionDepth) + ").");
        return false;
    }
    return true;
}

void Leave(CExecutionContext& context, const CExecutionContext::RStackMark& mark)
{
    context.Restore(mark);
    context.Leave();
    if (context.Depth() == 0)
        context.ReleaseFreeStack();
}

// A script called from outside running code (script_execute, actions):
// its arguments are copied into a frame of its own.
bool CallScript(CExecutionContext& context, int32_t index, RValue& result, bool check, const RValue* arguments,
                int32_t count)
{
    const CCode* code = Script_Code(index);
    if (!code || !Scripts.Exists(index))
        return false;
    count = std::clamp(count, 0, kArgumentSlots);
    ResetValue(result);
    context.ClearError();
    if (context.Depth() > 0 && Code_StopRequested())
        return Code_StopForRequest(context);
    if (!CanEnter(context, *code))
        return ScriptFailed(context, index, result);
    const CExecutionContext::RStackMark mark = context.Mark();
    RValue* frame = context.PushFrame(code->FrameSize());
    for (int32_t k = 0; k < count; ++k)
        frame[k] = arguments[k];
    const int status = RunScriptFrame(context, *code, index, frame, count, result);
    Leave(context, mark);
    if (status == kStatusError)
        return ScriptFailed(context, index, result);
    if (check && CountIsWrong(*code, count))
        return WrongArgumentCount(context, index, *code, count);
    return true;
}

} // namespace

bool Code_CallScript(CExecutionContext& context, int32_t index, RValue& result, bool check, const RValue* arguments,
                     int32_t count)
{
    return CallScript(context, index, result, check, arguments, count);
}

bool Code_Execute(CExecutionContext& context, CInstance* self, CInstance* other, const CCode& code, RValue& result)
{
    context.ClearError();
    if (!code.Compiled()) {
        context.Fail(code, 0, "Internal Error: Executing non-compiled code.");
        return false;
    }
    if (code.Kind() == CCode::kConstantExpression) {
        result = code.Value();
        return true;
    }
    // Calls can recurse without a loop: code started by running code checks
    // the stop request too (an event's own code starts as usual).
    if (context.Depth() > 0 && Code_StopRequested())
        return Code_StopForRequest(context);
    CInstance* savedSelf = context.Self();
    CInstance* savedOther = context.Other();
    context.SetInstances(self, other);
    if (!CanEnter(context, code)) {
        context.SetInstances(savedSelf, savedOther);
        return false;
    }
    const CExecutionContext::RStackMark mark = context.Mark();
    RValue* frame = context.PushFrame(code.FrameSize());
    // A script's code run on its own sees the slots of the code around it.
    if (code.IsScript())
        for (int32_t k = 0; k < kScriptArgumentSlots; ++k)
            frame[k] = context.Argument(k);
    int status = RunFrame(context, code, frame, result);
    context.SetInstances(savedSelf, savedOther);
    Leave(context, mark);
    return status != kStatusError;
}

bool Code_Run(CExecutionContext& context, CInstance* self, CInstance* other, const CCode& code, RValue& result)
{
    if (Code_Execute(context, self, other, code, result))
        return true;
    Error_ShowInEvent(context.ErrorMessage(), false);
    context.ClearError();
    return false;
}

bool Code_Evaluate(CExecutionContext& context, CInstance* self, CInstance* other, const CCode& code, RValue& result)
{
    if (Code_Execute(context, self, other, code, result))
        return true;
    result = RValue("ERROR");
    return false;
}

bool Code_Execute(CInstance* self, CInstance* other, const CCode& code, RValue& result)
{
    return Code_Execute(Code_Context(), self, other, code, result);
}

bool Code_Run(CInstance* self, CInstance* other, const CCode& code, RValue& result)
{
    return Code_Run(Code_Context(), self, other, code, result);
}

bool Code_Evaluate(CInstance* self, CInstance* other, const CCode& code, RValue& result)
{
    return Code_Evaluate(Code_Context(), self, other, code, result);
}

const std::string& Code_PendingError()
{
    return Code_Context().ErrorMessage();
}
