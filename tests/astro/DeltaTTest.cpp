#include "astro/DeltaT.h"

#include <gtest/gtest.h>

#include <cmath>

namespace selenara {
namespace {

struct Published {
    double year;
    double seconds;
    double tolerance;
    const char* source;
};

// Observed values (IERS/USNO; Astronomical Almanac) and, beyond them, the
// Espenak-Meeus polynomials of NASA's Five Millennium Canon of Solar
// Eclipses (2006).
TEST(DeltaT, PublishedValuesAcrossTheRange) {
    const Published rows[] = {
        {1600.0, 120.0, 1.0, "Canon, 1600-1700 polynomial"},
        {1700.0, 9.0, 2.0, "Astronomical Almanac"},
        {1800.0, 13.7, 1.0, "Astronomical Almanac"},
        {1900.0, -2.8, 2.0, "USNO"},
        {1950.0, 29.1, 2.0, "USNO"},
        {2000.0, 63.8, 2.0, "IERS"},
        {2010.0, 66.1, 2.0, "IERS"},
        {2020.0, 69.4, 2.0, "IERS"},
        {2024.0, 69.2, 2.0, "IERS"},
        {2026.0, 69.1, 2.0, "IERS, 2026 (the Canon's 2005-2050 polynomial says 75)"},
        {2150.0, 328.5, 0.1, "Canon, long-term parabola"},
        {3000.0, 4435.7, 0.1, "Canon, long-term parabola"},
        {4000.0, 15187.7, 0.1, "Canon, long-term parabola"},
    };
    for (const Published& r : rows) EXPECT_NEAR(DeltaT(r.year), r.seconds, r.tolerance) << r.year << ", " << r.source;
}

// No step at the joins of table, fade and polynomials (1620, 2024, 2150),
// nor anywhere else: neighbours a hundredth of a year apart differ by far
// less than a second.
TEST(DeltaT, ContinuousEverywhere) {
    double worst = 0.0;
    for (double y = 1600.0; y < 4000.0; y += 0.01) worst = std::max(worst, std::fabs(DeltaT(y + 0.01) - DeltaT(y)));
    EXPECT_LT(worst, 0.2);
    for (const double join : {1620.0, 2024.0, 2150.0})
        EXPECT_NEAR(DeltaT(join - 1e-9), DeltaT(join + 1e-9), 1e-3) << join;
}

TEST(DeltaT, OutsideTheRangeTheNearerEndStands) {
    EXPECT_DOUBLE_EQ(DeltaT(1599.99), DeltaT(1600.0));
    EXPECT_DOUBLE_EQ(DeltaT(4000.5), DeltaT(4000.0));
    EXPECT_DOUBLE_EQ(DeltaT(std::nan("")), DeltaT(1600.0));
}

TEST(DeltaT, TimeScalesConvertBothWays) {
    const JulianDateUt jd{2451545.0};  // 1 January 2000, 12h
    EXPECT_NEAR((TerrestrialTime(jd).Days - jd.Days) * 86400.0, 63.8, 0.1);
    EXPECT_NEAR(UniversalTime(TerrestrialTime(jd)).Days, jd.Days, 1e-9);
    EXPECT_NEAR(DecimalYearOf(jd.Days), 2000.0014, 1e-4);
}

}  // namespace
}  // namespace selenara
