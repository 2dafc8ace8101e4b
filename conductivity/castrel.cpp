// Phenolic foam (menu １．１．９). Placeholder until its table and window are written.
#include "programs.h"

namespace milfo::conductivity {

const ProgramDescription& castrel()
{
    static const ProgramDescription program{"castrel", "ミルフォ－１．１．９", 5130, 3960, {}};
    return program;
}

}  // namespace milfo::conductivity
