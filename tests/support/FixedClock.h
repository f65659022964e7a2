// A clock for tests: a fixed "now" and a fixed zone, written out as the
// rules of that zone so that tests do not depend on the machine's zone data.
#pragma once

#include "astro/LocalTime.h"
#include "support/Instants.h"

#include <functional>

namespace selenara::testing {

// Offset (seconds east of UT) at a UT instant.
using ZoneRule = std::function<int(UtDayTime)>;

inline int Utc(UtDayTime) { return 0; }

inline DayNumber NthSunday(int n, int month, int year) {
    const int first = WeekdayOfDate(1, month, year);
    return DateToDayNumber(1 + (7 - first) % 7 + 7 * (n - 1), month, year);
}
inline DayNumber LastSundayOf(int month, int year) {
    return DateToDayNumber(DaysInMonth(month, year) - WeekdayOfDate(DaysInMonth(month, year), month, year),
                           month, year);
}
// True when a UT instant lies in [start, end), both given as UT day and hour.
inline bool Between(UtDayTime ut, DayNumber startDay, int startHour, DayNumber endDay, int endHour) {
    const long long t = SecondCount(ut);
    return t >= 86400LL * startDay + 3600 * startHour && t < 86400LL * endDay + 3600 * endHour;
}

// Central European time with the European Union's summer time (since 1996):
// last Sunday of March 01:00 UT to last Sunday of October 01:00 UT.
inline int EuropeBerlin(UtDayTime ut) {
    const int year = DayNumberToDate(ut.Day).Year;
    return Between(ut, LastSundayOf(3, year), 1, LastSundayOf(10, year), 1) ? 7200 : 3600;
}

// US Eastern time: daylight time from 2:00 local on the second Sunday of
// March to the first Sunday of November (since 2007), before that from the
// first Sunday of April to the last Sunday of October (1987-2006).
inline int AmericaNewYork(UtDayTime ut) {
    const int year = DayNumberToDate(ut.Day).Year;
    const bool summer = year >= 2007
                            ? Between(ut, NthSunday(2, 3, year), 7, NthSunday(1, 11, year), 6)
                            : Between(ut, NthSunday(1, 4, year), 7, LastSundayOf(10, year), 6);
    return summer ? -4 * 3600 : -5 * 3600;
}

// "Now" given as local clock time is the first instant the clock reads it;
// the hour a clock repeats needs SetUtNow for its second time round.
class FixedClock final : public ZoneClock {
public:
    FixedClock(LocalDayTime localNow, ZoneRule zone) : zone_(std::move(zone)) { SetNow(localNow); }
    UtDayTime UtNow() const override { return now_; }
    int UtcOffsetSecondsAt(UtDayTime ut) const override { return zone_(ut); }
    void SetNow(LocalDayTime localNow) { now_ = LocalToUtc(localNow, *this); }
    void SetUtNow(UtDayTime ut) { now_ = ut; }

private:
    UtDayTime now_;
    ZoneRule zone_;
};

// A December day, standard time in force in both zones above.
inline LocalDayTime WinterNoon() { return Local(DateToDayNumber(8, 12, 2026), 12); }

}  // namespace selenara::testing
