#include "astro/MoonPosition.h"

#include "astro/Angles.h"
#include "astro/MoonTerms.h"

#include <cmath>

namespace selenara {
namespace {

constexpr double Obliquity = 0.409092804;  // radians, mean obliquity of J2000.0, for every date

double CenturiesSinceJ2000(double jd) { return (jd - 2451545.0) / 36525.0; }

struct Arguments {
    double Lp, D, M, Mp, F;  // radians
    double E;
    double Of(const moonterms::Multiples& k) const { return k.d * D + k.m * M + k.mp * Mp + k.f * F; }
    double Factor(int m) const { return m == 0 ? 1.0 : (m == 1 || m == -1) ? E : E * E; }
};

}  // namespace

MoonEcliptic MoonEclipticAt(TtDayTime tt) { return MoonEclipticAt(JulianDateOf(tt)); }

MoonEcliptic MoonEclipticAt(JulianEphemerisDate tt) {
    const double T = CenturiesSinceJ2000(tt.Days);
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    Arguments a{};
    const double LpDegrees = Reduce360(218.3164591 + 481267.88134236 * T - 0.0013268 * T2 +
                                       T3 / 538841.0 - T4 / 65194000.0);
    a.Lp = Radians(LpDegrees);
    a.D = Radians(Reduce360(297.8502042 + 445267.1115168 * T - 0.00163 * T2 + T3 / 545868.0 -
                            T4 / 113065000.0));
    a.M = Radians(Reduce360(357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000.0));
    a.Mp = Radians(Reduce360(134.9634114 + 477198.8676313 * T + 0.008997 * T2 + T3 / 69699.0 -
                             T4 / 14712000.0));
    a.F = Radians(Reduce360(93.2720993 + 483202.0175273 * T - 0.0034029 * T2 - T3 / 3526000.0 +
                            T4 / 863310000.0));
    const double A1 = Radians(Reduce360(119.75 + 131.849 * T));
    const double A2 = Radians(Reduce360(53.09 + 479264.29 * T));
    const double A3 = Radians(Reduce360(313.45 + 481266.484 * T));
    a.E = 1.0 - 0.002516 * T - 0.0000074 * T2;

    double sumL = 0.0, sumR = 0.0, sumB = 0.0;
    for (int i = 0; i < 60; ++i) {
        const moonterms::LongitudeDistanceTerm& t = moonterms::TableA[i];
        const double arg = a.Of(t.arg), factor = a.Factor(t.arg.m);
        if (i < moonterms::LongitudeRowsUsed) sumL += t.longitude * factor * std::sin(arg);
        if (t.distance != 0) sumR += t.distance * factor * std::cos(arg);
    }
    for (int i = 0; i < moonterms::LatitudeRowsUsed; ++i) {
        const moonterms::LatitudeTerm& t = moonterms::TableB[i];
        sumB += t.latitude * a.Factor(t.arg.m) * std::sin(a.Of(t.arg));
    }
    sumL += 3958.0 * std::sin(A1) + 1962.0 * std::sin(a.Lp - a.F) + 318.0 * std::sin(A2);
    sumB += -2235.0 * std::sin(a.Lp) + 382.0 * std::sin(A3) + 175.0 * std::sin(A1 - a.F) +
            175.0 * std::sin(A1 + a.F) + 127.0 * std::sin(a.Lp - a.Mp) - 115.0 * std::sin(a.Lp + a.Mp);

    return {LpDegrees + sumL / 1000000.0, sumB / 1000000.0, 385000.56 + sumR / 1000.0};
}

MoonPosition MoonPositionAt(TtDayTime tt) {
    if (!IsValidDayTime(tt)) return {};
    return MoonPositionAt(JulianDateOf(tt));
}

MoonPosition MoonPositionAt(JulianEphemerisDate tt) {
    const MoonEcliptic e = MoonEclipticAt(tt);
    const double lambda = Radians(e.Longitude), beta = Radians(e.Latitude);
    const double sinEps = std::sin(Obliquity), cosEps = std::cos(Obliquity);
    MoonPosition p;
    p.RightAscension = Degrees(FullCircleAngle(
        std::cos(lambda), std::sin(lambda) * cosEps - std::tan(beta) * sinEps));
    p.Declination = Degrees(
        std::asin(std::sin(beta) * cosEps + std::cos(beta) * sinEps * std::sin(lambda)));
    p.HorizontalParallax = Degrees(std::asin(6378.14 / e.Distance));
    p.Ok = std::isfinite(tt.Days);
    return p;
}

SiderealTime MeanSiderealTime(UtDayTime ut) {
    if (!IsValidDayTime(ut)) return {};
    return {MeanSiderealTime(JulianDateOf(ut)), true};
}

double MeanSiderealTime(JulianDateUt ut) {
    const double T = CenturiesSinceJ2000(ut.Days);
    return Reduce360(280.46061837 + 360.98564736629 * (ut.Days - 2451545.0) + 0.000387933 * T * T -
                     T * T * T / 38710000.0);
}

}  // namespace selenara
