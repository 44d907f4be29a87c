// The puzzle the next analysis run would read, read the way the runs read it
// (the same source rules, messages and extra givens), then checked and graded.
#include "board/sources.h"
#include "check/check.h"
#include "runs/common.h"

namespace numplace {

PuzzleReport examinePuzzle(const Controls &controls, const FileReader &files) {
  return examinePuzzle(controls, files, true);
}

PuzzleRead readNextPuzzle(const Controls &controls, const FileReader &files) {
  PuzzleRead read;
  Tables t;
  read.badInput = readPuzzle(controls, files, t, &read.source);
  if (read.badInput) return read;
  auto extras = checkExtraGivens(controls);
  if (auto *error = std::get_if<InputError>(&extras)) {
    read.badInput = std::move(*error);
    return read;
  }
  // As a pass of the answer run lays the board: no trial (code 0), the two
  // extra givens, then the rows over them.
  layTrialCode(t, 0);
  layExtraGivens(std::get<ExtraGivens>(extras), t);
  unpackRowCodes(t);
  read.givens = gridOf(t);
  return read;
}

PuzzleReport examinePuzzle(const Controls &controls, const FileReader &files, bool withGrade) {
  PuzzleRead read = readNextPuzzle(controls, files);
  PuzzleReport report;
  report.source = std::move(read.source);
  report.badInput = std::move(read.badInput);
  if (report.badInput) return report;
  report.givens = read.givens;
  report.check = checkGivens(report.givens);
  if (withGrade) report.grade = gradePuzzle(report.givens, report.check);
  return report;
}

}  // namespace numplace
