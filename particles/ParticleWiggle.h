// The wiggles of particles: a triangle wave in [-1, 1] over a short period
// of steps, shifted per particle by its random number so that particles
// born together do not wiggle in step.
#pragma once

#include <cstdint>

// ((sum mod period) / scale) folded into a triangle wave: rises from -1 to 1
// over the first half of the period and falls back over the second.
inline double Particle_Wiggle(int64_t sum, int64_t period, double scale)
{
    int64_t m = sum % period;
    if (m < 0)
        m += period;
    const double v = static_cast<double>(m) / scale;
    return (v <= 2 ? v : 4 - v) - 1;
}
