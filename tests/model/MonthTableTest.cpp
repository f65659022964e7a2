#include "model/MonthTable.h"

#include "astro/LunarPhases.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace selenara {
namespace {

using testing::FixedClock;
using testing::WinterNoon;

struct Entry {
    int day, kind, h, m, s;
};

// The phase days of a table as (day, kind, time) rows, in day order.
std::vector<Entry> PhaseDays(const TMonat& t) {
    std::vector<Entry> rows;
    for (int d = 1; d <= t.AnzahlTage; ++d)
        if (t.Tage[d].Phase != PhaseKind::None)
            rows.push_back({d, static_cast<int>(t.Tage[d].Phase), t.Tage[d].Stunde, t.Tage[d].Minute, t.Tage[d].Sekunde});
    return rows;
}
std::vector<std::pair<int, int>> Kinds(const TMonat& t) {
    std::vector<std::pair<int, int>> rows;
    for (const Entry& e : PhaseDays(t)) rows.emplace_back(e.day, e.kind);
    return rows;
}

TEST(MonatAufbauen, LengthsAndWeekdays) {
    const FixedClock clock(WinterNoon(), testing::Utc);
    const TMonat feb2000 = MonatAufbauen(2, 2000, TodayDayNumber(clock), clock);
    EXPECT_EQ(feb2000.AnzahlTage, 29);
    EXPECT_EQ(feb2000.Tage[1].Wochentag, 2);   // Tuesday
    EXPECT_EQ(feb2000.Tage[29].Wochentag, 2);
    EXPECT_EQ(MonatAufbauen(2, 2100, TodayDayNumber(clock), clock).AnzahlTage, 28);
    const TMonat outside = MonatAufbauen(1, 1599, TodayDayNumber(clock), clock);
    EXPECT_EQ(outside.AnzahlTage, 0);
    EXPECT_EQ(outside.Monat, 1);
    EXPECT_EQ(outside.Jahr, 1599);
}

TEST(MonatAufbauen, TodayIsMarkedOnlyInItsOwnMonth) {
    const FixedClock clock(testing::Local(DateToDayNumber(8, 12, 2026), 1), testing::EuropeBerlin);
    const TMonat december = MonatAufbauen(12, 2026, TodayDayNumber(clock), clock);
    int marked = 0;
    for (int d = 1; d <= december.AnzahlTage; ++d) marked += december.Tage[d].Heute;
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(december.Tage[8].Heute, 1);
    const TMonat lastYear = MonatAufbauen(12, 2025, TodayDayNumber(clock), clock);
    for (int d = 1; d <= lastYear.AnzahlTage; ++d) EXPECT_EQ(lastYear.Tage[d].Heute, 0);
}

TEST(MonatAufbauen, January1999InUtHasAFullAndABlueMoon) {
    const FixedClock clock(WinterNoon(), testing::Utc);
    const TMonat t = MonatAufbauen(1, 1999, TodayDayNumber(clock), clock);
    EXPECT_EQ(t.Tage[2].Phase, PhaseKind::FullMoon);
    EXPECT_EQ((std::tuple{t.Tage[2].Stunde, t.Tage[2].Minute, t.Tage[2].Sekunde}), (std::tuple{2, 49, 36}));
    EXPECT_EQ(t.Tage[31].Phase, PhaseKind::BlueMoon);
    EXPECT_EQ((std::tuple{t.Tage[31].Stunde, t.Tage[31].Minute, t.Tage[31].Sekunde}), (std::tuple{16, 6, 36}));
    const TMonat feb = MonatAufbauen(2, 1999, TodayDayNumber(clock), clock);
    for (int d = 1; d <= feb.AnzahlTage; ++d) EXPECT_NE(feb.Tage[d].Phase, PhaseKind::FullMoon);
}

TEST(MonatAufbauen, TwoNewMoonsInOneMonthAreBothNewMoons) {
    const FixedClock clock(WinterNoon(), testing::Utc);
    const TMonat t = MonatAufbauen(8, 2008, TodayDayNumber(clock), clock);  // new moons 1 and 30 August 2008
    EXPECT_EQ(t.Tage[1].Phase, PhaseKind::NewMoon);
    EXPECT_EQ(t.Tage[30].Phase, PhaseKind::NewMoon);
}

TEST(MonatAufbauen, APhaseKeepsTheSummerHourWhenViewedInWinter) {
    // Full moon 30 June 2007, 13:48:39 UT (the almanac's 13:49), the second
    // of the month; "now" is in December.
    const FixedClock clock(WinterNoon(), testing::EuropeBerlin);
    const TTagInfo day = MonatAufbauen(6, 2007, TodayDayNumber(clock), clock).Tage[30];
    EXPECT_EQ(day.Phase, PhaseKind::BlueMoon);
    EXPECT_EQ(day.Stunde, 15);
    EXPECT_EQ(day.Minute, 48);
}

TEST(MonatAufbauen, EventsAreFiledByLocalDateAcrossMonthEnds) {
    const FixedClock berlin(WinterNoon(), testing::EuropeBerlin);
    // Full moon 31 March 1999, 22:48:58 UT (the almanac's 22:49), is 1 April 00:48 CEST.
    const std::vector<std::pair<int, int>> march = Kinds(MonatAufbauen(3, 1999, TodayDayNumber(berlin), berlin));
    EXPECT_NE(std::find(march.begin(), march.end(), std::pair{2, static_cast<int>(PhaseKind::FullMoon)}), march.end());
    for (const auto& [day, kind] : march) EXPECT_NE(kind, static_cast<int>(PhaseKind::BlueMoon)) << day;
    EXPECT_NE(MonatAufbauen(3, 1999, TodayDayNumber(berlin), berlin).Tage[31].Phase, PhaseKind::FullMoon);
    const TMonat april = MonatAufbauen(4, 1999, TodayDayNumber(berlin), berlin);
    EXPECT_EQ(april.Tage[1].Phase, PhaseKind::FullMoon);
    EXPECT_EQ(april.Tage[1].Stunde, 0);
    EXPECT_EQ(april.Tage[1].Minute, 48);
    EXPECT_EQ(april.Tage[30].Phase, PhaseKind::BlueMoon);

    // New moon 1 June 1992, 03:57 UT, is 31 May 23:57 EDT.
    const FixedClock newYork(WinterNoon(), testing::AmericaNewYork);
    const TMonat may = MonatAufbauen(5, 1992, TodayDayNumber(newYork), newYork);
    EXPECT_EQ(may.Tage[31].Phase, PhaseKind::NewMoon);
    EXPECT_EQ(may.Tage[31].Stunde, 23);
    EXPECT_EQ(MonatAufbauen(6, 1992, TodayDayNumber(newYork), newYork).Tage[1].Phase, PhaseKind::None);
}

// In UT the local date is the UT date: the table must then be exactly what
// the year-table month search gives, slot by slot.
TEST(MonatAufbauen, InUtMatchesTheMonthSearchExactly) {
    const FixedClock clock(testing::Local(DateToDayNumber(1, 1, 1980), 0), testing::Utc);  // today outside the months
    for (int year = 1990; year <= 2030; ++year) {
        for (int month = 1; month <= 12; ++month) {
            TMonat expected;
            expected.AnzahlTage = static_cast<std::uint8_t>(DaysInMonth(month, year));
            for (int d = 1; d <= expected.AnzahlTage; ++d)
                expected.Tage[d].Wochentag = static_cast<std::uint8_t>(WeekdayOfDate(d, month, year));
            for (const PhaseSelector selector : PhaseSelectors) {
                const PhaseSlots slots = PhaseInstants(DateToDayNumber(1, month, year), selector);
                for (int slot = 0; slot < 2; ++slot) {
                    const DayTime t = slots.Slot[slot];
                    if (t.Day == InvalidDay) continue;
                    TTagInfo& info = expected.Tage[DayNumberToDate(t.Day).Day];
                    info.Phase = selector == PhaseSelector::FullMoon && slot == 1
                                     ? PhaseKind::BlueMoon
                                     : static_cast<PhaseKind>(static_cast<int>(selector) + 1);
                    const ClockTime c = SplitSecondOfDay(t.Second);
                    info.Stunde = c.Hours;
                    info.Minute = c.Minutes;
                    info.Sekunde = c.Seconds;
                }
            }
            ASSERT_EQ(MonatAufbauen(month, year, TodayDayNumber(clock), clock).Tage, expected.Tage) << year << "-" << month;
        }
    }
}

TEST(MonatAufbauen, TheEndsOfTheRangeBuildWithoutTrouble) {
    const FixedClock sydney(WinterNoon(), [](UtDayTime) { return 10 * 3600; });
    const FixedClock hawaii(WinterNoon(), [](UtDayTime) { return -10 * 3600; });
    // Full moon 31 December 1599, 14:39 UT: 1 January 1600 in Sydney.
    EXPECT_EQ(MonatAufbauen(1, 1600, TodayDayNumber(sydney), sydney).Tage[1].Phase, PhaseKind::FullMoon);
    EXPECT_NE(MonatAufbauen(1, 1600, TodayDayNumber(hawaii), hawaii).Tage[1].Phase, PhaseKind::FullMoon);
    EXPECT_EQ(MonatAufbauen(12, 3999, TodayDayNumber(hawaii), hawaii).AnzahlTage, 31);
    EXPECT_FALSE(PhaseDays(MonatAufbauen(12, 3999, TodayDayNumber(sydney), sydney)).empty());
}

}  // namespace
}  // namespace selenara
