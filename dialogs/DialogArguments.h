// Reading script arguments the way the dialog functions need them.
#pragma once

#include "code/Value.h"

#include <algorithm>
#include <cstdint>
#include <string>

// Rounded to the nearest integer (ties to even), kept within 32 bits.
inline int32_t DialogInt(const RValue& value)
{
    return RoundToInt32(value.val);
}

// A text argument; a real in its place counts as no text.
inline std::string DialogText(const RValue& value)
{
    return value.IsString() ? value.str.Text() : std::string();
}

// True when the real is at least 0.5.
inline bool DialogBool(const RValue& value)
{
    return IsTrue(value.val);
}
