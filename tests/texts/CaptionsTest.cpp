#include "texts/Captions.h"

#include "support/FixedClock.h"

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::FixedClock;
using testing::Hms;

TEST(MonatJahrText, CaptionsOfAMonthPage) {
    EXPECT_EQ(MonatJahrText(1, 2007, German), "Januar 2007");
    EXPECT_EQ(MonatJahrText(2, 2007, English), "February 2007");
    EXPECT_EQ(MonatJahrText(13, 2007, English), "");
    EXPECT_EQ(MonatJahrText(0, 2007, German), "");
    EXPECT_EQ(MonatsName(3, German), "März");
    EXPECT_EQ(MonatsName(12, English), "December");
    EXPECT_EQ(MonatsName(13, German), "");
}

TEST(ZeitText, TwentyFourAndTwelveHourStyles) {
    const struct {
        SecondOfDay second;
        const char *h24, *h12;
    } rows[] = {
        {Hms(0), " 0:00", "12:00 AM"},          {Hms(12), "12:00", "12:00 PM"},
        {Hms(23, 59, 59), "23:59", "11:59 PM"}, {Hms(7, 5, 59), " 7:05", "7:05 AM"},
        {Hms(6, 5), " 6:05", "6:05 AM"},        {Hms(18, 30), "18:30", "6:30 PM"},
        {Hms(0, 15), " 0:15", "12:15 AM"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(ZeitText(r.second, true), r.h24) << r.h24;
        EXPECT_EQ(ZeitText(r.second, false), r.h12) << r.h12;
    }
    EXPECT_TRUE(Use24StdFor(German));
    EXPECT_FALSE(Use24StdFor(English));
    EXPECT_FALSE(Use24StdFor(0));  // before the language is known: 12-hour style
}

TEST(PhasenText, TipOfTheDay) {
    const FixedClock utc(testing::WinterNoon(), testing::Utc);
    // Both full moons of January 1999 give the full-moon text.
    EXPECT_EQ(PhasenText(DateToDayNumber(2, 1, 1999), German, utc), "Vollmond");
    EXPECT_EQ(PhasenText(DateToDayNumber(31, 1, 1999), English, utc), "Full Moon");
    EXPECT_EQ(PhasenText(DateToDayNumber(6, 1, 1999), German, utc), "Abnehmend, Gewölbt");
    EXPECT_EQ(PhasenText(DateToDayNumber(6, 1, 2000), English, utc), "New Moon");
    EXPECT_EQ(PhasenText(DateToDayNumber(10, 1, 2000), English, utc), "Waxing Crescent");
    EXPECT_EQ(PhasenText(DateToDayNumber(8, 1, 2000), English, utc), "Selenara");
}

TEST(PhasenText, FollowsTheLocalDate) {
    // Full moon 31 March 1999, 22:49 UT: 1 April in Berlin.
    const FixedClock berlin(testing::WinterNoon(), testing::EuropeBerlin);
    EXPECT_EQ(PhasenText(DateToDayNumber(1, 4, 1999), German, berlin), "Vollmond");
    EXPECT_EQ(PhasenText(DateToDayNumber(31, 3, 1999), German, berlin), "Selenara");
}

}  // namespace
}  // namespace selenara
