// The solving path of a run as data: which technique placed which digit
// where, for the JSON of --json and batch, and the explanation of --explain.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "check/check.h"
#include "runs/result.h"

namespace numplace {

// What a technique looks at to place its digit.
enum class LookedAt { Cell, Block, Row, Column };

struct Technique {
  std::string_view english;  // "hidden single (block)"
  LookedAt lookedAt = LookedAt::Cell;
  bool digitList = false;  // reads the candidates of the whole unit as one list
};

// The technique behind a word the runs report ("基本", "縦　", "横１" ...);
// nothing for a word no run reports.
std::optional<Technique> techniqueOf(std::string_view word);

// The number of the unit a placement's technique looked at: its block (1 to
// 9, row by row from the top left), row or column; 0 for the cell itself.
int unitNumber(const PlacementRecord &p, LookedAt lookedAt);

// The placements that lead to `pathBoard`: the answer run's last pass (it
// repeats a solved pass, and earlier passes were trials given up), every
// placement of the other runs; none when the run drew no final board.
std::span<const PlacementRecord> pathPlacements(const RunResult &result);

// The board of the path, 81 characters with '.' for an empty cell: the board
// the run ended on, or the board as first laid when the run drew none.
std::string pathBoard(const RunResult &result);

// "solved", "stopped", "error", "inconsistent", "bad-input".
std::string_view endName(RunEnd end);

// Fields that a batch line adds to a run's JSON.
struct BatchFields {
  long line = 0;            // the puzzle's line in the input, from 1
  std::string_view board;   // the board of the text line
  std::string_view status;  // "solved", "unfinished" or "error", as the text line says
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
              const PuzzleReport *report = nullptr);

 private:
  struct Document;
  std::unique_ptr<Document> document_;
};

// The check alone as one JSON object on one line: "line" and "puzzle" first
// when `line` is above 0 (a batch line), then "source", "check" and, with
// `withGrade`, "grade".
void appendCheckJson(std::string &out, const PuzzleReport &report, bool withGrade, long line = 0,
                     std::string_view puzzle = {});

}  // namespace numplace
