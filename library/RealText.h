// Reals as text and text as reals: the forms string(), string_format() and
// real() use, shared with every other place that shows a number to the
// player (show_debug_message, message boxes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Room for any text FormatRealInto writes, with its terminating zero.
constexpr size_t kRealTextSize = 32;

// A whole real in decimal ("3", "-12", "1000000000000000"), any other real
// with exactly two decimals ("0.50", "-0.33"); "ERROR" for infinities and
// not-a-number. Whole reals beyond the 64-bit range use the shortest exact
// scientific form ("1e+20"). Writes into buffer without allocating and
// returns the length.
size_t FormatRealInto(double value, char* buffer);
std::string FormatRealForString(double value);

// Fixed notation with the given number of decimals (negative counts as 0),
// carrying at most 18 significant digits; further decimals are zeros. Reals
// of 1e18 and beyond have no fixed form that fits and use the shortest
// scientific one; infinities and not-a-number give "ERROR".
std::string FormatRealFixed(double value, int64_t decimals);

// Reads a decimal number after trimming blanks (and other control bytes)
// at both ends: an optional sign, digits with an optional "." fraction, an
// optional exponent. Empty text reads as 0. False for anything else, and for
// numbers too large for a real; numbers too small to represent read as 0.
bool ParseRealText(std::string_view text, double& value);
