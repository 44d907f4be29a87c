// The solving techniques, each written once over the working tables and
// shared by both families of runs. A technique that finds a placement returns
// it without writing the board: the run reports it its own way first.
#pragma once

#include <optional>

#include "board/ports.h"
#include "board/tables.h"

namespace numplace {

struct Placement {
  int row = 0;
  int column = 0;
  int digit = 0;
  friend bool operator==(const Placement &, const Placement &) = default;
};

enum class Outcome { Continue, Contradiction };

// What the candidate pass does with a cell that has exactly one candidate.
enum class NakedSingles {
  Place,   // stop at the first one (answer family)
  Hold,    // compute every cell, place nothing (first sub-pass of the step family)
  Report,  // like Place, with font size 9 set on `fontSink` before each cell's test
};

// Marks written by the block-pair stage for a pair lying in a row / column.
struct BlockPairMarks {
  int row = 999;
  int column = 998;
};
inline constexpr BlockPairMarks kStandardBlockPairMarks{999, 998};
inline constexpr BlockPairMarks kReference1BlockPairMarks{779, 778};

// Candidates of every empty cell from the board, the exclusion lists and the
// marks; the first naked single in row order when `mode` asks for it.
std::optional<Placement> candidatePass(Tables &t, NakedSingles mode, DrawingSurface *fontSink = nullptr);

// Hidden singles. The step family passes its surface so that the blocks set
// font size 9 before each block's test and the rows once before their scan.
std::optional<Placement> hiddenSingleInBlocks(const Tables &t, DrawingSurface *fontSink = nullptr);
std::optional<Placement> hiddenSingleInRows(const Tables &t, DrawingSurface *fontSink = nullptr);
std::optional<Placement> hiddenSingleInColumns(const Tables &t);

// Every empty cell's candidates from its row, column and block alone, added
// to what it has (exclusions are not in force for the column singles).
void columnRecount(Tables &t);

// The candidate code of a cell: its digit when solved, else its candidates
// smallest first (123456789 for a cell with every digit possible).
int cellCode(const Tables &t, int r, int c);

// CandidateCode and LeastCode of every cell; Contradiction at the first cell
// whose least code is 0 (no candidate left).
Outcome updateCodes(Tables &t);
// LeastCode lowered to CandidateCode again, with the same contradiction test.
Outcome checkLeastCodes(Tables &t);

// Naked pairs in rows, then columns, then blocks.
Outcome nakedPairs(Tables &t);
// The six naked-triple passes: rows, columns, blocks, each from a
// three-candidate cell and from three two-candidate cells.
Outcome nakedTriples(Tables &t);

// A digit missing from a column (row) that occurs once in the least codes of
// the unit's unsolved cells.
std::optional<Placement> digitListSingleInColumns(Tables &t);
std::optional<Placement> digitListSingleInRows(Tables &t);

// Candidates rebuilt from the least codes, the block-pair lists built, and
// pairs lying in one row or column turned into marks and exclusions.
void blockPairStage(Tables &t, BlockPairMarks marks);

// Sorts the last block-pair list into the trial list; returns the index of
// its last entry (the trial count).
int buildTrialList(Tables &t);

// Whether some digit stands twice or more in a row, column or block.
bool hasDuplicateGiven(const Tables &t);

}  // namespace numplace
