// Cross-checks of the exact check against the answer run and an independent
// count, over every line of every collection in tests/data: the truths that
// must hold together whatever either of them gets wrong.
#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>

#include "check/check.h"
#include "cli/batch_solver.h"
#include "helpers.h"
#include "singles_by_hand.h"

namespace numplace_test {
namespace {

namespace fs = std::filesystem;

Grid gridOfText(std::string_view text) {
  Grid g{};
  for (std::size_t i = 0; i < 81; ++i)
    g[i] = static_cast<std::uint8_t>(text[i] >= '1' && text[i] <= '9' ? text[i] - '0' : 0);
  return g;
}

std::vector<std::string> linesOf(const fs::path &file) {
  std::ifstream in(file);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) {
    if (line.size() >= 81) out.push_back(line.substr(0, 81));
  }
  return out;
}

// The pairs of equal digits in a unit, found the slow way: every pair of cells.
std::vector<Clash> clashesByHand(const std::string &p) {
  std::vector<Clash> out;
  const auto unitOf = [](int kind, int u, int k) {
    if (kind == 0) return CellRef{u, k};
    if (kind == 1) return CellRef{k, u};
    return CellRef{3 * ((u - 1) / 3) + (k - 1) / 3 + 1, 3 * ((u - 1) % 3) + (k - 1) % 3 + 1};
  };
  static constexpr UnitKind kKinds[] = {UnitKind::Row, UnitKind::Column, UnitKind::Block};
  for (int kind = 0; kind < 3; ++kind) {
    for (int u = 1; u <= 9; ++u) {
      for (int a = 1; a <= 9; ++a) {
        for (int b = a + 1; b <= 9; ++b) {
          CellRef x = unitOf(kind, u, a), y = unitOf(kind, u, b);
          const int d = digitAt(p, x.row, x.column);
          if (d == 0 || d != digitAt(p, y.row, y.column)) continue;
          if (std::pair{y.row, y.column} < std::pair{x.row, x.column}) std::swap(x, y);
          out.push_back({{x, y}, d, kKinds[kind]});
        }
      }
    }
  }
  return out;
}

// Solutions counted to `limit` by plain backtracking: the empty cell with the
// fewest digits its row, column and block allow, each of them in turn.
int countByBacktracking(std::string &p, int limit) {
  int best = -1;
  int fewest = 10;
  std::uint16_t bestFree = 0;
  for (int i = 0; i < 81; ++i) {
    if (p[static_cast<std::size_t>(i)] != '0') continue;
    const std::uint16_t free = freeDigits(p, i / 9 + 1, i % 9 + 1);
    const int n = std::popcount(static_cast<unsigned>(free));
    if (n < fewest) {
      fewest = n;
      best = i;
      bestFree = free;
    }
  }
  if (best < 0) return 1;
  int n = 0;
  const auto cell = static_cast<std::size_t>(best);
  for (int d = 1; d <= 9 && n < limit; ++d) {
    if (!(bestFree & (1u << d))) continue;
    p[cell] = static_cast<char>('0' + d);
    n += countByBacktracking(p, limit - n);
  }
  p[cell] = '0';
  return n;
}

// The answer run on one puzzle, as a batch reads it.
class Runner {
 public:
  Runner() { controls_.type({"Text3"}, std::string(batch::kPuzzleFile)); }
  const RunResult &run(const std::string &puzzle) {
    file_.set(puzzle);
    // The run writes its trial code into Text1, which the next run would lay.
    controls_.type({"Text1"}, "追加 1");
    runAnswer(ports_, RunOptions{.skipCycleGrid = true}, result_);
    return result_;
  }

 private:
  HeadlessControls controls_;
  RecordingSurface surface_{false};
  AnswerQueue answers_;
  QueuedPrompt prompt_{answers_};
  batch::PuzzleFile file_;
  Ports ports_{controls_, surface_, prompt_, file_};
  RunResult result_;
};

void expectCheckHolds(const std::string &puzzle, const CheckResult &c) {
  EXPECT_EQ(c.clashes, clashesByHand(puzzle));
  if (!c.clashes.empty()) {
    EXPECT_EQ(c.solutions, 0);
  }
  EXPECT_EQ(c.solution.has_value(), c.solutions >= 1);
  EXPECT_EQ(c.second.has_value(), c.solutions == 2);
  if (c.solution) {
    EXPECT_TRUE(isCompletionOf(gridString(*c.solution), puzzle));
  }
  if (c.second) {
    EXPECT_TRUE(isCompletionOf(gridString(*c.second), puzzle));
    std::vector<CellRef> differ;
    for (std::size_t i = 0; i < 81; ++i) {
      if ((*c.solution)[i] != (*c.second)[i])
        differ.push_back({static_cast<int>(i) / 9 + 1, static_cast<int>(i) % 9 + 1});
    }
    EXPECT_FALSE(differ.empty());
    EXPECT_EQ(c.differ, differ);
  } else {
    EXPECT_TRUE(c.differ.empty());
  }
}

class EverySet : public testing::TestWithParam<std::string> {};

TEST_P(EverySet, CheckAndRunAgreeOnEveryLine) {
  const fs::path dir(NUMPLACE_DATA_DIR);
  const std::vector<std::string> puzzles = linesOf(dir / GetParam());
  ASSERT_FALSE(puzzles.empty());
  const fs::path solutionsFile = dir / "solutions" / GetParam();
  const std::vector<std::string> known =
      fs::exists(solutionsFile) ? linesOf(solutionsFile) : std::vector<std::string>{};
  Runner runner;
  int counted = 0;
  for (std::size_t n = 0; n < puzzles.size(); ++n) {
    SCOPED_TRACE(GetParam() + " line " + std::to_string(n + 1));
    const std::string &puzzle = puzzles[n];
    const CheckResult c = checkGivens(gridOfText(puzzle));
    expectCheckHolds(puzzle, c);
    if (n < known.size()) {
      EXPECT_EQ(gridString(c.solution.value()), known[n]);
    }
    const RunResult &run = runner.run(puzzle);
    EXPECT_EQ(run.givens, gridOfText(puzzle));
    if (run.end == RunEnd::Solved) {
      EXPECT_NE(c.solutions, 0);
      EXPECT_TRUE(isCompletionOf(gridString(run.board), puzzle));
      if (c.solutions == 1) {
        EXPECT_EQ(run.board, *c.solution);
      }
    }
    // A sample counted again by plain backtracking.
    if (n % 97 == 0) {
      std::string copy = puzzle;
      EXPECT_EQ(countByBacktracking(copy, 2), c.solutions);
      ++counted;
    }
  }
  EXPECT_GT(counted, 0);
}

// Every .txt collection of tests/data, found when the tests start.
std::vector<std::string> collections() {
  std::vector<std::string> out;
  for (const auto &entry : fs::directory_iterator(NUMPLACE_DATA_DIR)) {
    if (entry.path().extension() == ".txt") out.push_back(entry.path().filename().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

INSTANTIATE_TEST_SUITE_P(Collections, EverySet, testing::ValuesIn(collections()),
                         [](const testing::TestParamInfo<std::string> &set) {
                           return fs::path(set.param).stem().string();
                         });

TEST(GradeLevels, TheFirstTwoLevelsAreWhatSinglesReach) {
  // Level 1: naked singles and hidden singles in blocks finish the puzzle;
  // level 2: hidden singles in rows or columns are needed as well; above:
  // singles alone do not finish it.
  const fs::path dir(NUMPLACE_DATA_DIR);
  int levels[8]{};
  for (const char *set : {"se_easy.txt", "se_medium.txt", "17clue.txt"}) {
    const std::vector<std::string> puzzles = linesOf(dir / set);
    for (std::size_t n = 0; n < puzzles.size() && n < 1200; ++n) {
      SCOPED_TRACE(std::string(set) + " line " + std::to_string(n + 1));
      const Grid g = gridOfText(puzzles[n]);
      const auto grade = gradePuzzle(g, checkGivens(g));
      ASSERT_TRUE(grade);
      ++levels[grade->level];
      EXPECT_EQ(grade->level == 1, solvedBySingles(puzzles[n], HiddenSingles::InBlocks));
      EXPECT_EQ(grade->level <= 2, solvedBySingles(puzzles[n], HiddenSingles::InEveryUnit));
    }
  }
  EXPECT_GT(levels[1], 100);
  EXPECT_GT(levels[2], 100);
  EXPECT_GT(levels[3] + levels[4] + levels[5] + levels[6] + levels[7], 100);
}

TEST(CheckMutants, ACopiedDigitClashesAndTheRunNeverSolves) {
  // Each sampled puzzle with one given copied into an empty cell of its row,
  // column or block: a clash the check must name, and the run must not solve.
  Runner runner;
  const fs::path dir(NUMPLACE_DATA_DIR);
  int made = 0;
  for (const char *set : {"se_easy.txt", "top95.txt", "17clue.txt", "serg_multisolution.txt"}) {
    const std::vector<std::string> puzzles = linesOf(dir / set);
    for (std::size_t n = 0; n < puzzles.size(); n += 23) {
      std::string p = puzzles[n];
      const auto given = p.find_first_not_of('0');
      const int r = static_cast<int>(given) / 9 + 1;
      for (int c = 1; c <= 9; ++c) {
        if (digitAt(p, r, c) == 0) {
          p = withDigit(p, r, c, digitAt(p, r, static_cast<int>(given) % 9 + 1));
          break;
        }
      }
      SCOPED_TRACE(p);
      const CheckResult check = checkGivens(gridOfText(p));
      expectCheckHolds(p, check);
      EXPECT_FALSE(check.clashes.empty());
      EXPECT_EQ(check.solutions, 0);
      EXPECT_NE(runner.run(p).end, RunEnd::Solved);
      ++made;
    }
  }
  EXPECT_GT(made, 100);
}

TEST(CheckMutants, NoSolutionWithoutClashIsNeverSolved) {
  Runner runner;
  std::string p(kNoCompletionPuzzle);
  const CheckResult c = checkGivens(gridOfText(p));
  expectCheckHolds(p, c);
  EXPECT_EQ(c.solutions, 0);
  EXPECT_EQ(countByBacktracking(p, 2), 0);
  EXPECT_NE(runner.run(p).end, RunEnd::Solved);
}

TEST(CheckDataFiles, TheSampleDataFilesHaveOneSolutionEach) {
  for (const char *name : {"karune111.csv", "medium.csv", "trial.csv"}) {
    HeadlessControls controls;
    controls.type({"Text3"}, std::string(NUMPLACE_DATA_DIR) + "/" + name);
    const PuzzleReport report = examinePuzzle(controls, DiskFiles());
    EXPECT_FALSE(report.badInput) << name;
    EXPECT_EQ(report.source.kind, SourceKind::File);
    EXPECT_EQ(report.check.solutions, 1) << name;
    EXPECT_TRUE(report.grade) << name;
  }
}

}  // namespace
}  // namespace numplace_test
