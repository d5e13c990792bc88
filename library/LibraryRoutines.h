// What the routine files of the math module share: argument conversions,
// error reporting, the limit on built strings and each file's registration.
// Internal to library/.
#pragma once

#include "code/FunctionCatalogue.h"
#include "code/Value.h"

#include <cstddef>
#include <cstdint>

// A real rounded (ties to even) for use as a position, length or count.
// Unlike RoundToInteger, reals beyond the 64-bit range saturate instead of
// wrapping to the lowest integer, and not-a-number counts as 0.
int64_t Library_RoundCount(double value);

// Reports a problem of a built-in through the run-time error display; the
// game goes on.
void Library_ReportError(const char* message);
// Reports that a function was asked for a string beyond kLongestBuiltString.
void Library_ReportTooLong(const char* function);

void Library_RegisterNumberFunctions();
void Library_RegisterAggregateFunctions();
void Library_RegisterStringFunctions();
void Library_ImplementDateFunctions();
