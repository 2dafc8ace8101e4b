#include "insulated_pipe.h"

namespace milfo::heatflow {

Real insulatedPipeResistance(Real d1, Real t, Real lambda, Real h)
{
    const Real pi(kPiNearest);
    const Real d2 = d1 + Real(2) * t;
    return ln(d2 / d1) / ((Real(2) * pi) * lambda) + Real(1) / ((pi * d2) * h);
}

}  // namespace milfo::heatflow
