// The solving path of a run for a person and for the exports: which
// technique placed which digit where, and the numbered lines that
// `numplace-cli --explain` prints and the window's explanation panel shows.
// No Qt, so both faces read the same words.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The 81 characters of a grid, '.' for an empty cell.
std::string gridText(const Grid &grid);

// "7行5列に3　「基本」naked single　見たのはこのマス自身：候補は3だけ"
std::string explainPlacement(const PlacementRecord &p);

// A placement's line of the explanation: "  12. " and explainPlacement.
std::string explainStep(const PlacementRecord &p);

// The last line of --explain: what the check found, in Japanese, beside how
// the run ended.
std::string checkSentence(const RunResult &run, const CheckResult &check, const std::optional<Grade> &grade);

// The check of what a run read: its givens, checked and graded (nothing
// read for bad input).
PuzzleReport reportOfRun(const RunResult &run);

// The explanation of a run, one text per line: a heading naming the run,
// one numbered line per placement of its path ("   1. " and the
// placement), how the run ended, then what the exact check found.
struct Explanation {
  std::string heading;
  std::vector<std::string> steps;  // numbered
  std::string end;
  std::string check;  // what the exact check found (checkSentence)

  std::vector<std::string> lines() const;
};
Explanation explainRun(const RunResult &result);

}  // namespace numplace
