// One cycle of techniques, in the order that every run and the grade share:
// the singles, the naked pairs; behind the first gate the naked triples and
// the digit-list singles; behind the second the block pairs. A placement or
// a contradiction ends the cycle at once; a stage that finds nothing hands
// on to the next; a change to the lists and marks ends the cycle only for a
// caller that starts again from the easiest after every change (the grade).
// Each caller brings its own stages (how it finds, draws and counts), its
// gates (the counters of every third cycle and every fifth late stage) and
// what it does with the end of the cycle.
#pragma once

#include <string_view>

#include "techniques/placement.h"

namespace numplace {

enum class Stage { Singles, Pairs, Triples, DigitLists, BlockPairs };

// What a stage found.
struct StageResult {
  enum Kind {
    Nothing,        // nothing placed; the lists and marks as they were
    Changed,        // the lists or marks extended; nothing placed
    Placed,         // `placement` is to be written to the board, reported as `word`
    Contradiction,  // the tables cannot be: a cell without candidates, or a pair or triple count
    Ended,          // the run ended inside the stage (the step family's table or full board)
  } kind = Nothing;
  Placement placement{};
  std::string_view word;
  bool cellWithoutCandidates = false;  // the contradiction is a cell without candidates

  static StageResult placed(const Placement &p, std::string_view word) { return {Placed, p, word, false}; }
  static StageResult contradiction(bool cellWithoutCandidates = false) {
    return {Contradiction, {}, {}, cellWithoutCandidates};
  }
  static StageResult changed(bool changed) { return {changed ? Changed : Nothing, {}, {}, false}; }
  static StageResult ended() { return {Ended, {}, {}, false}; }
};

// What a gate says: go on to the stages behind it, start the next cycle, or
// leave the cycles (a limit of the caller's).
enum class Gate { Open, NextCycle, Leave };

struct CycleEnd {
  enum Kind {
    Placed,         // a stage placed `found.placement`
    Contradiction,  // a stage met `found`'s contradiction
    Ended,          // the run ended inside a stage
    Changed,        // a stage changed the lists or marks (callers that start again on a change)
    NextCycle,      // the gate before `stage` is closed
    Leave,          // the gate before `stage` leaves the cycles
    Through,        // every stage ran and found nothing that ends the cycle
  } kind;
  Stage stage;  // the stage it ended at, or whose gate it met; Through: the block pairs
  StageResult found;
};

// The stages of a caller: StageResult singles(), pairs(), triples(),
// digitLists(), blockPairs(); Gate lateStageGate() (before the triples),
// blockPairGate() (before the block pairs); and kRestartOnChange.
template <typename Stages>
CycleEnd runCycle(Stages &s);

namespace cycle_detail {

// False when the cycle goes on after the stage; else `end` says how it ended.
template <bool kRestartOnChange>
inline bool endsCycle(const StageResult &r, Stage stage, CycleEnd &end) {
  switch (r.kind) {
    case StageResult::Nothing:
      return false;
    case StageResult::Changed:
      if (!kRestartOnChange) return false;
      end = {CycleEnd::Changed, stage, r};
      return true;
    case StageResult::Placed:
      end = {CycleEnd::Placed, stage, r};
      return true;
    case StageResult::Contradiction:
      end = {CycleEnd::Contradiction, stage, r};
      return true;
    case StageResult::Ended:
      break;
  }
  end = {CycleEnd::Ended, stage, r};
  return true;
}

inline CycleEnd gated(Gate g, Stage stage) {
  return {g == Gate::Leave ? CycleEnd::Leave : CycleEnd::NextCycle, stage, {}};
}

}  // namespace cycle_detail

template <typename Stages>
CycleEnd runCycle(Stages &s) {
  constexpr bool kRestart = Stages::kRestartOnChange;
  using cycle_detail::endsCycle;
  using cycle_detail::gated;
  CycleEnd end{CycleEnd::Through, Stage::BlockPairs, {}};
  if (endsCycle<kRestart>(s.singles(), Stage::Singles, end)) return end;
  if (endsCycle<kRestart>(s.pairs(), Stage::Pairs, end)) return end;
  if (const Gate g = s.lateStageGate(); g != Gate::Open) return gated(g, Stage::Triples);
  if (endsCycle<kRestart>(s.triples(), Stage::Triples, end)) return end;
  if (endsCycle<kRestart>(s.digitLists(), Stage::DigitLists, end)) return end;
  if (const Gate g = s.blockPairGate(); g != Gate::Open) return gated(g, Stage::BlockPairs);
  if (endsCycle<kRestart>(s.blockPairs(), Stage::BlockPairs, end)) return end;
  return end;
}

}  // namespace numplace
