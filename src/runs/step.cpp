// "  1　STEP" and "       参考1 (同盟)　　": one placement at a time, each
// reported in the step log, in Text14 and as a red digit on the step board,
// with the candidate-code table and a prompt after every visible change.
#include <string>

#include "board/drawing.h"
#include "board/number.h"
#include "board/sources.h"
#include "runs/answer_cycle.h"
#include "runs/common.h"
#include "runs/report.h"

namespace numplace {
namespace {

// What makes the reference 1 run differ from the step run.
struct StepStyle {
  RunKind run;
  BlockPairMarks blockPairMarks;
  bool redPairMembers;  // table: red for pair and triple members, never blue
};
constexpr StepStyle kStepStyle{RunKind::Step, {kRowGroupMark, kColumnGroupMark}, false};
constexpr StepStyle kReference1Style{RunKind::Reference1, {kRowBlockPairMark, kColumnBlockPairMark}, true};

constexpr int kPromptModeRunThrough = 88;
// The fourth end-of-run check that finds the board incomplete stops the run.
constexpr int kEndCheckLimit = 3;
constexpr double kStepFont = 9;  // the step log

const BoardFrame kStepBoardFrame{170, 8950, 170, 170, 4760, 9120, 13710};

std::string stepPromptText() {
  std::string text = " １stepずつ止まります。enterキイでも可。";
  for (int i = 0; i < 13; ++i) text += "\xE3\x80\x80";
  return text + "２は途中までか、終りまで止まりません。";
}

class StepRun {
 public:
  StepRun(Ports &ports, const StepStyle &style, RunResult &result)
      : ports_(ports), s_(ports.surface), style_(style), result_(result) {}

  void run() {
    result_.reset(style_.run);
    ExtraGivens extras;
    if (!startRun(ports_, t_, ColourScheme::Step, 14, result_, extras)) return;
    result_.passes = 1;
    drawFrame(s_, kStepBoardFrame);
    stepCount_ = 0.01;
    s_.setFontSize(14);
    layExtraGivens(extras, t_);
    unpackRowCodes(t_);
    result_.givens = gridOf(t_);
    primeLeastCodes(t_);
    drawTableFrame();
    while (cycle() == Next::Restart) {
    }
    result_.board = gridOf(t_);
    result_.boardShown = true;
  }

 private:
  enum class Next { Restart, Ended };

  void drawTableFrame() {
    for (int k = 0; k <= 3; ++k) {
      const double y = 4850 + k * 5500.0 / 3;
      s_.drawLine(6300, y, 15100, y);
    }
    for (int k = 0; k <= 3; ++k) {
      const double x = 6300 + k * 8800.0 / 3;
      s_.drawLine(x, 4850, x, 10350);
    }
  }

  Next cycle() {
    for (int subPass = 1; subPass <= 2; ++subPass) {
      clearCycleTables(t_);
      s_.setLineWidth(1);
      for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
          moveToStepBoard(r, c);
          s_.setColour(t_.ColourTable[t_.Board[r][c]]);
          s_.setFontSize(30);
          if (t_.Board[r][c] != 0) s_.print(printedNumber(t_.Board[r][c]), Ending::NewLine);
        }
      }
      s_.setFontSize(14);
      s_.setColour(kBlack);
      if (subPass == 1) {
        candidatePass(t_, NakedSingles::Hold);
      } else {
        // The naked single is tested cell by cell, font size 9 set before each test.
        const Scan single = candidatePass(t_, NakedSingles::Place);
        setStepFont(single.tested);
        if (single.placement) return report(*single.placement, words::kNakedSingle);
      }
      if (!drawTable()) return Next::Ended;
      if (tableChanged_ && promptMode_ != kPromptModeRunThrough) askStepPrompt();
      tableChanged_ = false;
      if (filledCells(t_) == 81) return finish();
    }
    // The block singles set font size 9 before each block's test, the row
    // singles once before their scan.
    const Scan block = hiddenSingleInBlocks(t_);
    setStepFont(block.tested);
    if (block.placement) return report(*block.placement, words::kBlockSingle);
    setStepFont(1);
    if (auto p = hiddenSingleInRows(t_)) return report(*p, words::kRowSingle);
    columnRecount(t_);
    if (auto p = hiddenSingleInColumns(t_)) return report(*p, words::kColumnSingle, FontAtPrint::Set);
    if (filledCells(t_) == 81) return finish();
    if (nakedPairs(t_) == Outcome::Contradiction) return endOfRunCheck();
    ++cycleCount_;
    if (!reachesLateStages(cycleCount_)) return Next::Restart;

    if (nakedTriples(t_) == Outcome::Contradiction) return endOfRunCheck();
    if (auto p = digitListSingleInColumns(t_)) return report(*p, words::kColumnListStep, FontAtPrint::Set);
    if (auto p = digitListSingleInRows(t_)) return report(*p, words::kRowListStep, FontAtPrint::Set);
    ++lateStageCount_;
    if (!runsBlockPairs(lateStageCount_)) return Next::Restart;
    blockPairStage(t_, style_.blockPairMarks);
    if (!isStallSweep(lateStageCount_)) return Next::Restart;
    return endOfRunCheck();
  }

  void setStepFont(int times) {
    for (int i = 0; i < times; ++i) s_.setFontSize(kStepFont);
  }

  // The step-log line for the step about to be reported.
  void moveToStepLog() {
    const double n = stepCount_;
    if (n < 20) {
      s_.moveTo(180, 5500 + 180 * n);
    } else if (n > 20 && n < 40) {
      s_.moveTo(2300, 5500 + 180 * (n - 20));
    } else if (n > 40) {
      s_.moveTo(4600, 5500 + 180 * (n - 40));
    }
  }

  // The singles of blocks and rows and the naked single have set font size 9
  // during their scans; the column single and the digit-list singles set it
  // right before the step line is printed.
  enum class FontAtPrint { InEffect, Set };

  Next report(const Placement &p, std::string_view word, FontAtPrint font = FontAtPrint::InEffect) {
    moveToStepLog();
    stepCount_ += 1;
    t_.Board[p.row][p.column] = p.digit;
    const PlacementRecord record{static_cast<int>(intPart(stepCount_)), p.row, p.column, p.digit, word, 0};
    result_.placements.push_back(record);
    if (font == FontAtPrint::Set) s_.setFontSize(kStepFont);
    s_.print(stepLine(record), Ending::NewLine);
    ports_.controls.setText({"Text14"}, reportText(record));
    moveToStepBoard(p.row, p.column);
    s_.setColour(kRed);
    s_.setFontSize(30);
    s_.print(printedNumber(p.digit), Ending::NewLine);
    if (promptMode_ != kPromptModeRunThrough) askStepPrompt();
    return Next::Restart;
  }

  void askStepPrompt() {
    const PromptRequest request{stepPromptText(), "999", "1か２", 0, 9100};
    const auto answer = ports_.prompt.ask(request);
    if (answer && textToNumber(*answer) == 2) promptMode_ = kPromptModeRunThrough;
  }

  // The candidate-code table: old texts erased in white, each cell's least
  // code drawn, changed entries (or, for reference 1, pair members) coloured.
  // False when a cell has no candidate left and the run has ended.
  bool drawTable() {
    s_.setFontSize(14);
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        moveToTableCell(r, c);
        s_.setColour(kWhite);
        s_.print(shown_[r][c], Ending::NewLine);
      }
    }
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        moveToTableCell(r, c);
        t_.CandidateCode[r][c] = cellCode(t_, r, c);
        lowerLeastCode(t_, r, c);
        std::string text = formatRight10(t_.LeastCode[r][c]);
        s_.setColour(kBlack);
        if (style_.redPairMembers) {
          if (t_.LeastCode[r][c] >= 10) {
            for (const UnitKind kind : {UnitKind::Row, UnitKind::Column, UnitKind::Block}) {
              if (isGroupMember(t_.PairMarks[r][c][kindIndex(kind)])) s_.setColour(kRed);
            }
          }
          if (text != shown_[r][c]) tableChanged_ = true;
        } else if (text != shown_[r][c]) {
          s_.setColour(kBlue);
          tableChanged_ = true;
        }
        s_.print(text, Ending::Continue);
        s_.setColour(kBlack);
        shown_[r][c] = std::move(text);
        if (t_.LeastCode[r][c] == 0) {
          s_.moveTo(kTableErrorAt.x, kTableErrorAt.y);
          s_.setFontSize(40);
          printMessage(s_, result_, texts::kError, Ending::NewLine);
          finish();
          result_.end = RunEnd::Error;
          return false;
        }
      }
    }
    return true;
  }

  void moveToTableCell(int r, int c) {
    const Point at = tableEntryPosition(r, c);
    s_.moveTo(at.x, at.y);
  }

  void moveToStepBoard(int r, int c) {
    const Point at = stepBoardDigitPosition(r, c);
    s_.moveTo(at.x, at.y);
  }

  Next endOfRunCheck() {
    drawFrame(s_, kStepBoardFrame);
    int n = 0;
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        moveToStepBoard(r, c);
        s_.setColour(t_.ColourTable[t_.Board[r][c]]);
        s_.setFontSize(30);
        s_.print(printedNumber(t_.Board[r][c]), Ending::NewLine);
        if (t_.Board[r][c] != 0) ++n;
      }
    }
    if (n == 81) return finish();
    ++endCheckCount_;
    if (endCheckCount_ <= kEndCheckLimit) return Next::Restart;
    beginMessage(s_, kStepStopAt, 20);
    printMessage(s_, result_, texts::kStop, Ending::NewLine);
    result_.end = RunEnd::Stopped;
    return Next::Ended;
  }

  // "終了": the board is complete, or a cell had no candidate left.
  Next finish() {
    beginMessage(s_, kStepEndAt, 20);
    printMessage(s_, result_, texts::kEnd, Ending::Continue);
    return Next::Ended;
  }

  Ports &ports_;
  DrawingSurface &s_;
  StepStyle style_;
  RunResult &result_;
  Tables t_;
  std::string shown_[10][10];
  double stepCount_ = 0;
  int promptMode_ = 0;
  bool tableChanged_ = false;
  long cycleCount_ = 0;
  long lateStageCount_ = 0;
  int endCheckCount_ = 0;
};

}  // namespace

void runStep(Ports &ports, RunResult &result) { StepRun(ports, kStepStyle, result).run(); }

void runReference1(Ports &ports, RunResult &result) { StepRun(ports, kReference1Style, result).run(); }

}  // namespace numplace
