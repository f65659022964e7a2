#include "astro/LocalTime.h"

#include "support/FixedClock.h"

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::FixedClock;

TEST(UtcToLocal, AnOffsetEastCarriesLateEveningIntoTheNextDay) {
    const FixedClock clock(testing::WinterNoon(), [](DayTime) { return 3600; });
    const DayNumber d = DateToDayNumber(31, 12, 2006);
    EXPECT_EQ(UtcToLocal({d, 23 * 3600 + 30 * 60 + 15}, clock), (DayTime{d + 1, 30 * 60 + 15}));
}

TEST(UtcToLocal, AnOffsetWestCarriesEarlyMorningIntoThePreviousDay) {
    const FixedClock clock(testing::WinterNoon(), testing::AmericaNewYork);
    const DayNumber d = DateToDayNumber(1, 6, 1992);
    EXPECT_EQ(UtcToLocal({d, 3 * 3600 + 57 * 60 + 9}, clock), (DayTime{d - 1, 23 * 3600 + 57 * 60 + 9}));
}

TEST(UtcToLocal, UsesTheOffsetInForceAtTheInstantNotNow) {
    // "Now" is in December, the instant in summer time.
    const FixedClock clock(testing::WinterNoon(), testing::EuropeBerlin);
    const DayNumber june = DateToDayNumber(30, 6, 2007);
    EXPECT_EQ(UtcToLocal({june, 13 * 3600 + 49 * 60}, clock).Second, 15 * 3600 + 49 * 60);
    const DayNumber january = DateToDayNumber(15, 1, 2007);
    EXPECT_EQ(UtcToLocal({january, 13 * 3600}, clock).Second, 14 * 3600);
}

TEST(UtcToLocal, SecondsSurviveAndTheOffsetIsRecoverable) {
    const FixedClock clock(testing::WinterNoon(), [](DayTime) { return -330 * 60; });
    const DayTime ut{DateToDayNumber(1, 1, 1600), 59};
    const DayTime local = UtcToLocal(ut, clock);
    EXPECT_EQ(local, (DayTime{-1, 86400 - 330 * 60 + 59}));
    EXPECT_EQ(OffsetSecondsBetween(ut, local), -330 * 60);
}

// Berlin in 2026: summer time from 29 March 01:00 UT to 25 October 01:00 UT.
TEST(LocalToUtc, TakesTheFirstReadingOfARepeatedHourAndTheJumpOverASkippedOne) {
    const FixedClock clock(testing::WinterNoon(), testing::EuropeBerlin);
    const auto at = [](int day, int month, int hours, int minutes, int seconds) {
        return DayTime{DateToDayNumber(day, month, 2026), hours * 3600 + minutes * 60 + seconds};
    };
    const struct {
        DayTime Local, Ut;
    } cases[] = {
        {at(8, 12, 12, 0, 0), at(8, 12, 11, 0, 0)},
        {at(30, 6, 0, 49, 20), at(29, 6, 22, 49, 20)},  // into the day before
        {at(29, 3, 2, 30, 0), at(29, 3, 1, 0, 0)},      // skipped: the clock jumps to 3:00
        {at(25, 10, 2, 30, 0), at(25, 10, 0, 30, 0)},   // repeated: summer time's 2:30
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LocalToUtc(c.Local, clock), c.Ut) << c.Local.Day << ' ' << c.Local.Second;
    }
}

TEST(Today, ComesFromTheClock) {
    const FixedClock clock({DateToDayNumber(8, 12, 2026), 45296}, testing::Utc);
    EXPECT_EQ(TodayDayNumber(clock), DateToDayNumber(8, 12, 2026));
    EXPECT_EQ(NowSecondOfDay(clock), 45296);
}

}  // namespace
}  // namespace selenara
