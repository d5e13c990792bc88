// Operators through constant folding, which runs the same routines as the
// executor: results, kinds, tolerance, rounding and messages.
#include "tests/code/CodeFixture.h"
#include "tests/support/CodeTree.h"

namespace {

// The folded value of a constant expression, as text ("'ab'" for strings),
// or the operator's message.
std::string Fold(const std::string& text)
{
    CCode code(text, true);
    RToken tree;
    if (!code.Compile(&tree)) {
        std::string message = code.ErrorMessage();
        return "error: " + message.substr(message.find(": ", message.find("position")) + 2);
    }
    EXPECT_EQ(code.Kind(), CCode::kConstantExpression) << text;
    return DescribeTree(tree);
}

} // namespace

TEST_F(CodeFixture, OperatorResults)
{
    struct Case {
        const char* expression;
        const char* result;
    } cases[] = {
        {"'ab' + 'cd'", "'abcd'"},
        {"'a' + 1", "error: Wrong type of arguments to +."},
        {"1 + 'a'", "error: Wrong type of arguments to +."},
        {"3 * 'ab'", "'ababab'"},
        {"2.5 * 'x'", "'xx'"},
        {"-1 * 'x'", "''"},
        {"1000000000000 * 'ab'", "error: The result of * would be longer than 67108864 characters."},
        {"'ab' * 3", "error: Wrong type of arguments to *."},
        {"'a' * 'b'", "error: Wrong type of arguments to *."},
        {"'a' - 'b'", "error: Wrong type of arguments to -."},
        {"1 / 0", "error: Division by 0."},
        {"1 / 0.000000000000000000001", "1e+21"}, // only an exact 0 is refused
        {"'a' / 1", "error: Wrong type of arguments to /."},
        {"7 div 2", "3"},
        {"-7 div 2", "-3"},
        {"7.9 div 1", "7"},
        {"1 div 0", "error: Division by 0."},
        {"'a' div 1", "error: Wrong type of arguments to div."},
        {"-7 mod 3", "-1"},
        {"5.5 mod 2", "1.5"},
        {"1 mod 0", "error: Modulo by 0."},
        {"'a' mod 1", "error: Wrong type of arguments to mod."},
        {"2.5 | 0", "2"},
        {"3.5 | 0", "4"},
        {"5 & 3", "1"},
        {"5 ^ 3", "6"},
        {"~0", "-1"},
        {"1 << 64", "0"},
        {"1 << 3", "8"},
        {"-1 >> 60", "15"},
        {"'a' | 1", "error: Wrong type of arguments for |."},
        {"1 & 'a'", "error: Wrong type of arguments for &."},
        {"'a' ^ 1", "error: Wrong type of arguments for ^."},
        {"'a' << 1", "error: Wrong type of arguments for <<."},
        {"'a' >> 1", "error: Wrong type of arguments for >>."},
        {"!0.5", "0"},
        {"!0.4999", "1"},
        {"not 'a'", "error: Wrong type of arguments to unary operator."},
        {"~'a'", "error: Wrong type of arguments to unary operator."},
        {"+'a'", "error: Wrong type of arguments to unary operator."},
        {"0.5 && 1", "1"},
        {"0.4 || 0", "0"},
        {"1 xor 1", "0"},
        {"1 ^^ 0", "1"},
        {"'a' && 1", "error: Wrong type of arguments for &&."},
        {"1 || 'a'", "error: Wrong type of arguments for ||."},
        {"'a' xor 1", "error: Wrong type of arguments for ^^."},
        {"'a' < 'b'", "1"},
        {"'B' < 'a'", "1"},
        {"'a' < 'ab'", "1"},
        {"'ab' == 'ab'", "1"},
        {"'ab' = 'ab'", "1"},
        {"'ab' >= 'b'", "0"},
        {"'1' == 1", "error: Cannot compare arguments."},
        {"1 == 1 + 0.00000000000001", "1"},
        {"1 == 1 + 0.000000000001", "0"},
        {"0.1 + 0.2 == 0.3", "1"},
        {"1 != 1.00000000000001", "0"},
        {"1 < 1.00000000000001", "0"},
        {"1 <= 0.99999999999999", "1"},
        {"2 > 1", "1"},
        {"2 >= 3", "0"},
        {"1 <> 2", "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fold(c.expression), c.result) << c.expression;
}

TEST_F(CodeFixture, JoinedStringsKeepTheLeftRealPart)
{
    // A string's real part matters only to functions that read a string
    // argument as a real; repetition keeps the count.
    CCode repeated("3 * 'ab'", true);
    ASSERT_TRUE(repeated.Compile());
    EXPECT_EQ(repeated.Value().val, 3);
    EXPECT_EQ(repeated.Value().kind, VALUE_STRING);
    CCode joined("'a' + 'b'", true);
    ASSERT_TRUE(joined.Compile());
    EXPECT_EQ(joined.Value().val, 0);
}
