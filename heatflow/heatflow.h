// The heat-flow calculators, one description each: the six designed ones,
// then ours.
#pragma once

#include "program.h"

namespace milfo::heatflow {

const ProgramDescription& heatTransfer();        // 熱伝達率: surface heat transfer coefficient, ２．１
const ProgramDescription& heatLoss();            // 放散熱量: heat loss, plane and pipe, ３
const ProgramDescription& yardow();              // yardow: heat loss after installation, ３．２
const ProgramDescription& ravelt();              // ravelt: insulation thickness, ４
const ProgramDescription& surfaceTemperature();  // 表面温度: outer surface temperature after installation, ５
const ProgramDescription& lorvast();             // lorvast: saturated vapour pressure and dew point, ６
const ProgramDescription& freezeProtection();  // 凍結防止: hours until standing water freezes, ８
const ProgramDescription& temperatureDrop();   // 温度降下: a flowing fluid's drop along its line, ９

}  // namespace milfo::heatflow
