// Moonrise and moonset of a local calendar day at a place, in local clock time.
#pragma once

#include "astro/LocalTime.h"
#include "astro/Observer.h"

#include <cstdint>
#include <vector>

namespace selenara {

// Rise and set of one local day: every event that happens on that local
// date, none from a neighbouring day. On the day each month when the moon
// does not rise (or set) there is none; above about 60° the moon can rise
// (or set) twice in one day.
struct LocalRiseSet {
    // False for an invalid day and for a day the zone skips (no clock reads it).
    bool DayExists = false;
    std::vector<LocalDayTime> Rises;  // in time order
    std::vector<LocalDayTime> Sets;
    std::vector<UtDayTime> RisesUt;  // the same events in UT, for their offsets
    std::vector<UtDayTime> SetsUt;
    // With neither event: BelowHorizonAllDay or AboveHorizonAllDay when the
    // moon stays below or above the horizon; otherwise 0.
    std::int32_t AllDay = 0;
};

LocalRiseSet MondAufUntergang(DayNumber localDay, const Observer& observer, const ZoneClock& clock);

// The first rise (set) of the day; false when there is none (or the date is invalid).
bool Mondaufgang(int day, int month, int year, const Observer& observer, const ZoneClock& clock,
                 LocalDayTime& result);
bool Monduntergang(int day, int month, int year, const Observer& observer, const ZoneClock& clock,
                   LocalDayTime& result);

// The fixed European season: from the last Sunday of March 02:00 local,
// inclusive, to the last Sunday of October 02:00, exclusive.
bool IstSommerzeit(LocalDayTime local);

// Shifts a local time by the hour between the fixed season of `local` and
// that of now; the day is never changed. Times converted with the offset in
// force at their own instant (UtcToLocal) must not be corrected again.
void SommerzeitKorrektur(LocalDayTime& local, const ZoneClock& clock);

}  // namespace selenara
