// Moonrise and moonset of a local calendar day at a place, in local clock time.
#pragma once

#include "astro/LocalTime.h"

#include <cstdint>

namespace selenara {

// Rise and set of one local day. An event is present only when it really
// happens on that local date: on the day each month when the moon does not
// rise (or set) it is absent.
struct LocalRiseSet {
    bool HasRise = false;
    DayTime Rise;  // local clock time
    bool HasSet = false;
    DayTime Set;  // local clock time
    // With neither event: BelowHorizonAllDay or AboveHorizonAllDay when the
    // moon stays below or above the horizon; otherwise 0.
    std::int32_t AllDay = 0;
};

// Longitude east positive, latitude north positive, degrees.
LocalRiseSet MondAufUntergang(DayNumber localDay, double longitude, double latitude,
                              const ZoneClock& clock);

// False when the event does not happen on that day (or the date is invalid).
bool Mondaufgang(int day, int month, int year, double longitude, double latitude,
                 const ZoneClock& clock, DayTime& result);
bool Monduntergang(int day, int month, int year, double longitude, double latitude,
                   const ZoneClock& clock, DayTime& result);

// The fixed European season: from the last Sunday of March 02:00 local,
// inclusive, to the last Sunday of October 02:00, exclusive.
bool IstSommerzeit(DayTime local);

// Shifts a local time by the hour between the fixed season of `local` and
// that of now; the day is never changed. Times converted with the offset in
// force at their own instant (UtcToLocal) must not be corrected again.
void SommerzeitKorrektur(DayTime& local, const ZoneClock& clock);

}  // namespace selenara
