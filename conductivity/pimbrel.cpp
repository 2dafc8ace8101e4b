// Rock wool (menu １．１．１). Placeholder until its table and window are written.
#include "programs.h"

namespace milfo::conductivity {

const ProgramDescription& pimbrel()
{
    static const ProgramDescription program{"pimbrel", "ミルフォ－１．１．１", 4800, 3810, {}};
    return program;
}

}  // namespace milfo::conductivity
