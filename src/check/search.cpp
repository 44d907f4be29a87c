// The searches of the generator beside the exact check: a random full grid,
// and whether a puzzle still has a solution with a digit ruled out in a cell
// (a given taken away keeps the solution one exactly when it has none).
#include <bit>
#include <cstdint>

#include "board/contract.h"
#include "check/check.h"
#include "check/position.h"

namespace numplace {
namespace exact {

// The generator lays a puzzle for every given it tries to take away.
bool layAtOnce(Position &pos, const Grid &givens) {
  pos = Position{};
  for (int i = 0; i < 81; ++i) {
    const int d = givens[static_cast<std::size_t>(i)];
    if (d < 1 || d > 9) continue;
    const auto bit = static_cast<std::uint16_t>(1u << (d - 1));
    for (const std::uint8_t u : kGeo.units[i]) {
      if ((pos.placedIn[u] & bit) != 0) return false;  // a clash
      pos.placedIn[u] = static_cast<std::uint16_t>(pos.placedIn[u] | bit);
    }
    pos.value[i] = static_cast<std::uint8_t>(d);
    ++pos.filled;
  }
  for (int i = 0; i < 81; ++i) {
    if (pos.value[i] != 0) continue;
    const std::uint8_t *const u = kGeo.units[i];
    const auto m = static_cast<std::uint16_t>(kAll & ~(pos.placedIn[u[0]] | pos.placedIn[u[1]] | pos.placedIn[u[2]]));
    if (m == 0) return false;
    pos.cand[i] = m;
    if (isSingle(m)) pos.queue[pos.queued++] = static_cast<std::uint8_t>(i);
  }
  pos.dirty = (1u << 27) - 1;
  pos.lineDirty = (1u << 18) - 1;
  return true;
}

}  // namespace exact

namespace {

using namespace exact;

// The first solution found, for the generator's tests of a given taken
// away: singles alone between the branches (there the locked candidates
// cost more than they save).
bool anySolution(Position &pos, Grid *solution) {
  if (!pos.singles()) return false;
  if (pos.filled == 81) {
    if (solution != nullptr) pos.copyValues(*solution);
    return true;
  }
  const int best = pos.branchCell(true);
  std::uint16_t digits = pos.cand[best];
  while (digits != 0) {
    const int digit = lowestDigit(digits);
    digits = static_cast<std::uint16_t>(digits & (digits - 1));
    if (digits == 0) {
      // The last digit: this position is not needed again.
      pos.queued = 0;
      return pos.place(best, digit) && anySolution(pos, solution);
    }
    Position next = pos;
    next.queued = 0;
    if (next.place(best, digit) && anySolution(next, solution)) return true;
  }
  return false;
}

// A solution reached by branching in the order `choose` gives: the cell
// with the fewest candidates, its digits drawn one by one.
struct RandomSearch {
  Choices &choose;
  Grid solution{};

  bool run(Position &pos) {
    if (!pos.propagate()) return false;
    if (pos.filled == 81) {
      pos.copyValues(solution);
      return true;
    }
    const int best = pos.branchCell(false);
    std::uint16_t digits = pos.cand[best];
    while (digits != 0) {
      // The k-th digit left, counted from the lowest.
      unsigned k = choose.below(kCounts.count[digits]);
      std::uint16_t rest = digits;
      while (k-- > 0) rest = static_cast<std::uint16_t>(rest & (rest - 1));
      const int digit = lowestDigit(rest);
      digits = static_cast<std::uint16_t>(digits & ~(1u << digit));
      Position next = pos;
      next.queued = 0;
      if (next.place(best, digit) && run(next)) return true;
    }
    return false;
  }
};
}  // namespace

std::optional<Grid> randomSolution(const Grid &givens, Choices &choose) {
  for (const std::uint8_t digit : givens) NUMPLACE_ASSERT(digit <= 9);
  Position pos;
  if (!layAtOnce(pos, givens)) return std::nullopt;
  RandomSearch search{choose};
  if (!search.run(pos)) return std::nullopt;
  return search.solution;
}

bool solvableWithout(const Grid &givens, int cell, int digit, Grid *solution) {
  NUMPLACE_ASSERT(cell >= 0 && cell < 81 && digit >= 1 && digit <= 9);
  NUMPLACE_ASSERT(givens[static_cast<std::size_t>(cell)] == 0);
  Position pos;
  if (!layAtOnce(pos, givens)) return false;
  // Laid without a contradiction, an empty cell has a candidate left.
  std::uint16_t &m = pos.cand[cell];
  const auto bit = static_cast<std::uint16_t>(1u << (digit - 1));
  if ((m & bit) != 0) {
    m = static_cast<std::uint16_t>(m & ~bit);
    if (m == 0) return false;
    if (isSingle(m)) pos.queue[pos.queued++] = static_cast<std::uint8_t>(cell);
  }
  return anySolution(pos, solution);
}

}  // namespace numplace
