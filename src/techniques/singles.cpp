#include "techniques/singles.h"

#include "techniques/units.h"

namespace numplace {

using namespace units;

namespace units {

PlacedDigits placedDigits(const Tables &t) {
  PlacedDigits m;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int d = t.Board[r][c];
      if (d == 0) continue;
      m.row[r] |= bit(d);
      m.column[c] |= bit(d);
      m.block[kBlocks.of[r][c]] |= bit(d);
    }
  }
  return m;
}

}  // namespace units

namespace {

// Digits held by slots 1..8 of an exclusion list.
std::uint16_t listDigits(const UnitList &list) {
  std::uint16_t m = 0;
  for (int k = 1; k <= 8; ++k) {
    const int d = list.slot(k);
    if (d >= 1 && d <= 9) m |= bit(d);
  }
  return m;
}

// Digits that are candidates of exactly one cell of a unit.
std::uint16_t loneCandidates(const Tables &t, const UnitCells &u) {
  OnceTracker seen;
  for (int k = 0; k < 9; ++k) seen.add(t.Candidates[u.row[k]][u.column[k]]);
  return static_cast<std::uint16_t>(seen.once & kAllDigits);
}

// The cell of a unit holding candidate d (the only one).
Placement cellWithCandidate(const Tables &t, const UnitCells &u, int d) {
  for (int k = 0; k < 9; ++k) {
    if (t.Candidates[u.row[k]][u.column[k]] & bit(d)) return {u.row[k], u.column[k], d};
  }
  return {};
}

// The first unit in order with a lone candidate, and in it the lowest digit.
std::optional<Placement> firstLoneCandidate(const Tables &t, int firstUnit) {
  for (int u = firstUnit; u < firstUnit + 9; ++u) {
    const std::uint16_t lone = loneCandidates(t, kUnits.unit[u]);
    if (lone != 0) return cellWithCandidate(t, kUnits.unit[u], lowestDigit(lone));
  }
  return std::nullopt;
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
  std::uint16_t rowEx[10]{};
  std::uint16_t colEx[10]{};
  std::uint16_t blockEx[10]{};
  for (int u = 1; u <= 9; ++u) {
    rowEx[u] = listDigits({t, UnitKind::Row, u});
    colEx[u] = listDigits({t, UnitKind::Column, u});
    blockEx[u] = listDigits({t, UnitKind::Block, u});
  }
  int tested = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      if (t.Board[r][c] == 0) {
        const int b = kBlocks.of[r][c];
        std::uint16_t allowed =
            kAllDigits & static_cast<std::uint16_t>(~(used.row[r] | used.column[c] | used.block[b]));
        // A member of the pair or triple that produced a list ignores it.
        const int(&marks)[4] = t.PairMarks[r][c];
        if (!exemptFromLineList(marks[kindIndex(UnitKind::Row)])) allowed &= static_cast<std::uint16_t>(~rowEx[r]);
        if (!exemptFromLineList(marks[kindIndex(UnitKind::Column)])) allowed &= static_cast<std::uint16_t>(~colEx[c]);
        if (!exemptFromBlockList(marks[kindIndex(UnitKind::Block)])) allowed &= static_cast<std::uint16_t>(~blockEx[b]);
        t.Candidates[r][c] |= allowed;
      }
      const int n = settleCell(t, r, c);
      t.CandidateCount[r][c] = n;
      if (mode == NakedSingles::Hold) continue;
      ++tested;
      if (n == 1) return {Placement{r, c, t.SingleCandidate[r][c]}, tested};
    }
  }
  return {std::nullopt, tested};
}

Scan hiddenSingleInBlocks(const Tables &t) {
  std::uint16_t lone[10]{};
  for (int b = 1; b <= 9; ++b) lone[b] = loneCandidates(t, blockCellsByNumber(b));
  // The digit loop is outermost: the lowest digit wins, then the first block.
  int tested = 0;
  for (int d = 1; d <= 9; ++d) {
    for (int b = 1; b <= 9; ++b) {
      ++tested;
      if (lone[b] & bit(d)) return {cellWithCandidate(t, blockCellsByNumber(b), d), tested};
    }
  }
  return {std::nullopt, tested};
}

std::optional<Placement> hiddenSingleInRows(const Tables &t) { return firstLoneCandidate(t, kFirstRow); }

std::optional<Placement> hiddenSingleInColumns(const Tables &t) { return firstLoneCandidate(t, kFirstColumn); }

void columnRecount(Tables &t) {
  const PlacedDigits used = placedDigits(t);
  for (int c = 1; c <= 9; ++c) {
    for (int r = 1; r <= 9; ++r) {
      if (t.Board[r][c] == 0) {
        const auto blocked = static_cast<std::uint16_t>(used.row[r] | used.column[c] | used.block[kBlocks.of[r][c]]);
        t.Candidates[r][c] = static_cast<std::uint16_t>(t.Candidates[r][c] | (kAllDigits & ~blocked));
      }
      t.RecountCount[r][c] = settleCell(t, r, c);
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
