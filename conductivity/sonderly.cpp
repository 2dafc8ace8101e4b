// Water-repellent perlite (menu １．１．５). Placeholder until its table and window are written.
#include "programs.h"

namespace milfo::conductivity {

const ProgramDescription& sonderly()
{
    static const ProgramDescription program{"sonderly", "ミルフォ－１．１．５", 4800, 3960, {}};
    return program;
}

}  // namespace milfo::conductivity
