// The exact count of solutions, to two: candidates as bit sets per cell,
// naked and hidden singles propagated after every placement, and the empty
// cell with the fewest candidates tried first, each digit in turn. The depth
// of the search is at most the 81 cells; it has no other limit.
#include <bit>
#include <cstdint>

#include "board/contract.h"
#include "check/check.h"
#include "check/position.h"

namespace numplace {
namespace {

using namespace exact;

struct Search {
  int found = 0;
  long guesses = 0;
  Grid solutions[2]{};

  void run(Position &pos) {
    if (!pos.propagate()) return;
    if (pos.filled == 81) {
      pos.copyValues(solutions[found++]);
      return;
    }
    const int best = pos.branchCell(true);
    ++guesses;
    std::uint16_t digits = pos.cand[best];
    while (digits != 0) {
      const int digit = lowestDigit(digits);
      digits = static_cast<std::uint16_t>(digits & (digits - 1));
      if (digits == 0) {
        // The last digit: this position is not needed again.
        pos.queued = 0;
        if (pos.place(best, digit)) run(pos);
        return;
      }
      Position next = pos;
      next.queued = 0;
      if (next.place(best, digit)) run(next);
      if (found == 2) return;
    }
  }
};

void addClashes(const Grid &givens, std::vector<Clash> &clashes) {
  // One pass over the cells first: most puzzles have no clash, and the pairs
  // below are looked at only when some unit holds a digit twice.
  std::uint16_t seen[27]{};
  std::uint16_t twice = 0;
  for (int i = 0; i < 81; ++i) {
    const int d = givens[static_cast<std::size_t>(i)];
    if (d < 1 || d > 9) continue;
    const auto bit = static_cast<std::uint16_t>(1u << (d - 1));
    for (const std::uint8_t u : kGeo.units[i]) {
      twice = static_cast<std::uint16_t>(twice | (seen[u] & bit));
      seen[u] = static_cast<std::uint16_t>(seen[u] | bit);
    }
  }
  if (twice == 0) return;
  static constexpr UnitKind kKinds[3] = {UnitKind::Row, UnitKind::Column, UnitKind::Block};
  for (int u = 0; u < 27; ++u) {
    const auto &cells = kGeo.unitCells[u];
    for (int a = 0; a < 9; ++a) {
      const int d = givens[cells[a]];
      if (d < 1 || d > 9) continue;
      for (int b = a + 1; b < 9; ++b) {
        if (givens[cells[b]] != d) continue;
        const int first = cells[a] < cells[b] ? cells[a] : cells[b];
        const int second = cells[a] < cells[b] ? cells[b] : cells[a];
        clashes.push_back(
            {{CellRef{first / 9 + 1, first % 9 + 1}, CellRef{second / 9 + 1, second % 9 + 1}}, d, kKinds[u / 9]});
      }
    }
  }
}
}  // namespace

CheckResult checkGivens(const Grid &givens) {
  for (const std::uint8_t digit : givens) NUMPLACE_ASSERT(digit <= 9);
  CheckResult out;
  addClashes(givens, out.clashes);
  if (!out.clashes.empty()) return out;
  Position pos{};
  for (auto &m : pos.cand) m = kAll;
  pos.dirty = (1u << 27) - 1;
  pos.lineDirty = (1u << 18) - 1;
  for (int i = 0; i < 81; ++i) {
    const int d = givens[static_cast<std::size_t>(i)];
    if (d < 1 || d > 9) continue;
    // The givens do not clash: a given cannot lose its own digit, but the
    // digits of its peers can leave an empty cell with nothing.
    if (!pos.place(i, d - 1)) {
      out.guesses = 0;
      return out;
    }
  }
  Search search;
  search.run(pos);
  out.solutions = search.found;
  out.guesses = search.guesses;
  if (search.found >= 1) out.solution = search.solutions[0];
  if (search.found == 2) {
    out.second = search.solutions[1];
    for (int i = 0; i < 81; ++i) {
      if (search.solutions[0][static_cast<std::size_t>(i)] != search.solutions[1][static_cast<std::size_t>(i)])
        out.differ.push_back({i / 9 + 1, i % 9 + 1});
    }
  }
  return out;
}

}  // namespace numplace
