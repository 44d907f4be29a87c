// "答": whole runs through the headless window, checked against the run's
// result and the drawing operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "board/number.h"
#include "helpers.h"

namespace numplace_test {
namespace {

// Colour of each digit on the answer board: 1 black, 2 magenta, 3 cyan, 4 blue,
// 5 green, 6 red, 7 purple, 8 ochre, 9 mid green.
constexpr std::uint32_t kDigitColour[10] = {0, 0, 16711935, 16776960, 16711680, 65280, 255, 9843300, 3315400, 3315250};

const std::vector<DrawOp> kEndOps{Draw::move(10000, 9600), Draw::colour(0), Draw::font(20),
                                  Draw::print("終了", Ending::Continue)};
const std::vector<DrawOp> kErrorEndOps{Draw::move(10000, 9600), Draw::colour(0), Draw::font(20),
                                       Draw::print("  エラー  ", Ending::Continue),
                                       Draw::print("終了", Ending::Continue)};

bool isBoardDigit(const Printed &p) {
  return p.font == 40 && p.text.size() == 3 && p.text[0] == ' ' && p.text[2] == ' ';
}

std::vector<std::string> messages(const Clicked &c) {
  std::vector<std::string> out;
  for (const auto &p : c.prints) {
    if (!isBoardDigit(p)) out.push_back(p.text);
  }
  return out;
}

std::vector<std::string> resultMessages(const RunResult &r) {
  return {r.messages.texts().begin(), r.messages.texts().end()};
}

std::vector<Printed> boardDigits(const Clicked &c) {
  std::vector<Printed> out;
  for (const auto &p : c.prints) {
    if (isBoardDigit(p)) out.push_back(p);
  }
  return out;
}

// The final drawing prints every digit of `board` in row order, in its colour,
// at its cell's digit position.
void expectFinalBoard(const Clicked &c, std::string_view board) {
  const auto digits = boardDigits(c);
  std::size_t i = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int col = 1; col <= 9; ++col) {
      const int d = digitAt(board, r, col);
      if (d == 0) continue;
      ASSERT_LT(i, digits.size());
      const Printed &p = digits[i++];
      EXPECT_EQ(p.text, printedNumber(d)) << r << ',' << col;
      EXPECT_EQ(p.x, 8556 + 720 * (col - 1));
      EXPECT_EQ(p.y, 192 + 720 * (r - 1));
      EXPECT_EQ(p.colour, kDigitColour[d]);
      EXPECT_TRUE(p.newline);
    }
  }
  EXPECT_EQ(i, digits.size());
}

TEST(AnswerRun, LogicOnlyPuzzleDrawsEightyOneDigitsAndOnlyTheEndMessage) {
  TestWindow w;
  w.typeGrid(kEasyPuzzle);
  const Clicked c = w.click(Button::Answer);
  expectFinalBoard(c, kEasySolution);
  EXPECT_EQ(messages(c), std::vector<std::string>{"終了"});
  EXPECT_EQ(resultMessages(c.run()), std::vector<std::string>{"終了"});
  EXPECT_EQ(c.last(4), kEndOps);
  // The full board is passed twice (pass 0 is repeated once) before the final drawing.
  EXPECT_EQ(c.count(DrawOp::Kind::Clear), 3u);
  EXPECT_EQ(c.run().passes, 1);
  const std::size_t filled = 81 - 30;  // kEasyPuzzle has 30 givens
  ASSERT_EQ(c.run().placements.size(), 2 * filled);
  EXPECT_EQ(c.run().lastPassBegin, filled);
  ASSERT_EQ(c.texts.size(), 1u);
  EXPECT_EQ(c.textsOf("Text1"), std::vector<std::string>{""});
  // Text1 is written before the board is drawn.
  EXPECT_LT(c.texts[0].at, boardDigits(c).front().op);
  EXPECT_EQ(c.run().end, RunEnd::Solved);
  EXPECT_EQ(gridString(c.run().board), kEasySolution);
  EXPECT_EQ(c.run().trialCode, std::nullopt);
}

TEST(AnswerRun, StartsWithClearFontTenBlackThenEachPassClearsAtFontFourteen) {
  TestWindow w;
  w.typeGrid(kEasyPuzzle);
  const Clicked c = w.click(Button::Answer);
  const std::vector<DrawOp> start{Draw::clear(), Draw::font(10), Draw::colour(0),
                                  Draw::clear(), Draw::font(14), Draw::move(13, 13)};
  ASSERT_GE(c.ops.size(), start.size());
  EXPECT_EQ(std::vector<DrawOp>(c.ops.begin(), c.ops.begin() + 6), start);
}

TEST(AnswerRun, TypedExtraGivenIsOverwrittenEvenWhenThePuzzleDigitWins) {
  TestWindow w;
  w.typeGrid(kEasyPuzzle);
  w.type({"Text1"}, "537");  // (5, 3) holds 5 in the puzzle
  const Clicked c = w.click(Button::Answer);
  EXPECT_EQ(gridString(c.run().board), kEasySolution);
  EXPECT_EQ(w.text({"Text1"}), "");
}

TEST(AnswerRun, PuzzleNeedingATrialWritesTheSuccessfulTrialIntoText1) {
  TestWindow w;
  w.givePuzzleFile(kTrialPuzzle);
  const Clicked c = w.click(Button::Answer);
  expectFinalBoard(c, kTrialSolution);
  EXPECT_EQ(gridString(c.run().board), kTrialSolution);
  EXPECT_EQ(messages(c), std::vector<std::string>{"終了"});
  ASSERT_EQ(c.run().trialCode, 184);
  EXPECT_EQ(w.text({"Text1"}), "184");
  // The trial placement agrees with the solution.
  const int code = *c.run().trialCode;
  EXPECT_EQ(digitAt(kTrialSolution, code / 100, code / 10 % 10), code % 10);

  // Pressing again starts from that extra given, which logic alone finishes.
  const Clicked again = w.click(Button::Answer);
  EXPECT_EQ(gridString(again.run().board), kTrialSolution);
  EXPECT_EQ(again.run().trialCode, std::nullopt);
  EXPECT_EQ(gridString(again.run().givens), withDigit(kTrialPuzzle, 1, 8, 4));
  EXPECT_EQ(w.text({"Text1"}), "");
  EXPECT_EQ(again.count(DrawOp::Kind::Clear), 3u);
}

struct DuplicateCase {
  const char *name;
  Cells extra;  // digits added to kEasyPuzzle
  friend void PrintTo(const DuplicateCase &c, std::ostream *os) { *os << c.name; }
};

class DuplicateDigitPuzzle : public ::testing::TestWithParam<DuplicateCase> {};

TEST_P(DuplicateDigitPuzzle, PrintsOnlyErrorAndEndWithoutGrid) {
  std::string puzzle(kEasyPuzzle);
  for (const auto &[r, c, d] : GetParam().extra) puzzle = withDigit(puzzle, r, c, d);
  for (const Button button : {Button::Answer, Button::Reference2}) {
    TestWindow w;
    w.typeGrid(puzzle);
    const Clicked c = w.click(button);
    std::vector<DrawOp> expected{Draw::clear(), Draw::font(10), Draw::colour(0), Draw::clear(), Draw::font(14)};
    if (button == Button::Reference2) expected.erase(expected.begin() + 3);  // no pass, no second clear
    expected.insert(expected.end(), kErrorEndOps.begin(), kErrorEndOps.end());
    EXPECT_EQ(c.ops, expected);
    EXPECT_EQ(c.run().end, RunEnd::Inconsistent);
    EXPECT_EQ(gridString(c.run().givens), puzzle);
    EXPECT_FALSE(c.run().boardShown);
    EXPECT_EQ(w.text({"Text1"}), "追加 1");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DuplicateDigitPuzzle,
                         ::testing::Values(DuplicateCase{"TwiceInARow", {{4, 8, 3}}},
                                           DuplicateCase{"TwiceInAColumn", {{2, 1, 9}}},
                                           DuplicateCase{"TwiceInABlock", {{2, 1, 5}}},
                                           DuplicateCase{"ThreeTimesInARow", {{4, 1, 2}, {4, 4, 2}, {4, 8, 2}}},
                                           DuplicateCase{"ThreeTimesInABlock", {{7, 2, 1}, {8, 3, 1}, {9, 1, 1}}}),
                         [](const auto &c) { return std::string(c.param.name); });

TEST(AnswerRun, ContradictionInPassZeroDrawsThePartBoardThenErrorAndEndWithoutStop) {
  TestWindow w;
  w.typeGrid(kNoCompletionPuzzle);
  const Clicked c = w.click(Button::Answer);
  EXPECT_EQ(messages(c), (std::vector<std::string>{"  エラー  ", "終了"}));
  EXPECT_EQ(c.last(5), kErrorEndOps);
  EXPECT_EQ(c.count(DrawOp::Kind::Clear), 3u);
  EXPECT_EQ(c.textsOf("Text1"), std::vector<std::string>{""});
  const std::string board = gridString(c.run().board);
  expectFinalBoard(c, board);
  for (int r = 1; r <= 9; ++r) {
    for (int col = 1; col <= 9; ++col) {
      if (digitAt(kNoCompletionPuzzle, r, col) != 0) {
        EXPECT_EQ(digitAt(board, r, col), digitAt(kNoCompletionPuzzle, r, col));
      }
    }
  }
  EXPECT_EQ(digitAt(board, 1, 9), 0);
}

TEST(AnswerRun, PassLimitEndsWithErrorAndEndOnlyAndLeavesText1) {
  TestWindow w;
  w.typeGrid(kPassLimitPuzzle);
  const Clicked c = w.click(Button::Answer);
  EXPECT_EQ(c.count(DrawOp::Kind::Clear), 52u);  // the start and passes 0 to 50
  EXPECT_EQ(c.run().passes, 51);
  EXPECT_EQ(messages(c), (std::vector<std::string>{"  エラー  ", "終了"}));
  EXPECT_TRUE(boardDigits(c).empty());
  EXPECT_TRUE(c.texts.empty());
  EXPECT_FALSE(c.run().wroteText1);
}

TEST(AnswerRun, NineCandidateCellAtTheStartIsNoError) {
  TestWindow w;
  w.typeGrid(kNineCandidatePuzzle);
  ASSERT_EQ(freeDigits(kNineCandidatePuzzle, 1, 1), 0x3FE);
  const Clicked c = w.click(Button::Answer);
  EXPECT_EQ(messages(c), std::vector<std::string>{"終了"});
  EXPECT_TRUE(isCompletionOf(gridString(c.run().board), kNineCandidatePuzzle));
}

std::vector<std::string> readLines(const std::string &path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

TEST(AnswerRun, SolvesEveryEasyCollectionPuzzleToItsSolution) {
  const auto puzzles = readLines(NUMPLACE_DATA_DIR "/se_easy.txt");
  const auto solutions = readLines(NUMPLACE_DATA_DIR "/solutions/se_easy.txt");
  ASSERT_EQ(puzzles.size(), 500u);
  ASSERT_EQ(solutions.size(), puzzles.size());
  // Given through the data file: the grid and the row boxes refuse a puzzle
  // with three or more empty rows.
  HeadlessControls controls;
  RecordingSurface surface(false);
  AnswerQueue answers;
  QueuedPrompt prompt(answers);
  MemoryFiles files;
  Ports ports{controls, surface, prompt, files};
  controls.type({"Text3"}, "puzzle.csv");
  RunResult result;
  int wrong = 0;
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    files.put("puzzle.csv", dataFileOf(puzzles[i]));
    runAnswer(ports, RunOptions{.skipCycleGrid = true}, result);
    if (gridString(result.board) != solutions[i] || result.end != RunEnd::Solved || !result.boardShown ||
        controls.text({"Text1"}) != "") {
      ADD_FAILURE() << "puzzle " << i + 1 << ": " << gridString(result.board);
      if (++wrong > 5) break;
    }
  }
}

// Each pass's cycles, as the digit colours of the grid drawn at the start of
// every cycle (a placement changes them, except for a black 1).
std::vector<std::vector<std::vector<double>>> cyclesPerPass(const Clicked &c) {
  std::vector<std::vector<std::vector<double>>> passes;
  for (const DrawOp &op : c.ops) {
    if (op.kind == DrawOp::Kind::Clear) {
      passes.emplace_back();
    } else if (op == Draw::move(13, 13) && !passes.empty()) {
      passes.back().emplace_back();
    } else if (op.kind == DrawOp::Kind::Colour && !passes.empty() && !passes.back().empty()) {
      passes.back().back().push_back(op.a);
    }
  }
  return passes;
}

TEST(AnswerRun, LaterPassesGiveUpAfterTenIdleSweepsBecauseTheStallCountCarriesOver) {
  TestWindow w;
  w.givePuzzleFile(kTrialPuzzle);
  const auto passes = cyclesPerPass(w.click(Button::Answer));
  // The start, pass 0, the tried passes, the solved pass once more.
  ASSERT_GE(passes.size(), 5u);
  std::size_t longestIdleEnd = 0;
  for (std::size_t p = 2; p + 2 < passes.size(); ++p) {
    const auto &cycles = passes[p];
    ASSERT_FALSE(cycles.empty());
    std::size_t idle = 0;  // cycles at the end of the pass that show its final board
    while (idle < cycles.size() && cycles[cycles.size() - 1 - idle] == cycles.back()) ++idle;
    // Ten sweeps of three cycles at most, plus a cycle or two of a black 1.
    EXPECT_LE(idle, 33u) << "pass " << p - 1;
    longestIdleEnd = std::max(longestIdleEnd, idle);
  }
  EXPECT_GE(longestIdleEnd, 28u) << "no tried pass was stuck";
}

}  // namespace
}  // namespace numplace_test
