// Digit-list singles: the least codes of a column's (row's) unsolved cells
// taken apart digit by digit; a digit missing from the unit that occurs
// exactly once is placed in the cell it came from.
#pragma once

#include <cstdint>
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

// The same for a run that reads the lists sweep after sweep (the answer
// run): what each cell's least code gives the lists is kept and read again
// only when the code has changed.
class DigitListReader {
 public:
  DigitListSingle columnsThenRows(const Tables &t);

 private:
  int code_[10][10]{};  // 0: nothing kept (a code below 10 gives nothing either)
  std::uint16_t once_[10][10]{};
  std::uint16_t repeated_[10][10]{};
};

}  // namespace numplace
