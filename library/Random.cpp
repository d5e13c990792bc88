// The linear congruential generator behind every random draw of the runner.
#include "library/Random.h"

#include "platform/Clock.h"

namespace {

constexpr uint32_t kMultiplier = 134775813; // 0x08088405
uint32_t Seed = 0;

} // namespace

void Random_SetSeed(uint32_t seed)
{
    Seed = seed;
}

uint32_t Random_GetSeed()
{
    return Seed;
}

void Random_Randomize()
{
    Seed = static_cast<uint32_t>(Platform_MonotonicMicroseconds());
}

uint32_t Random_Next()
{
    Seed = Seed * kMultiplier + 1; // unsigned arithmetic wraps modulo 2^32
    return Seed;
}

double Random_Real()
{
    return Random_Next() / 4294967296.0;
}

uint32_t Random_Below(uint32_t n)
{
    return static_cast<uint32_t>((static_cast<uint64_t>(Random_Next()) * n) >> 32);
}
