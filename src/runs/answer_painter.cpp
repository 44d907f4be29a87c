#include "runs/answer_painter.h"

#include "board/number.h"
#include "runs/common.h"

namespace numplace {

namespace {
// A pair digit stands in the lower part of its cell; `place` is its column,
// moved right by 0.3 cells for the second digit of a cell and 0.6 for later ones.
Point pairDigitPosition(int row, double place) { return {8556 + 720 * (place - 1), 720.0 * row - 144}; }
}  // namespace

void AnswerPainter::passStarted() {
  clear();
  gridOwed_ = false;
  s_.setFontSize(fonts::kCycle);
}

void AnswerPainter::cycleStarted(const BoardCells &board) {
  if (style_.skipCycleGrid) {
    gridOwed_ = true;
  } else {
    drawGrid(board, style_.cycleDigits);
  }
}

void AnswerPainter::cycleGoesOn() {
  s_.setLineWidth(1);
  s_.setFontSize(fonts::kCycle);
  s_.setColour(kBlack);
}

void AnswerPainter::trialsBegin() { s_.setFontSize(fonts::kMessage); }

void AnswerPainter::solvedSeen() { beginMessage(kAnswerEndAt, fonts::kMessage); }

void AnswerPainter::passRepeated(int cycles) {
  clear();
  s_.setFontSize(fonts::kCycle);
  // Nothing is drawn between the cycles' settings when their grid is left
  // out: setting them once leaves the surface as all of them would.
  if (cycles > 0) cycleGoesOn();
  gridOwed_ = true;
}

void AnswerPainter::finalBoard(const BoardCells &board) { drawGrid(board, BoardDigits::Print); }

void AnswerPainter::stopped(const BoardCells &board, bool afterTrials) {
  settleGrid(board);
  if (!afterTrials) return;
  beginMessage(kAnswerEndAt, fonts::kMessage);
  printMessage(texts::kStop, Ending::NewLine);
  moveTo(kLegendAt);
  s_.setFontSize(fonts::kLegend);
  printMessage(texts::kLegend, Ending::NewLine);
}

void AnswerPainter::ended(const BoardCells &board, bool complete) {
  settleGrid(board);
  beginMessage(kAnswerEndAt, fonts::kMessage);
  if (!complete) printMessage(texts::kErrorEnd, Ending::Continue);
  printMessage(texts::kEnd, Ending::Continue);
}

void AnswerPainter::opened() { s_.setFontSize(fonts::kCycle); }

void AnswerPainter::boardRedrawn(const BoardCells &board) { drawGrid(board, BoardDigits::Print); }

void AnswerPainter::cellWithoutCandidates() {
  moveTo(kBoardErrorAt);
  s_.setFontSize(fonts::kBoard);
  printMessage(texts::kError, Ending::NewLine);
}

void AnswerPainter::pairDigitsShown(std::span<const BlockPairDigit> digits) {
  s_.setFontSize(fonts::kMessage);
  const BlockPairDigit *previous = nullptr;
  int sameCell = 0;
  for (const BlockPairDigit &p : digits) {
    double place = p.column;
    if (previous != nullptr && previous->row == p.row && previous->column == p.column) {
      ++sameCell;
      place = p.column + 0.3 + (sameCell >= 2 ? 0.3 : 0.0);
    } else {
      sameCell = 0;
    }
    previous = &p;
    moveTo(pairDigitPosition(p.row, place));
    s_.print(printedNumber(p.digit), Ending::NewLine);
  }
}

void AnswerPainter::paused() {
  s_.setColour(kBlack);
  moveTo(kLegendAt);
  s_.setFontSize(fonts::kLegend);
  printMessage(texts::kLegend, Ending::NewLine);
  beginMessage(kAnswerEndAt, fonts::kMessage);
  printMessage(texts::kStop, Ending::NewLine);
}

void AnswerPainter::resumed() { clear(); }

void AnswerPainter::finished() {
  beginMessage(kReference2EndAt, fonts::kMessage);
  printMessage(texts::kEnd, Ending::Continue);
}

void AnswerPainter::drawGrid(const BoardCells &board, BoardDigits digits) {
  drawBoard(s_, board, colours_, digits);
  gridOwed_ = false;
}

void AnswerPainter::settleGrid(const BoardCells &board) {
  if (gridOwed_) drawGrid(board, BoardDigits::CountOnly);
}

}  // namespace numplace
