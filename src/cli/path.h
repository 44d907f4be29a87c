// The solving path of a run as data: which technique placed which digit
// where, for the JSON of --json and batch, and the explanation of --explain.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "check/check.h"
#include "document/beyond_grid.h"
#include "document/document.h"
#include "runs/result.h"
#include "script/explanation.h"

namespace numplace {

// Fields that a batch line adds to a run's JSON.
struct BatchFields {
  long line = 0;            // the puzzle's line in the input, from 1
  std::string_view board;   // the board of the text line
  std::string_view status;  // "solved", "unfinished" or "error", as the text line says
};

// What the puzzle document adds to a check's fields: "source" names the
// collection and the place in it, and "extra_givens" and "cell_warnings"
// follow the grade.
struct DocumentFields {
  const BeyondGrid *beyond = nullptr;
  const PuzzleOrigin *collection = nullptr;  // with a collection's puzzle in the grid
};

// Writes paths as JSON, one object on one line (no line break) per call. It
// keeps its document from one run to the next and only changes the values,
// so that a batch of millions of puzzles does not build every object anew.
class PathJsonWriter {
 public:
  // With `batchLines` every object has the batch fields.
  explicit PathJsonWriter(bool batchLines = false);
  ~PathJsonWriter();
  PathJsonWriter(const PathJsonWriter &) = delete;
  PathJsonWriter &operator=(const PathJsonWriter &) = delete;

  // With `report`, the fields "source", "check" and "grade" follow the run's.
  void append(std::string &out, const RunResult &result, const BatchFields &batch = {},
              const PuzzleReport *report = nullptr, const DocumentFields *document = nullptr);

 private:
  struct Document;
  std::unique_ptr<Document> document_;
};

// The check alone as one JSON object on one line: "line" and "puzzle" first
// when `line` is above 0 (a batch line), then "source", "check" and, with
// `withGrade`, "grade".
void appendCheckJson(std::string &out, const PuzzleReport &report, bool withGrade, long line = 0,
                     std::string_view puzzle = {}, const DocumentFields *document = nullptr);

}  // namespace numplace
