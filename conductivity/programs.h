// The nine mean-conductivity calculators, one description each, and the
// materials they are for.
#pragma once

#include <vector>

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

// A material and the window that gives its mean conductivity.
struct MaterialWindow {
    const char* material;  // as 保温設計's list of materials (保温材) names it
    const ProgramDescription& (*description)();
};

// Every material window, in menu order: the materials 保温設計 offers.
const std::vector<MaterialWindow>& materialWindows();

}  // namespace milfo::conductivity
