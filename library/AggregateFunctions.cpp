// Built-ins over any number of arguments: min, max, mean, median and choose.
// min and max accept mixed kinds and compare in the kind of the value they
// hold so far.
#include "library/LibraryRoutines.h"
#include "library/Random.h"

namespace {

// True when candidate should replace current: by real part while current is
// a real, by byte-wise text while it is a string. Ties keep the earlier one.
bool Precedes(const RValue& candidate, const RValue& current, bool wantSmaller)
{
    if (current.kind == VALUE_REAL)
        return wantSmaller ? candidate.val < current.val : candidate.val > current.val;
    const int order = candidate.str.Text().compare(current.str.Text()); // unsigned bytes
    return wantSmaller ? order < 0 : order > 0;
}

void Extreme(int argc, RValue& result, const RValue* args, bool wantSmaller)
{
    if (argc <= 0)
        return;
    const RValue* best = &args[0];
    for (int k = 1; k < argc; ++k)
        if (Precedes(args[k], *best, wantSmaller))
            best = &args[k];
    result = *best;
}

bool Min(CExecutionContext&, RValue& result, int argc, RValue* args)
{
    Extreme(argc, result, args, true);
    return true;
}

bool Max(CExecutionContext&, RValue& result, int argc, RValue* args)
{
    Extreme(argc, result, args, false);
    return true;
}

bool Min3(CExecutionContext&, RValue& result, int, RValue* args)
{
    Extreme(3, result, args, true);
    return true;
}

bool Max3(CExecutionContext&, RValue& result, int, RValue* args)
{
    Extreme(3, result, args, false);
    return true;
}

bool Mean(CExecutionContext&, RValue& result, int argc, RValue* args)
{
    if (argc <= 0)
        return true;
    double sum = 0;
    for (int k = 0; k < argc; ++k)
        sum += args[k].val;
    result.SetReal(sum / argc);
    return true;
}

// The first argument with fewer than half the arguments below it and at
// least half at or below it: for an even count, the lower middle value.
// Counting instead of sorting keeps the earlier of equal values and needs
// no buffer; there are at most 16 arguments.
bool Median(CExecutionContext&, RValue& result, int argc, RValue* args)
{
    for (int q = 0; q < argc; ++q) {
        int below = 0;
        int atOrBelow = 0;
        for (int k = 0; k < argc; ++k) {
            below += args[k].val < args[q].val;
            atOrBelow += args[k].val <= args[q].val;
        }
        if (2 * below < argc && argc <= 2 * atOrBelow) {
            result.SetReal(args[q].val);
            return true;
        }
    }
    return true;
}

bool Choose(CExecutionContext&, RValue& result, int argc, RValue* args)
{
    if (argc <= 0)
        return true;
    result = args[Random_Below(static_cast<uint32_t>(argc))];
    return true;
}

} // namespace

void Library_RegisterAggregateFunctions()
{
    Function_Implement("min", &Min);
    Function_Implement("max", &Max);
    Function_Implement("min3", &Min3);
    Function_Implement("max3", &Max3);
    Function_Implement("mean", &Mean);
    Function_Implement("median", &Median);
    Function_Implement("choose", &Choose);
}
