#include "astro/MoonIllumination.h"

#include "astro/DeltaT.h"
#include "astro/MoonPosition.h"
#include "astro/SunPosition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace selenara {
namespace {

// Meeus, Astronomical Algorithms, 2nd ed., example 25.a: 1992 October 13,
// 0h TD (JDE 2448908.5), true longitude 199.90988 degrees, R 0.99766 AU.
TEST(SunPosition, WorkedExampleOfTheLowAccuracySeries) {
    const SunEcliptic sun = SunEclipticAt(JulianEphemerisDate{2448908.5});
    EXPECT_NEAR(sun.Longitude, 199.90988, 0.00001);
    EXPECT_NEAR(sun.Distance, 0.99766, 0.000005);
}

// Meeus, example 48.a: 1992 April 12, 0h TD, k = 0.6786 (from the full
// lunar theory and the sun of higher accuracy; ours are truncated).
TEST(IlluminatedFraction, WorkedExample) {
    EXPECT_NEAR(IlluminatedFraction(JulianEphemerisDate{2448724.5}), 0.6786, 0.0005);
}

// US Naval Observatory, Fraction of the Moon Illuminated, 2018, at midnight
// Eastern Standard Time (05:00 UT), September 9 to 18: printed to 0.01, so
// within 0.01 of the table is within 1 % of the disk.
TEST(IlluminatedFraction, PublishedAlmanacForSeptember2018) {
    const double published[] = {0.00, 0.00, 0.03, 0.08, 0.15, 0.24, 0.33, 0.43, 0.52, 0.62};
    for (int i = 0; i < 10; ++i) {
        const JulianDateUt ut = JulianDateOf(UtDayTime{DateToDayNumber(9 + i, 9, 2018), JoinSecondOfDay(5, 0, 0)});
        EXPECT_NEAR(IlluminatedFraction(TerrestrialTime(ut)), published[i], 0.01)
            << "September " << 9 + i;
    }
}

TEST(IlluminatedFraction, NoValueForADateThatIsNotFinite) {
    EXPECT_TRUE(std::isnan(IlluminatedFraction({std::numeric_limits<double>::quiet_NaN()})));
    EXPECT_TRUE(std::isnan(IlluminatedFraction({std::numeric_limits<double>::infinity()})));
}

}  // namespace
}  // namespace selenara
