#include "model/MoonNow.h"

#include "astro/DeltaT.h"
#include "astro/MoonIllumination.h"
#include "astro/MoonPosition.h"
#include "model/PhaseDays.h"

#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace selenara {
namespace {

// A lunation is under 30 days.
constexpr DayNumber LunationLookBack = 31;

double AgeDays(UtDayTime ut) {
    double age = std::numeric_limits<double>::quiet_NaN();
    for (const UtDayTime newMoon :
         PhaseEventsBetween(PhaseSelector::NewMoon, ut.Day - LunationLookBack, ut.Day))
        if (newMoon <= ut)
            age = static_cast<double>(SecondCount(ut) - SecondCount(newMoon)) / SecondsPerDay;
    return age;
}

CyclePhase PhaseOfDay(DayNumber today, const ZoneClock& clock) {
    using enum CyclePhase;
    const PhaseEvent latest = LatestPhaseEvent(today, clock);
    const std::optional<PhaseSelector> phase = SelectorOf(latest.Kind);
    if (!phase) return NewMoon;
    const bool onItsDate = latest.Local.Day == today;
    switch (*phase) {
        case PhaseSelector::NewMoon: return onItsDate ? NewMoon : WaxingCrescent;
        case PhaseSelector::FirstQuarter: return onItsDate ? FirstQuarter : WaxingGibbous;
        case PhaseSelector::FullMoon: return onItsDate ? FullMoon : WaningGibbous;
        case PhaseSelector::LastQuarter: break;
    }
    return onItsDate ? LastQuarter : WaningCrescent;
}

PhaseEvent NextPhaseEvent(UtDayTime ut, Date date, const ZoneClock& clock) {
    PhaseEvent next;
    // The next principal phase lies in this local month or the one after.
    const std::pair<int, int> months[] = {
        {date.Month, date.Year},
        date.Month == 12 ? std::pair{1, date.Year + 1} : std::pair{date.Month + 1, date.Year}};
    for (const auto& [month, year] : months)
        for (const PhaseSelector selector : PhaseSelectors)
            for (const PhaseEvent& e : MonthPhaseEvents(selector, month, year, clock))
                if (e.Ut > ut && (next.Kind == PhaseKind::None || e.Ut < next.Ut))
                    next = e;
    return next;
}

}  // namespace

MoonNow MoonAt(UtDayTime ut, const ZoneClock& clock) {
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
