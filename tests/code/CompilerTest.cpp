// Parsing and compiling: the trees that code becomes, name binding, locals,
// constant owners and folding, and every compile error byte for byte.
#include "data/Script.h"
#include "data/Sprite.h"
#include "data/Object.h"
#include "data/Trigger.h"
#include "tests/code/CodeFixture.h"
#include "tests/support/CodeTree.h"

namespace {

std::string Tree(const std::string& text, bool isExpression = false)
{
    CCode code(text, isExpression);
    RToken tree;
    if (!code.Compile(&tree))
        return "error: " + code.ErrorMessage();
    return DescribeTree(tree);
}

} // namespace

TEST_F(CodeFixture, ProgramsBecomeTheseTrees)
{
    struct Case {
        const char* code;
        const char* tree;
    } cases[] = {
        {"", "empty"},
        {"  /* only a comment */ ", "empty"},
        {"x = y = 3", "{(= x@-6 (= y@-6 3))}"},
        {"if a = 1 b = 2", "{(if (= a@-6 1) (= b@-6 2))}"},
        {"if (x) ; else y = 1;", "{(if x@-6 ; (= y@-6 1))}"},
        {"; x = 1", "{; (= x@-6 1)}"},
        {"a = 1; { b = 2; }", "{(= a@-6 1) {(= b@-6 2)}}"},
        {"{ a = 1 }", "{(= a@-6 1)}"},
        {"begin a = 1 }", "{(= a@-6 1)}"},
        {"a = b || c && d", "{(= a@-6 (&& (|| b@-6 c@-6) d@-6))}"},
        {"a = b == c | d", "{(= a@-6 (== b@-6 (| c@-6 d@-6)))}"},
        {"a = 1 << b + 3", "{(= a@-6 (<< 1 (+ b@-6 3)))}"},
        {"a = -b * c", "{(= a@-6 (* (- b@-6) c@-6))}"},
        {"a = !b == c", "{(= a@-6 (== (! b@-6) c@-6))}"},
        {"a = b < c < d", "{(= a@-6 (< (< b@-6 c@-6) d@-6))}"},
        {"a = - -b; c = !!d", "{(= a@-6 (- (- b@-6))) (= c@-6 (! (! d@-6)))}"},
        {"a.b.c = 1", "{(= c[b[a@-6]] 1)}"},
        {"other.x = 1; global.y = 2; (other).x = 3", "{(= x@-2 1) (= y@-5 2) (= x@-2 3)}"},
        {"a[] = 1; a[1,] = 2; a[0,3] = 3", "{(= a@-6 1) (= a[-6][1] 2) (= a[-6][0 3] 3)}"},
        {"'abc'.x[0] = 1", "{(= x['abc'][0] 1)}"},
        {"var i; i = 1; { var j; } j = 2;", "{(var i) (= i@-7 1) {(var j)} (= j@-7 2)}"},
        {"k = 1; var k; k = 2", "{(= k@-6 1) (var k) (= k@-7 2)}"},
        {"var a b, c; a = b + c", "{(var a b c) (= a@-7 (+ b@-7 c@-7))}"},
        {"globalvar score; score += 1", "{(globalvar score) (+= score@-6 1)}"},
        {"x = 2 * 3 + 1; y = c_red | c_blue", "{(= x@-6 7) (= y@-6 16711935)}"},
        {"while a < 3 do a += 1", "{(while (< a@-6 3) (+= a@-6 1))}"},
        {"do a -= 1 until a <= 0", "{(do (-= a@-6 1) (<= a@-6 0))}"},
        {"for (i = 0; i < 3; i += 1) f(i)", "{(for (= i@-6 0) (< i@-6 3) (+= i@-6 1) f(i@-6))}"},
        {"repeat 3 { f() }", "{(repeat 3 {f()})}"},
        {"with (all) do x = 1", "{(with -3 (= x@-6 1))}"},
        {"switch (a) { case 1: b = 1; break; default: exit }",
         "{(switch a@-6 (case 1) (= b@-6 1) (break) (default) (exit))}"},
        {"case 1: continue", "{(case 1) (continue)}"},
        {"return a + 1", "{(return (+ a@-6 1))}"},
        {"draw_text(1, 2, 'a') h(1, 2);;; g()", "{draw_text(1 2 'a') h(1 2) g()}"},
        {"a *= 2; a /= 2; a |= 1; a &= 1; a ^= 1", "{(*= a@-6 2) (/= a@-6 2) (|= a@-6 1) (&= a@-6 1) (^= a@-6 1)}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tree(c.code), c.tree) << c.code;
}

TEST_F(CodeFixture, ExpressionsBecomeTheseTrees)
{
    struct Case {
        const char* code;
        const char* tree;
        int kind;
    } cases[] = {
        {"", "0", CCode::kConstantExpression},
        {"3 * 4", "12", CCode::kConstantExpression},
        {"c_red", "255", CCode::kConstantExpression},
        {"1 2", "1", CCode::kConstantExpression},
        {"3 * 'ab'", "'ababab'", CCode::kConstantExpression},
        {"x + 1", "(+ x@-6 1)", CCode::kExpression},
        {"f(1 + 1, 'a' + 'b')", "f(2 'ab')", CCode::kExpression},
    };
    for (const Case& c : cases) {
        CCode code(c.code, true);
        RToken tree;
        ASSERT_TRUE(code.Compile(&tree)) << c.code << ": " << code.ErrorMessage();
        EXPECT_EQ(DescribeTree(tree), c.tree) << c.code;
        EXPECT_EQ(code.Kind(), c.kind) << c.code;
    }
    CCode constant("2 + 3", true);
    ASSERT_TRUE(constant.Compile());
    EXPECT_EQ(constant.Value().val, 5);
}

TEST_F(CodeFixture, CompileErrorsAreReportedWithLineCaretAndColumn)
{
    struct Case {
        const char* code;
        bool expression;
        const char* message;
    } cases[] = {
        {"x = = 1", false,
         "Error in code at line 1:\r   x = = 1\r      ^\rat position 5: Unexpected symbol in expression."},
        {"a = 1;\r\nb = (2", false,
         "Error in code at line 2:\r   \nb = (2\r        ^\rat position 7: Symbol ) expected."},
        {"a = 1;\nb = = 2", false,
         "Error in code at line 2:\r   b = = 2\r      ^\rat position 5: Unexpected symbol in expression."},
        {"1 +", true, "Error in expression:1 +\r position 3: Unexpected symbol in expression."},
        {"x = 1 / 0", false, "Error in code at line 1:\r   x = 1 / 0\r          ^\rat position 9: Division by 0."},
        {"x = 'a' + 1", false,
         "Error in code at line 1:\r   x = 'a' + 1\r            ^\rat position 11: Wrong type of arguments to +."},
        {"x = -'a'", false,
         "Error in code at line 1:\r   x = -'a'\r       ^\rat position 6: Wrong type of arguments to unary operator."},
        {"'abc'.x = 1", false,
         "Error in code at line 1:\r   'abc'.x = 1\r  ^\rat position 1: Left hand side must be a real value."},
        {"nosuch(1)", false,
         "Error in code at line 1:\r   nosuch(1)\r  ^\rat position 1: Unknown function or script: nosuch"},
        {"a # b", false, "Error in code at line 1:\r   a # b\r    ^\rat position 3: Unexpected symbol."},
    };
    for (const Case& c : cases) {
        CCode code(c.code, c.expression);
        EXPECT_FALSE(code.Compile()) << c.code;
        EXPECT_FALSE(code.Compiled()) << c.code;
        EXPECT_EQ(code.ErrorMessage(), c.message) << c.code;
    }
}

TEST_F(CodeFixture, ParserMessages)
{
    // The message after "at position N: " for each faulty program.
    struct Case {
        const char* code;
        const char* message;
    } cases[] = {
        {"x = (1", "Symbol ) expected."},
        {"x = f(1 2)", "Symbol , or ) expected."},
        {"x = f(1,", "Symbol ) expected."},
        {"x = a[1 2]", "Symbol , or ] expected."},
        {"x = a[1", "Symbol ] expected."},
        {"x = a[1,2,3]", "Only 1- and 2-dimensional arrays are supported."},
        {"switch (a) b = 1", "Symbol { expected."},
        {"switch (a) { case 1: ", "Symbol } expected."},
        {"{ a = 1", "Symbol } expected."},
        {"case 1 a = 2", "Symbol : expected."},
        {"default a = 2", "Symbol : expected."},
        {"for i = 0", "Symbol ( expected."},
        {"for (i = 0; i < 3; i += 1 f()", "Symbol ) expected."},
        {"for (;;) f()", "Unexpected symbol in expression."},
        {"do a = 1 while b", "Keyword until expected."},
        {"x.", "Variable name expected."},
        {"5 = x", "Variable name expected."},
        {"x++", "Assignment operator expected."},
        {"x + 1", "Assignment operator expected."},
        {"f() = 1", "Unexpected symbol in expression."},
        {"var q = 5;", "Unexpected symbol in expression."},
        {"var speed;", "Cannot redeclare a builtin variable."},
        {"if a", "Unexpected end of code reached."},
        {"{ a = 1; } b = 2;", "Program ends before end of the code."},
        {"{ a = 1; };", "Program ends before end of the code."},
        {"g(1)", "Wrong number of arguments to function or script."},
        {"h(1)", "Wrong number of arguments to function or script."},
        {"f(1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17)", "Wrong number of arguments to function or script."},
    };
    for (const Case& c : cases) {
        CCode code(c.code, false);
        EXPECT_FALSE(code.Compile()) << c.code;
        std::string message = code.ErrorMessage();
        size_t colon = message.find(": ", message.find("at position"));
        EXPECT_EQ(message.substr(colon + 2), c.message) << c.code;
    }
}

TEST_F(CodeFixture, DeepNestingIsRefusedNotCrashed)
{
    std::string deep = "x = " + std::string(5000, '(') + "1" + std::string(5000, ')');
    CCode code(deep, false);
    EXPECT_FALSE(code.Compile());
    EXPECT_NE(code.ErrorMessage().find("Code is nested too deeply."), std::string::npos);
    std::string blocks = std::string(5000, '{') + std::string(5000, '}');
    CCode nested(blocks, false);
    EXPECT_FALSE(nested.Compile());
    std::string fine = "x = " + std::string(100, '(') + "1" + std::string(100, ')');
    CCode ok(fine, false);
    EXPECT_TRUE(ok.Compile()) << ok.ErrorMessage();
}

TEST_F(CodeFixture, RecompilingIsAnInternalError)
{
    CCode code("x = 1", false);
    ASSERT_TRUE(code.Compile());
    EXPECT_FALSE(code.Compile());
    EXPECT_NE(code.ErrorMessage().find("Internal Error: Recompiling compiled code."), std::string::npos);
    EXPECT_TRUE(code.Compiled());
}

TEST_F(CodeFixture, NamesBindInTheirOrder)
{
    Objects.Set(0, std::make_unique<CObject>(), "obj_ball");
    Sprites.Set(3, std::make_unique<CSprite>(), "score");
    Sprites.Set(4, std::make_unique<CSprite>(), "c_red");
    Scripts.Set(0, nullptr, "");
    Scripts.Set(1, std::make_unique<CScript>(), "draw_text");
    auto trigger = std::make_unique<CTrigger>();
    trigger->i_constname = "tr_bell";
    Triggers.Set(2, std::move(trigger), "");
    Constant_Add("c_red", RValue(1.0)); // a game constant shadows the built-in one...

    // ...but a sprite of that name shadows both.
    EXPECT_EQ(Tree("y = c_red + obj_ball + tr_bell"), "{(= y@-6 6)}");
    EXPECT_EQ(Tree("obj_ball.x = 1"), "{(= x@0 1)}");
    EXPECT_EQ(Tree("score = 10"),
              "error: Error in code at line 1:\r   score = 10\r        ^\rat position 7: Variable name expected.");
    // A script hides the built-in function of its name, and takes any argument count.
    EXPECT_EQ(Tree("draw_text(1)"), "{script1(1)}");
    EXPECT_EQ(Tree("a = draw_text"), "{(= a@-6 1)}");
    // Without the resource the built-in constant shows through again.
    Sprites.Delete(4);
    EXPECT_EQ(Tree("y = c_red"), "{(= y@-6 1)}");
    Constant_Clear();
    EXPECT_EQ(Tree("y = c_red"), "{(= y@-6 c_red@-6)}");
}

TEST_F(CodeFixture, ArgumentUseIsCounted)
{
    struct Case {
        const char* code;
        int args;
        bool array;
    } cases[] = {
        {"x = 1", 0, false},
        {"x = argument0", 1, false},
        {"x = argument2 + argument0", 3, false},
        {"x = argument15", 16, false},
        {"x = argument[1]", 0, true},
        {"x = argument_count + argument1; y = argument[0]", 2, true},
    };
    for (const Case& c : cases) {
        CCode code(c.code, false);
        ASSERT_TRUE(code.Compile()) << c.code;
        EXPECT_EQ(code.Args(), c.args) << c.code;
        EXPECT_EQ(code.ArgsArray(), c.array) << c.code;
    }
}

// A chain of binary operators nests to the left as deep as it is long, and
// a chain of dots nests its owners as deep: no pass over the tree may
// recurse along them. Long chains compile (and fold); a chain of dots
// deeper than the nesting limit is refused like deep parentheses.
TEST_F(CodeFixture, LongChainsCompileWithoutRecursingAlongThem)
{
    std::string sum = "x = 1";
    std::string text = "s = 'a'";
    std::string mixed = "x = y";
    for (int k = 0; k < 100000; ++k) {
        sum += "+1";
        text += "+'a'";
        mixed += k % 2 ? "+y" : "*2";
    }
    RToken tree;
    CCode folded(sum, false);
    ASSERT_TRUE(folded.Compile(&tree)) << folded.ErrorMessage().substr(0, 200);
    EXPECT_EQ(DescribeTree(tree), "{(= x@-6 100001)}");
    CCode joined(text, false);
    RToken joinedTree;
    ASSERT_TRUE(joined.Compile(&joinedTree));
    EXPECT_EQ(joinedTree.items[0].items[1].value.str.size(), 100001u);
    CCode running(mixed, false);
    EXPECT_TRUE(running.Compile()) << running.ErrorMessage().substr(0, 200);

    std::string dots = "x = a";
    for (int k = 0; k < 100000; ++k)
        dots += ".b";
    CCode chained(dots, false);
    EXPECT_FALSE(chained.Compile());
    EXPECT_NE(chained.ErrorMessage().find("Code is nested too deeply."), std::string::npos);
    CCode shallow("x = a.b.c.d", false);
    EXPECT_TRUE(shallow.Compile()) << shallow.ErrorMessage();
}
