// The grade: the program's own techniques, a cycle of the runs' stages with
// every gate open, from the easiest again after every change, on the puzzle
// as a pass of the answer run starts it; the hardest technique that changed
// something decides the level, and every use adds its weight to the score.
#include <algorithm>

#include "check/check.h"
#include "runs/common.h"
#include "runs/cycle.h"
#include "runs/stages.h"
#include "techniques/techniques.h"

namespace numplace {
namespace {

// Levels, from 1.
enum Level {
  kSingles = 1,  // naked singles and hidden singles in blocks
  kLineSingles,  // hidden singles in rows or columns, digit-list singles
  kPairs,
  kTriples,
  kBlockPairs,
  kTrials,
  kBeyond,
};

struct LevelName {
  std::string_view name;
  std::string_view english;
};
constexpr LevelName kLevelNames[] = {
    {"", ""},           {"初級", "Easy"},       {"中級", "Medium"},  {"上級", "Hard"},
    {"難問", "Expert"}, {"超難問", "Fiendish"}, {"仮置き", "Trial"}, {"技の外", "Beyond"},
};

// Score weights: each use of a technique that changed something.
constexpr int kNakedSingleWeight = 1;
constexpr int kHiddenSingleWeight = 2;
constexpr int kDigitListWeight = 5;
constexpr int kPairWeight = 10;
constexpr int kTripleWeight = 20;
constexpr int kBlockPairWeight = 30;
constexpr int kTrialWeight = 100;  // every trial placement tried, right or wrong

// More than enough for any puzzle: each turn places a digit or adds to a
// list or mark that only ever fills up.
constexpr int kTurnLimit = 5000;

// Marks as the answer run writes them.
constexpr BlockPairMarks kMarks{kRowGroupMark, kColumnGroupMark};

struct Tally {
  int level = 0;
  int score = 0;
  void use(int technique, int weight) {
    level = std::max(level, technique);
    score += weight;
  }
};

enum class PassEnd { Solved, Stuck, Failed };

int digitAt(const Grid &g, int r, int c) { return g[static_cast<std::size_t>((r - 1) * 9 + c - 1)]; }

// The stages of a grading pass: those of reference 2, every gate open, and
// a change to the lists and marks starts again from the singles. The
// digit-list singles are looked at with the singles, before the pairs: later
// in the cycle, the pairs and triples would count uses before them, and
// 1,911 of the 27,507 puzzles of the collections would grade otherwise.
struct GradeStages {
  Tables &t;
  static constexpr bool kRestartOnChange = true;
  StageResult singles() {
    if (const StageResult r = answerSingles(t); r.kind != StageResult::Nothing) return r;
    if (auto p = digitListSingleInColumns(t)) return StageResult::placed(*p, words::kColumnListAnswer);
    if (auto p = digitListSingleInRows(t)) return StageResult::placed(*p, words::kRowListAnswer);
    return {};
  }
  StageResult pairs() { return nakedPairStage(t); }
  static Gate lateStageGate() { return Gate::Open; }
  StageResult triples() { return nakedTripleStage(t); }
  static StageResult digitLists() { return {}; }  // looked at with the singles
  static Gate blockPairGate() { return Gate::Open; }
  StageResult blockPairs() { return blockPairStageResult(t, kMarks); }
};

// The level and weight of what ended a cycle.
void tallyUse(const CycleEnd &e, Tally &tally) {
  switch (e.stage) {
    case Stage::Singles:
      if (e.found.word == words::kColumnListAnswer || e.found.word == words::kRowListAnswer) {
        tally.use(kLineSingles, kDigitListWeight);
      } else if (e.found.word == words::kRowSingle || e.found.word == words::kColumnSingle) {
        tally.use(kLineSingles, kHiddenSingleWeight);
      } else {
        tally.use(kSingles, e.found.word == words::kNakedSingle ? kNakedSingleWeight : kHiddenSingleWeight);
      }
      return;
    case Stage::Pairs:
      tally.use(kPairs, kPairWeight);
      return;
    case Stage::Triples:
      tally.use(kTriples, kTripleWeight);
      return;
    case Stage::DigitLists:
      tally.use(kLineSingles, kDigitListWeight);
      return;
    case Stage::BlockPairs:
      break;
  }
  tally.use(kBlockPairs, kBlockPairWeight);
}

// One pass from `start`: a cycle at a time, from the first stage again
// after anything changed. A placement that differs from the solution fails
// the pass (a technique misled by a wrong trial, or unsound).
PassEnd logicPass(Tables &t, const Grid &start, const Grid &solution, Tally &tally) {
  initialiseForPass(t);
  int filled = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      t.Board[r][c] = digitAt(start, r, c);
      filled += t.Board[r][c] != 0 ? 1 : 0;
    }
  }
  primeLeastCodes(t);
  GradeStages stages{t};
  for (int turn = 0; turn < kTurnLimit; ++turn) {
    if (filled == 81) return PassEnd::Solved;
    t.resetForCycle();
    const CycleEnd e = runCycle(stages);
    switch (e.kind) {
      case CycleEnd::Placed: {
        const Placement &p = e.found.placement;
        if (t.Board[p.row][p.column] != 0 || p.digit != digitAt(solution, p.row, p.column)) return PassEnd::Failed;
        t.Board[p.row][p.column] = p.digit;
        ++filled;
        tallyUse(e, tally);
        break;
      }
      case CycleEnd::Changed:
        tallyUse(e, tally);
        break;
      case CycleEnd::Contradiction:
        return PassEnd::Failed;
      case CycleEnd::Through:
      case CycleEnd::NextCycle:  // no gate is closed
      case CycleEnd::Leave:
      case CycleEnd::Ended:
        return PassEnd::Stuck;
    }
  }
  return PassEnd::Stuck;
}

Grade gradeOf(int level, int score) {
  const LevelName &n = kLevelNames[level];
  return Grade{level, n.name, n.english, score};
}

}  // namespace

std::optional<Grade> gradePuzzle(const Grid &givens, const CheckResult &check) {
  if (check.solutions != 1 || !check.solution) return std::nullopt;
  const Grid &solution = *check.solution;
  Tables t;
  Tally first;
  const PassEnd end = logicPass(t, givens, solution, first);
  if (end == PassEnd::Solved) return gradeOf(std::max(first.level, 1), first.score);
  if (end == PassEnd::Stuck) {
    // The trial placements come from the block pairs where the pass stuck,
    // in the answer run's order; a wrong one cannot finish a puzzle with one
    // solution, so only the right ones are played out.
    const int last = buildTrialList(t);
    // Each trial starts from where the logic stuck: the digits it placed
    // follow from the givens, so playing them again would only cost time.
    Grid stuck{};
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c)
        stuck[static_cast<std::size_t>((r - 1) * 9 + c - 1)] = static_cast<std::uint8_t>(t.Board[r][c]);
    }
    const std::vector<Placement> trials = [&] {
      std::vector<Placement> list;
      for (int k = 1; k <= last && k < kPairSlots; ++k) {
        const Placement p{t.TrialRow[k], t.TrialColumn[k], t.TrialDigit[k]};
        if (p.row >= 1 && p.row <= 9 && p.column >= 1 && p.column <= 9) list.push_back(p);
      }
      return list;
    }();
    int tried = 0;
    for (const Placement &p : trials) {
      ++tried;
      if (p.digit != digitAt(solution, p.row, p.column) || digitAt(stuck, p.row, p.column) != 0) continue;
      Grid start = stuck;
      start[static_cast<std::size_t>((p.row - 1) * 9 + p.column - 1)] = static_cast<std::uint8_t>(p.digit);
      Tally pass;
      if (logicPass(t, start, solution, pass) == PassEnd::Solved)
        return gradeOf(kTrials, first.score + kTrialWeight * tried + pass.score);
    }
    first.score += kTrialWeight * tried;
  }
  return gradeOf(kBeyond, first.score);
}

}  // namespace numplace
