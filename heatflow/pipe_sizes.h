// The carbon steel pipes for ordinary piping of JIS G 3452 (SGP), 6A to
// 500A: the suite's one table of pipe sizes, in the core, for every front
// end and program that offers them (milfo-calc's `--vary NAME=sgp`).
#pragma once

#include <vector>

namespace milfo::heatflow {

// A pipe size: nominal size ("100A"), outer and inner diameter in metres as
// text ("0.1143", "0.1053").
struct PipeSize {
    const char* nominal;
    const char* outerDiameter;
    const char* innerDiameter;
};

// Every size, from the smallest.
const std::vector<PipeSize>& sgpSizes();

}  // namespace milfo::heatflow
