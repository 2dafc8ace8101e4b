#include "pipe_search.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

// How the fast search finds the literal scan's answer.
//
// The scan visits d2_1, d2_2, ... with d2_{n+1} = fl(d2_n + 1e-5). While d2
// stays inside one binade (one power-of-two interval of magnitudes, all of
// the same spacing u), the sum d2 + 1e-5 is rounded to the u grid, and that
// rounding adds the same multiple of u every time: 1e-5 rounded to the grid.
// Only ties break that rule, and a tie rounds to the even neighbour, so after
// the first step inside a binade every further step adds the same even
// increment. (The lowest bit of 1e-5 is 2^-69, so ties happen only where
// u = 2^-68, in [2^-16, 2^-15); the runs are built to allow them anywhere.)
// A run of steps inside one binade is therefore an arithmetic progression
// c + j * inc, exact in double, and any of its elements can be had without
// walking to it.
//
// Along the scan, Y = ln(d2 / d1) * d2 / K is, in exact arithmetic, monotone
// (d1 > 0: it grows and is convex) or one hump (d1 < 0: it rises to
// |d1| / (e K) at |d2| = |d1| / e, then falls to 0; concave). The computed Y
// differs from that exact value by a few units in the last place, so it may
// wobble where the exact Y is flat or close to the target. The search never
// relies on the computed Y being monotone: it skips a block of steps only
// when an error bound proves that no step of the block can end the scan
// (every computed Y stays below X, no fault), and otherwise splits the block
// and looks at the first half first. Blocks that cannot be decided that way
// are walked step by step with the scan's own arithmetic. The answer is the
// first step at which the scan's body faults or X > Y fails, exactly as the
// literal scan meets it.
//
// Cost: a few probes of the body per binade of d2 (about 55 binades from
// 1e-5 to 2^37, where d2 + 1e-5 == d2) plus about 4 per halving of the run
// where the scan ends; 40 to 200 probes, a few microseconds. The exception is
// the flat top of the hump: with d1 < 0 and X within some 10^-14 of
// |d1| / (e K), every step whose exact Y lies within the error bound of X
// must be computed, which takes about 0.005 * |d1| / (1 m) probes: 5000 at
// d1 = -10^6 m (some 60 us), 5 * 10^5 at -10^8 m (10 ms), 10 s at -10^11 m.

namespace milfo::heatflow {

PipeSearchResult literalPipeScan(Real x, Real d1, Real k, Logarithm log)
{
    Real d2 = d1;
    long long steps = 0;
    Real y;
    bool stalled = false;
    do {
        if (stalled)
            throw RuntimeError(ErrorKind::EndlessSearch);
        const Real next = d2 + 1e-5;
        stalled = next == d2;
        d2 = next;
        ++steps;
        const Real l = ln(d2 / d1, log);
        y = (l * d2) / k;
    } while (x > y);
    return {d2.value(), steps};
}

namespace {

constexpr double kStep = 1e-5;
// Unit roundoff of double.
constexpr double kRoundoff = 0x1p-53;
// The double nearest e, which lies below e: |d1| / kE over-estimates |d1| / e.
constexpr double kE = 2.718281828459045;
// Blocks this short are walked rather than bounded.
constexpr long long kWalk = 8;

// What the scan's body does at one d2: a fault of the numeric model, the
// end of the scan (Y >= X), or one more step.
struct Probe {
    std::optional<ErrorKind> fault;
    bool stops = false;
    double y = 0.0;

    bool ends() const { return fault.has_value() || stops; }
};

// A Double result as Real would see it: a NaN is an invalid argument, an
// infinity an overflow.
std::optional<ErrorKind> faultOf(double r)
{
    if (std::isnan(r))
        return ErrorKind::InvalidArgument;
    if (std::isinf(r))
        return ErrorKind::Overflow;
    return std::nullopt;
}

// One step d2 + 1e-5 with the literal scan's checks; a step that leaves d2
// unchanged is the caller's to judge.
double stepFrom(double d2)
{
    const double next = d2 + kStep;
    if (const auto fault = faultOf(next))
        throw RuntimeError(*fault);
    return next;
}

// A run of consecutive scan values first + j * inc, j = 0 .. last; the value
// of j = 0 is the scan's value after `firstStep` steps.
struct Run {
    double first;
    double inc;
    long long last;
    long long firstStep;

    double at(long long j) const { return j == 0 ? first : first + static_cast<double>(j) * inc; }
};

class FastScan {
public:
    FastScan(double x, double d1, double k, Logarithm log) : x_(x), d1_(d1), k_(k), log_(log)
    {
        absK_ = std::fabs(k);
        // Bounds on the exact Y of the hump (d1 < 0): it peaks at |d2| = |d1| / e.
        peak_ = -d1 / kE;
        peakY_ = peak_ / absK_ * (1 + 1e-12);
    }

    PipeSearchResult run()
    {
        double d2 = d1_;
        long long steps = 0;
        for (;;) {
            if (d2 + kStep == d2) {
                // The step no longer moves d2. The body still runs once more
                // at the same d2: it ends the scan there (the first body of
                // all may, with Y = 0), or it never will.
                const Probe p = probe(d2);
                if (p.fault)
                    throw RuntimeError(*p.fault);
                if (p.stops)
                    return {d2, steps + 1};
                throw RuntimeError(ErrorKind::EndlessSearch);
            }
            const Run r = runFrom(d2, steps);
            if (const auto hit = firstEnd(r, 0, r.last)) {
                const double value = r.at(*hit);
                const Probe p = probe(value);
                if (p.fault)
                    throw RuntimeError(*p.fault);
                return {value, r.firstStep + *hit};
            }
            d2 = r.at(r.last);
            steps = r.firstStep + r.last;
        }
    }

private:
    // The body of the scan at d2, with the operations in the literal scan's
    // order, reporting rather than raising its faults.
    Probe probe(double d2) const
    {
        Probe p;
        if (d1_ == 0.0) {
            p.fault = ErrorKind::DivisionByZero;
            return p;
        }
        const double q = d2 / d1_;
        if ((p.fault = faultOf(q)))
            return p;
        if (!(q > 0.0)) {
            p.fault = ErrorKind::InvalidArgument;
            return p;
        }
        const double l = log_(q);
        if ((p.fault = faultOf(l)))
            return p;
        const double product = l * d2;
        if ((p.fault = faultOf(product)))
            return p;
        if (k_ == 0.0) {
            p.fault = ErrorKind::DivisionByZero;
            return p;
        }
        p.y = product / k_;
        if ((p.fault = faultOf(p.y)))
            return p;
        p.stops = !(x_ > p.y);
        return p;
    }

    // The run of scan values that starts with the step after `from` (the
    // value after `steps` steps): as long as the steps stay inside the binade
    // of that first value and add one constant increment; a single value
    // otherwise.
    Run runFrom(double from, long long steps) const
    {
        const double first = stepFrom(from);
        Run r{first, 0.0, 0, steps + 1};
        const bool sameSide = (d1_ > 0.0 && first > 0.0) || (d1_ < 0.0 && first < 0.0);
        const double magnitude = std::fabs(first);
        if (!sameSide || !(magnitude >= 0x1p-1000))
            return r;
        const double second = first + kStep;
        const double third = second + kStep;
        const double inc = second - first;
        // The step out of `first` may be the odd one of a tie; the run then
        // starts one value later.
        if (inc == 0.0 || third - second != inc)
            return r;
        const int e = std::ilogb(magnitude);
        const double ulp = std::ldexp(1.0, e - 52);
        const auto units = [ulp](double v) { return static_cast<long long>(v / ulp); };
        // Next to 0 the spacing is so fine that one step spans more units
        // than a count holds, and the next step leaves the binade anyway.
        if (!(inc / ulp < 0x1p62))
            return r;
        const long long incUnits = units(inc);
        if (static_cast<double>(incUnits) * ulp != inc)
            return r;
        // A sum rounded to the grid of the binade: the rounded value must stay
        // one spacing inside it, so that the exact sum did too.
        long long room = 0;
        if (first > 0.0)
            room = units(std::ldexp(1.0, e + 1) - first) - 1;
        else
            room = units(magnitude - std::ldexp(1.0, e)) - 1;
        if (room > 0) {
            r.inc = inc;
            r.last = room / incUnits;
        }
        return r;
    }

    // The first j in [lo, hi] at which the scan ends, if any.
    std::optional<long long> firstEnd(const Run& r, long long lo, long long hi) const
    {
        if (hi - lo < kWalk) {
            for (long long j = lo; j <= hi; ++j)
                if (probe(r.at(j)).ends())
                    return j;
            return std::nullopt;
        }
        if (provesNoEnd(r, lo, hi))
            return std::nullopt;
        const long long mid = lo + (hi - lo) / 2;
        if (const auto hit = firstEnd(r, lo, mid))
            return hit;
        return firstEnd(r, mid + 1, hi);
    }

    // True when no step j in [lo, hi] can fault or have Y >= X.
    //
    // The computed |Y| = fl(fl(fl(ln(fl(d2 / d1))) * d2) / |K|) lies within
    // 4u|T| + u|d2 / K| of the exact T = ln(d2 / d1) * d2 / |K| (u = 2^-53;
    // the quotient, the product and the division are rounded once each, and
    // the logarithm is taken within one ulp, half of one when it is correctly
    // rounded); `slack` allows 4u|T| + 4u|d2 / K|. The width of `slack` decides how many steps next
    // to the crossing must be walked one by one, so it is kept tight. T is
    // monotone or concave along the block, so its least value is at an end
    // and its greatest at an end or, for the hump, at most |d1| / (e |K|).
    // All values of the block lie on one side of zero, so the quotient and
    // the logarithm cannot fault inside when they do not at the ends, and a
    // bound below the Double range rules out an overflow.
    bool provesNoEnd(const Run& r, long long lo, long long hi) const
    {
        const double a = r.at(lo);
        const double c = r.at(hi);
        const Probe pa = probe(a);
        const Probe pc = probe(c);
        if (pa.ends() || pc.ends())
            return false;
        const double sa = std::fabs(pa.y);
        const double sc = std::fabs(pc.y);
        double top = std::max(sa, sc);
        if (d1_ < 0.0) {
            const double near = std::fabs(c);
            const double far = std::fabs(a);
            const bool mayHoldPeak = near <= peak_ * (1 + 1e-12) && far >= peak_ * (1 - 1e-12);
            if (mayHoldPeak)
                top = std::max(top, peakY_);
        }
        const double reach = std::max(std::fabs(a), std::fabs(c)) / absK_;
        const double slack = 4 * kRoundoff * (top + reach) * (1 + 1e-9) + 1e-300;
        const double upper = top + 2 * slack;
        const double lower = std::min(sa, sc) - 2 * slack;
        if (!(upper < 0x1p1023))
            return false;
        // Y has the sign of K: its greatest value is `upper` or -`lower`.
        const double greatestY = k_ > 0.0 ? upper : -lower;
        return greatestY < x_;
    }

    double x_;
    double d1_;
    double k_;
    Logarithm log_;
    double absK_ = 0.0;
    double peak_ = 0.0;
    double peakY_ = 0.0;
};

}  // namespace

PipeSearchResult pipeSearch(Real x, Real d1, Real k, Logarithm log)
{
    return FastScan(x.value(), d1.value(), k.value(), log).run();
}

}  // namespace milfo::heatflow
