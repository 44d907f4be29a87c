// What a run found, as data: how it ended, the boards, the trial code, the
// passes and every placement in order. The CLI's summary, batch lines,
// statistics and exports are made from this, never from the drawing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "board/input_error.h"
#include "board/puzzle_source.h"

namespace numplace {

enum class RunKind { Answer, Step, Reference1, Reference2 };

enum class RunEnd {
  Solved,        // the board is full: "終了"
  Stopped,       // " いったんstop": the answer run's trials, the step family's end checks
                 // or reference 2's pauses ran out
  Error,         // "エラー" / "  エラー  ": a contradiction, or a limit of the answer run
  Inconsistent,  // a digit twice in a unit of the givens: "  エラー  " and "終了" alone; or a
                 // full board that is no valid grid extending the givens, whatever it shows
  BadInput,      // the puzzle or an extra given cannot be used; `message` says why
};

struct PlacementRecord {
  int step = 0;  // the step number the run reports (the answer run: the count within its pass)
  int row = 0;
  int column = 0;
  int digit = 0;
  std::string_view word;  // the technique word, exactly as the run reports it
  int pass = 0;           // the answer run's pass number; 0 in the other runs
  friend bool operator==(const PlacementRecord &, const PlacementRecord &) = default;
};

// 81 cells row by row, 0 for an empty cell.
using Grid = std::array<std::uint8_t, 81>;

// Whether `board` is a full, valid grid (every row, column and block holds
// 1..9 once) that keeps every digit of `givens`: the only board a run may
// call solved. A full board on clashing givens is not one.
bool completesGivens(const Grid &board, const Grid &givens);

// The texts a run printed as messages since its last clearing of the
// surface, in order: what the window shows below the boards.
class ShownMessages {
 public:
  void clear() { count_ = 0; }
  void add(std::string_view text) {
    if (count_ < texts_.size()) texts_[count_++] = text;
  }
  std::span<const std::string_view> texts() const { return {texts_.data(), count_}; }

 private:
  std::array<std::string_view, 8> texts_{};
  std::size_t count_ = 0;
};

struct RunResult {
  RunKind run = RunKind::Answer;
  RunEnd end = RunEnd::Solved;
  std::string message;      // with BadInput: the message shown on the window
  PuzzleSource source;      // where the puzzle was read from (also when its content was bad)
  Grid givens{};            // the board as first laid: the puzzle and the extra givens
  Grid board{};             // the board when the run ended
  bool boardShown = false;  // the window shows `board` at the end (else a board without digits)
  // With BadInput: why, as data; `message` is its text.
  std::optional<InputError> inputError;
  // The answer run's final drawing writes Text1: the trial code, or empty
  // text when no trial was made (nothing when it was not reached).
  bool wroteText1 = false;
  std::optional<int> trialCode;
  // The answer run: its last pass number + 1 (a solved pass repeated counts
  // once); 1 for the other runs, 0 when the input was bad.
  int passes = 0;
  std::vector<PlacementRecord> placements;
  std::size_t lastPassBegin = 0;  // where the placements of the last pass started
  ShownMessages messages;

  // The placements of the pass that produced the final board.
  std::span<const PlacementRecord> lastPassPlacements() const {
    return std::span<const PlacementRecord>(placements).subspan(lastPassBegin);
  }
  // Empties the result for the next run, keeping what it has allocated.
  void reset(RunKind kind);
};

}  // namespace numplace
