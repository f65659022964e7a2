#include "astro/RiseSet.h"

#include "astro/Angles.h"
#include "astro/MoonPosition.h"

#include <cmath>

namespace selenara {
namespace {

// The moon's standard altitude for a horizontal parallax: refraction and
// semi-diameter against parallax, as the published method gives it.
double StandardAltitude(double parallax) { return 0.7275 * parallax - 0.5667; }

double Altitude(double latitude, double declination, double hourAngle) {
    const double phi = Radians(latitude), delta = Radians(declination), H = Radians(hourAngle);
    return Degrees(std::asin(std::sin(phi) * std::sin(delta) +
                             std::cos(phi) * std::cos(delta) * std::cos(H)));
}

// A day fraction brought into 0 <= m < 1: whole days dropped, then a day
// added when negative.
double IntoDay(double m) {
    if (std::fabs(m) >= 1.0) m = FractionalPart(m);
    return m < 0.0 ? m + 1.0 : m;
}

// Second-order interpolation between three tabular values at day fraction m.
double Interpolate(const std::array<double, 3>& y, double m) {
    const double a = y[1] - y[0], b = y[2] - y[1], c = b - a;
    return y[1] + (m / 2.0) * (a + b + m * c);
}

struct Refined {
    std::int32_t Second;
    int DayShift;
};

Refined Refine(double m, double siderealAtMidnight, const ThreeDayEphemeris& e, double h0,
               double latitude, double longitude) {
    const double phi = Radians(latitude);
    const double estimate = m;
    double m4 = 0.0, f4 = 0.0;
    for (int pass = 1; pass <= 5; ++pass) {
        const double theta = Reduce360(siderealAtMidnight + 360.985647 * m);
        const double alpha = Interpolate(e.RightAscension, m);
        const double delta = Interpolate(e.Declination, m);
        const double H = longitude + theta - alpha;
        const double f = Altitude(latitude, delta, H) - h0;
        const double dm =
            f / (360.0 * std::cos(Radians(delta)) * std::cos(phi) * std::sin(Radians(H)));
        m += dm;
        if (std::fabs(dm) < 0.0005) break;
        if (pass == 4) {
            m4 = m;
            f4 = f;
        } else if (pass == 5) {
            // No convergence after five passes: one last secant-like step.
            m = m4 + (f4 / f) * (m4 - m);
        }
    }
    // A step through sin(H) = 0 throws m off to infinity or NaN; the
    // approximate time is then the best there is.
    if (!(std::fabs(m) < 1e6)) m = estimate;
    // Folded by whole days, however far refinement went: one day back was
    // not enough for the wild steps of an absurd longitude.
    const double dayFraction = m - std::floor(m);
    auto second = static_cast<std::int32_t>(dayFraction * SecondsPerDay);
    if (second > SecondsPerDay - 1) second -= SecondsPerDay;
    return {second, static_cast<int>(std::floor(m))};
}

}  // namespace

RiseSetEvents RiseSetCoreEvents(DayNumber day, const ThreeDayEphemeris& e, double h0,
                                double latitude, double longitude) {
    bool finite = std::isfinite(h0) && std::isfinite(latitude) && std::isfinite(longitude);
    for (int i = 0; i < 3; ++i)
        finite = finite && std::isfinite(e.RightAscension[i]) && std::isfinite(e.Declination[i]);
    if (!finite) return {};
    const double sidereal = MeanSiderealTime({day, 0});
    const double phi = Radians(latitude), delta2 = Radians(e.Declination[1]);
    const double cosH0 = (std::sin(Radians(h0)) - std::sin(phi) * std::sin(delta2)) /
                         (std::cos(phi) * std::cos(delta2));
    if (!(std::fabs(cosH0) < 1.0)) {
        const std::int32_t code = cosH0 > 0.0 ? BelowHorizonAllDay : AboveHorizonAllDay;
        return {{code, code}, 0, 0};
    }
    const double H0 = Degrees(std::acos(cosH0));
    const double m0 = IntoDay((e.RightAscension[1] - longitude - sidereal) / 360.0);
    if (!std::isfinite(m0)) return {};  // finite inputs, but their difference overflowed
    const Refined rise = Refine(IntoDay(m0 - H0 / 360.0), sidereal, e, h0, latitude, longitude);
    const Refined set = Refine(IntoDay(m0 + H0 / 360.0), sidereal, e, h0, latitude, longitude);
    return {{rise.Second, set.Second}, rise.DayShift, set.DayShift};
}

RiseSetTimes RiseSetCore(DayNumber day, const ThreeDayEphemeris& e, double h0, double latitude,
                         double longitude) {
    return RiseSetCoreEvents(day, e, h0, latitude, longitude).Times;
}

RiseSetEvents MoonRiseSetEvents(DayNumber day, double longitude, double latitude) {
    // Compared, not offset: day - 1 would overflow for the lowest day numbers.
    if (day <= FirstDay || day >= LastDay) return {};
    ThreeDayEphemeris e;
    double parallax = 0.0;
    for (int i = 0; i < 3; ++i) {
        const MoonPosition p = MoonPositionAt({day - 1 + i, 0});
        e.RightAscension[i] = p.RightAscension;
        e.Declination[i] = p.Declination;
        if (i == 1) parallax = p.HorizontalParallax;
    }
    if (e.RightAscension[1] < e.RightAscension[0]) e.RightAscension[1] += 360.0;
    if (e.RightAscension[2] < e.RightAscension[1]) e.RightAscension[2] += 360.0;
    return RiseSetCoreEvents(day, e, StandardAltitude(parallax), latitude, longitude);
}

RiseSetTimes MoonRiseSet(DayNumber day, double longitude, double latitude) {
    return MoonRiseSetEvents(day, longitude, latitude).Times;
}

double MoonAltitudeOverHorizon(DayTime ut, double longitude, double latitude) {
    const MoonPosition p = MoonPositionAt(ut);
    const double hourAngle = MeanSiderealTime(ut) + longitude - p.RightAscension;
    return Altitude(latitude, p.Declination, hourAngle) - StandardAltitude(p.HorizontalParallax);
}

}  // namespace selenara
