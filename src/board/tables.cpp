#include "board/tables.h"

#include <cmath>

#include "board/contract.h"

namespace numplace {

void CellTables::resetForPass() {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      Board[r][c] = 0;
      LeastCode[r][c] = 0;
      SingleCandidate[r][c] = 0;
      Candidates[r][c] = 0;
    }
  }
  for (int i = 1; i <= 20; ++i) {
    for (int j = 1; j <= 20; ++j) CandidateCode[i][j] = 0;
  }
}

void CellTables::resetForCycle() {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      Candidates[r][c] = 0;
      CandidateCode[r][c] = 0;
    }
  }
}

void UnitTables::resetForPass() {
  for (int k = 1; k <= 10; ++k) {
    UnitPairCodes[k] = 0;
    TripleCodes[k] = 0;
  }
  for (int r = 1; r <= 9; ++r) {
    TripleDigits[r] = 0;
    for (int c = 1; c <= 9; ++c) {
      BlockExclusions[r][c] = 0;
      RowExclusions[r][c] = 0;
      ColumnExclusions[r][c] = 0;
      for (int k = 1; k <= 3; ++k) PairMarks[r][c][k] = 0;
    }
  }
}

void BlockPairTables::resetForPass() {
  for (int k = 1; k < kPairSlots; ++k) BlockPairList[k] = 0;
  PairLast = 1;
}

void initialiseForPass(Tables &t) {
  t.CellTables::resetForPass();
  t.UnitTables::resetForPass();
  t.BlockPairTables::resetForPass();
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
