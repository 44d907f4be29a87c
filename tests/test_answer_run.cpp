// "答": whole runs through the headless window, checked against the trace.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "board/number.h"
#include "helpers.h"

namespace numplace_test {
namespace {

// Colour of each digit on the answer board: 1 black, 2 magenta, 3 cyan, 4 blue,
// 5 green, 6 red, 7 purple, 8 ochre, 9 mid green.
constexpr std::uint32_t kDigitColour[10] = {0, 0, 16711935, 16776960, 16711680, 65280, 255, 9843300, 3315400, 3315250};

const std::vector<std::string> kEndLines{"move 10000 9600", "colour 0", "font 20", "print \"終了\" continue"};

bool isBoardDigit(const Printed &p) {
  return p.font == 40 && p.text.size() == 3 && p.text[0] == ' ' && p.text[2] == ' ';
}

std::vector<std::string> messages(const Trace &trace) {
  std::vector<std::string> out;
  for (const auto &p : trace.prints) {
    if (!isBoardDigit(p)) out.push_back(p.text);
  }
  return out;
}

std::vector<Printed> boardDigits(const Trace &trace) {
  std::vector<Printed> out;
  for (const auto &p : trace.prints) {
    if (isBoardDigit(p)) out.push_back(p);
  }
  return out;
}

// The final drawing prints every digit of `board` in row order, in its colour,
// at its cell's digit position.
void expectFinalBoard(const Trace &trace, std::string_view board) {
  const auto digits = boardDigits(trace);
  std::size_t i = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int d = digitAt(board, r, c);
      if (d == 0) continue;
      ASSERT_LT(i, digits.size());
      const Printed &p = digits[i++];
      EXPECT_EQ(p.text, printedNumber(d)) << r << ',' << c;
      EXPECT_EQ(p.x, 8556 + 720 * (c - 1));
      EXPECT_EQ(p.y, 192 + 720 * (r - 1));
      EXPECT_EQ(p.colour, kDigitColour[d]);
      EXPECT_TRUE(p.newline);
    }
  }
  EXPECT_EQ(i, digits.size());
}

TEST(AnswerRun, LogicOnlyPuzzleDrawsEightyOneDigitsAndOnlyTheEndMessage) {
  TracedWindow w;
  w.typeGrid(kEasyPuzzle);
  const Trace trace = w.click("Command3");
  expectFinalBoard(trace, kEasySolution);
  EXPECT_EQ(messages(trace), std::vector<std::string>{"終了"});
  EXPECT_EQ(trace.lastRaw(4), kEndLines);
  // The full board is passed twice (the pass is repeated once) before the final drawing.
  EXPECT_EQ(trace.count("clear"), 3u);
  EXPECT_EQ(trace.texts("Text1"), std::vector<std::string>{""});
  EXPECT_EQ(trace.count("text"), 1u);
  // Text1 is written before the board is drawn.
  EXPECT_LT(trace.find("text"), boardDigits(trace).front().line);
  EXPECT_EQ(w.window().surface.board81(), kEasySolution);
}

TEST(AnswerRun, StartsWithClearFontTenBlackThenEachPassClearsAtFontFourteen) {
  TracedWindow w;
  w.typeGrid(kEasyPuzzle);
  const Trace trace = w.click("Command3");
  const std::vector<std::string> start{"clear", "font 10", "colour 0", "clear", "font 14", "move 13 13"};
  std::vector<std::string> first = trace.rawFrom(0);
  first.resize(start.size());
  EXPECT_EQ(first, start);
}

TEST(AnswerRun, TypedExtraGivenIsOverwrittenEvenWhenThePuzzleDigitWins) {
  TracedWindow w;
  w.typeGrid(kEasyPuzzle);
  w.type({"Text1"}, "537");  // (5, 3) holds 5 in the puzzle
  w.click("Command3");
  EXPECT_EQ(w.window().surface.board81(), kEasySolution);
  EXPECT_EQ(w.text({"Text1"}), "");
}

TEST(AnswerRun, PuzzleNeedingATrialWritesTheSuccessfulTrialIntoText1) {
  TracedWindow w;
  w.type({"Text3"}, NUMPLACE_EXAMPLES_DIR "/trial.csv");
  const Trace trace = w.click("Command3");
  EXPECT_EQ(w.window().surface.board81(), kTrialSolution);
  EXPECT_EQ(messages(trace), std::vector<std::string>{"終了"});
  const std::string code = w.text({"Text1"});
  EXPECT_EQ(code, "184");
  ASSERT_EQ(code.size(), 3u);
  // The trial placement agrees with the solution.
  EXPECT_EQ(digitAt(kTrialSolution, code[0] - '0', code[1] - '0'), code[2] - '0');

  // Pressing again starts from that extra given, which logic alone finishes.
  const Trace again = w.click("Command3");
  EXPECT_EQ(w.window().surface.board81(), kTrialSolution);
  EXPECT_EQ(w.text({"Text1"}), "");
  EXPECT_EQ(again.count("clear"), 3u);
}

struct DuplicateCase {
  const char *name;
  Cells extra;  // digits added to kEasyPuzzle
  friend void PrintTo(const DuplicateCase &c, std::ostream *os) { *os << c.name; }
};

class DuplicateDigitPuzzle : public ::testing::TestWithParam<DuplicateCase> {};

TEST_P(DuplicateDigitPuzzle, PrintsOnlyErrorAndEndWithoutGrid) {
  std::string puzzle(kEasyPuzzle);
  for (const auto &[r, c, d] : GetParam().extra) {
    puzzle[static_cast<std::size_t>((r - 1) * 9 + c - 1)] = static_cast<char>('0' + d);
  }
  for (const char *button : {"Command3", "Command5"}) {
    TracedWindow w;
    w.typeGrid(puzzle);
    const Trace trace = w.click(button);
    const std::vector<std::string> answer{"clear",
                                          "font 10",
                                          "colour 0",
                                          "clear",
                                          "font 14",
                                          "move 10000 9600",
                                          "colour 0",
                                          "font 20",
                                          "print \"  エラー  \" continue",
                                          "print \"終了\" continue"};
    std::vector<std::string> expected = answer;
    if (std::string_view(button) == "Command5") expected.erase(expected.begin() + 3);  // no pass, no second clear
    EXPECT_EQ(trace.rawFrom(0), expected) << button;
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
  TracedWindow w;
  w.typeGrid(kNoCompletionPuzzle);
  const Trace trace = w.click("Command3");
  EXPECT_EQ(messages(trace), (std::vector<std::string>{"  エラー  ", "終了"}));
  const std::vector<std::string> end{"move 10000 9600", "colour 0", "font 20", "print \"  エラー  \" continue",
                                     "print \"終了\" continue"};
  EXPECT_EQ(trace.lastRaw(5), end);
  EXPECT_EQ(trace.count("clear"), 3u);
  EXPECT_EQ(trace.texts("Text1"), std::vector<std::string>{""});
  const std::string board = w.window().surface.board81();
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      if (digitAt(kNoCompletionPuzzle, r, c) != 0) {
        EXPECT_EQ(digitAt(board, r, c), digitAt(kNoCompletionPuzzle, r, c));
      }
    }
  }
  EXPECT_EQ(digitAt(board, 1, 9), 0);
}

TEST(AnswerRun, PassLimitEndsWithErrorAndEndOnlyAndLeavesText1) {
  // A puzzle that neither logic nor any of its trials finishes.
  TracedWindow w;
  w.typeGrid("480300000000000071020000000705000060000200800000000000001076000300000400000050000");
  const Trace trace = w.click("Command3");
  EXPECT_EQ(trace.count("clear"), 52u);  // the start and passes 0 to 50
  EXPECT_EQ(messages(trace), (std::vector<std::string>{"  エラー  ", "終了"}));
  EXPECT_TRUE(boardDigits(trace).empty());
  EXPECT_EQ(trace.count("text"), 0u);
}

TEST(AnswerRun, NineCandidateCellAtTheStartIsNoError) {
  TracedWindow w;
  w.typeGrid(kNineCandidatePuzzle);
  ASSERT_EQ(freeDigits(kNineCandidatePuzzle, 1, 1), 0x3FE);
  const Trace trace = w.click("Command3");
  EXPECT_EQ(messages(trace), std::vector<std::string>{"終了"});
  EXPECT_TRUE(isCompletionOf(w.window().surface.board81(), kNineCandidatePuzzle));
}

TEST(AnswerRun, SolvesEveryEasyCorpusPuzzleToItsSolution) {
  const auto puzzles = readLines(NUMPLACE_CORPUS_DIR "/se_easy.txt");
  const auto solutions = readLines(NUMPLACE_CORPUS_DIR "/solutions/se_easy.txt");
  ASSERT_EQ(puzzles.size(), 500u);
  ASSERT_EQ(solutions.size(), puzzles.size());
  // Given through the data file: the grid and the row boxes refuse a puzzle
  // with three or more empty rows.
  const std::string path = ::testing::TempDir() + "numplace_corpus_" + std::to_string(::getpid()) + ".csv";
  int wrong = 0;
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    {
      std::ofstream file(path, std::ios::trunc);
      for (std::size_t r = 0; r < 9; ++r) file << puzzles[i].substr(9 * r, 9) << ",0,0,0,0\n";
    }
    HeadlessWindow w;
    w.surface.setKeepsDrawing(false);
    w.controls.type({"Text3"}, path);
    runAnswer(w.ports);
    if (w.surface.board81() != solutions[i] || w.controls.text({"Text1"}) != "") {
      ADD_FAILURE() << "puzzle " << i + 1 << ": " << w.surface.board81();
      if (++wrong > 5) break;
    }
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace numplace_test

namespace numplace_test {
namespace {

// Each pass's cycles, as the digit colours of the grid drawn at the start of
// every cycle (a placement changes them, except for a black 1).
std::vector<std::vector<std::vector<std::string>>> cyclesPerPass(const Trace &trace) {
  std::vector<std::vector<std::vector<std::string>>> passes;
  for (const TraceLine &l : trace.lines) {
    if (l.kind == "clear") {
      passes.emplace_back();
    } else if (l.raw == "move 13 13" && !passes.empty()) {
      passes.back().emplace_back();
    } else if (l.kind == "colour" && !passes.empty() && !passes.back().empty()) {
      passes.back().back().push_back(l.raw);
    }
  }
  return passes;
}

TEST(AnswerRun, LaterPassesGiveUpAfterTenIdleSweepsBecauseTheStallCountCarriesOver) {
  TracedWindow w;
  w.type({"Text3"}, NUMPLACE_EXAMPLES_DIR "/trial.csv");
  const auto passes = cyclesPerPass(w.click("Command3"));
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
