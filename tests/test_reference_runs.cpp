// "       参考1 (同盟)　　" (the step run showing pair members in red) and
// "参考2 ( ペア)" (placements reported, block pairs shown at every halt).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "board/number.h"
#include "helpers.h"

namespace numplace_test {
namespace {

// ---------------------------------------------------------------------------
// Reference 1.

TEST(Reference1, PlacesTheSameStepsAsTheStepRun) {
  TestWindow step, reference;
  step.typeGrid(kStepPuzzle);
  reference.typeGrid(kStepPuzzle);
  step.answer("2");
  reference.answer("2");
  const Clicked stepClick = step.click(Button::Step);
  const Clicked referenceClick = reference.click(Button::Reference1);
  EXPECT_EQ(referenceClick.run().run, RunKind::Reference1);
  ASSERT_FALSE(stepClick.run().placements.empty());
  EXPECT_EQ(stepClick.run().placements, referenceClick.run().placements);
  const auto a = shownSteps(stepClick), b = shownSteps(referenceClick);
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].text14, b[i].text14);
    ASSERT_TRUE(a[i].line && b[i].line);
    EXPECT_EQ(a[i].line->text, b[i].line->text);
  }
  EXPECT_EQ(stepClick.last(4), referenceClick.last(4));
}

TEST(Reference1, StopsForTheSameTableChangesAsTheStepRun) {
  TestWindow step, reference;
  step.typeGrid(kEasyPuzzle);
  reference.typeGrid(kEasyPuzzle);
  const Clicked stepClick = step.click(Button::Step);
  const Clicked referenceClick = reference.click(Button::Reference1);
  EXPECT_EQ(stepClick.prompts.size(), referenceClick.prompts.size());
  ASSERT_FALSE(referenceClick.prompts.empty());
  EXPECT_EQ(referenceClick.prompts[0].request.title, "999");
}

TEST(Reference1, TableShowsPairAndTripleMembersRedAndNeverBlue) {
  TestWindow w;
  w.typeGrid(kStepPuzzle);
  w.answer("2");
  const auto drawings = tableDrawings(w.click(Button::Reference1));
  ASSERT_FALSE(drawings.empty());
  int red = 0;
  for (const auto &d : drawings) {
    for (const Printed &e : d.erase) EXPECT_EQ(e.colour, kWhiteColour);
    for (const Printed &e : d.entries) {
      ASSERT_TRUE(e.colour == 0 || e.colour == kRedColour) << e.colour;
      if (e.colour != kRedColour) continue;
      ++red;
      // Only unsolved cells of a pair (two digits) or triple (three digits) are red.
      const long long code = std::stoll(e.text);
      EXPECT_GE(code, 10);
      EXPECT_LE(code, 999);
    }
  }
  EXPECT_GT(red, 0);
}

// ---------------------------------------------------------------------------
// Reference 2.

const std::vector<DrawOp> kPauseEndOps{Draw::move(10000, 9000), Draw::colour(0), Draw::font(20),
                                       Draw::print("終了", Ending::Continue)};
constexpr std::string_view kLegend = "小さめの数字は、ブロック内で二つのもの。";

std::size_t countPrints(const Clicked &c, std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(c.prints.begin(), c.prints.end(), [&](const Printed &p) { return p.text == text; }));
}

bool isReference2Word(std::string_view w) {
  return w == "基本" || w == "ブロ" || w == "よこ" || w == "たて" || w == "縦１" || w == "横１";
}

bool isSmallDigit(const Printed &p) {
  return p.font == 20 && p.text.size() == 3 && p.text[0] == ' ' && p.text[1] >= '1' && p.text[1] <= '9' &&
         p.text[2] == ' ';
}

TEST(Reference2, ReportsEveryPlacementAndEndsWhenTheBoardIsFull) {
  TestWindow w;
  w.typeGrid(kEasyPuzzle);
  const Clicked c = w.click(Button::Reference2);
  const auto &placements = c.run().placements;
  ASSERT_EQ(c.texts.size(), placements.size());
  std::set<int> filled;
  for (std::size_t i = 0; i < placements.size(); ++i) {
    const PlacementRecord &p = placements[i];
    const TextChange &t = c.texts[i];
    SCOPED_TRACE(t.text);
    EXPECT_EQ(t.control, "Text14");
    EXPECT_EQ(p.step, static_cast<int>(i) + 1);
    EXPECT_TRUE(isReference2Word(p.word));
    EXPECT_EQ(t.text, expectedReport(p.step, p.word, p.row, p.column, p.digit));
    EXPECT_EQ(p.digit, digitAt(kEasySolution, p.row, p.column));
    EXPECT_EQ(digitAt(kEasyPuzzle, p.row, p.column), 0);
    EXPECT_TRUE(filled.insert(10 * p.row + p.column).second);
    // The next board drawing shows the new digit in its cell.
    const auto next = std::find_if(c.prints.begin(), c.prints.end(), [&](const Printed &q) {
      return q.op >= t.at && q.font == 40 && q.x == 8556 + 720 * (p.column - 1) && q.y == 192 + 720 * (p.row - 1);
    });
    ASSERT_NE(next, c.prints.end());
    EXPECT_EQ(next->text, printedNumber(p.digit));
  }
  EXPECT_EQ(filled.size(), 81u - 30u);  // kEasyPuzzle has 30 givens
  EXPECT_GT(placements.size(), 11u);    // two-digit step numbers are written as " 12"
  EXPECT_EQ(c.last(4), kPauseEndOps);
  EXPECT_TRUE(c.prompts.empty());
  EXPECT_EQ(countPrints(c, " いったんstop"), 0u);
  EXPECT_EQ(countPrints(c, kLegend), 0u);
  EXPECT_EQ(c.run().end, RunEnd::Solved);
  EXPECT_EQ(gridString(c.run().board), kEasySolution);
}

TEST(Reference2, PauseShowsPairDigitsLegendStopAndItsPrompt) {
  TestWindow w;
  w.typeGrid(kPausePuzzle);
  const Clicked c = w.click(Button::Reference2);
  ASSERT_EQ(c.prompts.size(), 5u);  // the sixth pause ends the run without a prompt
  for (const PromptSeen &p : c.prompts) {
    EXPECT_EQ(p.request.text, " ブレークポイント　２は終了まで。");
    EXPECT_EQ(p.request.title, "");
    EXPECT_EQ(p.request.defaultAnswer, "１か　２");
    EXPECT_EQ(p.request.x, 8080);
    EXPECT_EQ(p.request.y, 8200);
  }
  for (const Printed &p : c.prints) {
    if (p.text == " いったんstop") {
      EXPECT_TRUE(p.x == 10000 && p.y == 9600 && p.font == 20 && p.colour == 0 && p.newline);
    } else if (p.text == kLegend) {
      EXPECT_TRUE(p.x == 8900 && p.y == 6880 && p.font == 17 && p.colour == 0 && p.newline);
    }
  }
  EXPECT_EQ(countPrints(c, " いったんstop"), 6u);
  EXPECT_EQ(countPrints(c, kLegend), 6u);
  EXPECT_EQ(c.last(4), kPauseEndOps);
  EXPECT_EQ(c.count(DrawOp::Kind::Clear), 6u);  // the start and after each of the five prompts
  EXPECT_EQ(c.run().end, RunEnd::Stopped);
}

TEST(Reference2, PairDigitsArePrintedSortedSmallInBothCellsOfTheirBlock) {
  TestWindow w;
  w.typeGrid(kPausePuzzle);
  w.answer("2");
  const Clicked c = w.click(Button::Reference2);
  std::map<int, std::vector<Printed>> byPause;  // pause (clears before it) -> its small digits
  for (const Printed &p : c.prints) {
    if (isSmallDigit(p)) byPause[p.clears].push_back(p);
  }
  ASSERT_EQ(byPause.size(), 6u);
  int thirdDigits = 0;
  for (const auto &[pause, digits] : byPause) {
    SCOPED_TRACE("pause " + std::to_string(pause));
    int previousKey = -1, previousCell = -1, sameCell = 0;
    std::map<int, int> placesOfBlockDigit;
    for (const Printed &p : digits) {
      const double rowPosition = (p.y + 144) / 720;
      ASSERT_EQ(rowPosition, std::floor(rowPosition));
      const int r = static_cast<int>(rowPosition);
      const int col = static_cast<int>(std::floor((p.x - 8556) / 720 + 1e-9)) + 1;
      const double offset = p.x - 8556 - 720 * (col - 1);
      const int d = p.text[1] - '0';
      const int b = 3 * ((r - 1) / 3) + (col - 1) / 3 + 1;
      const int key = 1000 * b + 100 * r + 10 * col + d;
      EXPECT_GT(key, previousKey) << "entries are printed lowest first";
      previousKey = key;
      sameCell = 10 * r + col == previousCell ? sameCell + 1 : 0;
      previousCell = 10 * r + col;
      EXPECT_EQ(offset, sameCell == 0 ? 0 : sameCell == 1 ? 216 : 432) << r << ',' << col;
      thirdDigits += sameCell >= 2 ? 1 : 0;
      EXPECT_EQ(p.colour, 0u);
      ++placesOfBlockDigit[10 * b + d];
    }
    for (const auto &[blockDigit, places] : placesOfBlockDigit) EXPECT_EQ(places, 2) << blockDigit;
  }
  EXPECT_GT(thirdDigits, 0);
}

struct PauseAnswerCase {
  const char *name;
  std::optional<std::string> answer;
  std::size_t prompts;
  friend void PrintTo(const PauseAnswerCase &c, std::ostream *os) { *os << c.name; }
};

class PauseAnswers : public ::testing::TestWithParam<PauseAnswerCase> {};

TEST_P(PauseAnswers, OnlyTheNumberTwoSuppressesLaterPromptsWhileEveryPauseStillStops) {
  TestWindow w;
  w.typeGrid(kPausePuzzle);
  w.answer(GetParam().answer);
  const Clicked c = w.click(Button::Reference2);
  EXPECT_EQ(c.prompts.size(), GetParam().prompts);
  EXPECT_EQ(countPrints(c, " いったんstop"), 6u);
  EXPECT_EQ(c.last(4), kPauseEndOps);
}

INSTANTIATE_TEST_SUITE_P(Answers, PauseAnswers,
                         ::testing::Values(PauseAnswerCase{"Two", "2", 1}, PauseAnswerCase{"TwoWithBlanks", " 2 ", 1},
                                           PauseAnswerCase{"FullWidthTwo", "２", 1},
                                           PauseAnswerCase{"Default", "１か　２", 5}, PauseAnswerCase{"Empty", "", 5},
                                           PauseAnswerCase{"Cancelled", std::nullopt, 5}),
                         [](const auto &c) { return std::string(c.param.name); });

TEST(Reference2, CellWithoutCandidatesShowsErrorAndPausesWithoutPairDigits) {
  TestWindow w;
  w.typeGrid(kNoCompletionPuzzle);
  const Clicked c = w.click(Button::Reference2);
  std::size_t errors = 0;
  for (const Printed &p : c.prints) {
    EXPECT_FALSE(isSmallDigit(p));
    if (p.text != "エラー") continue;
    ++errors;
    EXPECT_TRUE(p.x == 4500 && p.y == 8000 && p.font == 40 && p.colour == 0 && p.newline);
  }
  EXPECT_EQ(errors, 6u);  // the same contradiction at every one of the six pauses
  EXPECT_EQ(countPrints(c, " いったんstop"), 6u);
  EXPECT_EQ(c.prompts.size(), 5u);
  EXPECT_EQ(c.last(4), kPauseEndOps);
  EXPECT_EQ(c.run().end, RunEnd::Error);
}

}  // namespace
}  // namespace numplace_test
