// The working tables of one button press: the board, candidates, codes,
// exclusion lists, marks, the scratch and block-pair lists, the trial list.
// Created empty when a handler starts, discarded when it ends.
#pragma once

#include <array>
#include <cstdint>

namespace numplace {

inline constexpr int kPairSlots = 166;  // 81 block pairs of two entries, from index 2
inline constexpr int kLeastCodePrime = 999'999'999;

struct Tables {
  double RowCodes[11]{};

  int Board[10][10]{};
  // Candidates(r, c, d) of the window's arithmetic, held as bits: bit d set
  // when digit d is a candidate of the cell.
  std::uint16_t Candidates[10][10]{};
  int CandidateCount[10][10]{};  // slot 19: count from the candidate pass
  int RecountCount[10][10]{};    // slot 20: count from the column recount
  int SingleCandidate[10][10]{};
  int CandidateCode[21][21]{};
  int LeastCode[10][10]{};
  int RowExclusions[10][10]{};     // (row, slot)
  int ColumnExclusions[10][10]{};  // (slot, column)
  int BlockExclusions[10][10]{};   // (block, slot)
  int PairMarks[10][10][4]{};      // kind 1 row, 2 column, 3 block

  int UnitPairCodes[11]{};
  int TripleCodes[11]{};
  int TripleDigits[10]{};

  int BlockPairList[kPairSlots]{};
  int BlockPairsByRow[kPairSlots]{};
  int BlockPairsByColumn[kPairSlots]{};
  int PairKey[kPairSlots]{};
  int PairDigit[kPairSlots]{};
  int PairLine[kPairSlots]{};
  int PairCross[kPairSlots]{};
  int PairLast = 1;  // index of the last block-pair entry

  // Count the changes the techniques make to what later scans read: a digit
  // added to an exclusion list or a mark given a new value (`changes`), a
  // least code lowered (`leastCodeChanges`). A technique that leaves them as
  // they were has changed nothing, so running it again on the same board
  // finds the same.
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

  int TrialRow[kPairSlots]{};
  int TrialColumn[kPairSlots]{};
  int TrialDigit[kPairSlots]{};
};

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

// Block number (1..9) and block origin of a cell.
inline int blockOrigin(int rowOrColumn) { return 3 * ((rowOrColumn - 1) / 3); }
inline int blockNumber(int r, int c) { return blockOrigin(r) + (c - 1) / 3 + 1; }

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
inline int candidateCodeOf(std::uint16_t digits) { return kCandidateCodes.code[digits & 0x3FE]; }

}  // namespace numplace
