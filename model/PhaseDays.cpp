#include "model/PhaseDays.h"

#include "model/PhaseEvents.h"

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

int MondAlter(DayNumber day, const ZoneClock& clock) {
    if (!IsValidDay(day)) return 1;
    // Principal phases are never more than nine days apart, so the latest
    // one lies within the last ten days. Looking at the instants rather than
    // walking back day by day keeps the search finite and lets the first
    // days of 1600 see the phases of December 1599.
    constexpr int lookBack = 10;
    DayNumber latestDay = day - lookBack - 1;
    std::optional<PhaseSelector> state;  // the phase of the latest phase day
    for (const PhaseSelector selector : PhaseSelectors) {
        for (const PhaseEvent& e : LocalPhaseEvents(selector, day - lookBack, day, clock)) {
            // On a day with two phases the later selector wins, as the tests run in order.
            if (e.Local.Day >= latestDay) {
                latestDay = e.Local.Day;
                state = selector;
            }
        }
    }
    if (!state) return 1;
    const int n = day - latestDay;
    const int base = 1 + 7 * static_cast<int>(*state);  // 1, 8, 15, 22
    return std::min(n + base, base + 6);
}

}  // namespace selenara
