// Angle helpers shared by the lunar series. Degrees unless a name says radians.
#pragma once

#include <cmath>

namespace selenara {

inline constexpr double DegreesPerRadian = 57.29577951308232;

inline double Radians(double degrees) { return degrees / DegreesPerRadian; }
inline double Degrees(double radians) { return radians * DegreesPerRadian; }

// The fractional part of x, truncated toward zero (keeps the sign of x).
inline double FractionalPart(double x) { return x - std::trunc(x); }

// An angle brought into 0 <= a < 360 the way the published series do it:
// the truncated fraction of a full turn, plus a turn when negative.
inline double Reduce360(double degrees) {
    const double a = FractionalPart(degrees / 360.0) * 360.0;
    return a < 0.0 ? a + 360.0 : a;
}

// Angle of the vector (x, y) in radians, 0 <= angle < 2 pi.
inline double FullCircleAngle(double x, double y) {
    constexpr double pi = 3.14159265358979323846;
    if (x == 0.0) return y >= 0.0 ? pi / 2.0 : 3.0 * pi / 2.0;
    const double a = std::atan2(y, x);
    return a < 0.0 ? a + 2.0 * pi : a;
}

}  // namespace selenara
