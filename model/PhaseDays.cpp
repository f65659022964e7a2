#include "model/PhaseDays.h"

#include <algorithm>
#include <optional>

namespace selenara {
namespace {

bool IsPhaseDay(PhaseSelector selector, DayNumber day, const ZoneClock& clock) {
    return IsValidDay(day) && !LocalPhaseEvents(selector, day, day, clock).empty();
}

}  // namespace

bool IstNeumondTag(DayNumber day, const ZoneClock& clock) {
    return IsPhaseDay(PhaseSelector::NewMoon, day, clock);
}
bool IstErstesViertelTag(DayNumber day, const ZoneClock& clock) {
    return IsPhaseDay(PhaseSelector::FirstQuarter, day, clock);
}
bool IstVollmondTag(DayNumber day, const ZoneClock& clock) {
    return IsPhaseDay(PhaseSelector::FullMoon, day, clock);
}
bool IstLetztesViertelTag(DayNumber day, const ZoneClock& clock) {
    return IsPhaseDay(PhaseSelector::LastQuarter, day, clock);
}

PhaseEvent LatestPhaseEvent(DayNumber day, const ZoneClock& clock) {
    // Looking at the instants of the last ten days rather than walking back
    // day by day keeps the search finite and lets the first days of 1600 see
    // the phases of December 1599.
    constexpr DayNumber lookBack = 10;
    PhaseEvent latest;
    for (const PhaseSelector selector : PhaseSelectors)
        for (const PhaseEvent& e : LocalPhaseEvents(selector, day - lookBack, day, clock))
            if (latest.Kind == PhaseKind::None || e.Ut > latest.Ut) latest = e;
    return latest;
}

int MondAlter(DayNumber day, const ZoneClock& clock) {
    if (!IsValidDay(day)) return 1;
    const PhaseEvent latest = LatestPhaseEvent(day, clock);
    const std::optional<PhaseSelector> phase = SelectorOf(latest.Kind);
    if (!phase) return 1;
    const int base = 1 + 7 * static_cast<int>(*phase);  // 1, 8, 15, 22
    return std::min(base + (day - latest.Local.Day), base + 6);
}

}  // namespace selenara
