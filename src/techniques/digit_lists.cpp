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

// A digit of the unit's list that occurs exactly once and is missing from the
// unit: the lowest such digit, at the cell it came from.
std::optional<Placement> singleOfUnit(const Tables &t, const UnitCells &u, const ListDigits (&digits)[10][10]) {
  OnceTracker seen;
  std::uint16_t present = 0;
  for (int k = 0; k < 9; ++k) {
    const int r = u.row[k];
    const int c = u.column[k];
    if (t.Board[r][c] != 0) present = static_cast<std::uint16_t>(present | bit(t.Board[r][c]));
    seen.add(digits[r][c].once);
    seen.more |= digits[r][c].repeated;
  }
  const auto lone = static_cast<std::uint16_t>(seen.once & ~seen.more & ~present & kAllDigits);
  if (lone == 0) return std::nullopt;
  const int d = lowestDigit(lone);
  for (int k = 0; k < 9; ++k) {
    if (digits[u.row[k]][u.column[k]].once & bit(d)) return Placement{u.row[k], u.column[k], d};
  }
  return std::nullopt;
}

std::optional<Placement> digitListSingle(const Tables &t, int firstUnit) {
  ListDigits digits[10][10];
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) digits[r][c] = listDigitsOf(t.LeastCode[r][c]);
  }
  for (int unit = firstUnit; unit < firstUnit + 9; ++unit) {
    if (auto p = singleOfUnit(t, kUnits.unit[unit], digits)) return p;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Placement> digitListSingleInColumns(const Tables &t) { return digitListSingle(t, kFirstColumn); }
std::optional<Placement> digitListSingleInRows(const Tables &t) { return digitListSingle(t, kFirstRow); }

}  // namespace numplace
