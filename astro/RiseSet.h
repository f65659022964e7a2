// Rising and setting of the moon for one UT day and place.
//
// Source: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 15 (rising,
// transit and setting): three positions at consecutive midnights, an
// approximate time from the hour angle at the horizon, then at most five
// refinement passes on interpolated positions. Degrees; longitude east
// positive, latitude north positive; times are UT.
#pragma once

#include "astro/Calendar.h"

#include <array>
#include <cstdint>

namespace selenara {

// Codes in place of a time; always written to both fields alike.
inline constexpr std::int32_t BelowHorizonAllDay = -2;
inline constexpr std::int32_t AboveHorizonAllDay = -3;
// No answer: the day before or after is outside 0..876581, or an input is
// NaN or infinite.
inline constexpr std::int32_t OutsideDayRange = -4;

// Seconds of the UT day (0..86399), or one of the codes above.
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

// The times of RiseSetTimes together with the UT day each refined event
// really lies on, as a shift from the day asked for. Refinement can carry an
// event across midnight (on the day each month when the moon does not rise
// or set); the time is then folded onto the day asked for, and the shift
// tells the event belongs to the neighbouring day.
struct RiseSetEvents {
    RiseSetTimes Times;
    int RiseDayShift = 0;
    int SetDayShift = 0;
};

// General rise and set for any body, given its ephemeris and standard
// altitude h0 (degrees). Codes -2 and -3 as above; -4 for an input that is
// not a finite number or so large that the arithmetic overflows.
RiseSetEvents RiseSetCoreEvents(DayNumber day, const ThreeDayEphemeris& ephemeris,
                                double standardAltitude, double latitude, double longitude);
RiseSetTimes RiseSetCore(DayNumber day, const ThreeDayEphemeris& ephemeris,
                         double standardAltitude, double latitude, double longitude);

// Moonrise and moonset of UT day `day`; -4 when day - 1 or day + 1 is
// invalid or a coordinate is not a finite number.
RiseSetEvents MoonRiseSetEvents(DayNumber day, double longitude, double latitude);
RiseSetTimes MoonRiseSet(DayNumber day, double longitude, double latitude);

// The moon's geocentric altitude at a valid UT instant minus the standard
// altitude of rise and set (with the parallax of that instant), in degrees:
// positive while the moon is up.
double MoonAltitudeOverHorizon(DayTime ut, double longitude, double latitude);

}  // namespace selenara
