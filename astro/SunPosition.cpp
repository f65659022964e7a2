#include "astro/SunPosition.h"

#include "astro/Angles.h"

#include <cmath>

namespace selenara {

SunEcliptic SunEclipticAt(JulianEphemerisDate tt) {
    const double T = (tt.Days - 2451545.0) / 36525.0;
    const double L0 = 280.46646 + 36000.76983 * T + 0.0003032 * T * T;
    const double M = Radians(Reduce360(357.52911 + 35999.05029 * T - 0.0001537 * T * T));
    const double e = 0.016708634 - 0.000042037 * T - 0.0000001267 * T * T;
    const double C = (1.914602 - 0.004817 * T - 0.000014 * T * T) * std::sin(M) +
                     (0.019993 - 0.000101 * T) * std::sin(2.0 * M) + 0.000289 * std::sin(3.0 * M);
    const double trueAnomaly = M + Radians(C);
    return {Reduce360(L0 + C), 1.000001018 * (1.0 - e * e) / (1.0 + e * std::cos(trueAnomaly))};
}

}  // namespace selenara
