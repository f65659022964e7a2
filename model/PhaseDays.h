// Whether a day is the day of a principal phase, and the moon-age picture
// number. Days are local calendar dates, judged exactly as the month table
// files its events, so the tray and the grid agree.
#pragma once

#include "astro/LocalTime.h"

namespace selenara {

bool IstNeumondTag(DayNumber day, const ZoneClock& clock);
bool IstErstesViertelTag(DayNumber day, const ZoneClock& clock);
bool IstVollmondTag(DayNumber day, const ZoneClock& clock);
bool IstLetztesViertelTag(DayNumber day, const ZoneClock& clock);

// The moon-age picture number 1..28 of a day: 1 on a new-moon day, 8 on a
// first quarter, 15 on a full moon, 22 on a last quarter, counting up from
// the latest of them and held at 7, 14, 21 or 28. 1 for an invalid day.
int MondAlter(DayNumber day, const ZoneClock& clock);

}  // namespace selenara
