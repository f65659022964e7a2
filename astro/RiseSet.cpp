#include "astro/RiseSet.h"

#include "astro/DeltaT.h"
#include "astro/MoonPosition.h"

#include <cmath>

namespace selenara {
namespace {

// The longest piece of a span that one set of series covers, in days.
constexpr double PieceDays = 1.5;
// The lunar theory is searched over the program's days and the local days at
// either end; far outside it, the series and the time's own resolution fail.
constexpr JulianDateUt FirstSearched = StartOfDay<TimeScale::Universal>(FirstDay) - 2.0;
constexpr JulianDateUt LastSearched = StartOfDay<TimeScale::Universal>(LastDay + 1) + 2.0;

// The moon's standard altitude for a horizontal parallax: refraction and
// semi-diameter against parallax, as the published method gives it.
double StandardAltitude(double parallax) { return 0.7275 * parallax - 0.5667; }

// Enough terms that the series stay within a few milliarcseconds of the
// theory: six over a day, eight over a day and a half.
int NodeCount(double days) { return days <= 1.05 ? 6 : 8; }

// The moon's path over [begin, end], from the lunar theory at TT sampled at
// the Chebyshev nodes.
BodyPath MoonPath(JulianDateUt begin, JulianDateUt end) {
    const int n = NodeCount(end - begin);
    double ra[ChebyshevSeries::MaxTerms], dec[ChebyshevSeries::MaxTerms], h0[ChebyshevSeries::MaxTerms];
    // From the last node, the earliest, so that each right ascension can be
    // brought within half a turn of the one before it.
    for (int j = n - 1; j >= 0; --j) {
        const JulianDateUt ut = begin + (ChebyshevSeries::Node(j, n) + 1.0) / 2.0 * (end - begin);
        const MoonPosition p = MoonPositionAt(TerrestrialTime(ut));
        ra[j] = p.RightAscension;
        if (j < n - 1) ra[j] += 360.0 * std::round((ra[j + 1] - ra[j]) / 360.0);
        dec[j] = p.Declination;
        h0[j] = StandardAltitude(p.HorizontalParallax);
    }
    BodyPath path;
    path.Begin = begin;
    path.End = end;
    path.RightAscension = ChebyshevSeries::Fit(ra, n);
    path.Declination = ChebyshevSeries::Fit(dec, n);
    path.StandardAltitude = ChebyshevSeries::Fit(h0, n);
    return path;
}

// The first rise and first set of the crossings of the UT day starting at
// `dayStart`.
RiseSetTimes FirstOfDay(const HorizonCrossings& c, JulianDateUt dayStart) {
    if (!c.Valid) return {};
    if (c.Crossings.empty()) {
        const std::int32_t code = c.UpAtBegin ? AboveHorizonAllDay : BelowHorizonAllDay;
        return {code, code};
    }
    RiseSetTimes r{NoEventThisDay, NoEventThisDay};
    for (const HorizonCrossing& e : c.Crossings) {
        std::int32_t& field = e.Rising ? r.Rise : r.Set;
        if (field != NoEventThisDay) continue;
        const double second = std::floor((e.Ut - dayStart) * SecondsPerDay);
        field = static_cast<std::int32_t>(std::fmin(std::fmax(second, 0.0), SecondsPerDay - 1.0));
    }
    return r;
}

}  // namespace

RiseSetTimes RiseSetCore(DayNumber day, const ThreeDayEphemeris& e, double h0,
                         const Observer& observer) {
    if (!IsValidDay(day)) return {};
    const JulianDateUt midnight = StartOfDay<TimeScale::Universal>(day);
    BodyPath path;
    path.Begin = midnight - 1.0;
    path.End = midnight + 1.0;
    path.RightAscension =
        ChebyshevSeries::Quadratic(e.RightAscension[0], e.RightAscension[1], e.RightAscension[2]);
    path.Declination = ChebyshevSeries::Quadratic(e.Declination[0], e.Declination[1], e.Declination[2]);
    path.StandardAltitude = ChebyshevSeries::Quadratic(h0, h0, h0);
    return FirstOfDay(FindHorizonCrossings(path, midnight, midnight + 1.0, observer), midnight);
}

RiseSetTimes MoonRiseSet(DayNumber day, const Observer& observer) {
    if (!IsValidDay(day)) return {};
    const JulianDateUt midnight = StartOfDay<TimeScale::Universal>(day);
    return FirstOfDay(MoonHorizonCrossings(midnight, midnight + 1.0, observer), midnight);
}

HorizonCrossings MoonHorizonCrossings(JulianDateUt from, JulianDateUt to, const Observer& observer) {
    HorizonCrossings all;
    if (!(from >= FirstSearched && to <= LastSearched && from < to && to - from <= MaxHorizonSpanDays))
        return all;
    const int pieces = static_cast<int>(std::ceil((to - from) / PieceDays));
    for (int i = 0; i < pieces; ++i) {
        const JulianDateUt begin = from + (to - from) * i / pieces;
        const JulianDateUt end = i + 1 == pieces ? to : from + (to - from) * (i + 1) / pieces;
        const HorizonCrossings piece =
            FindHorizonCrossings(MoonPath(begin, end), begin, end, observer);
        if (!piece.Valid) return {};
        if (i == 0) all.UpAtBegin = piece.UpAtBegin;
        all.Crossings.insert(all.Crossings.end(), piece.Crossings.begin(), piece.Crossings.end());
    }
    all.Valid = true;
    return all;
}

}  // namespace selenara
