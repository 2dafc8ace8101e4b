// yardow: heat loss after installation (menu ３．２). Placeholder until its window and handlers are written.
#include "programs.h"

namespace milfo::heatflow {

const ProgramDescription& yardow()
{
    static const ProgramDescription program{"yardow", "ミルフォ－３．２", 6705, 3930, {}};
    return program;
}

}  // namespace milfo::heatflow
