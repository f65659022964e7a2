#include "astro/LunarPhases.h"

#include "astro/DeltaT.h"
#include "support/Instants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace selenara {
namespace {

// The same date and clock time in either scale, for comparing the series'
// TT with the UT the calendar shows.
template <TimeScale Scale = TimeScale::Universal>
DayTime<Scale> At(int day, int month, int year, int h, int m, int s) {
    return {DateToDayNumber(day, month, year), testing::Hms(h, m, s)};
}
constexpr UtDayTime Empty;

// The printed instants of the series are Julian Ephemeris Days (TT).
TEST(PhaseInstants, January2000) {
    const DayNumber jan1 = DateToDayNumber(1, 1, 2000);
    const LunationTableT table = LunationTable(jan1);
    EXPECT_DOUBLE_EQ(table[0].NewMoon.Days, LunationPhasesOf(0).NewMoon.Days);  // k0 = 0 in 2000
    EXPECT_EQ(DayTimeOf(table[0].NewMoon), At<TimeScale::Terrestrial>(6, 1, 2000, 18, 14, 38));
    EXPECT_EQ(DayTimeOf(table[0].FullMoon), At<TimeScale::Terrestrial>(21, 1, 2000, 4, 41, 19));
    // What the calendar shows is UT: ΔT, 63.8 s, earlier.
    EXPECT_EQ(NewMoons(jan1).Slot[0], At(6, 1, 2000, 18, 13, 34));
    EXPECT_EQ(FullMoons(jan1).Slot[0], At(21, 1, 2000, 4, 40, 15));
    EXPECT_EQ(FullMoons(jan1).Slot[1], Empty);  // one event leaves slot 1 empty
}

TEST(PhaseInstants, TheTableOf1999StartsAtLunationMinus13) {
    EXPECT_DOUBLE_EQ(LunationTable(DateToDayNumber(1, 7, 1999))[0].NewMoon.Days,
                     LunationPhasesOf(-13).NewMoon.Days);
}

TEST(PhaseInstants, TwoFullMoonsInJanuaryAndMarch1999NoneInFebruary) {
    EXPECT_EQ(DayTimeOf(LunationPhasesOf(-13).FullMoon), At<TimeScale::Terrestrial>(2, 1, 1999, 2, 50, 40));
    EXPECT_EQ(DayTimeOf(LunationPhasesOf(-12).FullMoon), At<TimeScale::Terrestrial>(31, 1, 1999, 16, 7, 40));
    const PhaseSlots jan = FullMoons(DateToDayNumber(1, 1, 1999));
    EXPECT_EQ(jan.Slot[0], At(2, 1, 1999, 2, 49, 36));  // ΔT 63.5 s
    EXPECT_EQ(jan.Slot[1], At(31, 1, 1999, 16, 6, 36));
    const PhaseSlots feb = FullMoons(DateToDayNumber(14, 2, 1999));  // any day of the month
    EXPECT_EQ(feb.Slot[0], Empty);
    EXPECT_EQ(feb.Slot[1], Empty);
    const PhaseSlots mar = FullMoons(DateToDayNumber(1, 3, 1999));
    EXPECT_EQ(DayNumberToDate(mar.Slot[0].Day), (Date{2, 3, 1999}));
    EXPECT_EQ(DayNumberToDate(mar.Slot[1].Day), (Date{31, 3, 1999}));
}

// Where ΔT is hours, the UT instant lies hours before the series' JDE.
TEST(PhaseInstants, TheShiftIsDeltaTInEveryCentury) {
    for (const double k : {-4800.0, -1200.0, 0.0, 1200.0, 24000.0}) {
        const JulianEphemerisDate jde = PhaseInstantOf(k, PhaseSelector::FullMoon);
        const double shift = static_cast<double>(SecondCount(DayTimeOf(jde)) - SecondCount(PhaseDayTime(jde)));
        EXPECT_NEAR(shift, DeltaT(DecimalYearOf(jde.Days)), 1.0) << k;
    }
}

TEST(PhaseInstants, InvalidDayGivesEmptySlots) {
    for (const UtDayTime& slot : NewMoons(InvalidDay).Slot) EXPECT_EQ(slot, Empty);
    EXPECT_DOUBLE_EQ(LunationTable(InvalidDay)[5].FullMoon.Days, 0.0);
}

// Published instants (Meeus, worked examples 49.a and 49.b, in dynamical
// time; the calendar's series drops terms below 0.00005 days, a few seconds).
TEST(PhaseInstants, PublishedWorkedExamples) {
    const JulianEphemerisDate newMoon1977 = PhaseInstantOf(-283, PhaseSelector::NewMoon);
    EXPECT_NEAR(newMoon1977.Days, 2443192.65118, 10.0 / 86400);  // 1977 Feb 18, 3:37:42 TD
    const JulianEphemerisDate lastQuarter2044 = PhaseInstantOf(544, PhaseSelector::LastQuarter);
    EXPECT_NEAR(lastQuarter2044.Days, 2467636.49186, 10.0 / 86400);  // 2044 Jan 21, 23:48:17 TD
}

// Almanac times in UT (US Naval Observatory), rounded to the minute; the
// series leaves out terms of a few seconds.
TEST(PhaseInstants, AlmanacFullMoonsOf2018) {
    const auto near = [](UtDayTime got, UtDayTime want) {
        return std::abs(SecondCount(got) - SecondCount(want)) <= 60;
    };
    const PhaseSlots jan = FullMoons(DateToDayNumber(1, 1, 2018));
    EXPECT_TRUE(near(jan.Slot[0], At(2, 1, 2018, 2, 24, 0)));
    EXPECT_TRUE(near(jan.Slot[1], At(31, 1, 2018, 13, 27, 0)));
    const PhaseSlots mar = FullMoons(DateToDayNumber(1, 3, 2018));
    EXPECT_TRUE(near(mar.Slot[0], At(2, 3, 2018, 0, 51, 0)));
    EXPECT_TRUE(near(mar.Slot[1], At(31, 3, 2018, 12, 37, 0)));
}

// Found by fuzzing: NaN and huge instants were converted to int unchecked.
TEST(PhaseInstants, AnInstantWithoutADayNumberGivesTheEmptySlot) {
    for (const double jde : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e308, -1e308, 2305448.0 + 3e9})
        EXPECT_EQ(PhaseDayTime(JulianEphemerisDate{jde}), Empty) << jde;
    EXPECT_EQ(DayTimeOf(JulianDateUt{2305447.5 - 1e9}).Day, -1000000000);  // far, but still a day number
}

TEST(PhaseInstants, SecondsAreTruncatedSoTheLastSecondStaysOnItsDay) {
    const JulianDateUt lastSecond = StartOfDay<TimeScale::Universal>(146102) + 86399.9 / 86400;
    EXPECT_EQ(DayTimeOf(lastSecond), At(6, 1, 2000, 23, 59, 59));
}

// The direct search computes only the lunations near the span; it must find
// exactly the events of the year-table search, month by month.
TEST(PhaseEventsBetween, AgreesWithTheMonthSearch) {
    for (int year = 1600; year <= 3999; year += (year >= 1980 && year < 2040) ? 1 : 37) {
        for (int month = 1; month <= 12; ++month) {
            const DayNumber first = DateToDayNumber(1, month, year);
            const DayNumber last = first + DaysInMonth(month, year) - 1;
            for (const PhaseSelector selector : PhaseSelectors) {
                const PhaseSlots slots = PhaseInstants(first, selector);
                const std::vector<UtDayTime> events = PhaseEventsBetween(selector, first, last);
                ASSERT_LE(events.size(), 2u);
                for (std::size_t i = 0; i < 2; ++i)
                    ASSERT_EQ(slots.Slot[i], i < events.size() ? events[i] : Empty)
                        << year << "-" << month << " selector " << static_cast<int>(selector) << " slot " << i;
            }
        }
    }
}

TEST(PhaseEventsBetween, ReachesJustBeyondTheRange) {
    // The full moon of 31 December 1599 lies before day 0 but is found.
    const std::vector<UtDayTime> events = PhaseEventsBetween(PhaseSelector::FullMoon, -5, 0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Day, -1);
}

// Found by fuzzing: the widest span walked 145 million lunations, and
// to + 1 overflowed.
TEST(PhaseEventsBetween, TheWidestSpanStopsAtTheSearchMargin) {
    constexpr DayNumber lowest = std::numeric_limits<DayNumber>::min();
    constexpr DayNumber highest = std::numeric_limits<DayNumber>::max();
    const std::vector<UtDayTime> all = PhaseEventsBetween(PhaseSelector::NewMoon, lowest, highest);
    EXPECT_EQ(all, PhaseEventsBetween(PhaseSelector::NewMoon, -PhaseSearchMargin, LastDay + PhaseSearchMargin));
    ASSERT_FALSE(all.empty());
    // One lunation's events on either side of the margin edges, none beyond.
    EXPECT_GE(all.front().Day, -PhaseSearchMargin);
    EXPECT_LT(all.front().Day, -PhaseSearchMargin + 30);
    EXPECT_LE(all.back().Day, LastDay + PhaseSearchMargin);
    EXPECT_GT(all.back().Day, LastDay + PhaseSearchMargin - 30);
    EXPECT_TRUE(PhaseEventsBetween(PhaseSelector::FullMoon, highest - 100, highest).empty());
    EXPECT_TRUE(PhaseEventsBetween(PhaseSelector::FullMoon, lowest, lowest + 100).empty());
}

}  // namespace
}  // namespace selenara
