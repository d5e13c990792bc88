// Numbers in the text forms of the file functions: the forgiving reader and
// the fixed writer of text files, the reader of ini values, and the decimal
// form ini files store reals in.
#pragma once

#include <string>
#include <string_view>

// The text-file number reader. It skips blanks anywhere, takes "-" as the
// sign wherever it appears, reads "." or "," as the decimal point, and stops
// at the first other character, which it consumes, or before a line end.
// So "1 2,5" reads 12.5 and "3x" reads 3 and consumes the x.
// TSource offers AtEnd(), Peek() and Advance().
template <class TSource>
double ScanTextNumber(TSource& source)
{
    double value = 0, divisor = 1, sign = 1;
    while (!source.AtEnd()) {
        char c = source.Peek();
        if (c == '\r' || c == '\n')
            break;
        source.Advance();
        if (c == ' ' || c == '\t')
            continue;
        if (c == '-') {
            sign = -1;
        } else if (c >= '0' && c <= '9') {
            if (divisor == 1) {
                value = value * 10 + (c - '0');
            } else {
                value += (c - '0') / divisor;
                divisor *= 10;
            }
        } else if ((c == '.' || c == ',') && divisor == 1) {
            divisor = 10;
        } else {
            break;
        }
    }
    return sign * value;
}

// A space, the sign and whole part, then "." and six decimals cut (not
// rounded) when the fraction shows in them: 3 is " 3", -2.25 " -2.250000".
std::string FormatTextFileReal(double value);

// The ini value reader: digits with "." or "," as the point, then "E" and an
// exponent; "-" negates the number, or the exponent after the "E". Anything
// else ends the number ("+3" reads 0).
double ReadIniNumber(std::string_view text);

// Fifteen significant digits without trailing zeros, in scientific form
// ("1.5E20", "1E-6") when the whole part needs more than fifteen digits or
// the value is below 0.00001.
std::string FormatDecimal(double value);
