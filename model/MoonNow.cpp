#include "model/MoonNow.h"

#include "astro/DeltaT.h"
#include "astro/MoonIllumination.h"
#include "astro/MoonPosition.h"

#include <limits>
#include <utility>
#include <vector>

namespace selenara {
namespace {

// A lunation is under 30 days, principal phases under nine days apart.
constexpr DayNumber LunationLookBack = 31;
constexpr DayNumber PhaseLookBack = 10;

double AgeDays(DayTime ut) {
    double age = std::numeric_limits<double>::quiet_NaN();
    for (const DayTime newMoon :
         PhaseEventsBetween(PhaseSelector::NewMoon, ut.Day - LunationLookBack, ut.Day))
        if (SecondCount(newMoon) <= SecondCount(ut))
            age = static_cast<double>(SecondCount(ut) - SecondCount(newMoon)) / SecondsPerDay;
    return age;
}

CyclePhase PhaseOfDay(DayNumber today, const ZoneClock& clock) {
    PhaseEvent latest;
    for (const PhaseSelector selector : PhaseSelectors)
        for (const PhaseEvent& e : LocalPhaseEvents(selector, today - PhaseLookBack, today, clock))
            if (latest.Kind == PhaseKind::None || SecondCount(e.Ut) > SecondCount(latest.Ut)) latest = e;
    if (latest.Kind == PhaseKind::None) return CyclePhase::NewMoon;
    // Kinds 1..4 are the principal phases, new moon to last quarter.
    const int principal = 2 * (static_cast<int>(latest.Kind) - 1);
    return static_cast<CyclePhase>(latest.Local.Day == today ? principal : principal + 1);
}

PhaseEvent NextPhaseEvent(DayTime ut, Date date, const ZoneClock& clock) {
    PhaseEvent next;
    // The next principal phase lies in this local month or the one after.
    const std::pair<int, int> months[] = {
        {date.Month, date.Year},
        date.Month == 12 ? std::pair{1, date.Year + 1} : std::pair{date.Month + 1, date.Year}};
    for (const auto& [month, year] : months)
        for (const PhaseSelector selector : PhaseSelectors)
            for (const PhaseEvent& e : MonthPhaseEvents(selector, month, year, clock))
                if (SecondCount(e.Ut) > SecondCount(ut) &&
                    (next.Kind == PhaseKind::None || SecondCount(e.Ut) < SecondCount(next.Ut)))
                    next = e;
    return next;
}

}  // namespace

MoonNow MoonAt(DayTime ut, const ZoneClock& clock) {
    MoonNow moon;
    moon.Ut = ut;
    moon.Local = UtcToLocal(ut, clock);
    moon.AgeDays = AgeDays(moon.Ut);
    moon.Illuminated = IlluminatedFraction(TerrestrialTime(JulianDateOf(moon.Ut)));
    moon.Phase = PhaseOfDay(moon.Local.Day, clock);
    moon.Next = NextPhaseEvent(moon.Ut, DayNumberToDate(moon.Local.Day), clock);
    return moon;
}

}  // namespace selenara
