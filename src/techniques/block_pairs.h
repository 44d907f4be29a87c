// Block pairs: every digit with exactly two candidate places in a block.
// A pair lying in one row or column excludes the digit from the rest of that
// line (a pointing pair); the sorted list of all pairs is the answer run's
// trial list.
#pragma once

#include <span>

#include "board/tables.h"

namespace numplace {

// The marks written on the two cells of a block pair lying in a row / column.
struct BlockPairMarks {
  int row;
  int column;
};

// Candidates rebuilt from the least codes, the block-pair lists built, and
// pairs lying in one row or column turned into marks and exclusions.
void blockPairStage(Tables &t, BlockPairMarks marks);

// An entry of the block-pair list: 1000 * block + 100 * row + 10 * column + digit.
struct BlockPairEntry {
  int block, row, column, digit;
};
constexpr BlockPairEntry blockPairEntry(int entry) {
  return {entry / 1000, entry / 100 % 10, entry / 10 % 10, entry % 10};
}

// The last block-pair list sorted in place (by block, row, column, digit).
std::span<const int> sortedBlockPairs(Tables &t);

// Sorts the last block-pair list into the trial list; returns the index of
// its last entry (the trial count).
int buildTrialList(Tables &t);

}  // namespace numplace
