// The texts that report a placement: the step line printed in the step log
// and the text of Text14.
#pragma once

#include <string>

#include "runs/result.h"

namespace numplace {

// " 1 基本 3 - 5  7 " as the step log prints it: the numbers as the surface
// prints them, " - " between row and column for the column digit-list single.
std::string stepLine(const PlacementRecord &p);

// " 1 基本 3- 5  7" as Text14 shows it: each number with one leading blank.
std::string reportText(const PlacementRecord &p);

}  // namespace numplace
