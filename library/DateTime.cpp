// Gregorian day numbers both ways (by whole 400-year cycles, so every year
// from 1 to 9999 is exact), week numbers, and the stored form's sign rule.
#include "library/DateTime.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

int64_t FloorDivide(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days since 1 January 1970 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = FloorDivide(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1; // from 1 March
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int32_t& year, int32_t& month, int32_t& day)
{
    days += 719468;
    const int64_t era = FloorDivide(days, 146097);
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = static_cast<int32_t>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month = static_cast<int32_t>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year = static_cast<int32_t>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

} // namespace

bool Date_IsLeapYear(int64_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int32_t Date_DaysInMonth(int64_t year, int64_t month)
{
    static const int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + (month == 2 && Date_IsLeapYear(year) ? 1 : 0);
}

bool Date_IsValidDate(int64_t year, int64_t month, int64_t day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= Date_DaysInMonth(year, month);
}

bool Date_IsValidTime(int64_t hour, int64_t minute, int64_t second)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

int64_t Date_DayNumber(int64_t year, int64_t month, int64_t day)
{
    return DaysFromCivil(year, month, day) + kUnixEpochDay;
}

double Date_Linear(double value)
{
    if (value >= 0)
        return value;
    const double whole = std::trunc(value);
    return whole + (whole - value);
}

double Date_FromLinear(double linear)
{
    const double day = std::floor(linear);
    if (!(day < 0))
        return linear;
    return day - (linear - day);
}

double Date_Encode(int64_t day, int64_t millisecondOfDay)
{
    return Date_FromLinear(static_cast<double>(day) +
                           static_cast<double>(millisecondOfDay) / static_cast<double>(kMillisecondsPerDay));
}

bool Date_Decode(double value, RDateParts& parts)
{
    const double linear = Date_Linear(value);
    // Checked before rounding, so no out-of-range real is turned into an integer.
    if (!(linear >= kFirstValidDay - 1 && linear <= kLastValidDay + 2))
        return false;
    const int64_t milliseconds = static_cast<int64_t>(std::nearbyint(linear * kMillisecondsPerDay));
    const int64_t day = FloorDivide(milliseconds, kMillisecondsPerDay);
    if (day < kFirstValidDay || day > kLastValidDay)
        return false;
    parts.day = day;
    parts.millisecondOfDay = static_cast<int32_t>(milliseconds - day * kMillisecondsPerDay);
    CivilFromDays(day - kUnixEpochDay, parts.year, parts.month, parts.dayOfMonth);
    return true;
}

int32_t Date_Weekday(int64_t day)
{
    // Day 0, 30 December 1899, was a Saturday.
    int64_t fromSunday = (day + 6) % 7;
    if (fromSunday < 0)
        fromSunday += 7;
    return static_cast<int32_t>(fromSunday) + 1;
}

int32_t Date_IsoWeek(int64_t day)
{
    const int32_t weekday = Date_Weekday(day);
    const int64_t thursday = day - (weekday == 1 ? 7 : weekday - 1) + 4;
    int32_t year, month, dayOfMonth;
    CivilFromDays(thursday - kUnixEpochDay, year, month, dayOfMonth);
    return static_cast<int32_t>((thursday - Date_DayNumber(year, 1, 1)) / 7 + 1);
}

int32_t Date_DayOfYear(const RDateParts& parts)
{
    return static_cast<int32_t>(parts.day - Date_DayNumber(parts.year, 1, 1) + 1);
}

bool Date_AddMonths(const RDateParts& parts, int64_t months, double& result)
{
    constexpr int64_t kMonthsInRange = 12 * 9999;
    if (months < -kMonthsInRange || months > kMonthsInRange)
        return false;
    const int64_t index = int64_t(parts.year) * 12 + (parts.month - 1) + months;
    const int64_t year = FloorDivide(index, 12);
    const int64_t month = index - year * 12 + 1;
    if (year < 1 || year > 9999)
        return false;
    const int64_t day = std::min<int64_t>(parts.dayOfMonth, Date_DaysInMonth(year, month));
    result = Date_Encode(Date_DayNumber(year, month, day), parts.millisecondOfDay);
    return true;
}

double Date_FromLocalMicroseconds(int64_t microseconds)
{
    const int64_t milliseconds = FloorDivide(microseconds, 1000);
    const int64_t days = FloorDivide(milliseconds, kMillisecondsPerDay);
    return Date_Encode(days + kUnixEpochDay, milliseconds - days * kMillisecondsPerDay);
}

std::string Date_DateText(const RDateParts& parts)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02d", parts.year, parts.month, parts.dayOfMonth);
    return text;
}

std::string Date_TimeText(const RDateParts& parts)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%02d:%02d:%02d", parts.Hour(), parts.Minute(), parts.Second());
    return text;
}

std::string Date_DateTimeText(const RDateParts& parts)
{
    if (parts.millisecondOfDay == 0)
        return Date_DateText(parts);
    return Date_DateText(parts) + " " + Date_TimeText(parts);
}
