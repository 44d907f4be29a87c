// The exact check, the grade and the report of the puzzle the next run reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "check/check.h"
#include "helpers.h"

namespace numplace_test {
namespace {

Grid gridOfText(std::string_view text) {
  Grid g{};
  for (std::size_t i = 0; i < 81 && i < text.size(); ++i)
    g[i] = static_cast<std::uint8_t>(text[i] >= '1' && text[i] <= '9' ? text[i] - '0' : 0);
  return g;
}

std::string lineOf(const std::string &file, int n) {
  std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/" + file);
  std::string line;
  for (int k = 1; k <= n && std::getline(in, line); ++k) {
  }
  return line;
}

TEST(CheckGivens, ReportsEveryClashingPairWithItsUnit) {
  // 5 at (1, 1) and (1, 5): a row; 5 at (1, 1) and (2, 2) also: a block;
  // 7 at (4, 9) and (9, 9): a column.
  std::string p(81, '0');
  p[0] = '5';
  p[4] = '5';
  p[10] = '5';
  p[3 * 9 + 8] = '7';
  p[8 * 9 + 8] = '7';
  const CheckResult c = checkGivens(gridOfText(p));
  EXPECT_EQ(c.solutions, 0);
  EXPECT_FALSE(c.solution);
  const std::vector<Clash> want{
      {{CellRef{1, 1}, CellRef{1, 5}}, 5, UnitKind::Row},
      {{CellRef{4, 9}, CellRef{9, 9}}, 7, UnitKind::Column},
      {{CellRef{1, 1}, CellRef{2, 2}}, 5, UnitKind::Block},
  };
  EXPECT_EQ(c.clashes, want);
}

TEST(CheckGivens, NoClashYetNoSolution) {
  const CheckResult c = checkGivens(gridOfText(kNoCompletionPuzzle));
  EXPECT_TRUE(c.clashes.empty());
  EXPECT_EQ(c.solutions, 0);
  EXPECT_FALSE(c.solution);
  EXPECT_TRUE(c.differ.empty());
}

TEST(CheckGivens, OneSolutionIsTheKnownOne) {
  for (const auto &[puzzle, solution] : {std::pair{kEasyPuzzle, kEasySolution}, std::pair{kTrialPuzzle, kTrialSolution},
                                         std::pair{kStepPuzzle, kStepSolution}}) {
    const CheckResult c = checkGivens(gridOfText(puzzle));
    EXPECT_EQ(c.solutions, 1) << puzzle;
    ASSERT_TRUE(c.solution);
    EXPECT_EQ(gridString(*c.solution), solution);
    EXPECT_FALSE(c.second);
    EXPECT_TRUE(c.differ.empty());
  }
  // A full grid is its own solution, without a search.
  const CheckResult full = checkGivens(gridOfText(kCompleteGrid));
  EXPECT_EQ(full.solutions, 1);
  EXPECT_EQ(gridString(full.solution.value()), kCompleteGrid);
  EXPECT_EQ(full.guesses, 0);
}

TEST(CheckGivens, SeveralSolutionsDifferExactlyWhereReported) {
  for (const std::string &puzzle : {lineOf("serg_multisolution.txt", 1), std::string(81, '0'),
                                    // the sample with one given taken away
                                    withDigit(kEasyPuzzle, 1, 2, 0)}) {
    const CheckResult c = checkGivens(gridOfText(puzzle));
    ASSERT_EQ(c.solutions, 2) << puzzle;
    ASSERT_TRUE(c.solution && c.second);
    const std::string a = gridString(*c.solution);
    const std::string b = gridString(*c.second);
    EXPECT_TRUE(isCompletionOf(a, puzzle));
    EXPECT_TRUE(isCompletionOf(b, puzzle));
    std::vector<CellRef> differ;
    for (int i = 0; i < 81; ++i) {
      if (a[static_cast<std::size_t>(i)] != b[static_cast<std::size_t>(i)]) differ.push_back({i / 9 + 1, i % 9 + 1});
    }
    EXPECT_FALSE(differ.empty());
    EXPECT_EQ(c.differ, differ);
  }
}

// Singles and locked candidates run to the end before any branch, and again
// after every placement: these hard puzzles need no branch at all then (the
// first needs dozens without locked candidates; the others only when the
// bands are looked at again after placements).
TEST(CheckGivens, SinglesAndLockedCandidatesDecideWithoutBranching) {
  for (const auto &[file, line] :
       {std::pair{"top95.txt", 1}, std::pair{"top95.txt", 24}, std::pair{"17clue.txt", 190}}) {
    const std::string puzzle = lineOf(file, line);
    const CheckResult c = checkGivens(gridOfText(puzzle));
    ASSERT_EQ(c.solutions, 1) << file << ':' << line;
    EXPECT_TRUE(isCompletionOf(gridString(*c.solution), puzzle)) << file << ':' << line;
    EXPECT_EQ(c.guesses, 0) << file << ':' << line;
  }
}

TEST(CheckGivens, SameAnswerEveryTime) {
  const Grid g = gridOfText(lineOf("serg_multisolution.txt", 7));
  const CheckResult a = checkGivens(g);
  const CheckResult b = checkGivens(g);
  EXPECT_EQ(a.solution, b.solution);
  EXPECT_EQ(a.second, b.second);
  EXPECT_EQ(a.differ, b.differ);
}

TEST(GradePuzzle, OnlyPuzzlesWithOneSolutionAreGraded) {
  for (const std::string &p : {std::string(kNoCompletionPuzzle), lineOf("serg_multisolution.txt", 1)}) {
    const Grid g = gridOfText(p);
    EXPECT_FALSE(gradePuzzle(g, checkGivens(g))) << p;
  }
}

TEST(GradePuzzle, SinglesAloneAreTheFirstLevel) {
  const Grid g = gridOfText(kEasyPuzzle);
  const auto grade = gradePuzzle(g, checkGivens(g));
  ASSERT_TRUE(grade);
  EXPECT_EQ(grade->level, 1);
  EXPECT_EQ(grade->name, "初級");
  EXPECT_EQ(grade->english, "Easy");
  // Each empty cell placed by a single weighing 1 or 2.
  const auto empty = static_cast<int>(std::count(kEasyPuzzle.begin(), kEasyPuzzle.end(), '0'));
  EXPECT_GE(grade->score, empty);
  EXPECT_LE(grade->score, 2 * empty);
  // A full grid needs nothing: the easiest level, no score.
  const Grid full = gridOfText(kCompleteGrid);
  EXPECT_EQ(gradePuzzle(full, checkGivens(full)).value().score, 0);
}

TEST(GradePuzzle, ThePassLimitPuzzleIsBeyondTheTechniques) {
  // Neither logic nor any trial of the answer run finishes it, yet it has one solution.
  const Grid g = gridOfText(kPassLimitPuzzle);
  const CheckResult c = checkGivens(g);
  ASSERT_EQ(c.solutions, 1);
  const auto grade = gradePuzzle(g, c);
  ASSERT_TRUE(grade);
  EXPECT_EQ(grade->level, 7);
  EXPECT_EQ(grade->english, "Beyond");
}

TEST(GradePuzzle, HarderPuzzlesGradeHigherOnTheWhole) {
  // The mean level of the first 50 of each collection rises with the
  // collection's own rating.
  double previous = 0;
  for (const char *set : {"se_easy.txt", "se_medium.txt", "se_hard.txt", "se_diabolical.txt"}) {
    std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/" + set);
    std::string line;
    double sum = 0;
    int n = 0;
    while (n < 50 && std::getline(in, line)) {
      const Grid g = gridOfText(line);
      sum += gradePuzzle(g, checkGivens(g)).value().level;
      ++n;
    }
    EXPECT_GT(sum / n, previous) << set;
    previous = sum / n;
  }
}

// A window's controls and files, and the answer run's reading of them.
struct Window {
  HeadlessControls controls;
  MemoryFiles files;
  RecordingSurface surface{false};
  AnswerQueue answers;
  QueuedPrompt prompt{answers};

  void typeGrid(std::string_view puzzle, int fromRow = 1, int toRow = 9) {
    for (int r = fromRow; r <= toRow; ++r) {
      for (int c = 1; c <= 9; ++c) {
        const int d = digitAt(puzzle, r, c);
        if (d != 0) controls.type({"Text15", cellIndex(r, c)}, std::string(1, static_cast<char>('0' + d)));
      }
    }
  }
  RunResult answerRun() {
    Ports ports{controls, surface, prompt, files};
    RunResult result;
    runAnswer(ports, RunOptions{.skipCycleGrid = true}, result);
    return result;
  }
};

TEST(ExaminePuzzle, ReadsTheGridAsTheRunDoes) {
  Window w;
  w.typeGrid(kEasyPuzzle);
  const PuzzleReport report = examinePuzzle(w.controls, w.files);
  const RunResult run = w.answerRun();
  EXPECT_FALSE(report.badInput);
  EXPECT_EQ(report.source, (PuzzleSource{SourceKind::Grid, "", false}));
  EXPECT_EQ(report.source, run.source);
  EXPECT_EQ(report.givens, run.givens);
  EXPECT_EQ(report.check.solutions, 1);
  EXPECT_EQ(report.check.solution, run.board);
  EXPECT_EQ(report.grade.value().level, 1);
}

TEST(ExaminePuzzle, AGridWithThreeEmptyRowsIsPassedOverForTheRowsOrTheFile) {
  Window w;
  w.typeGrid(kEasyPuzzle, 1, 6);
  // The row boxes are empty too: the data file named in Text3 is read.
  w.files.put("other.csv", dataFileOf(kTrialPuzzle));
  w.controls.type({"Text3"}, "other.csv");
  PuzzleReport report = examinePuzzle(w.controls, w.files);
  EXPECT_EQ(report.source, (PuzzleSource{SourceKind::File, "other.csv", true}));
  EXPECT_EQ(report.source, w.answerRun().source);
  EXPECT_EQ(gridString(report.givens), kTrialPuzzle);
  EXPECT_EQ(gridString(report.check.solution.value()), kTrialSolution);
  // Row boxes filled: they are read instead.
  for (int r = 1; r <= 9; ++r)
    w.controls.type({"Text5", r}, std::string(kStepPuzzle.substr(static_cast<std::size_t>(9 * (r - 1)), 9)));
  report = examinePuzzle(w.controls, w.files);
  EXPECT_EQ(report.source, (PuzzleSource{SourceKind::Rows, "", true}));
  const RunResult run = w.answerRun();
  EXPECT_EQ(report.source, run.source);
  // The rows, and whatever the initial texts of the extra-given boxes lay into the empty first row.
  EXPECT_EQ(gridString(report.givens).substr(9), kStepPuzzle.substr(9));
  EXPECT_EQ(report.givens, run.givens);
}

TEST(RunSource, EveryRunRecordsTheSourceItRead) {
  Window w;
  w.typeGrid(kEasyPuzzle, 1, 6);
  w.files.put("other.csv", dataFileOf(kTrialPuzzle));
  w.controls.type({"Text3"}, "other.csv");
  for (const Button button : kRunButtons) {
    Ports ports{w.controls, w.surface, w.prompt, w.files};
    const std::optional<RunResult> run = clickButton(ports, button, RunOptions{.skipCycleGrid = true});
    ASSERT_TRUE(run);
    EXPECT_EQ(run->source, (PuzzleSource{SourceKind::File, "other.csv", true})) << static_cast<int>(button);
    EXPECT_EQ(gridString(run->givens).substr(9), kTrialPuzzle.substr(9));
  }
  // The grid read again once the missing rows are typed; the source of a clear result is reset.
  w.typeGrid(kEasyPuzzle, 7, 9);
  EXPECT_EQ(w.answerRun().source, PuzzleSource{});
}

TEST(ExaminePuzzle, BadInputGivesTheRunsError) {
  Window w;
  w.controls.type({"Text3"}, "missing.csv");
  PuzzleReport report = examinePuzzle(w.controls, w.files);
  RunResult run = w.answerRun();
  ASSERT_TRUE(report.badInput);
  EXPECT_EQ(run.end, RunEnd::BadInput);
  EXPECT_EQ(report.badInput, run.inputError);
  EXPECT_EQ(report.badInput->kind, InputError::Kind::CannotOpenFile);
  EXPECT_EQ(report.source, run.source);
  EXPECT_EQ(report.source.kind, SourceKind::File);
  EXPECT_EQ(report.check.solutions, 0);
  EXPECT_FALSE(report.grade);

  w.typeGrid(kEasyPuzzle);
  w.controls.type({"Text2"}, "1234");
  report = examinePuzzle(w.controls, w.files);
  run = w.answerRun();
  ASSERT_TRUE(report.badInput);
  EXPECT_EQ(report.badInput, run.inputError);
  EXPECT_EQ(report.badInput->box, ControlRef{"Text2"});
}

TEST(ExaminePuzzle, TheExtraGivensAreLaid) {
  Window w;
  w.typeGrid(withDigit(kEasyPuzzle, 1, 2, 0));
  EXPECT_EQ(examinePuzzle(w.controls, w.files).check.solutions, 2);
  // Text1 lays the missing 5 at (1, 2); Text2 a digit over a given, which the row puts back.
  w.controls.type({"Text1"}, "125");
  w.controls.type({"Text2"}, "149");
  const PuzzleReport report = examinePuzzle(w.controls, w.files);
  EXPECT_EQ(gridString(report.givens), kEasyPuzzle);
  EXPECT_EQ(report.givens, w.answerRun().givens);
  EXPECT_EQ(report.check.solutions, 1);
  // A clash laid by an extra given.
  w.controls.type({"Text1"}, "135");
  const PuzzleReport clash = examinePuzzle(w.controls, w.files);
  EXPECT_EQ(clash.check.solutions, 0);
  EXPECT_FALSE(clash.check.clashes.empty());
  EXPECT_EQ(w.answerRun().end, RunEnd::Inconsistent);
}

// readNextPuzzle reads what examinePuzzle checks and the answer run plays,
// from every source, with the extra givens and with bad input, without the
// check: a clash is read like any puzzle.
TEST(ReadNextPuzzle, ReadsWhatTheCheckAndTheRunRead) {
  Window w;
  w.files.put("other.csv", dataFileOf(kTrialPuzzle));
  w.controls.type({"Text3"}, "other.csv");
  const std::function<void()> steps[] = {
      [] {},                                        // the data file: grid and row boxes empty
      [&] { w.controls.type({"Text3"}, "gone"); },  // a missing data file
      [&] {
        for (int r = 1; r <= 9; ++r)
          w.controls.type({"Text5", r}, std::string(kStepPuzzle.substr(static_cast<std::size_t>(9 * (r - 1)), 9)));
      },
      [&] { w.typeGrid(kEasyPuzzle); },
      [&] { w.controls.type({"Text1"}, "135"); },  // a clash laid by an extra given
      [&] { w.controls.type({"Text2"}, "-4"); },   // bad input
  };
  for (std::size_t k = 0; k < std::size(steps); ++k) {
    SCOPED_TRACE(k);
    steps[k]();
    const PuzzleRead read = readNextPuzzle(w.controls, w.files);
    const PuzzleReport report = examinePuzzle(w.controls, w.files);
    const RunResult run = w.answerRun();
    EXPECT_EQ(read.source, report.source);
    EXPECT_EQ(read.source, run.source);
    EXPECT_EQ(read.badInput, report.badInput);
    EXPECT_EQ(read.badInput, run.inputError);
    if (!read.badInput) {
      EXPECT_EQ(read.givens, report.givens);
      EXPECT_EQ(read.givens, run.givens);
    }
  }
}

}  // namespace
}  // namespace numplace_test
