// The shortest text of a real: the fewest significant digits (1 to 17) whose
// correctly rounded value reads back as the real, found with printf's exact
// "%e" and strtod, which every C library here does exactly. Where the real
// sits on a power of two its rounding interval is lopsided, so a neighbour
// of the nearest candidate may read back when the nearest does not: those
// are tried too, as the standard's shortest form allows either.
#include "data/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct RDecimal {
    uint64_t digits = 0; // significant digits as a whole number, no trailing zeros
    int count = 0;       // how many digits
    int exponent = 0;    // of the first digit: value = d.ddd × 10^exponent
};

double ReadBack(uint64_t digits, int count, int exponent)
{
    char text[48];
    std::snprintf(text, sizeof text, "%llue%d", static_cast<unsigned long long>(digits), exponent - count + 1);
    return std::strtod(text, nullptr);
}

// The digits of value rounded to count significant digits.
RDecimal Rounded(double value, int count)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*e", count - 1, value);
    RDecimal d;
    const char* p = text;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits = d.digits * 10 + static_cast<uint64_t>(*p - '0');
    d.count = count;
    d.exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    return d;
}

uint64_t PowerOfTen(int n)
{
    uint64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

void DropTrailingZeros(RDecimal& d)
{
    while (d.count > 1 && d.digits % 10 == 0) {
        d.digits /= 10;
        --d.count;
    }
}

// The shortest digits of a finite, positive value.
RDecimal ShortestDigits(double value)
{
    for (int count = 1; count <= 17; ++count) {
        RDecimal d = Rounded(value, count);
        if (ReadBack(d.digits, d.count, d.exponent) == value) {
            DropTrailingZeros(d);
            return d;
        }
        if (count == 17)
            break;
        // The neighbours one unit in the last digit away.
        for (int step : {1, -1}) {
            RDecimal n = d;
            n.digits += static_cast<uint64_t>(static_cast<int64_t>(step));
            if (n.digits == PowerOfTen(count)) {
                n.digits /= 10;
                ++n.exponent;
            } else if (n.digits < PowerOfTen(count - 1)) {
                if (count == 1)
                    continue;
                // 99..9 one digit shorter, one place lower.
                --n.count;
                --n.exponent;
            }
            if (ReadBack(n.digits, n.count, n.exponent) == value) {
                DropTrailingZeros(n);
                return n;
            }
        }
    }
    return Rounded(value, 17);
}

size_t Append(char* out, size_t at, const char* text)
{
    size_t n = std::strlen(text);
    std::memcpy(out + at, text, n);
    return at + n;
}

} // namespace

size_t NumberText_Shortest(double value, char* buffer)
{
    size_t at = 0;
    if (std::signbit(value))
        buffer[at++] = '-';
    if (std::isnan(value)) {
        // The sign of not-a-number is shown as the standard form shows it.
        at = Append(buffer, at, "nan");
        buffer[at] = '\0';
        return at;
    }
    value = std::fabs(value);
    if (std::isinf(value) || value == 0) {
        at = Append(buffer, at, value == 0 ? "0" : "inf");
        buffer[at] = '\0';
        return at;
    }
    RDecimal d = ShortestDigits(value);
    char digits[24];
    std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(d.digits));

    // Scientific: d[.ddd]e±XX.
    char scientific[kShortestRealSize];
    size_t s = 0;
    scientific[s++] = digits[0];
    if (d.count > 1) {
        scientific[s++] = '.';
        s = Append(scientific, s, digits + 1);
    }
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    s = Append(scientific, s, exponent);

    // Fixed: as many characters as the digits plus zeros and a point need.
    size_t fixedLength;
    if (d.exponent >= 0)
        fixedLength = d.count - 1 <= d.exponent ? static_cast<size_t>(d.exponent) + 1
                                                 : static_cast<size_t>(d.count) + 1;
    else
        fixedLength = static_cast<size_t>(-d.exponent) + 1 + static_cast<size_t>(d.count);

    if (s < fixedLength) {
        std::memcpy(buffer + at, scientific, s);
        at += s;
    } else if (d.exponent >= d.count - 1) {
        // A whole number: of the texts of this length the exact one is
        // nearest to the real, so its digits are all written out.
        at += static_cast<size_t>(std::snprintf(buffer + at, kShortestRealSize - at, "%.0f", value));
    } else if (d.exponent >= 0) {
        const int whole = d.exponent + 1;
        std::memcpy(buffer + at, digits, static_cast<size_t>(whole));
        at += static_cast<size_t>(whole);
        buffer[at++] = '.';
        at = Append(buffer, at, digits + whole);
    } else {
        buffer[at++] = '0';
        buffer[at++] = '.';
        for (int k = 1; k < -d.exponent; ++k)
            buffer[at++] = '0';
        at = Append(buffer, at, digits);
    }
    buffer[at] = '\0';
    return at;
}

ENumberRead NumberText_Read(const char* first, const char* last, double& value)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const char* p = first;
    if (p < last && *p == '-')
        ++p;
    bool nonZero = false;
    size_t digits = 0;
    for (; p < last && digit(*p); ++p, ++digits)
        nonZero = nonZero || *p != '0';
    if (p < last && *p == '.')
        for (++p; p < last && digit(*p); ++p, ++digits)
            nonZero = nonZero || *p != '0';
    if (digits == 0)
        return ENumberRead::Invalid;
    if (p < last && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < last && (*p == '+' || *p == '-'))
            ++p;
        if (p == last || !digit(*p))
            return ENumberRead::Invalid;
        while (p < last && digit(*p))
            ++p;
    }
    if (p != last)
        return ENumberRead::Invalid;
    const std::string text(first, last);
    const double read = std::strtod(text.c_str(), nullptr);
    if (std::isinf(read) || (read == 0 && nonZero))
        return ENumberRead::OutOfRange;
    value = read;
    return ENumberRead::Ok;
}
