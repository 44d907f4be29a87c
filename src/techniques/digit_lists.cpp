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
      lone[kFirstRow + u - 1] = static_cast<std::uint16_t>(rows[u].once & ~rows[u].more & ~present.row[u] & kAllDigits);
      lone[kFirstColumn + u - 1] =
          static_cast<std::uint16_t>(columns[u].once & ~columns[u].more & ~present.column[u] & kAllDigits);
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

DigitListSingle DigitListReader::columnsThenRows(const Tables &t) {
  const UnitLists lists(t, [&](int r, int c) {
    const int code = t.LeastCode[r][c];
    if (code < 10) return ListDigits{};
    if (code != code_[r][c]) {
      const ListDigits d = listDigitsOf(code);
      code_[r][c] = code;
      once_[r][c] = d.once;
      repeated_[r][c] = d.repeated;
    }
    return ListDigits{once_[r][c], repeated_[r][c]};
  });
  if (auto p = lists.single(kFirstColumn)) return {p, false};
  return {lists.single(kFirstRow), true};
}

}  // namespace numplace
