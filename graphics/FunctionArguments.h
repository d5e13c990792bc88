// Reading script arguments the way the graphics functions need them.
#pragma once

#include "code/Value.h"

#include <algorithm>
#include <cstdint>

// Rounded to the nearest integer (ties to even) and kept within 32 bits.
inline int32_t ArgInt(const RValue& value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(RoundToInteger(value.val), INT32_MIN, INT32_MAX));
}

// A colour keeps its low 32 bits, as a colour register would.
inline int32_t ArgColor(const RValue& value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(RoundToInteger(value.val)));
}

inline bool ArgBool(const RValue& value)
{
    return IsTrue(value.val);
}
