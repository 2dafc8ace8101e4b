// One run of a pipe search as data — the d2 and step count it ends with, or
// the run-time error it raises, and how long it took — so that the fast
// search can be held against the literal scan by the tests and the
// benchmarks alike.
#pragma once

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "pipe_search.h"

namespace milfo::heatflow {

// K = ln(2.718282), computed at run time as ravelt computes it.
inline double divisorK()
{
    return ln(Real(2.718282)).value();
}

// Y at one d2, as the scan's body computes it.
inline double yAt(double d2, double d1, double k, Logarithm log = roundedLn)
{
    return ((ln(Real(d2) / d1, log) * d2) / k).value();
}

// The C library's logarithm: the long differential runs hand it to both
// searches alike (the literal scan would take hours with the correctly
// rounded one), since the fast search is exact for any logarithm within one
// unit in the last place.
inline double libraryLog(double x)
{
    return std::log(x);
}

struct Outcome {
    std::optional<ErrorKind> fault;
    double d2 = 0.0;
    long long steps = 0;
    double seconds = 0.0;
};

template <typename Search>
Outcome outcomeOf(Search search, double x, double d1, double k, Logarithm log = roundedLn)
{
    Outcome o;
    const auto start = std::chrono::steady_clock::now();
    try {
        const PipeSearchResult r = search(Real(x), Real(d1), Real(k), log);
        o.d2 = r.d2;
        o.steps = r.steps;
    } catch (const RuntimeError& e) {
        o.fault = e.kind();
    }
    o.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return o;
}

// The same fault, or the same Double bit for bit after the same steps.
inline bool sameOutcome(const Outcome& a, const Outcome& b)
{
    if (a.fault || b.fault)
        return a.fault == b.fault;
    return std::memcmp(&a.d2, &b.d2, sizeof a.d2) == 0 && a.steps == b.steps;
}

inline const char* kindName(ErrorKind kind)
{
    switch (kind) {
        case ErrorKind::DivisionByZero:
            return "division by zero";
        case ErrorKind::Overflow:
            return "overflow";
        case ErrorKind::InvalidArgument:
            return "invalid argument";
        case ErrorKind::EndlessSearch:
            return "endless search";
    }
    return "?";
}

inline std::string describe(const Outcome& o)
{
    char buf[96];
    if (o.fault)
        std::snprintf(buf, sizeof buf, "fault: %s", kindName(*o.fault));
    else
        std::snprintf(buf, sizeof buf, "%lld steps, d2 %.17g", o.steps, o.d2);
    return buf;
}

}  // namespace milfo::heatflow
