// Instants of the four principal moon phases.
//
// Source: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 49 (phases of the
// moon), with the periodic terms down to 0.00005 days and the fourteen
// planetary terms. The series gives Julian Ephemeris Days, Terrestrial Time;
// the calendar shows UT = JDE - ΔT (astro/DeltaT.h): a minute earlier today,
// hours earlier in the far centuries.
#pragma once

#include "astro/Calendar.h"

#include <array>
#include <vector>

namespace selenara {

// Selects one principal phase.
enum PhaseSelector : int {
    NewMoonPhase = 0,
    FirstQuarterPhase = 1,
    FullMoonPhase = 2,
    LastQuarterPhase = 3,
};

// The four phase instants (Julian Ephemeris Days) of one lunation.
struct LunationPhases {
    double NewMoon = 0.0;
    double FirstQuarter = 0.0;
    double FullMoon = 0.0;
    double LastQuarter = 0.0;
    double Of(int selector) const;
};

inline constexpr int LunationsPerTable = 14;
using LunationTableT = std::array<LunationPhases, LunationsPerTable>;

// The events of one phase in one calendar month (UT): slot 0 the earlier,
// slot 1 the later; an empty slot is (InvalidDay, InvalidSecond).
struct PhaseSlots {
    std::array<DayTime, 2> Slot{};
};

// Sum of the fourteen planetary terms, in days, for the phase number k
// (lunations since the new moon of 6 January 2000, plus 0.25 per quarter)
// and T = k / 1236.85 Julian centuries.
double PlanetaryCorrection(double k, double T);

// The instant of the selected phase of lunation k (a whole number; k = 0 is
// the lunation of the new moon of 6 January 2000), in JDE.
double PhaseInstantOf(double k, int selector);

// All four phases of lunation k.
LunationPhases LunationPhasesOf(double k);

// The 14 lunations k0 .. k0 + 13 of the year of a day number; index 0 is the
// lunation whose new moon falls between about 20 November and 19 December of
// the year before. All zero for an invalid day.
LunationTableT LunationTable(DayNumber day);

// The UT day and second of a phase instant given in JDE: JDE - ΔT, as
// DayTimeOfJulianDate splits it (the seconds truncated, the day not range
// checked); (InvalidDay, InvalidSecond) when there is no such day.
DayTime PhaseDayTime(double jde);

// Events of the selected phase in the UT calendar month containing `day`, as
// UT instants, from the month's three lunations of its year's table. Both
// slots empty for an invalid day.
PhaseSlots PhaseInstants(DayNumber day, int selector);
PhaseSlots NewMoons(DayNumber day);
PhaseSlots FirstQuarters(DayNumber day);
PhaseSlots FullMoons(DayNumber day);
PhaseSlots LastQuarters(DayNumber day);

// How far beyond 0..876581 PhaseEventsBetween still looks, in days.
inline constexpr DayNumber PhaseSearchMargin = 62;

// Every event of the selected phase whose UT day lies in from..to, in time
// order. Computes only the lunations that can reach the span; each instant is
// the same one PhaseInstants gives. The days may extend a little beyond
// 0..876581; days more than PhaseSearchMargin outside it have no events.
std::vector<DayTime> PhaseEventsBetween(int selector, DayNumber from, DayNumber to);

}  // namespace selenara
