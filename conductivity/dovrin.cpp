// Calcium silicate (menu １．１．４). Placeholder until its table and window are written.
#include "programs.h"

namespace milfo::conductivity {

const ProgramDescription& dovrin()
{
    static const ProgramDescription program{"dovrin", "ミルフォ－１．１．４", 4800, 3870, {}};
    return program;
}

}  // namespace milfo::conductivity
