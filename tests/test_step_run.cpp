// "  1　STEP": the step log, Text14, the step board, the candidate-code table,
// the step prompt and the two ends of the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "board/number.h"
#include "helpers.h"

namespace numplace_test {
namespace {

const std::vector<std::string> kFinishLines{"move 5000 5000", "colour 0", "font 20", "print \"終了\" continue"};

std::string stepPromptText() {
  std::string text = " １stepずつ止まります。enterキイでも可。";
  for (int i = 0; i < 13; ++i) text += "\xE3\x80\x80";
  return text + "２は途中までか、終りまで止まりません。";
}

int emptyCells(std::string_view puzzle) {
  int n = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) n += digitAt(puzzle, r, c) == 0 ? 1 : 0;
  }
  return n;
}

// The code a cell shows in the first table drawing: its digit, or its
// candidates from its row, column and block.
int firstCode(std::string_view puzzle, int r, int c) {
  return digitAt(puzzle, r, c) != 0 ? digitAt(puzzle, r, c) : codeOfBits(freeDigits(puzzle, r, c));
}

TEST(StepRun, CompletePuzzleGivesOnePromptNoStepLineAndEndsWithEnd) {
  TracedWindow w;
  w.typeGrid(kCompleteGrid);
  const Trace trace = w.click("Command7");
  EXPECT_EQ(trace.count("prompt"), 1u);
  EXPECT_TRUE(trace.texts("Text14").empty());
  EXPECT_EQ(trace.lastRaw(4), kFinishLines);
  const auto drawings = tableDrawings(trace);
  ASSERT_EQ(drawings.size(), 1u);
  ASSERT_EQ(drawings[0].entries.size(), 81u);
  for (std::size_t i = 0; i < 81; ++i) {
    const int r = static_cast<int>(i) / 9 + 1, c = static_cast<int>(i) % 9 + 1;
    EXPECT_EQ(drawings[0].entries[i].text, formatRight10(digitAt(kCompleteGrid, r, c)));
    EXPECT_EQ(drawings[0].entries[i].colour, kBlueColour);
  }
}

TEST(StepPrompt, HasItsTextTitleDefaultAndScreenPosition) {
  TracedWindow w;
  w.typeGrid(kCompleteGrid);
  const Trace trace = w.click("Command7");
  const auto prompts = trace.of("prompt");
  ASSERT_EQ(prompts.size(), 1u);
  const TraceLine &p = *prompts[0];
  EXPECT_EQ(p.strings.at(0), stepPromptText());
  EXPECT_EQ(codePoints(p.strings.at(0)), 57u);
  EXPECT_EQ(p.strings.at(1), "999");
  EXPECT_EQ(p.strings.at(2), "1か２");
  EXPECT_EQ(p.numbers, (std::vector<double>{0, 9100}));
  EXPECT_EQ(p.strings.at(3), "1か２");  // an empty queue answers with the default
}

struct AnswerCase {
  const char *name;
  std::optional<std::string> answer;  // nothing: the prompt is cancelled
  bool runsThrough;
  friend void PrintTo(const AnswerCase &c, std::ostream *os) { *os << c.name; }
};

class StepPromptAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(StepPromptAnswers, OnlyTheNumberTwoSwitchesThePromptsOff) {
  TracedWindow w;
  w.typeGrid(kEasyPuzzle);
  w.answer(GetParam().answer);
  const Trace trace = w.click("Command7");
  const auto steps = trace.texts("Text14");
  EXPECT_EQ(steps.size(), static_cast<std::size_t>(emptyCells(kEasyPuzzle)));
  if (GetParam().runsThrough) {
    EXPECT_EQ(trace.count("prompt"), 1u);
  } else {
    EXPECT_GT(trace.count("prompt"), steps.size());  // after every step and every table change
  }
  EXPECT_EQ(trace.lastRaw(4), kFinishLines);
}

INSTANTIATE_TEST_SUITE_P(Answers, StepPromptAnswers,
                         ::testing::Values(AnswerCase{"Two", "2", true}, AnswerCase{"TwoWithBlanks", " 2 ", true},
                                           AnswerCase{"FullWidthTwo", "２", true},
                                           AnswerCase{"Default", "1か２", false}, AnswerCase{"One", "1", false},
                                           AnswerCase{"Text", "abc", false}, AnswerCase{"Empty", "", false},
                                           AnswerCase{"Cancelled", std::nullopt, false}),
                         [](const auto &c) { return std::string(c.param.name); });

TEST(StepLog, LinesAreNumberedPlacedAndLaidOutInThreeColumnsOfTwenty) {
  TracedWindow w;
  w.typeGrid(kStepPuzzle);
  w.answer("2");
  const Trace trace = w.click("Command7");
  const auto steps = stepLines(trace);
  ASSERT_EQ(steps.size(), static_cast<std::size_t>(emptyCells(kStepPuzzle)));
  std::set<int> filled;
  int columnSingles = 0;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const StepLine &s = steps[i];
    const ReportText &p = s.report;
    const int k = static_cast<int>(i) + 1;
    SCOPED_TRACE("step " + std::to_string(k) + ": " + s.text14);
    ASSERT_EQ(p.step, k);
    ASSERT_TRUE(isStepWord(p.word));
    EXPECT_EQ(p.digit, digitAt(kStepSolution, p.row, p.column));
    EXPECT_EQ(digitAt(kStepPuzzle, p.row, p.column), 0);
    EXPECT_TRUE(filled.insert(p.row * 10 + p.column).second);
    EXPECT_EQ(s.text14, reportText(k, p.word, p.row, p.column, p.digit));
    const bool columnSingle = p.word == "縦　";
    columnSingles += columnSingle ? 1 : 0;
    EXPECT_EQ(s.printed.text, printedNumber(k) + p.word + printedNumber(p.row) + (columnSingle ? " - " : "-") +
                                  printedNumber(p.column) + printedNumber(p.digit));
    EXPECT_EQ(s.printed.font, 9);
    EXPECT_TRUE(s.printed.newline);
    // Step line positions: x 180 for steps 1-20, 2300 for 21-40, 4600 from 41, 180 twips apart.
    const double x = k <= 20 ? 180 : k <= 40 ? 2300 : 4600;
    const int row = k <= 20 ? k - 1 : k <= 40 ? k - 21 : k - 41;
    EXPECT_TRUE(s.printed.moved);
    EXPECT_EQ(s.printed.x, x);
    EXPECT_NEAR(s.printed.y, 5500 + 180 * (row + 0.01), 1e-6);
    // The placed digit in red at font 30 on the step board, right after Text14.
    const auto next =
        std::find_if(trace.prints.begin(), trace.prints.end(), [&](const Printed &q) { return q.line > s.textLine; });
    ASSERT_NE(next, trace.prints.end());
    EXPECT_EQ(next->text, printedNumber(p.digit));
    EXPECT_EQ(next->colour, kRedColour);
    EXPECT_EQ(next->font, 30);
    EXPECT_TRUE(near(next->x, stepBoardX(p.column)) && near(next->y, stepBoardY(p.row)));
  }
  EXPECT_GT(columnSingles, 0);
  EXPECT_EQ(steps[19].printed.y, 8921.8);
  EXPECT_EQ(steps[20].printed.x, 2300);
  EXPECT_EQ(steps[20].printed.y, 5501.8);
  EXPECT_EQ(steps[40].printed.x, 4600);
  EXPECT_EQ(steps[40].printed.y, 5501.8);
  EXPECT_EQ(trace.lastRaw(4), kFinishLines);
  EXPECT_TRUE(isCompletionOf(w.window().surface.board81(), kStepPuzzle));
}

TEST(StepBoard, RedrawsPlacedDigitsInTheirColoursWithSixGreyGreen) {
  TracedWindow w;
  w.typeGrid(kStepPuzzle);
  w.answer("2");
  const Trace trace = w.click("Command7");
  const auto steps = stepLines(trace);
  std::set<std::size_t> redLines;  // the red digit printed right after each step line
  for (const auto &s : steps) redLines.insert(s.textLine + 4);
  int sixes = 0;
  for (const Printed &p : trace.prints) {
    if (p.font != 30) continue;
    if (p.colour == kRedColour) {
      EXPECT_TRUE(redLines.count(p.line)) << "red digit that is not a placement, line " << p.line;
    } else if (p.text == " 6 ") {
      EXPECT_EQ(p.colour, 150u + 256u * 170u + 65536u * 150u);
      ++sixes;
    }
  }
  EXPECT_GT(sixes, 0);
}

TEST(CandidateTable, FirstDrawingIsAllBlueAndChangedEntriesAreBlueAfterWhiteErase) {
  TracedWindow w;
  w.typeGrid(kEasyPuzzle);
  w.answer("2");
  const Trace trace = w.click("Command7");
  const auto drawings = tableDrawings(trace);
  ASSERT_GT(drawings.size(), 2u);
  const TableDrawing &first = drawings[0];
  ASSERT_EQ(first.erase.size(), 81u);
  ASSERT_EQ(first.entries.size(), 81u);
  for (int i = 0; i < 81; ++i) {
    const int r = i / 9 + 1, c = i % 9 + 1;
    const Printed &e = first.entries[static_cast<std::size_t>(i)];
    EXPECT_EQ(first.erase[static_cast<std::size_t>(i)].text, "");
    EXPECT_EQ(e.text, formatRight10(firstCode(kEasyPuzzle, r, c))) << r << ',' << c;
    EXPECT_EQ(e.colour, kBlueColour);
    EXPECT_FALSE(e.newline);
  }
  for (std::size_t d = 1; d < drawings.size(); ++d) {
    ASSERT_EQ(drawings[d].erase.size(), 81u);
    ASSERT_EQ(drawings[d].entries.size(), 81u);
    for (std::size_t i = 0; i < 81; ++i) {
      const std::string &before = drawings[d - 1].entries[i].text;
      const Printed &now = drawings[d].entries[i];
      EXPECT_EQ(drawings[d].erase[i].text, before);  // the old text overprinted in white
      EXPECT_EQ(now.colour, now.text != before ? kBlueColour : 0u) << "drawing " << d << " cell " << i;
      EXPECT_LE(std::stoll(now.text), std::stoll(before)) << "a least code never grows back";
    }
  }
}

TEST(StepRun, NakedSingleIsPlacedOnlyInTheSecondSubPass) {
  // The first naked single of the puzzle in row order, found by hand.
  int row = 0, column = 0;
  for (int r = 1; r <= 9 && row == 0; ++r) {
    for (int c = 1; c <= 9 && row == 0; ++c) {
      const int code = firstCode(kEasyPuzzle, r, c);
      if (digitAt(kEasyPuzzle, r, c) == 0 && code > 0 && code < 10) row = r, column = c;
    }
  }
  ASSERT_NE(row, 0);
  TracedWindow w;
  w.typeGrid(kEasyPuzzle);
  const Trace trace = w.click("Command7");
  const auto steps = stepLines(trace);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps[0].text14, reportText(1, "基本", row, column, firstCode(kEasyPuzzle, row, column)));
  // Before it: the table of sub-pass 1 (all entries changed) and its prompt.
  std::size_t drawingsBefore = 0;
  for (const auto &d : tableDrawings(trace)) {
    if (d.erase.front().line < steps[0].textLine) ++drawingsBefore;
  }
  EXPECT_EQ(drawingsBefore, 1u);
  std::size_t promptsBefore = 0;
  for (std::size_t i = 0; i < steps[0].textLine; ++i) {
    if (trace.lines[i].kind == "prompt") ++promptsBefore;
  }
  EXPECT_EQ(promptsBefore, 1u);
}

TEST(StepRun, NineCandidateCellShowsItsFullCodeAndIsNoError) {
  ASSERT_EQ(freeDigits(kNineCandidatePuzzle, 1, 1), 0x3FE);
  TracedWindow w;
  w.typeGrid(kNineCandidatePuzzle);
  w.answer("2");
  const Trace trace = w.click("Command7");
  const auto drawings = tableDrawings(trace);
  ASSERT_FALSE(drawings.empty());
  ASSERT_FALSE(drawings[0].entries.empty());
  EXPECT_EQ(drawings[0].entries[0].text, " 123456789");
  for (const Printed &p : trace.prints) EXPECT_EQ(p.text.find("エラー"), std::string::npos);
  EXPECT_EQ(trace.lastRaw(4), kFinishLines);
  EXPECT_TRUE(isCompletionOf(w.window().surface.board81(), kNineCandidatePuzzle));
}

TEST(StepRun, CellWithoutCandidatesStopsTheTableWithError) {
  TracedWindow w;
  w.typeGrid(kNoCompletionPuzzle);
  const Trace trace = w.click("Command7");
  const auto drawings = tableDrawings(trace);
  ASSERT_EQ(drawings.size(), 1u);
  ASSERT_EQ(drawings[0].entries.size(), 9u);  // the cells after (1, 9) are not drawn
  EXPECT_EQ(drawings[0].entries[8].text, formatRight10(0));
  const std::vector<std::string> end{"move 4500 6000", "font 40", "print \"エラー\" newline", "move 5000 5000",
                                     "colour 0",       "font 20", "print \"終了\" continue"};
  EXPECT_EQ(trace.lastRaw(7), end);
  EXPECT_EQ(trace.count("prompt"), 0u);
  EXPECT_TRUE(trace.texts("Text14").empty());
}

TEST(StepRun, FourthIncompleteEndOfRunCheckStopsTheRun) {
  // A puzzle the step run cannot finish.
  TracedWindow w;
  w.typeGrid("004009300010030050800700009006800020005000700020007900200004007040050060001200500");
  w.answer("2");
  const Trace trace = w.click("Command7");
  const std::vector<std::string> end{"move 4000 7600", "colour 0", "font 20", "print \" いったんstop\" newline"};
  EXPECT_EQ(trace.lastRaw(4), end);
  // The frame is drawn at the set-up and again by each of the four checks;
  // each frame draws its first line twice, thin and then thick.
  std::size_t firstLines = 0;
  for (const auto &l : trace.lines) {
    if (l.raw == "line 9120 170 9120 4760") ++firstLines;
  }
  EXPECT_EQ(firstLines, 2u * 5u);
  for (const Printed &p : trace.prints) {
    EXPECT_NE(p.text, "終了");
    if (p.font == 30 && p.text == " 0 ") {
      EXPECT_EQ(p.colour, 0u);  // empty cells show a black 0
    }
  }
  std::size_t zeros = 0;
  for (const Printed &p : trace.prints) {
    if (p.font == 30 && p.text == " 0 ") ++zeros;
  }
  EXPECT_GT(zeros, 0u);
}

}  // namespace
}  // namespace numplace_test

namespace numplace_test {
namespace {

// The singles found by scanning blocks, rows and cells have set font size 9
// during the scan; the column single and the digit-list singles set it right
// before their step line, after moving to it.
TEST(StepLog, ColumnAndDigitListSinglesSetTheSmallFontRightBeforeTheStepLine) {
  TracedWindow w;
  w.typeGrid(kStepPuzzle);
  w.answer("2");
  const Trace trace = w.click("Command7");
  std::set<std::string> seen;
  for (const StepLine &s : stepLines(trace)) {
    const std::string &word = s.report.word;
    SCOPED_TRACE(s.text14);
    ASSERT_GE(s.printed.line, 2u);
    const TraceLine &before = trace.lines[s.printed.line - 1];
    const bool setsFont = word == "たて" || word == "縦　" || word == "横　";
    if (setsFont) {
      EXPECT_EQ(before.raw, "font 9");
      EXPECT_EQ(trace.lines[s.printed.line - 2].kind, "move");
    } else {
      EXPECT_EQ(before.kind, "move");
    }
    seen.insert(word);
  }
  EXPECT_TRUE(seen.count("縦　") == 1 && seen.count("基本") == 1 && seen.count("ブロ") == 1)
      << "puzzle lost a technique";
}

}  // namespace
}  // namespace numplace_test

namespace numplace_test {
namespace {

// Row 1 holds 4..8; its four empty cells are confined to 1, 2 and 3 (codes
// 12, 13, 23 and 123), which no completion can satisfy. The triple stage of
// every third idle cycle finds four cells for three digits and sends the run
// straight to the end-of-run check, whatever the late-stage count.
constexpr std::string_view kTripleContradiction =
    "000045678009000000000000000900000000020900000001000000090000000300000000000000000";

TEST(EndOfRunCheck, TripleContradictionGoesToTheCheckAtOnceAndTheFourthCheckStops) {
  TracedWindow w;
  w.typeGrid(kTripleContradiction);
  w.answer("2");
  const Trace trace = w.click("Command7");
  EXPECT_TRUE(stepLines(trace).empty());
  // The end-of-run check prints every empty cell as a black 0 on the step board.
  std::vector<std::size_t> checks;
  for (const Printed &p : trace.prints) {
    if (p.text == " 0 " && p.font == 30 && near(p.x, stepBoardX(1)) && near(p.y, stepBoardY(1)))
      checks.push_back(p.line);
  }
  ASSERT_EQ(checks.size(), 4u);
  const auto drawings = tableDrawings(trace);
  const auto drawingsBefore = [&](std::size_t line) {
    return std::count_if(drawings.begin(), drawings.end(),
                         [&](const TableDrawing &d) { return !d.entries.empty() && d.entries.front().line < line; });
  };
  // Three idle cycles of two table drawings each before every check.
  EXPECT_EQ(drawingsBefore(checks[0]), 6);
  EXPECT_EQ(drawingsBefore(checks[3]), 24);
  EXPECT_EQ(trace.lastRaw(4),
            (std::vector<std::string>{"move 4000 7600", "colour 0", "font 20", "print \" いったんstop\" newline"}));
}

}  // namespace
}  // namespace numplace_test
