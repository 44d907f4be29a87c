// What the next run lays beyond the digits the grid shows: the extra givens
// of 追加 1 and 追加 2 with what becomes of each, and the boxes whose text the
// runs read otherwise than a person would (a cell holding "12" spills into
// its neighbour, a row box keeps only its lowest nine digits). The status
// bar and the CLI's check name them, so that a clash or a puzzle nobody
// typed is never reported without its cause.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "board/ports.h"
#include "check/check.h"

namespace numplace {

struct ExtraGivenNote {
  enum class Effect {
    Laid,        // the digit goes onto the board
    Overridden,  // the puzzle (or 追加 2) has a digit at that cell, which wins
    Clash,       // laid, and the same digit stands in its row, column or block
    OutOfRange,  // not a code of a cell and a digit 1 to 9: nothing goes onto the board, or the run stops
  };
  ControlRef box;  // Text1 or Text2
  std::string text;
  int row = 0;  // as the runs take the code apart
  int column = 0;
  int digit = 0;
  Effect effect = Effect::Laid;
  bool overriddenBySecond = false;  // Overridden: by 追加 2 rather than the puzzle
  bool writtenByAnswer = false;     // the trial code the last 答 wrote
};

struct CellWarning {
  enum class Why { SeveralDigits, Negative, TooLong };
  ControlRef box;  // Text15(cell) or Text5(row)
  std::string text;
  Why why = Why::SeveralDigits;
};

struct BeyondGrid {
  std::vector<ExtraGivenNote> extras;
  std::vector<CellWarning> warnings;
};

// `report` is examinePuzzle's of the same controls; `answerTrial` the text
// the last 答 wrote into Text1 (empty when none). Extra givens that read as 0
// (the start-up texts among them) lay nothing and are not named.
BeyondGrid describeBeyondGrid(const Controls &controls, const FileReader &files, const PuzzleReport &report,
                              std::string_view answerTrial = {});

// "laid", "overridden", "clash", "out_of_range".
std::string_view effectName(ExtraGivenNote::Effect effect);
// "several_digits", "negative", "too_long".
std::string_view warningName(CellWarning::Why why);

}  // namespace numplace
