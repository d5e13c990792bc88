// Running code: statements, expressions, variables through every owner,
// with, switch, script calls and the executor's messages.
#include "code/ArgumentVariables.h"
#include "code/Executor.h"
#include "code/VariableCatalogue.h"
#include "code/Scripts.h"
#include "code/VariableAccess.h"
#include "data/Object.h"
#include "data/Script.h"
#include "tests/code/CodeFixture.h"
#include "tests/support/CodeTree.h"
#include "world/Instance.h"
#include "world/InstanceList.h"
#include "world/World.h"

namespace {

int CallCount = 0;

bool CountCall(CExecutionContext&, RValue& result, int, RValue*)
{
    result = RValue(static_cast<double>(++CallCount));
    return true;
}

bool DestroySelf(CExecutionContext& context, RValue&, int, RValue*)
{
    CInstance* self = context.Self();
    self->i_marked = true;
    return true;
}

class ExecutorTest : public CodeFixture {
protected:
    void SetUp() override
    {
        CodeFixture::SetUp();
        Code_ImplementArgumentVariables();
        ASSERT_TRUE(Variable_RegisterAll());
        Function_Add("count_call", &CountCall, 0);
        Function_Add("destroy_self", &DestroySelf, 0);
        CallCount = 0;
        Variable_Init();
        Code_Context().ResetArguments();
        Script_ClearCompiled();
        // Objects: 0 base, 1 child of base, 2 unrelated.
        for (int k = 0; k < 3; ++k)
            Objects.Set(k, std::make_unique<CObject>(), "obj" + std::to_string(k));
        Objects.Get(1)->o_parent = 0;
        Room_SetInstances(&e_room);
        e_self = e_room.AddInstance(0, 0, 2, 100001);
        e_other = e_room.AddInstance(0, 0, 2, 100002);
    }
    void TearDown() override
    {
        Room_SetInstances(nullptr);
        e_room.ClearInstances();
        Script_ClearCompiled();
        CodeFixture::TearDown();
    }

    // Runs a program for self; "ok" or the pending message's last line.
    std::string Run(const std::string& text)
    {
        CCode code(text, false);
        if (!code.Compile())
            return "compile: " + code.ErrorMessage();
        RValue result;
        if (Code_Execute(e_self, e_other, code, result))
            return "ok";
        std::string message = Code_PendingError();
        return message.substr(message.rfind('\r') + 1);
    }

    double Get(CInstance* instance, const std::string& name)
    {
        RValue value;
        EXPECT_TRUE(instance->i_vars.GetVar(Code_Variable_Find(name), 0, value)) << name;
        return value.val;
    }

    void AddScript(int index, const std::string& name, const std::string& text)
    {
        auto script = std::make_unique<CScript>();
        script->s_text = text;
        Scripts.Set(index, std::move(script), name);
    }

    CInstanceLists e_room;
    CInstance* e_self = nullptr;
    CInstance* e_other = nullptr;
};

} // namespace

TEST_F(ExecutorTest, StatementsAndTheirResults)
{
    struct Case {
        const char* code;
        const char* variable;
        double expected;
    } cases[] = {
        {"a = 0; if (0.5) a = 1", "a", 1},
        {"a = 0; if (0.49999) a = 1 else a = 2", "a", 2},
        {"a = 1 || count_call()", "a", 1},
        {"n = 0; repeat (2.5) n += 1", "n", 2},
        {"n = 0; repeat (3.5) n += 1", "n", 4},
        {"n = 0; repeat (-1) n += 1", "n", 0},
        {"switch (2) { case 1: a = 1; case 2: a = 2; case 3: a = 3; }", "a", 3},
        {"switch (2) { case 1: a = 1; case 2: a = 2; break; case 3: a = 3; }", "a", 2},
        {"x5 = 5; d = 0; c = 0; switch (x5) { default: d = 1; case 5: c = 1; } r = d * 10 + c", "r", 11},
        {"m = 0; switch (0.1 + 0.2) { case 0.3: m = 1; } t = (0.1 + 0.2 == 0.3)", "m", 0},
        {"switch ('b') { case 'a': s = 1; break; case 'b': s = 2; break; default: s = 3 }", "s", 2},
        {"q = 0; switch (7) { q = 9; case 1: q = 1 } ", "q", 0},
        {"i = 0; while (i < 10) { i += 1; if i == 4 break }", "i", 4},
        {"i = 0; k = 0; while i < 5 { i += 1; if i mod 2 == 0 continue; k += 1 }", "k", 3},
        {"i = 10; do i -= 3 until i < 0", "i", -2},
        {"s = 0; for (i = 1; i <= 4; i += 1) s += i", "s", 10},
        {"s = 0; for (i = 0; i < 10; i += 1) { if i == 3 continue; if i == 6 break; s += i }", "s", 12},
        {"a = 5; exit; a = 6", "a", 5},
        {"a = 5; break; a = 6", "a", 5},
        {"a[3] = 7; b = a[0, 3]", "b", 7},
        // Rows and columns: index 0 is the simple value, rows grow with
        // zeros, fractional indices round half to even.
        {"a = 4; a[0, 0] += 1; b = a", "b", 5},
        {"a[1, 2] = 5; a[1, 2] += 1; a[1, 0] = 1; b = a[1, 2] * 10 + a[1, 0]", "b", 61},
        {"a[1, 5] = 1; a[1, 6] = 2; b = a[1, 3] + a[1, 5] + a[1, 6] * 10", "b", 21},
        {"a[1.5] = 7; a[2.5] = 8; b = a[2]", "b", 8},
        {"a = 3; a[0.5] = 7; b = a", "b", 7},
        {"for (i = 0; i < 100; i += 1) a[i div 10, i mod 10] = i; b = a[9, 9] + a[3, 4]", "b", 133},
        {"var l; l = 4; g = l * 2", "g", 8},
        {"a = 2; a *= 3; a -= 1; a /= 5", "a", 1},
        {"a = 6; a |= 1; a &= 3; a ^= 2", "a", 1},
        {"self.a = 3; other.a = 4; b = self.a * 10 + other.a", "b", 34},
    };
    for (const Case& c : cases) {
        e_self->i_vars.Clear();
        EXPECT_EQ(Run(c.code), "ok") << c.code;
        EXPECT_EQ(Get(e_self, c.variable), c.expected) << c.code;
    }
    EXPECT_EQ(CallCount, 1); // no short-circuit
}

TEST_F(ExecutorTest, RunTimeMessages)
{
    struct Case {
        const char* code;
        const char* message;
    } cases[] = {
        {"if ('a') x = 1", "at position 5: Expression expected"},
        {"while ('a') x = 1", "at position 8: Boolean expression expected"},
        {"do x = 1 until 'a'", "at position 16: Boolean expression expected"},
        {"for (i = 0; 'a'; i += 1) x = 1", "at position 13: Expression expected"},
        {"repeat ('a') x = 1", "at position 9: Repeat count must be a number"},
        {"with ('a') x = 1", "at position 7: Object id expected"},
        {"with (local) x = 1", "at position 7: Cannot use local in with statement."},
        {"with (global) x = 1", "at position 7: Cannot use global in with statement."},
        {"case 1: x = 1", "at position 6: Case statement only allowed inside switch statement."},
        {"switch (1) { default: { case 1: x = 2 } }", "at position 30: Case statement only allowed inside switch statement."},
        {"if (1) ; else y = 1;", "at position 8: Statement expected."},
        {"q += 1", "at position 1: Unknown variable q"},
        {"y = a[2]", "at position 5: Unknown variable a or array index out of bounds"},
        {"y = a['i']", "at position 7: Wrong type of array index"},
        {"y = a[-1]", "at position 7: Negative array index"},
        {"y = a[32000]", "at position 7: Array index >= 32000"},
        {"y = a[31999.5]", "at position 7: Array index >= 32000"},
        {"a[1, 2] = 1; y = a[1, 3]", "at position 18: Unknown variable a or array index out of bounds"},
        {"a[1, 2] = 1; y = a[2, 0]", "at position 18: Unknown variable a or array index out of bounds"},
        {"y = ('o').a[1]", "at position 11: Wrong type of variable index"},
        {"noone.x = 1", "at position 7: Cannot assign to the variable"},
        {"id = 5", "at position 1: Cannot assign to the variable"},
        {"y = noone.x", "at position 11: Unknown variable x"},
        {"y = 1 / z", "at position 9: Unknown variable z"},
        {"z = 0; y = 1 / z", "at position 16: Division by 0."},
        {"a = 4; a /= 0", "at position 13: Division by 0."},
        {"y = 'a' + 1 * z", "at position 15: Unknown variable z"},
    };
    Variable_ClearBuiltins();
    for (const char* name : {"x", "y"})
        Variable_AddBuiltin(name, nullptr, nullptr, true);
    Variable_AddBuiltin("id", nullptr, nullptr, false);
    for (const Case& c : cases) {
        e_self->i_vars.Clear();
        EXPECT_EQ(Run(c.code), c.message) << c.code;
    }
}

TEST_F(ExecutorTest, FailedCompoundAssignmentStoresNothing)
{
    EXPECT_EQ(Run("s = 'a'; s += 1"), "at position 15: Wrong type of arguments to +.");
    RValue value;
    ASSERT_TRUE(e_self->i_vars.GetVar(Code_Variable_Find("s"), 0, value));
    EXPECT_EQ(value.str.Text(), "a");
}

TEST_F(ExecutorTest, UninitializedVariablesCanReadAsZero)
{
    Settings.UninitializedIsZero = true;
    EXPECT_EQ(Run("x9 += 1; y9 = a9[4]; var l9; z9 = l9 + global.g9"), "ok");
    EXPECT_EQ(Get(e_self, "x9"), 1);
    EXPECT_EQ(Get(e_self, "y9"), 0);
    EXPECT_EQ(Get(e_self, "z9"), 0);
}

TEST_F(ExecutorTest, OwnersReachTheRightInstances)
{
    CInstance* base = e_room.AddInstance(0, 0, 0, 100010);
    CInstance* child = e_room.AddInstance(0, 0, 1, 100011);
    EXPECT_EQ(Run("obj1.v = 3; obj0.w = 4; r = obj0.w"), "ok");
    EXPECT_EQ(Get(child, "v"), 3);
    EXPECT_EQ(Get(base, "w"), 4);
    EXPECT_EQ(Get(child, "w"), 4); // descendants too
    EXPECT_EQ(Get(e_self, "r"), 4); // the first of the object's instances

    // No instance of the object, or no such id: writing does nothing, reading fails.
    Objects.Set(3, std::make_unique<CObject>(), "obj3");
    EXPECT_EQ(Run("obj3.v = 1; (123456).v = 2"), "ok");
    EXPECT_EQ(Run("r = obj3.v"), "at position 10: Unknown variable v");
    EXPECT_EQ(Run("r = (123456).v"), "at position 14: Unknown variable v");

    // all.x reads the first unmarked instance of the room list.
    e_self->i_marked = true;
    EXPECT_EQ(Run("all.t = 1"), "ok");
    e_self->i_marked = false;
    e_other->i_vars.SetVar(Code_Variable_Find("t"), 0, RValue(9.0));
    e_self->i_marked = true;
    CCode read("r2 = all.t", false);
    ASSERT_TRUE(read.Compile());
    RValue result;
    ASSERT_TRUE(Code_Execute(e_other, e_other, read, result));
    EXPECT_EQ(Get(e_other, "r2"), 9);
    EXPECT_FALSE(e_self->i_vars.Has(Code_Variable_Find("t"))); // marked: not written
    e_self->i_marked = false;

    // An id reaches its instance; other reaches other.
    EXPECT_EQ(Run("(100010).q = 5; other.q = 6"), "ok");
    EXPECT_EQ(Get(base, "q"), 5);
    EXPECT_EQ(Get(e_other, "q"), 6);
}

TEST_F(ExecutorTest, WithChangesSelfAndOther)
{
    e_room.AddInstance(0, 0, 0, 100010);
    e_room.AddInstance(0, 0, 1, 100011);
    EXPECT_EQ(Run("n = 0; with (obj0) { other.n += 1 }"), "ok");
    EXPECT_EQ(Get(e_self, "n"), 2);
    EXPECT_EQ(Run("c = 0; with (all) other.c += 1"), "ok");
    EXPECT_EQ(Get(e_self, "c"), 4);
    // Instances destroyed during the walk are skipped; the walk stops at break.
    EXPECT_EQ(Run("k = 0; with (all) { other.k += 1; if (other.k == 2) break }"), "ok");
    EXPECT_EQ(Get(e_self, "k"), 2);
    EXPECT_EQ(Run("with (all) destroy_self()"), "ok");
    for (int32_t k = 0; k < e_room.InstanceCount(); ++k)
        EXPECT_TRUE(e_room.InstanceAt(k)->i_marked);
    for (int32_t k = 0; k < e_room.InstanceCount(); ++k)
        e_room.InstanceAt(k)->i_marked = false;
    // with (other) swaps the two; with (self) keeps self as other.
    EXPECT_EQ(Run("with (other) { z = 1; other.z2 = 2 }; with (self) other.z3 = 3"), "ok");
    EXPECT_EQ(Get(e_other, "z"), 1);
    EXPECT_EQ(Get(e_self, "z2"), 2);
    EXPECT_EQ(Get(e_self, "z3"), 3);
    EXPECT_EQ(Run("with (noone) z4 = 1; with (100002) z5 = 5"), "ok");
    EXPECT_FALSE(e_self->i_vars.Has(Code_Variable_Find("z4")));
    EXPECT_EQ(Get(e_other, "z5"), 5);
    // Locals of the run stay visible inside the body.
    EXPECT_EQ(Run("var v; v = 7; with (other) w = v"), "ok");
    EXPECT_EQ(Get(e_other, "w"), 7);
}

TEST_F(ExecutorTest, GlobalvarMakesANameGlobalOnceItRuns)
{
    EXPECT_EQ(Run("gv = 1"), "ok");
    EXPECT_EQ(Run("global.gv = 5; globalvar gv; gv += 1"), "ok");
    EXPECT_EQ(Get(e_self, "gv"), 1); // the instance variable is untouched
    RValue value;
    ASSERT_TRUE(Variable_GetGlobal(Code_Variable_Find("gv"), 0, value));
    EXPECT_EQ(value.val, 6);
    CCode code("r = gv", false);
    ASSERT_TRUE(code.Compile());
    RValue result;
    ASSERT_TRUE(Code_Execute(e_other, e_other, code, result));
    EXPECT_EQ(Get(e_other, "r"), 6);
}

TEST_F(ExecutorTest, ScriptsTakeArgumentsAndGiveResults)
{
    AddScript(0, "scr_three", "x3 = 3;");
    AddScript(1, "scr_exit", "exit;");
    AddScript(2, "scr_args", "return argument0 * 10 + argument1 + argument_count * 100;");
    AddScript(3, "scr_third", "return argument2;");
    AddScript(4, "scr_fail", "return 1 / zz;");
    AddScript(5, "scr_outer", "return scr_fail();");
    AddScript(6, "scr_deep", "return scr_deep();");
    for (int k = 0; k <= 6; ++k)
        ASSERT_TRUE(Script_Compile(k)) << k << ": " << Script_CompileError();
    // Script calls see their own slots; the caller's come back afterwards.
    Code_Context().SetArgument(0, RValue(77.0));
    EXPECT_EQ(Run("ry = scr_three(); rz = scr_exit()"), "ok");
    EXPECT_EQ(Get(e_self, "ry"), 3);
    EXPECT_EQ(Get(e_self, "rz"), 0);
    EXPECT_EQ(Code_Context().Argument(0).val, 77);
    EXPECT_EQ(Code_Context().RunningScriptName(), "<unknown>");

    Settings.CheckScriptArguments = false;
    EXPECT_EQ(Run("ry = scr_args(4)"), "ok");
    EXPECT_EQ(Get(e_self, "ry"), 140);

    Settings.CheckScriptArguments = true;
    CCode call("ry = scr_third(1, 2)", false);
    ASSERT_TRUE(call.Compile());
    RValue result;
    EXPECT_FALSE(Code_Execute(e_self, e_other, call, result));
    EXPECT_EQ(Code_PendingError(), "Illegal argument count calling script \"scr_third\".\rScript requires 3 "
                                 "arguments, 2 have been supplied.");

    CCode failing("ry = scr_outer()", false);
    ASSERT_TRUE(failing.Compile());
    EXPECT_FALSE(Code_Execute(e_self, e_other, failing, result));
    EXPECT_EQ(Code_PendingError().substr(0, 41), "In script scr_outer:\rIn script scr_fail:\r");

    CCode deep("ry = scr_deep()", false);
    ASSERT_TRUE(deep.Compile());
    EXPECT_FALSE(Code_Execute(e_self, e_other, deep, result)); // refused, not a crash
    EXPECT_NE(Code_PendingError().find("Too many nested script calls"), std::string::npos);
}

// The left operand is read before the right one runs, even when the right
// one changes it or adds variables beside it.
TEST_F(ExecutorTest, OperandsAreReadLeftToRight)
{
    AddScript(0, "scr_change", "v = 10; grown1 = 1; grown2 = 2; grown3 = 3; grown4 = 4; return 5;");
    AddScript(1, "scr_text", "t = 'zz'; return 'b';");
    for (int k = 0; k <= 1; ++k)
        ASSERT_TRUE(Script_Compile(k)) << k << ": " << Script_CompileError();
    EXPECT_EQ(Run("v = 1; r1 = v + scr_change(); r2 = scr_change() + v; r3 = v * 2 - 1"), "ok");
    EXPECT_EQ(Get(e_self, "r1"), 6);
    EXPECT_EQ(Get(e_self, "r2"), 15);
    EXPECT_EQ(Get(e_self, "r3"), 19);
    EXPECT_EQ(Run("t = 'a'; r4 = t + scr_text(); r5 = t < 'zzz'"), "ok");
    RValue text;
    ASSERT_TRUE(e_self->i_vars.GetVar(Code_Variable_Find("r4"), 0, text));
    EXPECT_EQ(text.str.Text(), "ab");
    EXPECT_EQ(Get(e_self, "r5"), 1);
}

TEST_F(ExecutorTest, EntryPoints)
{
    CCode uncompiled("x = 1", false);
    RValue result;
    EXPECT_FALSE(Code_Execute(e_self, e_other, uncompiled, result));
    EXPECT_NE(Code_PendingError().find("Internal Error: Executing non-compiled code."), std::string::npos);
    CCode program("x = 1", false);
    ASSERT_TRUE(program.Compile());
    EXPECT_FALSE(Code_Execute(nullptr, e_other, program, result));
    EXPECT_NE(Code_PendingError().find("Internal Error: Executing code for nil instance."), std::string::npos);
    CCode constant("2 + 2", true);
    ASSERT_TRUE(constant.Compile());
    EXPECT_TRUE(Code_Execute(nullptr, nullptr, constant, result)); // constants need no instance
    EXPECT_EQ(result.val, 4);
    CCode failing("1 / qq", true);
    ASSERT_TRUE(failing.Compile());
    EXPECT_FALSE(Code_Evaluate(e_self, e_other, failing, result));
    EXPECT_EQ(result.str.Text(), "ERROR");
    CCode returning("a = 1; return a + 1; a = 5", false);
    ASSERT_TRUE(returning.Compile());
    EXPECT_TRUE(Code_Execute(e_self, e_other, returning, result));
    EXPECT_EQ(result.val, 2);
    CCode lastAssignment("a = 1; b = 9", false);
    ASSERT_TRUE(lastAssignment.Compile());
    EXPECT_TRUE(Code_Execute(e_self, e_other, lastAssignment, result));
    EXPECT_EQ(result.val, 9);
}

// break and continue go to the statement the tree gives them: a switch
// passes continue on, a with over one instance passes break on, a for's
// step belongs to the loop around the for.
TEST_F(ExecutorTest, BreakAndContinueReachTheirStatement)
{
    struct Case {
        const char* code;
        const char* variable;
        double expected;
    } cases[] = {
        {"n = 0; for (i = 0; i < 5; i += 1) { switch (i) { case 2: continue; case 4: break; } n += 1 }", "n", 4},
        {"k = 0; m = 0; while (k < 10) { k += 1; for (j = 0; j < 3; break) { m += 1 } }", "k", 1},
        {"c = 0; repeat (5) { c += 1; with (self) break; }", "c", 1},
        {"c = 0; repeat (3) { c += 1; with (all) break; }", "c", 3},
        {"c = 0; repeat (3) { with (self) continue; c += 1 }", "c", 3},
        {"a = 0; repeat (3) { with (self) exit; } a = 5", "a", 0},
        {"i = 0; do { i += 1; if (i < 3) continue; } until (i >= 5)", "i", 5},
        {"n = 0; repeat (4) { n += 1; if (n == 2) continue; if (n == 3) break; }", "n", 3},
        {"s = 0; for (i = 0; i < 3; i += 1) { var j; for (j = 0; j < 3; j += 1) { if (j == 1) break; s += 1 } }", "s", 3},
        {"t = 0; switch (1) { case 1: repeat (3) { t += 1; break; } t += 10 }", "t", 11},
        {"u = 0; for (i = 0; i < 3; continue) { u += 1; i += 1 } u = 50", "u", 1},
        {"w = 0; while (w < 3) { w += 1; switch (w) { default: continue; } w = 100 }", "w", 3},
        {"v = 0; with (other) { with (other) { v = 7; break; } v = 8 }", "v", 7},
    };
    for (const Case& c : cases) {
        e_self->i_vars.Clear();
        EXPECT_EQ(Run(c.code), "ok") << c.code;
        EXPECT_EQ(Get(e_self, c.variable), c.expected) << c.code;
    }
}

// A script's result is what its last assignment, call statement or return
// left, whatever kind of variable was assigned.
TEST_F(ExecutorTest, AScriptGivesItsLastAssignedValue)
{
    struct Case {
        const char* body;
        const char* result;
    } cases[] = {
        {"x7 = 3;", "3"},
        {"exit;", "0"},
        {"var t; t = 4; t += 3;", "7"},
        {"var t; t = 1; x7 = 2;", "2"},
        {"x7 = 0; var t; t = 5", "5"},
        {"var t; t = 3; if (t > 1) {}", "3"},
        {"var t; t = 'a'; t += 'b'", "'ab'"},
        {"var a; a = 5; a[2] = 7", "7"},
        {"x7 = 2; return x7 * 10; x7 = 5", "20"},
        {"var i; for (i = 0; i < 3; i += 1) {}", "3"},
        {"var t; t = 6; with (self) t = 8;", "8"},
        {"argument0 = 9; argument1 = 1", "1"},
        {"var t; t = 2; x7 = t; t = 4;", "4"},
    };
    Settings.CheckScriptArguments = false;
    for (const Case& c : cases) {
        Script_ClearCompiled();
        AddScript(0, "scr_result", c.body);
        ASSERT_TRUE(Script_Compile(0)) << c.body << ": " << Script_CompileError();
        CCode call("scr_result()", true);
        ASSERT_TRUE(call.Compile());
        RValue result;
        ASSERT_TRUE(Code_Execute(e_self, e_other, call, result)) << c.body << ": " << Code_PendingError();
        std::string text = result.kind == VALUE_STRING ? "'" + result.str.Text() + "'" : std::to_string(int(result.val));
        EXPECT_EQ(text, c.result) << c.body;
    }
}

// A local is read where it lies only where every path has written it;
// elsewhere reading it checks that it exists.
TEST_F(ExecutorTest, LocalsMustBeWrittenBeforeTheyAreRead)
{
    struct Case {
        const char* code;
        const char* message; // the end of the last line, or "ok"
    } cases[] = {
        {"var v; if (0) v = 1; y = v", "Unknown variable v"},
        {"var v; if (1) v = 1 else v = 2; y = v", "ok"},
        {"var q; q += 1", "Unknown variable q"},
        {"var v; n = 0; while (n < 2) { if (n == 1) u = v; v = n; n += 1 }", "ok"},
        {"var v; repeat (2) { w = v; v = 1 }", "Unknown variable v"},
        {"var v; switch (1) { case 1: v = 2; case 2: w = v }", "ok"},
        {"var v; switch (2) { case 1: v = 2; case 2: w = v }", "Unknown variable v"},
        {"var a; a[2] = 5; b = a + a[2] + a[0, 2]", "ok"},
        {"var a; a[1] = 1; c = a[3]", "Unknown variable a or array index out of bounds"},
        {"var a; c = a[0]", "Unknown variable a"},
    };
    for (const Case& c : cases) {
        e_self->i_vars.Clear();
        std::string outcome = Run(c.code);
        EXPECT_EQ(outcome.substr(outcome.find(": ") == std::string::npos ? 0 : outcome.find(": ") + 2), c.message)
            << c.code;
    }
    EXPECT_EQ(Run("var a; a[2] = 5; b = a + a[2] + a[0, 2]"), "ok");
    EXPECT_EQ(Get(e_self, "b"), 10);
}

// An index is checked before the next index or the assigned value runs.
TEST_F(ExecutorTest, IndicesAreCheckedBeforeWhatFollowsThem)
{
    struct Case {
        const char* code;
        const char* message;
    } cases[] = {
        {"y = a[-1, count_call()]", "at position 7: Negative array index"},
        {"a[-1] = count_call()", "at position 3: Negative array index"},
        {"a[2, -1] = count_call()", "at position 6: Negative array index"},
        {"i = 'x'; y = a[i, count_call()]", "at position 16: Wrong type of array index"},
        {"i = 3; y = a[i * 20000, count_call()]", "at position 14: Array index >= 32000"},
        {"y = a[32000] + count_call()", "at position 7: Array index >= 32000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Run(c.code), c.message) << c.code;
    EXPECT_EQ(CallCount, 0);
}

TEST_F(ExecutorTest, ZzDumpForDebugging)
{
    const char* text = getenv("BRINDLE_DUMP_CODE");
    if (!text)
        return;
    CCode code(text, false);
    ASSERT_TRUE(code.Compile()) << code.ErrorMessage();
    printf("%s", DescribeProgram(code).c_str());
}

TEST_F(ExecutorTest, LongChainsRunLeftToRight)
{
    std::string sum = "y = 0; z = y";
    for (int k = 0; k < 100000; ++k)
        sum += "+1";
    EXPECT_EQ(Run(sum), "ok");
    EXPECT_EQ(Get(e_self, "z"), 100000);
    // Each operator fails at its own right operand, in order.
    EXPECT_EQ(Run("y = 1; z = y + 1 - 1 + 'a' + 2"), "at position 24: Wrong type of arguments to +.");
}

// One meaning per operator: every case gives the same result or message
// folded from constants, on instance variables, on locals (register and
// constant operands on either side), in a condition, and as a compound
// assignment where the operator has one.
TEST_F(ExecutorTest, EachOperatorMeansTheSameHoweverItIsReached)
{
    struct Case {
        const char* left;
        const char* op;
        const char* right;
        const char* expected; // the value, or the message
    } cases[] = {
        {"7", "+", "2", "9"},
        {"'ab'", "+", "'cd'", "'abcd'"},
        {"'a'", "+", "1", "Wrong type of arguments to +."},
        {"1", "+", "'a'", "Wrong type of arguments to +."},
        {"7", "-", "2", "5"},
        {"'a'", "-", "'b'", "Wrong type of arguments to -."},
        {"3", "*", "'ab'", "'ababab'"},
        {"2.5", "*", "'x'", "'xx'"},
        {"'ab'", "*", "3", "Wrong type of arguments to *."},
        {"7", "/", "2", "3.5"},
        {"1", "/", "0", "Division by 0."},
        {"'a'", "/", "1", "Wrong type of arguments to /."},
        {"7", "div", "2", "3"},
        {"-7", "div", "2", "-3"},
        {"7.9", "div", "1", "7"},
        {"1", "div", "0", "Division by 0."},
        {"-7", "mod", "3", "-1"},
        {"5.5", "mod", "2", "1.5"},
        {"1", "mod", "0", "Modulo by 0."},
        {"2.5", "|", "0", "2"},
        {"3.5", "|", "0", "4"},
        {"5", "&", "3", "1"},
        {"5", "^", "3", "6"},
        {"'a'", "|", "1", "Wrong type of arguments for |."},
        {"1", "<<", "64", "0"},
        {"-1", ">>", "60", "15"},
        {"0.5", "&&", "1", "1"},
        {"0.4", "||", "0", "0"},
        {"1", "xor", "1", "0"},
        {"'a'", "&&", "1", "Wrong type of arguments for &&."},
        {"'a'", "<", "'b'", "1"},
        {"'B'", "<", "'a'", "1"},
        {"'ab'", ">=", "'b'", "0"},
        {"'1'", "==", "1", "Cannot compare arguments."},
        {"1", "==", "1.00000000000001", "1"},
        {"1", "=", "1.000000000001", "0"},
        {"1", "<", "1.00000000000001", "0"},
        {"1", "<=", "0.99999999999999", "1"},
        {"2", ">", "1", "1"},
        {"3", ">", "2.99999999999999", "0"},
        {"1", "!=", "2", "1"},
        {"1", "<>", "1.00000000000001", "0"},
    };
    auto outcome = [&](const std::string& code) {
        e_self->i_vars.Clear();
        std::string run = Run(code);
        if (run.rfind("compile: ", 0) == 0)
            return run.substr(run.rfind(": ") + 2);
        if (run != "ok")
            return run.substr(run.find(": ") + 2);
        RValue value;
        if (!e_self->i_vars.GetVar(Code_Variable_Find("res"), 0, value))
            return std::string("res not set");
        if (value.kind == VALUE_STRING)
            return "'" + value.str.Text() + "'";
        char text[64];
        std::snprintf(text, sizeof text, "%.15g", value.val);
        return std::string(text);
    };
    for (const Case& c : cases) {
        const std::string l = c.left, op = c.op, r = c.right;
        std::vector<std::string> forms = {
            "res = " + l + " " + op + " " + r,
            "a = " + l + "; b = " + r + "; res = a " + op + " b",
            "var a, b; a = " + l + "; b = " + r + "; res = a " + op + " b",
            "var a; a = " + l + "; res = a " + op + " " + r,
            "var b; b = " + r + "; res = " + l + " " + op + " b",
        };
        const bool comparison = op == "<" || op == "<=" || op == "==" || op == "=" || op == "!=" || op == "<>" ||
                                op == ">=" || op == ">";
        if (comparison) {
            forms.push_back("a = " + l + "; b = " + r + "; if (a " + op + " b) res = 1 else res = 0");
            forms.push_back("var a; a = " + l + "; if (a " + op + " " + r + ") res = 1 else res = 0");
            forms.push_back("var b; b = " + r + "; if (" + l + " " + op + " b) res = 1 else res = 0");
        }
        if (op == "+" || op == "-" || op == "*" || op == "/" || op == "|" || op == "&" || op == "^") {
            forms.push_back("res = " + l + "; res " + op + "= " + r);
            forms.push_back("var t; t = " + l + "; t " + op + "= " + r + "; res = t");
            forms.push_back("var t, u; t = " + l + "; u = " + r + "; t " + op + "= u; res = t");
        }
        for (const std::string& form : forms)
            EXPECT_EQ(outcome(form), c.expected) << form;
    }
}
