// The crossings of a body's standard altitude over a span of time, found by
// a search that can neither miss nor invent one.
//
// The body's path is given as Chebyshev series in time, smooth across the
// whole span. The search bisects the span and stops only where the bounds
// that the series themselves give on the altitude's first and second
// derivatives prove an interval free of crossings, or prove it monotone and
// so holding exactly one; each crossing is then refined by safeguarded
// Newton steps to well under a millisecond. A brush with the horizon shorter
// than a tenth of a second can go unseen, no spell longer than that.
// Degrees; Julian Dates UT.
#pragma once

#include "astro/Observer.h"
#include "astro/TimeScales.h"

#include <array>
#include <vector>

namespace selenara {

// A smooth function over a span [Begin, End] of time, as the Chebyshev series
// f(x) = c0 / 2 + sum(k >= 1) ck Tk(x), with x = -1 at Begin and +1 at End.
class ChebyshevSeries {
public:
    static constexpr int MaxTerms = 16;

    // The node x of sample j (0 <= j < count) that Fit expects: the Chebyshev
    // points of the first kind, from near +1 (j = 0) down to near -1.
    static double Node(int j, int count);

    // The series through `count` (1..MaxTerms) samples taken at the nodes.
    static ChebyshevSeries Fit(const double* samples, int count);

    // The quadratic through y0, y1, y2 at x = -1, 0, +1: the interpolation of
    // three tabular values of the published rise and set method.
    static ChebyshevSeries Quadratic(double y0, double y1, double y2);

    struct Value {
        double F;      // f(x)
        double Slope;  // df/dx
    };
    Value At(double x) const;

    // Bounds on |df/dx| and |d2f/dx2| over -1 <= x <= 1 (Markov's inequality
    // for each term): what the search needs to prove an interval clear.
    double SlopeBound() const;
    double CurvatureBound() const;

private:
    int terms_ = 0;
    std::array<double, MaxTerms> c_{};  // the series
    std::array<double, MaxTerms> d_{};  // its derivative
};

// Where a body is over a span of time: its right ascension (continuous through
// the 0/360 seam), declination and standard altitude h0, degrees.
struct BodyPath {
    JulianDateUt Begin;  // at x = -1
    JulianDateUt End;    // at x = +1
    ChebyshevSeries RightAscension;
    ChebyshevSeries Declination;
    ChebyshevSeries StandardAltitude;
};

struct HorizonCrossing {
    JulianDateUt Ut;
    bool Rising = false;  // true for a rise, false for a set
};

struct HorizonCrossings {
    // False for a path that is not finite numbers, a place whose longitude
    // is not finite or whose latitude lies beyond ±90°, or a span that is
    // empty or outside the path.
    bool Valid = false;
    // The body's centre at or above h0 at the start of the span.
    bool UpAtBegin = false;
    std::vector<HorizonCrossing> Crossings;  // in time order
};

// Every crossing of h0 by the body's centre in [from, to), which must lie
// within [path.Begin, path.End].
HorizonCrossings FindHorizonCrossings(const BodyPath& path, JulianDateUt from, JulianDateUt to,
                                      const Observer& observer);

}  // namespace selenara
