// The physics the programs of our own share (凍結防止, 温度降下, and 保温設計
// through their windows), once: the thermal resistance of one metre of
// insulated pipe, and the checks of the insulation it is worked out for. The
// fifteen designed windows keep their own formulas.
#pragma once

#include "real.h"

namespace milfo::heatflow {

// π as the Double nearest it. The designed windows write 3.14159 instead
// (common.h), and keep it.
inline constexpr double kPiNearest = 3.141592653589793;

// One metre of pipe of outer diameter d1 (m) under an insulation of
// thickness t (m), conductivity λ (W/(m·K)) and surface coefficient h
// (W/(m²·K)), in m·K/W, left to right in Doubles:
//   d2 = d1 + 2 * t
//   R  = Log(d2 / d1) / ((2 * π) * λ) + 1 / ((π * d2) * h)
// The pipe wall and the inner film are left out.
Real insulatedPipeResistance(Real d1, Real t, Real lambda, Real h);

// The checks of the insulation, in their order: the first that fails stops
// the press with its message (HandlerMessage).
inline constexpr const char* kInsulationThickness = "保温材の厚さは０以上としてください。";
inline constexpr const char* kInsulationCoefficients = "熱伝導率と表面熱伝達率は０より大きくしてください。";
void checkInsulation(Real t, Real lambda, Real h);

}  // namespace milfo::heatflow
