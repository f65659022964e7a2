// How much of the moon's disk the sun lights, as seen from the Earth's centre.
//
// Source: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 48: the geocentric
// elongation of the moon from the sun (48.2) and the phase angle (48.3),
// from the moon of ch. 47 (astro/MoonPosition.h) and the sun of ch. 25
// (astro/SunPosition.h). Good to about 0.001 of the disk.
#pragma once

#include "astro/TimeScales.h"

namespace selenara {

// The illuminated fraction k = (1 + cos i) / 2 of the disk, 0..1, at a TT
// instant; NaN for a date that is not finite.
double IlluminatedFraction(JulianEphemerisDate tt);

}  // namespace selenara
