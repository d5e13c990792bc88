// Reals as text: the project's own shortest form and reader must give what
// the standard library's to_chars and from_chars give, since the browser
// build has neither and prints through ours.
#include "data/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Standard(double value)
{
    char text[64];
    auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string Ours(double value)
{
    char text[kShortestRealSize];
    size_t length = NumberText_Shortest(value, text);
    EXPECT_EQ(std::strlen(text), length);
    return std::string(text, length);
}

} // namespace

TEST(NumberText, ShortestFormsOfChosenReals)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "-0"},
        {0.5, "0.5"},
        {-12.25, "-12.25"},
        {0.1 + 0.2, "0.30000000000000004"},
        {1e-4, "1e-04"},                         // shorter than 0.0001
        {0.001, "0.001"},                        // a tie goes to the fixed form
        {1e20, "1e+20"},
        {123456789012345680.0, "123456789012345680"}, // whole numbers are written exactly
        {9007199254740993.0, "9007199254740992"},
        {5e-324, "5e-324"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Ours(c.value), c.text) << c.text;
        EXPECT_EQ(Ours(c.value), Standard(c.value)) << c.text;
    }
}

// Random bit patterns reach every exponent; powers of two have the lopsided
// rounding interval where the nearest candidate may not read back.
TEST(NumberText, ShortestMatchesTheStandardLibrary)
{
    std::mt19937_64 random(22);
    for (int k = 0; k < 5000; ++k) {
        uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        ASSERT_EQ(Ours(value), Standard(value)) << std::hexfloat << value;
        const double power = std::ldexp(1.0, static_cast<int>(random() % 2098) - 1074);
        ASSERT_EQ(Ours(power), Standard(power)) << std::hexfloat << power;
        const double cents = static_cast<double>(random() % 10000000) / 100.0;
        ASSERT_EQ(Ours(cents), Standard(cents)) << cents;
    }
}

TEST(NumberText, ReadingAgreesWithTheStandardLibrary)
{
    const char* texts[] = {"0",     "-0",    "000.000", "1.5",    "-1e-3",  ".5",     "5.",      "1e400",
                           "-1e400", "2e-324", "3e-324", "1e-310", "0e999", "2.4703282292062328e-324",
                           "2.4703282292062327e-324", "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017977587207096330286416692887910946555547851940402630657488671505820681908902000708383676273854845817711531764475730270069855571366959622842914819860834936475292719074168444365510704342711559699508093042880177904174497791"};
    for (const char* text : texts) {
        double expected = 7, got = 7;
        auto standard = std::from_chars(text, text + std::strlen(text), expected);
        ENumberRead read = NumberText_Read(text, text + std::strlen(text), got);
        if (standard.ec == std::errc::result_out_of_range) {
            EXPECT_EQ(read, ENumberRead::OutOfRange) << text;
            EXPECT_EQ(got, 7) << text;
        } else {
            ASSERT_EQ(read, ENumberRead::Ok) << text;
            EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text;
        }
    }
    const char* invalid[] = {"", "-", "+1", "1e", "1e+", ".", "inf", "nan", "0x10", "1 ", " 1", "1.2.3", "e5"};
    for (const char* text : invalid) {
        double value = 7;
        EXPECT_EQ(NumberText_Read(text, text + std::strlen(text), value), ENumberRead::Invalid) << '"' << text << '"';
        EXPECT_EQ(value, 7);
    }
}
