// 放散熱量: heat loss, plane and pipe (menu ３). Placeholder until its window and handlers are written.
#include "programs.h"

namespace milfo::heatflow {

const ProgramDescription& heatLoss()
{
    static const ProgramDescription program{"放散熱量", "ミルフォ－３", 6705, 4740, {}};
    return program;
}

}  // namespace milfo::heatflow
