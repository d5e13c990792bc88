// Registration of the math module and the helpers its routine files share.
#include "library/MathFunctions.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "library/LibraryRoutines.h"

#include <cmath>
#include <string>

int64_t Library_RoundCount(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 9.2233720368547758e18)
        return INT64_MAX;
    if (value <= -9.2233720368547758e18)
        return INT64_MIN;
    return RoundToInteger(value);
}

void Library_ReportError(const char* message)
{
    Error_ShowInEvent(message, false);
}

void Library_ReportTooLong(const char* function)
{
    Error_ShowInEvent(std::string("Error in function ") + function + "(): the result would be longer than " +
                          std::to_string(kLongestBuiltString) + " characters.",
                      false);
}

void Library_RegisterMath()
{
    Library_RegisterNumberFunctions();
    Library_RegisterAggregateFunctions();
    Library_RegisterStringFunctions();
}
