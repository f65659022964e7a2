// Day numbers and calendar arithmetic.
//
// Every date is a DayNumber, a count of days since 1 January 1600 of the
// proleptic Gregorian calendar (day 0, a Saturday), valid 0..876581
// (31 December 3999). Every clock time is a SecondOfDay, 0..86399: a type
// of its own, so that a second given where a day is taken (or the reverse)
// does not compile. Instants are in astro/TimeScales.h.
// Nothing here throws: invalid input gives the sentinels below.
#pragma once

#include <cstdint>

namespace selenara {

using DayNumber = std::int32_t;
enum class SecondOfDay : std::int32_t {};

inline constexpr DayNumber InvalidDay = -1;
inline constexpr SecondOfDay InvalidSecond{-1};
inline constexpr DayNumber FirstDay = 0;        // 1 January 1600
inline constexpr DayNumber LastDay = 876581;    // 31 December 3999
inline constexpr int FirstYear = 1600;
inline constexpr int LastYear = 3999;
inline constexpr int SecondsPerDay = 86400;
inline constexpr int NoWeekday = 7;             // weekday of InvalidDay

struct Date {
    int Day = 0;    // 1..31, 0 for no date
    int Month = 0;  // 1..12, 0 for no date
    int Year = 0;   // four digits, 0 for no date
    friend constexpr bool operator==(Date, Date) = default;
};

struct ClockTime {
    std::uint8_t Hours = 0;
    std::uint8_t Minutes = 0;
    std::uint8_t Seconds = 0;
    friend constexpr bool operator==(ClockTime, ClockTime) = default;
};

constexpr bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// 28..31; 0 for a year outside 1600..3999 or a month outside 1..12.
constexpr int DaysInMonth(int month, int year) {
    if (year < FirstYear || year > LastYear || month < 1 || month > 12) return 0;
    constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : lengths[month - 1];
}

constexpr bool IsValidDate(int day, int month, int year) {
    return day >= 1 && day <= DaysInMonth(month, year);
}

// The day number of a Gregorian date, or InvalidDay when the date does not
// exist or lies outside 1600..3999. Years are taken literally (99 is 99 AD).
constexpr DayNumber DateToDayNumber(int day, int month, int year) {
    if (!IsValidDate(day, month, year)) return InvalidDay;
    // January and February 1600 lie before the first March-based year.
    if (year == FirstYear && month == 1) return day - 1;
    if (year == FirstYear && month == 2) return day + 30;
    const int m = month >= 3 ? month - 3 : month + 9;
    const int y = (month >= 3 ? year : year - 1) - FirstYear;
    return (y / 100) * 146097 / 4 + (y % 100) * 1461 / 4 + (153 * m + 2) / 5 + day + 59;
}

constexpr DayNumber DateToDayNumber(Date date) {
    return DateToDayNumber(date.Day, date.Month, date.Year);
}

constexpr bool IsValidDay(DayNumber n) { return n >= FirstDay && n <= LastDay; }

// The proleptic Gregorian date of any day number, also outside 0..876581:
// the UT date of an instant near the range's ends can lie a day beyond it
// (local midnight of 1 January 1600 in Sydney is 31 December 1599, 14:00
// UT). By the days-to-civil algorithm of H. Hinnant, "chrono-Compatible
// Low-Level Date Algorithms" (2013), counted from 1 March of year 0.
constexpr Date ProlepticDate(DayNumber n) {
    // Day 0, 1 January 1600, is day 584328 after 1 March of year 0.
    const std::int64_t z = std::int64_t{n} + 584328;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;                                   // 0..146096
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // 0..399
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);            // 0..365
    const std::int64_t mp = (5 * doy + 2) / 153;                                 // 0 = March
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {day, month, static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0))};
}

// The date of a day number; 0/0/0 for a day outside 0..876581.
constexpr Date DayNumberToDate(DayNumber n) { return IsValidDay(n) ? ProlepticDate(n) : Date{}; }

static_assert(ProlepticDate(-1) == Date{31, 12, 1599});
static_assert(ProlepticDate(59) == Date{29, 2, 1600});
static_assert(ProlepticDate(LastDay + 1) == Date{1, 1, 4000});

// 0 = Sunday .. 6 = Saturday; NoWeekday for a day outside the range.
constexpr int WeekdayOf(DayNumber n) { return IsValidDay(n) ? (n + 6) % 7 : NoWeekday; }

constexpr int WeekdayOfDate(int day, int month, int year) {
    return WeekdayOf(DateToDayNumber(day, month, year));
}

// The count of seconds since midnight that a second of the day stands for.
constexpr std::int32_t SecondsSinceMidnight(SecondOfDay s) { return static_cast<std::int32_t>(s); }

constexpr bool IsValidSecond(SecondOfDay s) {
    return SecondsSinceMidnight(s) >= 0 && SecondsSinceMidnight(s) < SecondsPerDay;
}

// Hours, minutes and seconds of a second of the day; 0:00:00 for one outside 0..86399.
constexpr ClockTime SplitSecondOfDay(SecondOfDay second) {
    if (!IsValidSecond(second)) return {};
    const std::int32_t s = SecondsSinceMidnight(second);
    return {static_cast<std::uint8_t>(s / 3600), static_cast<std::uint8_t>(s / 60 % 60),
            static_cast<std::uint8_t>(s % 60)};
}

// ((hours mod 24) * 3600 + minutes * 60 + seconds) mod 86400.
constexpr SecondOfDay JoinSecondOfDay(std::uint8_t hours, std::uint8_t minutes,
                                      std::uint8_t seconds) {
    return SecondOfDay{((hours % 24) * 3600 + minutes * 60 + seconds) % SecondsPerDay};
}

// Clock-time arithmetic: wraps around midnight, never changes a day.
// InvalidSecond for a time t outside 0..86399.
constexpr SecondOfDay AddTime(SecondOfDay t, std::uint8_t hours, std::uint8_t minutes,
                              std::uint8_t seconds) {
    if (!IsValidSecond(t)) return InvalidSecond;
    const std::int32_t sum =
        SecondsSinceMidnight(t) + SecondsSinceMidnight(JoinSecondOfDay(hours, minutes, seconds));
    return SecondOfDay{sum % SecondsPerDay};
}

constexpr SecondOfDay SubtractTime(SecondOfDay t, std::uint8_t hours, std::uint8_t minutes,
                                   std::uint8_t seconds) {
    if (!IsValidSecond(t)) return InvalidSecond;
    const std::int32_t r =
        SecondsSinceMidnight(t) - SecondsSinceMidnight(JoinSecondOfDay(hours % 24, minutes, seconds));
    return SecondOfDay{r < 0 ? r + SecondsPerDay : r};
}

// The Julian Day Number of day 0, 1 January 1600: its noon is Julian Date
// 2305448.0, its midnight 2305447.5.
inline constexpr double JulianDayOfDayZero = 2305448.0;

// Julian Date of 0h at the start of day n (no range check: the astronomy
// also needs the days just outside the calendar range).
constexpr double DayNumberToJulianDate(DayNumber n) { return n + JulianDayOfDayZero - 0.5; }

// With x = jd + 0.5 - 2305448 (days since day 0 began): the integer part of
// x (truncate) or of x + 0.5 (!truncate); InvalidDay when x < 0 or
// x > 876581, or the Julian Date is not finite.
DayNumber JulianDateToDayNumber(double jd, bool truncate);

// Floor division and remainder for the day/second splits of negative counts.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
// The remainder is formed from a % b, not a - FloorDiv(a, b) * b, whose
// product overflows for a near the ends of int64.
constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    const std::int64_t r = a % b;
    return r != 0 && ((r < 0) != (b < 0)) ? r + b : r;
}

}  // namespace selenara
