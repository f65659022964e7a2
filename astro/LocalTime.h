// The computer's clock and time zone, as the core sees them.
//
// The core never reads the system clock itself: "now" and the zone rules
// reach it through ZoneClock, so that tests can fix both. Only the
// platform layer implements it against the real system.
#pragma once

#include "astro/TimeScales.h"

#include <cstdint>

namespace selenara {

class ZoneClock {
public:
    virtual ~ZoneClock() = default;

    // The instant now, in UT. Local time is derived from it, never the other
    // way round: the hour a clock repeats in autumn has two instants for
    // every reading. It may lie outside 1600..3999; ReadClock brings it in.
    virtual UtDayTime UtNow() const = 0;

    // Seconds that local clock time is ahead of UT (east positive) at the UT
    // instant `ut`, by the zone's rules for that instant; local mean times
    // keep their seconds (Berlin's +00:53:28 before 1893). The day may lie
    // slightly outside 0..876581 (the astronomy looks across the range ends).
    virtual int UtcOffsetSecondsAt(UtDayTime ut) const = 0;
};

// One reading of the clock, so that everything taken from "now" agrees:
// the instant and its local clock time. A clock outside 1600..3999 reads as
// the nearer end of that range, the first or last second whose local date
// lies in it.
struct ClockReading {
    UtDayTime Ut;
    LocalDayTime Local;
};
ClockReading ReadClock(const ZoneClock& clock);

// The local date and clock time of one reading each.
DayNumber TodayDayNumber(const ZoneClock& clock);
SecondOfDay NowSecondOfDay(const ZoneClock& clock);

// UT to local clock time, with the offset in force at that instant (so a
// July event seen in December keeps its summer hour).
LocalDayTime UtcToLocal(UtDayTime ut, const ZoneClock& clock);

// Local clock time back to UT: the instant at which the clock first reads
// `local`. In an hour the clock repeats, that is the first time round; in
// an hour it skips, the instant the clock jumps past it.
UtDayTime LocalToUtc(LocalDayTime local, const ZoneClock& clock);

// Offset in seconds of a local time from the UT time it was converted from.
int OffsetSecondsBetween(UtDayTime ut, LocalDayTime local);

// The UT seconds (counted from 0h UT of day 0) in which the local clock
// reads `localDay`: [Begin, End). 23 or 25 hours long where the clock is set
// forward or back that day; empty for a day the zone skips, as Pacific/Apia
// skipped 30 December 2011. Where a zone's data rounds old local mean times
// to whole minutes (Manila's -15:56:08 before it skipped 31 December 1844),
// each offset of a change can be up to a minute off, so a skipped day can
// leave a ghost of under two minutes: that counts as empty too.
struct UtSpan {
    std::int64_t Begin = 0;
    std::int64_t End = 0;
    bool Empty() const { return End - Begin < 120; }
};
UtSpan LocalDayInUt(DayNumber localDay, const ZoneClock& clock);

}  // namespace selenara
