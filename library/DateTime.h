// Calendar arithmetic on date-time reals: whole days since 30 December 1899
// (day 0) plus the fraction of the day, Gregorian calendar, years 1 to 9999.
// Before day 0 the whole part counts back while the fraction still counts
// forward from midnight: -1.25 is 29 December 1899 at 06:00.
#pragma once

#include <cstdint>
#include <string>

constexpr int64_t kMillisecondsPerDay = 86400000;
constexpr int64_t kFirstValidDay = -693593; // 1 January 1
constexpr int64_t kLastValidDay = 2958465;  // 31 December 9999
constexpr int64_t kUnixEpochDay = 25569;    // 1 January 1970

// A date-time taken apart, to the millisecond.
struct RDateParts {
    int64_t day = 0; // days since 30 December 1899
    int32_t year = 0;
    int32_t month = 0;
    int32_t dayOfMonth = 0;
    int32_t millisecondOfDay = 0;
    int32_t Hour() const { return millisecondOfDay / 3600000; }
    int32_t Minute() const { return millisecondOfDay / 60000 % 60; }
    int32_t Second() const { return millisecondOfDay / 1000 % 60; }
};

bool Date_IsLeapYear(int64_t year);
// 0 for a month outside 1 to 12.
int32_t Date_DaysInMonth(int64_t year, int64_t month);
bool Date_IsValidDate(int64_t year, int64_t month, int64_t day);
bool Date_IsValidTime(int64_t hour, int64_t minute, int64_t second);
// The day number of a valid date.
int64_t Date_DayNumber(int64_t year, int64_t month, int64_t day);

// The stored form and one straight time line (days plus fraction, also
// before day 0), on which spans, comparisons and additions are done.
double Date_Linear(double value);
double Date_FromLinear(double linear);
double Date_Encode(int64_t day, int64_t millisecondOfDay);
// Rounds to the millisecond; false for a value that is not finite or lies
// outside years 1 to 9999.
bool Date_Decode(double value, RDateParts& parts);

// 1 Sunday to 7 Saturday.
int32_t Date_Weekday(int64_t day);
// The week of the year by ISO 8601: weeks start on Monday, and week 1 holds
// the year's first Thursday (so early January may be week 52 or 53).
int32_t Date_IsoWeek(int64_t day);
int32_t Date_DayOfYear(const RDateParts& parts);
// The same moment months later (or earlier), the day clipped to the
// target month's length; false when it leaves years 1 to 9999.
bool Date_AddMonths(const RDateParts& parts, int64_t months, double& result);

// The date-time of a local wall-clock reading (microseconds since 1 January 1970 00:00).
double Date_FromLocalMicroseconds(int64_t microseconds);

// Fixed forms that do not depend on the locale: "2024-02-29", "07:05:09",
// and both joined by a space (the date alone at exactly midnight).
std::string Date_DateText(const RDateParts& parts);
std::string Date_TimeText(const RDateParts& parts);
std::string Date_DateTimeText(const RDateParts& parts);
