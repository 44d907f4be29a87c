// Candidates and singles: the candidate pass with the naked single, the
// hidden singles in blocks, rows and columns, the column recount, and the
// candidate codes and least codes built from the candidates.
#pragma once

#include <cstdint>

#include "board/tables.h"
#include "techniques/placement.h"

namespace numplace {

// What the candidate pass does with a cell that has exactly one candidate.
enum class NakedSingles {
  Place,  // stop at the first one; `tested` counts the cells up to it
  Hold,   // compute every cell, place nothing (first sub-pass of the step family)
};

// Candidates of every empty cell from the board, the exclusion lists and the
// marks; the first naked single in row order when `mode` asks for it.
Scan candidatePass(Tables &t, NakedSingles mode);

// The candidate pass of a run that writes the board only through `placed`
// (the answer run): the candidates of every cell are kept from cycle to
// cycle and brought up to date by each placement; they are computed afresh
// when the lists or marks have changed or the board was laid anew. A cycle's
// candidates are those of candidatePass; the pass stops at the same naked
// single. Slot 19 and SingleCandidate, which nothing of such a run reads, are
// left as they are.
class CandidateTracker {
 public:
  // After the board has been laid anew (a new pass): compute everything again.
  void forget() { valid_ = false; }
  // Candidates(r, c) = the cell's candidates, for a table cleared before;
  // the first naked single in row order. The cells after it are given their
  // candidates too, which the run never reads (the next cycle clears them).
  Scan candidatePass(Tables &t);
  // Digit d is about to be written into the cell (r, c).
  void placed(const Tables &t, int r, int c, int d);
  // Everything computed now (what the first candidatePass would compute).
  void start(Tables &t) {
    valid_ = false;
    compute(t);
  }
  // The tracker `base`, started on a board with clear lists and marks, for
  // the present board, whose lists and marks are clear too and which holds
  // the same digits but d in the cell (r, c), empty on the base's board
  // (d = 0: the same digits).
  void startFrom(const CandidateTracker &base, Tables &t, int r, int c, int d);
  // columnRecount after this cycle's candidatePass, from the digits the
  // tracker knows to stand in each unit (SingleCandidate left as it is).
  void columnRecount(Tables &t) const;

 private:
  void compute(Tables &t);
  // The digit d written into the empty cell (r, c).
  void take(int r, int c, int d);
  bool followChanges(Tables &t);
  // 10 * row + column of the first cell in row-major order with exactly one
  // candidate, -1 when none has.
  int firstSingle() const;
  std::uint16_t free_[10][10]{};
  std::uint16_t rowUsed_[10]{};
  std::uint16_t columnUsed_[10]{};
  std::uint16_t blockUsed_[10]{};
  // The digits each unit's list leaves a cell.
  std::uint16_t rowKeep_[10]{};
  std::uint16_t columnKeep_[10]{};
  std::uint16_t blockKeep_[10]{};
  long changes_ = 0;
  bool valid_ = false;
};

// The lowest digit with one candidate cell in some block, the first such
// block; `tested` counts the (digit, block) tests up to it.
Scan hiddenSingleInBlocks(const Tables &t);
// The first row (column) with a digit of one candidate cell, its lowest such digit.
std::optional<Placement> hiddenSingleInRows(const Tables &t);
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

// LeastCode(r, c) lowered to CandidateCode(r, c) when that is smaller.
void lowerLeastCode(Tables &t, int r, int c);

}  // namespace numplace
