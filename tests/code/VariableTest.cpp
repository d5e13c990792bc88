// Variable lists, arrays, names, globals and their stream formats.
#include "data/Stream.h"
#include "platform/MessageBox.h"
#include "tests/code/CodeFixture.h"

namespace {

double Real(const CVariableList& list, int32_t var, int32_t index)
{
    RValue value;
    EXPECT_TRUE(list.GetVar(var, index, value)) << var << "[" << index << "]";
    return value.val;
}

} // namespace

TEST_F(CodeFixture, ArraysShareTheSimpleValueAndGrowPerRow)
{
    CVariableList list;
    const int32_t a = Code_Variable_Find("array_test_a");
    list.SetVar(a, 0, RValue(1.0));
    EXPECT_EQ(Real(list, a, 0), 1); // a, a[0] and a[0,0] are one value
    list.SetVar(a, 0 * kArrayRowSize + 3, RValue(2.0));
    EXPECT_EQ(Real(list, a, 3), 2); // a[0,3] is a[3]
    list.SetVar(a, 2 * kArrayRowSize + 5, RValue(1.0));
    EXPECT_EQ(Real(list, a, 2 * kArrayRowSize + 3), 0); // inside a grown row
    RValue untouched(42.0);
    EXPECT_FALSE(list.GetVar(a, 1 * kArrayRowSize + 0, untouched)); // row 1 exists but is empty
    EXPECT_EQ(untouched.val, 42);
    EXPECT_FALSE(list.GetVar(a, 3 * kArrayRowSize, untouched));
    EXPECT_FALSE(list.GetVar(a, 2 * kArrayRowSize + 6, untouched));
    EXPECT_FALSE(list.GetVar(Code_Variable_Find("array_test_missing"), 0, untouched));
    list.SetVar(a, -5, RValue(1.0)); // ignored rather than corrupting anything
    EXPECT_FALSE(list.GetVar(a, -5, untouched));

    Settings.UninitializedIsZero = true;
    RValue zero(7.0);
    EXPECT_TRUE(list.GetVar(a, 1 * kArrayRowSize, zero));
    EXPECT_EQ(zero.val, 0);
    EXPECT_TRUE(list.GetVar(Code_Variable_Find("array_test_missing"), 0, zero));
}

TEST_F(CodeFixture, ManyVariablesStayFindableAndOrdered)
{
    CVariableList list;
    std::vector<int32_t> numbers;
    for (int k = 0; k < 200; ++k)
        numbers.push_back(Code_Variable_Find("many_" + std::to_string(k)));
    for (int k = 0; k < 200; ++k)
        list.SetVar(numbers[static_cast<size_t>(k)], 0, RValue(static_cast<double>(k)));
    for (int k = 199; k >= 0; --k)
        EXPECT_EQ(Real(list, numbers[static_cast<size_t>(k)], 0), k);
    EXPECT_EQ(list.Count(), 200);
    EXPECT_EQ(list.At(0).ind, numbers[0]); // creation order is kept
    list.Init(numbers[5]);
    EXPECT_EQ(Real(list, numbers[5], 0), 5); // Init leaves an existing variable alone
    list.Init(Code_Variable_Find("many_new"));
    EXPECT_EQ(Real(list, Code_Variable_Find("many_new"), 0), 0);

    CVariableList copy;
    copy.Assign(list);
    list.SetVar(numbers[0], 0, RValue(-1.0));
    EXPECT_EQ(Real(copy, numbers[0], 0), 0); // a deep copy
}

TEST_F(CodeFixture, VariableListStreamsKeepJaggedRows)
{
    CVariableList list;
    int32_t a = Code_Variable_Find("stream_a");
    int32_t s = Code_Variable_Find("stream_s");
    list.SetVar(s, 0, RValue("text"));
    list.SetVar(a, 1 * kArrayRowSize + 4, RValue(3.0));
    list.SetVar(a, 3 * kArrayRowSize + 1, RValue("x"));
    CStream stream;
    list.SaveToStream(stream);
    stream.Seek(0);
    EXPECT_EQ(stream.ReadInteger(), 440);
    stream.Seek(0);
    CVariableList back;
    back.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    RValue value;
    ASSERT_TRUE(back.GetVar(s, 0, value));
    EXPECT_EQ(value.str.Text(), "text");
    EXPECT_EQ(Real(back, a, 1 * kArrayRowSize + 4), 3);
    EXPECT_FALSE(back.GetVar(a, 1 * kArrayRowSize + 5, value)); // row 1 has its own length
    ASSERT_TRUE(back.GetVar(a, 3 * kArrayRowSize + 1, value));
    EXPECT_EQ(value.kind, VALUE_STRING);
    EXPECT_FALSE(back.GetVar(a, 2 * kArrayRowSize, value));

    CStream wrong;
    wrong.WriteInteger(441);
    wrong.Seek(0);
    back.LoadFromStream(wrong);
    EXPECT_EQ(back.Count(), 0);

    // A damaged count fails as a short read instead of allocating without bound.
    CStream damaged;
    damaged.WriteInteger(440);
    damaged.WriteInteger(1);
    damaged.WriteInteger(a);
    damaged.WriteInteger(0);
    damaged.WriteReal(0);
    damaged.WriteString("");
    damaged.WriteInteger(0x7FFFFFFF);
    damaged.Seek(0);
    EXPECT_THROW(back.LoadFromStream(damaged), EStreamError);
}

TEST_F(CodeFixture, NamesAndNumbers)
{
    EXPECT_EQ(Code_Variable_Find("x"), Variable_FindBuiltin("x"));
    EXPECT_LT(Code_Variable_Find("x"), kFirstUserVariable);
    int32_t first = Code_Variable_Find("names_first");
    EXPECT_GE(first, kFirstUserVariable);
    EXPECT_EQ(Code_Variable_Find("names_first"), first);
    EXPECT_NE(Code_Variable_Find("Names_first"), first); // names are case-sensitive
    EXPECT_EQ(Code_Variable_Name(first), "names_first");
    EXPECT_EQ(Code_Variable_Name(Variable_FindBuiltin("speed")), "speed");
    EXPECT_EQ(Code_Variable_Name(499), "<unknown built-in variable>");
    EXPECT_EQ(Code_Variable_Name(99999999), "<unknown variable>");
    EXPECT_EQ(Code_Variable_Lookup("names_never_used"), -1);
}

TEST_F(CodeFixture, BuiltinTableOverflowIsRefused)
{
    Variable_ClearBuiltins();
    for (int k = 0; k < kMaxBuiltinVariables; ++k)
        ASSERT_EQ(Variable_AddBuiltin("v" + std::to_string(k), nullptr, nullptr, true), k);
    std::vector<std::string> shown;
    Platform_SetMessageHook([&](const std::string& text) { shown.push_back(text); });
    EXPECT_EQ(Variable_AddBuiltin("one_too_many", nullptr, nullptr, true), -1);
    Platform_SetMessageHook(nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"INTERNAL ERROR: Adding too many variables"});
}

TEST_F(CodeFixture, GlobalsAreDeclaredAndSaved)
{
    Variable_Init();
    int32_t score = Code_Variable_Find("globals_score");
    int32_t late = Code_Variable_Find("globals_late");
    EXPECT_FALSE(Variable_IsGlobal(score));
    Variable_SetGlobal(score, 0, RValue(5.0));
    Variable_DeclareGlobal(score); // keeps an existing value
    EXPECT_TRUE(Variable_IsGlobal(score));
    RValue value;
    ASSERT_TRUE(Variable_GetGlobal(score, 0, value));
    EXPECT_EQ(value.val, 5);
    Variable_DeclareGlobal(late); // creates a missing one as 0
    ASSERT_TRUE(Variable_GetGlobal(late, 0, value));
    EXPECT_EQ(value.val, 0);
    Variable_DeclareGlobal(Variable_FindBuiltin("x")); // built-ins are ignored
    EXPECT_FALSE(Variable_IsGlobal(Variable_FindBuiltin("x")));
    Variable_DeclareGlobal(kFirstUserVariable + 20000); // beyond the initial table
    EXPECT_TRUE(Variable_IsGlobal(kFirstUserVariable + 20000));

    CStream stream;
    Variable_SaveGlobals(stream);
    Variable_Init();
    EXPECT_FALSE(Variable_IsGlobal(score));
    stream.Seek(0);
    Variable_LoadGlobals(stream);
    EXPECT_TRUE(Variable_IsGlobal(score));
    EXPECT_TRUE(Variable_IsGlobal(kFirstUserVariable + 20000));
    ASSERT_TRUE(Variable_GetGlobal(score, 0, value));
    EXPECT_EQ(value.val, 5);

    CStream wrong;
    wrong.WriteInteger(699);
    wrong.Seek(0);
    Variable_LoadGlobals(wrong); // changes nothing
    EXPECT_TRUE(Variable_IsGlobal(score));
    Variable_Init();
}

TEST(RValue, CopiesShareTextAndRealsNeverAllocate)
{
    RValue a("hello");
    RValue b = a;
    EXPECT_EQ(&a.str.Text(), &b.str.Text());
    b.SetReal(3);
    EXPECT_EQ(a.str.Text(), "hello");
    EXPECT_TRUE(b.str.empty());
    RValue empty("");
    EXPECT_TRUE(empty.IsString());
    EXPECT_EQ(empty.str.Text(), "");
    a = a; // self-assignment keeps the text
    EXPECT_EQ(a.str.Text(), "hello");
}

TEST(RValue, RoundingHalvesToEven)
{
    struct Case {
        double value;
        int64_t rounded;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {0.49999, 0}, {3.7, 4}, {-3.7, -4}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundToInteger(c.value), c.rounded) << c.value;
    EXPECT_EQ(RoundToInteger(1e300), INT64_MIN);
}
