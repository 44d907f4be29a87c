#include "runs/step_painter.h"

#include "board/number.h"
#include "runs/common.h"
#include "runs/report.h"

namespace numplace {

namespace {

const BoardFrame kStepBoardFrame{170, 8950, 170, 170, 4760, 9120, 13710};

// The table's frame: a 3 x 3 grid of blocks.
constexpr double kTableLeft = 6300;
constexpr double kTableRight = 15100;
constexpr double kTableTop = 4850;
constexpr double kTableBottom = 10350;

// The step log runs down three columns of 20 lines; a step that would stand
// on a column's 21st line (exactly 20 or 40 steps, which the count from 0.01
// never is) would not be moved to.
constexpr double kStepLogTop = 5500;
constexpr double kStepLogPitch = 180;

}  // namespace

void StepPainter::opened() {
  drawFrame(s_, kStepBoardFrame);
  s_.setFontSize(fonts::kCycle);
  for (int k = 0; k <= 3; ++k) {
    const double y = kTableTop + k * (kTableBottom - kTableTop) / 3;
    s_.drawLine(kTableLeft, y, kTableRight, y);
  }
  for (int k = 0; k <= 3; ++k) {
    const double x = kTableLeft + k * (kTableRight - kTableLeft) / 3;
    s_.drawLine(x, kTableTop, x, kTableBottom);
  }
}

void StepPainter::boardShown(const BoardCells &board) {
  s_.setLineWidth(1);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      moveToStepBoard(r, c);
      s_.setColour(colours_[static_cast<std::size_t>(board[r][c])]);
      s_.setFontSize(fonts::kStepBoard);
      if (board[r][c] != 0) s_.print(printedNumber(board[r][c]), Ending::NewLine);
    }
  }
  s_.setFontSize(fonts::kCycle);
  s_.setColour(kBlack);
}

void StepPainter::cellsTested(int tests) {
  for (int i = 0; i < tests; ++i) s_.setFontSize(fonts::kStepLog);
}

void StepPainter::stepLogged(const PlacementRecord &record, bool setFont) {
  const double n = logLine_;
  if (n < 20) {
    s_.moveTo(180, kStepLogTop + kStepLogPitch * n);
  } else if (n > 20 && n < 40) {
    s_.moveTo(2300, kStepLogTop + kStepLogPitch * (n - 20));
  } else if (n > 40) {
    s_.moveTo(4600, kStepLogTop + kStepLogPitch * (n - 40));
  }
  logLine_ += 1;
  if (setFont) s_.setFontSize(fonts::kStepLog);
  s_.print(stepLine(record), Ending::NewLine);
}

void StepPainter::digitPlaced(const Placement &p) {
  moveToStepBoard(p.row, p.column);
  s_.setColour(kRed);
  s_.setFontSize(fonts::kStepBoard);
  s_.print(printedNumber(p.digit), Ending::NewLine);
}

void StepPainter::tableBegun() {
  s_.setFontSize(fonts::kCycle);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      moveTo(tableEntryPosition(r, c));
      s_.setColour(kWhite);
      s_.print(shown_[r][c], Ending::NewLine);
    }
  }
}

void StepPainter::entryShown(int row, int column, int leastCode, bool changed, int groupKinds) {
  moveTo(tableEntryPosition(row, column));
  std::string text = formatRight10(leastCode);
  s_.setColour(kBlack);
  if (redPairMembers_) {
    // A cell with one candidate left is not shown as a member.
    if (leastCode >= 10) {
      for (int k = 0; k < groupKinds; ++k) s_.setColour(kRed);
    }
  } else if (changed) {
    s_.setColour(kBlue);
  }
  s_.print(text, Ending::Continue);
  s_.setColour(kBlack);
  shown_[row][column] = std::move(text);
}

void StepPainter::cellWithoutCandidates() {
  moveTo(kTableErrorAt);
  s_.setFontSize(fonts::kBoard);
  printMessage(texts::kError, Ending::NewLine);
}

void StepPainter::boardChecked(const BoardCells &board) {
  drawFrame(s_, kStepBoardFrame);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      moveToStepBoard(r, c);
      s_.setColour(colours_[static_cast<std::size_t>(board[r][c])]);
      s_.setFontSize(fonts::kStepBoard);
      s_.print(printedNumber(board[r][c]), Ending::NewLine);
    }
  }
}

void StepPainter::stopped() {
  beginMessage(kStepStopAt, fonts::kMessage);
  printMessage(texts::kStop, Ending::NewLine);
}

void StepPainter::ended() {
  beginMessage(kStepEndAt, fonts::kMessage);
  printMessage(texts::kEnd, Ending::Continue);
}

void StepPainter::moveToStepBoard(int row, int column) { moveTo(stepBoardDigitPosition(row, column)); }

}  // namespace numplace
