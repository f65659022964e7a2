#include "model/PhaseEvents.h"

#include <algorithm>

namespace selenara {

std::vector<PhaseEvent> LocalPhaseEvents(PhaseSelector selector, DayNumber first, DayNumber last,
                                         const ZoneClock& clock) {
    std::vector<PhaseEvent> events;
    // Beyond the search margin there are no events; clamping there first
    // keeps first - 1 and last + 1 from overflowing.
    const DayNumber from = std::max(first, FirstDay - PhaseSearchMargin);
    const DayNumber to = std::min(last, LastDay + PhaseSearchMargin);
    // A local date spans parts of the UT days before and after it.
    for (const UtDayTime ut : PhaseEventsBetween(selector, from - 1, to + 1)) {
        const LocalDayTime local = UtcToLocal(ut, clock);
        if (local.Day >= first && local.Day <= last)
            events.push_back({KindOf(selector), ut, local});
    }
    return events;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): month, year as DaysInMonth takes them
std::vector<PhaseEvent> MonthPhaseEvents(PhaseSelector selector, int month, int year,
                                         const ZoneClock& clock) {
    const int length = DaysInMonth(month, year);
    if (length == 0) return {};
    const DayNumber first = DateToDayNumber(1, month, year);
    std::vector<PhaseEvent> events = LocalPhaseEvents(selector, first, first + length - 1, clock);
    if (selector == PhaseSelector::FullMoon && events.size() > 1) events[1].Kind = PhaseKind::BlueMoon;
    return events;
}

}  // namespace selenara
