// numplace-cli --pdf, --png and --svg: puzzles on paper and as pictures.
// The painting lives in a module loaded only when an export is asked for
// (export_order.h); this side reads the puzzles and says what to write.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/check.h"
#include "cli/batch.h"
#include "export/paper.h"
#include "runs/result.h"

namespace numplace {

struct ExportOptions {
  std::optional<std::string> pdf;
  std::optional<std::string> png;
  std::optional<std::string> svg;
  int perPage = 4;         // --batch --pdf: 1, 2, 4 or 6
  bool solutions = false;  // the PDF's solution pages; the picture's solution
  int pixels = 600;        // the picture's side
  bool any() const { return pdf || png || svg; }
};

// --batch FILE --pdf OUT: every puzzle line of FILE (read as the batch reads
// them), numbered in order, with their source line and grade, and with
// --solutions the exact check's solutions at the end. Returns the exit
// status; nothing is written when the input cannot be read to its end.
int exportBatch(const BatchOptions &batch, const ExportOptions &options);

// --generate N --pdf OUT: the puzzles made, numbered, `name` and their
// number and grade under each, as a booklet. Returns the exit status.
int exportPuzzles(const std::vector<Grid> &puzzles, const std::string &name, const ExportOptions &options);

// The puzzle an analysis run would read after the actions (`report`), the
// user's `entries` (when not null) drawn lighter apart from its givens, with
// the path of the last run (if any) after it in the PDF. Returns the exit
// status.
int exportPuzzle(const PuzzleReport &report, const Grid *entries, const RunResult *lastRun,
                 const ExportOptions &options);

// The line under a board: where the puzzle came from and its grade, or that
// it has no solution or several.
std::string sourceCaption(const PuzzleSource &source);
std::string gradeCaption(const CheckResult &check, const std::optional<Grade> &grade);

}  // namespace numplace
