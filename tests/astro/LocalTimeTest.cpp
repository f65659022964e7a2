#include "astro/LocalTime.h"

#include "support/FixedClock.h"

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::FixedClock;
using testing::Local;
using testing::Ut;

TEST(UtcToLocal, AnOffsetEastCarriesLateEveningIntoTheNextDay) {
    const FixedClock clock(testing::WinterNoon(), [](UtDayTime) { return 3600; });
    const DayNumber d = DateToDayNumber(31, 12, 2006);
    EXPECT_EQ(UtcToLocal(Ut(d, 23, 30, 15), clock), Local(d + 1, 0, 30, 15));
}

TEST(UtcToLocal, AnOffsetWestCarriesEarlyMorningIntoThePreviousDay) {
    const FixedClock clock(testing::WinterNoon(), testing::AmericaNewYork);
    const DayNumber d = DateToDayNumber(1, 6, 1992);
    EXPECT_EQ(UtcToLocal(Ut(d, 3, 57, 9), clock), Local(d - 1, 23, 57, 9));
}

TEST(UtcToLocal, UsesTheOffsetInForceAtTheInstantNotNow) {
    // "Now" is in December, the instant in summer time.
    const FixedClock clock(testing::WinterNoon(), testing::EuropeBerlin);
    const DayNumber june = DateToDayNumber(30, 6, 2007);
    EXPECT_EQ(UtcToLocal(Ut(june, 13, 49), clock), Local(june, 15, 49));
    const DayNumber january = DateToDayNumber(15, 1, 2007);
    EXPECT_EQ(UtcToLocal(Ut(january, 13), clock), Local(january, 14));
}

TEST(UtcToLocal, SecondsSurviveAndTheOffsetIsRecoverable) {
    const FixedClock clock(testing::WinterNoon(), [](UtDayTime) { return -330 * 60; });
    const UtDayTime ut = Ut(DateToDayNumber(1, 1, 1600), 0, 0, 59);
    const LocalDayTime local = UtcToLocal(ut, clock);
    EXPECT_EQ(local, Local(-1, 18, 30, 59));
    EXPECT_EQ(OffsetSecondsBetween(ut, local), -330 * 60);
}

// Berlin in 2026: summer time from 29 March 01:00 UT to 25 October 01:00 UT.
TEST(LocalToUtc, TakesTheFirstReadingOfARepeatedHourAndTheJumpOverASkippedOne) {
    const FixedClock clock(testing::WinterNoon(), testing::EuropeBerlin);
    const auto day = [](int d, int month) { return DateToDayNumber(d, month, 2026); };
    const struct {
        LocalDayTime Local;
        UtDayTime Ut;
    } cases[] = {
        {Local(day(8, 12), 12), Ut(day(8, 12), 11)},
        {Local(day(30, 6), 0, 49, 20), Ut(day(29, 6), 22, 49, 20)},  // into the day before
        {Local(day(29, 3), 2, 30), Ut(day(29, 3), 1)},                // skipped: the clock jumps to 3:00
        {Local(day(25, 10), 2, 30), Ut(day(25, 10), 0, 30)},          // repeated: summer time's 2:30
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LocalToUtc(c.Local, clock), c.Ut) << ::testing::PrintToString(c.Local);
    }
}

TEST(Today, ComesFromTheClock) {
    const FixedClock clock(Local(DateToDayNumber(8, 12, 2026), 12, 34, 56), testing::Utc);
    EXPECT_EQ(TodayDayNumber(clock), DateToDayNumber(8, 12, 2026));
    EXPECT_EQ(NowSecondOfDay(clock), SecondOfDay{45296});
}

}  // namespace
}  // namespace selenara
