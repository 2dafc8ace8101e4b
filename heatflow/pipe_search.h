// The pipe insulation search of ravelt: the outer diameter d2 grows from d1
// by accumulated Double additions of 1e-5 until Y = (ln(d2 / d1) · d2) / K
// reaches the target X.
#pragma once

#include "real.h"

namespace milfo::heatflow {

struct PipeSearchResult {
    double d2;
    long long steps;
};

// The natural logarithm the search takes of d2 / d1. ravelt uses the
// correctly rounded one; the tests may hand both searches a faster one to
// hold them against each other over long scans (the search is exact for any
// increasing logarithm within one unit in the last place).
using Logarithm = double (*)(double);

// The literal scan, one accumulated step per iteration; the body runs at
// least once. Raises the numeric model's errors (d1 = 0 divides by zero, a
// non-positive quotient has no logarithm) and EndlessSearch when a step has
// left d2 unchanged while X > Y still holds (the scan would repeat itself
// for ever). Kept as the reference for pipeSearch; its running time grows
// with the number of steps (about 5·10^12 for X = 1e9, d1 = 0.1).
PipeSearchResult literalPipeScan(Real x, Real d1, Real k, Logarithm log = roundedLn);

// The search ravelt uses: the same d2 (bit for bit), the same step count and
// the same faults as the literal scan, for every input. It jumps along the
// runs of equal accumulated steps inside each binade of d2 and bounds Y over
// blocks of steps to find the first step at which the scan ends; a few
// microseconds, except for d1 < 0 with X at the very top of Y's hump, where
// it takes time in proportion to |d1| (see pipe_search.cpp).
PipeSearchResult pipeSearch(Real x, Real d1, Real k, Logarithm log = roundedLn);

}  // namespace milfo::heatflow
