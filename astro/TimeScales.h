// Instants, each in its time scale.
//
// An instant is read in one of three scales, and its type says which:
//  - Universal Time (UT) follows the Earth's rotation; rise, set, sidereal
//    time and every clock are in it.
//  - Terrestrial Time (TT) runs uniformly, ΔT ahead of UT; the lunar series
//    take it (astro/DeltaT.h converts).
//  - Local clock time is UT plus the zone's offset at that instant
//    (astro/LocalTime.h converts). It is a reading, not an instant: in the
//    hour a clock repeats, one reading names two instants.
// So a UT instant given where TT or a local time is taken does not compile.
// An instant is a day and a second (DayTime) or a Julian Date; either can be
// had from the other in the same scale.
#pragma once

#include "astro/Calendar.h"

#include <cstdint>

namespace selenara {

enum class TimeScale : std::uint8_t { Universal, Terrestrial, LocalClock };

// One instant as a day number and a second of that day; (InvalidDay,
// InvalidSecond) for none. Ordered by time.
template <TimeScale Scale>
struct DayTime {
    DayNumber Day = InvalidDay;
    SecondOfDay Second = InvalidSecond;

    // Written out rather than defaulted with <=>: Qt 6.4's moc, which reads
    // the headers of every view, cannot parse <compare>.
    friend constexpr bool operator==(DayTime, DayTime) = default;
    friend constexpr bool operator<(DayTime a, DayTime b) {
        return a.Day != b.Day ? a.Day < b.Day : a.Second < b.Second;
    }
    friend constexpr bool operator>(DayTime a, DayTime b) { return b < a; }
    friend constexpr bool operator<=(DayTime a, DayTime b) { return !(b < a); }
    friend constexpr bool operator>=(DayTime a, DayTime b) { return !(a < b); }

    // The instant `seconds` after 0h of day 0 (SecondCount is the way back),
    // for stepping across days and for differences.
    static constexpr DayTime OfSecondCount(std::int64_t seconds) {
        return {static_cast<DayNumber>(FloorDiv(seconds, SecondsPerDay)),
                SecondOfDay{static_cast<std::int32_t>(FloorMod(seconds, SecondsPerDay))}};
    }
};

template <TimeScale Scale>
constexpr std::int64_t SecondCount(DayTime<Scale> t) {
    return std::int64_t{t.Day} * SecondsPerDay + SecondsSinceMidnight(t.Second);
}

using UtDayTime = DayTime<TimeScale::Universal>;
using TtDayTime = DayTime<TimeScale::Terrestrial>;
using LocalDayTime = DayTime<TimeScale::LocalClock>;

// Valid when the day lies in 0..876581 and the second in 0..86399.
template <TimeScale Scale>
constexpr bool IsValidDayTime(DayTime<Scale> t) {
    return IsValidDay(t.Day) && IsValidSecond(t.Second);
}

// A Julian Date in a time scale: days since noon UT (or TT) of 1 January
// 4713 BC of the proleptic Julian calendar. In TT it is the Julian Ephemeris
// Date (JDE) of the lunar series.
template <TimeScale Scale>
struct JulianDate {
    double Days = 0.0;
    friend constexpr bool operator==(JulianDate, JulianDate) = default;
    friend constexpr bool operator<(JulianDate a, JulianDate b) { return a.Days < b.Days; }
    friend constexpr bool operator>(JulianDate a, JulianDate b) { return b < a; }
    friend constexpr bool operator<=(JulianDate a, JulianDate b) { return a.Days <= b.Days; }
    friend constexpr bool operator>=(JulianDate a, JulianDate b) { return a.Days >= b.Days; }
    // Days between two instants, and the instant some days later or earlier.
    friend constexpr double operator-(JulianDate a, JulianDate b) { return a.Days - b.Days; }
    friend constexpr JulianDate operator+(JulianDate a, double days) { return {a.Days + days}; }
    friend constexpr JulianDate operator-(JulianDate a, double days) { return {a.Days - days}; }
};

using JulianDateUt = JulianDate<TimeScale::Universal>;
using JulianEphemerisDate = JulianDate<TimeScale::Terrestrial>;

// The Julian Date of 0h at the start of day n, in the scale asked for (no
// range check: the astronomy also looks just beyond the calendar's range).
template <TimeScale Scale>
constexpr JulianDate<Scale> StartOfDay(DayNumber n) {
    return {DayNumberToJulianDate(n)};
}

// The Julian Date of an instant.
template <TimeScale Scale>
constexpr JulianDate<Scale> JulianDateOf(DayTime<Scale> t) {
    return {DayNumberToJulianDate(t.Day) +
            SecondsSinceMidnight(t.Second) / static_cast<double>(SecondsPerDay)};
}

// The day and second of a Julian Date: the day it falls on (not range
// checked, so instants just outside 1600..3999 keep their day) and the
// second, truncated so an instant in a day's last second stays on that day.
// (InvalidDay, InvalidSecond) for NaN, an infinity or a day beyond int32.
// Made for UT and TT.
template <TimeScale Scale>
DayTime<Scale> DayTimeOf(JulianDate<Scale> jd);

}  // namespace selenara
