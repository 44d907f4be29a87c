#include "techniques/consistency.h"

#include "techniques/units.h"

namespace numplace {

using namespace units;

bool hasDuplicateGiven(const Tables &t) {
  // A digit met again in a row, column or block already holding it.
  std::uint16_t row[10]{};
  std::uint16_t column[10]{};
  std::uint16_t block[10]{};
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int d = t.Board[r][c];
      if (d == 0) continue;
      const int b = kBlocks.of[r][c];
      if ((row[r] | column[c] | block[b]) & bit(d)) return true;
      row[r] = static_cast<std::uint16_t>(row[r] | bit(d));
      column[c] = static_cast<std::uint16_t>(column[c] | bit(d));
      block[b] = static_cast<std::uint16_t>(block[b] | bit(d));
    }
  }
  return false;
}

}  // namespace numplace
