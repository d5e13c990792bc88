// Built-ins on reals: type tests, random numbers, rounding, arithmetic,
// trigonometry and vector helpers. Each routine reads the real part of its
// arguments; a domain error leaves the real 0 and reports the function's message.
#include "library/LibraryRoutines.h"
#include "library/MathFunctions.h"
#include "library/Random.h"

#include <cmath>

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295769;
constexpr double kRadiansToDegrees = 57.295779513082320877;
constexpr double kTwoTo32 = 4294967296.0;

// Not-a-number means a domain error (or a poisoned argument); an infinity
// from finite arguments means a division by zero or an overflow. An
// infinity that comes from an infinite argument is passed on.
void SetChecked(RValue& result, double value, bool argumentsFinite, const char* message)
{
    if (std::isnan(value) || (std::isinf(value) && argumentsFinite)) {
        Library_ReportError(message);
        return;
    }
    result.SetReal(value + 0.0); // no negative zero reaches the script
}

void SetChecked(RValue& result, double value, double argument, const char* message)
{
    SetChecked(result, value, std::isfinite(argument), message);
}

// An integer in [lowest, lowest + count) for count >= 1. Counts past 32 bits
// cannot use the integer draw; floor(seed / 2^32 × count) is the same formula
// written in reals, so small counts give identical results either way.
double DrawInteger(double lowest, double count)
{
    if (count < kTwoTo32)
        return lowest + Random_Below(static_cast<uint32_t>(count));
    return lowest + std::floor(Random_Real() * count);
}

// ---- type tests and random numbers ----

bool IsReal(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(args[0].kind == VALUE_REAL ? 1 : 0);
    return true;
}

bool IsString(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(args[0].kind == VALUE_STRING ? 1 : 0);
    return true;
}

bool RandomReal(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(Random_Real() * args[0].val);
    return true;
}

bool RandomRange(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double low = args[0].val;
    result.SetReal(low + Random_Real() * (args[1].val - low));
    return true;
}

// A negative bound draws from [floor(x), 0], the way random(x) gives a
// value between x and 0: the script gets a number from the range it named
// rather than a silent constant. Infinite bounds name no range: 0, no draw.
bool RandomInteger(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double top = std::floor(args[0].val);
    if (!std::isfinite(top))
        return true;
    result.SetReal(DrawInteger(top < 0 ? top : 0, std::fabs(top) + 1) + 0.0);
    return true;
}

// Bounds in either order, like random_range.
bool RandomIntegerRange(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double a = std::floor(args[0].val);
    const double b = std::floor(args[1].val);
    if (!std::isfinite(a) || !std::isfinite(b))
        return true;
    result.SetReal(DrawInteger(std::fmin(a, b), std::fabs(b - a) + 1) + 0.0);
    return true;
}

bool RandomSetSeed(CExecutionContext&, RValue&, int, RValue* args)
{
    // Taken modulo 2^32 exactly, also for reals past the 64-bit range.
    double seed = std::fmod(std::nearbyint(args[0].val), kTwoTo32);
    if (std::isnan(seed))
        seed = 0;
    if (seed < 0)
        seed += kTwoTo32;
    Random_SetSeed(static_cast<uint32_t>(seed));
    return true;
}

bool RandomGetSeed(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(static_cast<int32_t>(Random_GetSeed()));
    return true;
}

bool Randomize(CExecutionContext&, RValue&, int, RValue*)
{
    Random_Randomize();
    return true;
}

// ---- rounding and arithmetic ----

bool Abs(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(std::fabs(args[0].val));
    return true;
}

// Ties to even. Reals beyond the 64-bit range are whole already and come back
// unchanged rather than as the lowest 64-bit integer a conversion would give.
bool Round(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(std::nearbyint(args[0].val) + 0.0);
    return true;
}

// Inside the 32-bit range this is the 32-bit floor; beyond it the exact
// floor, since clamping would hand the script a different number.
bool Floor(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(std::floor(args[0].val) + 0.0);
    return true;
}

bool Ceil(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(std::ceil(args[0].val) + 0.0);
    return true;
}

bool Sign(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    result.SetReal(x <= -1e-13 ? -1 : (x > -1e-13 && x < 1e-13) ? 0 : 1);
    return true;
}

bool Frac(CExecutionContext&, RValue& result, int, RValue* args)
{
    double whole;
    result.SetReal(std::modf(args[0].val, &whole) + 0.0);
    return true;
}

bool Sqrt(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    SetChecked(result, std::sqrt(x), x, "Cannot apply sqrt to negative number.");
    return true;
}

bool Sqr(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(args[0].val * args[0].val);
    return true;
}

bool Exp(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    SetChecked(result, std::exp(x), x, "Error in function exp().");
    return true;
}

bool Ln(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    SetChecked(result, std::log(x), x, "Error in function ln().");
    return true;
}

bool Log2(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    SetChecked(result, std::log2(x), x, "Error in function log2().");
    return true;
}

bool Log10(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    SetChecked(result, std::log10(x), x, "Error in function log10().");
    return true;
}

bool Power(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    const double n = args[1].val;
    SetChecked(result, std::pow(x, n), std::isfinite(x) && std::isfinite(n), "Error in function power().");
    return true;
}

// A logarithm needs a positive argument and a positive base other than 1;
// base 0 would otherwise slip through as a quiet division by infinity.
bool LogN(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double n = args[0].val;
    const double x = args[1].val;
    const char* message = "Error in function logn().";
    if (!(n > 0 && x > 0)) {
        Library_ReportError(message);
        return true;
    }
    SetChecked(result, std::log(x) / std::log(n), std::isfinite(x) && std::isfinite(n), message);
    return true;
}

// ---- trigonometry ----

bool Sin(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(std::sin(args[0].val));
    return true;
}

bool Cos(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(std::cos(args[0].val));
    return true;
}

bool Tan(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(std::tan(args[0].val));
    return true;
}

bool ArcSin(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    SetChecked(result, std::asin(x), x, "Error in function arcsin().");
    return true;
}

bool ArcCos(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    SetChecked(result, std::acos(x), x, "Error in function arccos().");
    return true;
}

bool ArcTan(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x = args[0].val;
    SetChecked(result, std::atan(x), x, "Error in function arctan().");
    return true;
}

// Adding 0 turns a negative zero y into +0, so the angle stays in (-pi, pi]
// instead of reaching -pi for points on the negative x axis.
bool ArcTan2(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double y = args[0].val + 0.0;
    const double x = args[1].val;
    SetChecked(result, std::atan2(y, x), std::isfinite(x) && std::isfinite(y), "Error in function arctan2().");
    return true;
}

bool DegToRad(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(args[0].val * kDegreesToRadians);
    return true;
}

bool RadToDeg(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(args[0].val * kRadiansToDegrees);
    return true;
}

// ---- vectors ----

// The cosine of the angle between two vectors. A zero-length vector has no
// direction: 0 rather than the not-a-number of a division by zero, which
// would poison every later computation of the script.
double CosineBetween(double dot, double squaredLengthA, double squaredLengthB)
{
    const double lengths = std::sqrt(squaredLengthA) * std::sqrt(squaredLengthB);
    if (lengths == 0)
        return 0;
    return dot / lengths;
}

bool DotProduct(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x1 = args[0].val, y1 = args[1].val, x2 = args[2].val, y2 = args[3].val;
    result.SetReal(CosineBetween(x1 * x2 + y1 * y2, x1 * x1 + y1 * y1, x2 * x2 + y2 * y2));
    return true;
}

bool DotProduct3d(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double x1 = args[0].val, y1 = args[1].val, z1 = args[2].val;
    const double x2 = args[3].val, y2 = args[4].val, z2 = args[5].val;
    result.SetReal(CosineBetween(x1 * x2 + y1 * y2 + z1 * z2, x1 * x1 + y1 * y1 + z1 * z1, x2 * x2 + y2 * y2 + z2 * z2));
    return true;
}

bool PointDistance(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double dx = args[2].val - args[0].val;
    const double dy = args[3].val - args[1].val;
    result.SetReal(std::sqrt(dx * dx + dy * dy));
    return true;
}

bool PointDistance3d(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double dx = args[3].val - args[0].val;
    const double dy = args[4].val - args[1].val;
    const double dz = args[5].val - args[2].val;
    result.SetReal(std::sqrt(dx * dx + dy * dy + dz * dz));
    return true;
}

bool PointDirection(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(Math_PointDirection(args[0].val, args[1].val, args[2].val, args[3].val));
    return true;
}

// Sine and cosine of whole right angles come out a hair off zero or one;
// snapping keeps lengthdir_x(10, 90) exactly 0 so positions stay whole.
double SnapToWhole(double value)
{
    const double whole = std::nearbyint(value);
    return std::fabs(value - whole) < 1e-4 ? whole + 0.0 : value;
}

bool LengthDirX(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(SnapToWhole(std::cos(args[1].val * kDegreesToRadians) * args[0].val));
    return true;
}

bool LengthDirY(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(SnapToWhole(-std::sin(args[1].val * kDegreesToRadians) * args[0].val));
    return true;
}

} // namespace

void Library_RegisterNumberFunctions()
{
    Function_Implement("is_real", &IsReal);
    Function_Implement("is_string", &IsString);
    Function_Implement("random", &RandomReal);
    Function_Implement("random_range", &RandomRange);
    Function_Implement("irandom", &RandomInteger);
    Function_Implement("irandom_range", &RandomIntegerRange);
    Function_Implement("random_set_seed", &RandomSetSeed);
    Function_Implement("random_get_seed", &RandomGetSeed);
    Function_Implement("randomize", &Randomize);
    Function_Implement("abs", &Abs);
    Function_Implement("round", &Round);
    Function_Implement("floor", &Floor);
    Function_Implement("ceil", &Ceil);
    Function_Implement("sign", &Sign);
    Function_Implement("frac", &Frac);
    Function_Implement("sqrt", &Sqrt);
    Function_Implement("sqr", &Sqr);
    Function_Implement("exp", &Exp);
    Function_Implement("ln", &Ln);
    Function_Implement("log2", &Log2);
    Function_Implement("log10", &Log10);
    Function_Implement("power", &Power);
    Function_Implement("logn", &LogN);
    Function_Implement("sin", &Sin);
    Function_Implement("cos", &Cos);
    Function_Implement("tan", &Tan);
    Function_Implement("arcsin", &ArcSin);
    Function_Implement("arccos", &ArcCos);
    Function_Implement("arctan", &ArcTan);
    Function_Implement("arctan2", &ArcTan2);
    Function_Implement("degtorad", &DegToRad);
    Function_Implement("radtodeg", &RadToDeg);
    Function_Implement("dot_product", &DotProduct);
    Function_Implement("dot_product_3d", &DotProduct3d);
    Function_Implement("point_distance", &PointDistance);
    Function_Implement("point_distance_3d", &PointDistance3d);
    Function_Implement("point_direction", &PointDirection);
    Function_Implement("lengthdir_x", &LengthDirX);
    Function_Implement("lengthdir_y", &LengthDirY);
}

double Math_PointDirection(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (dx == 0)
        return dy > 0 ? 270 : dy < 0 ? 90 : 0;
    const double angle = std::atan2(dy, dx) * kRadiansToDegrees;
    return angle > 0 ? 360 - angle : -angle + 0.0;
}
