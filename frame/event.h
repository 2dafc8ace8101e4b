// One event's handler run over a form, with the run-time error policy every
// front end shares: the handler stops at the error, and each result box it
// had not written yet in this run is emptied, so no stale number stands beside
// the report. No toolkit here.
#pragma once

#include <optional>

#include "numeric.h"
#include "program.h"

namespace milfo {

// Runs handler over form; returns the run-time error it ended with, if any.
std::optional<ErrorKind> runHandler(const Handler& handler, Form& form);

}  // namespace milfo
