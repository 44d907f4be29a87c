// The exact count of solutions, to two: candidates as bit sets per cell,
// naked and hidden singles propagated after every placement, and the empty
// cell with the fewest candidates tried first, each digit in turn. The depth
// of the search is at most the 81 cells; it has no other limit.
#include <bit>
#include <cstdint>

#include "board/contract.h"
#include "check/check.h"

namespace numplace {
namespace {

constexpr std::uint16_t kAll = 0x1FF;  // digits 1..9 as bits 0..8

struct Geometry {
  std::uint8_t unitCells[27][9]{};  // rows, columns, blocks
  // The three cells of each row (kind 0) or column (kind 1) within each of
  // the three blocks it crosses.
  std::uint8_t segments[2][9][3][3]{};
  std::uint8_t units[81][3]{};
  std::uint32_t unitMask[81]{};  // the cell's three units as bits 0..26
  std::uint8_t peers[81][20]{};
  constexpr Geometry() {
    for (int i = 0; i < 81; ++i) {
      const int r = i / 9;
      const int c = i % 9;
      const int b = 3 * (r / 3) + c / 3;
      units[i][0] = static_cast<std::uint8_t>(r);
      units[i][1] = static_cast<std::uint8_t>(9 + c);
      units[i][2] = static_cast<std::uint8_t>(18 + b);
      unitMask[i] = (1u << r) | (1u << (9 + c)) | (1u << (18 + b));
      unitCells[r][c] = static_cast<std::uint8_t>(i);
      unitCells[9 + c][r] = static_cast<std::uint8_t>(i);
      unitCells[18 + b][3 * (r % 3) + c % 3] = static_cast<std::uint8_t>(i);
      segments[0][r][c / 3][c % 3] = static_cast<std::uint8_t>(i);
      segments[1][c][r / 3][r % 3] = static_cast<std::uint8_t>(i);
    }
    for (int i = 0; i < 81; ++i) {
      int n = 0;
      for (int j = 0; j < 81; ++j) {
        const bool sameRow = i / 9 == j / 9;
        const bool sameColumn = i % 9 == j % 9;
        const bool sameBlock = (i / 27 == j / 27) && ((i % 9) / 3 == (j % 9) / 3);
        if (j != i && (sameRow || sameColumn || sameBlock)) peers[i][n++] = static_cast<std::uint8_t>(j);
      }
    }
  }
};
constexpr Geometry kGeo;

// Digits in each candidate set (std::popcount is a library call on the
// processors the program is built for).
struct Counts {
  std::uint8_t count[512]{};
  constexpr Counts() {
    for (int m = 1; m < 512; ++m) count[m] = static_cast<std::uint8_t>(count[m >> 1] + (m & 1));
  }
};
constexpr Counts kCounts;

int lowestDigit(std::uint16_t bits) { return std::countr_zero(static_cast<unsigned>(bits)); }
bool isSingle(std::uint16_t bits) { return (bits & (bits - 1)) == 0; }

// One position of the search: the candidates of the empty cells (0 for a
// filled cell) and the digits; copied when the search branches.
struct Position {
  std::uint16_t cand[81];
  std::uint8_t value[81];
  int filled;
  // Cells found to have one candidate left, waiting to be filled.
  std::uint8_t queue[81];
  int queued;
  // Units whose candidates changed since the hidden singles last looked.
  std::uint32_t dirty;
  // Rows and columns (bits 0..17 as in `dirty`) whose candidates changed
  // since the locked candidates last looked at their band.
  std::uint32_t lineDirty;
  // The digits placed in each unit.
  std::uint16_t placedIn[27];

  // Fills `cell` with `digit` (0..8) and takes the digit from its peers;
  // false on a contradiction.
  bool place(int cell, int digit) {
    const auto bit = static_cast<std::uint16_t>(1u << digit);
    if ((cand[cell] & bit) == 0) return false;
    value[cell] = static_cast<std::uint8_t>(digit + 1);
    cand[cell] = 0;
    ++filled;
    for (const std::uint8_t u : kGeo.units[cell]) placedIn[u] = static_cast<std::uint16_t>(placedIn[u] | bit);
    // Gathered in a local: a member would be written back at every peer.
    std::uint32_t changed = kGeo.unitMask[cell];
    int waiting = queued;
    for (const std::uint8_t p : kGeo.peers[cell]) {
      std::uint16_t &m = cand[p];
      if ((m & bit) == 0) continue;
      changed |= kGeo.unitMask[p];
      m = static_cast<std::uint16_t>(m & ~bit);
      if (m == 0) {
        dirty |= changed;
        lineDirty |= changed;
        queued = waiting;
        return false;
      }
      if (isSingle(m)) queue[waiting++] = p;
    }
    dirty |= changed;
    lineDirty |= changed;
    queued = waiting;
    return true;
  }

  bool nakedSingles() {
    while (queued > 0) {
      const int cell = queue[--queued];
      if (value[cell] != 0) continue;
      if (cand[cell] == 0 || !place(cell, lowestDigit(cand[cell]))) return false;
    }
    return true;
  }

  // Takes `digits` from the three cells of a segment (a row or column
  // within a block); false when a cell is left with nothing.
  bool eliminate(const std::uint8_t (&cells)[3], std::uint16_t digits) {
    for (const std::uint8_t cell : cells) {
      std::uint16_t &m = cand[cell];
      if ((m & digits) == 0) continue;
      dirty |= kGeo.unitMask[cell];
      lineDirty |= kGeo.unitMask[cell];
      m = static_cast<std::uint16_t>(m & ~digits);
      if (m == 0) return false;
      if (isSingle(m)) queue[queued++] = cell;
    }
    return true;
  }

  // Locked candidates: a digit that a line can hold only inside one block
  // leaves the rest of that block, and one that a block can hold only
  // inside one line leaves the rest of that line. Fewer branches on hard
  // puzzles; a band of three lines is looked at again only when one of its
  // cells lost a candidate since it was last looked at.
  bool lockedCandidates(bool &changed) {
    static constexpr int kOther[3][2] = {{1, 2}, {0, 2}, {0, 1}};
    for (int kind = 0; kind < 2; ++kind) {
      for (int band = 0; band < 3; ++band) {
        const std::uint32_t bandUnits = 7u << (9 * kind + 3 * band);
        if ((lineDirty & bandUnits) == 0) continue;
        lineDirty &= ~bandUnits;
        const auto &lines = kGeo.segments[kind];
        std::uint16_t seg[3][3];  // [line within the band][block along it]
        for (int i = 0; i < 3; ++i) {
          for (int s = 0; s < 3; ++s) {
            const std::uint8_t *const cells = lines[3 * band + i][s];
            seg[i][s] = static_cast<std::uint16_t>(cand[cells[0]] | cand[cells[1]] | cand[cells[2]]);
          }
        }
        for (int i = 0; i < 3; ++i) {
          for (int s = 0; s < 3; ++s) {
            const std::uint16_t here = seg[i][s];
            if (here == 0) continue;
            const int s1 = kOther[s][0];
            const int s2 = kOther[s][1];
            const int i1 = kOther[i][0];
            const int i2 = kOther[i][1];
            const auto alongLine = static_cast<std::uint16_t>(seg[i][s1] | seg[i][s2]);
            const auto inBlock = static_cast<std::uint16_t>(seg[i1][s] | seg[i2][s]);
            // Only here along the line: out of the block's other lines.
            const auto claiming = static_cast<std::uint16_t>(here & ~alongLine & inBlock);
            if (claiming != 0) {
              changed = true;
              if (!eliminate(lines[3 * band + i1][s], claiming) || !eliminate(lines[3 * band + i2][s], claiming))
                return false;
              seg[i1][s] = static_cast<std::uint16_t>(seg[i1][s] & ~claiming);
              seg[i2][s] = static_cast<std::uint16_t>(seg[i2][s] & ~claiming);
            }
            // Only here within the block: out of the line's other blocks.
            const auto pointing = static_cast<std::uint16_t>(here & ~inBlock & alongLine);
            if (pointing != 0) {
              changed = true;
              if (!eliminate(lines[3 * band + i][s1], pointing) || !eliminate(lines[3 * band + i][s2], pointing))
                return false;
              seg[i][s1] = static_cast<std::uint16_t>(seg[i][s1] & ~pointing);
              seg[i][s2] = static_cast<std::uint16_t>(seg[i][s2] & ~pointing);
            }
          }
        }
      }
    }
    return true;
  }

  // Naked and hidden singles, then locked candidates, until none of them
  // finds anything; false on a contradiction (a cell or a digit of a unit
  // without a place).
  bool propagate() {
    for (;;) {
      if (!singles()) return false;
      bool changed = false;
      if (!lockedCandidates(changed)) return false;
      if (!changed) return true;
    }
  }

  bool singles() {
    if (!nakedSingles()) return false;
    for (;;) {
      bool placed = false;
      while (dirty != 0) {
        const int u = std::countr_zero(dirty);
        dirty &= dirty - 1;
        const std::uint8_t *const unit = kGeo.unitCells[u];
        std::uint16_t once = 0;
        std::uint16_t more = 0;
        for (int k = 0; k < 9; ++k) {
          const std::uint16_t m = cand[unit[k]];
          more = static_cast<std::uint16_t>(more | (once & m));
          once = static_cast<std::uint16_t>(once | m);
        }
        if ((once | placedIn[u]) != kAll) return false;
        auto hidden = static_cast<std::uint16_t>(once & ~more);
        while (hidden != 0) {
          const int digit = lowestDigit(hidden);
          hidden = static_cast<std::uint16_t>(hidden & (hidden - 1));
          for (int k = 0; k < 9; ++k) {
            const int cell = unit[k];
            if ((static_cast<unsigned>(cand[cell]) >> digit) & 1u) {
              if (!place(cell, digit)) return false;
              break;
            }
          }
          placed = true;
        }
        if (placed && !nakedSingles()) return false;
      }
      if (!placed) return true;
    }
  }
};

struct Search {
  int found = 0;
  long guesses = 0;
  Grid solutions[2]{};

  void run(Position &pos) {
    if (!pos.propagate()) return;
    if (pos.filled == 81) {
      auto &s = solutions[found++];
      for (int i = 0; i < 81; ++i) s[static_cast<std::size_t>(i)] = pos.value[i];
      return;
    }
    int best = -1;
    int fewest = 10;
    for (int i = 0; i < 81; ++i) {
      if (pos.cand[i] == 0) continue;
      const int n = kCounts.count[pos.cand[i]];
      if (n < fewest) {
        fewest = n;
        best = i;
        if (n == 2) break;
      }
    }
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

// The first solution found, for the generator's tests of a given taken
// away: singles alone between the branches (there the locked candidates
// cost more than they save).
bool anySolution(Position &pos, Grid *solution) {
  if (!pos.singles()) return false;
  if (pos.filled == 81) {
    if (solution != nullptr) {
      for (int i = 0; i < 81; ++i) (*solution)[static_cast<std::size_t>(i)] = pos.value[i];
    }
    return true;
  }
  int best = -1;
  int fewest = 10;
  for (int i = 0; i < 81; ++i) {
    if (pos.cand[i] == 0) continue;
    const int n = kCounts.count[pos.cand[i]];
    if (n < fewest) {
      fewest = n;
      best = i;
      if (n == 2) break;
    }
  }
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

// The givens laid in one sweep from the digits of each unit (rather than
// given by given, as the check does): the generator lays a puzzle for
// every given it tries to take away. False on a clash or an empty cell
// left with nothing.
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

// A solution reached by branching in the order `choose` gives: the cell
// with the fewest candidates, its digits drawn one by one.
struct RandomSearch {
  Choices &choose;
  Grid solution{};

  bool run(Position &pos) {
    if (!pos.propagate()) return false;
    if (pos.filled == 81) {
      for (int i = 0; i < 81; ++i) solution[static_cast<std::size_t>(i)] = pos.value[i];
      return true;
    }
    int best = -1;
    int fewest = 10;
    for (int i = 0; i < 81; ++i) {
      if (pos.cand[i] == 0) continue;
      const int n = kCounts.count[pos.cand[i]];
      if (n < fewest) {
        fewest = n;
        best = i;
      }
    }
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
