#include "astro/LunarPhases.h"

#include "astro/Angles.h"
#include "astro/DeltaT.h"

#include <algorithm>
#include <cmath>

namespace selenara {
namespace {

constexpr double LunationEpochJde = 2451550.09765;  // mean new moon of 6 January 2000
constexpr double SynodicMonth = 29.530588853;

// The part of a lunation at which the phase falls: 0, 0.25, 0.5 or 0.75.
double QuarterOf(PhaseSelector selector) { return 0.25 * static_cast<int>(selector); }

// One periodic term: coefficient(s) in days, power of E, and the multiples of
// M (sun's mean anomaly), M' (moon's), F (argument of latitude) and Omega
// (ascending node) that form the sine's argument.
struct NewFullTerm {
    double newMoon, fullMoon;
    int ePower, m, mp, f, om;
};
struct QuarterTerm {
    double coeff;
    int ePower, m, mp, f, om;
};

constexpr NewFullTerm NewFullTerms[] = {
    {-0.40720, -0.40614, 0, 0, 1, 0, 0},  {+0.17241, +0.17302, 1, 1, 0, 0, 0},
    {+0.01608, +0.01614, 0, 0, 2, 0, 0},  {+0.01039, +0.01043, 0, 0, 0, 2, 0},
    {+0.00739, +0.00734, 1, -1, 1, 0, 0}, {-0.00514, -0.00515, 1, 1, 1, 0, 0},
    {+0.00208, +0.00209, 2, 2, 0, 0, 0},  {-0.00111, -0.00111, 0, 0, 1, -2, 0},
    {-0.00057, -0.00057, 0, 0, 1, 2, 0},  {+0.00056, +0.00056, 1, 1, 2, 0, 0},
    {-0.00042, -0.00042, 0, 0, 3, 0, 0},  {+0.00042, +0.00042, 1, 1, 0, 2, 0},
    {+0.00038, +0.00038, 1, 1, 0, -2, 0}, {-0.00024, -0.00024, 1, -1, 2, 0, 0},
    {-0.00017, -0.00017, 0, 0, 0, 0, 1},  {-0.00007, -0.00007, 0, 2, 1, 0, 0},
};

constexpr QuarterTerm QuarterTerms[] = {
    {-0.62801, 0, 0, 1, 0, 0},  {+0.17172, 1, 1, 0, 0, 0},  {-0.01183, 1, 1, 1, 0, 0},
    {+0.00862, 0, 0, 2, 0, 0},  {+0.00804, 0, 0, 0, 2, 0},  {+0.00454, 1, -1, 1, 0, 0},
    {+0.00204, 2, 2, 0, 0, 0},  {-0.00180, 0, 0, 1, -2, 0}, {-0.00070, 0, 0, 1, 2, 0},
    {-0.00040, 0, 0, 3, 0, 0},  {-0.00034, 1, -1, 2, 0, 0}, {+0.00032, 1, 1, 0, 2, 0},
    {+0.00032, 1, 1, 0, -2, 0}, {-0.00028, 2, 2, 1, 0, 0},  {+0.00027, 1, 1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 0, 1},  {-0.00005, 0, -1, 1, -2, 0},
};

// Planetary term i: c * sin(a + b k + t2 T^2), angles in degrees.
struct PlanetaryTerm {
    double a, b, t2, c;
};
constexpr PlanetaryTerm PlanetaryTerms[] = {
    {299.77, 0.107408, -0.009173, 0.000325}, {251.88, 0.016321, 0.0, 0.000165},
    {251.83, 26.651886, 0.0, 0.000164},      {349.42, 36.412478, 0.0, 0.000126},
    {84.66, 18.206239, 0.0, 0.000110},       {141.74, 53.303771, 0.0, 0.000062},
    {207.14, 2.453732, 0.0, 0.000060},       {154.84, 7.306860, 0.0, 0.000056},
    {34.52, 27.261239, 0.0, 0.000047},       {207.19, 0.121824, 0.0, 0.000042},
    {291.34, 1.844379, 0.0, 0.000040},       {161.72, 24.198154, 0.0, 0.000037},
    {239.56, 25.513099, 0.0, 0.000035},      {331.55, 3.592518, 0.0, 0.000023},
};

// Fundamental arguments of one phase, in radians.
struct PhaseArguments {
    double M, Mp, F, Om, E;
    double Argument(int m, int mp, int f, int om) const { return m * M + mp * Mp + f * F + om * Om; }
    double Factor(int ePower) const { return ePower == 0 ? 1.0 : ePower == 1 ? E : E * E; }
};

// Julian centuries from 2000.0 at phase number k.
double CenturiesOf(double k) { return k / 1236.85; }

PhaseArguments ArgumentsOf(double k) {
    const double T = CenturiesOf(k);
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    PhaseArguments a{};
    // The factor of k in M is 29.1053569 as the calendar has always used it.
    a.M = Radians(Reduce360(2.5534 + 29.1053569 * k - 0.0000218 * T2 - 0.00000011 * T3));
    a.Mp = Radians(Reduce360(201.5643 + 385.81693528 * k + 0.0107438 * T2 + 0.00001239 * T3 -
                             0.000000058 * T4));
    a.F = Radians(Reduce360(160.7108 + 390.67050274 * k - 0.0016341 * T2 - 0.00000227 * T3 +
                            0.000000011 * T4));
    a.Om = Radians(Reduce360(124.7746 - 1.5637558 * k + 0.0020691 * T2 + 0.00000215 * T3));
    a.E = 1.0 - 0.002516 * T - 0.0000074 * T2;
    return a;
}

double NewFullCorrection(const PhaseArguments& a, bool fullMoon) {
    double sum = 0.0;
    for (const NewFullTerm& t : NewFullTerms)
        sum += (fullMoon ? t.fullMoon : t.newMoon) * a.Factor(t.ePower) *
               std::sin(a.Argument(t.m, t.mp, t.f, t.om));
    return sum;
}

double QuarterCorrection(const PhaseArguments& a) {
    double sum = 0.0;
    for (const QuarterTerm& t : QuarterTerms)
        sum += t.coeff * a.Factor(t.ePower) * std::sin(a.Argument(t.m, t.mp, t.f, t.om));
    return sum;
}

double QuarterW(const PhaseArguments& a) {
    return 0.00306 - 0.00038 * a.E * std::cos(a.M) + 0.00026 * std::cos(a.Mp) -
           0.00002 * std::cos(a.Mp - a.M) + 0.00002 * std::cos(a.Mp + a.M) +
           0.00002 * std::cos(2.0 * a.F);
}

}  // namespace

JulianEphemerisDate LunationPhases::Of(PhaseSelector selector) const {
    switch (selector) {
        case PhaseSelector::NewMoon: return NewMoon;
        case PhaseSelector::FirstQuarter: return FirstQuarter;
        case PhaseSelector::FullMoon: return FullMoon;
        case PhaseSelector::LastQuarter: break;
    }
    return LastQuarter;
}

double PlanetaryCorrection(double k, double T) {
    double sum = 0.0;
    for (const PlanetaryTerm& t : PlanetaryTerms)
        sum += t.c * std::sin(Radians(t.a + t.b * k + t.t2 * T * T));
    return sum;
}

JulianEphemerisDate PhaseInstantOf(double k, PhaseSelector selector) {
    const double ki = k + QuarterOf(selector);
    const double T = CenturiesOf(ki);
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    const PhaseArguments a = ArgumentsOf(ki);
    const double mean =
        LunationEpochJde + SynodicMonth * ki + 0.0001337 * T2 - 0.00000015 * T3 + 0.00000000073 * T4;
    switch (selector) {
        case PhaseSelector::NewMoon:
            return {mean + NewFullCorrection(a, false) + PlanetaryCorrection(ki, T)};
        case PhaseSelector::FullMoon:
            return {mean + NewFullCorrection(a, true) + PlanetaryCorrection(ki, T)};
        case PhaseSelector::FirstQuarter:
            return {mean + QuarterCorrection(a) + PlanetaryCorrection(ki, T) + QuarterW(a)};
        case PhaseSelector::LastQuarter: break;
    }
    return {mean + QuarterCorrection(a) + PlanetaryCorrection(ki, T) - QuarterW(a)};
}

LunationPhases LunationPhasesOf(double k) {
    return {PhaseInstantOf(k, PhaseSelector::NewMoon), PhaseInstantOf(k, PhaseSelector::FirstQuarter),
            PhaseInstantOf(k, PhaseSelector::FullMoon), PhaseInstantOf(k, PhaseSelector::LastQuarter)};
}

LunationTableT LunationTable(DayNumber day) {
    LunationTableT table{};
    if (!IsValidDay(day)) return table;
    const int year = DayNumberToDate(day).Year;
    double k0 = std::trunc((year - 0.05 - 2000.0) * 12.3685);
    if (year < k0 / 12.3685 + 2000.0) k0 -= 1.0;  // round down, not toward zero, before 2000
    for (int j = 0; j < LunationsPerTable; ++j) table[j] = LunationPhasesOf(k0 + j);
    return table;
}

UtDayTime PhaseDayTime(JulianEphemerisDate jde) { return DayTimeOf(UniversalTime(jde)); }

PhaseSlots PhaseInstants(DayNumber day, PhaseSelector selector) {
    PhaseSlots slots;
    if (!IsValidDay(day)) return slots;
    const int month = DayNumberToDate(day).Month;
    const LunationTableT table = LunationTable(day);
    std::size_t next = 0;
    for (int index = month - 1; index <= month + 1; ++index) {
        const UtDayTime t = PhaseDayTime(table[index].Of(selector));
        if (IsValidDay(t.Day) && DayNumberToDate(t.Day).Month == month && next < slots.Slot.size())
            slots.Slot[next++] = t;
    }
    return slots;
}

PhaseSlots NewMoons(DayNumber day) { return PhaseInstants(day, PhaseSelector::NewMoon); }
PhaseSlots FirstQuarters(DayNumber day) { return PhaseInstants(day, PhaseSelector::FirstQuarter); }
PhaseSlots FullMoons(DayNumber day) { return PhaseInstants(day, PhaseSelector::FullMoon); }
PhaseSlots LastQuarters(DayNumber day) { return PhaseInstants(day, PhaseSelector::LastQuarter); }

std::vector<UtDayTime> PhaseEventsBetween(PhaseSelector selector, DayNumber from, DayNumber to) {
    // The periodic terms move an instant by less than a day from the mean
    // phase, the secular terms by less than 0.1 day within 1600..3999 and
    // ΔT by less than 0.2 day: a two-day margin catches every lunation that
    // can reach the span.
    constexpr double margin = 2.0;
    // Also bounds the loop below and keeps to + 1 from overflowing.
    from = std::max(from, FirstDay - PhaseSearchMargin);
    to = std::min(to, LastDay + PhaseSearchMargin);
    const double quarter = QuarterOf(selector);
    const double first =
        std::ceil((DayNumberToJulianDate(from) - margin - LunationEpochJde) / SynodicMonth - quarter);
    const double last = std::floor(
        (DayNumberToJulianDate(to + 1) + margin - LunationEpochJde) / SynodicMonth - quarter);
    std::vector<UtDayTime> events;
    for (double k = first; k <= last; k += 1.0) {
        const UtDayTime t = PhaseDayTime(PhaseInstantOf(k, selector));
        if (t.Day >= from && t.Day <= to) events.push_back(t);
    }
    return events;
}

}  // namespace selenara
