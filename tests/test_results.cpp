// What the runs return: the result of each run for each way it can end, the
// texts made from a placement, the buttons by name, and the answer run's
// option to leave out the grid of every cycle.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <tuple>

#include "board/number.h"
#include "helpers.h"
#include "runs/report.h"

namespace numplace_test {
namespace {

constexpr std::string_view kLegend = "小さめの数字は、ブロック内で二つのもの。";

// 17clue.txt, line 4266: every trial of the answer run meets a contradiction.
constexpr std::string_view kTrialsFailPuzzle =
    "000000001000000023004005006000007000000080500120000000000120000007000800900050000";

const std::string kDuplicatePuzzle = withDigit(kEasyPuzzle, 4, 8, 3);  // a second 3 in row 4

TEST(PlacementTexts, StepLineUsesSurfaceNumbersAndReportTextPaddedOnes) {
  EXPECT_EQ(stepLine({1, 3, 5, 7, "基本", 0}), " 1 基本 3 - 5  7 ");
  EXPECT_EQ(stepLine({12, 9, 1, 4, "ブロ", 0}), " 12 ブロ 9 - 1  4 ");
  // Only the column digit-list single of the step family sets the hyphen apart.
  EXPECT_EQ(stepLine({56, 2, 8, 6, "縦　", 0}), " 56 縦　 2  -  8  6 ");
  EXPECT_EQ(stepLine({3, 2, 8, 6, "縦１", 0}), " 3 縦１ 2 - 8  6 ");
  EXPECT_EQ(reportText({1, 3, 5, 7, "基本", 0}), " 1 基本 3- 5  7");
  EXPECT_EQ(reportText({12, 9, 1, 4, "ブロ", 0}), " 12 ブロ 9- 1  4");
  EXPECT_EQ(reportText({56, 2, 8, 6, "縦　", 0}), " 56 縦　 2- 8  6");
}

TEST(Buttons, AreFoundByTheirControlNames) {
  EXPECT_EQ(buttonNamed("Command3"), Button::Answer);
  EXPECT_EQ(buttonNamed("Command7"), Button::Step);
  EXPECT_EQ(buttonNamed("Command1"), Button::Reference1);
  EXPECT_EQ(buttonNamed("Command5"), Button::Reference2);
  EXPECT_EQ(buttonNamed("Command4"), Button::Clear);
  for (const char *name : {"Command2", "Command6", "command3", "Text3", ""}) EXPECT_EQ(buttonNamed(name), std::nullopt);
  TestWindow w;
  w.typeGrid(kEasyPuzzle);
  EXPECT_FALSE(w.click(Button::Clear).result);
  const RunKind kinds[] = {RunKind::Answer, RunKind::Step, RunKind::Reference1, RunKind::Reference2};
  for (std::size_t i = 0; i < kRunButtons.size(); ++i) EXPECT_EQ(w.click(kRunButtons[i]).run().run, kinds[i]);
}

// ---------------------------------------------------------------------------
// The result of each way of ending.

// The board the window shows at the end: the last digit printed into each
// cell of the standard board (answer family) or the step board after the
// last clearing of the surface.
std::string shownBoard(const Clicked &c, bool stepBoard) {
  std::string board(81, '0');
  int lastClear = 0;
  for (const Printed &p : c.prints) lastClear = std::max(lastClear, p.clears);
  for (const Printed &p : c.prints) {
    if (p.clears != lastClear || p.font != (stepBoard ? 30 : 40) || p.text.size() != 3) continue;
    for (int r = 1; r <= 9; ++r) {
      for (int col = 1; col <= 9; ++col) {
        const bool here = stepBoard ? near(p.x, stepBoardX(col)) && near(p.y, stepBoardY(r))
                                    : p.x == 8556 + 720 * (col - 1) && p.y == 192 + 720 * (r - 1);
        if (here) board[static_cast<std::size_t>((r - 1) * 9 + col - 1)] = p.text[1];
      }
    }
  }
  return board;
}

struct EndCase {
  const char *name;
  Button button;
  std::string puzzle;  // empty: Text3 names a file that is not there
  RunEnd end;
  bool boardShown;
  std::vector<std::string_view> messages;
  std::optional<int> trialCode;
  int passes;                   // 0: pass 0 and two or more trials
  std::string_view board = "";  // the final board when known
  friend void PrintTo(const EndCase &c, std::ostream *os) { *os << c.name; }
};

class RunEnding : public ::testing::TestWithParam<EndCase> {};

TEST_P(RunEnding, ResultHoldsTheBoardsPlacementsAndMessagesOfTheRun) {
  const EndCase &e = GetParam();
  TestWindow w;
  w.answer("2");
  if (e.puzzle.empty()) {
    w.type({"Text3"}, "nosuch.csv");
  } else {
    w.givePuzzleFile(e.puzzle);
  }
  const Clicked c = w.click(e.button);
  const RunResult &r = c.run();
  EXPECT_EQ(r.end, e.end);
  EXPECT_EQ(r.boardShown, e.boardShown);
  EXPECT_EQ(std::vector<std::string_view>(r.messages.texts().begin(), r.messages.texts().end()), e.messages);
  EXPECT_EQ(r.trialCode, e.trialCode);
  if (e.passes != 0) {
    EXPECT_EQ(r.passes, e.passes);
  } else {
    EXPECT_GT(r.passes, 2);
  }
  if (!e.board.empty()) {
    EXPECT_EQ(gridString(r.board), e.board);
  }

  const bool answer = e.button == Button::Answer;
  const bool stepFamily = e.button == Button::Step || e.button == Button::Reference1;
  if (e.end == RunEnd::BadInput) {
    EXPECT_EQ(r.message, "「入力データ名」のファイル「nosuch.csv」を開けません。");
    EXPECT_EQ(gridString(r.givens), std::string(81, '0'));
    EXPECT_EQ(gridString(r.board), std::string(81, '0'));
    EXPECT_TRUE(r.placements.empty());
    EXPECT_FALSE(r.wroteText1);
    return;
  }
  EXPECT_TRUE(r.message.empty());
  EXPECT_EQ(gridString(r.givens), e.puzzle);
  EXPECT_EQ(shownBoard(c, stepFamily), r.boardShown ? gridString(r.board) : std::string(81, '0'));
  // Text1 is written exactly when the final drawing was reached: the trial code or empty text.
  EXPECT_EQ(r.wroteText1, answer && r.boardShown);
  EXPECT_EQ(c.textsOf("Text1"), r.wroteText1 ? std::vector<std::string>{r.trialCode ? plainNumber(*r.trialCode) : ""}
                                             : std::vector<std::string>{});

  // Steps count 1, 2, ... (the answer run: anew in each pass, pass numbers in
  // order, the solved pass repeated under its number); the last pass starts
  // at lastPassBegin.
  for (std::size_t i = 0; i < r.placements.size(); ++i) {
    const PlacementRecord &p = r.placements[i];
    if (i == 0 || (answer && p.step == 1)) {
      EXPECT_EQ(p.step, 1) << i;
      if (i > 0) {
        EXPECT_GE(p.pass, r.placements[i - 1].pass) << i;
      }
    } else {
      EXPECT_EQ(p.step, r.placements[i - 1].step + 1) << i;
      EXPECT_EQ(p.pass, r.placements[i - 1].pass) << i;
    }
    if (i >= r.lastPassBegin) {
      EXPECT_EQ(p.pass, answer ? r.passes - 1 : 0) << i;
    }
  }
  if (r.lastPassBegin < r.placements.size()) {
    EXPECT_EQ(r.placements[r.lastPassBegin].step, 1);
  }
  if (!answer) {
    EXPECT_EQ(r.lastPassBegin, 0u);
  }

  // The board is the givens with the placements of the last pass, and for the
  // answer run at most one cell more: the trial of that pass.
  std::string expected = gridString(r.givens);
  for (const PlacementRecord &p : r.lastPassPlacements()) {
    EXPECT_EQ(digitAt(expected, p.row, p.column), 0);
    expected = withDigit(expected, p.row, p.column, p.digit);
  }
  const std::string board = gridString(r.board);
  int others = 0;
  for (std::size_t i = 0; i < 81; ++i) {
    if (board[i] == expected[i]) continue;
    ++others;
    EXPECT_EQ(expected[i], '0');
    if (r.trialCode) {
      EXPECT_EQ(*r.trialCode, static_cast<int>(100 * (i / 9 + 1) + 10 * (i % 9 + 1)) + board[i] - '0');
    }
  }
  EXPECT_LE(others, answer ? 1 : 0);
  if (r.trialCode) {
    EXPECT_EQ(others, 1);
  }
}

const std::vector<std::string_view> kEnd{"終了"};
const std::vector<std::string_view> kErrorEnd{"  エラー  ", "終了"};
const std::vector<std::string_view> kPausedEnd{kLegend, " いったんstop", "終了"};

// clang-format off
const std::vector<EndCase> kEndCases{
    EndCase{"AnswerSolvedByLogic", Button::Answer, std::string(kEasyPuzzle), RunEnd::Solved, true, kEnd,
            std::nullopt, 1, kEasySolution},
    EndCase{"AnswerSolvedWithATrial", Button::Answer, std::string(kTrialPuzzle), RunEnd::Solved, true, kEnd, 184, 0,
            kTrialSolution},
    EndCase{"AnswerTrialsExhausted", Button::Answer, std::string(kTrialsFailPuzzle), RunEnd::Stopped, false,
            {" いったんstop", kLegend, "  エラー  ", "終了"}, std::nullopt, 0},
    EndCase{"AnswerContradictionInPassZero", Button::Answer, std::string(kNoCompletionPuzzle), RunEnd::Error, true,
            kErrorEnd, std::nullopt, 1},
    EndCase{"AnswerPassLimit", Button::Answer, std::string(kPassLimitPuzzle), RunEnd::Error, false, kErrorEnd,
            std::nullopt, 51},
    EndCase{"AnswerDuplicateGiven", Button::Answer, kDuplicatePuzzle, RunEnd::Inconsistent, false, kErrorEnd,
            std::nullopt, 1, kDuplicatePuzzle},
    EndCase{"AnswerMissingFile", Button::Answer, "", RunEnd::BadInput, false, {}, std::nullopt, 1},
    EndCase{"StepSolved", Button::Step, std::string(kEasyPuzzle), RunEnd::Solved, true, kEnd, std::nullopt, 1,
            kEasySolution},
    EndCase{"StepFourthEndCheck", Button::Step, std::string(kStepStopPuzzle), RunEnd::Stopped, true,
            {" いったんstop"}, std::nullopt, 1},
    EndCase{"StepCellWithoutCandidates", Button::Step, std::string(kNoCompletionPuzzle), RunEnd::Error, true,
            {"エラー", "終了"}, std::nullopt, 1, kNoCompletionPuzzle},
    EndCase{"StepMissingFile", Button::Step, "", RunEnd::BadInput, false, {}, std::nullopt, 1},
    EndCase{"Reference1Solved", Button::Reference1, std::string(kStepPuzzle), RunEnd::Solved, true, kEnd,
            std::nullopt, 1, kStepSolution},
    EndCase{"Reference2Solved", Button::Reference2, std::string(kEasyPuzzle), RunEnd::Solved, true, kEnd,
            std::nullopt, 1, kEasySolution},
    EndCase{"Reference2PauseLimit", Button::Reference2, std::string(kPausePuzzle), RunEnd::Stopped, true, kPausedEnd,
            std::nullopt, 1},
    EndCase{"Reference2CellWithoutCandidates", Button::Reference2, std::string(kNoCompletionPuzzle), RunEnd::Error,
            true, {"エラー", kLegend, " いったんstop", "終了"}, std::nullopt, 1, kNoCompletionPuzzle},
    EndCase{"Reference2DuplicateGiven", Button::Reference2, kDuplicatePuzzle, RunEnd::Inconsistent, false, kErrorEnd,
            std::nullopt, 1, kDuplicatePuzzle},
    EndCase{"Reference2MissingFile", Button::Reference2, "", RunEnd::BadInput, false, {}, std::nullopt, 1}};
// clang-format on

std::vector<EndCase> answerCases() {
  std::vector<EndCase> out;
  for (const EndCase &e : kEndCases) {
    if (e.button == Button::Answer) out.push_back(e);
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(Cases, RunEnding, ::testing::ValuesIn(kEndCases),
                         [](const auto &c) { return std::string(c.param.name); });

// ---------------------------------------------------------------------------
// The answer run without the grid of every cycle.

// What the surface shows after its last clearing: each line (by its ends and
// width) with the colour it was last drawn in, and the prints in order.
struct Picture {
  std::map<std::tuple<double, double, double, double, double>, double> lines;
  std::vector<std::tuple<std::string, bool, double, double, double, std::uint32_t>> prints;
  friend bool operator==(const Picture &, const Picture &) = default;
};

Picture finalPicture(const std::vector<DrawOp> &ops) {
  std::size_t from = 0;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (ops[i].kind == DrawOp::Kind::Clear) from = i;
  }
  Picture picture;
  double width = 1, colour = 0;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    const DrawOp &op = ops[i];
    if (op.kind == DrawOp::Kind::Width) width = op.a;
    if (op.kind == DrawOp::Kind::Colour) colour = op.a;
    if (op.kind == DrawOp::Kind::Line && i > from) picture.lines[{op.a, op.b, op.c, op.d, width}] = colour;
  }
  for (const Printed &p : printsOf(ops)) {
    if (p.op > from) picture.prints.emplace_back(p.text, p.newline, p.x, p.y, p.font, p.colour);
  }
  return picture;
}

class SkippedCycleGrid : public ::testing::TestWithParam<EndCase> {};

TEST_P(SkippedCycleGrid, GivesTheSameResultAndFinalPicture) {
  const EndCase &e = GetParam();
  Clicked with, without;
  for (const bool skip : {false, true}) {
    TestWindow w;
    if (e.puzzle.empty()) {
      w.type({"Text3"}, "nosuch.csv");
    } else {
      w.givePuzzleFile(e.puzzle);
    }
    (skip ? without : with) = w.click(Button::Answer, RunOptions{.skipCycleGrid = skip});
  }
  const RunResult &a = with.run();
  const RunResult &b = without.run();
  EXPECT_EQ(a.end, e.end);
  EXPECT_EQ(b.end, a.end);
  EXPECT_EQ(b.message, a.message);
  EXPECT_EQ(b.givens, a.givens);
  EXPECT_EQ(b.board, a.board);
  EXPECT_EQ(b.boardShown, a.boardShown);
  EXPECT_EQ(b.wroteText1, a.wroteText1);
  EXPECT_EQ(b.trialCode, a.trialCode);
  EXPECT_EQ(b.passes, a.passes);
  EXPECT_EQ(b.placements, a.placements);
  EXPECT_EQ(b.lastPassBegin, a.lastPassBegin);
  EXPECT_TRUE(std::ranges::equal(b.messages.texts(), a.messages.texts()));
  EXPECT_EQ(without.textsOf("Text1"), with.textsOf("Text1"));
  EXPECT_EQ(without.count(DrawOp::Kind::Clear), with.count(DrawOp::Kind::Clear));
  EXPECT_LE(without.ops.size(), with.ops.size());

  const Picture picture = finalPicture(with.ops);
  EXPECT_EQ(finalPicture(without.ops), picture);
  // Every end but bad input and a duplicate given leaves the board's grid of
  // 20 thin and 8 thick lines, with or without digits.
  const bool grid = e.end != RunEnd::BadInput && e.end != RunEnd::Inconsistent;
  EXPECT_EQ(picture.lines.size(), grid ? 28u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, SkippedCycleGrid, ::testing::ValuesIn(answerCases()),
                         [](const auto &c) { return std::string(c.param.name); });

// ---------------------------------------------------------------------------
// The ending as the run decides it, against what its picture says: the runs
// no longer read their painters' messages, so the two must still agree on
// every way of ending.

bool shows(const RunResult &r, std::string_view text) {
  return std::ranges::find(r.messages.texts(), text) != r.messages.texts().end();
}

// What the picture alone says of the ending (clashing givens aside).
RunEnd endingShown(const RunResult &r) {
  const bool full = std::find(r.board.begin(), r.board.end(), 0) == r.board.end();
  if (r.boardShown && full) return RunEnd::Solved;
  switch (r.run) {
    case RunKind::Answer:
      return shows(r, " いったんstop") ? RunEnd::Stopped : RunEnd::Error;
    case RunKind::Reference2:
      return shows(r, "エラー") ? RunEnd::Error : RunEnd::Stopped;
    case RunKind::Step:
    case RunKind::Reference1:
      break;
  }
  return shows(r, "エラー") ? RunEnd::Error : RunEnd::Stopped;
}

TEST(RunEnding, TheRunsOwnDecisionAgreesWithItsPicture) {
  std::vector<std::string> puzzles{std::string(kTrialsFailPuzzle), std::string(kNoCompletionPuzzle),
                                   std::string(kPassLimitPuzzle), std::string(kStepStopPuzzle),
                                   std::string(kPausePuzzle)};
  for (const char *file : {"top95.txt", "se_hard.txt", "17clue.txt"}) {
    std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/" + file);
    int n = 0;
    for (std::string line; n < 8 && std::getline(in, line); ++n) puzzles.push_back(line.substr(0, 81));
  }
  std::map<RunEnd, int> seen;
  for (const std::string &p : puzzles) {
    for (const Button button : kRunButtons) {
      SCOPED_TRACE(p + " " + std::to_string(static_cast<int>(button)));
      TestWindow w;
      w.answer("2");
      w.givePuzzleFile(p);
      const RunResult r = w.click(button).run();
      EXPECT_EQ(r.end, endingShown(r));
      if (r.end == RunEnd::Solved) {
        EXPECT_TRUE(completesGivens(r.board, r.givens));
      }
      ++seen[r.end];
    }
  }
  // Every ending but bad input and clashing givens is among them.
  EXPECT_GT(seen[RunEnd::Solved], 0);
  EXPECT_GT(seen[RunEnd::Stopped], 0);
  EXPECT_GT(seen[RunEnd::Error], 0);
}

}  // namespace
}  // namespace numplace_test
