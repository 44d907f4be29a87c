// --explain: the path of a run for a person, in Japanese like the window.
#pragma once

#include <ostream>
#include <string>

#include "runs/result.h"

namespace numplace {

// "7行5列に3　「基本」naked single　見たのはこのマス自身：候補は3だけ"
std::string explainPlacement(const PlacementRecord &p);

// A heading naming the run, one numbered line per placement of its path,
// then how the run ended.
void printExplanation(std::ostream &out, const RunResult &result);

}  // namespace numplace
