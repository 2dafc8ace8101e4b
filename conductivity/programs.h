// The nine mean-conductivity calculators, one description each.
#pragma once

#include "program.h"

namespace milfo::conductivity {

const ProgramDescription& pimbrel();   // rock wool, 1.1.1
const ProgramDescription& mostrel();   // glass wool, 1.1.2
const ProgramDescription& nethrow();   // ceramic fibre blanket, 1.1.3
const ProgramDescription& dovrin();    // calcium silicate, 1.1.4
const ProgramDescription& sonderly();  // water-repellent perlite, 1.1.5
const ProgramDescription& tarvel();    // polystyrene foam, 1.1.6
const ProgramDescription& halcott();   // rigid urethane foam, 1.1.7
const ProgramDescription& fennick();   // polyethylene foam, 1.1.8
const ProgramDescription& castrel();   // phenolic foam, 1.1.9

}  // namespace milfo::conductivity
