#include "board/tables.h"

#include <cmath>

#include "board/contract.h"

namespace numplace {

void buildColourTable(Tables &t, ColourScheme scheme) {
  t.ColourTable[1] = 0x000000;
  t.ColourTable[2] = 0xFF00FF;
  t.ColourTable[3] = 0xFFFF00;
  t.ColourTable[4] = 0xFF0000;
  t.ColourTable[5] = 0x00FF00;
  t.ColourTable[6] = scheme == ColourScheme::Step ? rgb(150, 170, 150) : 0x0000FF;
  t.ColourTable[7] = rgb(100, 50, 150);
  t.ColourTable[8] = rgb(200, 150, 50);
  t.ColourTable[9] = rgb(50, 150, 50);
}

void initialiseForPass(Tables &t) {
  for (int k = 1; k <= 10; ++k) {
    t.UnitPairCodes[k] = 0;
    t.TripleCodes[k] = 0;
  }
  for (int r = 1; r <= 9; ++r) {
    t.TripleDigits[r] = 0;
    for (int c = 1; c <= 9; ++c) {
      t.Board[r][c] = 0;
      t.BlockExclusions[r][c] = 0;
      t.LeastCode[r][c] = 0;
      t.RowExclusions[r][c] = 0;
      t.SingleCandidate[r][c] = 0;
      t.ColumnExclusions[r][c] = 0;
      t.Candidates[r][c] = 0;
      t.CandidateCount[r][c] = 0;
      t.RecountCount[r][c] = 0;
      for (int k = 1; k <= 3; ++k) t.PairMarks[r][c][k] = 0;
    }
  }
  for (int i = 1; i <= 20; ++i) {
    for (int j = 1; j <= 20; ++j) t.CandidateCode[i][j] = 0;
  }
  for (int k = 1; k < kPairSlots; ++k) {
    t.BlockPairList[k] = 0;
    t.BlockPairsByRow[k] = 0;
    t.BlockPairsByColumn[k] = 0;
    t.PairKey[k] = 0;
    t.PairLine[k] = 0;
    t.PairDigit[k] = 0;
    t.PairCross[k] = 0;
  }
  t.PairLast = 1;
}

void primeLeastCodes(Tables &t) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) t.LeastCode[r][c] = kLeastCodePrime;
  }
}

void unpackRowCodes(Tables &t) { unpackRowCodes(t.RowCodes, t.Board); }

void unpackRowCodes(const double (&rowCodes)[11], int (&board)[10][10]) {
  for (int r = 1; r <= 9; ++r) {
    double value = rowCodes[r];
    // A whole number well inside int range divides exactly as the floating
    // arithmetic does; anything else takes that arithmetic.
    if (value >= 0 && value < 2'000'000'000.0 && value == std::floor(value)) {
      auto v = static_cast<long>(value);
      for (int c = 9; c >= 1; --c) {
        const auto digit = static_cast<int>(v % 10);
        if (digit != 0) board[r][c] = digit;
        v /= 10;
      }
      continue;
    }
    for (int c = 9; c >= 1; --c) {
      const double rest = std::floor(value / 10);
      const int digit = static_cast<int>(value - 10 * rest);
      if (digit != 0) board[r][c] = digit;
      value = rest;
    }
  }
}

void layTrialCode(Tables &t, double code) {
  NUMPLACE_ASSERT(code >= 0 && code < 1000);
  const double row = std::floor(code / 100);
  const double column = std::floor((code - 100 * row) / 10);
  const double digit = std::floor(code - 100 * row - 10 * column);
  t.Board[static_cast<int>(row)][static_cast<int>(column)] = static_cast<int>(digit);
}

}  // namespace numplace
