// "  1　STEP" and "       参考1 (同盟)　　": one placement at a time, each
// reported in the step log, in Text14 and as a red digit on the step board,
// with the candidate-code table and a prompt after every visible change.
#include <memory>
#include <string>

#include "board/drawing.h"
#include "board/number.h"
#include "board/sources.h"
#include "runs/answer_family.h"
#include "runs/runs.h"

namespace numplace {
namespace {

// What makes the reference 1 run differ from the step run.
struct StepStyle {
  BlockPairMarks blockPairMarks;
  bool redPairMembers;  // table: red for pair and triple members, never blue
};
constexpr StepStyle kStepStyle{kStandardBlockPairMarks, false};
constexpr StepStyle kReference1Style{kReference1BlockPairMarks, true};

constexpr int kPromptModeRunThrough = 88;
constexpr int kEndCheckLimit = 3;

const BoardFrame kStepBoardFrame{170, 8950, 170, 170, 4760, 9120, 13710};

std::string stepPromptText() {
  std::string text = " １stepずつ止まります。enterキイでも可。";
  for (int i = 0; i < 13; ++i) text += "\xE3\x80\x80";
  return text + "２は途中までか、終りまで止まりません。";
}

class StepRun {
 public:
  StepRun(Ports &ports, const StepStyle &style) : ports_(ports), s_(ports.surface), style_(style) {}

  void run() {
    buildColourTable(t_, ColourScheme::Step);
    s_.clear();
    s_.setFontSize(14);
    s_.setColour(kBlack);
    if (auto error = readPuzzle(ports_.controls, t_)) return showInputError(s_, *error);
    if (auto error = checkExtraGivens(ports_.controls)) return showInputError(s_, *error);
    drawFrame(s_, kStepBoardFrame);
    stepCount_ = 0.01;
    s_.setFontSize(14);
    layExtraGivens(ports_.controls, t_);
    unpackRowCodes(t_);
    primeLeastCodes(t_);
    drawTableFrame();
    while (cycle() == Next::Restart) {
    }
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
      const auto single = candidatePass(t_, subPass == 1 ? NakedSingles::Hold : NakedSingles::Report, &s_);
      if (single) return report(*single, "基本");
      if (!drawTable()) return Next::Ended;
      if (tableChanged_ && promptMode_ != kPromptModeRunThrough) askStepPrompt();
      tableChanged_ = false;
      if (filledCells(t_) == 81) return finish();
    }
    if (auto p = hiddenSingleInBlocks(t_, &s_)) return report(*p, "ブロ");
    if (auto p = hiddenSingleInRows(t_, &s_)) return report(*p, "よこ");
    columnRecount(t_);
    if (auto p = hiddenSingleInColumns(t_)) {
      return report(*p, "たて", "-", FontAtPrint::Set);
    }
    if (filledCells(t_) == 81) return finish();
    if (nakedPairs(t_) == Outcome::Contradiction) return endOfRunCheck();
    ++cycleCount_;
    if (cycleCount_ % 3 != 0) return Next::Restart;

    if (nakedTriples(t_) == Outcome::Contradiction) return endOfRunCheck();
    if (auto p = digitListSingleInColumns(t_)) {
      return report(*p, "縦　", " - ", FontAtPrint::Set);
    }
    if (auto p = digitListSingleInRows(t_)) {
      return report(*p, "横　", "-", FontAtPrint::Set);
    }
    ++lateStageCount_;
    if (lateStageCount_ % 5 != 0) return Next::Restart;
    blockPairStage(t_, style_.blockPairMarks);
    if (lateStageCount_ % 2 != 0) return Next::Restart;
    return endOfRunCheck();
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

  Next report(const Placement &p, std::string_view word, std::string_view hyphen = "-",
              FontAtPrint font = FontAtPrint::InEffect) {
    moveToStepLog();
    stepCount_ += 1;
    t_.Board[p.row][p.column] = p.digit;
    const auto step = static_cast<std::int64_t>(intPart(stepCount_));
    if (font == FontAtPrint::Set) s_.setFontSize(9);
    s_.print(printedNumber(step) + std::string(word) + printedNumber(p.row) + std::string(hyphen) +
                 printedNumber(p.column) + printedNumber(p.digit),
             Ending::NewLine);
    ports_.controls.setText({"Text14"}, paddedNumber(step) + " " + std::string(word) + paddedNumber(p.row) + "-" +
                                            paddedNumber(p.column) + " " + paddedNumber(p.digit));
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
        if (t_.CandidateCode[r][c] < t_.LeastCode[r][c]) t_.LeastCode[r][c] = t_.CandidateCode[r][c];
        std::string text = formatRight10(t_.LeastCode[r][c]);
        s_.setColour(kBlack);
        if (style_.redPairMembers) {
          if (t_.LeastCode[r][c] >= 10) {
            for (int k = 1; k <= 3; ++k) {
              if (t_.PairMarks[r][c][k] > 996) s_.setColour(kRed);
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
          s_.moveTo(4500, 6000);
          s_.setFontSize(40);
          s_.print("エラー", Ending::NewLine);
          finish();
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
    s_.moveTo(4000, 7600);
    s_.setColour(kBlack);
    s_.setFontSize(20);
    s_.print(" いったんstop", Ending::NewLine);
    return Next::Ended;
  }

  Next finish() {
    s_.moveTo(5000, 5000);
    s_.setColour(kBlack);
    s_.setFontSize(20);
    s_.print("終了", Ending::Continue);
    return Next::Ended;
  }

  Ports &ports_;
  DrawingSurface &s_;
  StepStyle style_;
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

void runStep(Ports &ports) {
  auto run = std::make_unique<StepRun>(ports, kStepStyle);
  run->run();
}

void runReference1(Ports &ports) {
  auto run = std::make_unique<StepRun>(ports, kReference1Style);
  run->run();
}

}  // namespace numplace
