// The date_* built-ins. Parts given to them are rounded; "now" comes from
// the platform clock, so a fixed clock makes every one of them repeatable.
#include "library/DateTime.h"
#include "library/LibraryRoutines.h"
#include "platform/Clock.h"

#include <cmath>
#include <string>

namespace {

int64_t Whole(const RValue& argument)
{
    return Library_RoundCount(argument.val);
}

// Taking a date apart needs it inside years 1 to 9999.
bool DecodeArgument(const char* function, const RValue& argument, RDateParts& parts)
{
    if (Date_Decode(argument.val, parts))
        return true;
    Library_ReportError(
        (std::string("Error in function ") + function + "(): the date is outside years 1 to 9999.").c_str());
    return false;
}

RDateParts Now()
{
    RDateParts parts;
    Date_Decode(Date_FromLocalMicroseconds(Platform_LocalMicroseconds()), parts);
    return parts;
}

// ---- now ----

bool F_CurrentDateTime(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(Date_FromLocalMicroseconds(Platform_LocalMicroseconds()));
    return true;
}

bool F_CurrentDate(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(static_cast<double>(Now().day));
    return true;
}

bool F_CurrentTime(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(Now().millisecondOfDay / static_cast<double>(kMillisecondsPerDay));
    return true;
}

// ---- making and checking ----

int64_t MillisecondOfDay(int64_t hour, int64_t minute, int64_t second)
{
    return ((hour * 60 + minute) * 60 + second) * 1000;
}

bool F_CreateDateTime(CExecutionContext&, RValue& result, int, RValue* args)
{
    const int64_t y = Whole(args[0]), m = Whole(args[1]), d = Whole(args[2]);
    const int64_t h = Whole(args[3]), mi = Whole(args[4]), s = Whole(args[5]);
    if (Date_IsValidDate(y, m, d) && Date_IsValidTime(h, mi, s))
        result.SetReal(Date_Encode(Date_DayNumber(y, m, d), MillisecondOfDay(h, mi, s)));
    return true;
}

bool F_CreateDate(CExecutionContext&, RValue& result, int, RValue* args)
{
    const int64_t y = Whole(args[0]), m = Whole(args[1]), d = Whole(args[2]);
    if (Date_IsValidDate(y, m, d))
        result.SetReal(static_cast<double>(Date_DayNumber(y, m, d)));
    return true;
}

bool F_CreateTime(CExecutionContext&, RValue& result, int, RValue* args)
{
    const int64_t h = Whole(args[0]), mi = Whole(args[1]), s = Whole(args[2]);
    if (Date_IsValidTime(h, mi, s))
        result.SetReal(MillisecondOfDay(h, mi, s) / static_cast<double>(kMillisecondsPerDay));
    return true;
}

bool F_ValidDateTime(CExecutionContext&, RValue& result, int, RValue* args)
{
    const bool valid = Date_IsValidDate(Whole(args[0]), Whole(args[1]), Whole(args[2])) &&
                       Date_IsValidTime(Whole(args[3]), Whole(args[4]), Whole(args[5]));
    result.SetReal(valid ? 1 : 0);
    return true;
}

bool F_ValidDate(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(Date_IsValidDate(Whole(args[0]), Whole(args[1]), Whole(args[2])) ? 1 : 0);
    return true;
}

bool F_ValidTime(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(Date_IsValidTime(Whole(args[0]), Whole(args[1]), Whole(args[2])) ? 1 : 0);
    return true;
}

// ---- moving ----

void AddMonths(const char* function, RValue& result, RValue* args, int64_t monthsPerUnit)
{
    RDateParts parts;
    if (!DecodeArgument(function, args[0], parts))
        return;
    const int64_t count = Whole(args[1]);
    double moved = 0;
    if (count > 9999 * 12 || count < -9999 * 12 || !Date_AddMonths(parts, count * monthsPerUnit, moved)) {
        Library_ReportError(
            (std::string("Error in function ") + function + "(): the result is outside years 1 to 9999.").c_str());
        return;
    }
    result.SetReal(moved);
}

bool F_IncYear(CExecutionContext&, RValue& result, int, RValue* args)
{
    AddMonths("date_inc_year", result, args, 12);
    return true;
}

bool F_IncMonth(CExecutionContext&, RValue& result, int, RValue* args)
{
    AddMonths("date_inc_month", result, args, 1);
    return true;
}

// Days per unit for weeks and days; units per day for the rest (dividing
// keeps whole hours, minutes and seconds exact).
template <int DaysPerUnit, int UnitsPerDay>
bool F_IncBy(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double count = static_cast<double>(Whole(args[1]));
    result.SetReal(Date_FromLinear(Date_Linear(args[0].val) + count * DaysPerUnit / UnitsPerDay));
    return true;
}

// ---- fields ----

enum class EDateField {
    Year,
    Month,
    Week,
    Day,
    Hour,
    Minute,
    Second,
    Weekday,
    DayOfYear,
    HourOfYear,
    MinuteOfYear,
    SecondOfYear,
};

constexpr const char* kFieldFunctions[] = {
    "date_get_year",        "date_get_month",        "date_get_week",           "date_get_day",
    "date_get_hour",        "date_get_minute",       "date_get_second",         "date_get_weekday",
    "date_get_day_of_year", "date_get_hour_of_year", "date_get_minute_of_year", "date_get_second_of_year",
};

double FieldOf(const RDateParts& parts, EDateField field)
{
    const double hourOfYear = (Date_DayOfYear(parts) - 1) * 24.0 + parts.Hour();
    switch (field) {
    case EDateField::Year:
        return parts.year;
    case EDateField::Month:
        return parts.month;
    case EDateField::Week:
        return Date_IsoWeek(parts.day);
    case EDateField::Day:
        return parts.dayOfMonth;
    case EDateField::Hour:
        return parts.Hour();
    case EDateField::Minute:
        return parts.Minute();
    case EDateField::Second:
        return parts.Second();
    case EDateField::Weekday:
        return Date_Weekday(parts.day);
    case EDateField::DayOfYear:
        return Date_DayOfYear(parts);
    case EDateField::HourOfYear:
        return hourOfYear;
    case EDateField::MinuteOfYear:
        return hourOfYear * 60 + parts.Minute();
    case EDateField::SecondOfYear:
        return (hourOfYear * 60 + parts.Minute()) * 60 + parts.Second();
    }
    return 0;
}

template <EDateField Field>
bool F_Get(CExecutionContext&, RValue& result, int, RValue* args)
{
    RDateParts parts;
    if (DecodeArgument(kFieldFunctions[static_cast<int>(Field)], args[0], parts))
        result.SetReal(FieldOf(parts, Field));
    return true;
}

bool F_DateOf(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(std::trunc(args[0].val) + 0.0);
    return true;
}

// The time of day, also for dates before day 0, whose fraction counts forward too.
bool F_TimeOf(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(std::fabs(args[0].val - std::trunc(args[0].val)));
    return true;
}

bool F_DaysInMonth(CExecutionContext&, RValue& result, int, RValue* args)
{
    RDateParts parts;
    if (DecodeArgument("date_days_in_month", args[0], parts))
        result.SetReal(Date_DaysInMonth(parts.year, parts.month));
    return true;
}

bool F_DaysInYear(CExecutionContext&, RValue& result, int, RValue* args)
{
    RDateParts parts;
    if (DecodeArgument("date_days_in_year", args[0], parts))
        result.SetReal(Date_IsLeapYear(parts.year) ? 366 : 365);
    return true;
}

bool F_LeapYear(CExecutionContext&, RValue& result, int, RValue* args)
{
    RDateParts parts;
    if (DecodeArgument("date_leap_year", args[0], parts))
        result.SetReal(Date_IsLeapYear(parts.year) ? 1 : 0);
    return true;
}

bool F_IsToday(CExecutionContext&, RValue& result, int, RValue* args)
{
    RDateParts parts;
    if (DecodeArgument("date_is_today", args[0], parts))
        result.SetReal(parts.day == Now().day ? 1 : 0);
    return true;
}

// ---- spans and comparisons ----

// |a - b| in days times Scale / Divisor (365.25 is 1461 / 4, 30.4375 is 487 / 16).
template <int Scale, int Divisor>
bool F_Span(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double days = std::fabs(Date_Linear(args[0].val) - Date_Linear(args[1].val));
    result.SetReal(days * Scale / Divisor);
    return true;
}

int Order(double a, double b, double tolerance)
{
    if (std::fabs(a - b) < tolerance)
        return 0;
    return a < b ? -1 : 1;
}

constexpr double kOneMillisecond = 1.0 / kMillisecondsPerDay;

bool F_CompareDateTime(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(Order(Date_Linear(args[0].val), Date_Linear(args[1].val), kOneMillisecond));
    return true;
}

bool F_CompareDate(CExecutionContext&, RValue& result, int, RValue* args)
{
    result.SetReal(Order(std::floor(Date_Linear(args[0].val)), std::floor(Date_Linear(args[1].val)), 0.5));
    return true;
}

bool F_CompareTime(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double a = Date_Linear(args[0].val);
    const double b = Date_Linear(args[1].val);
    result.SetReal(Order(a - std::floor(a), b - std::floor(b), kOneMillisecond));
    return true;
}

// ---- text ----

template <std::string (*Text)(const RDateParts&)>
void TextOf(const char* function, RValue& result, RValue* args)
{
    RDateParts parts;
    result.SetString(RString(DecodeArgument(function, args[0], parts) ? Text(parts) : std::string()));
}

bool F_DateTimeString(CExecutionContext&, RValue& result, int, RValue* args)
{
    TextOf<&Date_DateTimeText>("date_datetime_string", result, args);
    return true;
}

bool F_DateString(CExecutionContext&, RValue& result, int, RValue* args)
{
    TextOf<&Date_DateText>("date_date_string", result, args);
    return true;
}

bool F_TimeString(CExecutionContext&, RValue& result, int, RValue* args)
{
    TextOf<&Date_TimeText>("date_time_string", result, args);
    return true;
}

} // namespace

void Library_ImplementDateFunctions()
{
    Function_Implement("date_current_datetime", &F_CurrentDateTime);
    Function_Implement("date_current_date", &F_CurrentDate);
    Function_Implement("date_current_time", &F_CurrentTime);

    Function_Implement("date_create_datetime", &F_CreateDateTime);
    Function_Implement("date_create_date", &F_CreateDate);
    Function_Implement("date_create_time", &F_CreateTime);
    Function_Implement("date_valid_datetime", &F_ValidDateTime);
    Function_Implement("date_valid_date", &F_ValidDate);
    Function_Implement("date_valid_time", &F_ValidTime);

    Function_Implement("date_inc_year", &F_IncYear);
    Function_Implement("date_inc_month", &F_IncMonth);
    Function_Implement("date_inc_week", &F_IncBy<7, 1>);
    Function_Implement("date_inc_day", &F_IncBy<1, 1>);
    Function_Implement("date_inc_hour", &F_IncBy<1, 24>);
    Function_Implement("date_inc_minute", &F_IncBy<1, 1440>);
    Function_Implement("date_inc_second", &F_IncBy<1, 86400>);

    Function_Implement("date_get_year", &F_Get<EDateField::Year>);
    Function_Implement("date_get_month", &F_Get<EDateField::Month>);
    Function_Implement("date_get_week", &F_Get<EDateField::Week>);
    Function_Implement("date_get_day", &F_Get<EDateField::Day>);
    Function_Implement("date_get_hour", &F_Get<EDateField::Hour>);
    Function_Implement("date_get_minute", &F_Get<EDateField::Minute>);
    Function_Implement("date_get_second", &F_Get<EDateField::Second>);
    Function_Implement("date_get_weekday", &F_Get<EDateField::Weekday>);
    Function_Implement("date_get_day_of_year", &F_Get<EDateField::DayOfYear>);
    Function_Implement("date_get_hour_of_year", &F_Get<EDateField::HourOfYear>);
    Function_Implement("date_get_minute_of_year", &F_Get<EDateField::MinuteOfYear>);
    Function_Implement("date_get_second_of_year", &F_Get<EDateField::SecondOfYear>);
    Function_Implement("date_date_of", &F_DateOf);
    Function_Implement("date_time_of", &F_TimeOf);

    Function_Implement("date_year_span", &F_Span<4, 1461>);
    Function_Implement("date_month_span", &F_Span<16, 487>);
    Function_Implement("date_week_span", &F_Span<1, 7>);
    Function_Implement("date_day_span", &F_Span<1, 1>);
    Function_Implement("date_hour_span", &F_Span<24, 1>);
    Function_Implement("date_minute_span", &F_Span<1440, 1>);
    Function_Implement("date_second_span", &F_Span<86400, 1>);
    Function_Implement("date_compare_datetime", &F_CompareDateTime);
    Function_Implement("date_compare_date", &F_CompareDate);
    Function_Implement("date_compare_time", &F_CompareTime);

    Function_Implement("date_datetime_string", &F_DateTimeString);
    Function_Implement("date_date_string", &F_DateString);
    Function_Implement("date_time_string", &F_TimeString);
    Function_Implement("date_days_in_month", &F_DaysInMonth);
    Function_Implement("date_days_in_year", &F_DaysInYear);
    Function_Implement("date_leap_year", &F_LeapYear);
    Function_Implement("date_is_today", &F_IsToday);
}
