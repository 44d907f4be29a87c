#include "runs/answer_family.h"

namespace numplace {
namespace {

CycleResult placed(const std::optional<Placement> &p, std::string_view word) { return {CycleResult::Placed, *p, word}; }

}  // namespace

void clearCycleTables(Tables &t) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      t.Candidates[r][c] = 0;
      t.CandidateCount[r][c] = 0;
      t.RecountCount[r][c] = 0;
      t.CandidateCode[r][c] = 0;
    }
  }
}

CycleResult answerCycleTechniques(Tables &t) {
  if (auto p = candidatePass(t, NakedSingles::Place)) return placed(p, "基本");
  if (auto p = hiddenSingleInBlocks(t)) return placed(p, "ブロ");
  if (updateCodes(t) == Outcome::Contradiction) return {CycleResult::CodeContradiction, {}, {}};
  if (auto p = hiddenSingleInRows(t)) return placed(p, "よこ");
  columnRecount(t);
  if (auto p = hiddenSingleInColumns(t)) return placed(p, "たて");
  if (checkLeastCodes(t) == Outcome::Contradiction) return {CycleResult::OtherContradiction, {}, {}};
  if (nakedPairs(t) == Outcome::Contradiction) return {CycleResult::OtherContradiction, {}, {}};
  return {};
}

CycleResult answerLateTechniques(Tables &t) {
  if (nakedTriples(t) == Outcome::Contradiction) return {CycleResult::OtherContradiction, {}, {}};
  if (auto p = digitListSingleInColumns(t)) return placed(p, "縦１");
  if (auto p = digitListSingleInRows(t)) return placed(p, "横１");
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
