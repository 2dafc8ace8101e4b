// 表面温度: outer surface temperature after installation (menu ５). Placeholder until its window and handlers are written.
#include "programs.h"

namespace milfo::heatflow {

const ProgramDescription& surfaceTemperature()
{
    static const ProgramDescription program{"表面温度", "ミルフォ－５", 6705, 3930, {}};
    return program;
}

}  // namespace milfo::heatflow
