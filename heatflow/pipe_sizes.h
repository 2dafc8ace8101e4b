// The carbon steel pipes for ordinary piping of JIS G 3452 (SGP), 6A to
// 500A: the suite's one table of pipe sizes, in the core, for every front
// end and program that offers them (milfo-calc's `--vary NAME=sgp`), and the
// one handler of a list of them.
#pragma once

#include <string>
#include <vector>

#include "program.h"

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

// The nominal sizes, from the smallest: the entries of a 呼び径 list.
std::vector<std::string> nominalSizes();

// The click of a 呼び径 list: the size picked writes its outer diameter into
// one box and, where the window has one, its inner diameter into another
// (nullptr: none). A text that is no size writes nothing.
HandlerFn nominalSizePicked(const char* list, const char* outerBox, const char* innerBox = nullptr);

}  // namespace milfo::heatflow
