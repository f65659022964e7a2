// ΔT = TT − UT: how far Terrestrial Time, the uniform time of the lunar
// series, runs ahead of Universal Time, the time of the Earth's rotation.
#pragma once

#include "astro/TimeScales.h"

namespace selenara {

// ΔT in seconds for a decimal year (2000.0 is the start of 1 January 2000).
//
// Sources:
//  - 1620.0 .. 2024.0: the observed values at the start of each year,
//    interpolated linearly: 1620-1972 from the table of the Astronomical
//    Almanac (after Stephenson & Morrison), 1973-2024 from the IERS/USNO
//    Earth orientation data (TT - UT1).
//  - before 1620: F. Espenak and J. Meeus, Five Millennium Canon of Solar
//    Eclipses (NASA/TP-2006-214141), polynomial for 1600-1700. That
//    polynomial and the table disagree by 28 s at 1620, well inside the
//    uncertainty of the time, so the difference is faded in linearly over
//    1600..1620 to join the table without a step.
//  - after 2024: the polynomials of the same Canon were fitted before 2006 and
//    already give 75 s for 2026, when the observed value is about 69 s (the
//    Earth has turned a little faster since). So the last observed value and
//    its trend are continued by a cubic that joins the Canon's long-term
//    parabola -20 + 32 u^2 (u = (year - 1820) / 100) at 2150, in value and
//    slope; from 2150 on, the parabola itself.
//
// Valid range: 1600.0 .. 4000.0; a year outside it (NaN included) is taken
// as the nearer end, which is close enough for the few days beyond the
// calendar's range that the astronomy looks at.
//
// Uncertainty: about 0.1 s from 1955 on, a second or two in the 19th
// century, 5 to 20 s in the 17th. Later than the last observed year the
// value is a prediction: about 1 s by 2030, minutes by 2150, and by 4000,
// where ΔT is about four hours, an hour or more.
double DeltaT(double decimalYear);

// The decimal year of a Julian Date (either time scale: they differ by less
// than a day, which changes ΔT by well under a second).
double DecimalYearOf(double julianDate);

// The same instant in TT, and back in UT: the only ways between the scales.
JulianEphemerisDate TerrestrialTime(JulianDateUt ut);
JulianDateUt UniversalTime(JulianEphemerisDate tt);

}  // namespace selenara
