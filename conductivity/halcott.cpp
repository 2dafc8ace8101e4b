// Rigid urethane foam (menu １．１．７). Placeholder until its table and window are written.
#include "programs.h"

namespace milfo::conductivity {

const ProgramDescription& halcott()
{
    static const ProgramDescription program{"halcott", "ミルフォ－１．１．７", 4680, 2850, {}};
    return program;
}

}  // namespace milfo::conductivity
