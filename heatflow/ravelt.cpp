// ravelt: insulation thickness (menu ４). Placeholder until its window and handlers are written.
#include "programs.h"

namespace milfo::heatflow {

const ProgramDescription& ravelt()
{
    static const ProgramDescription program{"ravelt", "ミルフォ－４", 6705, 4740, {}};
    return program;
}

}  // namespace milfo::heatflow
