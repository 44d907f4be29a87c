// The picture of the answer family ("答" and reference 2): the standard board
// at the right, redrawn as the run goes; the messages under it; at a halt of
// reference 2 the digits that have two places in a block, small in their cells.
#pragma once

#include <span>

#include "runs/painter.h"

namespace numplace {

struct AnswerPictureStyle {
  // The answer run's cycles draw the grid without digits, reference 2's with them.
  BoardDigits cycleDigits;
  // The grid a cycle draws is covered by the next cycle's, and the window
  // cannot show it during a run: a caller that needs only the final picture
  // has it drawn once, before what stands on it at the end.
  bool skipCycleGrid;
};

// A digit printed small at a halt of reference 2.
struct BlockPairDigit {
  int row, column, digit;
};

class AnswerPainter : public Painter {
 public:
  AnswerPainter(DrawingSurface &surface, RunResult &result, AnswerPictureStyle style)
      : Painter(surface, result, fonts::kAnswerStart, ColourScheme::Answer), style_(style) {}

  void passStarted();
  void cycleStarted(const BoardCells &board);
  // The cycle goes on to the techniques (the board is not yet full).
  void cycleGoesOn();
  // The first pass is stuck: the trial placements begin.
  void trialsBegin();
  // The board was found full or the run has no more to try.
  void solvedSeen();
  // The last pass again, as it went, with `cycles` cycles that went on to the
  // techniques: what running it again would draw when the cycles' grid is left out.
  void passRepeated(int cycles);
  void finalBoard(const BoardCells &board);
  // " いったんstop" and the legend, after trial placements that did not solve the puzzle.
  void stopped(const BoardCells &board, bool afterTrials);
  // "終了", after "  エラー  " when the board is not full.
  void ended(const BoardCells &board, bool complete);

  // Reference 2.
  void opened();
  void boardRedrawn(const BoardCells &board);
  void cellWithoutCandidates();
  void pairDigitsShown(std::span<const BlockPairDigit> digits);
  void paused();
  void resumed();
  void finished();

 private:
  void drawGrid(const BoardCells &board, BoardDigits digits);
  // The grid that the cycles would have left, drawn before what stands on it.
  void settleGrid(const BoardCells &board);

  AnswerPictureStyle style_;
  bool gridOwed_ = false;
};

}  // namespace numplace
