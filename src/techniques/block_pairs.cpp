#include "techniques/block_pairs.h"

#include <algorithm>

#include "techniques/units.h"

namespace numplace {

using namespace units;

namespace {

void writePairEntry(Tables &t, int n, int b, int r, int c, int d) {
  t.BlockPairList[n] = 1000 * b + 100 * r + 10 * c + d;
  t.BlockPairsByRow[n] = 1000 * b + 100 * d + 10 * r + c;
  t.BlockPairsByColumn[n] = 1000 * b + 100 * d + 10 * c + r;
}

// Sorts entries 2..last of a keyed list and decodes them.
void sortAndDecode(Tables &t, int *list, int last) {
  std::sort(list + 2, list + last + 1);
  for (int i = 2; i <= last; ++i) {
    const int e = list[i];
    t.PairKey[i] = e / 10;
    t.PairDigit[i] = (e - 1000 * (e / 1000)) / 100;
    t.PairLine[i] = (e / 10) % 10;
    t.PairCross[i] = e % 10;
  }
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
  std::uint16_t digits = 0;
  for (int x = code; x > 0; x /= 10) digits |= bit(x % 10);
  return digits & kAllDigits;
}

}  // namespace

void blockPairStage(Tables &t, BlockPairMarks marks) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      t.Candidates[r][c] = leastCodeDigits(t.LeastCode[r][c]);
      t.CandidateCount[r][c] = 0;
      t.RecountCount[r][c] = 0;
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
  // Digit by digit: forward over the blocks, each pair entered at its later
  // cell; then backward over the blocks, at its earlier cell.
  const auto enter = [&](int n, int b, int d, bool later) {
    const UnitCells &u = blockCellsByNumber(b);
    for (int k = 0; k < 9; ++k) {
      const int i = later ? 8 - k : k;
      if (t.Candidates[u.row[i]][u.column[i]] & bit(d)) return writePairEntry(t, n, b, u.row[i], u.column[i], d);
    }
  };
  int n = 1;
  t.BlockPairList[1] = 1000;
  for (int d = 1; d <= 9; ++d) {
    for (int b = 1; b <= 9; ++b) {
      if (pairs[b] & bit(d)) enter(++n, b, d, true);
    }
  }
  t.BlockPairList[1] = 1000;
  for (int d = 1; d <= 9; ++d) {
    for (int b = 9; b >= 1; --b) {
      if (pairs[b] & bit(d)) enter(++n, b, d, false);
    }
  }
  t.PairLast = n;

  sortAndDecode(t, t.BlockPairsByRow, n);
  pointingPairs(t, n, [&](int r, int c1, int c2, int d) {
    const UnitList list{t, UnitKind::Row, r};
    list.mark(r, c1, marks.row);
    list.mark(r, c2, marks.row);
    list.add(d);
  });
  sortAndDecode(t, t.BlockPairsByColumn, n);
  pointingPairs(t, n, [&](int c, int r1, int r2, int d) {
    const UnitList list{t, UnitKind::Column, c};
    list.mark(r1, c, marks.column);
    list.mark(r2, c, marks.column);
    list.add(d);
  });
}

int buildTrialList(Tables &t) {
  const int last = t.PairLast;
  std::sort(t.BlockPairList + 2, t.BlockPairList + last + 1);
  for (int i = 2; i <= last; ++i) {
    const int rest = t.BlockPairList[i] - 1000 * (t.BlockPairList[i] / 1000);
    t.TrialRow[i] = (rest / 10) / 10;
    t.TrialColumn[i] = rest / 10 - 10 * t.TrialRow[i];
    t.TrialDigit[i] = rest - 10 * (rest / 10);
  }
  return last;
}

}  // namespace numplace
