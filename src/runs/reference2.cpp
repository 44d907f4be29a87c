// "参考2 ( ペア)": the answer run's techniques on the puzzle as entered, no
// trials; every placement reported in Text14 and redrawn; at every halt the
// digits with exactly two places in a block are printed small in their cells.
#include <algorithm>

#include "board/drawing.h"
#include "board/number.h"
#include "board/sources.h"
#include "runs/answer_cycle.h"
#include "runs/common.h"
#include "runs/report.h"

namespace numplace {
namespace {

// The sixth pause ends the run.
constexpr int kPauseLimit = 5;
constexpr BlockPairMarks kBlockPairMarks{kRowGroupMark, kColumnGroupMark};

const PromptRequest kPausePrompt{" ブレークポイント　２は終了まで。", "", "１か　２", 8080, 8200};

class Reference2Run {
 public:
  Reference2Run(Ports &ports, RunResult &result) : ports_(ports), s_(ports.surface), result_(result) {}

  void run() {
    result_.reset(RunKind::Reference2);
    ExtraGivens extras;
    if (!startRun(ports_, t_, ColourScheme::Answer, 10, result_, extras)) return;
    result_.passes = 1;
    stepCount_ = 0.01;
    s_.setFontSize(14);
    layExtraGivens(extras, t_);
    unpackRowCodes(t_);
    result_.givens = gridOf(t_);
    if (hasDuplicateGiven(t_)) {
      beginMessage(s_, kAnswerEndAt, 20);
      printMessage(s_, result_, texts::kErrorEnd, Ending::Continue);
      printMessage(s_, result_, texts::kEnd, Ending::Continue);
      result_.end = RunEnd::Inconsistent;
      result_.board = result_.givens;
      return;
    }
    primeLeastCodes(t_);
    while (cycle()) {
    }
    result_.board = gridOf(t_);
    result_.boardShown = true;
    if (filled_ == 81) {
      result_.end = RunEnd::Solved;
    } else {
      result_.end = result_.messages.contains(texts::kError) ? RunEnd::Error : RunEnd::Stopped;
    }
  }

 private:
  // One cycle; false when the run has ended.
  bool cycle() {
    clearCycleTables(t_);
    drawBoard(s_, t_, BoardDigits::Print);
    s_.setLineWidth(1);
    s_.setFontSize(14);
    s_.setColour(kBlack);

    CycleResult r = cycleTechniques(t_);
    if (r.kind == CycleResult::Continue) {
      ++cycleCount_;
      if (!reachesLateStages(cycleCount_)) return true;
      r = lateTechniques(t_);
      if (r.kind == CycleResult::Continue) {
        ++lateStageCount_;
        if (!runsBlockPairs(lateStageCount_)) {
          drawBoard(s_, t_, BoardDigits::Print);
          return true;
        }
        blockPairStage(t_, kBlockPairMarks);
        return pause(true);
      }
    }
    switch (r.kind) {
      case CycleResult::Placed:
        report(r);
        return true;
      case CycleResult::CodeContradiction:
        s_.moveTo(kBoardErrorAt.x, kBoardErrorAt.y);
        s_.setFontSize(40);
        printMessage(s_, result_, texts::kError, Ending::NewLine);
        return pause(false);
      default:
        return pause(false);
    }
  }

  void report(const CycleResult &r) {
    const Placement &p = r.placement;
    t_.Board[p.row][p.column] = p.digit;
    stepCount_ += 1;
    const PlacementRecord record{static_cast<int>(intPart(stepCount_)), p.row, p.column, p.digit, r.word, 0};
    result_.placements.push_back(record);
    ports_.controls.setText({"Text14"}, reportText(record));
  }

  // The pair digits, small in the lower part of their cells, lowest entry
  // first; the second digit of a cell 0.3 cells to the right, every later
  // one 0.6.
  void printPairDigits() {
    s_.setFontSize(20);
    const int last = t_.PairLast;
    std::sort(t_.BlockPairList + 2, t_.BlockPairList + last + 1);
    int previousKey = -1;
    int sameCell = 0;
    for (int i = 2; i <= last; ++i) {
      const int e = t_.BlockPairList[i];
      const int rest = e - 1000 * (e / 1000);
      const int key = rest / 10;
      const int d = rest - 10 * key;
      const int r = key / 10;
      const int c = key - 10 * r;
      double p = c;
      if (key == previousKey) {
        ++sameCell;
        p = c + 0.3 + (sameCell >= 2 ? 0.3 : 0.0);
      } else {
        sameCell = 0;
      }
      previousKey = key;
      s_.moveTo(8556 + 720 * (p - 1), 720.0 * r - 144);
      s_.print(printedNumber(d), Ending::NewLine);
    }
  }

  bool pause(bool withPairDigits) {
    if (withPairDigits) printPairDigits();
    filled_ = drawBoard(s_, t_, BoardDigits::Print);
    if (filled_ == 81) return finish();
    s_.setColour(kBlack);
    s_.moveTo(kLegendAt.x, kLegendAt.y);
    s_.setFontSize(17);
    printMessage(s_, result_, texts::kLegend, Ending::NewLine);
    beginMessage(s_, kAnswerEndAt, 20);
    printMessage(s_, result_, texts::kStop, Ending::NewLine);
    ++pauseCount_;
    if (pauseCount_ > kPauseLimit) return finish();
    if (textToNumber(pauseAnswer_) != 2) pauseAnswer_ = ports_.prompt.ask(kPausePrompt).value_or("");
    clearSurface(s_, result_);
    return true;
  }

  bool finish() {
    beginMessage(s_, kReference2EndAt, 20);
    printMessage(s_, result_, texts::kEnd, Ending::Continue);
    return false;
  }

  Ports &ports_;
  DrawingSurface &s_;
  RunResult &result_;
  Tables t_;
  double stepCount_ = 0;
  long cycleCount_ = 0;
  long lateStageCount_ = 0;
  int pauseCount_ = 0;
  int filled_ = 0;
  std::string pauseAnswer_;
};

}  // namespace

void runReference2(Ports &ports, RunResult &result) { Reference2Run(ports, result).run(); }

}  // namespace numplace
