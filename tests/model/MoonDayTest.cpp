#include "model/MoonDay.h"

#include "astro/RiseSet.h"
#include "support/FixedClock.h"
#include "support/ReferenceMoon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace selenara {
namespace {

using testing::FixedClock;
using testing::WinterNoon;

constexpr Observer Place{.Longitude = 8.85, .Latitude = 47.83};
int Seconds(int h, int m, int s) { return h * 3600 + m * 60 + s; }
LocalDayTime At(int day, int month, int year, int h, int m, int s) {
    return testing::Local(DateToDayNumber(day, month, year), h, m, s);
}

// The June moonrise and moonset at 8.85 E, 47.83 N (02:59:35 and 20:29:52
// UT as printed, to within the seconds of ΔT) in Berlin summer time,
// whether it is summer or winter now.
TEST(Mondaufgang, SummerEventIsInSummerTimeWhateverTheSeasonOfNow) {
    const LocalDayTime summerNoon = At(15, 7, 2026, 12, 0, 0);
    const RiseSetTimes ut = MoonRiseSet(DateToDayNumber(15, 6, 2007), Place);
    for (const LocalDayTime now : {WinterNoon(), summerNoon}) {
        const FixedClock berlin(now, testing::EuropeBerlin);
        LocalDayTime rise, set;
        ASSERT_TRUE(Mondaufgang(15, 6, 2007, Place, berlin, rise));
        EXPECT_EQ(rise, At(15, 6, 2007, 0, 0, ut.Rise + 7200));
        EXPECT_NEAR(SecondsSinceMidnight(rise.Second), Seconds(4, 59, 35), 15);
        ASSERT_TRUE(Monduntergang(15, 6, 2007, Place, berlin, set));
        EXPECT_EQ(set, At(15, 6, 2007, 0, 0, ut.Set + 7200));
        EXPECT_NEAR(SecondsSinceMidnight(set.Second), Seconds(22, 29, 52), 15);
    }
}

TEST(Mondaufgang, TheDayEachMonthWithoutAMoonriseHasNone) {
    const FixedClock berlin(WinterNoon(), testing::EuropeBerlin);
    LocalDayTime t;
    EXPECT_FALSE(Mondaufgang(10, 1, 2007, Place, berlin, t));
    ASSERT_TRUE(Mondaufgang(9, 1, 2007, Place, berlin, t));
    EXPECT_NEAR(SecondsSinceMidnight(t.Second), Seconds(23, 23, 0), 120);
    ASSERT_TRUE(Mondaufgang(11, 1, 2007, Place, berlin, t));
    EXPECT_NEAR(SecondsSinceMidnight(t.Second), Seconds(0, 29, 0), 120);
    EXPECT_TRUE(Monduntergang(10, 1, 2007, Place, berlin, t));
    EXPECT_FALSE(Monduntergang(24, 1, 2007, Place, berlin, t));
    EXPECT_FALSE(Mondaufgang(31, 2, 2007, Place, berlin, t));
}

// Every moonrise and moonset of a year is found on exactly one local day:
// the days hold as many events as a search over the whole year finds, with
// about 12 days without a rise and 12 without a set.
TEST(MondAufUntergang, EveryEventOnExactlyOneLocalDay) {
    const FixedClock newYork(WinterNoon(), testing::AmericaNewYork);
    constexpr Observer place{.Longitude = -74.0, .Latitude = 40.7};
    const DayNumber first = DateToDayNumber(1, 1, 2007), last = DateToDayNumber(31, 12, 2007);
    std::size_t rises = 0, sets = 0;
    int daysWithoutRise = 0, daysWithoutSet = 0;
    for (DayNumber d = first; d <= last; ++d) {
        const LocalRiseSet r = MondAufUntergang(d, place, newYork);
        for (const LocalDayTime& t : r.Rises) EXPECT_EQ(t.Day, d);
        rises += r.Rises.size();
        sets += r.Sets.size();
        daysWithoutRise += r.Rises.empty();
        daysWithoutSet += r.Sets.empty();
    }
    // The year's span: local midnight of 1 January to that of 1 January 2008 (EST).
    const JulianDateUt from = StartOfDay<TimeScale::Universal>(first) + 5.0 / 24.0;
    const JulianDateUt to = StartOfDay<TimeScale::Universal>(last + 1) + 5.0 / 24.0;
    std::size_t wantRises = 0, wantSets = 0;
    for (JulianDateUt t = from; t < to; t = t + 30.0) {
        const HorizonCrossings c = MoonHorizonCrossings(t, std::min(t + 30.0, to), place);
        for (const HorizonCrossing& e : c.Crossings) (e.Rising ? wantRises : wantSets) += 1;
    }
    EXPECT_EQ(rises, wantRises);
    EXPECT_EQ(sets, wantSets);
    EXPECT_NEAR(daysWithoutRise, 12, 1);
    EXPECT_NEAR(daysWithoutSet, 12, 1);
}

TEST(MondAufUntergang, HighLatitudeDaysHaveNeitherEvent) {
    const FixedClock utc(WinterNoon(), testing::Utc);
    const LocalRiseSet up = MondAufUntergang(DateToDayNumber(2, 2, 2007), {.Longitude = 0.0, .Latitude = 80.0}, utc);
    EXPECT_TRUE(up.Rises.empty());
    EXPECT_TRUE(up.Sets.empty());
    EXPECT_EQ(up.AllDay, AboveHorizonAllDay);
    const LocalRiseSet down = MondAufUntergang(DateToDayNumber(12, 2, 2007), {.Longitude = 0.0, .Latitude = 80.0}, utc);
    EXPECT_EQ(down.AllDay, BelowHorizonAllDay);
    EXPECT_TRUE(down.Rises.empty() && down.Sets.empty());
}

// A zone of fixed offset, in minutes east of UT.
testing::ZoneRule Fixed(int minutes) {
    return [minutes](UtDayTime) { return minutes * 60; };
}

std::string Clock(const LocalDayTime& t) {
    const ClockTime c = SplitSecondOfDay(t.Second);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", c.Hours, c.Minutes, c.Seconds);
    return text;
}

struct HighLatitudeDay {
    const char* name;
    Observer place;
    int offsetMinutes;  // the place's zone on that day
    int day, month, year;
    std::int32_t allDay;  // expected when the day has no event
};

// Days on which the moon skims the horizon, where the interpolation of three
// midnights invented, lost or merged events. Every event of the local day
// must match the altitude sampled every 20 s, to a second, and nothing else.
TEST(MondAufUntergang, HighLatitudeDaysMatchTheSampledAltitude) {
    const HighLatitudeDay days[] = {
        {"Reykjavik", {-21.94, 64.13}, 0, 3, 3, 2024, BelowHorizonAllDay},  // was: rise and set invented
        {"Anchorage", {-149.90, 61.22}, -540, 2, 1, 2026, 0},  // was: no rise (true about 13:44)
        {"Anchorage", {-149.90, 61.22}, -540, 3, 1, 2026, 0},  // was: rise = set at 11:38:31
        {"Tromso", {18.96, 69.65}, 60, 13, 1, 2024, 0},        // was: down (up 11:25-14:46 UT)
        {"Longyearbyen", {15.63, 78.22}, 60, 1, 1, 2024, 0},   // was: up (down for five hours)
        {"Longyearbyen", {15.63, 78.22}, 120, 14, 5, 2026, 0},  // was: a rise at 19:04 (true 01:24)
        {"Tromso", {18.96, 69.65}, 120, 29, 6, 2024, 0},       // rises twice
        {"Longyearbyen", {15.63, 78.22}, 120, 15, 5, 2026, AboveHorizonAllDay},
    };
    for (const HighLatitudeDay& d : days) {
        const FixedClock zone(WinterNoon(), Fixed(d.offsetMinutes));
        const DayNumber day = DateToDayNumber(d.day, d.month, d.year);
        const LocalRiseSet got = MondAufUntergang(day, d.place, zone);
        const double from = DayNumberToJulianDate(day) - d.offsetMinutes / 1440.0;
        std::vector<LocalDayTime> wantRises, wantSets;
        for (const auto& c : testing::SampledMoonCrossings(from, from + 1.0, d.place)) {
            const auto second = static_cast<std::int32_t>((c.Ut - from) * 86400.0);
            (c.Rising ? wantRises : wantSets).push_back({day, SecondOfDay{second}});
        }
        const std::string where = std::string(d.name) + " " + std::to_string(d.year) + "-" +
                                  std::to_string(d.month) + "-" + std::to_string(d.day);
        ASSERT_EQ(got.Rises.size(), wantRises.size()) << where;
        ASSERT_EQ(got.Sets.size(), wantSets.size()) << where;
        const auto apart = [](LocalDayTime a, LocalDayTime b) { return std::abs(SecondCount(a) - SecondCount(b)); };
        for (std::size_t i = 0; i < wantRises.size(); ++i)
            EXPECT_LE(apart(got.Rises[i], wantRises[i]), 1) << where << " rise " << Clock(wantRises[i]);
        for (std::size_t i = 0; i < wantSets.size(); ++i)
            EXPECT_LE(apart(got.Sets[i], wantSets[i]), 1) << where << " set " << Clock(wantSets[i]);
        EXPECT_EQ(got.AllDay, d.allDay) << where;
    }
}

// Moonrise and moonset at Östersund (14.635 E, 63.178 N), Swedish standard
// time, January 2021, as published by Paul Schlyter, "Upp/nedgångar 2021 i
// Östersund" (stjarnhimlen.se), rounded to the minute; "--" where the moon
// does not rise. Upper limb on the horizon, as here; within a minute.
TEST(MondAufUntergang, PublishedTableOfOstersundAt63North) {
    struct Row {
        int day;
        const char* rise;
        const char* set;
    };
    const Row rows[] = {
        {1, "16:56", "11:34"}, {2, "18:38", "11:41"}, {3, "20:19", "11:44"}, {4, "21:59", "11:46"},
        {5, "23:39", "11:46"}, {6, "--", "11:46"},    {7, "1:20", "11:47"},  {8, "3:04", "11:48"},
        {9, "4:52", "11:51"},  {10, "6:44", "11:58"}, {11, "8:31", "12:16"}, {12, "9:53", "13:03"},
        {13, "10:32", "14:29"}, {14, "10:47", "16:12"}, {15, "10:53", "17:54"}, {16, "10:55", "19:31"},
        {17, "10:56", "21:02"}, {18, "10:56", "22:29"},
    };
    const auto minutes = [](const char* text) {
        int h = 0, m = 0;
        return std::sscanf(text, "%d:%d", &h, &m) == 2 ? (h * 60 + m) * 60 : -1;
    };
    const FixedClock stockholm(WinterNoon(), Fixed(60));
    for (const Row& row : rows) {
        const LocalRiseSet r = MondAufUntergang(DateToDayNumber(row.day, 1, 2021), {.Longitude = 14.635, .Latitude = 63.178}, stockholm);
        for (const auto& [events, text] : {std::pair{&r.Rises, row.rise}, std::pair{&r.Sets, row.set}}) {
            if (minutes(text) < 0) {
                EXPECT_TRUE(events->empty()) << row.day;
                continue;
            }
            ASSERT_EQ(events->size(), 1u) << row.day;
            EXPECT_NEAR(SecondsSinceMidnight(events->front().Second), minutes(text), 60) << row.day << " " << text;
        }
    }
}

// The first and last day of the range have their events too, also where
// their local day reaches into a UT day outside it: 1 January 1600 in Tokyo
// begins on 31 December 1599 UT, 31 December 3999 in Honolulu ends in 4000.
TEST(MondAufUntergang, TheEndsOfTheRangeHaveTheirEvents) {
    struct End {
        DayNumber day;
        Observer place;
        int offsetMinutes;
    };
    for (const End& e : {End{FirstDay, {139.7, 35.7}, 540}, End{FirstDay + 1, {139.7, 35.7}, 540},
                         End{LastDay, {-157.86, 21.31}, -600}}) {
        const FixedClock zone(WinterNoon(), Fixed(e.offsetMinutes));
        const LocalRiseSet r = MondAufUntergang(e.day, e.place, zone);
        const double from = DayNumberToJulianDate(e.day) - e.offsetMinutes / 1440.0;
        const auto want = testing::SampledMoonCrossings(from, from + 1.0, e.place);
        EXPECT_TRUE(r.DayExists);
        EXPECT_EQ(r.Rises.size() + r.Sets.size(), want.size()) << e.day;
        EXPECT_GE(want.size(), 1u);
    }
}

struct SkippedDay {
    const char* zone;
    DayNumber day;
    std::int32_t changeSecond;  // UT second of that day when the offset changes
    int before, after;          // offsets, minutes
    Observer place;
};

// Days a zone skipped by crossing the date line. Samoa (Pacific/Apia) went
// from UTC-10 to UTC+14 at the end of 29 December 2011. Manila went from
// local mean time -15:56:08 to +8:03:52 at the end of 30 December 1844;
// in whole minutes (-956, +483, as zone data without seconds gives them) the
// clocks read 31 December for a minute around the change, a ghost of a day
// that must not count.
TEST(MondAufUntergang, ADayTheZoneSkipsDoesNotExist) {
    const SkippedDay days[] = {
        {"Apia", DateToDayNumber(30, 12, 2011), 10 * 3600, -600, 840, {-171.75, -13.83}},
        {"Manila", DateToDayNumber(31, 12, 1844), 15 * 3600 + 56 * 60 + 8, -956, 483, {121.0, 14.6}},
    };
    for (const SkippedDay& d : days) {
        const FixedClock zone(WinterNoon(), [d](UtDayTime ut) {
            return 60 * (ut < UtDayTime{d.day, SecondOfDay{d.changeSecond}} ? d.before : d.after);
        });
        EXPECT_TRUE(LocalDayInUt(d.day, zone).Empty()) << d.zone;
        const LocalRiseSet r = MondAufUntergang(d.day, d.place, zone);
        EXPECT_FALSE(r.DayExists) << d.zone;
        EXPECT_TRUE(r.Rises.empty() && r.Sets.empty()) << d.zone;
        EXPECT_EQ(r.AllDay, 0) << d.zone;
        for (const DayNumber neighbour : {d.day - 1, d.day + 1}) {
            const UtSpan span = LocalDayInUt(neighbour, zone);
            EXPECT_NEAR(span.End - span.Begin, 86400, 60) << d.zone << " " << neighbour;
            EXPECT_TRUE(MondAufUntergang(neighbour, d.place, zone).DayExists);
        }
    }
}

TEST(IstSommerzeit, SeasonBoundaries) {
    EXPECT_FALSE(IstSommerzeit(At(29, 3, 2009, 1, 59, 59)));
    EXPECT_TRUE(IstSommerzeit(At(29, 3, 2009, 2, 0, 0)));
    EXPECT_TRUE(IstSommerzeit(At(25, 10, 2009, 1, 59, 59)));
    EXPECT_FALSE(IstSommerzeit(At(25, 10, 2009, 2, 0, 0)));
    EXPECT_FALSE(IstSommerzeit(LocalDayTime{InvalidDay, SecondOfDay{0}}));
}

TEST(SommerzeitKorrektur, ShiftsBetweenTheSeasonOfTheInstantAndOfNow) {
    const FixedClock winter(WinterNoon(), testing::Utc);
    const FixedClock summer(At(15, 7, 2026, 12, 0, 0), testing::Utc);
    LocalDayTime t = At(15, 6, 2007, 3, 59, 35);  // the June moonrise at winter standard time
    SommerzeitKorrektur(t, winter);
    EXPECT_EQ(t, At(15, 6, 2007, 4, 59, 35));
    t = At(15, 6, 2007, 4, 59, 35);
    SommerzeitKorrektur(t, summer);
    EXPECT_EQ(t, At(15, 6, 2007, 4, 59, 35));
    t = At(15, 6, 2007, 23, 30, 0);  // wraps, the day stays
    SommerzeitKorrektur(t, winter);
    EXPECT_EQ(t, At(15, 6, 2007, 0, 30, 0));
    t = At(15, 1, 2007, 0, 30, 0);
    SommerzeitKorrektur(t, summer);
    EXPECT_EQ(t, At(15, 1, 2007, 23, 30, 0));
}

}  // namespace
}  // namespace selenara
