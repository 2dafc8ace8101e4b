// Every calculator of the suite by its deliverable name, for the tools that
// serve them all (the driver, the tests).
#pragma once

#include <string_view>
#include <vector>

#include "program.h"

namespace milfo {

const std::vector<const ProgramDescription*>& allPrograms();
const ProgramDescription* findProgram(std::string_view name);

}  // namespace milfo
