// Digit-list singles: the least codes of a column's (row's) unsolved cells
// taken apart digit by digit; a digit missing from the unit that occurs
// exactly once is placed in the cell it came from.
#pragma once

#include <optional>

#include "board/tables.h"
#include "techniques/placement.h"

namespace numplace {

std::optional<Placement> digitListSingleInColumns(const Tables &t);
std::optional<Placement> digitListSingleInRows(const Tables &t);

// The columns, then (when they have none) the rows, from one reading of the
// least codes.
struct DigitListSingle {
  std::optional<Placement> placement;
  bool inRows = false;
};
DigitListSingle digitListSingleInColumnsThenRows(const Tables &t);

}  // namespace numplace
