// Reals to text and back, written once for every build: the browser build's
// C++ library has neither floating-point to_chars nor from_chars, and a game
// must print the same digits wherever it runs. Both functions give exactly
// what the standard ones give (the shortest text that reads back as the same
// real; a correctly rounded reading).
#pragma once

#include <cstddef>

// Room for any text NumberText_Shortest writes, with its terminating zero.
constexpr size_t kShortestRealSize = 32;

// The shortest decimal text that reads back as value, in fixed or scientific
// form, whichever is shorter (fixed on a tie): "0.5", "123", "1e+20", "1e-04",
// "-0", "inf", "nan". Writes a terminating zero; returns the length.
size_t NumberText_Shortest(double value, char* buffer);

enum class ENumberRead { Ok, Invalid, OutOfRange };

// Reads a decimal real that fills [first, last) exactly: an optional "-",
// digits with an optional "." fraction, an optional exponent. OutOfRange when
// it is too large for a real, or so small that it would read as zero; value
// is then unchanged.
ENumberRead NumberText_Read(const char* first, const char* last, double& value);
