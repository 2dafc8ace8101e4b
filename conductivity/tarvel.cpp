// Polystyrene foam (menu １．１．６). Placeholder until its table and window are written.
#include "programs.h"

namespace milfo::conductivity {

const ProgramDescription& tarvel()
{
    static const ProgramDescription program{"tarvel", "ミルフォ－１．１．６", 5130, 3960, {}};
    return program;
}

}  // namespace milfo::conductivity
