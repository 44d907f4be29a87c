// The exact truth about a puzzle, beside the runs (which never use it): the
// givens that clash, how many solutions there are (counted to two), the
// solution or two that differ and where, and how hard the puzzle is for this
// program's own techniques. The CLI, the window's status bar and the tests
// read it; it never draws.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/input_error.h"
#include "board/marks.h"
#include "board/ports.h"
#include "board/puzzle_source.h"
#include "runs/result.h"

namespace numplace {

struct CellRef {
  int row = 0;  // 1..9
  int column = 0;
  friend bool operator==(const CellRef &, const CellRef &) = default;
};

// Two givens with the same digit in one unit.
struct Clash {
  std::array<CellRef, 2> cells;  // in row-major order
  int digit = 0;
  UnitKind unit = UnitKind::Row;
  friend bool operator==(const Clash &, const Clash &) = default;
};

struct CheckResult {
  int solutions = 0;             // 0, 1, or 2 for "two or more"
  std::optional<Grid> solution;  // with exactly one; with several, the first found
  std::optional<Grid> second;    // with several: a second, different solution
  std::vector<Clash> clashes;    // givens that clash (then solutions is 0)
  std::vector<CellRef> differ;   // with several: where the two solutions differ
  long guesses = 0;              // cells the search branched on (0: singles alone decided)
};

// Counts the solutions of `givens` (0 = empty cell) to two, exactly.
CheckResult checkGivens(const Grid &givens);

// For the generator: a source of choices, each a number from 0 to n - 1,
// from the caller's own random numbers (so that the same seed makes the
// same choices everywhere).
class Choices {
 public:
  virtual unsigned below(unsigned n) = 0;

 protected:
  ~Choices() = default;
};

// A solution of `givens`, the search branching in the order `choose`
// draws; nothing when there is none. From empty givens: a random full grid.
std::optional<Grid> randomSolution(const Grid &givens, Choices &choose);

// Whether `givens` has a solution with a digit other than `digit` at
// `cell`, an empty cell (0..80 row by row). A given taken from a puzzle with
// one solution leaves it with one exactly when, with its digit ruled out
// in its cell, nothing solves it. Stops at the first solution, written to
// `solution` when one is given.
bool solvableWithout(const Grid &givens, int cell, int digit, Grid *solution = nullptr);

struct Grade {
  int level = 0;             // 1 (easiest) and up; the last level: beyond this program's techniques
  std::string_view name;     // short Japanese name
  std::string_view english;  // English name
  int score = 0;             // for sorting within a level
};

// The grade of a puzzle with exactly one solution; nothing otherwise.
std::optional<Grade> gradePuzzle(const Grid &givens, const CheckResult &check);

// What the next analysis run would read from the controls, as it reads it
// (the same source rules, bad-input messages and extra givens laid), not
// checked: for saving and copying the puzzle.
struct PuzzleRead {
  PuzzleSource source;
  std::optional<InputError> badInput;  // why a run would stop on the input; then no givens
  Grid givens{};                       // the puzzle with the extra givens laid
};

PuzzleRead readNextPuzzle(const Controls &controls, const FileReader &files);

// What the next analysis run would read from the controls, checked and graded.
struct PuzzleReport {
  PuzzleSource source;
  std::optional<InputError> badInput;  // why a run would stop on the input; then nothing below is set
  Grid givens{};                       // the puzzle with the extra givens laid
  CheckResult check;
  std::optional<Grade> grade;
};

PuzzleReport examinePuzzle(const Controls &controls, const FileReader &files);
// The same, the grade left out when `withGrade` is false (a batch that only
// counts solutions).
PuzzleReport examinePuzzle(const Controls &controls, const FileReader &files, bool withGrade);

}  // namespace numplace
