#include "astro/HorizonSearch.h"

#include "astro/Angles.h"
#include "astro/MoonPosition.h"

#include <algorithm>
#include <cmath>

namespace selenara {

double ChebyshevSeries::Node(int j, int count) {
    constexpr double pi = 3.14159265358979323846;
    return std::cos(pi * (j + 0.5) / count);
}

ChebyshevSeries ChebyshevSeries::Fit(const double* samples, int count) {
    constexpr double pi = 3.14159265358979323846;
    ChebyshevSeries s;
    s.terms_ = std::clamp(count, 1, MaxTerms);
    for (int k = 0; k < s.terms_; ++k) {
        double sum = 0.0;
        for (int j = 0; j < s.terms_; ++j) sum += samples[j] * std::cos(pi * k * (j + 0.5) / s.terms_);
        s.c_[k] = 2.0 * sum / s.terms_;
    }
    for (int k = s.terms_ - 1; k >= 1; --k)
        s.d_[k - 1] = (k + 1 < MaxTerms ? s.d_[k + 1] : 0.0) + 2.0 * k * s.c_[k];
    return s;
}

ChebyshevSeries ChebyshevSeries::Quadratic(double y0, double y1, double y2) {
    const double a1 = (y2 - y0) / 2.0, a2 = (y0 + y2) / 2.0 - y1;  // y1 + a1 x + a2 x^2
    ChebyshevSeries s;
    s.terms_ = 3;
    s.c_ = {2.0 * y1 + a2, a1, a2 / 2.0};
    s.d_ = {2.0 * a1, 2.0 * a2};
    return s;
}

ChebyshevSeries::Value ChebyshevSeries::At(double x) const {
    // Clenshaw's recurrence, once for the series and once for its derivative.
    const auto sum = [x](const std::array<double, MaxTerms>& c, int terms) {
        double b1 = 0.0, b2 = 0.0;
        for (int k = terms - 1; k >= 1; --k) {
            const double b = 2.0 * x * b1 - b2 + c[k];
            b2 = b1;
            b1 = b;
        }
        return x * b1 - b2 + c[0] / 2.0;
    };
    return {sum(c_, terms_), terms_ > 1 ? sum(d_, terms_ - 1) : 0.0};
}

double ChebyshevSeries::SlopeBound() const {
    double bound = 0.0;
    for (int k = 1; k < terms_; ++k) bound += k * k * std::fabs(c_[k]);
    return bound;
}

double ChebyshevSeries::CurvatureBound() const {
    double bound = 0.0;
    for (int k = 2; k < terms_; ++k) bound += k * k * (k * k - 1.0) / 3.0 * std::fabs(c_[k]);
    return bound;
}

namespace {

constexpr double SiderealRate = 360.98564736629;  // degrees of sidereal time per day of UT
// Intervals are not bisected below this (days, about 0.09 s): a brush with
// the horizon shorter than that is not an event anyone could see.
constexpr double Resolution = 1e-6;
constexpr double RootTolerance = 1e-9;  // days, about 0.1 ms
// Far beyond any real path (a day takes about a hundred); only a hostile
// path can reach it, and it must not hang the search.
constexpr int EvaluationBudget = 20000;

// g = sin(altitude) - sin(h0): positive while the body is up, with the same
// zeros as altitude - h0 but a derivative that is bounded everywhere.
struct Point {
    double T = 0.0;
    double G = 0.0;
    double Slope = 0.0;  // dg/dt, per day
    bool Up() const { return G >= 0.0; }
};

class Search {
public:
    Search(const BodyPath& path, const Observer& observer)
        : path_(path), longitude_(observer.Longitude), sinPhi_(std::sin(Radians(observer.Latitude))),
          cosPhi_(std::cos(Radians(observer.Latitude))), scale_(2.0 / (path.End - path.Begin)),
          sidereal_(MeanSiderealTime(path.Begin)) {
        // Bounds on the rates (radians per day, and per day squared) of the
        // path's coordinates, from the series themselves.
        const auto rate = [&](const ChebyshevSeries& s) { return Radians(s.SlopeBound() * scale_); };
        const auto acceleration = [&](const ChebyshevSeries& s) {
            return Radians(s.CurvatureBound() * scale_ * scale_);
        };
        const double hourAngleRate = Radians(SiderealRate) + rate(path.RightAscension);
        const double d1 = rate(path.Declination), d2 = acceleration(path.Declination);
        const double e1 = rate(path.StandardAltitude), e2 = acceleration(path.StandardAltitude);
        const double c = std::fabs(cosPhi_);
        slopeBound_ = c * hourAngleRate + d1 + e1;
        curvatureBound_ = c * (hourAngleRate * hourAngleRate + 2.0 * hourAngleRate * d1 +
                               acceleration(path.RightAscension)) +
                          d1 * d1 + d2 + e1 * e1 + e2;
    }

    bool Usable() const { return std::isfinite(slopeBound_) && std::isfinite(curvatureBound_); }

    // At t, a Julian Date (UT) in days.
    Point At(double t) {
        ++evaluations_;
        const double x =
            std::clamp((2.0 * t - path_.Begin.Days - path_.End.Days) * scale_ / 2.0, -1.0, 1.0);
        const ChebyshevSeries::Value alpha = path_.RightAscension.At(x);
        const ChebyshevSeries::Value delta = path_.Declination.At(x);
        const ChebyshevSeries::Value h0 = path_.StandardAltitude.At(x);
        const double H = Radians(sidereal_ + SiderealRate * (t - path_.Begin.Days) + longitude_ - alpha.F);
        const double sinD = std::sin(Radians(delta.F)), cosD = std::cos(Radians(delta.F));
        const double sinH = std::sin(H), cosH = std::cos(H);
        const double h = Radians(h0.F);
        Point p;
        p.T = t;
        p.G = sinPhi_ * sinD + cosPhi_ * cosD * cosH - std::sin(h);
        p.Slope = Radians(delta.Slope * scale_) * (sinPhi_ * cosD - cosPhi_ * sinD * cosH) -
                  cosPhi_ * cosD * sinH * Radians(SiderealRate - alpha.Slope * scale_) -
                  std::cos(h) * Radians(h0.Slope * scale_);
        return p;
    }

    // Appends the crossings in (a, b] in time order.
    void Scan(const Point& a, const Point& b, std::vector<HorizonCrossing>& out) {
        const double length = b.T - a.T;
        const bool fine = length <= Resolution || evaluations_ >= EvaluationBudget;
        if (a.Up() == b.Up()) {
            // To reach h0 and come back, g must travel |g(a)| + |g(b)|.
            const double slope = std::min(
                slopeBound_, (std::fabs(a.Slope) + std::fabs(b.Slope) + curvatureBound_ * length) / 2.0);
            if (std::fabs(a.G) + std::fabs(b.G) > slope * length || fine) return;
        } else {
            // A slope that cannot change sign in between leaves one crossing.
            const bool monotone = a.Slope * b.Slope > 0.0 &&
                                  std::fabs(a.Slope) + std::fabs(b.Slope) > curvatureBound_ * length;
            if (monotone || fine) {
                out.push_back({JulianDateUt{Refine(a, b)}, b.Up()});
                return;
            }
        }
        const Point middle = At(a.T + length / 2.0);
        Scan(a, middle, out);
        Scan(middle, b, out);
    }

private:
    // The one crossing between a and b: Newton steps kept inside the bracket.
    double Refine(Point low, Point high) {
        double t = low.T + (high.T - low.T) * low.G / (low.G - high.G);
        for (int i = 0; i < 60 && high.T - low.T > RootTolerance; ++i) {
            const Point p = At(t);
            (p.Up() == low.Up() ? low : high) = p;
            double next = p.T - p.G / p.Slope;
            if (!(next > low.T && next < high.T)) next = low.T + (high.T - low.T) / 2.0;
            const bool done = std::fabs(next - t) < RootTolerance;
            t = next;
            if (done) break;
        }
        return std::clamp(t, low.T, high.T);
    }

    const BodyPath& path_;
    double longitude_, sinPhi_, cosPhi_;
    double scale_;     // dx/dt
    double sidereal_;  // at path.Begin, degrees
    double slopeBound_ = 0.0, curvatureBound_ = 0.0;
    int evaluations_ = 0;
};

}  // namespace

HorizonCrossings FindHorizonCrossings(const BodyPath& path, JulianDateUt from, JulianDateUt to,
                                      const Observer& observer) {
    HorizonCrossings r;
    if (!(std::abs(observer.Latitude) <= 90.0 && std::isfinite(observer.Longitude) &&
          std::isfinite(path.Begin.Days) && std::isfinite(path.End.Days) && path.Begin < path.End &&
          path.Begin <= from && from < to && to <= path.End))
        return r;
    Search search(path, observer);
    const Point a = search.At(from.Days), b = search.At(to.Days);
    if (!search.Usable() || !std::isfinite(a.G) || !std::isfinite(b.G)) return r;
    r.Valid = true;
    r.UpAtBegin = a.Up();
    search.Scan(a, b, r.Crossings);
    // A crossing at `to` itself belongs to the next span.
    while (!r.Crossings.empty() && !(r.Crossings.back().Ut < to)) r.Crossings.pop_back();
    return r;
}

}  // namespace selenara
