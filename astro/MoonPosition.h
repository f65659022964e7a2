// The moon's geocentric position and the sidereal time at Greenwich.
//
// Source: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 47 (truncated to
// the terms of 520e-6 degree and more in longitude, 223e-6 degree and more
// in latitude) and ch. 12 (mean sidereal time). The instant is UT, used
// directly where the theory asks for dynamical time; no nutation, and the
// fixed mean obliquity of J2000.0. Degrees throughout.
#pragma once

#include "astro/Calendar.h"

namespace selenara {

struct MoonPosition {
    double RightAscension = -1.0;      // 0 <= a < 360; -1 for an invalid instant
    double Declination = -1.0;         // -90..+90; -1 for an invalid instant
    double HorizontalParallax = -1.0;  // equatorial horizontal parallax
};

// Ecliptic longitude and latitude (degrees) and distance (km), of date.
struct MoonEcliptic {
    double Longitude = 0.0;
    double Latitude = 0.0;
    double Distance = 0.0;
};

// Julian Date of a UT instant.
double JulianDateOf(DayTime ut);

// The moon's ecliptic position at a valid UT instant.
MoonEcliptic MoonEclipticAt(DayTime ut);

// Right ascension, declination and parallax at a UT instant; -1 for all
// three when the instant fails IsValidDayTime.
MoonPosition MoonPositionAt(DayTime ut);

// Mean sidereal time at Greenwich, 0 <= value < 360, or -1 for an invalid instant.
double MeanSiderealTime(DayTime ut);

}  // namespace selenara
