#include "techniques/singles.h"

#include <bit>
#include <cstring>

#include "techniques/units.h"

namespace numplace {

using namespace units;

namespace units {

PlacedDigits placedDigits(const Tables &t) {
  // Band by band, three columns of blocks each; bit 0 collects the empty
  // cells and is masked away at the end. The board holds 0..9 only.
  PlacedDigits m;
  unsigned column[9]{};
  for (int band = 0; band < 3; ++band) {
    unsigned block[3]{};
    for (int i = 1; i <= 3; ++i) {
      const int r = 3 * band + i;
      unsigned row = 0;
      for (int j = 0; j < 9; ++j) {
        const unsigned b = 1u << t.Board[r][j + 1];
        row |= b;
        column[j] |= b;
        block[j / 3] |= b;
      }
      m.row[r] = static_cast<std::uint16_t>(row & kAllDigits);
    }
    for (int k = 0; k < 3; ++k) m.block[3 * band + k + 1] = static_cast<std::uint16_t>(block[k] & kAllDigits);
  }
  for (int j = 0; j < 9; ++j) m.column[j + 1] = static_cast<std::uint16_t>(column[j] & kAllDigits);
  return m;
}

}  // namespace units

namespace {

// Digits held by slots 1..8 of an exclusion list, as a set.
unsigned listBit(int slot) {
  const auto d = static_cast<unsigned>(slot);
  return d <= 9 ? 1u << d : 0u;
}

// Per unit, the digits its exclusion list leaves a cell.
struct ListKeeps {
  std::uint16_t row[10]{};
  std::uint16_t column[10]{};
  std::uint16_t block[10]{};
  explicit ListKeeps(const Tables &t) {
    unsigned columnList[10]{};
    for (int k = 1; k <= 8; ++k) {
      for (int u = 1; u <= 9; ++u) columnList[u] |= listBit(t.ColumnExclusions[k][u]);
    }
    for (int u = 1; u <= 9; ++u) {
      unsigned rowList = 0;
      unsigned blockList = 0;
      for (int k = 1; k <= 8; ++k) {
        rowList |= listBit(t.RowExclusions[u][k]);
        blockList |= listBit(t.BlockExclusions[u][k]);
      }
      row[u] = static_cast<std::uint16_t>(~rowList & kAllDigits);
      column[u] = static_cast<std::uint16_t>(~columnList[u] & kAllDigits);
      block[u] = static_cast<std::uint16_t>(~blockList & kAllDigits);
    }
  }
};

// The candidates of an empty cell from the digits its row, column and block
// hold, and the lists it does not ignore as a member of their group.
unsigned cellCandidates(const Tables &t, const PlacedDigits &used, const std::uint16_t *rowKeep,
                        const std::uint16_t *columnKeep, const std::uint16_t *blockKeep, int r, int c) {
  const int b = kBlocks.of[r][c];
  unsigned allowed = kAllDigits & ~static_cast<unsigned>(used.row[r] | used.column[c] | used.block[b]);
  const int(&marks)[4] = t.PairMarks[r][c];
  // Most cells carry no mark (slot 0 is never written).
  if ((marks[0] | marks[1] | marks[2] | marks[3]) == 0) return allowed & rowKeep[r] & columnKeep[c] & blockKeep[b];
  if (!exemptFromLineList(marks[kindIndex(UnitKind::Row)])) allowed &= rowKeep[r];
  if (!exemptFromLineList(marks[kindIndex(UnitKind::Column)])) allowed &= columnKeep[c];
  if (!exemptFromBlockList(marks[kindIndex(UnitKind::Block)])) allowed &= blockKeep[b];
  return allowed;
}

// The cell of a unit holding candidate d (the only one).
Placement cellWithCandidate(const Tables &t, const UnitCells &u, int d) {
  for (int k = 0; k < 9; ++k) {
    if (t.Candidates[u.row[k]][u.column[k]] & bit(d)) return {u.row[k], u.column[k], d};
  }
  return {};
}

// Count and largest candidate of a cell, as the candidate pass and the
// recount leave them.
int settleCell(Tables &t, int r, int c) {
  const std::uint16_t digits = t.Candidates[r][c] & kAllDigits;
  const int n = digitCount(digits);
  if (n > 0) t.SingleCandidate[r][c] = highestDigit(digits);
  return n;
}

}  // namespace

Scan candidatePass(Tables &t, NakedSingles mode) {
  const PlacedDigits used = placedDigits(t);
  const ListKeeps keep(t);
  int tested = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      if (t.Board[r][c] == 0) {
        t.Candidates[r][c] = static_cast<std::uint16_t>(
            t.Candidates[r][c] | cellCandidates(t, used, keep.row, keep.column, keep.block, r, c));
      }
      const int n = settleCell(t, r, c);
      if (mode == NakedSingles::Hold) continue;
      ++tested;
      if (n == 1) return {Placement{r, c, t.SingleCandidate[r][c]}, tested};
    }
  }
  return {std::nullopt, tested};
}

namespace {

// The 20 other cells of each cell's row, column and block.
struct PeerTable {
  std::uint8_t peer[10][10][20][2]{};
  constexpr PeerTable() {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        int n = 0;
        for (int i = 1; i <= 9; ++i) {
          for (int j = 1; j <= 9; ++j) {
            const bool sameBlock = blockOf(r, c) == blockOf(i, j);
            if ((i == r && j == c) || !(i == r || j == c || sameBlock)) continue;
            peer[r][c][n][0] = static_cast<std::uint8_t>(i);
            peer[r][c][n][1] = static_cast<std::uint8_t>(j);
            ++n;
          }
        }
      }
    }
  }
};
constexpr PeerTable kPeers;

}  // namespace

void CandidateTracker::compute(Tables &t) {
  if (!valid_ || !followChanges(t)) {
    const PlacedDigits used = placedDigits(t);
    for (int u = 1; u <= 9; ++u) {
      rowUsed_[u] = used.row[u];
      columnUsed_[u] = used.column[u];
      blockUsed_[u] = used.block[u];
    }
    const ListKeeps keep(t);
    for (int u = 1; u <= 9; ++u) {
      rowKeep_[u] = keep.row[u];
      columnKeep_[u] = keep.column[u];
      blockKeep_[u] = keep.block[u];
    }
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        free_[r][c] = static_cast<std::uint16_t>(
            t.Board[r][c] == 0 ? cellCandidates(t, used, rowKeep_, columnKeep_, blockKeep_, r, c) : 0u);
      }
    }
  }
  changes_ = t.changes;
  t.changeLogFrom = t.changes;
  valid_ = true;
}

// The changes since the last computation, from the log: a digit added to a
// list leaves every cell of the unit that does not ignore the list; a cell
// whose mark changed is computed afresh. False when the log does not hold
// them all.
bool CandidateTracker::followChanges(Tables &t) {
  const long n = t.changes - changes_;
  if (t.changeLogFrom != changes_ || n < 0 || n > Tables::kChangeLogSize) return false;
  int marked[Tables::kChangeLogSize][2];
  int nMarked = 0;
  for (long i = 0; i < n; ++i) {
    const Tables::Change &e = t.changeLog[i];
    if (e.kind == 0) {
      marked[nMarked][0] = e.a;
      marked[nMarked][1] = e.b;
      ++nMarked;
      continue;
    }
    const auto keep = static_cast<std::uint16_t>(~bit(e.b));
    const auto kind = static_cast<UnitKind>(e.kind);
    const UnitCells &u = kind == UnitKind::Row      ? rowCells(e.a)
                         : kind == UnitKind::Column ? columnCells(e.a)
                                                    : blockCellsByNumber(e.a);
    std::uint16_t *keeps = kind == UnitKind::Row ? rowKeep_ : kind == UnitKind::Column ? columnKeep_ : blockKeep_;
    keeps[e.a] &= keep;
    for (int k = 0; k < 9; ++k) {
      const int mark = t.PairMarks[u.row[k]][u.column[k]][e.kind];
      const bool ignores = kind == UnitKind::Block ? exemptFromBlockList(mark) : exemptFromLineList(mark);
      if (!ignores) free_[u.row[k]][u.column[k]] &= keep;
    }
  }
  PlacedDigits used;
  for (int u = 1; u <= 9; ++u) {
    used.row[u] = rowUsed_[u];
    used.column[u] = columnUsed_[u];
    used.block[u] = blockUsed_[u];
  }
  for (int i = 0; i < nMarked; ++i) {
    const int r = marked[i][0];
    const int c = marked[i][1];
    free_[r][c] = static_cast<std::uint16_t>(
        t.Board[r][c] == 0 ? cellCandidates(t, used, rowKeep_, columnKeep_, blockKeep_, r, c) : 0u);
  }
  return true;
}

Scan CandidateTracker::candidatePass(Tables &t) {
  if (!valid_ || changes_ != t.changes) compute(t);
  // Every cell's candidates at once (a filled cell has none); the cells after
  // a naked single are not read before the next cycle clears them.
  std::memcpy(t.Candidates, free_, sizeof free_);
  const int at = firstSingle();
  if (at < 0) return {std::nullopt, 81};
  const int r = at / 10;
  const int c = at % 10;
  const int d = highestDigit(free_[r][c]);
  t.SingleCandidate[r][c] = d;
  return {Placement{r, c, d}, 9 * (r - 1) + c};
}

// Four cells at a time, each 16-bit lane tested for one bit: lane minus 1
// (with its top bit set first, so that no lane borrows from the next) shares
// no bit with the lane when it holds at most one, and keeps its top bit when
// the lane is not 0. Row 0 and column 0 hold no candidates, so the table is
// read whole from element 8 on, in the cells' row-major order.
int CandidateTracker::firstSingle() const {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kTop = 0x8000'8000'8000'8000;
    constexpr std::uint64_t kOne = 0x0001'0001'0001'0001;
    const auto *bytes = reinterpret_cast<const unsigned char *>(free_);
    for (int i = 8; i < 100; i += 4) {
      std::uint64_t x;
      std::memcpy(&x, bytes + sizeof(std::uint16_t) * static_cast<std::size_t>(i), sizeof x);
      const std::uint64_t less = (x | kTop) - kOne;
      const std::uint64_t shared = x & less;
      const std::uint64_t single = less & ~((shared | kTop) - kOne) & kTop;
      if (single != 0) return i + std::countr_zero(single) / 16;
    }
    return -1;
  }
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const unsigned digits = free_[r][c];
      if (digits != 0 && (digits & (digits - 1)) == 0) return 10 * r + c;
    }
  }
  return -1;
}

void CandidateTracker::startFrom(const CandidateTracker &base, Tables &t, int r, int c, int d) {
  *this = base;
  if (d != 0) take(r, c, d);
  changes_ = t.changes;
  t.changeLogFrom = t.changes;
}

void CandidateTracker::placed(const Tables &t, int r, int c, int d) {
  // A digit written over another frees that one again: start afresh.
  if (t.Board[r][c] != 0) valid_ = false;
  take(r, c, d);
}

void CandidateTracker::take(int r, int c, int d) {
  if (!valid_) return;
  free_[r][c] = 0;
  rowUsed_[r] = static_cast<std::uint16_t>(rowUsed_[r] | bit(d));
  columnUsed_[c] = static_cast<std::uint16_t>(columnUsed_[c] | bit(d));
  blockUsed_[kBlocks.of[r][c]] = static_cast<std::uint16_t>(blockUsed_[kBlocks.of[r][c]] | bit(d));
  const auto keep = static_cast<std::uint16_t>(~bit(d));
  for (const std::uint8_t(&peer)[2] : kPeers.peer[r][c]) free_[peer[0]][peer[1]] &= keep;
}

Scan hiddenSingleInBlocks(const Tables &t) {
  // Band by band: the three blocks of a band take their rows' cells in turn.
  OnceTracker block[10];
  for (int band = 0; band < 3; ++band) {
    for (int r = 3 * band + 1; r <= 3 * band + 3; ++r) {
      for (int c = 1; c <= 9; ++c) block[3 * band + (c - 1) / 3 + 1].add(t.Candidates[r][c]);
    }
  }
  std::uint16_t lone[10]{};
  unsigned any = 0;
  for (int b = 1; b <= 9; ++b) {
    lone[b] = static_cast<std::uint16_t>(block[b].once() & kAllDigits);
    any |= lone[b];
  }
  // The digit loop is outermost: the lowest digit wins, then the first block;
  // the (digit, block) tests before it count.
  if (any == 0) return {std::nullopt, 81};
  const int d = lowestDigit(static_cast<std::uint16_t>(any));
  for (int b = 1; b <= 9; ++b) {
    if (lone[b] & bit(d)) return {cellWithCandidate(t, blockCellsByNumber(b), d), 9 * (d - 1) + b};
  }
  return {std::nullopt, 81};
}

std::optional<Placement> hiddenSingleInRows(const Tables &t) {
  for (int r = 1; r <= 9; ++r) {
    OnceTracker seen;
    for (int c = 1; c <= 9; ++c) seen.add(t.Candidates[r][c]);
    const auto lone = static_cast<std::uint16_t>(seen.once() & kAllDigits);
    if (lone != 0) return cellWithCandidate(t, rowCells(r), lowestDigit(lone));
  }
  return std::nullopt;
}

std::optional<Placement> hiddenSingleInColumns(const Tables &t) {
  OnceTracker column[10];
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) column[c].add(t.Candidates[r][c]);
  }
  for (int c = 1; c <= 9; ++c) {
    const auto lone = static_cast<std::uint16_t>(column[c].once() & kAllDigits);
    if (lone != 0) return cellWithCandidate(t, columnCells(c), lowestDigit(lone));
  }
  return std::nullopt;
}

void columnRecount(Tables &t) {
  const PlacedDigits used = placedDigits(t);
  for (int c = 1; c <= 9; ++c) {
    for (int r = 1; r <= 9; ++r) {
      if (t.Board[r][c] == 0) {
        const auto blocked = static_cast<std::uint16_t>(used.row[r] | used.column[c] | used.block[kBlocks.of[r][c]]);
        t.Candidates[r][c] = static_cast<std::uint16_t>(t.Candidates[r][c] | (kAllDigits & ~blocked));
      }
      settleCell(t, r, c);
    }
  }
}

int cellCode(const Tables &t, int r, int c) {
  if (t.Board[r][c] != 0) return t.Board[r][c];
  return candidateCodeOf(t.Candidates[r][c] & kAllDigits);
}

Outcome updateCodes(Tables &t) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      t.CandidateCode[r][c] = cellCode(t, r, c);
      lowerLeastCode(t, r, c);
      // The cells after this one are left without a code.
      if (t.LeastCode[r][c] == 0) return Outcome::Contradiction;
    }
  }
  return Outcome::Continue;
}

Outcome checkLeastCodes(Tables &t) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      lowerLeastCode(t, r, c);
      if (t.LeastCode[r][c] == 0) return Outcome::Contradiction;
    }
  }
  return Outcome::Continue;
}

void lowerLeastCode(Tables &t, int r, int c) {
  if (t.CandidateCode[r][c] >= t.LeastCode[r][c]) return;
  t.LeastCode[r][c] = t.CandidateCode[r][c];
  ++t.leastCodeChanges;
}

}  // namespace numplace

namespace numplace {

void CandidateTracker::columnRecount(Tables &t) const {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      if (t.Board[r][c] != 0) continue;
      const unsigned blocked = rowUsed_[r] | columnUsed_[c] | blockUsed_[units::kBlocks.of[r][c]];
      t.Candidates[r][c] = static_cast<std::uint16_t>(t.Candidates[r][c] | (kAllDigits & ~blocked));
    }
  }
}

}  // namespace numplace
