#include "astro/DeltaT.h"
#include "astro/LocalTime.h"
#include "astro/MoonPosition.h"

#include "support/Instants.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace selenara {
namespace {

// A wrong mix of time scales must not compile: each conversion takes the
// one scale it converts from, each series the scale it is computed in.
template <typename T> concept TakesMoonPosition = requires(T t) { MoonPositionAt(t); };
template <typename T> concept TakesSiderealTime = requires(T t) { MeanSiderealTime(t); };
template <typename T> concept TakesUtcToLocal = requires(T t, const ZoneClock& c) { UtcToLocal(t, c); };
template <typename T> concept TakesLocalToUtc = requires(T t, const ZoneClock& c) { LocalToUtc(t, c); };
template <typename T> concept TakesTerrestrialTime = requires(T t) { TerrestrialTime(t); };
template <typename T> concept TakesUniversalTime = requires(T t) { UniversalTime(t); };

static_assert(TakesMoonPosition<TtDayTime> && TakesMoonPosition<JulianEphemerisDate>);
static_assert(!TakesMoonPosition<UtDayTime> && !TakesMoonPosition<LocalDayTime> &&
              !TakesMoonPosition<JulianDateUt> && !TakesMoonPosition<double>);
static_assert(TakesSiderealTime<UtDayTime> && TakesSiderealTime<JulianDateUt>);
static_assert(!TakesSiderealTime<TtDayTime> && !TakesSiderealTime<JulianEphemerisDate> &&
              !TakesSiderealTime<double>);
static_assert(TakesUtcToLocal<UtDayTime> && !TakesUtcToLocal<LocalDayTime> && !TakesUtcToLocal<TtDayTime>);
static_assert(TakesLocalToUtc<LocalDayTime> && !TakesLocalToUtc<UtDayTime>);
static_assert(TakesTerrestrialTime<JulianDateUt> && !TakesTerrestrialTime<JulianEphemerisDate> &&
              !TakesTerrestrialTime<double>);
static_assert(TakesUniversalTime<JulianEphemerisDate> && !TakesUniversalTime<JulianDateUt>);
// Days and seconds do not stand in for each other.
static_assert(!std::is_convertible_v<DayNumber, SecondOfDay> && !std::is_convertible_v<SecondOfDay, DayNumber>);
static_assert(!std::is_constructible_v<UtDayTime, DayNumber, DayNumber>);
static_assert(!std::is_convertible_v<UtDayTime, LocalDayTime> && !std::is_convertible_v<LocalDayTime, UtDayTime>);

using testing::Ut;

// Seconds counted from 0h of day 0 split into day and second, floored so
// that the instants before day 0 (the astronomy looks a day beyond the
// range) keep a second of 0..86399; and the count back.
TEST(DayTimes, SecondCountsSplitByFloorAndJoinBack) {
    const struct {
        std::int64_t Count;
        UtDayTime Time;
    } cases[] = {
        {0, Ut(0, 0)},
        {86399, Ut(0, 23, 59, 59)},
        {86400, Ut(1, 0)},
        {-1, Ut(-1, 23, 59, 59)},
        {-86400, Ut(-1, 0)},
        {-86401, Ut(-2, 23, 59, 59)},
        {std::int64_t{LastDay} * 86400 + 3600, Ut(LastDay, 1)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UtDayTime::OfSecondCount(c.Count), c.Time) << c.Count;
        EXPECT_EQ(SecondCount(c.Time), c.Count);
    }
}

TEST(DayTimes, AreOrderedByDayThenSecond) {
    EXPECT_LT(Ut(5, 23, 59, 59), Ut(6, 0));
    EXPECT_LT(Ut(-1, 12), Ut(0, 0));
    EXPECT_GT(Ut(6, 0, 0, 1), Ut(6, 0));
    EXPECT_LE(Ut(6, 0), Ut(6, 0));
    EXPECT_GE(Ut(6, 0), Ut(6, 0));
}

// 6 January 2000 is Julian Date 2451549.5 at 0h (day 146102), and J2000.0,
// 1 January 2000 at 12h, is 2451545.0 (the Astronomical Almanac).
TEST(JulianDates, OfInstantsInTheirScale) {
    EXPECT_EQ(StartOfDay<TimeScale::Universal>(146102).Days, 2451549.5);
    EXPECT_EQ(JulianDateOf(TtDayTime{146097, testing::Hms(12)}).Days, 2451545.0);
    EXPECT_EQ(DayTimeOf(JulianDateUt{2451545.0}), Ut(146097, 12));
    EXPECT_DOUBLE_EQ(JulianDateUt{2451550.0} - JulianDateUt{2451549.5}, 0.5);
}

}  // namespace
}  // namespace selenara
