// The picture of the step family ("  1　STEP" and reference 1): the step
// board at the top left with the digit just placed in red, the step log
// under it, and the candidate-code table at the lower right.
#pragma once

#include <string>

#include "runs/painter.h"
#include "techniques/placement.h"

namespace numplace {

class StepPainter : public Painter {
 public:
  // `redPairMembers`: the table shows the members of naked pairs and triples
  // red (reference 1) instead of the entries that changed blue.
  StepPainter(DrawingSurface &surface, RunResult &result, bool redPairMembers)
      : Painter(surface, result, fonts::kCycle, ColourScheme::Step), redPairMembers_(redPairMembers) {}

  // The step board's frame and the table's frame.
  void opened();
  // The board's digits, at the start of each half of a cycle.
  void boardShown(const BoardCells &board);
  // A scan tested `tests` cells or blocks before it found its placement or
  // gave up; the step family sets the step log's font before each test.
  void cellsTested(int tests);
  // How a placement is reported: its line in the step log, then (after the
  // caller has shown it in Text14) its digit red on the step board.
  // `setFont`: the step log's font is set right before the line.
  void stepLogged(const PlacementRecord &record, bool setFont);
  void digitPlaced(const Placement &p);
  // The table redrawn: the old entries erased, then entryShown() for every
  // cell in row order.
  void tableBegun();
  // `groupKinds`: of how many kinds of unit (row, column, block) the cell is
  // a member of a naked group.
  void entryShown(int row, int column, int leastCode, bool changed, int groupKinds);
  void cellWithoutCandidates();
  // The frame and every cell of the board, empty ones too, at an end-of-run check.
  void boardChecked(const BoardCells &board);
  void stopped();
  void ended();

 private:
  void moveToStepBoard(int row, int column);

  bool redPairMembers_;
  // Where the next step-log line goes: counts from 0.01 by whole steps.
  double logLine_ = 0.01;
  std::string shown_[10][10];  // the table's texts, to be erased before the next
};

}  // namespace numplace
