#include "techniques/digit_lists.h"

#include "techniques/units.h"

namespace numplace {

using namespace units;

namespace {

// The digits a least code contributes to its unit's list, read as the list
// is built (at most nine, from the last; a 0 ends them), and those it
// contributes more than once.
struct ListDigits {
  std::uint16_t once = 0;
  std::uint16_t repeated = 0;
};

// Three decimal places of a code, read from the right: their digits, those
// read twice, and whether a 0 ended the reading.
struct ChunkDigits {
  std::uint16_t once = 0;
  std::uint16_t repeated = 0;
  bool ended = false;
};
struct ChunkTable {
  ChunkDigits chunk[1000]{};
  constexpr ChunkTable() {
    for (int v = 0; v < 1000; ++v) {
      ChunkDigits &c = chunk[v];
      int x = v;
      for (int place = 0; place < 3; ++place) {
        const int d = x % 10;
        x /= 10;
        if (d == 0) {
          c.ended = true;
          break;
        }
        if (c.once & bit(d)) c.repeated |= bit(d);
        c.once |= bit(d);
      }
    }
  }
};
constexpr ChunkTable kChunks;

// Up to nine digits, three places at a time.
ListDigits listDigitsOf(int code) {
  ListDigits out;
  if (code < 10) return out;  // solved, or no candidate left
  for (int chunk = 0; chunk < 3; ++chunk) {
    const ChunkDigits &c = kChunks.chunk[code % 1000];
    out.repeated = static_cast<std::uint16_t>(out.repeated | c.repeated | (out.once & c.once));
    out.once |= c.once;
    if (c.ended) break;
    code /= 1000;
  }
  return out;
}

// The lists of every column and row, read once: per unit the digits met
// exactly once, the lowest of those missing from the unit first.
struct UnitLists {
  ListDigits cell[10][10];
  std::uint16_t lone[27]{};  // rows, then columns (kFirstRow, kFirstColumn)

  // `digitsOf(r, c)` gives what the cell's least code adds to the lists.
  template <typename DigitsOf>
  UnitLists(const Tables &t, DigitsOf digitsOf) {
    OnceTracker rows[10];
    OnceTracker columns[10];
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        const ListDigits d = digitsOf(r, c);
        cell[r][c] = d;
        rows[r].add(d.once);
        rows[r].more |= d.repeated;
        columns[c].add(d.once);
        columns[c].more |= d.repeated;
      }
    }
    const PlacedDigits present = placedDigits(t);
    for (int u = 1; u <= 9; ++u) {
      lone[kFirstRow + u - 1] = static_cast<std::uint16_t>(rows[u].once() & ~present.row[u] & kAllDigits);
      lone[kFirstColumn + u - 1] = static_cast<std::uint16_t>(columns[u].once() & ~present.column[u] & kAllDigits);
    }
  }
  explicit UnitLists(const Tables &t) : UnitLists(t, [&t](int r, int c) { return listDigitsOf(t.LeastCode[r][c]); }) {}

  // The first unit of the nine from `firstUnit` with such a digit: the lowest
  // one, at the cell it came from.
  std::optional<Placement> single(int firstUnit) const {
    for (int unit = firstUnit; unit < firstUnit + 9; ++unit) {
      if (lone[unit] == 0) continue;
      const int d = lowestDigit(lone[unit]);
      const UnitCells &u = kUnits.unit[unit];
      for (int k = 0; k < 9; ++k) {
        if (cell[u.row[k]][u.column[k]].once & bit(d)) return Placement{u.row[k], u.column[k], d};
      }
    }
    return std::nullopt;
  }
};

}  // namespace

std::optional<Placement> digitListSingleInColumns(const Tables &t) { return UnitLists(t).single(kFirstColumn); }
std::optional<Placement> digitListSingleInRows(const Tables &t) { return UnitLists(t).single(kFirstRow); }

DigitListSingle digitListSingleInColumnsThenRows(const Tables &t) {
  const UnitLists lists(t);
  if (auto p = lists.single(kFirstColumn)) return {p, false};
  return {lists.single(kFirstRow), true};
}

// One sweep over the cells: each cell's digits (read again only where its
// code changed), the digits met once and more than once in its row and
// column, and the digits standing on the board in both.
DigitListSingle DigitListReader::columnsThenRows(const Tables &t) {
  std::uint16_t rowOnce[10]{}, rowMore[10]{}, rowPlaced[10]{};
  std::uint16_t columnOnce[10]{}, columnMore[10]{}, columnPlaced[10]{};
  for (int r = 1; r <= 9; ++r) {
    std::uint16_t once = 0, more = 0, placed = 0;
    for (int c = 1; c <= 9; ++c) {
      const int code = t.LeastCode[r][c];
      if (code != code_[r][c]) {
        // A code below 10 gives nothing, as nothing kept does.
        const ListDigits d = listDigitsOf(code);
        code_[r][c] = code;
        once_[r][c] = d.once;
        repeated_[r][c] = d.repeated;
      }
      const std::uint16_t o = once_[r][c];
      const std::uint16_t twice = repeated_[r][c];
      more = static_cast<std::uint16_t>(more | (once & o) | twice);
      once |= o;
      columnMore[c] = static_cast<std::uint16_t>(columnMore[c] | (columnOnce[c] & o) | twice);
      columnOnce[c] |= o;
      const auto b = static_cast<std::uint16_t>(1u << t.Board[r][c]);
      placed |= b;
      columnPlaced[c] |= b;
    }
    rowOnce[r] = once;
    rowMore[r] = more;
    rowPlaced[r] = placed;
  }
  // The first line with a digit met once and missing from it: its lowest
  // such digit, at the first cell of the line whose code gave it.
  const auto single = [&](const std::uint16_t *once, const std::uint16_t *more, const std::uint16_t *placed,
                          bool rows) -> std::optional<Placement> {
    for (int line = 1; line <= 9; ++line) {
      const auto lone = static_cast<std::uint16_t>(once[line] & ~more[line] & ~placed[line] & kAllDigits);
      if (lone == 0) continue;
      const int d = lowestDigit(lone);
      for (int k = 1; k <= 9; ++k) {
        const int r = rows ? line : k;
        const int c = rows ? k : line;
        if (once_[r][c] & bit(d)) return Placement{r, c, d};
      }
    }
    return std::nullopt;
  };
  if (auto p = single(columnOnce, columnMore, columnPlaced, false)) return {p, false};
  return {single(rowOnce, rowMore, rowPlaced, true), true};
}

}  // namespace numplace
