// The cycle of techniques shared by the answer and reference 2 runs.
#pragma once

#include <string_view>

#include "board/tables.h"
#include "techniques/techniques.h"

namespace numplace {

struct CycleResult {
  enum Kind {
    Continue,            // nothing placed, no contradiction
    Placed,              // `placement` is to be written to the board
    CodeContradiction,   // a cell without candidates, found with the codes
    OtherContradiction,  // a pair or triple count that cannot be
  } kind = Continue;
  Placement placement{};
  std::string_view word;  // technique word of a placement
};

// Candidates, singles, codes and naked pairs, in the order of a cycle.
CycleResult cycleTechniques(Tables &t);
// The same with the candidates kept from cycle to cycle (the board is written
// only through the tracker's `placed`).
CycleResult cycleTechniques(Tables &t, CandidateTracker &candidates);

// Naked triples and digit-list singles (every third cycle).
CycleResult lateTechniques(Tables &t);
// The same with the triples found and the digit lists read through what the
// run keeps from pass to pass.
CycleResult lateTechniques(Tables &t, NakedTripleFinder &triples, DigitListReader &lists);

// The number of cells holding a digit.
int filledCells(const Tables &t);

}  // namespace numplace
