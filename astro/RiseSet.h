// Rising and setting of the moon for a span of time and a place.
//
// The moon's path comes from the lunar theory (astro/MoonPosition.h) taken at
// TT = UT + ΔT; an event is the moment its centre crosses the standard
// altitude h0 = 0.7275 × parallax − 0.5667° (J. Meeus, Astronomical
// Algorithms, 2nd ed., ch. 15), with the parallax of that moment. The
// crossings come from a search of the altitude across the whole span
// (astro/HorizonSearch.h), so that days when the moon skims the horizon at
// high latitudes get neither a lost, an invented nor a folded-in event.
// Degrees; times are UT.
#pragma once

#include "astro/Calendar.h"
#include "astro/HorizonSearch.h"

#include <array>
#include <cstdint>

namespace selenara {

// Codes in place of a time. The first three are always written to both
// fields alike.
inline constexpr std::int32_t BelowHorizonAllDay = -2;
inline constexpr std::int32_t AboveHorizonAllDay = -3;
// No answer: the day is outside 0..876581, or an input is not a finite number.
inline constexpr std::int32_t OutsideDayRange = -4;
// The moon sets (or rises) on this day, but does not rise (or set).
inline constexpr std::int32_t NoEventThisDay = -1;

// The first rise and the first set of a UT day, in seconds of that day
// (0..86399), or one of the codes above.
struct RiseSetTimes {
    std::int32_t Rise = OutsideDayRange;
    std::int32_t Set = OutsideDayRange;
};

// Right ascension and declination at 0h UT of the day before, the day and
// the day after; right ascensions increase through the 0/360 seam.
struct ThreeDayEphemeris {
    std::array<double, 3> RightAscension{};
    std::array<double, 3> Declination{};
};

// General rise and set for any body on UT day `day`, its position
// interpolated from the three-day ephemeris by the published method's
// second-order formula, with a fixed standard altitude h0 (degrees).
RiseSetTimes RiseSetCore(DayNumber day, const ThreeDayEphemeris& ephemeris,
                         double standardAltitude, const Observer& observer);

// Moonrise and moonset of UT day `day`.
RiseSetTimes MoonRiseSet(DayNumber day, const Observer& observer);

// The longest span MoonHorizonCrossings searches, in days.
inline constexpr double MaxHorizonSpanDays = 32.0;

// Every moonrise and moonset in [from, to): the span of a
// local calendar day, say, searched a piece at a time. Not Valid for a span
// that is empty, longer than MaxHorizonSpanDays, not finite, or reaches more
// than two days beyond 1 January 1600 .. 31 December 3999, or for a place
// that is none (see FindHorizonCrossings).
HorizonCrossings MoonHorizonCrossings(JulianDateUt from, JulianDateUt to, const Observer& observer);

}  // namespace selenara
