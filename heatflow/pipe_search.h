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

// The literal scan, one accumulated step per iteration; the body runs at
// least once. Raises the numeric model's errors (d1 = 0 divides by zero, a
// non-positive quotient has no logarithm) and EndlessSearch when a step no
// longer changes d2.
PipeSearchResult literalPipeScan(Real x, Real d1, Real k);

// The search ravelt uses: the same d2 and the same faults as the literal scan.
PipeSearchResult pipeSearch(Real x, Real d1, Real k);

}  // namespace milfo::heatflow
