// The generator: every puzzle it makes has one solution (counted here by a
// plain search that shares nothing with the exact check), the level, score,
// number of givens and symmetry asked for, and no given that could go; the
// same seed makes the same puzzles, on any number of threads; a cancel flag
// stops it at once. Then numplace-cli --generate, run as a program.
#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

#include "check/check.h"
#include "cli_run.h"
#include "generate/generate.h"
#include "generate/random.h"
#include "helpers.h"

namespace numplace_test {
namespace {

using Json = nlohmann::json;

// Solutions counted to `limit` by backtracking on the digits that each
// row, column and block still lacks: the empty cell with the fewest of
// them first. No propagation, nothing taken from the exact check.
class BruteCounter {
 public:
  explicit BruteCounter(const Grid &g) : cells_(g) {
    for (int i = 0; i < 81; ++i) {
      if (cells_[static_cast<std::size_t>(i)] != 0) mark(i, cells_[static_cast<std::size_t>(i)]);
    }
  }
  int count(int limit) {
    int best = -1;
    unsigned bestFree = 0;
    int fewest = 10;
    for (int i = 0; i < 81 && fewest > 1; ++i) {
      if (cells_[static_cast<std::size_t>(i)] != 0) continue;
      const unsigned free = 0x3FEu & ~(rows_[i / 9] | columns_[i % 9] | blocks_[block(i)]);
      const int n = std::popcount(free);
      if (n < fewest) {
        fewest = n;
        best = i;
        bestFree = free;
      }
    }
    if (best < 0) return 1;
    int found = 0;
    for (int d = 1; d <= 9 && found < limit; ++d) {
      if ((bestFree & (1u << d)) == 0) continue;
      cells_[static_cast<std::size_t>(best)] = static_cast<std::uint8_t>(d);
      mark(best, d);
      found += count(limit - found);
      unmark(best, d);
      cells_[static_cast<std::size_t>(best)] = 0;
    }
    return found;
  }

 private:
  static int block(int i) { return 3 * (i / 27) + (i % 9) / 3; }
  void mark(int i, int d) {
    rows_[i / 9] |= 1u << d;
    columns_[i % 9] |= 1u << d;
    blocks_[block(i)] |= 1u << d;
  }
  void unmark(int i, int d) {
    rows_[i / 9] &= ~(1u << d);
    columns_[i % 9] &= ~(1u << d);
    blocks_[block(i)] &= ~(1u << d);
  }
  Grid cells_;
  unsigned rows_[9]{};
  unsigned columns_[9]{};
  unsigned blocks_[9]{};
};

int solutionsOf(const Grid &g) { return BruteCounter(g).count(2); }

// Where each symmetry sends cell (r, c), rows and columns 0..8, written out
// here as a person would: the generator's own mapping is what is tested.
std::pair<int, int> image(Symmetry s, int r, int c) {
  switch (s) {
    case Symmetry::None:
      return {r, c};
    case Symmetry::Rotate180:
      return {8 - r, 8 - c};
    case Symmetry::Rotate90:
      return {c, 8 - r};
    case Symmetry::Mirror:
      return {r, 8 - c};
    case Symmetry::Flip:
      return {8 - r, c};
    case Symmetry::Diagonal:
      return {c, r};
    case Symmetry::AntiDiagonal:
      return {8 - c, 8 - r};
  }
  return {r, c};
}

bool symmetricByHand(const Grid &g, Symmetry s) {
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const auto [r2, c2] = image(s, r, c);
      if ((g[static_cast<std::size_t>(9 * r + c)] != 0) != (g[static_cast<std::size_t>(9 * r2 + c2)] != 0))
        return false;
    }
  }
  return true;
}

int givensOf(const Grid &g) {
  return static_cast<int>(std::count_if(g.begin(), g.end(), [](std::uint8_t d) { return d != 0; }));
}

// The truths of one generated puzzle, each found again here.
void expectSound(const GeneratedPuzzle &p, const GenerateOptions &o) {
  SCOPED_TRACE(gridString(p.puzzle) + " seed " + std::to_string(p.seed));
  ASSERT_EQ(solutionsOf(p.puzzle), 1);
  EXPECT_TRUE(isCompletionOf(gridString(p.solution), gridString(p.puzzle)));
  EXPECT_EQ(p.givens, givensOf(p.puzzle));
  EXPECT_GE(p.givens, o.minGivens);
  EXPECT_LE(p.givens, o.maxGivens);
  EXPECT_TRUE(symmetricByHand(p.puzzle, o.symmetry));
  const auto grade = gradePuzzle(p.puzzle, checkGivens(p.puzzle));
  ASSERT_TRUE(grade);
  if (o.level != 0) {
    EXPECT_EQ(grade->level, o.level);
  }
  EXPECT_GE(grade->score, o.minScore);
  EXPECT_LE(grade->score, o.maxScore);
  if (p.grade) {
    EXPECT_EQ(p.grade->level, grade->level);
    EXPECT_EQ(p.grade->score, grade->score);
  }
  if (o.minimal) {
    for (std::size_t i = 0; i < 81; ++i) {
      if (p.puzzle[i] == 0) continue;
      Grid fewer = p.puzzle;
      fewer[i] = 0;
      EXPECT_EQ(solutionsOf(fewer), 2) << "the given at cell " << i << " could go";
    }
  }
}

std::vector<GeneratedPuzzle> generated(const GenerateOptions &o, std::uint64_t seed, int count, unsigned jobs = 1) {
  std::vector<GeneratedPuzzle> out;
  EXPECT_TRUE(generatePuzzles(o, seed, count, jobs, [&](const GeneratedPuzzle &p) { out.push_back(p); }));
  EXPECT_EQ(out.size(), static_cast<std::size_t>(count));
  return out;
}

TEST(GenerateSample, EverySymmetryGivesSoundMinimalPuzzles) {
  for (const Symmetry s : kSymmetries) {
    SCOPED_TRACE(std::string(symmetryName(s)));
    GenerateOptions o;
    o.symmetry = s;
    o.grade = true;
    const int count = s == Symmetry::None ? 60 : s == Symmetry::Rotate90 ? 4 : 15;
    int levels[kLevels + 1]{};
    for (const GeneratedPuzzle &p : generated(o, 11, count)) {
      expectSound(p, o);
      ASSERT_TRUE(p.grade);
      ++levels[p.grade->level];
    }
    // Any level means more than one.
    if (s == Symmetry::None) {
      EXPECT_LT(*std::max_element(std::begin(levels), std::end(levels)), count);
    }
  }
}

TEST(GenerateSample, EveryLevelCanBeAskedFor) {
  for (int level = 1; level <= kLevels; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    GenerateOptions o;
    o.level = level;
    for (const GeneratedPuzzle &p : generated(o, 100 + static_cast<std::uint64_t>(level), 12)) {
      ASSERT_TRUE(p.grade);
      expectSound(p, o);
    }
  }
}

TEST(GenerateSample, LevelsWithASymmetry) {
  for (const auto &[level, symmetry] : {std::pair{6, Symmetry::Rotate180}, std::pair{1, Symmetry::Mirror},
                                        std::pair{3, Symmetry::Diagonal}, std::pair{7, Symmetry::Flip}}) {
    GenerateOptions o;
    o.level = level;
    o.symmetry = symmetry;
    for (const GeneratedPuzzle &p : generated(o, 5, 5)) expectSound(p, o);
  }
}

TEST(GenerateSample, GivensAndScoreRanges) {
  GenerateOptions few;
  few.minGivens = 20;
  few.maxGivens = 21;
  for (const GeneratedPuzzle &p : generated(few, 3, 6)) expectSound(p, few);
  GenerateOptions many;
  many.minGivens = 27;
  many.maxGivens = 28;
  for (const GeneratedPuzzle &p : generated(many, 3, 4)) expectSound(p, many);
  GenerateOptions scored;
  scored.level = 6;
  scored.minScore = 1000;
  scored.maxScore = 1500;
  for (const GeneratedPuzzle &p : generated(scored, 3, 6)) expectSound(p, scored);
}

TEST(GenerateSample, NotMinimalStopsAtTheFewestGivensAndKeepsTheLevel) {
  GenerateOptions o;
  o.minimal = false;
  o.level = 1;
  o.minGivens = 30;
  o.maxGivens = 34;
  o.symmetry = Symmetry::Rotate180;
  for (const GeneratedPuzzle &p : generated(o, 9, 10)) expectSound(p, o);
  // Without a range, down to where no group can go: a symmetric puzzle that
  // is minimal group by group, not always given by given.
  GenerateOptions groups;
  groups.minimal = false;
  groups.symmetry = Symmetry::Rotate90;
  int loose = 0;
  for (const GeneratedPuzzle &p : generated(groups, 9, 10)) {
    expectSound(p, groups);
    for (std::size_t i = 0; i < 81; ++i) {
      if (p.puzzle[i] == 0) continue;
      Grid fewer = p.puzzle;
      fewer[i] = 0;
      loose += solutionsOf(fewer) == 1 ? 1 : 0;
    }
  }
  EXPECT_GT(loose, 0);
}

TEST(GenerateSeeds, TheSameSeedMakesTheSamePuzzlesAndOthersOthers) {
  GenerateOptions o;
  o.level = 3;
  o.symmetry = Symmetry::Rotate180;
  const std::vector<GeneratedPuzzle> a = generated(o, 42, 6);
  const std::vector<GeneratedPuzzle> b = generated(o, 42, 6);
  const std::vector<GeneratedPuzzle> c = generated(o, 43, 6);
  std::set<Grid> distinct;
  for (std::size_t k = 0; k < a.size(); ++k) {
    EXPECT_EQ(a[k].puzzle, b[k].puzzle);
    EXPECT_EQ(a[k].seed, b[k].seed);
    distinct.insert(a[k].puzzle);
    distinct.insert(c[k].puzzle);
    // Each puzzle's own seed makes it again, alone.
    const auto again = generatePuzzle(o, a[k].seed);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->puzzle, a[k].puzzle);
    EXPECT_EQ(again->solution, a[k].solution);
  }
  EXPECT_EQ(distinct.size(), 12u);
  EXPECT_EQ(a[0].seed, 42u);
}

TEST(GenerateSeeds, TheSamePuzzlesOnEveryMachine) {
  // The promise of the seed: these were made on the development machine,
  // and any compiler, library or processor must make them again.
  GenerateOptions o;
  EXPECT_EQ(gridString(generatePuzzle(o, 1).value().puzzle),
            "030926001004000005000080003700000054060100700040003600000000000020870000000060498");
  o.level = 6;
  o.symmetry = Symmetry::Rotate180;
  EXPECT_EQ(gridString(generatePuzzle(o, 1).value().puzzle),
            "800000000050000800090600201310080040000904000040070023402005010005000030000000007");
  // The random numbers themselves: splitmix64's published first output
  // from 0, and draws below n within range.
  std::uint64_t state = 0;
  EXPECT_EQ(splitMix64(state), 0xE220A8397B1DCDAFull);
  Random r(7);
  int seen[6]{};
  for (int i = 0; i < 6000; ++i) {
    const unsigned x = r.below(6);
    ASSERT_LT(x, 6u);
    ++seen[x];
  }
  for (const int n : seen) EXPECT_GT(n, 800);
}

TEST(GenerateSeeds, ThreadsChangeNothing) {
  GenerateOptions o;
  o.level = 2;
  const std::vector<GeneratedPuzzle> one = generated(o, 77, 24, 1);
  const std::vector<GeneratedPuzzle> two = generated(o, 77, 24, 2);
  const std::vector<GeneratedPuzzle> four = generated(o, 77, 24, 4);
  for (std::size_t k = 0; k < one.size(); ++k) {
    EXPECT_EQ(one[k].puzzle, two[k].puzzle);
    EXPECT_EQ(one[k].puzzle, four[k].puzzle);
    EXPECT_EQ(one[k].seed, puzzleSeed(77, k));
  }
}

TEST(GenerateCancel, AFlagStopsItAtOnce) {
  // Seventeen givens are almost never met: without the flag it would run on.
  GenerateOptions o;
  o.minGivens = 17;
  o.maxGivens = 17;
  std::atomic<bool> cancel = false;
  long attempts = 0;
  long afterCancel = 0;
  const auto p = generatePuzzle(o, 1, &cancel, [&](const GenerateProgress &progress) {
    attempts = progress.attempts;
    if (cancel) ++afterCancel;
    if (attempts == 40) cancel = true;
  });
  EXPECT_FALSE(p);
  EXPECT_GE(attempts, 40);
  EXPECT_LE(afterCancel, 1);
  // From another thread, with several generating.
  std::atomic<bool> stop = false;
  std::atomic<long> seen = 0;
  bool finished = true;
  std::thread worker([&] {
    finished = generatePuzzles(
        o, 1, 5, 2, [](const GeneratedPuzzle &) {}, &stop,
        [&](const GenerateProgress &progress) { seen = progress.attempts; });
  });
  while (seen < 20) std::this_thread::yield();
  stop = true;
  worker.join();
  EXPECT_FALSE(finished);
}

TEST(GenerateOptionsCheck, ImpossibleRequestsAreNamed) {
  GenerateOptions o;
  EXPECT_FALSE(optionsProblem(o));
  o.level = 8;
  EXPECT_TRUE(optionsProblem(o));
  o = {};
  o.minGivens = 16;
  EXPECT_TRUE(optionsProblem(o));
  o = {};
  o.minGivens = 30;
  o.maxGivens = 29;
  EXPECT_TRUE(optionsProblem(o));
  o = {};
  o.symmetry = Symmetry::Rotate90;
  o.minGivens = 22;
  o.maxGivens = 23;  // four cells a group and the centre: 4k or 4k + 1
  EXPECT_TRUE(optionsProblem(o));
  o.maxGivens = 24;
  EXPECT_FALSE(optionsProblem(o));
  o = {};
  o.minScore = 10;
  o.maxScore = 9;
  EXPECT_TRUE(optionsProblem(o));
}

TEST(GenerateNames, SymmetriesAndLevelsByName) {
  for (const Symmetry s : kSymmetries) EXPECT_EQ(symmetryNamed(symmetryName(s)), s);
  EXPECT_FALSE(symmetryNamed("rotate180"));
  for (int level = 1; level <= kLevels; ++level) EXPECT_EQ(levelNamed(levelKey(level)), level);
  EXPECT_EQ(levelNamed("trial"), 6);
  EXPECT_FALSE(levelNamed("Trial"));
  // Each symmetry's image of each cell, against the one written out here.
  for (const Symmetry s : kSymmetries) {
    for (int i = 0; i < 81; ++i) {
      const auto [r, c] = image(s, i / 9, i % 9);
      EXPECT_EQ(symmetricCell(s, i), 9 * r + c) << symmetryName(s) << " cell " << i;
    }
  }
}

// The exact check's parts that the generator stands on, against checkGivens.
TEST(GenerateSearch, RulingADigitOutAgreesWithTheCount) {
  std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/se_medium.txt");
  Random r(5);
  int several = 0;
  int one = 0;
  int n = 0;
  for (std::string line; std::getline(in, line) && n < 150; ++n) {
    Grid g{};
    for (std::size_t i = 0; i < 81; ++i) g[i] = static_cast<std::uint8_t>(line[i] >= '1' ? line[i] - '0' : 0);
    const CheckResult c = checkGivens(g);
    ASSERT_EQ(c.solutions, 1);
    std::size_t cell = 0;
    do cell = r.below(81);
    while (g[cell] == 0);
    const int digit = g[cell];
    g[cell] = 0;
    Grid other{};
    const bool second = solvableWithout(g, static_cast<int>(cell), digit, &other);
    EXPECT_EQ(second, checkGivens(g).solutions == 2) << line;
    if (second) {
      EXPECT_TRUE(isCompletionOf(gridString(other), gridString(g)));
      EXPECT_NE(other[cell], digit);
      ++several;
    } else {
      ++one;
    }
  }
  EXPECT_GT(several, 10);
  EXPECT_GT(one, 10);
}

TEST(GenerateSearch, RandomSolutionsAreSolutions) {
  Random r(3);
  const Grid empty{};
  std::set<Grid> grids;
  for (int k = 0; k < 20; ++k) {
    const auto full = randomSolution(empty, r);
    ASSERT_TRUE(full);
    EXPECT_TRUE(isCompletionOf(gridString(*full), std::string(81, '0')));
    grids.insert(*full);
  }
  EXPECT_EQ(grids.size(), 20u);
  Grid easy{};
  for (std::size_t i = 0; i < 81; ++i) easy[i] = static_cast<std::uint8_t>(kEasyPuzzle[i] - '0');
  EXPECT_EQ(gridString(randomSolution(easy, r).value()), kEasySolution);
  Grid none{};
  for (std::size_t i = 0; i < 81; ++i) none[i] = static_cast<std::uint8_t>(kNoCompletionPuzzle[i] - '0');
  EXPECT_FALSE(randomSolution(none, r));
}

// numplace-cli --generate, run as a program.

std::vector<std::string> generateLines(const std::string &arguments) {
  const CliResult r = runCli("--generate " + arguments);
  EXPECT_EQ(r.status, 0) << r.err;
  return r.lines();
}

Grid gridOf(const std::string &line) {
  Grid g{};
  for (std::size_t i = 0; i < 81 && i < line.size(); ++i)
    g[i] = static_cast<std::uint8_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
  return g;
}

TEST(GenerateCli, TwentyTrialPuzzlesSymmetricUnderAHalfTurn) {
  const std::string arguments = "20 --level trial --symmetry rot180 --seed 1";
  const CliResult r = runCli("--generate " + arguments);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");  // a seed was given, and the standard error is no terminal
  const std::vector<std::string> lines = r.lines();
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), 20u);
  GenerateOptions o;
  o.level = 6;
  o.symmetry = Symmetry::Rotate180;
  for (const std::string &line : lines) {
    ASSERT_EQ(line.size(), 81u);
    ASSERT_EQ(line.find_first_not_of("0123456789"), std::string::npos);
    const Grid g = gridOf(line);
    GeneratedPuzzle p{g, checkGivens(g).solution.value_or(Grid{}), std::nullopt, givensOf(g), 0};
    expectSound(p, o);
  }
  // The batch reads them as they are and grades them the same.
  std::string input;
  for (const std::string &line : lines) input += line + '\n';
  const CliResult checked = runCliOnInput("--batch - --check", input);
  EXPECT_EQ(checked.status, 0);
  const std::vector<std::string> graded = checked.lines();
  ASSERT_EQ(graded.size(), 20u);
  for (const std::string &line : graded) {
    EXPECT_NE(line.find(" solved "), std::string::npos) << line;
    EXPECT_NE(line.find(" solutions=1 grade=6:Trial:"), std::string::npos) << line;
  }
  EXPECT_EQ(runCli("--generate " + arguments).out, r.out);
}

TEST(GenerateCli, JsonLinesNameTheSeedThatMakesEachAgain) {
  const CliResult r = runCli("--generate 5 --level hard --symmetry mirror --seed 8 --json");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = r.lines();
  ASSERT_EQ(lines.size(), 5u);
  for (const std::string &line : lines) {
    const Json j = Json::parse(line);
    EXPECT_EQ(j["grade"]["level"], 3);
    EXPECT_EQ(j["grade"]["name"], "上級");
    EXPECT_EQ(j["grade"]["english"], "Hard");
    EXPECT_EQ(j["symmetry"], "mirror");
    const std::string puzzle = j["puzzle"];
    const std::string solution = j["solution"];
    EXPECT_TRUE(isCompletionOf(solution, puzzle));
    EXPECT_EQ(j["givens"], givensOf(gridOf(puzzle)));
    const std::uint64_t seed = j["seed"];
    const std::vector<std::string> again =
        generateLines("1 --level 3 --symmetry mirror --seed " + std::to_string(seed) + " --jobs 1");
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0], puzzle);
  }
  EXPECT_EQ(Json::parse(lines[0])["seed"], 8);
}

TEST(GenerateCli, TheSameOutputForEveryJobs) {
  for (const std::string arguments : {"30 --seed 4", "12 --level expert --seed 4 --json"}) {
    const std::vector<std::string> one = generateLines(arguments + " --jobs 1");
    EXPECT_EQ(one.size(), arguments.starts_with("30") ? 30u : 12u);
    EXPECT_EQ(generateLines(arguments + " --jobs 2"), one) << arguments;
    EXPECT_EQ(generateLines(arguments + " --jobs 3"), one) << arguments;
  }
}

TEST(GenerateCli, EveryLevelByNumberAndName) {
  const char *names[] = {"", "easy", "medium", "hard", "expert", "fiendish", "trial", "beyond"};
  for (int level = 1; level <= kLevels; ++level) {
    const std::vector<std::string> byName = generateLines(std::string("3 --seed 2 --json --level ") + names[level]);
    EXPECT_EQ(generateLines("3 --seed 2 --json --level " + std::to_string(level)), byName);
    ASSERT_EQ(byName.size(), 3u);
    for (const std::string &line : byName) {
      const Grid g = gridOf(Json::parse(line)["puzzle"]);
      EXPECT_EQ(gradePuzzle(g, checkGivens(g)).value().level, level) << line;
    }
  }
}

TEST(GenerateCli, ASeedFromTheClockIsToldAndMakesTheSameAgain) {
  const CliResult r = runCli("--generate 3");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_TRUE(r.err.starts_with("numplace-cli: seed ")) << r.err;
  const std::string seed = r.err.substr(19, r.err.find('\n') - 19);
  EXPECT_EQ(runCli("--generate 3 --seed " + seed).out, r.out);
}

TEST(GenerateCli, BadArgumentsExitWithTwo) {
  for (const char *arguments :
       {"--generate 0", "--generate 2 --level 0", "--generate 2 --level Trial", "--level 3", "--seed 1",
        "--generate 2 --givens 16-30", "--generate 2 --givens 30-20", "--generate 2 --symmetry rotate90",
        "--generate 2 --seed 9007199254740992", "--generate 2 --seed -1", "--generate 2 --click Command3",
        "--generate 2 --batch -", "--generate 2 --check", "--generate 2 --trace", "--not-minimal",
        "--generate 2 --symmetry rot90 --givens 22-23", "--generate 2 --score 9-3", "--generate"}) {
    const CliResult r = runCli(arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_EQ(r.out, "") << arguments;
    EXPECT_TRUE(r.err.starts_with("numplace-cli: ")) << arguments << ": " << r.err;
  }
}

}  // namespace
}  // namespace numplace_test
