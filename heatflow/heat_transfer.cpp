// 熱伝達率: surface heat transfer coefficient (menu ２．１). Placeholder until its window and handlers are written.
#include "programs.h"

namespace milfo::heatflow {

const ProgramDescription& heatTransfer()
{
    static const ProgramDescription program{"熱伝達率", "ミルフォ－２．１", 6600, 4815, {}};
    return program;
}

}  // namespace milfo::heatflow
