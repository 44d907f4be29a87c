#include "runs/stages.h"

#include "runs/common.h"

namespace numplace {
namespace {

StageResult placed(const Placement &p, std::string_view word) { return StageResult::placed(p, word); }

// Nothing or Changed, as the change count moved since `before`.
StageResult changedSince(const Tables &t, long before) { return StageResult::changed(t.changes != before); }

// The singles after the candidate pass; the tracker's recount when there is one.
StageResult afterCandidatePass(Tables &t, const CandidateTracker *tracker) {
  if (const Scan s = hiddenSingleInBlocks(t); s.placement) return placed(*s.placement, words::kBlockSingle);
  if (updateCodes(t) == Outcome::Contradiction) return StageResult::contradiction(true);
  if (auto p = hiddenSingleInRows(t)) return placed(*p, words::kRowSingle);
  if (tracker != nullptr) {
    tracker->columnRecount(t);
  } else {
    columnRecount(t);
  }
  if (auto p = hiddenSingleInColumns(t)) return placed(*p, words::kColumnSingle);
  // The codes have not changed since updateCodes, which went through every
  // cell without finding a least code of 0: the check finds nothing then.
  if (tracker == nullptr && checkLeastCodes(t) == Outcome::Contradiction) return StageResult::contradiction();
  return {};
}

StageResult digitListResult(const DigitListSingle &d) {
  if (!d.placement) return {};
  return placed(*d.placement, d.inRows ? words::kRowListAnswer : words::kColumnListAnswer);
}

}  // namespace

StageResult answerSingles(Tables &t) {
  if (const Scan s = candidatePass(t, NakedSingles::Place); s.placement)
    return placed(*s.placement, words::kNakedSingle);
  return afterCandidatePass(t, nullptr);
}

StageResult answerSingles(Tables &t, CandidateTracker &candidates) {
  if (const Scan s = candidates.candidatePass(t); s.placement) return placed(*s.placement, words::kNakedSingle);
  return afterCandidatePass(t, &candidates);
}

StageResult nakedPairStage(Tables &t) {
  const long before = t.changes;
  if (nakedPairs(t) == Outcome::Contradiction) return StageResult::contradiction();
  return changedSince(t, before);
}

StageResult nakedTripleStage(Tables &t) {
  const long before = t.changes;
  if (nakedTriples(t) == Outcome::Contradiction) return StageResult::contradiction();
  return changedSince(t, before);
}

StageResult nakedTripleStage(Tables &t, NakedTripleFinder &triples) {
  const long before = t.changes;
  if (triples.find(t) == Outcome::Contradiction) return StageResult::contradiction();
  return changedSince(t, before);
}

StageResult answerDigitLists(const Tables &t) { return digitListResult(digitListSingleInColumnsThenRows(t)); }

StageResult answerDigitLists(const Tables &t, DigitListReader &lists) {
  return digitListResult(lists.columnsThenRows(t));
}

StageResult blockPairStageResult(Tables &t, BlockPairMarks marks) {
  const long before = t.changes;
  blockPairStage(t, marks);
  return changedSince(t, before);
}

int filledCells(const Tables &t) {
  int n = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) n += t.Board[r][c] != 0 ? 1 : 0;
  }
  return n;
}

}  // namespace numplace
