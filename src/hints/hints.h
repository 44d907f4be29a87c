// "Solve it yourself": the user's own entries checked against the one
// solution of the givens, and a hint in three levels that points at the next
// placement this program's step run would make, leaving the solving to the
// user. Computed headless (the step run plays on a window without a screen);
// the window and numplace-cli make their texts from the data.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/marks.h"
#include "check/check.h"
#include "runs/result.h"

namespace numplace {

// Givens and entries are grids row by row, 0 for an empty cell; a value above
// 9 counts as an empty cell. An entry at a cell that holds a given is an entry
// over it (wrong when its digit is not the given's).

struct WrongEntry {
  CellRef cell;
  int digit = 0;  // the digit entered there
  friend bool operator==(const WrongEntry &, const WrongEntry &) = default;
};

struct EntriesCheck {
  // The givens have exactly one solution, so the entries can be judged;
  // otherwise only `solutions`, `clashes` and `empty` are set.
  bool judged = false;
  int solutions = 0;              // of the givens: 0, 1, or 2 for "two or more"
  std::vector<Clash> clashes;     // givens that clash (then solutions is 0)
  std::vector<WrongEntry> wrong;  // entries that differ from the solution, row-major
  int empty = 0;                  // cells with neither a given nor an entry
  bool complete = false;          // judged, nothing empty and nothing wrong
};

EntriesCheck checkEntries(const Grid &givens, const Grid &entries);

enum class HintKind {
  WrongEntry,    // an entry is wrong: its cell and digit
  Placement,     // the next placement of the step run from the user's position
  SolutionCell,  // the step run finds none: a cell of the solution with the fewest candidates
  None,          // nothing to hint at; `reason` says why
};

enum class NoHintReason {
  Hinted,    // the hint is not None
  Complete,  // every cell holds the right digit
  NoSolution,
  Clash,    // givens clash (no solution)
  Several,  // two or more solutions: the entries cannot be judged
};

struct HintUnit {
  UnitKind kind = UnitKind::Block;
  int index = 0;  // 1..9; blocks row by row from the top left
  friend bool operator==(const HintUnit &, const HintUnit &) = default;
};

struct Hint {
  HintKind kind = HintKind::None;
  int level = 1;  // 1: where to look and how; 2: and the digit; 3: the placement itself
  // WrongEntry, SolutionCell and a level-3 placement: the one cell; a level-1
  // or level-2 placement: the unit's nine cells, row-major (the window
  // highlights them).
  std::vector<CellRef> cells;
  std::optional<HintUnit> unit;  // a placement's unit
  // A placement's technique word, exactly as the step run reports it ("ブロ",
  // "縦　" ...), and its English name; empty otherwise. Both name texts of
  // static storage.
  std::string_view word;
  std::string_view technique;
  // The digit: a wrong entry's (the user's own digit), a placement's or a
  // solution cell's from level 2 on; nothing at level 1 for those.
  std::optional<int> digit;
  int candidates = 0;  // SolutionCell: how many candidates the cell has
  NoHintReason reason = NoHintReason::Hinted;
  int solutions = 0;  // of the givens, as checkEntries counts them
  std::string text;   // the hint in Japanese, for numplace-cli
};

// The hint at `level` (taken into 1..3) for the user's position. A wrong
// entry comes first at every level (the first in row-major order).
Hint hintFor(const Grid &givens, const Grid &entries, int level);

// The first placement the "  1　STEP" run makes when started on `position`
// (digits 1..9, 0 empty), or nothing when it stops or ends without one.
std::optional<PlacementRecord> firstStepPlacement(const Grid &position);

// The empty cell with the fewest candidates by the plain row, column and
// block rule (the first in row-major order among equals), and how many it
// has; nothing when no cell is empty.
struct FewestCandidates {
  CellRef cell;
  int candidates = 0;
};
std::optional<FewestCandidates> fewestCandidatesCell(const Grid &position);

// The nine cells of a unit, row-major.
std::vector<CellRef> unitCells(const HintUnit &unit);

// "3行", "4列", "ブロック5".
std::string unitText(const HintUnit &unit);

// "wrong_entry", "placement", "solution_cell", "none".
std::string_view hintKindName(HintKind kind);
// "complete", "no_solution", "clash", "several"; "" for Hinted.
std::string_view noHintReasonName(NoHintReason reason);

}  // namespace numplace
