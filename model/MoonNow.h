// The moon at one instant, for a one-line report: its age, lit fraction,
// the phase of the cycle it is in and the next principal phase.
#pragma once

#include "astro/LocalTime.h"
#include "model/PhaseEvents.h"

namespace selenara {

// The eight phases of the lunar cycle, in order from the new moon.
enum class CyclePhase : std::uint8_t {
    NewMoon = 0,
    WaxingCrescent = 1,
    FirstQuarter = 2,
    WaxingGibbous = 3,
    FullMoon = 4,
    WaningGibbous = 5,
    LastQuarter = 6,
    WaningCrescent = 7,
};

struct MoonNow {
    UtDayTime Ut;        // the instant
    LocalDayTime Local;  // its local clock time
    // Days since the latest new moon at or before the instant, the new moon
    // that `phases` lists; NaN when none lies within the calendar's range.
    double AgeDays = 0.0;
    // The lit fraction of the disk, 0..1, seen from the Earth's centre.
    double Illuminated = 0.0;
    // By local dates, as the tray's picture judges a day (LatestPhaseEvent):
    // on the local date of a principal phase that phase; after it, until the
    // next, the phase between (waxing crescent after a new moon, and so on).
    CyclePhase Phase = CyclePhase::NewMoon;
    // The first principal phase after the instant, a month's second full
    // moon as a blue moon; kind None beyond the calendar's range.
    PhaseEvent Next;
};

// The moon at the UT instant `ut`, with local times in the clock's zone.
MoonNow MoonAt(UtDayTime ut, const ZoneClock& clock);

}  // namespace selenara
