#include "techniques/digit_lists.h"

#include "techniques/units.h"

namespace numplace {

using namespace units;

namespace {

// The list of one unit is read as it is built (each cell's digits from its
// last to its first, cells in scan order): what counts is how often each
// digit occurs and where it first came from.
std::optional<Placement> digitListSingle(const Tables &t, int firstUnit) {
  for (int unit = firstUnit; unit < firstUnit + 9; ++unit) {
    const UnitCells &u = kUnits.unit[unit];
    std::uint16_t present = 0;
    int count[10]{};
    int from[10]{};
    for (int k = 0; k < 9; ++k) {
      const int r = u.row[k];
      const int c = u.column[k];
      if (t.Board[r][c] != 0) present = static_cast<std::uint16_t>(present | bit(t.Board[r][c]));
      int code = t.LeastCode[r][c];
      if (code < 10) continue;  // solved, or no candidate left
      for (int j = 1; j <= 9; ++j) {
        const int d = code % 10;
        code /= 10;
        if (d == 0) break;
        if (count[d]++ == 0) from[d] = k;
      }
    }
    for (int d = 1; d <= 9; ++d) {
      if ((present & bit(d)) || count[d] != 1) continue;
      return Placement{u.row[from[d]], u.column[from[d]], d};
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<Placement> digitListSingleInColumns(const Tables &t) { return digitListSingle(t, kFirstColumn); }
std::optional<Placement> digitListSingleInRows(const Tables &t) { return digitListSingle(t, kFirstRow); }

}  // namespace numplace
