#include "runs/answer_cycle.h"

#include "runs/common.h"

namespace numplace {
namespace {

CycleResult placed(const Placement &p, std::string_view word) { return {CycleResult::Placed, p, word}; }

// The techniques after the candidate pass; the tracker's recount when there is one.
CycleResult afterCandidatePass(Tables &t, const CandidateTracker *tracker) {
  if (const Scan s = hiddenSingleInBlocks(t); s.placement) return placed(*s.placement, words::kBlockSingle);
  if (updateCodes(t) == Outcome::Contradiction) return {CycleResult::CodeContradiction, {}, {}};
  if (auto p = hiddenSingleInRows(t)) return placed(*p, words::kRowSingle);
  if (tracker != nullptr) {
    tracker->columnRecount(t);
  } else {
    columnRecount(t);
  }
  if (auto p = hiddenSingleInColumns(t)) return placed(*p, words::kColumnSingle);
  // The codes have not changed since updateCodes, which went through every
  // cell without finding a least code of 0: the check finds nothing then.
  if (tracker == nullptr && checkLeastCodes(t) == Outcome::Contradiction) {
    return {CycleResult::OtherContradiction, {}, {}};
  }
  if (nakedPairs(t) == Outcome::Contradiction) return {CycleResult::OtherContradiction, {}, {}};
  return {};
}

}  // namespace

CycleResult cycleTechniques(Tables &t) {
  if (const Scan s = candidatePass(t, NakedSingles::Place); s.placement)
    return placed(*s.placement, words::kNakedSingle);
  return afterCandidatePass(t, nullptr);
}

CycleResult cycleTechniques(Tables &t, CandidateTracker &candidates) {
  if (const Scan s = candidates.candidatePass(t); s.placement) return placed(*s.placement, words::kNakedSingle);
  return afterCandidatePass(t, &candidates);
}

CycleResult lateTechniques(Tables &t) {
  if (nakedTriples(t) == Outcome::Contradiction) return {CycleResult::OtherContradiction, {}, {}};
  if (const DigitListSingle d = digitListSingleInColumnsThenRows(t); d.placement) {
    return placed(*d.placement, d.inRows ? words::kRowListAnswer : words::kColumnListAnswer);
  }
  return {};
}

CycleResult lateTechniques(Tables &t, NakedTripleFinder &triples, DigitListReader &lists) {
  if (triples.find(t) == Outcome::Contradiction) return {CycleResult::OtherContradiction, {}, {}};
  if (const DigitListSingle d = lists.columnsThenRows(t); d.placement) {
    return placed(*d.placement, d.inRows ? words::kRowListAnswer : words::kColumnListAnswer);
  }
  return {};
}

int filledCells(const Tables &t) {
  int n = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) n += t.Board[r][c] != 0 ? 1 : 0;
  }
  return n;
}

}  // namespace numplace
