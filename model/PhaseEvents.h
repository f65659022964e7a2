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
#include <vector>

namespace selenara {

// The kind of a phase event, as the month table files it.
enum PhaseKind : std::uint8_t {
    NoPhase = 0,
    NewMoonKind = 1,
    FirstQuarterKind = 2,
    FullMoonKind = 3,  // the first full moon of the calendar month
    LastQuarterKind = 4,
    BlueMoonKind = 5,  // the second full moon of the calendar month
};

struct PhaseEvent {
    PhaseKind Kind = NoPhase;
    DayTime Ut;      // the instant in UT
    DayTime Local;   // the same instant in local clock time
};

// Events of one phase (PhaseSelector) whose local date lies in first..last,
// in time order; full moons have kind 3. Zone offsets must stay within a day.
std::vector<PhaseEvent> LocalPhaseEvents(int selector, DayNumber first, DayNumber last,
                                         const ZoneClock& clock);

// Events of one phase whose local date lies in the month, in time order; the
// second full moon of the month has kind 5. Empty for a year outside 1600..3999.
std::vector<PhaseEvent> MonthPhaseEvents(int selector, int month, int year,
                                         const ZoneClock& clock);

}  // namespace selenara
