// The date_* built-ins around month ends, leap years, week numbers and day
// 0, with "now" from a fixed clock; and the misc functions that face the
// platform (clipboard, title, window handle).
#include "library/MiscFunctions.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "tests/library/LibraryFixture.h"

#include <cmath>

namespace {

// 29 February 2024 13:30:00 on the local wall clock.
constexpr int64_t kLeapDayAfternoon = int64_t(1709213400) * 1000000;
constexpr double kLeapDay = 45351;

} // namespace

class Dates : public LibraryFixture {
protected:
    void SetUp() override
    {
        LibraryFixture::SetUp();
        Platform_SetClock(&s_clock);
    }
    void TearDown() override
    {
        Platform_SetClock(nullptr);
        LibraryFixture::TearDown();
    }
    static double DateTime(int y, int m, int d, int h = 0, int mi = 0, int s = 0)
    {
        return Call("date_create_datetime", {y, m, d, h, mi, s}).val;
    }
    // "YYYY-MM-DD HH:MM:SS" of a value, for readable expectations.
    static std::string Text(double value) { return Call("date_datetime_string", {value}).str.Text(); }

    CFixedClock s_clock{kLeapDayAfternoon};
};

TEST_F(Dates, DayNumbersCountFrom30December1899)
{
    const struct {
        int y, m, d;
        double day;
    } cases[] = {
        {1899, 12, 30, 0},  {1900, 1, 1, 2},        {1970, 1, 1, 25569},   {2000, 1, 1, 36526},
        {2024, 2, 29, kLeapDay}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {1800, 1, 1, -36522},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Call("date_create_date", {c.y, c.m, c.d}).val, c.day) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(Call("date_get_year", {c.day}).val, c.y);
        EXPECT_EQ(Call("date_get_month", {c.day}).val, c.m);
        EXPECT_EQ(Call("date_get_day", {c.day}).val, c.d);
    }
    EXPECT_EQ(Call("date_create_time", {18, 0, 0}).val, 0.75);
    EXPECT_EQ(DateTime(2024, 2, 29, 12, 0, 0), kLeapDay + 0.5);
}

TEST_F(Dates, InvalidPartsGiveZero)
{
    const RCallCase cases[] = {
        {"date_create_date", {2023, 2, 29}, 0},        {"date_create_date", {2024, 13, 1}, 0},
        {"date_create_date", {0, 1, 1}, 0},            {"date_create_date", {10000, 1, 1}, 0},
        {"date_create_date", {2024, 4, 31}, 0},        {"date_create_date", {2024, 2, 29.5}, 0}, // 29.5 rounds to 30
        {"date_create_date", {2024, 2.4, 28.5}, kLeapDay - 1},
        {"date_create_time", {24, 0, 0}, 0},           {"date_create_time", {23, 59, 60}, 0},
        {"date_create_time", {12, -1, 0}, 0},          {"date_create_datetime", {2023, 2, 29, 1, 0, 0}, 0},
        {"date_create_datetime", {2024, 2, 29, 1, 60, 0}, 0},
        {"date_valid_date", {1900, 2, 29}, 0},         {"date_valid_date", {2000, 2, 29}, 1},
        {"date_valid_date", {9999, 12, 31}, 1},        {"date_valid_time", {23, 59, 59}, 1},
        {"date_valid_time", {-0.4, 0, 0}, 1},          {"date_valid_time", {1e300, 0, 0}, 0},
        {"date_valid_datetime", {2024, 2, 29, 24, 0, 0}, 0},
        {"date_valid_datetime", {2024, 2, 29, 23, 0, 0}, 1},
    };
    for (const RCallCase& c : cases)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), Describe(c.expected)) << CaseName(c);
    EXPECT_EQ(Reported(), "");
}

TEST_F(Dates, LeapYearsAndMonthLengths)
{
    const struct {
        int year;
        double leap, daysInYear, daysInFebruary;
    } cases[] = {{1900, 0, 365, 28}, {2000, 1, 366, 29}, {2023, 0, 365, 28}, {2024, 1, 366, 29}, {2100, 0, 365, 28}};
    for (const auto& c : cases) {
        const double february = Call("date_create_date", {c.year, 2, 10}).val;
        EXPECT_EQ(Call("date_leap_year", {february}).val, c.leap) << c.year;
        EXPECT_EQ(Call("date_days_in_year", {february}).val, c.daysInYear) << c.year;
        EXPECT_EQ(Call("date_days_in_month", {february}).val, c.daysInFebruary) << c.year;
    }
    EXPECT_EQ(Call("date_days_in_month", {Call("date_create_date", {2024, 4, 30}).val}).val, 30);
    EXPECT_EQ(Call("date_days_in_month", {Call("date_create_date", {2024, 12, 31}).val + 0.99}).val, 31);
}

TEST_F(Dates, WeeksFollowIso8601AndWeekdaysStartOnSunday)
{
    const struct {
        int y, m, d;
        double week, weekday;
    } cases[] = {
        {2021, 1, 1, 53, 6},   // a Friday: still the last week of 2020
        {2021, 1, 4, 1, 2},    // the first Monday
        {2020, 12, 31, 53, 5},
        {2024, 12, 30, 1, 2},  // a Monday in week 1 of the next year
        {2026, 1, 1, 1, 5},    // a Thursday opens week 1
        {2010, 1, 3, 53, 1},   // a Sunday ends the previous year's week 53
        {2024, 2, 29, 9, 5},
        {1899, 12, 30, 52, 7}, // day 0 was a Saturday
    };
    for (const auto& c : cases) {
        const double day = Call("date_create_date", {c.y, c.m, c.d}).val + 0.9;
        EXPECT_EQ(Call("date_get_week", {day}).val, c.week) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(Call("date_get_weekday", {day}).val, c.weekday) << c.y << "-" << c.m << "-" << c.d;
    }
}

TEST_F(Dates, PartsOfTheDayAndOfTheYear)
{
    const double moment = DateTime(2024, 3, 5, 14, 7, 9);
    const RCallCase cases[] = {
        {"date_get_hour", {moment}, 14},
        {"date_get_minute", {moment}, 7},
        {"date_get_second", {moment}, 9},
        {"date_get_day_of_year", {moment}, 31 + 29 + 5},
        {"date_get_hour_of_year", {moment}, 64 * 24 + 14},
        {"date_get_minute_of_year", {moment}, (64 * 24 + 14) * 60 + 7},
        {"date_get_second_of_year", {moment}, ((64 * 24 + 14) * 60 + 7) * 60 + 9},
        {"date_date_of", {moment}, Call("date_create_date", {2024, 3, 5}).val},
        // Taking apart rounds to the millisecond: a hair before midnight is the next day.
        {"date_get_day", {kLeapDay + 1 - 1e-11}, 1},
        {"date_get_hour", {kLeapDay + 1 - 1e-11}, 0},
        {"date_get_second", {kLeapDay + 59.9996 / 86400}, 0}, // 00:01:00.000 after rounding
        {"date_get_minute", {kLeapDay + 59.9996 / 86400}, 1},
    };
    for (const RCallCase& c : cases)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), Describe(c.expected)) << CaseName(c);
    // A fraction taken from a value near 45000 is good to about 1e-11: far below a millisecond.
    EXPECT_NEAR(Call("date_time_of", {moment}).val, (14 * 3600 + 7 * 60 + 9) / 86400.0, 1e-10);
}

TEST_F(Dates, MonthsAndYearsClipTheDay)
{
    const struct {
        const char* function;
        double from;
        double count;
        const char* expected;
    } cases[] = {
        {"date_inc_month", DateTime(2024, 1, 31, 10, 30), 1, "2024-02-29 10:30:00"},
        {"date_inc_month", DateTime(2023, 1, 31), 1, "2023-02-28"},
        {"date_inc_month", DateTime(2024, 3, 31), -1, "2024-02-29"},
        {"date_inc_month", DateTime(2024, 11, 30), 3, "2025-02-28"},
        {"date_inc_month", DateTime(2024, 1, 15), -13, "2022-12-15"},
        {"date_inc_month", DateTime(2024, 1, 15), 0.5, "2024-01-15"}, // the count rounds to 0
        {"date_inc_year", DateTime(2024, 2, 29), 1, "2025-02-28"},
        {"date_inc_year", DateTime(2024, 2, 29), 4, "2028-02-29"},
        {"date_inc_year", DateTime(2024, 2, 29, 23, 59, 59), -2024 + 1, "0001-02-28 23:59:59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(Call(c.function, {c.from, c.count}).val), c.expected) << c.function << " " << Text(c.from);

    EXPECT_EQ(Describe(Call("date_inc_month", {DateTime(9999, 12, 1), 1})), "0");
    EXPECT_EQ(Reported(), "Error in function date_inc_month(): the result is outside years 1 to 9999.");
    Error_Reset();
    EXPECT_EQ(Describe(Call("date_inc_year", {DateTime(2000, 1, 1), 1e15})), "0");
    EXPECT_EQ(Reported(), "Error in function date_inc_year(): the result is outside years 1 to 9999.");
}

TEST_F(Dates, DaysHoursAndSecondsCarryAcrossMonthAndYearEnds)
{
    const struct {
        const char* function;
        double from;
        double count;
        const char* expected;
    } cases[] = {
        {"date_inc_day", DateTime(2024, 2, 28, 8), 1, "2024-02-29 08:00:00"},
        {"date_inc_day", DateTime(2024, 2, 28, 8), 2, "2024-03-01 08:00:00"},
        {"date_inc_week", DateTime(2024, 12, 30), 1, "2025-01-06"},
        {"date_inc_hour", DateTime(2023, 12, 31, 23), 1, "2024-01-01"},
        {"date_inc_minute", DateTime(2024, 2, 29, 23, 59), 1.4, "2024-03-01"},
        {"date_inc_second", DateTime(2024, 1, 1), -1, "2023-12-31 23:59:59"},
        {"date_inc_hour", DateTime(2024, 1, 1), 24 * 366, "2025-01-01"},
        // Before day 0 the fraction counts forward from midnight; moving
        // across day 0 must not run time backwards.
        {"date_inc_hour", DateTime(1899, 12, 29, 18), 12, "1899-12-30 06:00:00"},
        {"date_inc_day", DateTime(1899, 12, 29, 6), 2, "1899-12-31 06:00:00"},
        {"date_inc_day", DateTime(1800, 1, 1, 6), 1, "1800-01-02 06:00:00"},
        {"date_inc_hour", DateTime(1899, 12, 30, 3), -6, "1899-12-29 21:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(Call(c.function, {c.from, c.count}).val), c.expected) << c.function << " " << Text(c.from);
    EXPECT_EQ(DateTime(1800, 1, 1, 6), -36522.25);
    EXPECT_EQ(Call("date_time_of", {-36522.25}).val, 0.25);
    EXPECT_EQ(Call("date_date_of", {-36522.25}).val, -36522);
}

TEST_F(Dates, SpansAreNeverNegative)
{
    const double a = DateTime(2024, 1, 1);
    const double b = DateTime(2024, 1, 2, 12);
    const RCallCase cases[] = {
        {"date_day_span", {a, b}, 1.5},
        {"date_day_span", {b, a}, 1.5},
        {"date_hour_span", {b, a}, 36},
        {"date_minute_span", {a, b}, 2160},
        {"date_second_span", {a, b}, 129600},
        {"date_week_span", {a, a + 3.5}, 0.5},
        {"date_month_span", {a, a + 30.4375}, 1},
        {"date_year_span", {a + 365.25 * 2, a}, 2},
        // Across day 0: 29 December 1899 18:00 to 30 December 06:00.
        {"date_day_span", {DateTime(1899, 12, 29, 18), DateTime(1899, 12, 30, 6)}, 0.5},
    };
    for (const RCallCase& c : cases)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), Describe(c.expected)) << CaseName(c);
}

TEST_F(Dates, ComparisonsTolerateLessThanAMillisecond)
{
    const double moment = DateTime(2024, 2, 29, 12);
    const double ms = 1 / 86400000.0;
    const RCallCase cases[] = {
        {"date_compare_datetime", {moment, moment + 0.9 * ms}, 0},
        {"date_compare_datetime", {moment, moment + 2 * ms}, -1},
        {"date_compare_datetime", {moment + 2 * ms, moment}, 1},
        {"date_compare_date", {moment, kLeapDay + 0.99}, 0},
        {"date_compare_date", {moment, kLeapDay + 1}, -1},
        {"date_compare_date", {moment, kLeapDay - 0.01}, 1},
        {"date_compare_time", {moment, kLeapDay - 100 + 0.5}, 0},
        {"date_compare_time", {moment, kLeapDay + 0.25}, 1},
        {"date_compare_time", {DateTime(1899, 12, 29, 6), 0.25}, 0}, // times of day also before day 0
    };
    for (const RCallCase& c : cases)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), Describe(c.expected)) << CaseName(c);
}

TEST_F(Dates, TextsAreTheSameInEveryLocale)
{
    const RCallCase cases[] = {
        {"date_datetime_string", {DateTime(2024, 2, 29, 7, 5, 9)}, "2024-02-29 07:05:09"},
        {"date_datetime_string", {DateTime(2024, 2, 29)}, "2024-02-29"}, // midnight: the date alone
        {"date_date_string", {DateTime(2024, 2, 29, 7, 5, 9)}, "2024-02-29"},
        {"date_time_string", {DateTime(2024, 2, 29, 7, 5, 9)}, "07:05:09"},
        {"date_time_string", {DateTime(2024, 2, 29)}, "00:00:00"},
        {"date_date_string", {-693593}, "0001-01-01"},
        {"date_datetime_string", {DateTime(9999, 12, 31, 23, 59, 59)}, "9999-12-31 23:59:59"},
    };
    for (const RCallCase& c : cases)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), Describe(c.expected)) << CaseName(c);
}

// Taking apart a value outside years 1 to 9999 is reported, never guessed.
TEST_F(Dates, ValuesOutsideTheCalendarAreReported)
{
    const struct {
        const char* function;
        double value;
        RValue result;
    } cases[] = {
        {"date_get_year", 1e7, 0},           {"date_get_week", -693594, 0},
        {"date_get_hour", NAN, 0},           {"date_days_in_month", INFINITY, 0},
        {"date_is_today", 1e300, 0},         {"date_date_string", 3e6, ""},
        {"date_datetime_string", -1e9, ""},  {"date_inc_month", NAN, 0},
    };
    for (const auto& c : cases) {
        Error_Reset();
        EXPECT_EQ(Describe(Call(c.function, {c.value, 1})), Describe(c.result)) << c.function;
        EXPECT_EQ(Reported(),
                  std::string("Error in function ") + c.function + "(): the date is outside years 1 to 9999.")
            << c.function;
    }
}

TEST_F(Dates, NowComesFromTheInstalledClock)
{
    EXPECT_EQ(Call("date_current_datetime", {}).val, kLeapDay + 13.5 / 24);
    EXPECT_EQ(Call("date_current_date", {}).val, kLeapDay);
    EXPECT_EQ(Call("date_current_time", {}).val, 13.5 / 24);
    EXPECT_EQ(Call("date_is_today", {kLeapDay + 0.99}).val, 1);
    EXPECT_EQ(Call("date_is_today", {kLeapDay - 0.01}).val, 0);

    s_clock.Advance(int64_t(11) * 3600 * 1000000 + 1500); // past midnight, and 1.5 ms
    EXPECT_EQ(Call("date_current_date", {}).val, kLeapDay + 1);
    EXPECT_EQ(Text(Call("date_current_datetime", {}).val), "2024-03-01 00:30:00");
    EXPECT_EQ(Call("date_current_time", {}).val, (1800000 + 1) / 86400000.0); // whole milliseconds
    EXPECT_EQ(Call("date_is_today", {kLeapDay}).val, 0);
    EXPECT_EQ(Platform_MonotonicMicroseconds(), int64_t(11) * 3600 * 1000000 + 1500);
}

TEST_F(LibraryFixture, PlatformFacingMiscFunctions)
{
    Call("clipboard_set_text", {""});
    EXPECT_EQ(Call("clipboard_has_text", {}).val, 0);
    EXPECT_EQ(Describe(Call("clipboard_get_text", {})), "''");
    Call("clipboard_set_text", {"copied \xE9"});
    EXPECT_EQ(Call("clipboard_has_text", {}).val, 1);
    EXPECT_EQ(Describe(Call("clipboard_get_text", {})), "'copied \xE9'");

    // A display's clipboard takes over once installed.
    struct CRecordingClipboard : CClipboard {
        std::string text = "from the display";
        bool HasText() override { return true; }
        std::string GetText() override { return text; }
        void SetText(const std::string& t) override { text = "set " + t; }
    } display;
    Platform_SetClipboard(&display);
    Call("clipboard_set_text", {"x"});
    EXPECT_EQ(display.text, "set x");
    Platform_SetClipboard(nullptr);
    EXPECT_EQ(Describe(Call("clipboard_get_text", {})), "'copied \xE9'");

    const std::string title = Platform_ApplicationTitle();
    Call("set_application_title", {"My Game"});
    EXPECT_EQ(Platform_ApplicationTitle(), "My Game");
    Call("set_application_title", {12}); // a real is ignored
    EXPECT_EQ(Platform_ApplicationTitle(), "My Game");
    Platform_SetApplicationTitle(title);

    EXPECT_EQ(Describe(Call("window_handle", {})), "0");
    Misc_SetWindowHandle(0x3a00007);
    EXPECT_EQ(Call("window_handle", {}).val, 0x3a00007);
    Misc_SetWindowHandle(0);

    for (const double priority : {-3.0, 0.0, 3.0, 1e300})
        EXPECT_EQ(Describe(Call("set_program_priority", {priority})), "0");
    EXPECT_EQ(Describe(Call("BrindleCo_GetPlatform", {})), "0");
    EXPECT_EQ(Describe(Call("BrindleCo_GetDevice", {})), "0");
    EXPECT_EQ(Reported(), "");
}
