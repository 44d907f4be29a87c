// The stages of a cycle as functions over the working tables, for the
// callers of runCycle: the answer family's singles (the answer run's with
// the candidates it keeps, reference 2's and the grade's from the tables),
// the naked pairs, the naked triples, the answer family's digit-list singles
// and the block pairs. The step family's singles draw and prompt as they go
// and are its own.
#pragma once

#include "board/tables.h"
#include "runs/cycle.h"
#include "techniques/techniques.h"

namespace numplace {

// Candidates and naked single, hidden single in blocks, candidate codes and
// least codes, hidden single in rows, column recount, hidden single in
// columns, least-code check.
StageResult answerSingles(Tables &t);
// The same with the candidates kept from cycle to cycle (the board is written
// only through the tracker's `placed`).
StageResult answerSingles(Tables &t, CandidateTracker &candidates);

// Naked pairs in rows, columns, blocks; Changed when they extended a list or mark.
StageResult nakedPairStage(Tables &t);

// Naked triples; Changed when they extended a list or mark.
StageResult nakedTripleStage(Tables &t);
// The same through what a run keeps from cycle to cycle within a pass.
StageResult nakedTripleStage(Tables &t, NakedTripleFinder &triples);

// Digit-list singles in columns, then in rows, reported as "縦１" / "横１".
StageResult answerDigitLists(const Tables &t);
StageResult answerDigitLists(const Tables &t, DigitListReader &lists);

// Candidates rebuilt from the least codes and the block pairs applied;
// Changed when they extended a list or mark.
StageResult blockPairStageResult(Tables &t, BlockPairMarks marks);

// The number of cells holding a digit.
int filledCells(const Tables &t);

}  // namespace numplace
