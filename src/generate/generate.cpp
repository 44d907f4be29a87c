// The generator. A puzzle is made from a random full grid by taking groups
// of symmetric givens away in random order, each only when the puzzle keeps
// its one solution; it is graded and kept when it fits what was asked. A
// near miss (too many givens, or with a symmetry a given that could go
// alone) is changed a few cells at a time (a group of givens taken away,
// groups put in where a second solution differs, then as many groups as
// can go taken away again) for as long as the steps bring it nearer,
// before a new grid is drawn.
#include "generate/generate.h"

#include <algorithm>
#include <vector>

#include "board/contract.h"
#include "board/tables.h"
#include "generate/random.h"
#include "generate/stop.h"

namespace numplace {
namespace {

// The cells each symmetry maps onto one another.
struct Groups {
  struct Group {
    std::uint8_t cells[4]{};
    int size = 0;
  };
  Group list[81]{};
  int count = 0;

  explicit Groups(Symmetry symmetry) {
    bool seen[81]{};
    for (int i = 0; i < 81; ++i) {
      if (seen[i]) continue;
      Group &g = list[count++];
      for (int cell = i; !seen[cell]; cell = symmetricCell(symmetry, cell)) {
        seen[cell] = true;
        g.cells[g.size++] = static_cast<std::uint8_t>(cell);
      }
    }
  }
};

// The units of each cell and the cells of each unit: rows 0..8, columns
// 9..17, blocks 18..26.
struct Geometry {
  std::uint8_t unitsOf[81][3]{};
  std::uint8_t cellsOf[27][9]{};
  constexpr Geometry() {
    int filled[27]{};
    for (int i = 0; i < 81; ++i) {
      const int r = i / 9;
      const int c = i % 9;
      const int units[3] = {r, 9 + c, 18 + 3 * (r / 3) + c / 3};
      for (int k = 0; k < 3; ++k) {
        unitsOf[i][k] = static_cast<std::uint8_t>(units[k]);
        cellsOf[units[k]][filled[units[k]]++] = static_cast<std::uint8_t>(i);
      }
    }
  }
};
constexpr Geometry kGeometry;

// The digits of the givens in each unit (bits 1..9): enough to see the
// singles that decide most removals, without a search.
class UnitDigits {
 public:
  explicit UnitDigits(const Grid &puzzle) {
    for (int i = 0; i < 81; ++i) {
      if (puzzle[static_cast<std::size_t>(i)] != 0) add(i, puzzle[static_cast<std::size_t>(i)]);
    }
  }
  void add(int cell, int digit) {
    for (const std::uint8_t u : kGeometry.unitsOf[cell])
      digits_[u] = static_cast<std::uint16_t>(digits_[u] | (1u << digit));
  }
  // The digits the cell's row, column and block hold.
  std::uint16_t seen(int cell) const {
    const auto &u = kGeometry.unitsOf[cell];
    return static_cast<std::uint16_t>(digits_[u[0]] | digits_[u[1]] | digits_[u[2]]);
  }
  // Whether `digit` is the only one left to the empty cell, or the cell is
  // the only place left to it in one of its units.
  bool forcedBySingle(const Grid &puzzle, int cell, int digit) const {
    const auto bit = static_cast<std::uint16_t>(1u << digit);
    if ((seen(cell) | bit) == kAllDigits) return true;
    for (const std::uint8_t u : kGeometry.unitsOf[cell]) {
      bool only = true;
      for (const std::uint8_t other : kGeometry.cellsOf[u]) {
        if (other != cell && puzzle[other] == 0 && (seen(other) & bit) == 0) {
          only = false;
          break;
        }
      }
      if (only) return true;
    }
    return false;
  }

 private:
  std::uint16_t digits_[27]{};
};

// How far a puzzle's shape is from what was asked: a given too many or too
// few weighs more than all the groups (at most 41) with a given that could
// go alone, so the steps mend the number of givens first.
constexpr long kGivensWeight = 100;

// Steps from a near miss that bring it no closer, before a new grid is drawn.
constexpr int kStepsWithoutGain = 8;

class Generator {
 public:
  Generator(const GenerateOptions &options, std::uint64_t seed, Stop stop, const std::function<void()> &attempted)
      : options_(options),
        groups_(options.symmetry),
        random_(seed),
        stop_(stop),
        attempted_(attempted),
        graded_(options.grade || options.level != 0 || options.minScore > 0 ||
                options.maxScore != std::numeric_limits<int>::max()),
        capLevel_(!options.minimal && options.level != 0) {}

  // From a puzzle of the wrong shape (too many givens; with a symmetry, a
  // given that could go alone), steps are taken as long as they bring it
  // nearer (see shapeCost): they keep most of the puzzle and find the rare
  // shapes far sooner than new grids do (about ten times for 20 or 21
  // givens, twice for minimal ones under a half turn). One with too few
  // givens is left at once, as the steps make fewer. A puzzle of the right
  // shape but the wrong level or score is left too: from one level a step
  // lands on another little more often than a new grid does, and stays on
  // the one it left more often, so for the level alone new grids do as
  // well or better.
  Grid removalPass(const Grid &solution) {
    solution_ = solution;
    Candidate c{solution_, 81, std::nullopt};
    reduce(c);
    return c.puzzle;
  }

  std::optional<GeneratedPuzzle> run() {
    while (!stop_.now()) {
      const Grid empty{};
      const std::optional<Grid> full = randomSolution(empty, random_);
      NUMPLACE_ASSERT(full.has_value());
      solution_ = *full;
      Candidate current{solution_, 81, std::nullopt};
      reduce(current);
      if (stop_.now()) break;
      long cost = shapeCost(current);
      if (cost == 0) {
        if (fits(current)) return result(current);
        continue;
      }
      if (current.givens < options_.minGivens) continue;
      for (int idle = 0; idle < kStepsWithoutGain && !stop_.now();) {
        Candidate next = current;
        swapGroups(next);
        reduce(next);
        if (stop_.now()) break;
        const long c = shapeCost(next);
        if (c == 0 && fits(next)) return result(next);
        idle = c < cost ? 0 : idle + 1;
        if (c <= cost) {
          current = next;
          cost = c;
        }
      }
    }
    return std::nullopt;
  }

 private:
  struct Candidate {
    Grid puzzle;
    int givens;
    std::optional<Grade> grade;
    // Minimal and symmetric: the groups with a given that could go alone.
    int loose = 0;
    int looseGroups[81]{};
  };

  GeneratedPuzzle result(const Candidate &c) const {
    return GeneratedPuzzle{c.puzzle, solution_, c.grade, c.givens, 0};
  }

  // Whether the puzzle, the group's cells taken away, still has only its
  // solution: a second one differs from it somewhere in the group, first in
  // one of its cells with the cells before it as in the solution. A cell
  // whose digit a single forces needs no search. The second solution found
  // goes to `other` when one is given.
  bool keepsOneSolution(Grid &puzzle, const Groups::Group &g, Grid *other = nullptr) const {
    UnitDigits seen(puzzle);
    bool unique = true;
    for (int k = 0; k < g.size && unique; ++k) {
      const std::uint8_t cell = g.cells[k];
      const int digit = solution_[cell];
      if (!seen.forcedBySingle(puzzle, cell, digit)) unique = !solvableWithout(puzzle, cell, digit, other);
      puzzle[cell] = static_cast<std::uint8_t>(digit);
      seen.add(cell, digit);
    }
    for (int k = 0; k < g.size; ++k) puzzle[g.cells[k]] = 0;
    return unique;
  }

  std::optional<Grade> gradeOf(const Grid &puzzle) const {
    CheckResult check;
    check.solutions = 1;
    check.solution = solution_;
    return gradePuzzle(puzzle, check);
  }

  // Takes the groups of givens away in random order, each when the puzzle
  // keeps one solution; when it need not be minimal, not below the fewest
  // givens asked for, and with a level asked for, only while the puzzle is
  // no harder than that.
  void reduce(Candidate &c) {
    int order[81]{};
    int n = 0;
    for (int g = 0; g < groups_.count; ++g) {
      if (c.puzzle[groups_.list[g].cells[0]] != 0) order[n++] = g;
    }
    shuffle(order, n);
    const int floor = options_.minimal ? 0 : options_.minGivens;
    // Stopped halfway, the candidate is dropped by the caller.
    for (int k = 0; k < n && !stop_.now(); ++k) {
      const Groups::Group &g = groups_.list[order[k]];
      if (c.givens - g.size < floor) continue;
      for (int j = 0; j < g.size; ++j) c.puzzle[g.cells[j]] = 0;
      bool keep = !keepsOneSolution(c.puzzle, g);
      if (!keep && capLevel_) {
        const std::optional<Grade> grade = gradeOf(c.puzzle);
        keep = !grade || grade->level > options_.level;
      }
      if (keep) {
        for (int j = 0; j < g.size; ++j) c.puzzle[g.cells[j]] = solution_[g.cells[j]];
      } else {
        c.givens -= g.size;
      }
    }
  }

  // One out, one or more in: a group of givens taken away (one with a given
  // that could go on its own, when there is one), and while a second
  // solution remains, a group of empty cells where it differs from the
  // solution put in: the puzzle changes in a few places only.
  void swapGroups(Candidate &c) {
    int given[81]{};
    int nGiven = 0;
    for (int g = 0; g < groups_.count; ++g) {
      if (c.puzzle[groups_.list[g].cells[0]] != 0) given[nGiven++] = g;
    }
    NUMPLACE_ASSERT(nGiven > 0);
    const int out = c.loose > 0 ? c.looseGroups[random_.below(static_cast<unsigned>(c.loose))]
                                : given[random_.below(static_cast<unsigned>(nGiven))];
    const Groups::Group &taken = groups_.list[out];
    for (int j = 0; j < taken.size; ++j) c.puzzle[taken.cells[j]] = 0;
    c.givens -= taken.size;
    // With the taken group back the puzzle has one solution (and more
    // givens never make more), so a second one differs from it in that group.
    Grid other{};
    while (!keepsOneSolution(c.puzzle, taken, &other)) {
      int differ[81]{};
      int n = 0;
      for (int g = 0; g < groups_.count; ++g) {
        if (g == out) continue;
        const Groups::Group &group = groups_.list[g];
        if (c.puzzle[group.cells[0]] != 0) continue;
        for (int j = 0; j < group.size; ++j) {
          if (other[group.cells[j]] != solution_[group.cells[j]]) {
            differ[n++] = g;
            break;
          }
        }
      }
      // The second solution differs from the first only in the taken group:
      // it alone tells them apart.
      const Groups::Group &put = groups_.list[n > 0 ? differ[random_.below(static_cast<unsigned>(n))] : out];
      for (int j = 0; j < put.size; ++j) c.puzzle[put.cells[j]] = solution_[put.cells[j]];
      c.givens += put.size;
      if (n == 0) return;
    }
  }

  // The groups with a given that could go on its own: the group pass leaves
  // single givens of larger groups untried. A count rather than a yes or
  // no, so that the steps from a near miss can tell which way is nearer.
  void findLooseGivens(Candidate &c) const {
    c.loose = 0;
    for (int g = 0; g < groups_.count; ++g) {
      const Groups::Group &group = groups_.list[g];
      if (group.size == 1 || c.puzzle[group.cells[0]] == 0) continue;
      for (int j = 0; j < group.size; ++j) {
        Groups::Group alone;
        alone.cells[0] = group.cells[j];
        alone.size = 1;
        c.puzzle[alone.cells[0]] = 0;
        const bool canGo = keepsOneSolution(c.puzzle, alone);
        c.puzzle[alone.cells[0]] = solution_[alone.cells[0]];
        if (canGo) {
          c.looseGroups[c.loose++] = g;
          break;
        }
      }
    }
  }

  // How far the number of givens and their minimality are from what was
  // asked: 0 when they fit.
  long shapeCost(Candidate &c) {
    attempted_();
    long cost = 0;
    if (c.givens < options_.minGivens) cost += kGivensWeight * (options_.minGivens - c.givens);
    if (c.givens > options_.maxGivens) cost += kGivensWeight * (c.givens - options_.maxGivens);
    c.loose = 0;
    if (cost == 0 && options_.minimal && groups_.count < 81) {
      findLooseGivens(c);
      cost += c.loose;
    }
    return cost;
  }

  // Whether the grade is what was asked (graded only when something about
  // it was asked, or the grade was).
  bool fits(Candidate &c) const {
    if (!graded_) return true;
    c.grade = gradeOf(c.puzzle);
    NUMPLACE_ASSERT(c.grade.has_value());
    const Grade &g = *c.grade;
    return (options_.level == 0 || g.level == options_.level) && g.score >= options_.minScore &&
           g.score <= options_.maxScore;
  }

  void shuffle(int *items, int n) {
    for (int i = n - 1; i > 0; --i) std::swap(items[i], items[random_.below(static_cast<unsigned>(i + 1))]);
  }

  const GenerateOptions &options_;
  const Groups groups_;
  Random random_;
  Stop stop_;
  const std::function<void()> &attempted_;
  const bool graded_;
  const bool capLevel_;
  Grid solution_{};
};

}  // namespace

std::optional<GeneratedPuzzle> generateOne(const GenerateOptions &options, std::uint64_t seed, Stop stop,
                                           const std::function<void()> &attempted) {
  std::optional<GeneratedPuzzle> made = Generator(options, seed, stop, attempted).run();
  if (made) made->seed = seed;
  return made;
}

std::optional<GeneratedPuzzle> generatePuzzle(const GenerateOptions &options, std::uint64_t seed,
                                              const std::atomic<bool> *cancel, const ProgressCallback &progress) {
  GenerateProgress p{0, 0, 1};
  const std::function<void()> attempted = [&] {
    ++p.attempts;
    if (progress) progress(p);
  };
  std::optional<GeneratedPuzzle> made = generateOne(options, seed, Stop{cancel, nullptr}, attempted);
  if (made) {
    p.made = 1;
    if (progress) progress(p);
  }
  return made;
}

Grid removalPass(const Grid &solution, Symmetry symmetry, std::uint64_t seed) {
  GenerateOptions options;
  options.symmetry = symmetry;
  const std::function<void()> nothing = [] {};
  return Generator(options, seed, Stop{}, nothing).removalPass(solution);
}

}  // namespace numplace
