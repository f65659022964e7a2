#include "astro/Calendar.h"

namespace selenara {

static_assert(DateToDayNumber(1, 1, 1600) == 0);
static_assert(DateToDayNumber(29, 2, 1600) == 59);
static_assert(DateToDayNumber(1, 3, 1600) == 60);
static_assert(DateToDayNumber(1, 1, 2000) == 146097);
static_assert(DateToDayNumber(31, 12, 3999) == LastDay);
static_assert(DayNumberToDate(LastDay) == Date{31, 12, 3999});
static_assert(WeekdayOf(0) == 6 && WeekdayOf(146097) == 6);
static_assert(DayNumberToJulianDate(146102) == 2451549.5);  // 6 January 2000

DayNumber JulianDateToDayNumber(double jd, bool truncate) {
    const double x = jd + 0.5 - JulianDayOfDayZero;
    // The range is checked before rounding, also NaN fails it.
    if (!(x >= FirstDay && x <= LastDay)) return InvalidDay;
    return static_cast<DayNumber>(truncate ? x : x + 0.5);
}

}  // namespace selenara
