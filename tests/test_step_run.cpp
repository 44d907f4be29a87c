// "  1　STEP": the step log, Text14, the step board, the candidate-code table,
// the step prompt and the two ends of the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "board/number.h"
#include "helpers.h"

namespace numplace_test {
namespace {

const std::vector<DrawOp> kFinishOps{Draw::move(5000, 5000), Draw::colour(0), Draw::font(20),
                                     Draw::print("終了", Ending::Continue)};
const std::vector<DrawOp> kStopOps{Draw::move(4000, 7600), Draw::colour(0), Draw::font(20),
                                   Draw::print(" いったんstop", Ending::NewLine)};

bool isStepWord(std::string_view w) {
  return w == "基本" || w == "ブロ" || w == "よこ" || w == "たて" || w == "縦　" || w == "横　";
}

std::string stepPromptText() {
  std::string text = " １stepずつ止まります。enterキイでも可。";
  for (int i = 0; i < 13; ++i) text += "\xE3\x80\x80";
  return text + "２は途中までか、終りまで止まりません。";
}

// Number of characters (code points) of a UTF-8 text.
std::size_t codePoints(std::string_view text) {
  std::size_t n = 0;
  for (const char ch : text) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
  return n;
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
  TestWindow w;
  w.typeGrid(kCompleteGrid);
  const Clicked c = w.click(Button::Step);
  EXPECT_EQ(c.prompts.size(), 1u);
  EXPECT_TRUE(c.textsOf("Text14").empty());
  EXPECT_TRUE(c.run().placements.empty());
  EXPECT_EQ(c.run().end, RunEnd::Solved);
  EXPECT_EQ(c.last(4), kFinishOps);
  const auto drawings = tableDrawings(c);
  ASSERT_EQ(drawings.size(), 1u);
  ASSERT_EQ(drawings[0].entries.size(), 81u);
  for (std::size_t i = 0; i < 81; ++i) {
    const int r = static_cast<int>(i) / 9 + 1, col = static_cast<int>(i) % 9 + 1;
    EXPECT_EQ(drawings[0].entries[i].text, formatRight10(digitAt(kCompleteGrid, r, col)));
    EXPECT_EQ(drawings[0].entries[i].colour, kBlueColour);
  }
}

TEST(StepPrompt, HasItsTextTitleDefaultAndScreenPosition) {
  TestWindow w;
  w.typeGrid(kCompleteGrid);
  const Clicked c = w.click(Button::Step);
  ASSERT_EQ(c.prompts.size(), 1u);
  const PromptRequest &p = c.prompts[0].request;
  EXPECT_EQ(p.text, stepPromptText());
  EXPECT_EQ(codePoints(p.text), 57u);
  EXPECT_EQ(p.title, "999");
  EXPECT_EQ(p.defaultAnswer, "1か２");
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 9100);
  EXPECT_EQ(c.prompts[0].answer, "1か２");  // an empty queue answers with the default
}

struct AnswerCase {
  const char *name;
  std::optional<std::string> answer;  // nothing: the prompt is cancelled
  bool runsThrough;
  friend void PrintTo(const AnswerCase &c, std::ostream *os) { *os << c.name; }
};

class StepPromptAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(StepPromptAnswers, OnlyTheNumberTwoSwitchesThePromptsOff) {
  TestWindow w;
  w.typeGrid(kEasyPuzzle);
  w.answer(GetParam().answer);
  const Clicked c = w.click(Button::Step);
  const auto steps = c.textsOf("Text14");
  EXPECT_EQ(steps.size(), static_cast<std::size_t>(emptyCells(kEasyPuzzle)));
  EXPECT_EQ(c.run().placements.size(), steps.size());
  if (GetParam().runsThrough) {
    EXPECT_EQ(c.prompts.size(), 1u);
  } else {
    EXPECT_GT(c.prompts.size(), steps.size());  // after every step and every table change
  }
  EXPECT_EQ(c.last(4), kFinishOps);
}

INSTANTIATE_TEST_SUITE_P(Answers, StepPromptAnswers,
                         ::testing::Values(AnswerCase{"Two", "2", true}, AnswerCase{"TwoWithBlanks", " 2 ", true},
                                           AnswerCase{"FullWidthTwo", "２", true},
                                           AnswerCase{"Default", "1か２", false}, AnswerCase{"One", "1", false},
                                           AnswerCase{"Text", "abc", false}, AnswerCase{"Empty", "", false},
                                           AnswerCase{"Cancelled", std::nullopt, false}),
                         [](const auto &c) { return std::string(c.param.name); });

TEST(StepLog, LinesAreNumberedPlacedAndLaidOutInThreeColumnsOfTwenty) {
  TestWindow w;
  w.typeGrid(kStepPuzzle);
  w.answer("2");
  const Clicked c = w.click(Button::Step);
  const auto steps = shownSteps(c);
  const auto &placements = c.run().placements;
  ASSERT_EQ(steps.size(), static_cast<std::size_t>(emptyCells(kStepPuzzle)));
  ASSERT_EQ(placements.size(), steps.size());
  std::set<int> filled;
  int columnSingles = 0;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const ShownStep &s = steps[i];
    const PlacementRecord &p = placements[i];
    const int k = static_cast<int>(i) + 1;
    SCOPED_TRACE("step " + std::to_string(k) + ": " + s.text14);
    ASSERT_EQ(p.step, k);
    ASSERT_TRUE(isStepWord(p.word));
    EXPECT_EQ(p.pass, 0);
    EXPECT_EQ(p.digit, digitAt(kStepSolution, p.row, p.column));
    EXPECT_EQ(digitAt(kStepPuzzle, p.row, p.column), 0);
    EXPECT_TRUE(filled.insert(p.row * 10 + p.column).second);
    EXPECT_EQ(s.text14, expectedReport(k, p.word, p.row, p.column, p.digit));
    const bool columnSingle = p.word == "縦　";
    columnSingles += columnSingle ? 1 : 0;
    ASSERT_TRUE(s.line);
    EXPECT_EQ(s.line->text, printedNumber(k) + std::string(p.word) + printedNumber(p.row) +
                                (columnSingle ? " - " : "-") + printedNumber(p.column) + printedNumber(p.digit));
    EXPECT_EQ(s.line->font, 9);
    EXPECT_TRUE(s.line->newline);
    // Step line positions: x 180 for steps 1-20, 2300 for 21-40, 4600 from 41, 180 twips apart.
    const double x = k <= 20 ? 180 : k <= 40 ? 2300 : 4600;
    const int row = k <= 20 ? k - 1 : k <= 40 ? k - 21 : k - 41;
    EXPECT_TRUE(s.line->moved);
    EXPECT_EQ(s.line->x, x);
    EXPECT_NEAR(s.line->y, 5500 + 180 * (row + 0.01), 1e-6);
    // The placed digit in red at font 30 on the step board, right after Text14.
    const auto next = std::find_if(c.prints.begin(), c.prints.end(), [&](const Printed &q) { return q.op >= s.at; });
    ASSERT_NE(next, c.prints.end());
    EXPECT_EQ(next->text, printedNumber(p.digit));
    EXPECT_EQ(next->colour, kRedColour);
    EXPECT_EQ(next->font, 30);
    EXPECT_TRUE(near(next->x, stepBoardX(p.column)) && near(next->y, stepBoardY(p.row)));
  }
  EXPECT_GT(columnSingles, 0);
  EXPECT_NEAR(steps[19].line->y, 8921.8, 1e-6);
  EXPECT_EQ(steps[20].line->x, 2300);
  EXPECT_NEAR(steps[20].line->y, 5501.8, 1e-6);
  EXPECT_EQ(steps[40].line->x, 4600);
  EXPECT_NEAR(steps[40].line->y, 5501.8, 1e-6);
  EXPECT_EQ(c.last(4), kFinishOps);
  EXPECT_TRUE(isCompletionOf(gridString(c.run().board), kStepPuzzle));
}

TEST(StepBoard, RedrawsPlacedDigitsInTheirColoursWithSixGreyGreen) {
  TestWindow w;
  w.typeGrid(kStepPuzzle);
  w.answer("2");
  const Clicked c = w.click(Button::Step);
  std::set<std::size_t> redOps;  // the red digit printed right after each step line
  for (const auto &s : shownSteps(c)) redOps.insert(s.at + 3);
  int sixes = 0;
  for (const Printed &p : c.prints) {
    if (p.font != 30) continue;
    if (p.colour == kRedColour) {
      EXPECT_TRUE(redOps.count(p.op)) << "red digit that is not a placement, operation " << p.op;
    } else if (p.text == " 6 ") {
      EXPECT_EQ(p.colour, 150u + 256u * 170u + 65536u * 150u);
      ++sixes;
    }
  }
  EXPECT_GT(sixes, 0);
}

TEST(CandidateTable, FirstDrawingIsAllBlueAndChangedEntriesAreBlueAfterWhiteErase) {
  TestWindow w;
  w.typeGrid(kEasyPuzzle);
  w.answer("2");
  const auto drawings = tableDrawings(w.click(Button::Step));
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
  TestWindow w;
  w.typeGrid(kEasyPuzzle);
  const Clicked c = w.click(Button::Step);
  const auto steps = shownSteps(c);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(c.run().placements.at(0),
            (PlacementRecord{1, row, column, firstCode(kEasyPuzzle, row, column), "基本", 0}));
  EXPECT_EQ(steps[0].text14, expectedReport(1, "基本", row, column, firstCode(kEasyPuzzle, row, column)));
  // Before it: the table of sub-pass 1 (all entries changed) and its prompt.
  const auto drawings = tableDrawings(c);
  EXPECT_EQ(std::count_if(drawings.begin(), drawings.end(),
                          [&](const TableDrawing &d) { return d.erase.front().op < steps[0].at; }),
            1);
  EXPECT_EQ(std::count_if(c.prompts.begin(), c.prompts.end(), [&](const PromptSeen &p) { return p.at < steps[0].at; }),
            1);
}

TEST(StepRun, NineCandidateCellShowsItsFullCodeAndIsNoError) {
  ASSERT_EQ(freeDigits(kNineCandidatePuzzle, 1, 1), 0x3FE);
  TestWindow w;
  w.typeGrid(kNineCandidatePuzzle);
  w.answer("2");
  const Clicked c = w.click(Button::Step);
  const auto drawings = tableDrawings(c);
  ASSERT_FALSE(drawings.empty());
  ASSERT_FALSE(drawings[0].entries.empty());
  EXPECT_EQ(drawings[0].entries[0].text, " 123456789");
  for (const Printed &p : c.prints) EXPECT_EQ(p.text.find("エラー"), std::string::npos);
  EXPECT_EQ(c.last(4), kFinishOps);
  EXPECT_TRUE(isCompletionOf(gridString(c.run().board), kNineCandidatePuzzle));
}

TEST(StepRun, CellWithoutCandidatesStopsTheTableWithError) {
  TestWindow w;
  w.typeGrid(kNoCompletionPuzzle);
  const Clicked c = w.click(Button::Step);
  const auto drawings = tableDrawings(c);
  ASSERT_EQ(drawings.size(), 1u);
  ASSERT_EQ(drawings[0].entries.size(), 9u);  // the cells after (1, 9) are not drawn
  EXPECT_EQ(drawings[0].entries[8].text, formatRight10(0));
  const std::vector<DrawOp> end{Draw::move(4500, 6000), Draw::font(40), Draw::print("エラー", Ending::NewLine)};
  std::vector<DrawOp> expected = end;
  expected.insert(expected.end(), kFinishOps.begin(), kFinishOps.end());
  EXPECT_EQ(c.last(7), expected);
  EXPECT_TRUE(c.prompts.empty());
  EXPECT_TRUE(c.textsOf("Text14").empty());
  EXPECT_EQ(c.run().end, RunEnd::Error);
}

TEST(StepRun, FourthIncompleteEndOfRunCheckStopsTheRun) {
  TestWindow w;
  w.typeGrid(kStepStopPuzzle);
  w.answer("2");
  const Clicked c = w.click(Button::Step);
  EXPECT_EQ(c.last(4), kStopOps);
  EXPECT_EQ(c.run().end, RunEnd::Stopped);
  // The frame is drawn at the set-up and again by each of the four checks;
  // each frame draws its first line twice, thin and then thick.
  EXPECT_EQ(std::count(c.ops.begin(), c.ops.end(), Draw::line(9120, 170, 9120, 4760)), 2 * 5);
  std::size_t zeros = 0;
  for (const Printed &p : c.prints) {
    EXPECT_NE(p.text, "終了");
    if (p.font == 30 && p.text == " 0 ") {
      EXPECT_EQ(p.colour, 0u);  // empty cells show a black 0
      ++zeros;
    }
  }
  EXPECT_GT(zeros, 0u);
}

// The singles found by scanning blocks, rows and cells have set font size 9
// during the scan; the column single and the digit-list singles set it right
// before their step line, after moving to it.
TEST(StepLog, ColumnAndDigitListSinglesSetTheSmallFontRightBeforeTheStepLine) {
  TestWindow w;
  w.typeGrid(kStepPuzzle);
  w.answer("2");
  const Clicked c = w.click(Button::Step);
  const auto steps = shownSteps(c);
  const auto &placements = c.run().placements;
  ASSERT_EQ(steps.size(), placements.size());
  std::set<std::string_view> seen;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const std::string_view word = placements[i].word;
    SCOPED_TRACE(steps[i].text14);
    ASSERT_TRUE(steps[i].line);
    const std::size_t op = steps[i].line->op;
    ASSERT_GE(op, 2u);
    const bool setsFont = word == "たて" || word == "縦　" || word == "横　";
    if (setsFont) {
      EXPECT_EQ(c.ops[op - 1], Draw::font(9));
      EXPECT_EQ(c.ops[op - 2].kind, DrawOp::Kind::Move);
    } else {
      EXPECT_EQ(c.ops[op - 1].kind, DrawOp::Kind::Move);
    }
    seen.insert(word);
  }
  EXPECT_TRUE(seen.count("縦　") == 1 && seen.count("基本") == 1 && seen.count("ブロ") == 1)
      << "puzzle lost a technique";
}

// Row 1 holds 4..8; its four empty cells are confined to 1, 2 and 3 (codes
// 12, 13, 23 and 123), which no completion can satisfy. The triple stage of
// every third idle cycle finds four cells for three digits and sends the run
// straight to the end-of-run check, whatever the late-stage count.
constexpr std::string_view kTripleContradiction =
    "000045678009000000000000000900000000020900000001000000090000000300000000000000000";

TEST(EndOfRunCheck, TripleContradictionGoesToTheCheckAtOnceAndTheFourthCheckStops) {
  TestWindow w;
  w.typeGrid(kTripleContradiction);
  w.answer("2");
  const Clicked c = w.click(Button::Step);
  EXPECT_TRUE(c.run().placements.empty());
  EXPECT_TRUE(c.textsOf("Text14").empty());
  // The end-of-run check prints every empty cell as a black 0 on the step board.
  std::vector<std::size_t> checks;
  for (const Printed &p : c.prints) {
    if (p.text == " 0 " && p.font == 30 && near(p.x, stepBoardX(1)) && near(p.y, stepBoardY(1))) checks.push_back(p.op);
  }
  ASSERT_EQ(checks.size(), 4u);
  const auto drawings = tableDrawings(c);
  const auto drawingsBefore = [&](std::size_t op) {
    return std::count_if(drawings.begin(), drawings.end(),
                         [&](const TableDrawing &d) { return !d.entries.empty() && d.entries.front().op < op; });
  };
  // Three idle cycles of two table drawings each before every check.
  EXPECT_EQ(drawingsBefore(checks[0]), 6);
  EXPECT_EQ(drawingsBefore(checks[3]), 24);
  EXPECT_EQ(c.last(4), kStopOps);
  EXPECT_EQ(c.run().end, RunEnd::Stopped);
}

}  // namespace
}  // namespace numplace_test
