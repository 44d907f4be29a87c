// "答": passes from the puzzle as entered, each optionally with one trial
// placement from the sorted block pairs; cycles of techniques inside a pass;
// the finished board drawn in colour at the end.
#include <memory>

#include "board/drawing.h"
#include "board/number.h"
#include "board/sources.h"
#include "runs/answer_family.h"
#include "runs/runs.h"

namespace numplace {
namespace {

constexpr int kPassLimit = 50;
constexpr int kTrialPassLimit = 80;
constexpr int kLateStageLimit = 100;

class AnswerRun {
 public:
  AnswerRun(Ports &ports, AnswerStats *stats) : ports_(ports), s_(ports.surface), stats_(stats) {}

  void run() {
    buildColourTable(t_, ColourScheme::Answer);
    s_.clear();
    s_.setFontSize(10);
    s_.setColour(kBlack);
    if (auto error = readPuzzle(ports_.controls, t_)) return showInputError(s_, *error);
    if (auto error = checkExtraGivens(ports_.controls)) return showInputError(s_, *error);

    Step step = Step::Pass;
    while (step != Step::Done) step = perform(step);
  }

 private:
  enum class Step { Pass, Stuck, Contradiction, Solved, FinalDrawing, Stop, End, Done };

  Step perform(Step step) {
    switch (step) {
      case Step::Pass:
        return pass();
      case Step::Stuck:
        return stuck();
      case Step::Contradiction:
        return contradiction();
      case Step::Solved:
        return solved();
      case Step::FinalDrawing:
        return finalDrawing();
      case Step::Stop:
        return stop();
      case Step::End:
        return end();
      case Step::Done:
        break;
    }
    return Step::Done;
  }

  Step pass() {
    if (passNumber_ > kPassLimit) return Step::End;
    initialiseForPass(t_);
    if (stats_ != nullptr) {
      stats_->placements.clear();
      stats_->passes = passNumber_ + 1;
    }
    s_.clear();
    lateStageCount_ = 0;
    s_.setFontSize(14);
    layTrialCode(t_, hasTrial_ ? trialCode_ : 0);
    layExtraGivens(ports_.controls, t_);
    unpackRowCodes(t_);
    if (hasDuplicateGiven(t_)) return Step::End;
    primeLeastCodes(t_);
    return cycles();
  }

  Step cycles() {
    for (;;) {
      clearCycleTables(t_);
      filled_ = s_.keepsDrawing() ? drawBoard(s_, t_, BoardDigits::CountOnly) : filledCells(t_);
      if (filled_ == 81) return Step::Solved;
      s_.setLineWidth(1);
      s_.setFontSize(14);
      s_.setColour(kBlack);

      CycleResult r = answerCycleTechniques(t_);
      if (r.kind == CycleResult::Placed) {
        place(r);
        continue;
      }
      if (r.kind != CycleResult::Continue) return Step::Contradiction;
      ++cycleCount_;
      if (cycleCount_ % 3 != 0) continue;

      r = answerLateTechniques(t_);
      if (r.kind == CycleResult::Placed) {
        place(r);
        continue;
      }
      if (r.kind != CycleResult::Continue) return Step::Contradiction;
      ++lateStageCount_;
      if (lateStageCount_ > kLateStageLimit) return Step::End;
      if (lateStageCount_ % 5 != 0) continue;

      blockPairStage(t_, kStandardBlockPairMarks);
      if (lateStageCount_ % 10 == 0) {
        ++stallCount_;
        if (stallCount_ > 2) return Step::Stuck;
      }
    }
  }

  void place(const CycleResult &r) {
    t_.Board[r.placement.row][r.placement.column] = r.placement.digit;
    if (stats_ != nullptr) ++stats_->placements[std::string(r.word)];
  }

  void setTrialFromEntry(int p) {
    trialCode_ = 100.0 * t_.TrialRow[p] + 10.0 * t_.TrialColumn[p] + t_.TrialDigit[p];
    hasTrial_ = true;
  }

  Step stuck() {
    if (passNumber_ == 0) {
      s_.setFontSize(20);
      trialCount_ = buildTrialList(t_);
      passNumber_ = 1;
      return Step::Pass;
    }
    ++passNumber_;
    if (passNumber_ == trialCount_) return Step::Solved;
    if (passNumber_ > kTrialPassLimit) return Step::End;
    setTrialFromEntry(passNumber_);
    return Step::Pass;
  }

  Step contradiction() {
    if (passNumber_ == 0) return Step::Solved;
    ++passNumber_;
    if (passNumber_ > trialCount_) return Step::Stop;
    setTrialFromEntry(passNumber_);
    return Step::Pass;
  }

  Step solved() {
    s_.moveTo(10000, 9600);
    s_.setColour(kBlack);
    s_.setFontSize(20);
    ++solvedCount_;
    return solvedCount_ != 2 ? Step::Pass : Step::FinalDrawing;
  }

  Step finalDrawing() {
    ports_.controls.setText({"Text1"}, hasTrial_ ? plainNumber(static_cast<std::int64_t>(trialCode_)) : "");
    filled_ = drawBoard(s_, t_, BoardDigits::Print);
    return filled_ == 81 ? Step::End : Step::Stop;
  }

  Step stop() {
    if (passNumber_ != 0) {
      s_.moveTo(10000, 9600);
      s_.setColour(kBlack);
      s_.setFontSize(20);
      s_.print(" いったんstop", Ending::NewLine);
      s_.moveTo(8900, 6880);
      s_.setFontSize(17);
      s_.print("小さめの数字は、ブロック内で二つのもの。", Ending::NewLine);
    }
    return Step::End;
  }

  Step end() {
    s_.moveTo(10000, 9600);
    s_.setColour(kBlack);
    s_.setFontSize(20);
    if (filled_ != 81) s_.print("  エラー  ", Ending::Continue);
    s_.print("終了", Ending::Continue);
    return Step::Done;
  }

  Ports &ports_;
  DrawingSurface &s_;
  AnswerStats *stats_;
  Tables t_;
  int passNumber_ = 0;
  double trialCode_ = 0;
  bool hasTrial_ = false;
  int trialCount_ = 0;
  int solvedCount_ = 0;
  int lateStageCount_ = 0;
  long cycleCount_ = 0;
  int stallCount_ = 0;
  int filled_ = 0;
};

}  // namespace

void runAnswer(Ports &ports, AnswerStats *stats) {
  // The tables are large; keep them off the stack.
  auto run = std::make_unique<AnswerRun>(ports, stats);
  run->run();
}

}  // namespace numplace
