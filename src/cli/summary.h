// What numplace-cli prints after the actions: what the window shows, made
// from the last run's result and the control texts.
#pragma once

#include <optional>
#include <ostream>

#include "board/ports.h"
#include "runs/result.h"
#include "script/explanation.h"

namespace numplace {

// The board (nine lines, '.' for an empty cell), the step log, the messages,
// and the texts of Text1 and Text14. `last` is the last analysis run, if any.
void printSummary(std::ostream &out, const std::optional<RunResult> &last, const Controls &controls);

// One line "control NAME TEXT" per control, in the layout's order.
void dumpControls(std::ostream &out, const Controls &controls);

}  // namespace numplace
