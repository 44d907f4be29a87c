// "  1　STEP" and "       参考1 (同盟)　　": one placement at a time, each
// reported in the step log, in Text14 and as a red digit on the step board,
// with the candidate-code table and a prompt after every visible change.
#include <string>

#include "board/layout.h"
#include "board/number.h"
#include "board/sources.h"
#include "runs/common.h"
#include "runs/cycle.h"
#include "runs/report.h"
#include "runs/stages.h"
#include "runs/step_painter.h"

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

std::string stepPromptText() {
  std::string text = " １stepずつ止まります。enterキイでも可。";
  for (int i = 0; i < 13; ++i) text += "\xE3\x80\x80";
  return text + "２は途中までか、終りまで止まりません。";
}

class StepRun {
 public:
  StepRun(Ports &ports, const StepStyle &style, RunResult &result)
      : ports_(ports), painter_(ports.surface, result, style.redPairMembers), style_(style), result_(result) {}

  void run() {
    result_.reset(style_.run);
    ExtraGivens extras;
    if (!startRun(ports_, t_, painter_, result_, extras)) return;
    result_.passes = 1;
    painter_.opened();
    layExtraGivens(extras, t_);
    unpackRowCodes(t_);
    result_.givens = gridOf(t_);
    primeLeastCodes(t_);
    while (cycle() == Next::Restart) {
    }
    result_.board = gridOf(t_);
    result_.boardShown = true;
  }

 private:
  enum class Next { Restart, Ended };

  Next cycle() {
    const CycleEnd e = runCycle(*this);
    switch (e.kind) {
      case CycleEnd::Placed:
        return report(e.found.placement, e.found.word);
      case CycleEnd::Contradiction:
        // Three cells of a unit with one pair code, or a triple's digits in
        // more than three cells: the end-of-run check at once.
        return endOfRunCheck();
      case CycleEnd::Ended:
        return Next::Ended;
      case CycleEnd::Through:
        return isStallSweep(lateStageCount_) ? endOfRunCheck() : Next::Restart;
      case CycleEnd::NextCycle:
      case CycleEnd::Changed:  // the run goes on after a change
      case CycleEnd::Leave:    // no limit of its own
        break;
    }
    return Next::Restart;
  }

 public:
  // The stages of a cycle, as runCycle calls them.
  static constexpr bool kRestartOnChange = false;

  // Two sub-passes, each with the candidates made afresh and the table
  // shown; the second places the first naked single. Then the hidden singles
  // of blocks, rows and columns. The run ends when the table meets a cell
  // without candidates or the board is full.
  StageResult singles() {
    for (int subPass = 1; subPass <= 2; ++subPass) {
      t_.resetForCycle();
      painter_.boardShown(t_.Board);
      if (subPass == 1) {
        candidatePass(t_, NakedSingles::Hold);
      } else {
        // The naked single is tested cell by cell, font size 9 set before each test.
        const Scan single = candidatePass(t_, NakedSingles::Place);
        painter_.cellsTested(single.tested);
        if (single.placement) return StageResult::placed(*single.placement, words::kNakedSingle);
      }
      if (!refreshTable()) return StageResult::ended();
      if (tableChanged_ && promptMode_ != kPromptModeRunThrough) askStepPrompt();
      tableChanged_ = false;
      if (filledCells(t_) == 81) return boardFull();
    }
    // The block singles set font size 9 before each block's test, the row
    // singles once before their scan.
    const Scan block = hiddenSingleInBlocks(t_);
    painter_.cellsTested(block.tested);
    if (block.placement) return StageResult::placed(*block.placement, words::kBlockSingle);
    painter_.cellsTested(1);
    if (auto p = hiddenSingleInRows(t_)) return StageResult::placed(*p, words::kRowSingle);
    columnRecount(t_);
    if (auto p = hiddenSingleInColumns(t_)) return StageResult::placed(*p, words::kColumnSingle);
    if (filledCells(t_) == 81) return boardFull();
    return {};
  }

  StageResult pairs() { return nakedPairStage(t_); }
  Gate lateStageGate() { return reachesLateStages(++cycleCount_) ? Gate::Open : Gate::NextCycle; }
  StageResult triples() { return nakedTripleStage(t_); }

  StageResult digitLists() {
    if (auto p = digitListSingleInColumns(t_)) return StageResult::placed(*p, words::kColumnListStep);
    if (auto p = digitListSingleInRows(t_)) return StageResult::placed(*p, words::kRowListStep);
    return {};
  }

  Gate blockPairGate() { return runsBlockPairs(++lateStageCount_) ? Gate::Open : Gate::NextCycle; }
  StageResult blockPairs() { return blockPairStageResult(t_, style_.blockPairMarks); }

 private:
  // The singles of blocks and rows and the naked single have set the step
  // log's font during their scans; the column single and the digit-list
  // singles set it right before the step line is printed.
  static bool setsFontAtPrint(std::string_view word) {
    return word == words::kColumnSingle || word == words::kColumnListStep || word == words::kRowListStep;
  }

  Next report(const Placement &p, std::string_view word) {
    t_.Board[p.row][p.column] = p.digit;
    const PlacementRecord record{++steps_, p.row, p.column, p.digit, word, 0};
    result_.placements.push_back(record);
    painter_.stepLogged(record, setsFontAtPrint(word));
    ports_.controls.setText(controls::Text14, reportText(record));
    painter_.digitPlaced(p);
    if (promptMode_ != kPromptModeRunThrough) askStepPrompt();
    return Next::Restart;
  }

  void askStepPrompt() {
    const PromptRequest request{stepPromptText(), "999", "1か２", 0, 9100};
    const auto answer = ports_.prompt.ask(request);
    if (answer && textToNumber(*answer) == 2) promptMode_ = kPromptModeRunThrough;
  }

  // The candidate-code table: each cell's code made and its least code
  // lowered, in row order; a changed entry makes the step prompt due. False
  // when a cell has no candidate left and the run has ended.
  bool refreshTable() {
    painter_.tableBegun();
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        t_.CandidateCode[r][c] = cellCode(t_, r, c);
        lowerLeastCode(t_, r, c);
        const int code = t_.LeastCode[r][c];
        const bool changed = !tableShown_ || code != shownCode_[r][c];
        if (changed) tableChanged_ = true;
        shownCode_[r][c] = code;
        int groupKinds = 0;
        for (const UnitKind kind : {UnitKind::Row, UnitKind::Column, UnitKind::Block}) {
          if (isGroupMember(t_.PairMarks[r][c][kindIndex(kind)])) ++groupKinds;
        }
        painter_.entryShown(r, c, code, changed, groupKinds);
        if (code == 0) {
          painter_.cellWithoutCandidates();
          finish();
          result_.end = RunEnd::Error;
          return false;
        }
      }
    }
    tableShown_ = true;
    return true;
  }

  Next endOfRunCheck() {
    painter_.boardChecked(t_.Board);
    if (filledCells(t_) == 81) {
      boardFull();
      return Next::Ended;
    }
    ++endCheckCount_;
    if (endCheckCount_ <= kEndCheckLimit) return Next::Restart;
    painter_.stopped();
    result_.end = RunEnd::Stopped;
    return Next::Ended;
  }

  // "終了": the board is complete, or a cell had no candidate left.
  Next finish() {
    painter_.ended();
    return Next::Ended;
  }

  // The step family never checks its givens: on clashing ones it may fill
  // every cell all the same, and shows "終了" as for any full board. Only a
  // valid grid that keeps the givens is a solution.
  StageResult boardFull() {
    result_.end = completesGivens(gridOf(t_), result_.givens) ? RunEnd::Solved : RunEnd::Inconsistent;
    finish();
    return StageResult::ended();
  }

  Ports &ports_;
  StepPainter painter_;
  StepStyle style_;
  RunResult &result_;
  Tables t_;
  int shownCode_[10][10]{};  // the least codes the table shows
  bool tableShown_ = false;
  int steps_ = 0;
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
