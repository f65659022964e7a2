#include "astro/TimeScales.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace selenara {

template <TimeScale Scale>
DayTime<Scale> DayTimeOf(JulianDate<Scale> jd) {
    const double dayCount = std::floor(jd.Days + 0.5 - JulianDayOfDayZero);
    // NaN or a count beyond int32 has no day number to convert to.
    if (!(dayCount >= std::numeric_limits<DayNumber>::min() &&
          dayCount <= std::numeric_limits<DayNumber>::max()))
        return {};
    const double fraction = jd.Days + 0.5 - std::floor(jd.Days + 0.5);
    const auto second = static_cast<std::int32_t>(fraction * SecondsPerDay);
    return {static_cast<DayNumber>(dayCount), SecondOfDay{std::min(second, SecondsPerDay - 1)}};
}

template UtDayTime DayTimeOf(JulianDateUt jd);
template TtDayTime DayTimeOf(JulianEphemerisDate jd);

}  // namespace selenara
