// Instants of the four principal moon phases.
//
// Source: J. Meeus, Astronomical Algorithms, 1st ed. (1991), ch. 47 (phases
// of the moon), with the periodic terms down to 0.00005 days and the fourteen
// planetary terms. The constants are that edition's (mean phase 2451550.09765
// + 29.530588853 k + 0.0001337 T², ...); the 2nd ed., ch. 49, revised them,
// and the calendar keeps the instants it has always shown. The series gives
// Julian Ephemeris Days, Terrestrial Time; the calendar shows UT = JDE - ΔT
// (astro/DeltaT.h): a minute earlier today, hours earlier in the far
// centuries.
#pragma once

#include "astro/TimeScales.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace selenara {

// Selects one principal phase; the value is the number of quarter
// lunations from the new moon.
enum class PhaseSelector : std::uint8_t {
    NewMoon = 0,
    FirstQuarter = 1,
    FullMoon = 2,
    LastQuarter = 3,
};

// The four selectors in the order of the lunation.
inline constexpr std::array<PhaseSelector, 4> PhaseSelectors = {
    PhaseSelector::NewMoon, PhaseSelector::FirstQuarter, PhaseSelector::FullMoon,
    PhaseSelector::LastQuarter};

// The selector of a number 0..3 from outside the program; none for any other.
constexpr std::optional<PhaseSelector> PhaseSelectorOf(int value) {
    if (value < 0 || value > 3) return std::nullopt;
    return static_cast<PhaseSelector>(value);
}

// The four phase instants (Julian Ephemeris Days) of one lunation.
struct LunationPhases {
    JulianEphemerisDate NewMoon;
    JulianEphemerisDate FirstQuarter;
    JulianEphemerisDate FullMoon;
    JulianEphemerisDate LastQuarter;
    JulianEphemerisDate Of(PhaseSelector selector) const;
};

inline constexpr int LunationsPerTable = 14;
using LunationTableT = std::array<LunationPhases, LunationsPerTable>;

// The events of one phase in one calendar month (UT): slot 0 the earlier,
// slot 1 the later; an empty slot is (InvalidDay, InvalidSecond).
struct PhaseSlots {
    std::array<UtDayTime, 2> Slot{};
};

// Sum of the fourteen planetary terms, in days, for the phase number k
// (lunations since the new moon of 6 January 2000, plus 0.25 per quarter)
// and T = k / 1236.85 Julian centuries.
double PlanetaryCorrection(double k, double T);

// The instant of the selected phase of lunation k (a whole number; k = 0 is
// the lunation of the new moon of 6 January 2000), in JDE.
JulianEphemerisDate PhaseInstantOf(double k, PhaseSelector selector);

// All four phases of lunation k.
LunationPhases LunationPhasesOf(double k);

// The 14 lunations k0 .. k0 + 13 of the year of a day number; index 0 is the
// lunation whose new moon falls between about 20 November and 19 December of
// the year before. All zero for an invalid day.
LunationTableT LunationTable(DayNumber day);

// The UT day and second of a phase instant: UniversalTime of it, as
// DayTimeOf splits it (the seconds truncated, the day not range checked);
// (InvalidDay, InvalidSecond) when there is no such day.
UtDayTime PhaseDayTime(JulianEphemerisDate jde);

// Events of the selected phase in the UT calendar month containing `day`, as
// UT instants, from the month's three lunations of its year's table. Both
// slots empty for an invalid day.
PhaseSlots PhaseInstants(DayNumber day, PhaseSelector selector);
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
std::vector<UtDayTime> PhaseEventsBetween(PhaseSelector selector, DayNumber from, DayNumber to);

}  // namespace selenara
