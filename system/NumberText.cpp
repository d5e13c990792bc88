// Number texts of the file and ini functions.
#include "system/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string FormatTextFileReal(double value)
{
    if (!std::isfinite(value))
        return value != value ? " nan" : value < 0 ? " -inf" : " inf";
    double magnitude = std::fabs(value);
    double whole = std::floor(magnitude);
    double fraction = std::floor((magnitude - whole) * 1000000.0);
    if (fraction > 999999)
        fraction = 999999; // rounding of the product may reach a whole million
    char text[400];
    int length = std::snprintf(text, sizeof text, " %s%.0f", value < 0 ? "-" : "", whole);
    if (fraction != 0)
        std::snprintf(text + length, sizeof text - static_cast<size_t>(length), ".%06d", static_cast<int>(fraction));
    return text;
}

double ReadIniNumber(std::string_view text)
{
    double value = 0, scale = 1, exponent = 0, sign = 1, exponentSign = 1;
    bool point = false, mark = false;
    for (char c : text) {
        if (c == '.' || c == ',') {
            if (point || mark)
                break;
            point = true;
        } else if (c == 'E' || c == 'e') {
            if (mark)
                break;
            mark = true;
        } else if (c == '-') {
            if (mark)
                exponentSign = -exponentSign;
            else
                sign = -sign;
        } else if (c >= '0' && c <= '9') {
            int digit = c - '0';
            if (mark) {
                if (exponent < 100000) // far past any real; keeps the count finite
                    exponent = exponent * 10 + digit;
            } else if (point) {
                scale /= 10;
                value += scale * digit;
            } else {
                value = value * 10 + digit;
            }
        } else {
            break;
        }
    }
    if (value == 0)
        return 0; // not 0 times an infinite power
    return std::pow(10.0, exponentSign * exponent) * sign * value;
}

std::string FormatDecimal(double value)
{
    if (value != value)
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.14e", value);
    // scientific is [-]d.dddddddddddddde[+-]x
    std::string text = scientific;
    bool negative = text[0] == '-';
    if (negative)
        text.erase(0, 1);
    size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else if (exponent < 0) {
        out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else {
        size_t whole = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    }
    return out;
}
