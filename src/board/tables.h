// The working tables of one button press, in parts that each own their
// state and their reset: the puzzle's row codes, the board with its
// candidates and codes, the units' exclusion lists and marks, the block
// pairs, the trial list and the count of changes. Created empty when a
// handler starts, discarded when it ends.
#pragma once

#include <array>
#include <cstdint>

namespace numplace {

inline constexpr int kPairSlots = 166;  // 81 block pairs of two entries, from index 2
inline constexpr int kLeastCodePrime = 999'999'999;
inline constexpr std::uint16_t kAllDigits = 0x3FE;  // bits 1..9 of a set of digits

// The puzzle's nine row codes, as read: the same for the whole press.
struct PuzzleRows {
  double RowCodes[11]{};
};

// The board and what the techniques work out for its cells.
struct CellTables {
  int Board[10][10]{};
  // Candidates(r, c, d) of the window's arithmetic, held as bits: bit d set
  // when digit d is a candidate of the cell.
  std::uint16_t Candidates[10][10]{};
  int SingleCandidate[10][10]{};
  // The candidate code of each cell; row 10 holds the codes of one column at
  // a time for the naked triples.
  int CandidateCode[21][21]{};
  int LeastCode[10][10]{};

  // A pass starts from an empty board with nothing worked out.
  void resetForPass();
  // A cycle that makes its candidates afresh starts without those of the
  // last one (the board and the least codes stay).
  void resetForCycle();
};

// What the techniques have concluded about the units: the digits each
// unit's other cells cannot hold, and the marks on the members of naked
// groups and block pairs.
struct UnitTables {
  int RowExclusions[10][10]{};     // (row, slot)
  int ColumnExclusions[10][10]{};  // (slot, column)
  int BlockExclusions[10][10]{};   // (block, slot)
  int PairMarks[10][10][4]{};      // kind 1 row, 2 column, 3 block

  int UnitPairCodes[11]{};
  int TripleCodes[11]{};
  int TripleDigits[10]{};

  void resetForPass();
};

// The block pairs of the last block-pair stage.
struct BlockPairTables {
  int BlockPairList[kPairSlots]{};
  int PairLast = 1;  // index of the last block-pair entry

  void resetForPass();
};

// The answer run's trial placements, made once from the first pass's block
// pairs; the later passes take them in turn.
struct TrialList {
  int TrialRow[kPairSlots]{};
  int TrialColumn[kPairSlots]{};
  int TrialDigit[kPairSlots]{};
};

// Counts the changes the techniques make to what later scans read: a digit
// added to an exclusion list or a mark given a new value (`changes`), a
// least code lowered (`leastCodeChanges`). A technique that leaves them as
// they were has changed nothing, so running it again on the same board
// finds the same. The counts run on through the press.
struct ChangeLog {
  long changes = 0;
  long leastCodeChanges = 0;
  // The changes counted in `changes` from `changeLogFrom` on, in order, as
  // far as the log holds them: a digit added to a list (kind 1..3 of the
  // unit, its number, the digit) or a mark changed (kind 0, row, column).
  // The answer run brings its candidates up to date from it.
  struct Change {
    std::uint8_t kind, a, b;
  };
  static constexpr int kChangeLogSize = 32;
  Change changeLog[kChangeLogSize]{};
  long changeLogFrom = 0;
  void logChange(int kind, int a, int b) {
    const long k = changes - changeLogFrom;
    if (k >= 0 && k < kChangeLogSize) {
      changeLog[k] = {static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)};
    }
    ++changes;
  }
};

// The parts together, so that a technique reaches what it reads by the
// same names in every part.
struct Tables : PuzzleRows, CellTables, UnitTables, BlockPairTables, TrialList, ChangeLog {};

// Clears everything a pass of the answer run starts without (the row codes
// and the trial list survive).
void initialiseForPass(Tables &t);

// LeastCode(r, c) = the prime value for every cell.
void primeLeastCodes(Tables &t);

// Writes the digits of each row code onto the board, column 9 first;
// a digit 0 leaves the cell as it is.
void unpackRowCodes(Tables &t);
// The same onto any board (the digits written do not depend on what it holds).
void unpackRowCodes(const double (&rowCodes)[11], int (&board)[10][10]);

// Board(row, column) = digit for a code 100 * row + 10 * column + digit
// (0 writes 0 into the spare element (0, 0)). The code must lie in 0..999.
void layTrialCode(Tables &t, double code);

// The row (column) before the band (stack) of blocks a row (column) lies in:
// 0, 3 or 6.
constexpr int blockOrigin(int rowOrColumn) { return 3 * ((rowOrColumn - 1) / 3); }
// The block (1..9, row by row) of the cell (r, c).
constexpr int blockOf(int r, int c) { return blockOrigin(r) + (c - 1) / 3 + 1; }

// Candidate code of a set of digits (bits 1..9), smallest digit first; from
// a table, as the codes are made for every cell of every cycle.
struct CandidateCodeTable {
  int code[1024]{};
  constexpr CandidateCodeTable() {
    for (int m = 0; m < 1024; ++m) {
      for (int d = 1; d <= 9; ++d) {
        if (m & (1 << d)) code[m] = code[m] * 10 + d;
      }
    }
  }
};
inline constexpr CandidateCodeTable kCandidateCodes;
inline int candidateCodeOf(std::uint16_t digits) { return kCandidateCodes.code[digits & kAllDigits]; }

}  // namespace numplace
