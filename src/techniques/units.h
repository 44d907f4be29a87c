// What the techniques share: digit sets as bits, the cells of the 27 units in
// scan order, and the exclusion lists. Only the technique files include it.
#pragma once

#include <bit>
#include <cstdint>

#include "board/marks.h"
#include "board/tables.h"

namespace numplace::units {

constexpr std::uint16_t bit(int d) { return static_cast<std::uint16_t>(1u << d); }

inline int highestDigit(std::uint16_t digits) {
  return static_cast<int>(std::bit_width(static_cast<unsigned>(digits))) - 1;
}
inline int lowestDigit(std::uint16_t digits) { return std::countr_zero(static_cast<unsigned>(digits)); }
// Digit counts of every set of digits: std::popcount is a library call on
// the machines the program is built for.
struct DigitCounts {
  std::uint8_t count[1024]{};
  constexpr DigitCounts() {
    for (int m = 1; m < 1024; ++m) count[m] = static_cast<std::uint8_t>(count[m >> 1] + (m & 1));
  }
};
inline constexpr DigitCounts kDigitCounts;
inline int digitCount(std::uint16_t digits) { return kDigitCounts.count[digits & kAllDigits]; }

// Digits seen exactly once over a sequence of digit sets: those seen, less
// those seen again (two operations a set; whole words, no 16-bit arithmetic).
struct OnceTracker {
  unsigned seen = 0;
  unsigned more = 0;
  void add(unsigned m) {
    more |= seen & m;
    seen |= m;
  }
  unsigned once() const { return seen & ~more; }
};

// The block number of every cell, without the divisions.
struct BlockTable {
  int of[10][10]{};
  constexpr BlockTable() {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) of[r][c] = blockOf(r, c);
    }
  }
};
inline constexpr BlockTable kBlocks;

// The digits standing in each row, column and block of the board.
struct PlacedDigits {
  std::uint16_t row[10]{};
  std::uint16_t column[10]{};
  std::uint16_t block[10]{};
};
PlacedDigits placedDigits(const Tables &t);

// The cells of one unit in scan order.
struct UnitCells {
  int row[9];
  int column[9];
};

// Rows 1..9, columns 1..9, blocks 1..9 (cells row by row).
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
inline constexpr UnitTable kUnits;
inline constexpr int kFirstRow = 0;
inline constexpr int kFirstColumn = 9;
inline constexpr int kFirstBlock = 18;

inline const UnitCells &rowCells(int r) { return kUnits.unit[kFirstRow + r - 1]; }
inline const UnitCells &columnCells(int c) { return kUnits.unit[kFirstColumn + c - 1]; }
inline const UnitCells &blockCellsByNumber(int b) { return kUnits.unit[kFirstBlock + b - 1]; }
inline const UnitCells &blockCells(int r, int c) { return blockCellsByNumber(kBlocks.of[r][c]); }

inline int codeAt(const Tables &t, const UnitCells &u, int k) { return t.CandidateCode[u.row[k]][u.column[k]]; }

// One unit's exclusion list and the marks of its kind: where a pair, triple
// or block pair found in the unit leaves what it found.
struct UnitList {
  Tables &t;
  UnitKind kind;
  int unit;  // row, column or block number

  int &slot(int k) const {
    switch (kind) {
      case UnitKind::Row:
        return t.RowExclusions[unit][k];
      case UnitKind::Column:
        return t.ColumnExclusions[k][unit];
      case UnitKind::Block:
        break;
    }
    return t.BlockExclusions[unit][k];
  }
  // Adds a digit: stop at a slot that holds it, write it into the first free
  // slot, drop it when all eight slots hold other digits.
  void add(int digit) const {
    for (int k = 1; k <= 8; ++k) {
      int &s = slot(k);
      if (s == digit) return;
      if (s == 0) {
        s = digit;
        t.logChange(kindIndex(kind), unit, digit);
        return;
      }
    }
  }
  void mark(int r, int c, int value) const {
    int &m = t.PairMarks[r][c][kindIndex(kind)];
    if (m != value) t.logChange(0, r, c);
    m = value;
  }
};

}  // namespace numplace::units
