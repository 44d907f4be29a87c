#include "techniques/naked_triples.h"

#include "techniques/group_cells.h"

namespace numplace {

using namespace groups;

namespace {

// In a unit of plain codes a triple code's count is the number of its cells
// holding the code itself plus the number of its sub-pairs present; false
// when the unit is not one of plain codes or the code is not plain.
bool plainCount(const GroupCells::Unit &g, int code, int &count) {
  if (!g.plain || !kPlain.triple[code]) return false;
  int n = 0;
  for (const std::uint8_t pair : kPlain.subPairBits[code]) n += static_cast<int>((g.pairs >> pair) & 1u);
  const int k = kPlain.tripleBit[code];
  if ((g.triplesTwice[k >> 6] >> (k & 63) & 1u) == 0) {
    // The code itself is held once in the unit (or not at all).
    n += static_cast<int>(g.triples[k >> 6] >> (k & 63) & 1u);
    count = n;
    return true;
  }
  for (int i = 0; i < g.n; ++i) n += g.code[i] == code ? 1 : 0;
  count = n;
  return true;
}

// Cells of a unit counted for a triple code: every cell equal to t, and each
// sub-pair only at the first cell that holds it.
int tripleCount(const GroupCells::Unit &g, int code) {
  if (int n = 0; plainCount(g, code, n)) return n;
  SubPairs p = subPairs(code);
  int n = 0;
  for (int i = 0; i < g.n; ++i) {
    const int x = g.code[i];
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

// The digits of a triple code, in the order they are added to a list: a, b, c.
void addTripleDigits(const UnitList &list, int code) {
  const int a = code / 100;
  list.add(a);
  list.add(code / 10 - 10 * a);
  list.add(code - 10 * (code / 10));
}

// Collects the two-candidate codes of a unit into UnitPairCodes(1..n).
int collectPairCodes(Tables &t, const GroupCells::Unit &g) {
  int n = 0;
  for (int i = 0; i < g.n; ++i) {
    if (isTwoCandidateCode(g.code[i])) t.UnitPairCodes[++n] = g.code[i];
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

// A naked triple of one unit seen from one of its three-candidate cells.
Outcome tripleFromCell(const UnitList &list, const GroupCells::Unit &g, const UnitCells &u, int code) {
  if (!isThreeCandidateCode(code)) return Outcome::Continue;
  const int n = tripleCount(g, code);
  if (n > 3) return Outcome::Contradiction;
  if (n != 3) return Outcome::Continue;
  const SubPairs p = subPairs(code);
  markCells(list, g, u, {code, p.p1, p.p2, p.p3});
  addTripleDigits(list, code);
  return Outcome::Continue;
}

// False when the unit's triple count for the code is known to stay below 3.
bool tripleMayFind(const GroupCells::Unit &g, int code) {
  if (!isThreeCandidateCode(code)) return false;
  if (!g.plain || !kPlain.triple[code]) return true;
  const int k = kPlain.tripleBit[code];
  if ((g.triplesTwice[k >> 6] >> (k & 63) & 1u) != 0) return true;
  int n = 1;  // the cell itself
  for (const std::uint8_t pair : kPlain.subPairBits[code]) n += static_cast<int>((g.pairs >> pair) & 1u);
  return n >= 3;
}

// Marks every cell of the unit, in scan order, whose code can join a group
// and is one of `codes`: the cells markCells marks, without the gathered unit.
void markUnitCells(const UnitList &list, const UnitCells &u, std::initializer_list<int> codes) {
  for (int k = 0; k < 9; ++k) {
    const int x = codeAt(list.t, u, k);
    if (mayJoinGroup(x) && std::find(codes.begin(), codes.end(), x) != codes.end()) {
      list.mark(u.row[k], u.column[k], groupMark(list.kind));
    }
  }
}

// Rows and columns from a three-candidate cell, each line of `units` only.
Outcome linesFromThreeCandidateCells(Tables &t, const GroupCells &groups, UnitKind kind, std::uint32_t units) {
  const int first = kind == UnitKind::Column ? kFirstColumn : kFirstRow;
  for (int line = 1; line <= 9; ++line) {
    const int u = first + line - 1;
    if ((units >> u & 1u) == 0) continue;
    const GroupCells::Unit &g = groups.of(u);
    for (int i = 0; i < g.n; ++i) {
      if (!tripleMayFind(g, g.code[i])) continue;
      if (tripleFromCell(UnitList{t, kind, line}, g, kUnits.unit[u], g.code[i]) == Outcome::Contradiction) {
        return Outcome::Contradiction;
      }
    }
  }
  return Outcome::Continue;
}

// Blocks from a three-candidate cell: the cells in row-major order, each
// seen within its block, the blocks of `units` only.
Outcome blocksFromThreeCandidateCells(Tables &t, const GroupCells &groups, std::uint32_t units) {
  for (int r = 1; r <= 9; ++r) {
    const std::uint32_t band = 7u << (kFirstBlock + blockOrigin(r));
    if ((units & band) == 0) continue;
    for (int c = 1; c <= 9; ++c) {
      const int code = t.CandidateCode[r][c];
      if (!isThreeCandidateCode(code)) continue;
      const int b = kBlocks.of[r][c];
      const int u = kFirstBlock + b - 1;
      if ((units >> u & 1u) == 0 || !tripleMayFind(groups.of(u), code)) continue;
      if (tripleFromCell(UnitList{t, UnitKind::Block, b}, groups.of(u), kUnits.unit[u], code) ==
          Outcome::Contradiction) {
        return Outcome::Contradiction;
      }
    }
  }
  return Outcome::Continue;
}

// The six sub-steps over the units of `units` (bit k for unit k). A unit left
// out must hold the codes it held when the sub-steps last went through it in
// the same pass, without a contradiction: they would find the same, and
// every mark and digit they would write stands already. `blockTriple`
// holds the triple among the two-candidate cells of each block (0 none);
// it is kept for the blocks left out.
Outcome triplesOfUnits(Tables &t, std::uint32_t units, int *blockTriple) {
  const GroupCells groups(t, units);
  // Rows from a three-candidate cell.
  if (linesFromThreeCandidateCells(t, groups, UnitKind::Row, units) == Outcome::Contradiction)
    return Outcome::Contradiction;
  // Rows from three two-candidate cells; the triple code is kept in CandidateCode(r, 10).
  for (int r = 1; r <= 9; ++r) {
    if ((units >> unitIndex(UnitKind::Row, r) & 1u) == 0) continue;
    const GroupCells::Unit &g = groups.of(unitIndex(UnitKind::Row, r));
    const int code = findTripleAmongPairs(t, collectPairCodes(t, g));
    if (code == 0) continue;
    t.CandidateCode[r][10] = code;
    if (tripleCount(g, code) > 3) return Outcome::Contradiction;
    const SubPairs p = subPairs(code);
    const UnitList list{t, UnitKind::Row, r};
    markCells(list, g, rowCells(r), {code, p.p1, p.p2, p.p3});
    addTripleDigits(list, code);
  }
  // Columns from a three-candidate cell.
  if (linesFromThreeCandidateCells(t, groups, UnitKind::Column, units) == Outcome::Contradiction)
    return Outcome::Contradiction;
  // Columns from three two-candidate cells: no count is made, and only the
  // sub-pair cells are marked; the code is kept in CandidateCode(10, c).
  for (int c = 1; c <= 9; ++c) {
    if ((units >> unitIndex(UnitKind::Column, c) & 1u) == 0) continue;
    const GroupCells::Unit &g = groups.of(unitIndex(UnitKind::Column, c));
    for (int k = 1; k <= 7; ++k) t.UnitPairCodes[k] = 0;
    const int code = findTripleAmongPairs(t, collectPairCodes(t, g));
    if (code == 0) continue;
    t.CandidateCode[10][c] = code;
    const SubPairs p = subPairs(code);
    const UnitList list{t, UnitKind::Column, c};
    markCells(list, g, columnCells(c), {p.p1, p.p2, p.p3});
    addTripleDigits(list, code);
  }
  // Blocks from a three-candidate cell.
  if (blocksFromThreeCandidateCells(t, groups, units) == Outcome::Contradiction) return Outcome::Contradiction;
  // Blocks from three two-candidate cells, seen from each two-candidate cell:
  // the first triple found ends the pass, marking the cells of that cell's
  // code too. A block's triple is the same from each of its cells.
  // Each block's triple is found once (the scratch tables it uses are
  // written before they are read); the cells are walked only when some
  // block has one.
  bool anyTriple = false;
  for (int b = 1; b <= 9; ++b) {
    const int u = unitIndex(UnitKind::Block, b);
    if ((units >> u & 1u) != 0) blockTriple[b] = findTripleAmongPairs(t, collectPairCodes(t, groups.of(u)));
    anyTriple = anyTriple || blockTriple[b] != 0;
  }
  if (!anyTriple) return Outcome::Continue;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int own = t.CandidateCode[r][c];
      if (!isTwoCandidateCode(own)) continue;
      const int b = kBlocks.of[r][c];
      const int code = blockTriple[b];
      if (code == 0) continue;
      const SubPairs p = subPairs(code);
      const UnitList list{t, UnitKind::Block, b};
      markUnitCells(list, blockCellsByNumber(b), {own, p.p1, p.p2, p.p3});
      addTripleDigits(list, code);
      return Outcome::Continue;
    }
  }
  return Outcome::Continue;
}

}  // namespace

Outcome nakedTriples(Tables &t) {
  int blockTriple[10];
  return triplesOfUnits(t, kAllUnits, blockTriple);
}

void NakedTripleFinder::forget() { kept_ = false; }

Outcome NakedTripleFinder::find(Tables &t) {
  std::uint32_t units = kAllUnits;
  if (kept_) {
    units = 0;
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        if (t.CandidateCode[r][c] == code_[r][c]) continue;
        units |= 1u << (kFirstRow + r - 1) | 1u << (kFirstColumn + c - 1) | 1u << (kFirstBlock + kBlocks.of[r][c] - 1);
      }
    }
  }
  const Outcome o = triplesOfUnits(t, units, blockTriple_);
  // After a contradiction the pass ends; nothing is kept for it.
  kept_ = o == Outcome::Continue;
  if (kept_) {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) code_[r][c] = t.CandidateCode[r][c];
    }
  }
  return o;
}

}  // namespace numplace
