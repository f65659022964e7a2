#include "model/MoonDay.h"

#include "astro/RiseSet.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::FixedClock;
using testing::WinterNoon;

constexpr double Lon = 8.85, Lat = 47.83;
int Hms(int h, int m, int s) { return h * 3600 + m * 60 + s; }
DayTime At(int day, int month, int year, int h, int m, int s) {
    return {DateToDayNumber(day, month, year), Hms(h, m, s)};
}

TEST(Mondaufgang, SummerEventIsInSummerTimeWhateverTheSeasonOfNow) {
    const DayTime summerNoon = At(15, 7, 2026, 12, 0, 0);
    for (const DayTime now : {WinterNoon(), summerNoon}) {
        const FixedClock berlin(now, testing::EuropeBerlin);
        DayTime rise, set;
        ASSERT_TRUE(Mondaufgang(15, 6, 2007, Lon, Lat, berlin, rise));
        EXPECT_EQ(rise, At(15, 6, 2007, 4, 59, 35));
        ASSERT_TRUE(Monduntergang(15, 6, 2007, Lon, Lat, berlin, set));
        EXPECT_EQ(set, At(15, 6, 2007, 22, 29, 52));
    }
}

TEST(Mondaufgang, TheDayEachMonthWithoutAMoonriseHasNone) {
    const FixedClock berlin(WinterNoon(), testing::EuropeBerlin);
    DayTime t;
    EXPECT_FALSE(Mondaufgang(10, 1, 2007, Lon, Lat, berlin, t));
    ASSERT_TRUE(Mondaufgang(9, 1, 2007, Lon, Lat, berlin, t));
    EXPECT_NEAR(t.Second, Hms(23, 23, 0), 120);
    ASSERT_TRUE(Mondaufgang(11, 1, 2007, Lon, Lat, berlin, t));
    EXPECT_NEAR(t.Second, Hms(0, 29, 0), 120);
    EXPECT_TRUE(Monduntergang(10, 1, 2007, Lon, Lat, berlin, t));
    EXPECT_FALSE(Monduntergang(24, 1, 2007, Lon, Lat, berlin, t));
    EXPECT_FALSE(Mondaufgang(31, 2, 2007, Lon, Lat, berlin, t));
}

// Every moonrise of a year is found on exactly one local day: as many days
// with a rise as rises whose local date is in the year, about 12 without.
TEST(MondAufUntergang, EveryEventOnExactlyOneLocalDay) {
    const FixedClock newYork(WinterNoon(), testing::AmericaNewYork);
    constexpr double lon = -74.0, lat = 40.7;
    const DayNumber first = DateToDayNumber(1, 1, 2007), last = DateToDayNumber(31, 12, 2007);
    int daysWithRise = 0, daysWithSet = 0, rises = 0, sets = 0;
    DayNumber previousRiseDay = first - 1;
    for (DayNumber d = first; d <= last; ++d) {
        const LocalRiseSet r = MondAufUntergang(d, lon, lat, newYork);
        daysWithRise += r.HasRise;
        daysWithSet += r.HasSet;
        if (r.HasRise) {
            EXPECT_EQ(r.Rise.Day, d);
            EXPECT_LE(d - previousRiseDay, 2) << "two days running without a rise";
            previousRiseDay = d;
        }
    }
    for (DayNumber ut = first - 1; ut <= last + 1; ++ut) {
        const RiseSetEvents e = MoonRiseSetEvents(ut, lon, lat);
        const auto inYear = [&](std::int32_t s) {
            const DayNumber local = UtcToLocal({ut, s}, newYork).Day;
            return local >= first && local <= last;
        };
        rises += e.RiseDayShift == 0 && inYear(e.Times.Rise);
        sets += e.SetDayShift == 0 && inYear(e.Times.Set);
    }
    EXPECT_EQ(daysWithRise, rises);
    EXPECT_EQ(daysWithSet, sets);
    EXPECT_NEAR(365 - daysWithRise, 12, 1);
    EXPECT_NEAR(365 - daysWithSet, 12, 1);
}

TEST(MondAufUntergang, HighLatitudeDaysHaveNeitherEvent) {
    const FixedClock utc(WinterNoon(), testing::Utc);
    const LocalRiseSet up = MondAufUntergang(DateToDayNumber(2, 2, 2007), 0.0, 80.0, utc);
    EXPECT_FALSE(up.HasRise);
    EXPECT_FALSE(up.HasSet);
    EXPECT_EQ(up.AllDay, AboveHorizonAllDay);
    const LocalRiseSet down = MondAufUntergang(DateToDayNumber(12, 2, 2007), 0.0, 80.0, utc);
    EXPECT_EQ(down.AllDay, BelowHorizonAllDay);
    EXPECT_FALSE(down.HasRise || down.HasSet);
}

TEST(IstSommerzeit, SeasonBoundaries) {
    EXPECT_FALSE(IstSommerzeit(At(29, 3, 2009, 1, 59, 59)));
    EXPECT_TRUE(IstSommerzeit(At(29, 3, 2009, 2, 0, 0)));
    EXPECT_TRUE(IstSommerzeit(At(25, 10, 2009, 1, 59, 59)));
    EXPECT_FALSE(IstSommerzeit(At(25, 10, 2009, 2, 0, 0)));
    EXPECT_FALSE(IstSommerzeit({InvalidDay, 0}));
}

TEST(SommerzeitKorrektur, ShiftsBetweenTheSeasonOfTheInstantAndOfNow) {
    const FixedClock winter(WinterNoon(), testing::Utc);
    const FixedClock summer(At(15, 7, 2026, 12, 0, 0), testing::Utc);
    DayTime t = At(15, 6, 2007, 3, 59, 35);  // the June moonrise at winter standard time
    SommerzeitKorrektur(t, winter);
    EXPECT_EQ(t, At(15, 6, 2007, 4, 59, 35));
    t = At(15, 6, 2007, 4, 59, 35);
    SommerzeitKorrektur(t, summer);
    EXPECT_EQ(t, At(15, 6, 2007, 4, 59, 35));
    t = At(15, 6, 2007, 23, 30, 0);  // wraps, the day stays
    SommerzeitKorrektur(t, winter);
    EXPECT_EQ(t, At(15, 6, 2007, 0, 30, 0));
    t = At(15, 1, 2007, 0, 30, 0);
    SommerzeitKorrektur(t, summer);
    EXPECT_EQ(t, At(15, 1, 2007, 23, 30, 0));
}

}  // namespace
}  // namespace selenara
