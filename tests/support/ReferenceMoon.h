// The moon's horizon crossings found the slow and obvious way: its altitude
// straight from the lunar theory, sampled at a fine step, each sign change
// halved down to a millisecond. The reference the rise and set search is
// held against; it shares only the theory and ΔT with the code under test.
#pragma once

#include "astro/Angles.h"
#include "astro/DeltaT.h"
#include "astro/MoonPosition.h"
#include "astro/Observer.h"

#include <cmath>
#include <vector>

namespace selenara::testing {

// Altitude of the moon's centre minus h0 = 0.7275 × parallax − 0.5667, degrees.
inline double MoonAltitudeOverH0(double julianDateUt, const Observer& observer) {
    const MoonPosition p = MoonPositionAt(TerrestrialTime(JulianDateUt{julianDateUt}));
    const double H = Radians(MeanSiderealTime(JulianDateUt{julianDateUt}) + observer.Longitude - p.RightAscension);
    const double delta = Radians(p.Declination), phi = Radians(observer.Latitude);
    const double altitude = Degrees(std::asin(std::sin(phi) * std::sin(delta) +
                                              std::cos(phi) * std::cos(delta) * std::cos(H)));
    return altitude - (0.7275 * p.HorizontalParallax - 0.5667);
}

struct SampledCrossing {
    double Ut;  // Julian Date
    bool Rising;
};

// Every sign change of the altitude over h0 in [from, to), sampled every
// `stepSeconds`: a spell above or below the horizon shorter than the step
// could slip through, so keep the step well below any the test expects.
inline std::vector<SampledCrossing> SampledMoonCrossings(double from, double to, const Observer& observer,
                                                         double stepSeconds = 20.0) {
    std::vector<SampledCrossing> out;
    const double step = stepSeconds / 86400.0;
    double t0 = from, g0 = MoonAltitudeOverH0(from, observer);
    for (double t1 = from + step; t0 < to; t1 += step) {
        const double g1 = MoonAltitudeOverH0(t1, observer);
        if ((g0 >= 0.0) != (g1 >= 0.0)) {
            double lo = t0, hi = t1;
            while (hi - lo > 1e-3 / 86400.0) {
                const double mid = (lo + hi) / 2.0;
                ((MoonAltitudeOverH0(mid, observer) >= 0.0) == (g0 >= 0.0) ? lo : hi) = mid;
            }
            if (hi < to) out.push_back({hi, g1 >= 0.0});
        }
        t0 = t1;
        g0 = g1;
    }
    return out;
}

}  // namespace selenara::testing
