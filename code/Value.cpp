#include "code/Value.h"

#include <cmath>

const std::string& RString::EmptyText()
{
    static const std::string empty;
    return empty;
}

int64_t RoundToIntegerInGeneral(double value)
{
    // The processor's conversion rounds ties to even; values beyond the
    // integer range (and NaN) give the lowest integer, as that conversion does.
    if (!(value > -9.2233720368547758e18 && value < 9.2233720368547758e18))
        return INT64_MIN;
    return static_cast<int64_t>(std::nearbyint(value));
}
