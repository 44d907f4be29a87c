// "答": passes from the puzzle as entered, each optionally with one trial
// placement from the sorted block pairs; cycles of techniques inside a pass;
// the finished board drawn in colour at the end.
#include <cstring>

#include "board/layout.h"
#include "board/number.h"
#include "board/sources.h"
#include "runs/answer_painter.h"
#include "runs/common.h"
#include "runs/cycle.h"
#include "runs/stages.h"

namespace numplace {
namespace {

// A pass number above it goes to the end step. It also keeps the trial
// passes below the trial list's limit of 80: a pass above 50 never starts.
constexpr int kPassLimit = 50;
constexpr int kLateStageLimit = 100;
// The solved step repeats a solved pass once; the second time it is final.
constexpr int kFinalSolvedCount = 2;
// The third stall of the press leaves the pass stuck.
constexpr int kStallLimit = 2;
constexpr BlockPairMarks kBlockPairMarks{kRowGroupMark, kColumnGroupMark};

class AnswerRun {
 public:
  AnswerRun(Ports &ports, const RunOptions &options, RunResult &result)
      : ports_(ports),
        skipCycleGrid_(options.skipCycleGrid),
        painter_(ports.surface, result, {BoardDigits::CountOnly, options.skipCycleGrid}),
        result_(result) {}

  void run() {
    result_.reset(RunKind::Answer);
    if (!startRun(ports_, t_, painter_, result_, extras_)) return;
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
    result_.passes = passNumber_ + 1;
    result_.lastPassBegin = result_.placements.size();
    placedInPass_ = 0;
    cyclesInPass_ = 0;
    idleInPass_ = false;
    painter_.passStarted();
    forgetCleanStages();
    lateStageCount_ = 0;
    layTrialCode(t_, hasTrial_ ? trialCode_ : 0);
    layExtraGivens(extras_, t_);
    layRowCodes();
    if (firstPass_) {
      result_.givens = gridOf(t_);
      firstPass_ = false;
    }
    if (hasDuplicateGiven(t_)) {
      // Only the puzzle itself is inconsistent; a trial that clashes is an error.
      if (passNumber_ == 0) ending_ = RunEnd::Inconsistent;
      return Step::End;
    }
    primeLeastCodes(t_);
    startCandidates();
    triples_.forget();
    filledNow_ = filledCells(t_);
    return cycles();
  }

  // The row codes stay the same through the press: their digits are taken
  // out once (0 where a row code leaves the cell as it is).
  void layRowCodes() {
    if (!haveRowDigits_) {
      unpackRowCodes(t_.RowCodes, rowDigits_);
      haveRowDigits_ = true;
    }
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        if (rowDigits_[r][c] != 0) t_.Board[r][c] = rowDigits_[r][c];
      }
    }
  }

  // Every pass starts from the puzzle with clear lists and marks; most
  // differ from the first only by their trial digit. Their candidates are
  // those of the first pass with that digit taken out of its 20 cells.
  void startCandidates() {
    if (!haveFirstCandidates_) {
      candidates_.start(t_);
      firstCandidates_ = candidates_;
      std::memcpy(firstBoard_, t_.Board, sizeof firstBoard_);
      haveFirstCandidates_ = true;
      return;
    }
    int cells = 0;
    Placement added{};
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        if (t_.Board[r][c] == firstBoard_[r][c]) continue;
        ++cells;
        added = {r, c, t_.Board[r][c]};
      }
    }
    if (cells == 1 && firstBoard_[added.row][added.column] == 0) {
      candidates_.startFrom(firstCandidates_, t_, added.row, added.column, added.digit);
    } else if (cells == 0) {
      candidates_.startFrom(firstCandidates_, t_, 0, 0, 0);
    } else {
      candidates_.forget();
    }
  }

  // A stage that ran, found nothing and changed nothing would do the same
  // again until something changes: a cycle of a stuck pass repeats the last
  // one. Such a stage is not run again; what it found (nothing) and what it
  // left in the tables (the candidates and codes of the cycle stage) stand.
  // The cycle stage does not read the least codes it lowers (it finds its
  // candidates from the board, the lists and the marks), so lowering them
  // leaves it clean; the later stages read them.
  void forgetCleanStages() { cycleStageClean_ = lateStageClean_ = blockPairStageClean_ = false; }

  Step cycles() {
    for (;;) {
      painter_.cycleStarted(t_.Board);
      filled_ = filledNow_;
      if (filled_ == 81) return Step::Solved;
      ++cyclesInPass_;
      painter_.cycleGoesOn();
      const CycleEnd e = runCycle(*this);
      switch (e.kind) {
        case CycleEnd::Placed:
          place(e.found);
          break;
        case CycleEnd::Contradiction:
          return Step::Contradiction;
        case CycleEnd::Leave:
          return Step::End;
        case CycleEnd::Through:
          if (isStallSweep(lateStageCount_) && ++stallCount_ > kStallLimit) return Step::Stuck;
          break;
        case CycleEnd::NextCycle:
        case CycleEnd::Changed:  // the run goes on after a change
        case CycleEnd::Ended:    // no stage of the run ends it
          break;
      }
    }
  }

 public:
  // The stages of a cycle, as runCycle calls them. A stage that ran, found
  // nothing and changed nothing is not run again until something changes.
  static constexpr bool kRestartOnChange = false;

  StageResult singles() {
    // The cycle stage needs no cleared tables: the tracker writes every
    // cell's candidates and updateCodes every code before anything reads them.
    if (cycleStageClean_) return {};
    changesAtCycle_ = t_.changes;
    leastCodeChangesAtCycle_ = t_.leastCodeChanges;
    return answerSingles(t_, candidates_);
  }

  StageResult pairs() {
    if (cycleStageClean_) return {};
    const StageResult r = nakedPairStage(t_);
    if (r.kind == StageResult::Contradiction) return r;
    if (t_.changes != changesAtCycle_ || t_.leastCodeChanges != leastCodeChangesAtCycle_) forgetCleanStages();
    cycleStageClean_ = t_.changes == changesAtCycle_;
    return r;
  }

  Gate lateStageGate() {
    ++cycleCount_;
    idleInPass_ = true;
    return reachesLateStages(cycleCount_) ? Gate::Open : Gate::NextCycle;
  }

  StageResult triples() {
    if (lateStageClean_) return {};
    changesAtLateStage_ = t_.changes;
    return nakedTripleStage(t_, triples_);
  }

  StageResult digitLists() {
    if (lateStageClean_) return {};
    const StageResult r = answerDigitLists(t_, digitLists_);
    if (r.kind == StageResult::Placed) return r;
    if (t_.changes != changesAtLateStage_) forgetCleanStages();
    lateStageClean_ = t_.changes == changesAtLateStage_;
    return r;
  }

  Gate blockPairGate() {
    ++lateStageCount_;
    if (lateStageCount_ > kLateStageLimit) return Gate::Leave;
    return runsBlockPairs(lateStageCount_) ? Gate::Open : Gate::NextCycle;
  }

  StageResult blockPairs() {
    if (blockPairStageClean_) return {};
    const StageResult r = blockPairStageResult(t_, kBlockPairMarks);
    // It rebuilt the candidates from the least codes. The cycle stage reads
    // them only after making them afresh from the board, the lists and the
    // marks: when the stage left those as they were, the cycle stage would
    // find again what it found last time (nothing).
    const bool changed = r.kind == StageResult::Changed;
    if (changed) forgetCleanStages();
    blockPairStageClean_ = !changed;
    return r;
  }

 private:
  void place(const StageResult &r) {
    forgetCleanStages();
    const Placement &p = r.placement;
    candidates_.placed(t_, p.row, p.column, p.digit);
    if (t_.Board[p.row][p.column] == 0) ++filledNow_;
    t_.Board[p.row][p.column] = p.digit;
    result_.placements.push_back({++placedInPass_, p.row, p.column, p.digit, r.word, passNumber_});
  }

  void setTrialFromEntry(int p) {
    trialCode_ = 100.0 * t_.TrialRow[p] + 10.0 * t_.TrialColumn[p] + t_.TrialDigit[p];
    hasTrial_ = true;
  }

  Step stuck() {
    if (passNumber_ == 0) {
      painter_.trialsBegin();
      trialCount_ = buildTrialList(t_);
      passNumber_ = 1;
      return Step::Pass;
    }
    ++passNumber_;
    if (passNumber_ == trialCount_) return Step::Solved;
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
    painter_.solvedSeen();
    ++solvedCount_;
    if (solvedCount_ == kFinalSolvedCount) return Step::FinalDrawing;
    // The pass is repeated once from the beginning. A pass in which every
    // cycle placed a digit (or met its contradiction) left every counter of
    // the press as it found it, so its repeat does what it did: when the run
    // was told to leave out every cycle's grid, its placements are recorded
    // again, the painter told, and it ends the same way.
    if (skipCycleGrid_ && !idleInPass_) {
      repeatPass();
      return Step::Solved;
    }
    return Step::Pass;
  }

  void repeatPass() {
    const std::size_t first = result_.lastPassBegin;
    const std::size_t last = result_.placements.size();
    result_.lastPassBegin = last;
    result_.placements.reserve(last + (last - first));
    for (std::size_t i = first; i < last; ++i) result_.placements.push_back(result_.placements[i]);
    painter_.passRepeated(cyclesInPass_);
  }

  Step finalDrawing() {
    const auto code = static_cast<int>(trialCode_);
    ports_.controls.setText(controls::Text1, hasTrial_ ? plainNumber(code) : "");
    result_.wroteText1 = true;
    if (hasTrial_) result_.trialCode = code;
    painter_.finalBoard(t_.Board);
    filled_ = filledCells(t_);
    result_.boardShown = true;
    if (filled_ != 81) return Step::Stop;
    // A full board is drawn as any other; only a valid grid that keeps the
    // givens is a solution.
    ending_ = completesGivens(gridOf(t_), result_.givens) ? RunEnd::Solved : RunEnd::Inconsistent;
    return Step::End;
  }

  Step stop() {
    // " いったんstop" after trial placements that did not solve the puzzle;
    // without any, the contradiction of pass 0 is an error.
    const bool afterTrials = passNumber_ != 0;
    if (afterTrials) ending_ = RunEnd::Stopped;
    painter_.stopped(t_.Board, afterTrials);
    return Step::End;
  }

  Step end() {
    painter_.ended(t_.Board, filled_ == 81);
    result_.board = gridOf(t_);
    result_.end = ending_;
    return Step::Done;
  }

  Ports &ports_;
  bool skipCycleGrid_;  // the run's option: every cycle's grid left out
  ExtraGivens extras_;  // checked at the start; nothing writes Text1 or Text2 before the final drawing
  AnswerPainter painter_;
  RunResult &result_;
  Tables t_;
  CandidateTracker candidates_;
  CandidateTracker firstCandidates_;  // as started on the first pass's board
  int firstBoard_[10][10]{};
  int rowDigits_[10][10]{};
  bool haveRowDigits_ = false;
  bool haveFirstCandidates_ = false;
  NakedTripleFinder triples_;
  DigitListReader digitLists_;
  int passNumber_ = 0;
  double trialCode_ = 0;
  bool hasTrial_ = false;
  int trialCount_ = 0;
  int solvedCount_ = 0;
  int lateStageCount_ = 0;
  long cycleCount_ = 0;
  int stallCount_ = 0;
  int filled_ = 0;
  int placedInPass_ = 0;
  bool firstPass_ = true;
  // How the run ends, set where that is decided: the final drawing of a full
  // board, the stop after trials, inconsistent givens; an error otherwise.
  RunEnd ending_ = RunEnd::Error;
  int filledNow_ = 0;        // cells holding a digit, counted as they are filled
  int cyclesInPass_ = 0;     // cycles that went on past the board count
  bool idleInPass_ = false;  // a cycle of the pass placed nothing
  bool cycleStageClean_ = false;
  bool lateStageClean_ = false;
  bool blockPairStageClean_ = false;
  long changesAtCycle_ = 0;  // the change counts when the stages began
  long leastCodeChangesAtCycle_ = 0;
  long changesAtLateStage_ = 0;
};

}  // namespace

void runAnswer(Ports &ports, const RunOptions &options, RunResult &result) { AnswerRun(ports, options, result).run(); }

}  // namespace numplace
