// The moon's geocentric position and the sidereal time at Greenwich.
//
// Source: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 47 (truncated to
// the terms of 520e-6 degree and more in longitude, 223e-6 degree and more
// in latitude) and ch. 12 (mean sidereal time). No nutation, and the fixed
// mean obliquity of J2000.0. Degrees throughout.
//
// Time scales: the lunar theory takes Terrestrial Time, the sidereal time
// UT; the types say so. For an instant in UT, the moon's functions take
// TerrestrialTime (astro/DeltaT.h) of it: read as TT, a UT instant would put
// the moon where it was ΔT earlier (a few seconds of rise time near 2000, up
// to 18 minutes by 4000).
#pragma once

#include "astro/TimeScales.h"

namespace selenara {

// The moon's place in the sky. Ok is false for an instant that fails
// IsValidDayTime, and the angles are then 0: no angle can mark it, as
// every one is a place the moon can be.
struct MoonPosition {
    double RightAscension = 0.0;      // 0 <= a < 360
    double Declination = 0.0;         // -90..+90
    double HorizontalParallax = 0.0;  // equatorial horizontal parallax
    bool Ok = false;
};

// Mean sidereal time at Greenwich; Ok is false (and Degrees 0) for an
// instant that fails IsValidDayTime.
struct SiderealTime {
    double Degrees = 0.0;  // 0 <= value < 360
    bool Ok = false;
};

// Ecliptic longitude and latitude (degrees) and distance (km), of date.
struct MoonEcliptic {
    double Longitude = 0.0;
    double Latitude = 0.0;
    double Distance = 0.0;
};

// The moon's ecliptic position at a Julian Ephemeris Date, or at a TT instant.
MoonEcliptic MoonEclipticAt(JulianEphemerisDate tt);
MoonEcliptic MoonEclipticAt(TtDayTime tt);

// Right ascension, declination and parallax at a Julian Ephemeris Date (any
// finite one: the astronomy also looks just beyond 1600..3999), or at a TT
// instant; not Ok for a Julian Date that is not finite or an instant that
// fails IsValidDayTime.
MoonPosition MoonPositionAt(JulianEphemerisDate tt);
MoonPosition MoonPositionAt(TtDayTime tt);

// Mean sidereal time at Greenwich in degrees, 0 <= value < 360, at a Julian
// Date in UT, or at a UT instant.
double MeanSiderealTime(JulianDateUt ut);
SiderealTime MeanSiderealTime(UtDayTime ut);

}  // namespace selenara
