// Glass wool (menu １．１．２). Placeholder until its table and window are written.
#include "programs.h"

namespace milfo::conductivity {

const ProgramDescription& mostrel()
{
    static const ProgramDescription program{"mostrel", "ミルフォ－１．１．２", 4800, 3960, {}};
    return program;
}

}  // namespace milfo::conductivity
