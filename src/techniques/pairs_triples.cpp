#include "techniques/pairs_triples.h"

#include <algorithm>
#include <initializer_list>

#include "techniques/units.h"

namespace numplace {

using namespace units;

namespace {

// Candidate codes of two cells lie in 10..100, of three cells in 100..1000
// (both bounds as the counts test them; the codes that occur are 12..89 and 123..789).
bool isTwoCandidateCode(int x) { return x >= 10 && x <= 100; }
bool isThreeCandidateCode(int x) { return x >= 100 && x <= 1000; }

// The three sub-pairs of a triple code t = abc: ab, ac, bc.
struct SubPairs {
  int p1, p2, p3;
};
SubPairs subPairs(int t) { return {t / 10, t + 10 * (t / 100) - 10 * (t / 10), t - 100 * (t / 100)}; }

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

// Marks every cell of the unit whose code is one of `codes`.
void markCells(const UnitList &list, const UnitCells &u, std::initializer_list<int> codes) {
  for (int k = 0; k < 9; ++k) {
    const int x = codeAt(list.t, u, k);
    if (std::find(codes.begin(), codes.end(), x) != codes.end()) list.mark(u.row[k], u.column[k], groupMark(list.kind));
  }
}

// The digits of a triple code, in the order they are added to a list: a, b, c.
void addTripleDigits(const UnitList &list, int code) {
  const int a = code / 100;
  list.add(a);
  list.add(code / 10 - 10 * a);
  list.add(code - 10 * (code / 10));
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
// Slots 5 and 6 repeat slots 1 and 2, so with four codes every choice of
// three is tried: (1, 2, 3), (2, 3, 4), (3, 4, 1), (4, 1, 2).
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

// A naked pair of one unit seen from one of its cells.
Outcome pairFromCell(const UnitList &list, const UnitCells &u, int code) {
  if (!isTwoCandidateCode(code)) return Outcome::Continue;
  int count = 0;
  for (int k = 0; k < 9; ++k) count += codeAt(list.t, u, k) == code ? 1 : 0;
  if (count > 2) return Outcome::Contradiction;
  if (count == 2) {
    markCells(list, u, {code});
    list.add(code / 10);
    list.add(code - 10 * (code / 10));
  }
  return Outcome::Continue;
}

// A naked triple of one unit seen from one of its three-candidate cells.
Outcome tripleFromCell(const UnitList &list, const UnitCells &u, int code) {
  if (!isThreeCandidateCode(code)) return Outcome::Continue;
  const int n = tripleCount(list.t, u, code);
  if (n > 3) return Outcome::Contradiction;
  if (n != 3) return Outcome::Continue;
  const SubPairs p = subPairs(code);
  markCells(list, u, {code, p.p1, p.p2, p.p3});
  addTripleDigits(list, code);
  return Outcome::Continue;
}

// Each cell in row-major order, seen within its row, column or block; the
// columns are walked column by column.
template <typename FromCell>
Outcome eachCell(Tables &t, UnitKind kind, FromCell fromCell) {
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      const int r = kind == UnitKind::Column ? j : i;
      const int c = kind == UnitKind::Column ? i : j;
      const int unit = kind == UnitKind::Row ? r : kind == UnitKind::Column ? c : blockNumber(r, c);
      const UnitCells &u = kind == UnitKind::Row      ? rowCells(r)
                           : kind == UnitKind::Column ? columnCells(c)
                                                      : blockCells(r, c);
      if (fromCell(UnitList{t, kind, unit}, u, t.CandidateCode[r][c]) == Outcome::Contradiction) {
        return Outcome::Contradiction;
      }
    }
  }
  return Outcome::Continue;
}


// The naked pairs of one unit, cell by cell in its scan order, as
// pairFromCell finds them: a code held by exactly two cells marks them and
// excludes its digits; a code held by three or more is a contradiction at
// its first cell. Counting first keeps it to one look at each cell.
Outcome pairsOfUnit(const UnitList &list, const UnitCells &u) {
  int codes[9];
  int count[9]{};
  for (int k = 0; k < 9; ++k) {
    codes[k] = codeAt(list.t, u, k);
    if (!isTwoCandidateCode(codes[k])) continue;
    for (int j = 0; j <= k; ++j) {
      if (codes[j] == codes[k]) {
        ++count[j];
        break;
      }
    }
  }
  for (int k = 0; k < 9; ++k) {
    if (!isTwoCandidateCode(codes[k])) continue;
    int first = 0;
    while (codes[first] != codes[k]) ++first;
    if (count[first] > 2) return Outcome::Contradiction;
    // The pair's second cell finds what its first did.
    if (count[first] == 2 && first == k) {
      markCells(list, u, {codes[k]});
      list.add(codes[k] / 10);
      list.add(codes[k] - 10 * (codes[k] / 10));
    }
  }
  return Outcome::Continue;
}

bool blockHoldsCodeThrice(const Tables &t, int b) {
  const UnitCells &u = blockCellsByNumber(b);
  for (int k = 0; k < 9; ++k) {
    const int code = codeAt(t, u, k);
    if (!isTwoCandidateCode(code)) continue;
    int n = 0;
    for (int j = 0; j < 9; ++j) n += codeAt(t, u, j) == code ? 1 : 0;
    if (n > 2) return true;
  }
  return false;
}

}  // namespace

Outcome nakedPairs(Tables &t) {
  for (int r = 1; r <= 9; ++r) {
    if (pairsOfUnit({t, UnitKind::Row, r}, rowCells(r)) == Outcome::Contradiction) return Outcome::Contradiction;
  }
  for (int c = 1; c <= 9; ++c) {
    if (pairsOfUnit({t, UnitKind::Column, c}, columnCells(c)) == Outcome::Contradiction) return Outcome::Contradiction;
  }
  // The blocks are seen cell by cell in row-major order over the whole board.
  // Each block's list takes only its own cells' digits, in its own row-major
  // order, so block by block gives the same lists, unless a contradiction
  // stops the scan part way: then the scan is made as it is written.
  for (int b = 1; b <= 9; ++b) {
    if (blockHoldsCodeThrice(t, b)) return eachCell(t, UnitKind::Block, pairFromCell);
  }
  for (int b = 1; b <= 9; ++b) pairsOfUnit({t, UnitKind::Block, b}, blockCellsByNumber(b));
  return Outcome::Continue;
}

Outcome nakedTriples(Tables &t) {
  // Rows from a three-candidate cell.
  if (eachCell(t, UnitKind::Row, tripleFromCell) == Outcome::Contradiction) return Outcome::Contradiction;
  // Rows from three two-candidate cells; the triple code is kept in CandidateCode(r, 10).
  for (int r = 1; r <= 9; ++r) {
    const UnitCells &u = rowCells(r);
    const int code = findTripleAmongPairs(t, collectPairCodes(t, u));
    if (code == 0) continue;
    t.CandidateCode[r][10] = code;
    if (tripleCount(t, u, code) > 3) return Outcome::Contradiction;
    const SubPairs p = subPairs(code);
    const UnitList list{t, UnitKind::Row, r};
    markCells(list, u, {code, p.p1, p.p2, p.p3});
    addTripleDigits(list, code);
  }
  // Columns from a three-candidate cell.
  if (eachCell(t, UnitKind::Column, tripleFromCell) == Outcome::Contradiction) return Outcome::Contradiction;
  // Columns from three two-candidate cells: no count is made, and only the
  // sub-pair cells are marked; the code is kept in CandidateCode(10, c).
  for (int c = 1; c <= 9; ++c) {
    const UnitCells &u = columnCells(c);
    for (int k = 1; k <= 7; ++k) t.UnitPairCodes[k] = 0;
    const int code = findTripleAmongPairs(t, collectPairCodes(t, u));
    if (code == 0) continue;
    t.CandidateCode[10][c] = code;
    const SubPairs p = subPairs(code);
    const UnitList list{t, UnitKind::Column, c};
    markCells(list, u, {p.p1, p.p2, p.p3});
    addTripleDigits(list, code);
  }
  // Blocks from a three-candidate cell.
  if (eachCell(t, UnitKind::Block, tripleFromCell) == Outcome::Contradiction) return Outcome::Contradiction;
  // Blocks from three two-candidate cells, seen from each two-candidate cell:
  // the first triple found ends the pass, marking the cells of that cell's code too.
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int own = t.CandidateCode[r][c];
      if (!isTwoCandidateCode(own)) continue;
      const UnitCells &u = blockCells(r, c);
      const int code = findTripleAmongPairs(t, collectPairCodes(t, u));
      if (code == 0) continue;
      const SubPairs p = subPairs(code);
      const UnitList list{t, UnitKind::Block, blockNumber(r, c)};
      markCells(list, u, {own, p.p1, p.p2, p.p3});
      addTripleDigits(list, code);
      return Outcome::Continue;
    }
  }
  return Outcome::Continue;
}

}  // namespace numplace
