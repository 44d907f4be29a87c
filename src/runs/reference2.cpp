// "参考2 ( ペア)": the answer run's techniques on the puzzle as entered, no
// trials; every placement reported in Text14 and redrawn; at every halt the
// digits with exactly two places in a block are printed small in their cells.
#include <algorithm>
#include <memory>

#include "board/drawing.h"
#include "board/number.h"
#include "board/sources.h"
#include "runs/answer_family.h"
#include "runs/runs.h"

namespace numplace {
namespace {

constexpr int kPauseLimit = 5;

class Reference2Run {
 public:
  explicit Reference2Run(Ports &ports) : ports_(ports), s_(ports.surface) {}

  void run() {
    buildColourTable(t_, ColourScheme::Answer);
    s_.clear();
    s_.setFontSize(10);
    s_.setColour(kBlack);
    if (auto error = readPuzzle(ports_.controls, t_)) return showInputError(s_, *error);
    if (auto error = checkExtraGivens(ports_.controls)) return showInputError(s_, *error);
    stepCount_ = 0.01;
    s_.setFontSize(14);
    layExtraGivens(ports_.controls, t_);
    unpackRowCodes(t_);
    if (hasDuplicateGiven(t_)) {
      s_.moveTo(10000, 9600);
      s_.setColour(kBlack);
      s_.setFontSize(20);
      s_.print("  エラー  ", Ending::Continue);
      s_.print("終了", Ending::Continue);
      return;
    }
    primeLeastCodes(t_);
    while (cycle()) {
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

    CycleResult r = answerCycleTechniques(t_);
    if (r.kind == CycleResult::Continue) {
      ++cycleCount_;
      if (cycleCount_ % 3 != 0) return true;
      r = answerLateTechniques(t_);
      if (r.kind == CycleResult::Continue) {
        ++lateStageCount_;
        if (lateStageCount_ % 5 != 0) {
          drawBoard(s_, t_, BoardDigits::Print);
          return true;
        }
        blockPairStage(t_, kStandardBlockPairMarks);
        return pause(true);
      }
    }
    switch (r.kind) {
      case CycleResult::Placed:
        report(r);
        return true;
      case CycleResult::CodeContradiction:
        s_.moveTo(4500, 8000);
        s_.setFontSize(40);
        s_.print("エラー", Ending::NewLine);
        return pause(false);
      default:
        return pause(false);
    }
  }

  void report(const CycleResult &r) {
    const Placement &p = r.placement;
    t_.Board[p.row][p.column] = p.digit;
    stepCount_ += 1;
    const auto whole = static_cast<std::int64_t>(intPart(stepCount_));
    ports_.controls.setText({"Text14"}, paddedNumber(whole) + " " + std::string(r.word) + paddedNumber(p.row) + "-" +
                                            paddedNumber(p.column) + " " + paddedNumber(p.digit));
  }

  // The pair digits, small in the lower part of their cells, lowest entry first.
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
    const int filled = drawBoard(s_, t_, BoardDigits::Print);
    if (filled == 81) return finish();
    s_.setColour(kBlack);
    s_.moveTo(8900, 6880);
    s_.setFontSize(17);
    s_.print("小さめの数字は、ブロック内で二つのもの。", Ending::NewLine);
    s_.moveTo(10000, 9600);
    s_.setColour(kBlack);
    s_.setFontSize(20);
    s_.print(" いったんstop", Ending::NewLine);
    ++pauseCount_;
    if (pauseCount_ > kPauseLimit) return finish();
    if (textToNumber(pauseAnswer_) != 2) {
      const PromptRequest request{" ブレークポイント　２は終了まで。", "", "１か　２", 8080, 8200};
      pauseAnswer_ = ports_.prompt.ask(request).value_or("");
    }
    s_.clear();
    return true;
  }

  bool finish() {
    s_.moveTo(10000, 9000);
    s_.setColour(kBlack);
    s_.setFontSize(20);
    s_.print("終了", Ending::Continue);
    return false;
  }

  Ports &ports_;
  DrawingSurface &s_;
  Tables t_;
  double stepCount_ = 0;
  long cycleCount_ = 0;
  long lateStageCount_ = 0;
  int pauseCount_ = 0;
  std::string pauseAnswer_;
};

}  // namespace

void runReference2(Ports &ports) {
  auto run = std::make_unique<Reference2Run>(ports);
  run->run();
}

}  // namespace numplace
