#include "model/MoonDay.h"

#include "astro/RiseSet.h"

#include <algorithm>

namespace selenara {
namespace {

// Accepts an event of UT day `utDay` when it really lies on that UT day and
// its local date is `localDay`; keeps the earliest such event.
void Take(DayNumber localDay, DayNumber utDay, std::int32_t second, int dayShift,
          const ZoneClock& clock, bool& has, DayTime& result) {
    if (has || second < 0 || dayShift != 0) return;
    const DayTime local = UtcToLocal({utDay, second}, clock);
    if (local.Day != localDay) return;
    has = true;
    result = local;
}

DayNumber LastSunday(int month, int year) {
    return DateToDayNumber(31 - WeekdayOfDate(31, month, year), month, year);
}

}  // namespace

LocalRiseSet MondAufUntergang(DayNumber localDay, double longitude, double latitude,
                              const ZoneClock& clock) {
    LocalRiseSet r;
    if (!IsValidDay(localDay)) return r;
    // The local day overlaps the UT day before it in zones east of Greenwich
    // and the UT day after it in zones west. The offsets are looked up near
    // the day's two ends; only their sign matters here.
    const int offsetAtStart = clock.UtcOffsetMinutesAt({localDay, 0});
    const int offsetAtEnd = clock.UtcOffsetMinutesAt({localDay, SecondsPerDay - 1});
    const DayNumber firstUt = localDay - (std::max(offsetAtStart, offsetAtEnd) > 0 ? 1 : 0);
    const DayNumber lastUt = localDay + (std::min(offsetAtStart, offsetAtEnd) < 0 ? 1 : 0);
    bool known = true;
    for (DayNumber ut = firstUt; ut <= lastUt; ++ut) {
        const RiseSetEvents e = MoonRiseSetEvents(ut, longitude, latitude);
        known = known && e.Times.Rise != OutsideDayRange;
        Take(localDay, ut, e.Times.Rise, e.RiseDayShift, clock, r.HasRise, r.Rise);
        Take(localDay, ut, e.Times.Set, e.SetDayShift, clock, r.HasSet, r.Set);
    }
    // Without a crossing the moon is on one side all day; its altitude at
    // local noon tells which (the UT codes speak of the UT day only).
    if (known && !r.HasRise && !r.HasSet) {
        const DayTime noon{localDay, SecondsPerDay / 2};
        const std::int64_t utSecond = std::int64_t{localDay} * SecondsPerDay + SecondsPerDay / 2 -
                                      std::int64_t{60} * clock.UtcOffsetMinutesAt(noon);
        const DayTime utNoon{static_cast<DayNumber>(FloorDiv(utSecond, SecondsPerDay)),
                             static_cast<SecondOfDay>(FloorMod(utSecond, SecondsPerDay))};
        r.AllDay = MoonAltitudeOverHorizon(utNoon, longitude, latitude) > 0.0 ? AboveHorizonAllDay
                                                                              : BelowHorizonAllDay;
    }
    return r;
}

bool Mondaufgang(int day, int month, int year, double longitude, double latitude,
                 const ZoneClock& clock, DayTime& result) {
    const LocalRiseSet r =
        MondAufUntergang(DateToDayNumber(day, month, year), longitude, latitude, clock);
    if (r.HasRise) result = r.Rise;
    return r.HasRise;
}

bool Monduntergang(int day, int month, int year, double longitude, double latitude,
                   const ZoneClock& clock, DayTime& result) {
    const LocalRiseSet r =
        MondAufUntergang(DateToDayNumber(day, month, year), longitude, latitude, clock);
    if (r.HasSet) result = r.Set;
    return r.HasSet;
}

bool IstSommerzeit(DayTime local) {
    if (!IsValidDay(local.Day)) return false;
    const int year = DayNumberToDate(local.Day).Year;
    const DayNumber start = LastSunday(3, year), end = LastSunday(10, year);
    constexpr SecondOfDay boundary = 7200;  // 02:00:00
    return (local.Day > start || (local.Day == start && local.Second >= boundary)) &&
           (local.Day < end || (local.Day == end && local.Second < boundary));
}

void SommerzeitKorrektur(DayTime& local, const ZoneClock& clock) {
    const bool atInstant = IstSommerzeit(local);
    const bool now = IstSommerzeit(clock.LocalNow());
    if (atInstant && !now) local.Second = AddTime(local.Second, 1, 0, 0);
    if (now && !atInstant) local.Second = SubtractTime(local.Second, 1, 0, 0);
}

}  // namespace selenara
