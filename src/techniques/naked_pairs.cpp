#include "techniques/naked_pairs.h"

#include "techniques/group_cells.h"

namespace numplace {

using namespace groups;

namespace {

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

}  // namespace numplace
