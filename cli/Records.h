// The almanac's words for scripts, the same in every language: ISO 8601
// dates and times, numbers with a decimal point, and the names of the phase
// kinds.
#pragma once

#include "astro/TimeScales.h"
#include "model/PhaseEvents.h"

#include <string>
#include <string_view>

namespace selenara {

// "2026-12-24".
std::string IsoDate(DayNumber day);

// "02:28:41".
std::string IsoClock(SecondOfDay second);

// A local time with the offset it had from UT: "2026-12-24T02:28:41+01:00";
// an offset with seconds keeps them: "1600-01-01T00:53:28+00:53:28".
std::string IsoLocalTime(UtDayTime ut, LocalDayTime local);

// "10.3" for (10.25, 1): `decimals` (0..9) digits after a point, rounded as
// printf's "%.*f" rounds, whatever locale the process has set; empty for a
// number that is not finite.
std::string FixedPoint(double value, int decimals);

// "new", "first", "full", "blue" or "last"; empty for none.
std::string_view KindName(PhaseKind kind);

}  // namespace selenara
