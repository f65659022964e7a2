#include "astro/DeltaT.h"

#include <cmath>
#include <iterator>

namespace selenara {
namespace {

constexpr int FirstObservedYear = 1620;

// Observed ΔT in seconds at the start of each year from 1620 (sources in the header).
constexpr double Observed[] = {
    124, 119, 115, 110, 106, 102, 98, 95, 91, 88,  // 1620
    85, 82, 79, 77, 74, 72, 70, 67, 65, 63,  // 1630
    62, 60, 58, 57, 55, 54, 53, 51, 50, 49,  // 1640
    48, 47, 46, 45, 44, 43, 42, 41, 40, 38,  // 1650
    37, 36, 35, 34, 33, 32, 31, 30, 28, 27,  // 1660
    26, 25, 24, 23, 22, 21, 20, 19, 18, 17,  // 1670
    16, 15, 14, 14, 13, 12, 12, 11, 11, 10,  // 1680
    10, 10, 9, 9, 9, 9, 9, 9, 9, 9,  // 1690
    9, 9, 9, 9, 9, 9, 9, 9, 10, 10,  // 1700
    10, 10, 10, 10, 10, 10, 10, 11, 11, 11,  // 1710
    11, 11, 11, 11, 11, 11, 11, 11, 11, 11,  // 1720
    11, 11, 11, 11, 12, 12, 12, 12, 12, 12,  // 1730
    12, 12, 12, 12, 13, 13, 13, 13, 13, 13,  // 1740
    13, 14, 14, 14, 14, 14, 14, 14, 15, 15,  // 1750
    15, 15, 15, 15, 15, 16, 16, 16, 16, 16,  // 1760
    16, 16, 16, 16, 16, 17, 17, 17, 17, 17,  // 1770
    17, 17, 17, 17, 17, 17, 17, 17, 17, 17,  // 1780
    17, 17, 16, 16, 16, 16, 15, 15, 14, 14,  // 1790
    13.7, 13.4, 13.1, 12.9, 12.7, 12.6, 12.5, 12.5, 12.5, 12.5,  // 1800
    12.5, 12.5, 12.5, 12.5, 12.5, 12.5, 12.5, 12.4, 12.3, 12.2,  // 1810
    12.0, 11.7, 11.4, 11.1, 10.6, 10.2, 9.6, 9.1, 8.6, 8.0,  // 1820
    7.5, 7.0, 6.6, 6.3, 6.0, 5.8, 5.7, 5.6, 5.6, 5.6,  // 1830
    5.7, 5.8, 5.9, 6.1, 6.2, 6.3, 6.5, 6.6, 6.8, 6.9,  // 1840
    7.1, 7.2, 7.3, 7.4, 7.5, 7.6, 7.7, 7.7, 7.8, 7.8,  // 1850
    7.88, 7.82, 7.54, 6.97, 6.40, 6.02, 5.41, 4.10, 2.92, 1.82,  // 1860
    1.61, 0.10, -1.02, -1.28, -2.69, -3.24, -3.64, -4.54, -4.71, -5.11,  // 1870
    -5.40, -5.42, -5.20, -5.46, -5.46, -5.79, -5.63, -5.64, -5.80, -5.66,  // 1880
    -5.87, -6.01, -6.19, -6.64, -6.44, -6.47, -6.09, -5.76, -4.66, -3.74,  // 1890
    -2.72, -1.54, -0.02, 1.24, 2.64, 3.86, 5.37, 6.14, 7.75, 9.13,  // 1900
    10.46, 11.53, 13.36, 14.65, 16.01, 17.20, 18.24, 19.06, 20.25, 20.95,  // 1910
    21.16, 22.25, 22.41, 23.03, 23.49, 23.62, 23.86, 24.49, 24.34, 24.08,  // 1920
    24.02, 24.00, 23.87, 23.95, 23.86, 23.93, 23.73, 23.92, 23.96, 24.02,  // 1930
    24.33, 24.83, 25.30, 25.70, 26.24, 26.77, 27.28, 27.78, 28.25, 28.71,  // 1940
    29.15, 29.57, 29.97, 30.36, 30.72, 31.07, 31.349, 31.677, 32.166, 32.671,  // 1950
    33.150, 33.584, 33.992, 34.466, 35.030, 35.738, 36.546, 37.429, 38.291, 39.204,  // 1960
    40.18, 41.17, 42.23, 43.37, 44.4841, 45.4761, 46.4567, 47.5214, 48.5344, 49.5861,  // 1970
    50.5387, 51.3808, 52.1668, 52.9565, 53.7882, 54.3427, 54.8713, 55.3222, 55.8197, 56.3000,  // 1980
    56.8553, 57.5653, 58.3092, 59.1218, 59.9845, 60.7853, 61.6287, 62.2950, 62.9659, 63.4673,  // 1990
    63.8285, 64.0908, 64.2998, 64.4734, 64.5736, 64.6876, 64.8452, 65.1464, 65.4573, 65.7768,  // 2000
    66.0699, 66.3246, 66.6030, 66.9069, 67.2810, 67.6439, 68.1024, 68.5927, 68.9676, 69.2202,  // 2010
    69.3612, 69.3594, 69.2945, 69.2039, 69.1752,  // 2020
};
constexpr int LastObservedYear = FirstObservedYear + static_cast<int>(std::size(Observed)) - 1;
static_assert(LastObservedYear == 2024);

constexpr double FirstValidYear = 1600.0, LastValidYear = 4000.0;
constexpr double ParabolaJoin = 2150.0;

// Espenak & Meeus, 1600..1700.
double Canon1600(double year) {
    const double t = year - 1600.0;
    return 120.0 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129.0;
}

// Espenak & Meeus, the long-term parabola, and its slope per year.
double Parabola(double year) {
    const double u = (year - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
}
double ParabolaSlope(double year) { return 0.64 * (year - 1820.0) / 100.0; }

double ObservedAt(double year) {
    const double x = year - FirstObservedYear;
    const auto i = static_cast<std::size_t>(x);
    if (i + 1 >= std::size(Observed)) return Observed[std::size(Observed) - 1];
    return Observed[i] + (x - static_cast<double>(i)) * (Observed[i + 1] - Observed[i]);
}

// Cubic Hermite from the last observed value and trend to the parabola at 2150.
double Bridge(double year) {
    constexpr double y0 = LastObservedYear;
    const double h = ParabolaJoin - y0;
    const double v0 = Observed[std::size(Observed) - 1];
    const double s0 = v0 - Observed[std::size(Observed) - 2];
    const double v1 = Parabola(ParabolaJoin), s1 = ParabolaSlope(ParabolaJoin);
    const double t = (year - y0) / h, t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * v0 + (t3 - 2 * t2 + t) * h * s0 + (-2 * t3 + 3 * t2) * v1 +
           (t3 - t2) * h * s1;
}

}  // namespace

double DeltaT(double year) {
    if (!(year >= FirstValidYear)) year = FirstValidYear;  // also NaN
    if (year > LastValidYear) year = LastValidYear;
    if (year < FirstObservedYear) {
        const double gap = Observed[0] - Canon1600(FirstObservedYear);
        return Canon1600(year) + gap * (year - FirstValidYear) / (FirstObservedYear - FirstValidYear);
    }
    if (year <= LastObservedYear) return ObservedAt(year);
    if (year < ParabolaJoin) return Bridge(year);
    return Parabola(year);
}

double DecimalYearOf(double julianDate) { return 2000.0 + (julianDate - 2451544.5) / 365.2425; }

JulianEphemerisDate TerrestrialTime(JulianDateUt ut) {
    return {ut.Days + DeltaT(DecimalYearOf(ut.Days)) / 86400.0};
}

JulianDateUt UniversalTime(JulianEphemerisDate tt) {
    return {tt.Days - DeltaT(DecimalYearOf(tt.Days)) / 86400.0};
}

}  // namespace selenara
