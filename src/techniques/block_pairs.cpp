#include "techniques/block_pairs.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "techniques/units.h"

namespace numplace {

using namespace units;

namespace {

void writePairEntry(Tables &t, int n, int b, int r, int c, int d) {
  t.BlockPairList[n] = 1000 * b + 100 * r + 10 * c + d;
  t.BlockPairsByRow[n] = 1000 * b + 100 * d + 10 * r + c;
  t.BlockPairsByColumn[n] = 1000 * b + 100 * d + 10 * c + r;
}

// After sorting, the two entries of each pair stand side by side at (2, 3),
// (4, 5), ...; equal keys mean both cells lie in the line of the list's order.
template <typename Mark>
void pointingPairs(Tables &t, int last, Mark mark) {
  for (int i = 2; i + 1 <= last; i += 2) {
    if (t.PairKey[i] == t.PairKey[i + 1]) mark(t.PairLine[i], t.PairCross[i], t.PairCross[i + 1], t.PairDigit[i]);
  }
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
  t.BlockPairList[1] = 1000;
  for (int d = 1; d <= 9; ++d) {
    for (unsigned m = blocksOf[d]; m != 0;) {
      const int b = static_cast<int>(std::bit_width(m)) - 1;
      m &= ~(1u << b);
      writePairEntry(t, ++n, b, at[b][d].r1, at[b][d].c1, d);
    }
  }
  t.PairLast = n;

  // The keyed lists sorted: each (block, digit) holds the two entries of its
  // pair, so the sorted order is block by block, digit by digit, the two
  // places in the order of the key's line and cross position. Written that
  // way, and decoded, without sorting.
  const auto sorted = [&](int *list, bool byRow) {
    int i = 1;
    for (int b = 1; b <= 9; ++b) {
      for (unsigned m = pairs[b]; m != 0; m &= m - 1) {
        const int d = std::countr_zero(m);
        const Places &p = at[b][d];
        int line1 = byRow ? p.r1 : p.c1, cross1 = byRow ? p.c1 : p.r1;
        int line2 = byRow ? p.r2 : p.c2, cross2 = byRow ? p.c2 : p.r2;
        if (10 * line2 + cross2 < 10 * line1 + cross1) {
          std::swap(line1, line2);
          std::swap(cross1, cross2);
        }
        for (const auto &[line, cross] : {std::pair{line1, cross1}, std::pair{line2, cross2}}) {
          ++i;
          list[i] = 1000 * b + 100 * d + 10 * line + cross;
          t.PairKey[i] = 100 * b + 10 * d + line;
          t.PairDigit[i] = d;
          t.PairLine[i] = line;
          t.PairCross[i] = cross;
        }
      }
    }
  };
  sorted(t.BlockPairsByRow, true);
  pointingPairs(t, n, [&](int r, int c1, int c2, int d) {
    const UnitList list{t, UnitKind::Row, r};
    list.mark(r, c1, marks.row);
    list.mark(r, c2, marks.row);
    list.add(d);
  });
  sorted(t.BlockPairsByColumn, false);
  pointingPairs(t, n, [&](int c, int r1, int r2, int d) {
    const UnitList list{t, UnitKind::Column, c};
    list.mark(r1, c, marks.column);
    list.mark(r2, c, marks.column);
    list.add(d);
  });
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
