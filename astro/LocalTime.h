// The computer's clock and time zone, as the core sees them.
//
// The core never reads the system clock itself: "now" and the zone rules
// reach it through ZoneClock, so that tests can fix both. Only the
// platform layer implements it against the real system.
#pragma once

#include "astro/Calendar.h"

#include <cstdint>

namespace selenara {

class ZoneClock {
public:
    virtual ~ZoneClock() = default;

    // The local calendar day and clock time now.
    virtual DayTime LocalNow() const = 0;

    // Minutes that local clock time is ahead of UT (east positive) at the UT
    // instant `ut`, by the zone's rules for that instant. The day may lie
    // slightly outside 0..876581 (the astronomy looks across the range ends).
    virtual int UtcOffsetMinutesAt(DayTime ut) const = 0;
};

DayNumber TodayDayNumber(const ZoneClock& clock);
SecondOfDay NowSecondOfDay(const ZoneClock& clock);

// UT to local clock time, with the offset in force at that instant (so a
// July event seen in December keeps its summer hour). Whole minutes are
// shifted; the seconds of the input survive unchanged.
DayTime UtcToLocal(DayTime ut, const ZoneClock& clock);

// Offset in minutes of a local time from the UT time it was converted from.
int OffsetMinutesBetween(DayTime ut, DayTime local);

// The UT seconds (counted from 0h UT of day 0) in which the local clock
// reads `localDay`: [Begin, End). Empty (Begin == End) for a day the zone
// skips, as Pacific/Apia skipped 30 December 2011; 23 or 25 hours long where
// the clock is set forward or back that day.
struct UtSpan {
    std::int64_t Begin = 0;
    std::int64_t End = 0;
    bool Empty() const { return End <= Begin; }
};
UtSpan LocalDayInUt(DayNumber localDay, const ZoneClock& clock);

}  // namespace selenara
