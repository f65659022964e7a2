#include "astro/LocalTime.h"

namespace selenara {

DayNumber TodayDayNumber(const ZoneClock& clock) { return clock.LocalNow().Day; }

SecondOfDay NowSecondOfDay(const ZoneClock& clock) { return clock.LocalNow().Second; }

static std::int64_t MinuteCount(DayTime t) {
    return std::int64_t{t.Day} * 1440 + FloorDiv(t.Second, 60);
}

DayTime UtcToLocal(DayTime ut, const ZoneClock& clock) {
    const std::int64_t minutes = MinuteCount(ut) + clock.UtcOffsetMinutesAt(ut);
    return {static_cast<DayNumber>(FloorDiv(minutes, 1440)),
            static_cast<SecondOfDay>(FloorMod(minutes, 1440) * 60 + FloorMod(ut.Second, 60))};
}

int OffsetMinutesBetween(DayTime ut, DayTime local) {
    return static_cast<int>(MinuteCount(local) - MinuteCount(ut));
}

}  // namespace selenara
