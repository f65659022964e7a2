// Principal phase events on local calendar dates.
//
// The phase series answers in UT; the calendar files events by the local
// date of the user's zone. An event near midnight can change day, and so
// month, in the conversion: these functions look at the neighbouring UT
// days, so that every event is filed on its local date.
#pragma once

#include "astro/LocalTime.h"
#include "astro/LunarPhases.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace selenara {

// The kind of a phase event, as the month table files it.
enum class PhaseKind : std::uint8_t {
    None = 0,
    NewMoon = 1,
    FirstQuarter = 2,
    FullMoon = 3,  // the first full moon of the calendar month
    LastQuarter = 4,
    BlueMoon = 5,  // the second full moon of the calendar month
};

// The kind under which an event of the selected phase is filed (a full moon
// as the month's first).
constexpr PhaseKind KindOf(PhaseSelector selector) {
    return static_cast<PhaseKind>(static_cast<int>(selector) + 1);
}

// The principal phase an event of `kind` is, the inverse of KindOf: a blue
// moon is a full moon. None for kind None.
constexpr std::optional<PhaseSelector> SelectorOf(PhaseKind kind) {
    switch (kind) {
        case PhaseKind::NewMoon: return PhaseSelector::NewMoon;
        case PhaseKind::FirstQuarter: return PhaseSelector::FirstQuarter;
        case PhaseKind::FullMoon:
        case PhaseKind::BlueMoon: return PhaseSelector::FullMoon;
        case PhaseKind::LastQuarter: return PhaseSelector::LastQuarter;
        case PhaseKind::None: break;
    }
    return std::nullopt;
}
static_assert([] {
    for (const PhaseSelector selector : PhaseSelectors)
        if (SelectorOf(KindOf(selector)) != selector) return false;
    return SelectorOf(PhaseKind::BlueMoon) == PhaseSelector::FullMoon && !SelectorOf(PhaseKind::None);
}());

struct PhaseEvent {
    PhaseKind Kind = PhaseKind::None;
    UtDayTime Ut;        // the instant
    LocalDayTime Local;  // its local clock time
};

// Events of one phase whose local date lies in first..last, in time order;
// full moons have kind FullMoon. Zone offsets must stay within a day.
std::vector<PhaseEvent> LocalPhaseEvents(PhaseSelector selector, DayNumber first, DayNumber last,
                                         const ZoneClock& clock);

// Events of one phase whose local date lies in the month, in time order; the
// second full moon of the month has kind BlueMoon. Empty for a year outside
// 1600..3999.
std::vector<PhaseEvent> MonthPhaseEvents(PhaseSelector selector, int month, int year,
                                         const ZoneClock& clock);

}  // namespace selenara
