// "参考2 ( ペア)": the answer run's techniques on the puzzle as entered, no
// trials; every placement reported in Text14 and redrawn; at every halt the
// digits with exactly two places in a block are printed small in their cells.
#include <vector>

#include "board/layout.h"
#include "board/number.h"
#include "board/sources.h"
#include "runs/answer_painter.h"
#include "runs/common.h"
#include "runs/cycle.h"
#include "runs/report.h"
#include "runs/stages.h"
#include "techniques/block_pairs.h"

namespace numplace {
namespace {

// The sixth pause ends the run.
constexpr int kPauseLimit = 5;
constexpr BlockPairMarks kBlockPairMarks{kRowGroupMark, kColumnGroupMark};

const PromptRequest kPausePrompt{" ブレークポイント　２は終了まで。", "", "１か　２", 8080, 8200};

class Reference2Run {
 public:
  Reference2Run(Ports &ports, RunResult &result)
      : ports_(ports), painter_(ports.surface, result, {BoardDigits::Print, false}), result_(result) {}

  void run() {
    result_.reset(RunKind::Reference2);
    ExtraGivens extras;
    if (!startRun(ports_, t_, painter_, result_, extras)) return;
    result_.passes = 1;
    painter_.opened();
    layExtraGivens(extras, t_);
    unpackRowCodes(t_);
    result_.givens = gridOf(t_);
    if (hasDuplicateGiven(t_)) {
      painter_.ended(t_.Board, false);
      result_.end = RunEnd::Inconsistent;
      result_.board = result_.givens;
      return;
    }
    primeLeastCodes(t_);
    while (cycle()) {
    }
    result_.board = gridOf(t_);
    result_.boardShown = true;
  }

  // The stages of a cycle, as runCycle calls them.
  static constexpr bool kRestartOnChange = false;
  StageResult singles() { return answerSingles(t_); }
  StageResult pairs() { return nakedPairStage(t_); }
  Gate lateStageGate() { return reachesLateStages(++cycleCount_) ? Gate::Open : Gate::NextCycle; }
  StageResult triples() { return nakedTripleStage(t_); }
  StageResult digitLists() { return answerDigitLists(t_); }
  // There is no limit on the late stages.
  Gate blockPairGate() { return runsBlockPairs(++lateStageCount_) ? Gate::Open : Gate::NextCycle; }
  StageResult blockPairs() { return blockPairStageResult(t_, kBlockPairMarks); }

 private:
  // Why the run halts at a pause.
  enum class Halt {
    BlockPairs,             // every fifth late stage: the pair digits shown
    CellWithoutCandidates,  // "エラー" shown, no pair digits
    Contradiction,          // a pair or triple count: no pair digits
  };

  // One cycle; false when the run has ended.
  bool cycle() {
    t_.resetForCycle();
    painter_.cycleStarted(t_.Board);
    painter_.cycleGoesOn();
    const CycleEnd e = runCycle(*this);
    switch (e.kind) {
      case CycleEnd::Placed:
        report(e.found);
        return true;
      case CycleEnd::Contradiction:
        if (!e.found.cellWithoutCandidates) return pause(Halt::Contradiction);
        painter_.cellWithoutCandidates();
        return pause(Halt::CellWithoutCandidates);
      case CycleEnd::Through:
        return pause(Halt::BlockPairs);
      case CycleEnd::NextCycle:
        // The next cycle draws the board again.
        if (e.stage == Stage::BlockPairs) painter_.boardRedrawn(t_.Board);
        return true;
      case CycleEnd::Changed:
      case CycleEnd::Leave:
      case CycleEnd::Ended:
        break;
    }
    return true;
  }

  void report(const StageResult &r) {
    const Placement &p = r.placement;
    t_.Board[p.row][p.column] = p.digit;
    const PlacementRecord record{++steps_, p.row, p.column, p.digit, r.word, 0};
    result_.placements.push_back(record);
    ports_.controls.setText(controls::Text14, reportText(record));
  }

  // The digits with two places in a block, in the order of the sorted
  // block-pair list.
  void showPairDigits() {
    pairDigits_.clear();
    for (const int entry : sortedBlockPairs(t_)) {
      const BlockPairEntry e = blockPairEntry(entry);
      pairDigits_.push_back({e.row, e.column, e.digit});
    }
    painter_.pairDigitsShown(pairDigits_);
  }

  bool pause(Halt halt) {
    if (halt == Halt::BlockPairs) showPairDigits();
    painter_.boardRedrawn(t_.Board);
    if (filledCells(t_) == 81) {
      // A full board on clashing givens is drawn as any other; it is no solution.
      result_.end = completesGivens(gridOf(t_), result_.givens) ? RunEnd::Solved : RunEnd::Inconsistent;
      return finish();
    }
    painter_.paused();
    ++pauseCount_;
    if (pauseCount_ > kPauseLimit) {
      result_.end = halt == Halt::CellWithoutCandidates ? RunEnd::Error : RunEnd::Stopped;
      return finish();
    }
    if (textToNumber(pauseAnswer_) != 2) pauseAnswer_ = ports_.prompt.ask(kPausePrompt).value_or("");
    painter_.resumed();
    return true;
  }

  bool finish() {
    painter_.finished();
    return false;
  }

  Ports &ports_;
  AnswerPainter painter_;
  RunResult &result_;
  Tables t_;
  int steps_ = 0;
  long cycleCount_ = 0;
  long lateStageCount_ = 0;
  int pauseCount_ = 0;
  std::string pauseAnswer_;
  std::vector<BlockPairDigit> pairDigits_;
};

}  // namespace

void runReference2(Ports &ports, RunResult &result) { Reference2Run(ports, result).run(); }

}  // namespace numplace
