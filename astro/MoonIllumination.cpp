#include "astro/MoonIllumination.h"

#include "astro/Angles.h"
#include "astro/MoonPosition.h"
#include "astro/SunPosition.h"

#include <algorithm>
#include <cmath>

namespace selenara {

double IlluminatedFraction(JulianEphemerisDate tt) {
    constexpr double KilometresPerAu = 149597870.7;
    const MoonEcliptic moon = MoonEclipticAt(tt);
    const SunEcliptic sun = SunEclipticAt(tt);
    // The sun's latitude stays below 1.2 arc seconds: taken as 0.
    const double cosElongation = std::cos(Radians(moon.Latitude)) *
                                 std::cos(Radians(moon.Longitude - sun.Longitude));
    const double sinElongation = std::sqrt(std::max(0.0, 1.0 - cosElongation * cosElongation));
    const double sunDistance = sun.Distance * KilometresPerAu;
    const double phaseAngle =
        std::atan2(sunDistance * sinElongation, moon.Distance - sunDistance * cosElongation);
    return (1.0 + std::cos(phaseAngle)) / 2.0;
}

}  // namespace selenara
