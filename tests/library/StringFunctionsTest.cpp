// Conversions between reals and strings, and the string built-ins: byte
// strings, 1-based positions with rounding, and the limit on built strings.
#include "library/RealText.h"
#include "tests/library/LibraryFixture.h"

#include <cmath>

namespace {

const std::string kTooLong = "(): the result would be longer than 67108864 characters.";

} // namespace

TEST_F(LibraryFixture, StringWritesWholeRealsAsIntegersOthersWithTwoDecimals)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {3, "3"},
        {-3, "-3"},
        {0, "0"},
        {-0.0, "0"},
        {2.999, "3.00"},
        {0.5, "0.50"},
        {-1.0 / 3, "-0.33"},
        {123456789.25, "123456789.25"},
        {0.125, "0.12"},  // an exact tie goes to the even digit
        {-0.001, "0.00"}, // not "-0.00"
        {1e15, "1000000000000000"},
        {-9007199254740993.0, "-9007199254740992"},
        {9.2e18, "9200000000000000000"},
        {1e20, "1e+20"}, // past 64 bits: shortest exact form
        {INFINITY, "ERROR"},
        {NAN, "ERROR"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(Call("string", {c.value})), std::string("'") + c.text + "'") << c.value;
        EXPECT_EQ(FormatRealForString(c.value), c.text); // as other modules show numbers
    }
    EXPECT_EQ(Describe(Call("string", {"text"})), "'text'");
}

TEST_F(LibraryFixture, StringFormatPadsFixedNotation)
{
    const RCallCase cases[] = {
        {"string_format", {3.14159, 8, 2}, "    3.14"},
        {"string_format", {3.14159, 2, 2}, "3.14"},
        {"string_format", {-2, 5, 1}, " -2.0"},
        {"string_format", {2.5, 0, 0}, "2"},
        {"string_format", {5, 3, -1}, "  5"},
        {"string_format", {7, -4, 3}, "7.000"},
        {"string_format", {-0.001, 0, 2}, "0.00"},
        // At most 18 significant digits; further decimals are zeros.
        {"string_format", {1.0 / 3, 0, 25}, "0.3333333333333333150000000"},
        {"string_format", {123456789012345678.0, 0, 2}, "123456789012345680.00"},
        {"string_format", {1e20, 8, 2}, "   1e+20"},
        {"string_format", {INFINITY, 7, 2}, "  ERROR"},
        {"string_format", {"as is", 10, 2}, "as is"},
    };
    for (const RCallCase& c : cases)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), Describe(c.expected)) << CaseName(c);
}

TEST_F(LibraryFixture, RealReadsTrimmedDecimalNumbers)
{
    const struct {
        RValue given;
        double value;
    } cases[] = {
        {" 12.5 ", 12.5}, {"", 0},      {"   ", 0},        {"-3", -3},        {"+4.5e2", 450},
        {".5", 0.5},      {"5.", 5},    {"1E-2", 0.01},    {"\t7\r\n", 7},    {"007", 7},
        {"1e-400", 0},    {42.5, 42.5}, {"-0.25e+1", -2.5}, {"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const auto& c : cases) {
        Error_Reset();
        const RValue result = Call("real", {c.given});
        EXPECT_EQ(Describe(result), Describe(c.value)) << Describe(c.given);
        EXPECT_EQ(Reported(), "") << Describe(c.given);
    }
    for (const char* text : {"abc", "1e", "1.2.3", "- 5", "inf", "nan", "0x10", "1e400", "12abc", ".", "+", "1,5"}) {
        Error_Reset();
        const RValue result = Call("real", {text});
        EXPECT_EQ(Describe(result), "0") << text;
        EXPECT_EQ(Reported(), "Error in function real().") << text;
    }
}

TEST_F(LibraryFixture, StringResults)
{
    const RCallCase cases[] = {
        // Characters are bytes 0 to 255; codes wrap around like a byte.
        {"chr", {65}, "A"},
        {"chr", {65.5}, "B"},
        {"chr", {300}, ","},
        {"chr", {-1}, "\xFF"},
        {"chr", {1e300}, "\xFF"},
        {"ord", {"A"}, 65},
        {"ord", {"\xE9t\xE9"}, 233},
        {"ord", {""}, 0},
        {"string_length", {"h\xE9llo"}, 5},
        {"string_length", {""}, 0},
        {"string_pos", {"lo", "hello"}, 4},
        {"string_pos", {"l", "hello"}, 3},
        {"string_pos", {"L", "hello"}, 0},
        {"string_pos", {"", "hello"}, 0},
        {"string_count", {"aa", "aaaa"}, 2},
        {"string_count", {"aa", "aaa"}, 1},
        {"string_count", {"a", "banana"}, 3},
        {"string_count", {"", "abc"}, 0},
        // Positions are 1-based and rounded, ties to even.
        {"string_copy", {"hello", 0, 2}, "he"},
        {"string_copy", {"hello", 2, 3}, "ell"},
        {"string_copy", {"hello", 4, 10}, "lo"},
        {"string_copy", {"hello", 2.5, 2}, "el"},
        {"string_copy", {"hello", 1, 1e30}, "hello"},
        {"string_copy", {"hello", 6, 1}, ""},
        {"string_copy", {"hello", 2, 0}, ""},
        {"string_copy", {"hello", 2, -3}, ""},
        {"string_copy", {"hello", -1e30, 2}, "he"},
        {"string_char_at", {"hello", 1}, "h"},
        {"string_char_at", {"hello", 5}, "o"},
        {"string_char_at", {"hello", 6}, ""},
        {"string_char_at", {"hello", 0}, "h"},
        {"string_delete", {"hello", 2, 2}, "hlo"},
        {"string_delete", {"hello", 3.5, 1}, "helo"},
        {"string_delete", {"hello", 4, 10}, "hel"},
        {"string_delete", {"hello", 0, 2}, "hello"},
        {"string_delete", {"hello", 6, 1}, "hello"},
        {"string_delete", {"hello", 2, 0}, "hello"},
        {"string_insert", {"XY", "hello", 1}, "XYhello"},
        {"string_insert", {"XY", "hello", 3}, "heXYllo"},
        {"string_insert", {"XY", "hello", -5}, "XYhello"},
        {"string_insert", {"XY", "hello", 6}, "helloXY"},
        {"string_insert", {"XY", "hello", 100}, "helloXY"},
        {"string_insert", {"XY", "", 1}, "XY"},
        // Only the ASCII letters have a case.
        {"string_lower", {"AbC-\xC9"}, "abc-\xC9"},
        {"string_upper", {"aBc-\xE9"}, "ABC-\xE9"},
        {"string_letters", {"a1-B2 c\xE9"}, "aBc"},
        {"string_digits", {"a1-B2 c"}, "12"},
        {"string_lettersdigits", {"a1-B2 c_"}, "a1B2c"},
        {"string_repeat", {"ab", 3}, "ababab"},
        {"string_repeat", {"ab", 2.5}, "abab"},
        {"string_repeat", {"ab", 0}, ""},
        {"string_repeat", {"ab", -2}, ""},
        {"string_repeat", {"", 1e12}, ""},
        // Replacing: left to right, case-sensitive, non-overlapping.
        {"string_replace", {"aXbXc", "X", "-"}, "a-bXc"},
        {"string_replace", {"abc", "", "x"}, "abc"},
        {"string_replace", {"abc", "B", "x"}, "abc"},
        {"string_replace_all", {"aXbXc", "X", "--"}, "a--b--c"},
        {"string_replace_all", {"aaaa", "aa", "b"}, "bb"},
        {"string_replace_all", {"aaa", "aa", "b"}, "ba"},
        {"string_replace_all", {"abab", "ab", ""}, ""},
        {"string_replace_all", {"aa", "a", "aa"}, "aaaa"},
        {"string_replace_all", {"abc", "", "x"}, "abc"},
    };
    for (const RCallCase& c : cases)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), Describe(c.expected)) << CaseName(c);
}

TEST_F(LibraryFixture, ChrOfZeroIsOneCharacter)
{
    const RValue nul = Call("chr", {0});
    EXPECT_EQ(nul.str.size(), 1u);
    EXPECT_EQ(Call("ord", {nul}).val, 0);
    EXPECT_EQ(Call("string_length", {Call("string_repeat", {nul, 3})}).val, 3);
}

TEST_F(LibraryFixture, HugeCountsAreRefusedBeforeAnythingIsBuilt)
{
    const RValue longText = Call("string_repeat", {"a", 1000});
    const RValue replacement = Call("string_repeat", {"b", 100000});
    const struct {
        const char* name;
        std::vector<RValue> arguments;
    } cases[] = {
        {"string_repeat", {"x", 1e12}},
        {"string_repeat", {"xy", 40000000}},
        {"string_replace_all", {longText, "a", replacement}}, // 1000 × 100000 bytes
        {"string_format", {1, 1e12, 0}},
        {"string_format", {1, 0, 1e12}},
    };
    for (const auto& c : cases) {
        Error_Reset();
        const RValue result = Call(c.name, c.arguments);
        EXPECT_EQ(Describe(result), "''") << c.name;
        EXPECT_EQ(Reported(), "Error in function " + std::string(c.name) + kTooLong) << c.name;
    }
    // Just inside the limit still works.
    Error_Reset();
    EXPECT_EQ(Call("string_length", {Call("string_repeat", {"xy", 33554432})}).val, 67108864);
    EXPECT_EQ(Reported(), "");
}
