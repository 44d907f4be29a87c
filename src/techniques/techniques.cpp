#include "techniques/techniques.h"

#include <algorithm>
#include <bit>
#include <initializer_list>

namespace numplace {
namespace {

constexpr std::uint16_t kAllDigits = 0x3FE;  // bits 1..9

constexpr std::uint16_t bit(int d) { return static_cast<std::uint16_t>(1u << d); }

int highestDigit(std::uint16_t digits) { return static_cast<int>(std::bit_width(static_cast<unsigned>(digits))) - 1; }

// Digit counts of every set of digits (bits 0..9); the scans ask for them often.
struct DigitCounts {
  std::uint8_t count[1024]{};
  constexpr DigitCounts() {
    for (int m = 1; m < 1024; ++m) count[m] = static_cast<std::uint8_t>(count[m >> 1] + (m & 1));
  }
};
constexpr DigitCounts kDigitCounts;
int digitCount(std::uint16_t digits) { return kDigitCounts.count[digits & 0x3FF]; }

// Digits seen exactly once over a sequence of digit sets.
struct OnceTracker {
  std::uint16_t once = 0;
  std::uint16_t more = 0;
  void add(std::uint16_t m) {
    more = static_cast<std::uint16_t>(more | (once & m));
    once = static_cast<std::uint16_t>((once | m) & ~more);
  }
};

struct BoardDigits {
  std::uint16_t row[10]{};
  std::uint16_t column[10]{};
  std::uint16_t block[10]{};
};

BoardDigits boardDigits(const Tables &t) {
  BoardDigits m;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int d = t.Board[r][c];
      if (d == 0) continue;
      m.row[r] |= bit(d);
      m.column[c] |= bit(d);
      m.block[blockNumber(r, c)] |= bit(d);
    }
  }
  return m;
}

// Digits held by slots 1..8 of an exclusion list.
template <typename Slot>
std::uint16_t listDigits(Slot slot) {
  std::uint16_t m = 0;
  for (int k = 1; k <= 8; ++k) {
    const int d = slot(k);
    if (d >= 1 && d <= 9) m |= bit(d);
  }
  return m;
}

// Adds a digit to an exclusion list: stop at a slot that holds it, write it
// into the first free slot, drop it when all eight slots hold other digits.
template <typename Slot>
void addToList(Slot slot, int digit) {
  for (int k = 1; k <= 8; ++k) {
    int &s = slot(k);
    if (s == digit) return;
    if (s == 0) {
      s = digit;
      return;
    }
  }
}

void addToRow(Tables &t, int r, int d) {
  addToList([&](int k) -> int & { return t.RowExclusions[r][k]; }, d);
}
void addToColumn(Tables &t, int c, int d) {
  addToList([&](int k) -> int & { return t.ColumnExclusions[k][c]; }, d);
}
void addToBlock(Tables &t, int b, int d) {
  addToList([&](int k) -> int & { return t.BlockExclusions[b][k]; }, d);
}

bool isTwoCandidateCode(int x) { return x >= 10 && x <= 100; }
bool isThreeCandidateCode(int x) { return x >= 100 && x <= 1000; }

// The three sub-pairs of a triple code t = abc: ab, ac, bc.
struct SubPairs {
  int p1, p2, p3;
};
SubPairs subPairs(int t) { return {t / 10, t + 10 * (t / 100) - 10 * (t / 10), t - 100 * (t / 100)}; }

// The cells of one unit in scan order.
struct UnitCells {
  int row[9];
  int column[9];
};

// The 27 units: rows 1..9, columns 1..9, blocks 1..9, cells in scan order.
struct UnitTable {
  UnitCells unit[27]{};
  constexpr UnitTable() {
    for (int u = 0; u < 9; ++u) {
      for (int k = 0; k < 9; ++k) {
        unit[u].row[k] = u + 1;
        unit[u].column[k] = k + 1;
        unit[9 + u].row[k] = k + 1;
        unit[9 + u].column[k] = u + 1;
        unit[18 + u].row[k] = 3 * (u / 3) + k / 3 + 1;
        unit[18 + u].column[k] = 3 * (u % 3) + k % 3 + 1;
      }
    }
  }
};
constexpr UnitTable kUnits;

const UnitCells &rowCells(int r) { return kUnits.unit[r - 1]; }
const UnitCells &columnCells(int c) { return kUnits.unit[9 + c - 1]; }
const UnitCells &blockCells(int r, int c) { return kUnits.unit[18 + blockNumber(r, c) - 1]; }
const UnitCells &blockCellsByNumber(int b) { return kUnits.unit[18 + b - 1]; }

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
    if (lone != 0) return cellWithCandidate(t, kUnits.unit[u], std::countr_zero(static_cast<unsigned>(lone)));
  }
  return std::nullopt;
}

int codeAt(const Tables &t, const UnitCells &u, int k) { return t.CandidateCode[u.row[k]][u.column[k]]; }

// Cells of a unit counted for a triple code: every cell equal to t, and each
// sub-pair only at the first cell that holds it.
int tripleCount(const Tables &t, const UnitCells &u, int code) {
  SubPairs p = subPairs(code);
  int n = 0;
  for (int k = 0; k < 9; ++k) {
    const int x = codeAt(t, u, k);
    if (x == code) ++n;
    if (x == p.p1) ++n;
    if (x == p.p2) ++n;
    if (x == p.p3) ++n;
    if (x == p.p1) p.p1 = 99;
    if (x == p.p2) p.p2 = 99;
    if (x == p.p3) p.p3 = 99;
  }
  return n;
}

// Marks every cell of the unit whose code is one of `codes` (0 = unused).
void markCells(Tables &t, const UnitCells &u, int kind, int mark, std::initializer_list<int> codes) {
  for (int k = 0; k < 9; ++k) {
    const int x = codeAt(t, u, k);
    if (std::find(codes.begin(), codes.end(), x) != codes.end()) t.PairMarks[u.row[k]][u.column[k]][kind] = mark;
  }
}

template <typename Add>
void addTripleDigits(int code, Add add) {
  const int a = code / 100;
  const int b = code / 10 - 10 * a;
  const int c = code - 10 * (code / 10);
  add(a);
  add(b);
  add(c);
}

// Collects the two-candidate codes of a unit into UnitPairCodes(1..n).
int collectPairCodes(Tables &t, const UnitCells &u) {
  int n = 0;
  for (int k = 0; k < 9; ++k) {
    const int x = codeAt(t, u, k);
    if (isTwoCandidateCode(x)) t.UnitPairCodes[++n] = x;
  }
  return n;
}

// A triple among the first four collected two-candidate codes; 0 when none.
int findTripleAmongPairs(Tables &t, int n) {
  if (n < 3) return 0;
  t.UnitPairCodes[5] = t.UnitPairCodes[1];
  t.UnitPairCodes[6] = t.UnitPairCodes[2];
  int *d = t.TripleDigits;
  for (int k = 1; k <= 4; ++k) {
    for (int i = 1; i <= 3; ++i) t.TripleCodes[i] = t.UnitPairCodes[k + i - 1];
    for (int i = 1; i <= 3; ++i) {
      d[i] = t.TripleCodes[i] / 10;
      d[i + 3] = t.TripleCodes[i] - 10 * d[i];
    }
    for (int i = 1; i <= 6; ++i) {
      for (int j = i + 1; j <= 6; ++j) {
        if (d[i] > d[j]) {
          d[7] = d[i];
          d[i] = d[j];
          d[j] = d[7];
        }
      }
    }
    if (d[1] == d[2] && d[3] == d[4] && d[5] == d[6]) return 100 * d[1] + 10 * d[3] + d[5];
    if (n == 3) break;
  }
  return 0;
}

// Naked pairs of one unit seen from one of its cells.
Outcome pairFromCell(Tables &t, const UnitCells &u, int code, int kind, int mark, auto add) {
  if (code > 100 || code < 10) return Outcome::Continue;
  int count = 0;
  for (int k = 0; k < 9; ++k) count += codeAt(t, u, k) == code ? 1 : 0;
  if (count > 2) return Outcome::Contradiction;
  if (count == 2) {
    markCells(t, u, kind, mark, {code});
    add(code / 10);
    add(code - 10 * (code / 10));
  }
  return Outcome::Continue;
}

// A triple of one unit seen from one of its three-candidate cells.
Outcome tripleFromCell(Tables &t, const UnitCells &u, int code, int kind, int mark, auto add) {
  if (!isThreeCandidateCode(code)) return Outcome::Continue;
  const int n = tripleCount(t, u, code);
  if (n > 3) return Outcome::Contradiction;
  if (n != 3) return Outcome::Continue;
  const SubPairs p = subPairs(code);
  markCells(t, u, kind, mark, {code, p.p1, p.p2, p.p3});
  addTripleDigits(code, add);
  return Outcome::Continue;
}

// The least codes of a unit's unsolved cells taken apart digit by digit
// (last digit first, as the digit lists are built); a digit missing from the
// unit that occurs exactly once is placed where it came from.
std::optional<Placement> digitListSingle(const Tables &t, bool columns) {
  for (int unit = 1; unit <= 9; ++unit) {
    const UnitCells &u = columns ? columnCells(unit) : rowCells(unit);
    std::uint16_t present = 0;
    int count[10]{};
    int from[10]{};
    for (int k = 0; k < 9; ++k) {
      const int r = u.row[k];
      const int c = u.column[k];
      if (t.Board[r][c] != 0) present = static_cast<std::uint16_t>(present | bit(t.Board[r][c]));
      int code = t.LeastCode[r][c];
      if (code < 10) continue;
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

}  // namespace

std::optional<Placement> candidatePass(Tables &t, NakedSingles mode, DrawingSurface *fontSink) {
  const BoardDigits used = boardDigits(t);
  std::uint16_t rowEx[10]{};
  std::uint16_t colEx[10]{};
  std::uint16_t blockEx[10]{};
  for (int u = 1; u <= 9; ++u) {
    rowEx[u] = listDigits([&](int k) { return t.RowExclusions[u][k]; });
    colEx[u] = listDigits([&](int k) { return t.ColumnExclusions[k][u]; });
    blockEx[u] = listDigits([&](int k) { return t.BlockExclusions[u][k]; });
  }
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      if (t.Board[r][c] == 0) {
        const int b = blockNumber(r, c);
        std::uint16_t allowed =
            kAllDigits & static_cast<std::uint16_t>(~(used.row[r] | used.column[c] | used.block[b]));
        // A member of the pair or triple that produced a list ignores it.
        if (t.PairMarks[r][c][1] <= 770) allowed &= static_cast<std::uint16_t>(~rowEx[r]);
        if (t.PairMarks[r][c][2] <= 770) allowed &= static_cast<std::uint16_t>(~colEx[c]);
        if (t.PairMarks[r][c][3] != 997) allowed &= static_cast<std::uint16_t>(~blockEx[b]);
        t.Candidates[r][c] |= allowed;
      }
      const std::uint16_t digits = t.Candidates[r][c] & kAllDigits;
      const int n = digitCount(digits);
      if (n > 0) t.SingleCandidate[r][c] = highestDigit(digits);
      t.CandidateCount[r][c] = n;
      if (mode == NakedSingles::Hold) continue;
      if (mode == NakedSingles::Report && fontSink != nullptr) fontSink->setFontSize(9);
      if (n == 1) return Placement{r, c, t.SingleCandidate[r][c]};
    }
  }
  return std::nullopt;
}

std::optional<Placement> hiddenSingleInBlocks(const Tables &t, DrawingSurface *fontSink) {
  std::uint16_t lone[10]{};
  for (int b = 1; b <= 9; ++b) lone[b] = loneCandidates(t, blockCellsByNumber(b));
  // The digit loop is outermost: the lowest digit wins, then the first block.
  for (int d = 1; d <= 9; ++d) {
    for (int b = 1; b <= 9; ++b) {
      if (fontSink != nullptr) fontSink->setFontSize(9);
      if (lone[b] & bit(d)) return cellWithCandidate(t, blockCellsByNumber(b), d);
    }
  }
  return std::nullopt;
}

std::optional<Placement> hiddenSingleInRows(const Tables &t, DrawingSurface *fontSink) {
  if (fontSink != nullptr) fontSink->setFontSize(9);
  return firstLoneCandidate(t, 0);
}

std::optional<Placement> hiddenSingleInColumns(const Tables &t) { return firstLoneCandidate(t, 9); }

void columnRecount(Tables &t) {
  const BoardDigits used = boardDigits(t);
  for (int c = 1; c <= 9; ++c) {
    for (int r = 1; r <= 9; ++r) {
      if (t.Board[r][c] == 0) {
        const auto blocked = static_cast<std::uint16_t>(used.row[r] | used.column[c] | used.block[blockNumber(r, c)]);
        t.Candidates[r][c] = static_cast<std::uint16_t>(t.Candidates[r][c] | (kAllDigits & ~blocked));
      }
      const std::uint16_t digits = t.Candidates[r][c] & kAllDigits;
      const int n = digitCount(digits);
      if (n > 0) t.SingleCandidate[r][c] = highestDigit(digits);
      t.RecountCount[r][c] = n;
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
      if (t.CandidateCode[r][c] < t.LeastCode[r][c]) t.LeastCode[r][c] = t.CandidateCode[r][c];
      if (t.LeastCode[r][c] == 0) return Outcome::Contradiction;
    }
  }
  return Outcome::Continue;
}

Outcome checkLeastCodes(Tables &t) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      if (t.CandidateCode[r][c] < t.LeastCode[r][c]) t.LeastCode[r][c] = t.CandidateCode[r][c];
      if (t.LeastCode[r][c] == 0) return Outcome::Contradiction;
    }
  }
  return Outcome::Continue;
}

Outcome nakedPairs(Tables &t) {
  for (int r = 1; r <= 9; ++r) {
    const UnitCells &u = rowCells(r);
    for (int c = 1; c <= 9; ++c) {
      if (pairFromCell(t, u, t.CandidateCode[r][c], 1, 999, [&](int d) { addToRow(t, r, d); }) ==
          Outcome::Contradiction)
        return Outcome::Contradiction;
    }
  }
  for (int c = 1; c <= 9; ++c) {
    const UnitCells &u = columnCells(c);
    for (int r = 1; r <= 9; ++r) {
      if (pairFromCell(t, u, t.CandidateCode[r][c], 2, 998, [&](int d) { addToColumn(t, c, d); }) ==
          Outcome::Contradiction)
        return Outcome::Contradiction;
    }
  }
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int b = blockNumber(r, c);
      if (pairFromCell(t, blockCells(r, c), t.CandidateCode[r][c], 3, 997, [&](int d) { addToBlock(t, b, d); }) ==
          Outcome::Contradiction)
        return Outcome::Contradiction;
    }
  }
  return Outcome::Continue;
}

Outcome nakedTriples(Tables &t) {
  // Rows from a three-candidate cell.
  for (int r = 1; r <= 9; ++r) {
    const UnitCells &u = rowCells(r);
    for (int c = 1; c <= 9; ++c) {
      if (tripleFromCell(t, u, t.CandidateCode[r][c], 1, 999, [&](int d) { addToRow(t, r, d); }) ==
          Outcome::Contradiction)
        return Outcome::Contradiction;
    }
  }
  // Rows from three two-candidate cells.
  for (int r = 1; r <= 9; ++r) {
    const UnitCells &u = rowCells(r);
    const int code = findTripleAmongPairs(t, collectPairCodes(t, u));
    if (code == 0) continue;
    t.CandidateCode[r][10] = code;
    if (tripleCount(t, u, code) > 3) return Outcome::Contradiction;
    const SubPairs p = subPairs(code);
    markCells(t, u, 1, 999, {code, p.p1, p.p2, p.p3});
    addTripleDigits(code, [&](int d) { addToRow(t, r, d); });
  }
  // Columns from a three-candidate cell.
  for (int c = 1; c <= 9; ++c) {
    const UnitCells &u = columnCells(c);
    for (int r = 1; r <= 9; ++r) {
      if (tripleFromCell(t, u, t.CandidateCode[r][c], 2, 998, [&](int d) { addToColumn(t, c, d); }) ==
          Outcome::Contradiction)
        return Outcome::Contradiction;
    }
  }
  // Columns from three two-candidate cells: only the sub-pair cells are marked.
  for (int c = 1; c <= 9; ++c) {
    const UnitCells &u = columnCells(c);
    for (int k = 1; k <= 7; ++k) t.UnitPairCodes[k] = 0;
    const int code = findTripleAmongPairs(t, collectPairCodes(t, u));
    if (code == 0) continue;
    t.CandidateCode[10][c] = code;
    const SubPairs p = subPairs(code);
    markCells(t, u, 2, 998, {p.p1, p.p2, p.p3});
    addTripleDigits(code, [&](int d) { addToColumn(t, c, d); });
  }
  // Blocks from a three-candidate cell.
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int b = blockNumber(r, c);
      if (tripleFromCell(t, blockCells(r, c), t.CandidateCode[r][c], 3, 997, [&](int d) { addToBlock(t, b, d); }) ==
          Outcome::Contradiction)
        return Outcome::Contradiction;
    }
  }
  // Blocks from three two-candidate cells: the first triple found ends the pass.
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int own = t.CandidateCode[r][c];
      if (!isTwoCandidateCode(own)) continue;
      const UnitCells &u = blockCells(r, c);
      const int code = findTripleAmongPairs(t, collectPairCodes(t, u));
      if (code == 0) continue;
      const SubPairs p = subPairs(code);
      markCells(t, u, 3, 997, {own, p.p1, p.p2, p.p3});
      const int b = blockNumber(r, c);
      addTripleDigits(code, [&](int d) { addToBlock(t, b, d); });
      return Outcome::Continue;
    }
  }
  return Outcome::Continue;
}

std::optional<Placement> digitListSingleInColumns(Tables &t) { return digitListSingle(t, true); }
std::optional<Placement> digitListSingleInRows(Tables &t) { return digitListSingle(t, false); }

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
  for (int i = 2; i + 1 <= n; i += 2) {
    if (t.PairKey[i] != t.PairKey[i + 1]) continue;
    const int r = t.PairLine[i];
    t.PairMarks[r][t.PairCross[i]][1] = marks.row;
    t.PairMarks[r][t.PairCross[i + 1]][1] = marks.row;
    addToRow(t, r, t.PairDigit[i]);
  }
  sortAndDecode(t, t.BlockPairsByColumn, n);
  for (int i = 2; i + 1 <= n; i += 2) {
    if (t.PairKey[i] != t.PairKey[i + 1]) continue;
    const int c = t.PairLine[i];
    t.PairMarks[t.PairCross[i]][c][2] = marks.column;
    t.PairMarks[t.PairCross[i + 1]][c][2] = marks.column;
    addToColumn(t, c, t.PairDigit[i]);
  }
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

bool hasDuplicateGiven(const Tables &t) {
  for (int u = 1; u <= 9; ++u) {
    std::uint16_t row = 0;
    std::uint16_t column = 0;
    std::uint16_t block = 0;
    for (int k = 1; k <= 9; ++k) {
      const int rd = t.Board[u][k];
      const int cd = t.Board[k][u];
      const int br = blockOrigin(3 * ((u - 1) / 3) + 1) + (k - 1) / 3 + 1;
      const int bc = 3 * ((u - 1) % 3) + (k - 1) % 3 + 1;
      const int bd = t.Board[br][bc];
      if (rd != 0 && (row & bit(rd))) return true;
      if (cd != 0 && (column & bit(cd))) return true;
      if (bd != 0 && (block & bit(bd))) return true;
      if (rd != 0) row |= bit(rd);
      if (cd != 0) column |= bit(cd);
      if (bd != 0) block |= bit(bd);
    }
  }
  return false;
}

}  // namespace numplace
