// --explain: the path of a run for a person, in Japanese like the window.
#pragma once

#include <ostream>

#include "runs/result.h"
#include "script/explanation.h"

namespace numplace {

// A heading naming the run, one numbered line per placement of its path,
// then how the run ended (the lines of explainRun).
void printExplanation(std::ostream &out, const RunResult &result);

}  // namespace numplace
