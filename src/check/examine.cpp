// The puzzle the next analysis run would read, read the way the runs read it
// (the same source rules, messages and extra givens), then checked and graded.
#include "board/sources.h"
#include "check/check.h"
#include "runs/common.h"

namespace numplace {

PuzzleReport examinePuzzle(const Controls &controls, const FileReader &files) {
  return examinePuzzle(controls, files, true);
}

PuzzleReport examinePuzzle(const Controls &controls, const FileReader &files, bool withGrade) {
  PuzzleReport report;
  Tables t;
  report.badInput = readPuzzle(controls, files, t, &report.source);
  if (report.badInput) return report;
  auto extras = checkExtraGivens(controls);
  if (auto *error = std::get_if<InputError>(&extras)) {
    report.badInput = std::move(*error);
    return report;
  }
  // As a pass of the answer run lays the board: no trial (code 0), the two
  // extra givens, then the rows over them.
  layTrialCode(t, 0);
  layExtraGivens(std::get<ExtraGivens>(extras), t);
  unpackRowCodes(t);
  report.givens = gridOf(t);
  report.check = checkGivens(report.givens);
  if (withGrade) report.grade = gradePuzzle(report.givens, report.check);
  return report;
}

}  // namespace numplace
