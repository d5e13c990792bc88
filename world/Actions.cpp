// Compiling and running actions.
#include "world/Actions.h"

#include "code/ArgumentVariables.h"
#include "code/Code.h"
#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/Executor.h"
#include "code/Functions.h"
#include "code/StopRequest.h"
#include "data/Event.h"
#include "data/Resources.h"
#include "platform/MessageBox.h"
#include "world/Instance.h"
#include "world/InstanceList.h"
#include "world/Rooms.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

constexpr int kStop = -1;

// Argument kinds as the action libraries store them.
constexpr int32_t kArgumentExpression = 0;
constexpr int32_t kArgumentString = 1;
constexpr int32_t kArgumentEither = 2;
constexpr int32_t kArgumentText = 15;
constexpr int32_t kArgumentConstant = -1;

bool CompileCode(CAction& action, bool fatal)
{
    auto code = std::make_shared<CCode>(action.act_codestring, false);
    if (!code->Compile()) {
        Error_ShowInEvent("COMPILATION ERROR in code action\r" + code->ErrorMessage(), fatal);
        return false;
    }
    action.act_codecode = std::move(code);
    return true;
}

// An argument of either kind is an expression when it starts with a quote.
int32_t ResolvedKind(int32_t kind, const std::string& text)
{
    if (kind == kArgumentEither)
        return !text.empty() && (text[0] == '\'' || text[0] == '"') ? kArgumentExpression : kArgumentString;
    return kind;
}

bool IsLiteralKind(int32_t kind)
{
    return kind == kArgumentString || kind == kArgumentText;
}

// Variable and code actions run their arguments as code.
bool RunsArgumentsAsCode(const CAction& action)
{
    return action.act_kind == kActionVariable || action.act_kind == kActionCode;
}

std::string ArgumentCode(const CAction& action)
{
    if (action.act_kind == kActionVariable)
        return action.act_argstring[0] + (action.act_relative ? " += " : " = ") + action.act_argstring[1];
    return action.act_argstring[0];
}

bool CompileArgument(CAction& action, int index, bool fatal)
{
    int32_t& kind = action.act_argtype[static_cast<size_t>(index)];
    const std::string& text = action.act_argstring[static_cast<size_t>(index)];
    kind = ResolvedKind(kind, text);
    if (IsLiteralKind(kind)) {
        action.act_argcode[static_cast<size_t>(index)] = std::make_shared<CCode>(CCode::MakeConstant(RValue(text)));
        kind = kArgumentConstant;
        return true;
    }
    auto code = std::make_shared<CCode>(text, true);
    if (!code->Compile()) {
        Error_ShowInEvent("COMPILATION ERROR in argument " + std::to_string(index) + "\r" + code->ErrorMessage(), fatal);
        return false;
    }
    if (code->Kind() == CCode::kConstantExpression)
        kind = kArgumentConstant;
    action.act_argcode[static_cast<size_t>(index)] = std::move(code);
    return true;
}

// Values for an action's arguments, built only as far as they are used:
// most actions have none or one, and this runs for every action of every
// instance every step.
class CActionValues {
public:
    explicit CActionValues(int count) : v_count(std::clamp(count, 0, kMaxCallArguments))
    {
        for (int k = 0; k < v_count; ++k)
            new (&v_storage[k]) RValue();
    }
    ~CActionValues()
    {
        for (int k = 0; k < v_count; ++k)
            At(k).~RValue();
    }
    CActionValues(const CActionValues&) = delete;
    CActionValues& operator=(const CActionValues&) = delete;

    RValue& At(int k) { return *std::launder(reinterpret_cast<RValue*>(&v_storage[k])); }
    RValue* Data() { return v_count ? &At(0) : nullptr; }

private:
    struct alignas(RValue) CSlot {
        unsigned char bytes[sizeof(RValue)];
    };
    CSlot v_storage[kMaxCallArguments];
    int v_count;
};

// Runs one action for one self; the question's answer comes back.
bool ExecuteAction(const CAction& action, CInstance* self, CInstance* other)
{
    ArgumentRelative = action.act_userelative && action.act_relative;
    int count = std::clamp(action.act_argumentcount, 0, CAction::kMaxArguments);
    // A piece of code without arguments (every code action and event code):
    // nothing to build or save around it.
    if (count == 0 && action.act_exetype == kExecuteCode) {
        RValue result;
        if (action.act_codecode)
            Code_Run(Code_Context(), self, other, *action.act_codecode, result);
        bool answer = IsTrue(result.val);
        return action.act_isnot ? !answer : answer;
    }
    // A function that wants more arguments than the action stores reads
    // zeros for the rest, never past the end.
    int built = count;
    if (action.act_exetype == kExecuteFunction && action.act_functionid >= 0) {
        const RFunction* function = Function_Get(action.act_functionid);
        if (function)
            built = std::max(built, function->f_argnumb);
    }
    CActionValues arguments(built);
    for (int k = 0; k < count; ++k) {
        const CCode* code = action.act_argcode[static_cast<size_t>(k)].get();
        if (code && !Code_Run(self, other, *code, arguments.At(k)))
            arguments.At(k) = RValue();
    }
    RValue result;
    if (action.act_exetype == kExecuteFunction) {
        // A function the game lacks was reported when the game was loaded.
        if (action.act_functionid < 0)
            return true;
        if (!Function_Call(action.act_functionid, self, other, result, arguments.Data(), count)) {
            Error_ShowInEvent(Code_PendingError(), false);
            Code_Context().ClearError();
        }
    } else if (action.act_exetype == kExecuteCode && action.act_codecode) {
        // The code sees the action's arguments in the first slots.
        CExecutionContext& context = Code_Context();
        CActionValues saved(count);
        for (int k = 0; k < count; ++k) {
            saved.At(k) = context.Argument(k);
            context.SetArgument(k, arguments.At(k));
        }
        Code_Run(context, self, other, *action.act_codecode, result);
        for (int k = 0; k < count; ++k)
            context.SetArgument(k, saved.At(k));
    }
    bool answer = IsTrue(result.val);
    return action.act_isnot ? !answer : answer;
}

// With applies-to: self, other, or every unmarked instance of an object and
// its descendants. A question answers true only when every one does.
bool ExecuteApplied(const CAction& action, CInstance* self, CInstance* other)
{
    if (!action.act_useapplyto || action.act_who == kApplySelf)
        return ExecuteAction(action, self, other);
    if (action.act_who == kApplyOther)
        return ExecuteAction(action, other, self);
    CInstanceLists* room = CurrentRoom;
    if (action.act_who < 0 || action.act_who >= Objects.Count() || !room)
        return true;
    int32_t count = room->Obj_Number_Recursive(action.act_who);
    for (int32_t k = 0; k < count; ++k) {
        CInstance* instance = room->Obj_Instance_Recursive(action.act_who, k);
        if (!instance || instance->i_marked)
            continue;
        if (!ExecuteAction(action, instance, other) && action.act_isquestion)
            return false;
    }
    return true;
}

class CListRun {
public:
    CListRun(const CEvent& event, CInstance* self, CInstance* other) : l_event(event), l_self(self), l_other(other) {}

    void Start(int first = 0)
    {
        for (int i = first; i != kStop && i < l_event.Count();)
            i = Run(i);
    }

private:
    const CAction& At(int i) const { return l_event.e_actions[static_cast<size_t>(i)]; }
    int Count() const { return l_event.Count(); }

    int Run(int i)
    {
        if (i == kStop || i >= Count() || IsChangePending())
            return kStop;
        CurrentEvent.action = i;
        const CAction& action = At(i);
        int next;
        if (action.act_kind == kActionBeginBlock)
            next = RunBlock(i);
        else if (action.act_kind == kActionRepeat)
            next = RunRepeat(i);
        else if (action.act_isquestion)
            next = RunQuestion(i);
        else if (action.act_kind == kActionExit)
            next = kStop;
        else if (action.act_kind == kActionEndBlock || action.act_kind == kActionElse) {
            next = i + 1;
        } else {
            ExecuteApplied(action, l_self, l_other);
            next = i + 1;
        }
        return IsChangePending() ? kStop : next;
    }

    int RunBlock(int i)
    {
        int k = i + 1;
        while (k != kStop && k < Count() && At(k).act_kind != kActionEndBlock)
            k = Run(k);
        if (k == kStop)
            return kStop;
        return k < Count() ? k + 1 : Count();
    }

    int RunRepeat(int i)
    {
        const CAction& action = At(i);
        int64_t times = 0;
        if (const CCode* code = action.act_argcode[0].get()) {
            RValue count;
            if (Code_Run(l_self, l_other, *code, count))
                times = RoundToInteger(count.val);
        }
        for (int64_t k = 0; k < times; ++k) {
            if (Code_StopRequested()) {
                Code_StopForRequest();
                return kStop;
            }
            if (Run(i + 1) == kStop)
                return kStop;
        }
        return Skip(i + 1);
    }

    int RunQuestion(int i)
    {
        bool answer = ExecuteApplied(At(i), l_self, l_other);
        if (IsChangePending())
            return kStop;
        int r = answer ? Run(i + 1) : Skip(i + 1);
        if (r != kStop && r < Count() && At(r).act_kind == kActionElse)
            r = answer ? Skip(r + 1) : Run(r + 1);
        return r;
    }

    // The index after the action (or block) at i, without running it.
    int Skip(int i)
    {
        if (i == kStop || i >= Count())
            return kStop;
        const CAction& action = At(i);
        if (action.act_kind == kActionBeginBlock) {
            int depth = 0;
            for (int k = i; k < Count(); ++k) {
                int kind = At(k).act_kind;
                if (kind == kActionBeginBlock)
                    ++depth;
                else if (kind == kActionEndBlock && --depth == 0)
                    return k + 1;
            }
            return Count();
        }
        if (action.act_isquestion || action.act_kind == kActionRepeat)
            return Skip(i + 1);
        return i + 1;
    }

    const CEvent& l_event;
    CInstance* l_self;
    CInstance* l_other;
};

} // namespace

bool Action_Compile(CAction& action, bool fatal)
{
    int32_t number;
    if (action.act_exetype == kExecuteFunction) {
        if (Function_Find(action.act_functionname, number)) {
            action.act_functionid = number;
        } else {
            action.act_functionid = -1;
            Platform_ShowMessage("Failed to locate action function " + action.act_functionname);
        }
    }
    if (RunsArgumentsAsCode(action)) {
        action.act_codestring = ArgumentCode(action);
        action.act_kind = kActionNormal;
        action.act_exetype = kExecuteCode;
        action.act_argumentcount = 0;
    }
    if (action.act_exetype == kExecuteCode && !CompileCode(action, fatal))
        return false;
    int count = std::clamp(action.act_argumentcount, 0, CAction::kMaxArguments);
    for (int k = 0; k < count; ++k)
        if (!CompileArgument(action, k, fatal))
            return false;
    action.act_codestring.clear();
    for (std::string& text : action.act_argstring)
        text.clear();
    return true;
}

std::vector<RActionCode> Action_CodePieces(const CAction& action)
{
    std::vector<RActionCode> pieces;
    if (RunsArgumentsAsCode(action)) {
        pieces.push_back({ArgumentCode(action), false, action.act_argstring[0]});
        return pieces;
    }
    if (action.act_exetype == kExecuteCode)
        pieces.push_back({action.act_codestring, false, action.act_codestring});
    int count = std::clamp(action.act_argumentcount, 0, CAction::kMaxArguments);
    for (int k = 0; k < count; ++k) {
        const std::string& text = action.act_argstring[static_cast<size_t>(k)];
        if (!IsLiteralKind(ResolvedKind(action.act_argtype[static_cast<size_t>(k)], text)))
            pieces.push_back({text, true, text});
    }
    return pieces;
}

bool Event_Compile(CEvent& event)
{
    for (int k = 0; k < event.Count(); ++k) {
        CurrentEvent.action = k;
        if (!Action_Compile(event.e_actions[static_cast<size_t>(k)]))
            return false;
    }
    return true;
}

void Event_Run(const CEvent& event, CInstance* self, CInstance* other)
{
    // The usual event is one plain action (its code): run it without the
    // list walk, exactly as the walk would.
    if (event.Count() == 1) {
        const CAction& action = event.e_actions[0];
        const int kind = action.act_kind;
        if (!action.act_isquestion && kind != kActionBeginBlock && kind != kActionRepeat && kind != kActionExit &&
            kind != kActionEndBlock && kind != kActionElse) {
            if (IsChangePending())
                return;
            CurrentEvent.action = 0;
            ExecuteApplied(action, self, other);
            // The action may have added actions to its own event: the walk
            // goes on to them.
            if (event.Count() > 1 && !IsChangePending())
                CListRun(event, self, other).Start(1);
            return;
        }
    }
    CListRun(event, self, other).Start();
}
