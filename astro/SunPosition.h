// The sun's geocentric place, to about 0.01 degree.
//
// Source: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 25, the series of
// low accuracy (the mean longitude and anomaly of the sun, the equation of
// the centre and the radius vector of the Earth's orbit). Geometric: no
// nutation and no aberration, the moon of astro/MoonPosition.h being taken
// without nutation as well, so that the two agree in their differences.
#pragma once

#include "astro/TimeScales.h"

namespace selenara {

struct SunEcliptic {
    double Longitude = 0.0;  // true geometric longitude, mean equinox of date, 0 <= value < 360
    double Distance = 0.0;   // astronomical units
};

// At a Julian Ephemeris Date (TT); any finite one, the series being smooth
// well beyond 1600..3999.
SunEcliptic SunEclipticAt(JulianEphemerisDate tt);

}  // namespace selenara
