// Conversions between reals and their text, without iostreams: these run on
// the interpreter's hot path.
#include "library/RealText.h"

#include "data/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr double kFirstTooLargeForFixed = 1e18; // 19 integer digits, past the 18 significant ones

// printf keeps the sign of a negative value that rounds to zero ("-0.00");
// no player should see a negative nothing.
void DropSignOfZero(char* text, size_t& length)
{
    if (length == 0 || text[0] != '-')
        return;
    for (size_t k = 1; k < length; ++k)
        if (text[k] >= '1' && text[k] <= '9')
            return;
    std::memmove(text, text + 1, length); // moves the terminating zero too
    --length;
}

size_t WriteShortest(double value, char* buffer)
{
    static_assert(kShortestRealSize <= kRealTextSize);
    return NumberText_Shortest(value, buffer);
}

size_t WriteError(char* buffer)
{
    std::memcpy(buffer, "ERROR", 6);
    return 5;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A reading out of range does not say which way the number fell; the position
// of its first significant digit does. Positive means too large.
int64_t DecimalMagnitude(std::string_view mantissa, int64_t exponent)
{
    int64_t integerDigits = 0;
    int64_t zerosAfterPoint = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
        } else if (!seenPoint) {
            if (c != '0' || seenSignificant) {
                seenSignificant = true;
                ++integerDigits;
            }
        } else if (!seenSignificant) {
            if (c != '0')
                seenSignificant = true;
            else
                ++zerosAfterPoint;
        }
    }
    return (integerDigits > 0 ? integerDigits : -zerosAfterPoint) + exponent;
}

} // namespace

size_t FormatRealInto(double value, char* buffer)
{
    if (!std::isfinite(value))
        return WriteError(buffer);
    if (value == std::floor(value)) {
        if (std::fabs(value) >= kTwoTo63)
            return WriteShortest(value, buffer);
        auto written = std::to_chars(buffer, buffer + kRealTextSize - 1, static_cast<int64_t>(value));
        *written.ptr = '\0';
        return static_cast<size_t>(written.ptr - buffer);
    }
    // Not whole, so below 2^52: at most 16 integer digits, two decimals and a sign.
    size_t length = static_cast<size_t>(std::snprintf(buffer, kRealTextSize, "%.2f", value));
    DropSignOfZero(buffer, length);
    return length;
}

std::string FormatRealForString(double value)
{
    char buffer[kRealTextSize];
    size_t length = FormatRealInto(value, buffer);
    return std::string(buffer, length);
}

std::string FormatRealFixed(double value, int64_t decimals)
{
    char buffer[400];
    if (!std::isfinite(value))
        return "ERROR";
    if (std::fabs(value) >= kFirstTooLargeForFixed)
        return std::string(buffer, WriteShortest(value, buffer));
    if (decimals < 0)
        decimals = 0;
    // The leading digit's decimal exponent tells how many decimals the 18
    // significant digits reach: at most 17 + 324 for the smallest reals.
    std::snprintf(buffer, sizeof(buffer), "%.17e", value);
    const char* exponentText = std::strchr(buffer, 'e');
    int64_t exponent = exponentText ? std::atoi(exponentText + 1) : 0;
    int64_t significant = 17 - exponent;
    if (significant < 0)
        significant = 0;
    int64_t written = decimals < significant ? decimals : significant;
    size_t length = static_cast<size_t>(std::snprintf(buffer, sizeof(buffer), "%.*f", static_cast<int>(written), value));
    DropSignOfZero(buffer, length);
    std::string text(buffer, length);
    if (decimals > written) {
        if (written == 0)
            text += '.';
        text.append(static_cast<size_t>(decimals - written), '0');
    }
    return text;
}

bool ParseRealText(std::string_view text, double& value)
{
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty()) {
        value = 0;
        return true;
    }

    // Check the whole form first: it also allows a leading "+", which the
    // reader below does not.
    size_t k = 0;
    bool negative = false;
    if (text[k] == '+' || text[k] == '-')
        negative = text[k++] == '-';
    const size_t mantissaStart = k;
    size_t digits = 0;
    while (k < text.size() && IsDigit(text[k]))
        ++k, ++digits;
    if (k < text.size() && text[k] == '.') {
        ++k;
        while (k < text.size() && IsDigit(text[k]))
            ++k, ++digits;
    }
    if (digits == 0)
        return false;
    const size_t mantissaEnd = k;
    int64_t exponent = 0;
    if (k < text.size() && (text[k] == 'e' || text[k] == 'E')) {
        ++k;
        bool negativeExponent = false;
        if (k < text.size() && (text[k] == '+' || text[k] == '-'))
            negativeExponent = text[k++] == '-';
        size_t exponentDigits = 0;
        while (k < text.size() && IsDigit(text[k])) {
            if (exponent < 1000000)
                exponent = exponent * 10 + (text[k] - '0');
            ++k, ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (k != text.size())
        return false;

    double magnitude = 0;
    ENumberRead read = NumberText_Read(text.data() + mantissaStart, text.data() + text.size(), magnitude);
    if (read == ENumberRead::OutOfRange) {
        if (DecimalMagnitude(text.substr(mantissaStart, mantissaEnd - mantissaStart), exponent) > 0)
            return false;
        magnitude = 0;
    } else if (read != ENumberRead::Ok) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}
