// The grade: the program's own techniques, called in their order from the
// easiest after every change, on the puzzle as a pass of the answer run
// starts it; the hardest technique that changed something decides the level,
// and every use adds its weight to the score.
#include <algorithm>

#include "check/check.h"
#include "runs/answer_cycle.h"
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

// One pass from `start`: techniques in order, from the first again after
// anything changed. A placement that differs from the solution fails the
// pass (a technique misled by a wrong trial, or unsound).
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
  for (int turn = 0; turn < kTurnLimit; ++turn) {
    if (filled == 81) return PassEnd::Solved;
    t.resetForCycle();
    std::optional<Placement> p;
    int technique = kSingles;
    int weight = kHiddenSingleWeight;
    if (const Scan s = candidatePass(t, NakedSingles::Place); s.placement) {
      p = s.placement;
      weight = kNakedSingleWeight;
    } else if (const Scan b = hiddenSingleInBlocks(t); b.placement) {
      p = b.placement;
    } else {
      if (updateCodes(t) == Outcome::Contradiction) return PassEnd::Failed;
      technique = kLineSingles;
      p = hiddenSingleInRows(t);
      if (!p) {
        columnRecount(t);
        p = hiddenSingleInColumns(t);
      }
      if (!p) {
        if (checkLeastCodes(t) == Outcome::Contradiction) return PassEnd::Failed;
        weight = kDigitListWeight;
        p = digitListSingleInColumns(t);
        if (!p) p = digitListSingleInRows(t);
      }
    }
    if (p) {
      if (t.Board[p->row][p->column] != 0 || p->digit != digitAt(solution, p->row, p->column)) return PassEnd::Failed;
      t.Board[p->row][p->column] = p->digit;
      ++filled;
      tally.use(technique, weight);
      continue;
    }
    const long before = t.changes;
    if (nakedPairs(t) == Outcome::Contradiction) return PassEnd::Failed;
    if (t.changes != before) {
      tally.use(kPairs, kPairWeight);
      continue;
    }
    if (nakedTriples(t) == Outcome::Contradiction) return PassEnd::Failed;
    if (t.changes != before) {
      tally.use(kTriples, kTripleWeight);
      continue;
    }
    blockPairStage(t, kMarks);
    if (t.changes != before) {
      tally.use(kBlockPairs, kBlockPairWeight);
      continue;
    }
    return PassEnd::Stuck;
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
