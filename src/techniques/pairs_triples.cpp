#include "techniques/pairs_triples.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "techniques/units.h"

namespace numplace {

using namespace units;

namespace {

constexpr std::uint32_t kAllUnits = (1u << 27) - 1;

// Candidate codes of two cells lie in 10..100, of three cells in 100..1000
// (both bounds as the counts test them; the codes that occur are 12..89 and 123..789).
bool isTwoCandidateCode(int x) { return x >= 10 && x <= 100; }
bool isThreeCandidateCode(int x) { return x >= 100 && x <= 1000; }
bool mayJoinGroup(int x) { return x >= 10 && x <= 1000; }

// The cells of each unit whose code can take part in a pair or triple, in
// the unit's scan order, with their codes. Every count and mark of a unit
// looks only at these: a code outside 10..1000 equals no pair or triple code.
// The codes do not change while the groups are found (marks and lists are
// read by the next candidate pass only).
struct BlockPlaces {
  int of[10][10]{};
  constexpr BlockPlaces() {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) of[r][c] = 3 * ((r - 1) % 3) + (c - 1) % 3;
    }
  }
};
constexpr BlockPlaces kBlockPlaces;
inline constexpr const int (&kPlaceInBlock)[10][10] = kBlockPlaces.of;

// Codes written with two or three digits rising from 1 to 9, as candidate
// codes are; each two-digit one with its own bit.
struct PlainCodes {
  int pairBit[1001]{};                  // 1..36 for a plain two-digit code, else 0
  bool triple[1001]{};                  // a plain three-digit code
  std::uint8_t subPairBits[1001][3]{};  // the bits of its sub-pairs ab, ac, bc
  int tripleBit[1001]{};                // 0..83 for a plain three-digit code
  constexpr PlainCodes() {
    int n = 0;
    for (int a = 1; a <= 9; ++a) {
      for (int b = a + 1; b <= 9; ++b) pairBit[10 * a + b] = ++n;
    }
    int k = 0;
    for (int a = 1; a <= 9; ++a) {
      for (int b = a + 1; b <= 9; ++b) {
        for (int c = b + 1; c <= 9; ++c) {
          const int t = 100 * a + 10 * b + c;
          triple[t] = true;
          tripleBit[t] = k++;
          subPairBits[t][0] = static_cast<std::uint8_t>(pairBit[10 * a + b]);
          subPairBits[t][1] = static_cast<std::uint8_t>(pairBit[10 * a + c]);
          subPairBits[t][2] = static_cast<std::uint8_t>(pairBit[10 * b + c]);
        }
      }
    }
  }
};
constexpr PlainCodes kPlain;

class GroupCells {
 public:
  // One look at each cell, row-major: that is also the scan order of each
  // row, column and block.
  // cppcheck-suppress uninitMemberVar ; only the first n entries of a unit are ever written or read
  // Only the units of `wanted` (bit k for unit k) are gathered.
  explicit GroupCells(const Tables &t, std::uint32_t wanted = kAllUnits) {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        const int x = t.CandidateCode[r][c];
        if (!mayJoinGroup(x)) continue;
        for (const auto &[unit, index] : {std::pair{kFirstRow + r - 1, c - 1}, std::pair{kFirstColumn + c - 1, r - 1},
                                          std::pair{kFirstBlock + kBlocks.of[r][c] - 1, kPlaceInBlock[r][c]}}) {
          if ((wanted >> unit & 1u) != 0) add(unit, index, x);
        }
      }
    }
  }
  // In a unit of plain codes a triple code's count is the number of its cells
  // holding the code itself plus the number of its sub-pairs present.
  struct Unit;
  static bool plainCount(const Unit &g, int code, int &count);
  // Only the first n entries are written and read.
  struct Unit {
    int n = 0;
    bool plain = true;             // every code plain
    std::uint64_t pairs = 0;       // the plain two-digit codes present, by bit
    std::uint64_t pairsTwice = 0;  // those present more than once
    std::uint64_t triples[2]{};    // the plain three-digit codes present, by bit
    std::uint64_t triplesTwice[2]{};
    int index[9];  // position in the unit's scan order
    int code[9];
  };
  const Unit &of(int unit) const { return units_[unit]; }

 private:
  void add(int unit, int index, int code) {
    Unit &g = units_[unit];
    g.index[g.n] = index;
    g.code[g.n] = code;
    ++g.n;
    const int pair = kPlain.pairBit[code];
    if (pair != 0) {
      const std::uint64_t b = std::uint64_t{1} << pair;
      g.pairsTwice |= g.pairs & b;
      g.pairs |= b;
    } else if (kPlain.triple[code]) {
      const int k = kPlain.tripleBit[code];
      const std::uint64_t b = std::uint64_t{1} << (k & 63);
      g.triplesTwice[k >> 6] |= g.triples[k >> 6] & b;
      g.triples[k >> 6] |= b;
    } else {
      g.plain = false;
    }
  }
  Unit units_[27];
};

int unitIndex(UnitKind kind, int number) {
  return (kind == UnitKind::Row ? kFirstRow : kind == UnitKind::Column ? kFirstColumn : kFirstBlock) + number - 1;
}

// The three sub-pairs of a triple code t = abc: ab, ac, bc.
struct SubPairs {
  int p1, p2, p3;
};
SubPairs subPairs(int t) { return {t / 10, t + 10 * (t / 100) - 10 * (t / 10), t - 100 * (t / 100)}; }

// Cells of a unit counted for a triple code: every cell equal to t, and each
// sub-pair only at the first cell that holds it.
bool GroupCells::plainCount(const Unit &g, int code, int &count) {
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

int tripleCount(const GroupCells::Unit &g, int code) {
  if (int n = 0; GroupCells::plainCount(g, code, n)) return n;
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

// Marks every cell of the unit whose code is one of `codes`.
void markCells(const UnitList &list, const GroupCells::Unit &g, const UnitCells &u, std::initializer_list<int> codes) {
  for (int i = 0; i < g.n; ++i) {
    if (std::find(codes.begin(), codes.end(), g.code[i]) != codes.end()) {
      list.mark(u.row[g.index[i]], u.column[g.index[i]], groupMark(list.kind));
    }
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

// A naked pair of one unit seen from one of its cells.
Outcome pairFromCell(const UnitList &list, const GroupCells::Unit &g, const UnitCells &u, int code) {
  // A pair needs two cells that can join a group.
  if (!isTwoCandidateCode(code) || g.n < 2) return Outcome::Continue;
  // In a unit of plain codes a code held once is counted once.
  if (g.plain && kPlain.pairBit[code] != 0 && (g.pairsTwice >> kPlain.pairBit[code] & 1u) == 0) {
    return Outcome::Continue;
  }
  int count = 0;
  for (int i = 0; i < g.n; ++i) count += g.code[i] == code ? 1 : 0;
  if (count > 2) return Outcome::Contradiction;
  if (count == 2) {
    markCells(list, g, u, {code});
    list.add(code / 10);
    list.add(code - 10 * (code / 10));
  }
  return Outcome::Continue;
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

// Each cell in row-major order, seen within its row, column or block; the
// columns are walked column by column. Only cells whose code can join a
// group can find one, so only those are visited: a row's (column's) group
// cells in order are its cells in scan order, and the rows' group cells one
// after another are the cells in row-major order.
// `finds` tells the codes from which `fromCell` can find something.
template <typename Finds, typename FromCell>
Outcome eachCell(Tables &t, const GroupCells &groups, UnitKind kind, Finds finds, FromCell fromCell) {
  const int first = kind == UnitKind::Column ? kFirstColumn : kFirstRow;
  for (int line = 1; line <= 9; ++line) {
    const GroupCells::Unit &g = groups.of(first + line - 1);
    for (int i = 0; i < g.n; ++i) {
      const int code = g.code[i];
      int unit = line;
      if (kind == UnitKind::Block) unit = kBlocks.of[line][g.index[i] + 1];
      const int u = unitIndex(kind, unit);
      if (!finds(groups.of(u), code)) continue;
      if (fromCell(UnitList{t, kind, unit}, groups.of(u), kUnits.unit[u], code) == Outcome::Contradiction) {
        return Outcome::Contradiction;
      }
    }
  }
  return Outcome::Continue;
}

bool pairMayFind(const GroupCells::Unit &, int code) { return isTwoCandidateCode(code); }

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

// Naked pairs over the group cells of every unit, whatever the codes.
Outcome nakedPairsOfGroups(Tables &t) {
  const GroupCells groups(t);
  for (const UnitKind kind : {UnitKind::Row, UnitKind::Column, UnitKind::Block}) {
    if (eachCell(t, groups, kind, pairMayFind, pairFromCell) == Outcome::Contradiction) {
      return Outcome::Contradiction;
    }
  }
  return Outcome::Continue;
}

// A naked pair seen from the cell of code p at position k of a unit: the same
// as pairFromCell, over the unit's nine cells.
Outcome pairInUnit(Tables &t, UnitKind kind, int unit, int p) {
  const UnitCells &u = kind == UnitKind::Row      ? rowCells(unit)
                       : kind == UnitKind::Column ? columnCells(unit)
                                                  : blockCellsByNumber(unit);
  int count = 0;
  for (int k = 0; k < 9; ++k) count += codeAt(t, u, k) == p ? 1 : 0;
  if (count > 2) return Outcome::Contradiction;
  if (count < 2) return Outcome::Continue;
  const UnitList list{t, kind, unit};
  for (int k = 0; k < 9; ++k) {
    if (codeAt(t, u, k) == p) list.mark(u.row[k], u.column[k], groupMark(kind));
  }
  list.add(p / 10);
  list.add(p - 10 * (p / 10));
  return Outcome::Continue;
}

}  // namespace

Outcome nakedPairs(Tables &t) {
  // The plain two-candidate codes of each unit and those held more than once:
  // a code held once makes no pair, so only the cells with such a code are
  // looked at, in the same order.
  std::uint64_t seen[27]{};
  std::uint64_t twice[27]{};
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int x = t.CandidateCode[r][c];
      if (!isTwoCandidateCode(x)) continue;
      const int k = kPlain.pairBit[x];
      if (k == 0) return nakedPairsOfGroups(t);
      const std::uint64_t b = std::uint64_t{1} << k;
      for (const int u : {kFirstRow + r - 1, kFirstColumn + c - 1, kFirstBlock + kBlocks.of[r][c] - 1}) {
        twice[u] |= seen[u] & b;
        seen[u] |= b;
      }
    }
  }
  // A pair's second cell finds what its first found (the same count, marks
  // and digits that stand already): each code held twice is looked at once,
  // from its first cell in the unit's scan order.
  const auto held = [&](int unit, int x) {
    if (!isTwoCandidateCode(x)) return false;
    const std::uint64_t b = std::uint64_t{1} << kPlain.pairBit[x];
    if ((twice[unit] & b) == 0) return false;
    twice[unit] &= ~b;
    return true;
  };
  for (int r = 1; r <= 9; ++r) {
    if (twice[kFirstRow + r - 1] == 0) continue;
    for (int c = 1; c <= 9; ++c) {
      const int x = t.CandidateCode[r][c];
      if (held(kFirstRow + r - 1, x) && pairInUnit(t, UnitKind::Row, r, x) == Outcome::Contradiction) {
        return Outcome::Contradiction;
      }
    }
  }
  for (int c = 1; c <= 9; ++c) {
    if (twice[kFirstColumn + c - 1] == 0) continue;
    for (int r = 1; r <= 9; ++r) {
      const int x = t.CandidateCode[r][c];
      if (held(kFirstColumn + c - 1, x) && pairInUnit(t, UnitKind::Column, c, x) == Outcome::Contradiction) {
        return Outcome::Contradiction;
      }
    }
  }
  for (int r = 1; r <= 9; ++r) {
    const int band = kFirstBlock + blockOrigin(r);
    if ((twice[band] | twice[band + 1] | twice[band + 2]) == 0) continue;
    for (int c = 1; c <= 9; ++c) {
      const int b = kBlocks.of[r][c];
      if (twice[kFirstBlock + b - 1] == 0) continue;
      const int x = t.CandidateCode[r][c];
      if (held(kFirstBlock + b - 1, x) && pairInUnit(t, UnitKind::Block, b, x) == Outcome::Contradiction) {
        return Outcome::Contradiction;
      }
    }
  }
  return Outcome::Continue;
}

namespace {

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
