// The six heat-flow calculators, one description each.
#pragma once

#include "program.h"

namespace milfo::heatflow {

const ProgramDescription& heatTransfer();        // 熱伝達率: surface heat transfer coefficient, ２．１
const ProgramDescription& heatLoss();            // 放散熱量: heat loss, plane and pipe, ３
const ProgramDescription& yardow();              // yardow: heat loss after installation, ３．２
const ProgramDescription& ravelt();              // ravelt: insulation thickness, ４
const ProgramDescription& surfaceTemperature();  // 表面温度: outer surface temperature after installation, ５
const ProgramDescription& lorvast();             // lorvast: saturated vapour pressure and dew point, ６

}  // namespace milfo::heatflow
