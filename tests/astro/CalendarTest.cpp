#include "astro/TimeScales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace selenara {
namespace {

TEST(DayNumbers, DatesThatDoNotExistOrLieOutsideTheRange) {
    EXPECT_EQ(DateToDayNumber(31, 12, 1599), InvalidDay);
    EXPECT_EQ(DateToDayNumber(1, 1, 4000), InvalidDay);
    EXPECT_EQ(DateToDayNumber(29, 2, 1900), InvalidDay);
    EXPECT_EQ(DateToDayNumber(31, 4, 2001), InvalidDay);
    EXPECT_EQ(DateToDayNumber(0, 1, 2001), InvalidDay);
    EXPECT_EQ(DateToDayNumber(1, 13, 2001), InvalidDay);
    EXPECT_EQ(DateToDayNumber(1, 1, 99), InvalidDay);  // years are taken literally
    EXPECT_TRUE(IsValidDate(29, 2, 2000));
    EXPECT_EQ(DayNumberToDate(InvalidDay), (Date{0, 0, 0}));
    EXPECT_EQ(DayNumberToDate(876582), (Date{0, 0, 0}));
}

TEST(DayNumbers, ConversionsAreInversesOverTheWholeRange) {
    Date expected{1, 1, 1600};
    for (DayNumber n = FirstDay; n <= LastDay; ++n) {
        const Date d = DayNumberToDate(n);
        ASSERT_EQ(d, expected) << "day " << n;
        ASSERT_EQ(DateToDayNumber(d), n);
        // Step the expected date the plain way, day by day.
        if (++expected.Day > DaysInMonth(expected.Month, expected.Year)) {
            expected.Day = 1;
            if (++expected.Month > 12) {
                expected.Month = 1;
                ++expected.Year;
            }
        }
    }
    EXPECT_EQ(DayNumberToDate(59), (Date{29, 2, 1600}));
}

TEST(DayNumbers, Weekdays) {
    // 1 January 1600 and 2000, Saturdays, are checked where WeekdayOf is made.
    EXPECT_EQ(WeekdayOfDate(1, 2, 2000), 2);
    EXPECT_EQ(WeekdayOfDate(8, 12, 2026), 2);
    EXPECT_EQ(WeekdayOf(InvalidDay), NoWeekday);
}

TEST(DayNumbers, MonthLengths) {
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 2100), 28);
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(4, 2001), 30);
    EXPECT_EQ(DaysInMonth(13, 2000), 0);
    EXPECT_EQ(DaysInMonth(1, 1599), 0);
    EXPECT_EQ(DaysInMonth(1, 4000), 0);
}

TEST(ClockTimes, SplitJoinAddSubtract) {
    EXPECT_EQ(SplitSecondOfDay(SecondOfDay{86399}), (ClockTime{23, 59, 59}));
    EXPECT_EQ(SplitSecondOfDay(InvalidSecond), (ClockTime{0, 0, 0}));
    EXPECT_EQ(JoinSecondOfDay(25, 0, 0), SecondOfDay{3600});
    EXPECT_EQ(AddTime(SecondOfDay{86000}, 1, 0, 0), SecondOfDay{3200});
    EXPECT_EQ(AddTime(SecondOfDay{85000}, 1, 0, 0), SecondOfDay{2200});
    EXPECT_EQ(SubtractTime(SecondOfDay{1800}, 1, 0, 0), SecondOfDay{84600});
}

// Found by fuzzing: a time far outside the day overflowed the sum.
TEST(ClockTimes, ArithmeticOnATimeOutsideTheDayGivesTheSentinel) {
    constexpr SecondOfDay huge{std::numeric_limits<std::int32_t>::max()};
    constexpr SecondOfDay tiny{std::numeric_limits<std::int32_t>::min()};
    EXPECT_EQ(AddTime(huge, 23, 59, 59), InvalidSecond);
    EXPECT_EQ(SubtractTime(tiny, 23, 59, 59), InvalidSecond);
    EXPECT_EQ(AddTime(SecondOfDay{SecondsPerDay}, 0, 0, 1), InvalidSecond);
    EXPECT_EQ(SubtractTime(InvalidSecond, 0, 0, 0), InvalidSecond);
    EXPECT_EQ(AddTime(SecondOfDay{86399}, 0, 0, 1), SecondOfDay{0});  // the last valid second still wraps
}

// Found by fuzzing: the remainder was formed by a product that overflows.
TEST(FloorDivision, RemaindersAtTheEndsOfInt64) {
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(FloorMod(lowest, 3), 1);
    EXPECT_EQ(FloorMod(lowest, 1440), 352);
    EXPECT_EQ(FloorMod(highest, 86400), 55807);
    EXPECT_EQ(FloorMod(-1, 60), 59);
    EXPECT_EQ(FloorDiv(-1, 60), -1);
    EXPECT_EQ(FloorMod(-120, 60), 0);
}

TEST(JulianDates, DayNumberBridge) {
    EXPECT_DOUBLE_EQ(DayNumberToJulianDate(146102), 2451549.5);
    EXPECT_EQ(JulianDateToDayNumber(2451550.25, true), 146102);
    EXPECT_EQ(JulianDateToDayNumber(2451550.25, false), 146103);
    EXPECT_EQ(JulianDateToDayNumber(DayNumberToJulianDate(0), true), 0);
    EXPECT_EQ(JulianDateToDayNumber(DayNumberToJulianDate(0) - 0.01, true), InvalidDay);
    EXPECT_EQ(JulianDateToDayNumber(DayNumberToJulianDate(LastDay + 1), true), InvalidDay);
}

// The range is x = jd + 0.5 - 2305448 in 0..876581, checked before rounding.
TEST(JulianDates, TheRangeIsCheckedBeforeRounding) {
    const auto jd = [](double x) { return x - 0.5 + 2305448.0; };
    EXPECT_EQ(JulianDateToDayNumber(jd(876581.0), true), LastDay);
    EXPECT_EQ(JulianDateToDayNumber(jd(876581.0), false), LastDay);
    EXPECT_EQ(JulianDateToDayNumber(jd(876581.7), true), InvalidDay);
    EXPECT_EQ(JulianDateToDayNumber(jd(-0.3), false), InvalidDay);
    EXPECT_EQ(JulianDateToDayNumber(jd(0.0), false), 0);
    EXPECT_EQ(JulianDateToDayNumber(jd(0.6), false), 1);
}

TEST(JulianDates, NonFiniteValuesHaveNoDay) {
    EXPECT_EQ(JulianDateToDayNumber(std::numeric_limits<double>::quiet_NaN(), true), InvalidDay);
    EXPECT_EQ(JulianDateToDayNumber(std::numeric_limits<double>::infinity(), false), InvalidDay);
    EXPECT_EQ(JulianDateToDayNumber(-std::numeric_limits<double>::infinity(), true), InvalidDay);
}

TEST(DayTimes, Validity) {
    EXPECT_TRUE(IsValidDayTime(UtDayTime{0, SecondOfDay{0}}));
    EXPECT_TRUE(IsValidDayTime(UtDayTime{LastDay, SecondOfDay{86399}}));
    EXPECT_FALSE(IsValidDayTime(UtDayTime{0, SecondOfDay{86400}}));
    EXPECT_FALSE(IsValidDayTime(UtDayTime{876582, SecondOfDay{0}}));
    EXPECT_FALSE(IsValidDayTime(UtDayTime{5, InvalidSecond}));
}

}  // namespace
}  // namespace selenara
