#include "model/PhaseDays.h"

#include "model/PhaseEvents.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <limits>

namespace selenara {
namespace {

using testing::FixedClock;
using testing::WinterNoon;

DayNumber D(int day, int month, int year) { return DateToDayNumber(day, month, year); }

TEST(PhaseDayTests, BothFullMoonsOfJanuary1999) {
    const FixedClock utc(WinterNoon(), testing::Utc);
    EXPECT_TRUE(IstVollmondTag(D(2, 1, 1999), utc));
    EXPECT_TRUE(IstVollmondTag(D(31, 1, 1999), utc));
    EXPECT_FALSE(IstVollmondTag(D(30, 1, 1999), utc));
    EXPECT_FALSE(IstVollmondTag(InvalidDay, utc));
    EXPECT_TRUE(IstNeumondTag(D(6, 1, 2000), utc));
    EXPECT_TRUE(IstErstesViertelTag(D(14, 1, 2000), utc));  // 13:34 UT
    EXPECT_TRUE(IstLetztesViertelTag(D(28, 1, 2000), utc));  // 07:57 UT
}

TEST(PhaseDayTests, JudgeByTheLocalDateAsTheGridDoes) {
    // Full moon 31 March 1999, 22:49 UT: 1 April in Berlin.
    const FixedClock berlin(WinterNoon(), testing::EuropeBerlin);
    EXPECT_FALSE(IstVollmondTag(D(31, 3, 1999), berlin));
    EXPECT_TRUE(IstVollmondTag(D(1, 4, 1999), berlin));
    // New moon 1 June 1992, 03:57 UT: 31 May in New York.
    const FixedClock newYork(WinterNoon(), testing::AmericaNewYork);
    EXPECT_TRUE(IstNeumondTag(D(31, 5, 1992), newYork));
    EXPECT_FALSE(IstNeumondTag(D(1, 6, 1992), newYork));
}

TEST(MondAlter, PictureNumbersOnAndAfterPhaseDays) {
    const FixedClock utc(WinterNoon(), testing::Utc);
    EXPECT_EQ(MondAlter(D(6, 1, 2000), utc), 1);   // new moon
    EXPECT_EQ(MondAlter(D(9, 1, 2000), utc), 4);   // three days later
    EXPECT_EQ(MondAlter(D(14, 1, 2000), utc), 8);  // first quarter
    EXPECT_EQ(MondAlter(D(21, 1, 2000), utc), 15); // full moon
    EXPECT_EQ(MondAlter(D(28, 1, 2000), utc), 22); // last quarter
    EXPECT_EQ(MondAlter(D(4, 2, 2000), utc), 28);  // seven days on, held at 28
    EXPECT_EQ(MondAlter(D(5, 2, 2000), utc), 1);   // new moon of 5 February
}

TEST(MondAlter, CountsUpFromEachPhaseDayOverAYear) {
    const FixedClock berlin(WinterNoon(), testing::EuropeBerlin);
    int previous = MondAlter(D(31, 12, 2006), berlin);
    for (DayNumber d = D(1, 1, 2007); d <= D(31, 12, 2007); ++d) {
        const int n = MondAlter(d, berlin);
        const bool phaseDay = IstNeumondTag(d, berlin) || IstErstesViertelTag(d, berlin) ||
                              IstVollmondTag(d, berlin) || IstLetztesViertelTag(d, berlin);
        if (phaseDay) {
            ASSERT_EQ((n - 1) % 7, 0) << d;
        } else {
            ASSERT_TRUE(n == previous + 1 || (n == previous && n % 7 == 0)) << d;
        }
        previous = n;
    }
}

TEST(MondAlter, TerminatesAtTheEndsOfTheRange) {
    const FixedClock utc(WinterNoon(), testing::Utc);
    // Full moon 31 December 1599, 14:39 UT: the first day of the range is a day after it.
    EXPECT_EQ(MondAlter(0, utc), 16);
    for (const DayNumber d : {0, 1, 2, 3, 5, 8, 13, LastDay - 1, LastDay, InvalidDay, -5, LastDay + 1}) {
        const int n = MondAlter(d, utc);
        EXPECT_GE(n, 1) << d;
        EXPECT_LE(n, 28) << d;
    }
}

// Found by fuzzing: first - 1 and last + 1 overflowed at the ends of int32.
TEST(LocalPhaseEvents, SpansToTheEndsOfInt32) {
    const FixedClock berlin(WinterNoon(), testing::EuropeBerlin);
    constexpr DayNumber lowest = std::numeric_limits<DayNumber>::min();
    constexpr DayNumber highest = std::numeric_limits<DayNumber>::max();
    EXPECT_TRUE(LocalPhaseEvents(PhaseSelector::FullMoon, lowest, lowest + 10, berlin).empty());
    EXPECT_TRUE(LocalPhaseEvents(PhaseSelector::FullMoon, highest - 10, highest, berlin).empty());
    // The full moon of 31 December 1599, 14:37 UT, is still found from the far end.
    const std::vector<PhaseEvent> before = LocalPhaseEvents(PhaseSelector::FullMoon, lowest, 0, berlin);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before.back().Local.Day, -1);
    EXPECT_EQ(SecondsSinceMidnight(before.back().Local.Second) / 60, 15 * 60 + 37);  // 15:37 CET
}

}  // namespace
}  // namespace selenara
