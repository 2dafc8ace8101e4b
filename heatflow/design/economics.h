// 経済的厚さ's arithmetic, left to right in Doubles: what a standard
// thickness costs a year, per metre of pipe or per m² of plane.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "real.h"

namespace milfo::heatflow::design {

// The end-of-year annuity factor that spreads an installed cost over n
// years at a rate in per cent: 1 / n at 0 %, otherwise with i = rate / 100
// and g = (1 + i) ^ n by the correctly rounded power, (i * g) / (g - 1).
Real annuityFactor(Real ratePercent, Real years);

// The heat's share a year: the loss q (W/m or W/m², either sign) for the
// hours a year, at the price of a kWh delivered through a source of the
// efficiency in per cent: ((((Abs(q) * H) * p) / (eff / 100)) / 1000).
Real heatCost(Real loss, Real hours, Real price, Real efficiencyPercent);

// The installed costs, one per standard thickness: a list as the standard
// thicknesses are (seriesItems), each item digits with an optional decimal
// point and digits (full-width digits and "．" too), no sign, exponent or
// empty item. Each item as plain ASCII text ("８０００．５"
// → "8000.5"); nothing when the text is not such a list.
std::optional<std::vector<std::string>> parseCosts(std::string_view text);

}  // namespace milfo::heatflow::design
