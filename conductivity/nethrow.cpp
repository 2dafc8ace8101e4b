// Ceramic fibre blanket (menu １．１．３). Placeholder until its table and window are written.
#include "programs.h"

namespace milfo::conductivity {

const ProgramDescription& nethrow()
{
    static const ProgramDescription program{"nethrow", "ミルフォ－１．１．３", 4800, 3960, {}};
    return program;
}

}  // namespace milfo::conductivity
