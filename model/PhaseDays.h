// Whether a day is the day of a principal phase, the latest principal phase
// of a day, and the moon-age picture number. Days are local calendar dates,
// judged exactly as the month table files its events, so the tray, the grid
// and the almanac's `now` agree.
#pragma once

#include "astro/LocalTime.h"
#include "model/PhaseEvents.h"

namespace selenara {

bool IstNeumondTag(DayNumber day, const ZoneClock& clock);
bool IstErstesViertelTag(DayNumber day, const ZoneClock& clock);
bool IstVollmondTag(DayNumber day, const ZoneClock& clock);
bool IstLetztesViertelTag(DayNumber day, const ZoneClock& clock);

// The latest principal phase of a local day: of the events whose local date
// is `day` or one of the ten days before it (principal phases are never more
// than nine days apart), the one with the latest instant. Its kind is never
// BlueMoon, as full moons are not counted by month here; None when no event
// lies in those days (far outside 1600..3999).
PhaseEvent LatestPhaseEvent(DayNumber day, const ZoneClock& clock);

// The moon-age picture number 1..28 of a day: 1 on a new-moon day, 8 on a
// first quarter, 15 on a full moon, 22 on a last quarter, counting up from
// the latest of them and held at 7, 14, 21 or 28. 1 for an invalid day.
int MondAlter(DayNumber day, const ZoneClock& clock);

}  // namespace selenara
