#include "insulated_pipe.h"

#include "event.h"

namespace milfo::heatflow {

Real insulatedPipeResistance(Real d1, Real t, Real lambda, Real h)
{
    const Real pi(kPiNearest);
    const Real d2 = d1 + Real(2) * t;
    return ln(d2 / d1) / ((Real(2) * pi) * lambda) + Real(1) / ((pi * d2) * h);
}

void checkInsulation(Real t, Real lambda, Real h)
{
    if (!(t >= Real(0)))
        throw HandlerMessage(kInsulationThickness);
    if (!(lambda > Real(0) && h > Real(0)))
        throw HandlerMessage(kInsulationCoefficients);
}

}  // namespace milfo::heatflow
