#include "astro/MoonPosition.h"

#include "astro/MoonTerms.h"
#include "support/Instants.h"

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::Hms;

TEST(MoonTerms, RowCountsOfTheTruncatedSeries) {
    int distanceRows = 0;
    for (const auto& t : moonterms::TableA) distanceRows += t.distance != 0;
    EXPECT_EQ(distanceRows, 46);
    EXPECT_EQ(moonterms::TableA[moonterms::LongitudeRowsUsed - 1].longitude, 520);
    EXPECT_EQ(moonterms::TableA[moonterms::LongitudeRowsUsed].longitude, -487);
    EXPECT_EQ(moonterms::TableB[moonterms::LatitudeRowsUsed - 1].latitude, 223);
    EXPECT_EQ(moonterms::TableB[moonterms::LatitudeRowsUsed].latitude, -220);
}

// 12 April 1992, 0h: the worked example of the lunar theory, computed with
// the calendar's truncation, fixed obliquity and no nutation.
TEST(MoonPosition, TwelfthOfApril1992) {
    const TtDayTime t{DateToDayNumber(12, 4, 1992), Hms(0)};
    const MoonEcliptic e = MoonEclipticAt(t);
    EXPECT_NEAR(e.Longitude, 133.16221, 0.000005);
    EXPECT_NEAR(e.Latitude, -3.22918, 0.000005);
    EXPECT_NEAR(e.Distance, 368409.68, 0.005);
    const MoonPosition p = MoonPositionAt(t);
    EXPECT_TRUE(p.Ok);
    EXPECT_NEAR(p.RightAscension, 134.68323, 0.000005);
    EXPECT_NEAR(p.Declination, 13.76877, 0.000005);
    EXPECT_NEAR(p.HorizontalParallax, 0.99199, 0.000005);
}

TEST(MoonPosition, AgreesWithTheFullTheoryWithinItsTruncation) {
    // The published result with all terms is 133.162655 / -3.229126 / 368409.7 km.
    const MoonEcliptic e = MoonEclipticAt(TtDayTime{DateToDayNumber(12, 4, 1992), Hms(0)});
    EXPECT_NEAR(e.Longitude, 133.162655, 0.001);
    EXPECT_NEAR(e.Latitude, -3.229126, 0.001);
}

TEST(MoonPosition, RightAscensionStaysInAFullCircle) {
    for (DayNumber d = DateToDayNumber(1, 1, 2007); d < DateToDayNumber(1, 1, 2008); ++d) {
        const MoonPosition p = MoonPositionAt(TtDayTime{d, Hms(0)});
        ASSERT_GE(p.RightAscension, 0.0);
        ASSERT_LT(p.RightAscension, 360.0);
        ASSERT_LE(std::abs(p.Declination), 29.0);  // the moon's declination never exceeds ~28.7
    }
}

TEST(SiderealTime, PublishedValues) {
    const SiderealTime y2000 = MeanSiderealTime(UtDayTime{DateToDayNumber(1, 1, 2000), Hms(0)});
    EXPECT_TRUE(y2000.Ok);
    EXPECT_NEAR(y2000.Degrees, 99.96779, 0.00001);
    EXPECT_NEAR(MeanSiderealTime(UtDayTime{DateToDayNumber(10, 4, 1987), Hms(0)}).Degrees, 197.69320, 0.00001);
}

// Second 86400 and day 876582 are outside the calendar: no value, and not
// one that could be taken for an angle either.
TEST(InvalidInstants, GiveNoValue) {
    EXPECT_FALSE(MeanSiderealTime(UtDayTime{0, Hms(24)}).Ok);
    EXPECT_FALSE(MeanSiderealTime(UtDayTime{876582, Hms(0)}).Ok);
    EXPECT_FALSE(MoonPositionAt(TtDayTime{876582, Hms(0)}).Ok);
    EXPECT_FALSE(MoonPositionAt(TtDayTime{0, Hms(24)}).Ok);
    EXPECT_TRUE(MoonPositionAt(TtDayTime{LastDay, Hms(23, 59, 59)}).Ok);
}

}  // namespace
}  // namespace selenara
