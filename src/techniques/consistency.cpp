#include "techniques/consistency.h"

#include "techniques/units.h"

namespace numplace {

using namespace units;

bool hasDuplicateGiven(const Tables &t) {
  for (const UnitCells &cells : kUnits.unit) {
    std::uint16_t seen = 0;
    for (int k = 0; k < 9; ++k) {
      const int d = t.Board[cells.row[k]][cells.column[k]];
      if (d == 0) continue;
      if (seen & bit(d)) return true;
      seen |= bit(d);
    }
  }
  return false;
}

}  // namespace numplace
