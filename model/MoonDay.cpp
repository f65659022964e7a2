#include "model/MoonDay.h"

#include "astro/RiseSet.h"

#include <algorithm>
#include <cmath>

namespace selenara {
namespace {

constexpr JulianDateUt StartOfDayZero = StartOfDay<TimeScale::Universal>(FirstDay);

DayNumber LastSunday(int month, int year) {
    return DateToDayNumber(31 - WeekdayOfDate(31, month, year), month, year);
}

}  // namespace

LocalRiseSet MondAufUntergang(DayNumber localDay, const Observer& observer, const ZoneClock& clock) {
    LocalRiseSet r;
    if (!IsValidDay(localDay)) return r;
    const UtSpan span = LocalDayInUt(localDay, clock);
    if (span.Empty()) return r;
    const auto julianDate = [](std::int64_t utSecond) {
        return StartOfDayZero + static_cast<double>(utSecond) / SecondsPerDay;
    };
    const HorizonCrossings c =
        MoonHorizonCrossings(julianDate(span.Begin), julianDate(span.End), observer);
    if (!c.Valid) return r;
    r.DayExists = true;
    for (const HorizonCrossing& e : c.Crossings) {
        // Truncated to the second, and kept inside the span against the last
        // bit of rounding in the Julian Date.
        const auto second = static_cast<std::int64_t>(std::floor((e.Ut - StartOfDayZero) * SecondsPerDay));
        const std::int64_t ut = std::clamp(second, span.Begin, span.End - 1);
        const UtDayTime utTime = UtDayTime::OfSecondCount(ut);
        const LocalDayTime local = UtcToLocal(utTime, clock);
        if (local.Day != localDay) continue;
        (e.Rising ? r.Rises : r.Sets).push_back(local);
        (e.Rising ? r.RisesUt : r.SetsUt).push_back(utTime);
    }
    if (r.Rises.empty() && r.Sets.empty())
        r.AllDay = c.UpAtBegin ? AboveHorizonAllDay : BelowHorizonAllDay;
    return r;
}

bool Mondaufgang(int day, int month, int year, const Observer& observer, const ZoneClock& clock,
                 LocalDayTime& result) {
    const LocalRiseSet r = MondAufUntergang(DateToDayNumber(day, month, year), observer, clock);
    if (!r.Rises.empty()) result = r.Rises.front();
    return !r.Rises.empty();
}

bool Monduntergang(int day, int month, int year, const Observer& observer, const ZoneClock& clock,
                   LocalDayTime& result) {
    const LocalRiseSet r = MondAufUntergang(DateToDayNumber(day, month, year), observer, clock);
    if (!r.Sets.empty()) result = r.Sets.front();
    return !r.Sets.empty();
}

bool IstSommerzeit(LocalDayTime local) {
    if (!IsValidDay(local.Day)) return false;
    const int year = DayNumberToDate(local.Day).Year;
    const DayNumber start = LastSunday(3, year), end = LastSunday(10, year);
    constexpr SecondOfDay boundary{7200};  // 02:00:00
    return (local.Day > start || (local.Day == start && local.Second >= boundary)) &&
           (local.Day < end || (local.Day == end && local.Second < boundary));
}

void SommerzeitKorrektur(LocalDayTime& local, const ZoneClock& clock) {
    const bool atInstant = IstSommerzeit(local);
    const bool now = IstSommerzeit(ReadClock(clock).Local);
    if (atInstant && !now) local.Second = AddTime(local.Second, 1, 0, 0);
    if (now && !atInstant) local.Second = SubtractTime(local.Second, 1, 0, 0);
}

}  // namespace selenara
