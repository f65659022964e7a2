#include "model/MoonNow.h"

#include "support/FixedClock.h"

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::EuropeBerlin;
using testing::FixedClock;
using testing::Utc;

LocalDayTime At(int day, int month, int year, int hours, int minutes, int seconds = 0) {
    return testing::Local(DateToDayNumber(day, month, year), hours, minutes, seconds);
}

UtDayTime UtAt(int day, int month, int year, int hours, int minutes, int seconds) {
    return testing::Ut(DateToDayNumber(day, month, year), hours, minutes, seconds);
}

MoonNow Moon(LocalDayTime local, testing::ZoneRule zone) {
    const FixedClock clock(local, std::move(zone));
    return MoonAt(clock.UtNow(), clock);
}

// December 2026 in Berlin (the month sheet's list): last quarter 1st 7:08,
// new moon 9th 1:51, first quarter 17th 6:42, full moon 24th 2:28, last
// quarter 30th 19:59. A phase's whole local day bears its name, as in the tray.
TEST(MoonNow, ThePhaseOfTheCycleGoesByLocalDates) {
    using enum CyclePhase;
    const struct {
        LocalDayTime Local;
        CyclePhase Phase;
    } cases[] = {
        {At(8, 12, 2026, 23, 59), WaningCrescent},
        {At(9, 12, 2026, 0, 30), NewMoon},  // before the instant, on its day
        {At(10, 12, 2026, 0, 0), WaxingCrescent},
        {At(17, 12, 2026, 23, 0), FirstQuarter},
        {At(20, 12, 2026, 12, 0), WaxingGibbous},
        {At(24, 12, 2026, 0, 0), FullMoon},
        {At(27, 12, 2026, 12, 0), WaningGibbous},
        {At(30, 12, 2026, 20, 0), LastQuarter},
        {At(31, 12, 2026, 0, 0), WaningCrescent},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Moon(c.Local, EuropeBerlin).Phase, c.Phase) << ::testing::PrintToString(c.Local);
}

// The new moon of 17 January 1999, 15:46:11 UT, as `phases` lists it: the age
// starts again at that second, and the next phase moves on to the first
// quarter of 24 January, 19:15:12.
TEST(MoonNow, AgeAndNextPhaseTurnOverAtThePhaseInstant) {
    const MoonNow before = Moon(At(17, 1, 1999, 15, 46, 10), Utc);
    EXPECT_GT(before.AgeDays, 29.0);
    EXPECT_EQ(before.Next.Kind, PhaseKind::NewMoon);
    EXPECT_EQ(before.Next.Ut, UtAt(17, 1, 1999, 15, 46, 11));

    const MoonNow at = Moon(At(17, 1, 1999, 15, 46, 11), Utc);
    EXPECT_EQ(at.AgeDays, 0.0);
    EXPECT_EQ(at.Next.Kind, PhaseKind::FirstQuarter);
    EXPECT_EQ(at.Next.Ut, UtAt(24, 1, 1999, 19, 15, 12));
    EXPECT_NEAR(Moon(At(18, 1, 1999, 15, 46, 11), Utc).AgeDays, 1.0, 1e-9);
}

TEST(MoonNow, TheNextFullMoonIsBlueWhenItIsTheMonthsSecondAndLiesInTheNextMonth) {
    // 31 January 1999, 16:06:36 UT: January's second full moon.
    const MoonNow blue = Moon(At(25, 1, 1999, 12, 0), Utc);
    EXPECT_EQ(blue.Next.Kind, PhaseKind::BlueMoon);
    EXPECT_EQ(blue.Next.Ut, UtAt(31, 1, 1999, 16, 6, 36));
    // From 30 December 2026 (Berlin), after the last quarter, the next phase
    // is January's new moon.
    const MoonNow turn = Moon(At(30, 12, 2026, 21, 0), EuropeBerlin);
    EXPECT_EQ(turn.Next.Kind, PhaseKind::NewMoon);
    EXPECT_EQ(DayNumberToDate(turn.Next.Local.Day).Year, 2027);
}

TEST(MoonNow, AtTheEndsOfTheCalendar) {
    const MoonNow last = Moon(At(31, 12, 3999, 23, 59), Utc);
    EXPECT_EQ(last.Next.Kind, PhaseKind::None);
    EXPECT_GE(last.Illuminated, 0.0);
    EXPECT_LE(last.Illuminated, 1.0);
    // The new moon before 1 January 1600 lies in December 1599, still found.
    const MoonNow first = Moon(At(1, 1, 1600, 0, 0), Utc);
    EXPECT_GT(first.AgeDays, 0.0);
    EXPECT_LT(first.AgeDays, 29.6);
    EXPECT_NE(first.Next.Kind, PhaseKind::None);
}

}  // namespace
}  // namespace selenara
