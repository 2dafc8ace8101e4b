#include "pipe_search.h"

namespace milfo::heatflow {

PipeSearchResult literalPipeScan(Real x, Real d1, Real k)
{
    Real d2 = d1;
    long long steps = 0;
    Real y;
    do {
        const Real next = d2 + 1e-5;
        if (next == d2)
            throw RuntimeError(ErrorKind::EndlessSearch);
        d2 = next;
        ++steps;
        const Real l = ln(d2 / d1);
        y = (l * d2) / k;
    } while (x > y);
    return {d2.value(), steps};
}

PipeSearchResult pipeSearch(Real x, Real d1, Real k) { return literalPipeScan(x, d1, k); }

}  // namespace milfo::heatflow
