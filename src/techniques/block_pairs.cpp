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

}  // namespace

void blockPairStage(Tables &t, BlockPairMarks marks) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      std::uint16_t digits = 0;
      for (int x = t.LeastCode[r][c]; x > 0; x /= 10) digits |= bit(x % 10);
      t.Candidates[r][c] = digits & kAllDigits;
      t.CandidateCount[r][c] = 0;
      t.RecountCount[r][c] = 0;
    }
  }
  // Forward, each pair is entered at its later cell; backward, at its earlier one.
  int n = 1;
  const auto scan = [&](bool forward) {
    t.BlockPairList[1] = 1000;
    for (int d = 1; d <= 9; ++d) {
      for (int bi = 0; bi < 3; ++bi) {
        for (int bj = 0; bj < 3; ++bj) {
          const int v = 3 * (forward ? bi : 2 - bi);
          const int w = 3 * (forward ? bj : 2 - bj);
          int count = 0;
          int pr = 0;
          int pc = 0;
          for (int ii = 1; ii <= 3; ++ii) {
            for (int jj = 1; jj <= 3; ++jj) {
              const int i = forward ? ii : 4 - ii;
              const int j = forward ? jj : 4 - jj;
              if (t.Candidates[v + i][w + j] & bit(d)) {
                ++count;
                pr = v + i;
                pc = w + j;
              }
            }
          }
          if (count == 2) writePairEntry(t, ++n, blockNumber(pr, pc), pr, pc, d);
        }
      }
    }
  };
  scan(true);
  scan(false);
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
