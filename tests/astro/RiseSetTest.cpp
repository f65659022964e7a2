#include "astro/RiseSet.h"

#include "astro/MoonPosition.h"
#include "support/ReferenceMoon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace selenara {
namespace {

constexpr Observer Place{.Longitude = 8.85, .Latitude = 47.83};

int Hms(int h, int m, int s) { return h * 3600 + m * 60 + s; }

bool IsSecondOfDay(std::int32_t t) { return t >= 0 && t < 86400; }

// The worked examples at 8.85 E, 47.83 N. The printed times carry the
// published method's own error (a quadratic through three midnights, and
// refinement that stops within 0.0005 day): the exact crossing of that very
// model lies 2 to 8 s from them. Taking the moon at TT = UT + ΔT (65 s in
// 2007) and the parallax of the moment moves the events 3 to 4 s more.
TEST(MoonRiseSet, PublishedExamplesWithinSeconds) {
    const RiseSetTimes jan = MoonRiseSet(DateToDayNumber(1, 1, 2007), Place);
    EXPECT_NEAR(jan.Rise, Hms(13, 14, 14), 15);
    EXPECT_NEAR(jan.Set, Hms(5, 30, 57), 15);
    const RiseSetTimes jun = MoonRiseSet(DateToDayNumber(15, 6, 2007), Place);
    EXPECT_NEAR(jun.Rise, Hms(2, 59, 35), 15);
    EXPECT_NEAR(jun.Set, Hms(20, 29, 52), 15);
}

// The first and last day of the range have their events like any other;
// only days outside it, and the ends of int32 (found by fuzzing: the old
// neighbour check overflowed), have no answer.
TEST(MoonRiseSet, EveryDayOfTheRangeAndNoOtherHasAnAnswer) {
    for (const DayNumber d : {FirstDay, LastDay}) {
        const RiseSetTimes r = MoonRiseSet(d, Place);
        EXPECT_TRUE(IsSecondOfDay(r.Rise) || IsSecondOfDay(r.Set)) << d;
        EXPECT_NE(r.Rise, OutsideDayRange);
    }
    for (const DayNumber d : {InvalidDay, LastDay + 1, std::numeric_limits<DayNumber>::min(),
                              std::numeric_limits<DayNumber>::max()}) {
        const RiseSetTimes r = MoonRiseSet(d, Place);
        EXPECT_EQ(r.Rise, OutsideDayRange) << d;
        EXPECT_EQ(r.Set, OutsideDayRange) << d;
    }
}

// Found by fuzzing: NaN reached the conversion of the day fraction to int.
TEST(MoonRiseSet, InputsThatAreNotNumbersGiveNoAnswer) {
    const DayNumber day = DateToDayNumber(1, 1, 2007);
    for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        for (const RiseSetTimes r : {MoonRiseSet(day, {.Longitude = bad, .Latitude = Place.Latitude}),
                                        MoonRiseSet(day, {.Longitude = Place.Longitude, .Latitude = bad})}) {
            EXPECT_EQ(r.Rise, OutsideDayRange) << bad;
            EXPECT_EQ(r.Set, OutsideDayRange) << bad;
        }
    }
    // A latitude beyond the pole is no place either.
    const RiseSetTimes beyond = MoonRiseSet(day, {.Longitude = Place.Longitude, .Latitude = 90.5});
    EXPECT_EQ(beyond.Rise, OutsideDayRange);
    // Found by fuzzing: a span 230 billion days before 1600 at latitude
    // -4.5e42 gave rises and sets that did not alternate.
    EXPECT_FALSE(MoonHorizonCrossings({-234101932544.0}, {-234101932537.6}, {.Longitude = 101.47, .Latitude = -4.53e42}).Valid);
    EXPECT_FALSE(MoonHorizonCrossings({-234101932544.0}, {-234101932537.6}, Place).Valid);
    // Finite, but the path's rates overflow: no bound, so no answer.
    ThreeDayEphemeris e;
    e.RightAscension = {10.0, 20.0, 30.0};
    e.Declination = {-1e308, 1e308, -1e308};
    const RiseSetTimes r = RiseSetCore(day, e, 0.125, {.Longitude = Place.Longitude, .Latitude = 0.0});
    EXPECT_EQ(r.Rise, OutsideDayRange);
    EXPECT_EQ(r.Set, OutsideDayRange);
}

// Found by fuzzing: refinement at an absurd longitude wandered days away.
// A finite longitude, however large, is still a place with an answer.
TEST(MoonRiseSet, AnAbsurdLongitudeStillGivesAnAnswer) {
    const RiseSetTimes r = MoonRiseSet(531719, {.Longitude = -1.8347981853481449e+106, .Latitude = 4.0530119619442496e-312});
    for (const std::int32_t v : {r.Rise, r.Set})
        EXPECT_TRUE(IsSecondOfDay(v) || v == NoEventThisDay || v == BelowHorizonAllDay || v == AboveHorizonAllDay) << v;
}

TEST(MoonRiseSet, HighLatitudeRunsOfAlwaysUpAndAlwaysDown) {
    // At 80 N in February 2007 the moon stays up for days around its
    // northern standstill and down around its southern one.
    int longestUp = 0, longestDown = 0, up = 0, down = 0;
    for (int day = 1; day <= 28; ++day) {
        const RiseSetTimes r = MoonRiseSet(DateToDayNumber(day, 2, 2007), {.Longitude = 0.0, .Latitude = 80.0});
        if (r.Rise < NoEventThisDay || r.Set < NoEventThisDay) {
            EXPECT_EQ(r.Rise, r.Set);  // the all-day codes come in pairs
        }
        up = r.Rise == AboveHorizonAllDay ? up + 1 : 0;
        down = r.Rise == BelowHorizonAllDay ? down + 1 : 0;
        longestUp = std::max(longestUp, up);
        longestDown = std::max(longestDown, down);
    }
    EXPECT_GE(longestUp, 5);
    EXPECT_GE(longestDown, 8);
}

TEST(MoonRiseSet, TheDayWithoutAMoonriseHasNone) {
    // 11 January 2007 (UT) has no moonrise at this place: it rises at about
    // 23:28 on the 10th and 00:35 on the 12th; the day has its set.
    const RiseSetTimes r = MoonRiseSet(DateToDayNumber(11, 1, 2007), Place);
    EXPECT_EQ(r.Rise, NoEventThisDay);
    EXPECT_TRUE(IsSecondOfDay(r.Set));
    EXPECT_NEAR(MoonRiseSet(DateToDayNumber(10, 1, 2007), Place).Rise, Hms(23, 28, 0), 120);
    EXPECT_NEAR(MoonRiseSet(DateToDayNumber(12, 1, 2007), Place).Rise, Hms(0, 35, 0), 120);
}

// Every crossing of a year against the altitude sampled every 20 s, at a
// mid latitude and where the moon skims the horizon: the same events, to
// well under a second. This covers the days whose right ascension crosses
// 0/360, where a missing unwrap would put an event hours away.
TEST(MoonHorizonCrossings, AYearAgreesWithTheSampledAltitude) {
    for (const double latitude : {Place.Latitude, 69.65}) {
        const Observer place{.Longitude = Place.Longitude, .Latitude = latitude};
        double worst = 0.0;
        for (DayNumber d = DateToDayNumber(1, 1, 2024); d <= DateToDayNumber(31, 12, 2024); d += 5) {
            const JulianDateUt from = StartOfDay<TimeScale::Universal>(d);
            const HorizonCrossings got = MoonHorizonCrossings(from, from + 1.0, place);
            const auto want = testing::SampledMoonCrossings(from.Days, from.Days + 1.0, place);
            ASSERT_EQ(got.Crossings.size(), want.size()) << "day " << d << " latitude " << latitude;
            for (std::size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(got.Crossings[i].Rising, want[i].Rising);
                worst = std::max(worst, std::fabs(got.Crossings[i].Ut.Days - want[i].Ut) * 86400.0);
            }
        }
        EXPECT_LT(worst, 0.5) << "worst error " << worst << " s at latitude " << latitude;
    }
}

// The longest span is searched (that its pieces join up, MondAufUntergang's
// year test shows); a span a minute longer is refused, not cut.
TEST(MoonHorizonCrossings, SpansUpToTheLongestAreSearched) {
    const JulianDateUt from = StartOfDay<TimeScale::Universal>(DateToDayNumber(1, 1, 2007));
    EXPECT_TRUE(MoonHorizonCrossings(from, from + MaxHorizonSpanDays, Place).Valid);
    EXPECT_FALSE(MoonHorizonCrossings(from, from + MaxHorizonSpanDays + 1.0 / 1440, Place).Valid);
}

// RiseSetCore for a star, whose ephemeris does not change: it rises and
// sets where its hour angle is -/+H0, cos H0 = (sin h0 - sin phi sin delta)
// / (cos phi cos delta), with a sidereal day of 86164.09 s.
TEST(RiseSetCore, AFixedStarRisesAndSetsAtItsHourAngle) {
    const DayNumber day = DateToDayNumber(1, 1, 2000);
    // Transits near noon, so that rise and set fall inside the day.
    constexpr double alpha = 290.0, delta = 20.0, h0 = -0.5667, phi = 50.0;
    const ThreeDayEphemeris star{{alpha, alpha, alpha}, {delta, delta, delta}};
    const Observer place{.Longitude = Place.Longitude, .Latitude = phi};
    const RiseSetTimes r = RiseSetCore(day, star, h0, place);
    const double H0 = Degrees(std::acos((std::sin(Radians(h0)) - std::sin(Radians(phi)) * std::sin(Radians(delta))) /
                                        (std::cos(Radians(phi)) * std::cos(Radians(delta)))));
    constexpr double siderealRate = 360.98564736629;  // degrees a day
    const double transit = Reduce360(alpha - place.Longitude - MeanSiderealTime(StartOfDay<TimeScale::Universal>(day))) / siderealRate;
    EXPECT_NEAR(r.Rise, (transit - H0 / siderealRate) * 86400.0, 1.0);
    EXPECT_NEAR(r.Set, (transit + H0 / siderealRate) * 86400.0, 1.0);
    // Circumpolar and never risen.
    const ThreeDayEphemeris north{{alpha, alpha, alpha}, {60.0, 60.0, 60.0}};
    EXPECT_EQ(RiseSetCore(day, north, h0, place).Rise, AboveHorizonAllDay);
    const ThreeDayEphemeris south{{alpha, alpha, alpha}, {-60.0, -60.0, -60.0}};
    EXPECT_EQ(RiseSetCore(day, south, h0, place).Set, BelowHorizonAllDay);
}

}  // namespace
}  // namespace selenara
