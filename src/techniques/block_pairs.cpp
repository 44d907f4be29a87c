#include "techniques/block_pairs.h"

#include <algorithm>
#include <bit>

#include "techniques/units.h"

namespace numplace {

using namespace units;

namespace {

// The trial list's entry of one place of a pair: block, row, column, digit.
void writePairEntry(Tables &t, int n, int b, int r, int c, int d) {
  t.BlockPairList[n] = 1000 * b + 100 * r + 10 * c + d;
}

// The digits of a least code as candidates: every digit it is written
// with. Codes below 1000, most of them, from a table.
struct CodeDigitTable {
  std::uint16_t digits[1000]{};
  constexpr CodeDigitTable() {
    for (int code = 0; code < 1000; ++code) {
      for (int x = code; x > 0; x /= 10) digits[code] = static_cast<std::uint16_t>(digits[code] | (1u << (x % 10)));
    }
  }
};
constexpr CodeDigitTable kCodeDigits;

std::uint16_t leastCodeDigits(int code) {
  if (code >= 0 && code < 1000) return kCodeDigits.digits[code] & kAllDigits;
  // Three places at a time; a 0 among them adds only bit 0.
  if (code >= 0 && code < 1'000'000) {
    return static_cast<std::uint16_t>((kCodeDigits.digits[code % 1000] | kCodeDigits.digits[code / 1000]) & kAllDigits);
  }
  if (code >= 0 && code < 1'000'000'000) {
    const auto digits =
        kCodeDigits.digits[code % 1000] | kCodeDigits.digits[code / 1000 % 1000] | kCodeDigits.digits[code / 1'000'000];
    return static_cast<std::uint16_t>(digits & kAllDigits);
  }
  std::uint16_t digits = 0;
  for (int x = code; x > 0; x /= 10) digits |= bit(x % 10);
  return digits & kAllDigits;
}

}  // namespace

void blockPairStage(Tables &t, BlockPairMarks marks) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      t.Candidates[r][c] = leastCodeDigits(t.LeastCode[r][c]);
    }
  }
  // The digits with exactly two places in each block.
  std::uint16_t pairs[10]{};
  for (int b = 1; b <= 9; ++b) {
    const UnitCells &u = blockCellsByNumber(b);
    std::uint16_t once = 0, twice = 0, more = 0;
    for (int k = 0; k < 9; ++k) {
      const std::uint16_t m = t.Candidates[u.row[k]][u.column[k]];
      more |= twice & m;
      twice |= once & m;
      once |= m;
    }
    pairs[b] = static_cast<std::uint16_t>(twice & ~more);
  }
  // The two places of each pair, in block scan order.
  struct Places {
    int r1, c1, r2, c2;
  };
  Places at[10][10];
  // For each digit, the blocks in which it has its two places, by bit.
  unsigned blocksOf[10]{};
  for (int b = 1; b <= 9; ++b) {
    const UnitCells &u = blockCellsByNumber(b);
    for (unsigned m = pairs[b]; m != 0; m &= m - 1) {
      const int d = std::countr_zero(m);
      blocksOf[d] |= 1u << b;
      int k = 0;
      while (!(t.Candidates[u.row[k]][u.column[k]] & bit(d))) ++k;
      int l = k + 1;
      while (!(t.Candidates[u.row[l]][u.column[l]] & bit(d))) ++l;
      at[b][d] = {u.row[k], u.column[k], u.row[l], u.column[l]};
    }
  }
  // Digit by digit: forward over the blocks, each pair entered at its later
  // cell; then backward over the blocks, at its earlier cell.
  int n = 1;
  t.BlockPairList[1] = 1000;
  for (int d = 1; d <= 9; ++d) {
    for (unsigned m = blocksOf[d]; m != 0; m &= m - 1) {
      const int b = std::countr_zero(m);
      writePairEntry(t, ++n, b, at[b][d].r2, at[b][d].c2, d);
    }
  }
  for (int d = 1; d <= 9; ++d) {
    for (unsigned m = blocksOf[d]; m != 0;) {
      const int b = static_cast<int>(std::bit_width(m)) - 1;
      m &= ~(1u << b);
      writePairEntry(t, ++n, b, at[b][d].r1, at[b][d].c1, d);
    }
  }
  t.PairLast = n;

  // A pair lying in one row, then (after every row) one lying in one column,
  // excludes its digit from the rest of the line: block by block, digit by
  // digit, the two cells in scan order. That is the order in which the pairs
  // stand in the entries keyed by block, digit, line and place in the line,
  // sorted; no such list is needed to visit them in it.
  for (int b = 1; b <= 9; ++b) {
    for (unsigned m = pairs[b]; m != 0; m &= m - 1) {
      const Places &p = at[b][std::countr_zero(m)];
      if (p.r1 != p.r2) continue;
      const UnitList list{t, UnitKind::Row, p.r1};
      list.mark(p.r1, p.c1, marks.row);
      list.mark(p.r1, p.c2, marks.row);
      list.add(std::countr_zero(m));
    }
  }
  for (int b = 1; b <= 9; ++b) {
    for (unsigned m = pairs[b]; m != 0; m &= m - 1) {
      const Places &p = at[b][std::countr_zero(m)];
      if (p.c1 != p.c2) continue;
      const UnitList list{t, UnitKind::Column, p.c1};
      list.mark(p.r1, p.c1, marks.column);
      list.mark(p.r2, p.c1, marks.column);
      list.add(std::countr_zero(m));
    }
  }
}

std::span<const int> sortedBlockPairs(Tables &t) {
  const int last = t.PairLast;
  std::sort(t.BlockPairList + 2, t.BlockPairList + last + 1);
  return {t.BlockPairList + 2, t.BlockPairList + last + 1};
}

int buildTrialList(Tables &t) {
  int i = 2;
  for (const int entry : sortedBlockPairs(t)) {
    const BlockPairEntry e = blockPairEntry(entry);
    t.TrialRow[i] = e.row;
    t.TrialColumn[i] = e.column;
    t.TrialDigit[i] = e.digit;
    ++i;
  }
  return t.PairLast;
}

}  // namespace numplace
