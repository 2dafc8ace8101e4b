// lorvast: saturated vapour pressure and dew point (menu ６). Placeholder until its window and handlers are written.
#include "programs.h"

namespace milfo::heatflow {

const ProgramDescription& lorvast()
{
    static const ProgramDescription program{"lorvast", "ミルフォ－６", 3405, 3360, {}};
    return program;
}

}  // namespace milfo::heatflow
