// The numbers the sound functions pass to the device, from the 0..1 volumes
// and -1..1 pans games use. Rounding is to the nearest, ties to even, and
// absurd arguments stay within range instead of overflowing.
#pragma once

#include "code/Value.h"

#include <algorithm>
#include <cstdint>

constexpr int32_t kLargestUnit = 1000000000;

inline int32_t RoundedUnits(double value)
{
    return std::clamp(RoundToInt32(value), -kLargestUnit, kLargestUnit);
}

// Path volume in hundredths of a decibel: 1 is 0, 0.5 is -4800, 0 is -9600.
inline int32_t PathVolume(double volume)
{
    return RoundedUnits(volume * 9600) - 9600;
}

// Pan: -1 is -10000 (right silent), 1 is 10000 (left silent).
inline int32_t PathPan(double pan)
{
    return RoundedUnits(pan * 10000);
}

// Master volume: 1 is 1000, 0 is -10000.
inline int32_t MasterVolume(double volume)
{
    return std::clamp(RoundedUnits(volume * 11000 - 10000), -10000, 1000);
}

// A cone's volume outside: 1 is 0, 0 is -10000.
inline int32_t OutsideVolume(double volume)
{
    return RoundedUnits(volume * 10000 - 10000);
}
