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
  TracedWindow step, reference;
  step.typeGrid(kStepPuzzle);
  reference.typeGrid(kStepPuzzle);
  step.answer("2");
  reference.answer("2");
  const Trace stepTrace = step.click("Command7");
  const Trace referenceTrace = reference.click("Command1");
  const auto a = stepLines(stepTrace), b = stepLines(referenceTrace);
  ASSERT_EQ(a.size(), b.size());
  ASSERT_FALSE(a.empty());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].text14, b[i].text14);
    EXPECT_EQ(a[i].printed.text, b[i].printed.text);
  }
  EXPECT_EQ(stepTrace.lastRaw(4), referenceTrace.lastRaw(4));
}

TEST(Reference1, StopsForTheSameTableChangesAsTheStepRun) {
  TracedWindow step, reference;
  step.typeGrid(kEasyPuzzle);
  reference.typeGrid(kEasyPuzzle);
  const Trace stepTrace = step.click("Command7");
  const Trace referenceTrace = reference.click("Command1");
  EXPECT_EQ(stepTrace.count("prompt"), referenceTrace.count("prompt"));
  ASSERT_FALSE(referenceTrace.of("prompt").empty());
  EXPECT_EQ(referenceTrace.of("prompt")[0]->strings.at(1), "999");
}

TEST(Reference1, TableShowsPairAndTripleMembersRedAndNeverBlue) {
  TracedWindow w;
  w.typeGrid(kStepPuzzle);
  w.answer("2");
  const Trace trace = w.click("Command1");
  const auto drawings = tableDrawings(trace);
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

const std::vector<std::string> kPauseEndLines{"move 10000 9000", "colour 0", "font 20", "print \"終了\" continue"};

std::size_t countPrints(const Trace &trace, std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(trace.prints.begin(), trace.prints.end(), [&](const Printed &p) { return p.text == text; }));
}

bool isSmallDigit(const Printed &p) {
  return p.font == 20 && p.text.size() == 3 && p.text[0] == ' ' && p.text[1] >= '1' && p.text[1] <= '9' &&
         p.text[2] == ' ';
}

TEST(Reference2, ReportsEveryPlacementAndEndsWhenTheBoardIsFull) {
  TracedWindow w;
  w.typeGrid(kEasyPuzzle);
  const Trace trace = w.click("Command5");
  const auto reports = trace.texts("Text14");
  std::set<int> filled;
  std::size_t n = 0;
  for (std::size_t i = 0; i < trace.lines.size(); ++i) {
    const TraceLine &l = trace.lines[i];
    if (l.kind != "text") continue;
    ++n;
    const auto p = parseReportText(l.strings.at(0));
    ASSERT_TRUE(p) << l.raw;
    SCOPED_TRACE(l.raw);
    EXPECT_EQ(p->step, static_cast<int>(n));
    EXPECT_TRUE(isReference2Word(p->word));
    EXPECT_EQ(l.strings.at(0), reportText(p->step, p->word, p->row, p->column, p->digit));
    EXPECT_EQ(p->digit, digitAt(kEasySolution, p->row, p->column));
    EXPECT_EQ(digitAt(kEasyPuzzle, p->row, p->column), 0);
    EXPECT_TRUE(filled.insert(10 * p->row + p->column).second);
    // The next board drawing shows the new digit in its cell.
    const auto next = std::find_if(trace.prints.begin(), trace.prints.end(), [&](const Printed &q) {
      return q.line > i && q.font == 40 && q.x == 8556 + 720 * (p->column - 1) && q.y == 192 + 720 * (p->row - 1);
    });
    ASSERT_NE(next, trace.prints.end());
    EXPECT_EQ(next->text, printedNumber(p->digit));
  }
  EXPECT_EQ(n, filled.size());
  EXPECT_EQ(filled.size(), 81u - 30u);  // kEasyPuzzle has 30 givens
  EXPECT_GT(n, 11u);                    // two-digit step numbers are written as " 12"
  EXPECT_EQ(trace.lastRaw(4), kPauseEndLines);
  EXPECT_EQ(trace.count("prompt"), 0u);
  EXPECT_EQ(countPrints(trace, " いったんstop"), 0u);
  EXPECT_EQ(countPrints(trace, "小さめの数字は、ブロック内で二つのもの。"), 0u);
  EXPECT_EQ(w.window().surface.board81(), kEasySolution);
}

TEST(Reference2, PauseShowsPairDigitsLegendStopAndItsPrompt) {
  TracedWindow w;
  w.typeGrid(kPausePuzzle);
  const Trace trace = w.click("Command5");
  const auto prompts = trace.of("prompt");
  ASSERT_EQ(prompts.size(), 5u);  // the sixth pause ends the run without a prompt
  for (const auto *p : prompts) {
    EXPECT_EQ(p->strings.at(0), " ブレークポイント　２は終了まで。");
    EXPECT_EQ(p->strings.at(1), "");
    EXPECT_EQ(p->strings.at(2), "１か　２");
    EXPECT_EQ(p->numbers, (std::vector<double>{8080, 8200}));
  }
  for (const Printed &p : trace.prints) {
    if (p.text == " いったんstop") {
      EXPECT_TRUE(p.x == 10000 && p.y == 9600 && p.font == 20 && p.colour == 0 && p.newline);
    } else if (p.text == "小さめの数字は、ブロック内で二つのもの。") {
      EXPECT_TRUE(p.x == 8900 && p.y == 6880 && p.font == 17 && p.colour == 0 && p.newline);
    }
  }
  EXPECT_EQ(countPrints(trace, " いったんstop"), 6u);
  EXPECT_EQ(countPrints(trace, "小さめの数字は、ブロック内で二つのもの。"), 6u);
  EXPECT_EQ(trace.lastRaw(4), kPauseEndLines);
  EXPECT_EQ(trace.count("clear"), 6u);  // the start and after each of the five prompts
}

TEST(Reference2, PairDigitsArePrintedSortedSmallInBothCellsOfTheirBlock) {
  TracedWindow w;
  w.typeGrid(kPausePuzzle);
  w.answer("2");
  const Trace trace = w.click("Command5");
  std::map<int, std::vector<Printed>> byPause;  // pause (clears before it) -> its small digits
  for (const Printed &p : trace.prints) {
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
      const int c = static_cast<int>(std::floor((p.x - 8556) / 720 + 1e-9)) + 1;
      const double offset = p.x - 8556 - 720 * (c - 1);
      const int d = p.text[1] - '0';
      const int b = 3 * ((r - 1) / 3) + (c - 1) / 3 + 1;
      const int key = 1000 * b + 100 * r + 10 * c + d;
      EXPECT_GT(key, previousKey) << "entries are printed lowest first";
      previousKey = key;
      sameCell = 10 * r + c == previousCell ? sameCell + 1 : 0;
      previousCell = 10 * r + c;
      EXPECT_EQ(offset, sameCell == 0 ? 0 : sameCell == 1 ? 216 : 432) << r << ',' << c;
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
  TracedWindow w;
  w.typeGrid(kPausePuzzle);
  w.answer(GetParam().answer);
  const Trace trace = w.click("Command5");
  EXPECT_EQ(trace.count("prompt"), GetParam().prompts);
  EXPECT_EQ(countPrints(trace, " いったんstop"), 6u);
  EXPECT_EQ(trace.lastRaw(4), kPauseEndLines);
}

INSTANTIATE_TEST_SUITE_P(Answers, PauseAnswers,
                         ::testing::Values(PauseAnswerCase{"Two", "2", 1}, PauseAnswerCase{"TwoWithBlanks", " 2 ", 1},
                                           PauseAnswerCase{"FullWidthTwo", "２", 1},
                                           PauseAnswerCase{"Default", "１か　２", 5}, PauseAnswerCase{"Empty", "", 5},
                                           PauseAnswerCase{"Cancelled", std::nullopt, 5}),
                         [](const auto &c) { return std::string(c.param.name); });

TEST(Reference2, CellWithoutCandidatesShowsErrorAndPausesWithoutPairDigits) {
  TracedWindow w;
  w.typeGrid(kNoCompletionPuzzle);
  const Trace trace = w.click("Command5");
  std::size_t errors = 0;
  for (const Printed &p : trace.prints) {
    EXPECT_FALSE(isSmallDigit(p));
    if (p.text != "エラー") continue;
    ++errors;
    EXPECT_TRUE(p.x == 4500 && p.y == 8000 && p.font == 40 && p.colour == 0 && p.newline);
  }
  EXPECT_EQ(errors, 6u);  // the same contradiction at every one of the six pauses
  EXPECT_EQ(countPrints(trace, " いったんstop"), 6u);
  EXPECT_EQ(trace.count("prompt"), 5u);
  EXPECT_EQ(trace.lastRaw(4), kPauseEndLines);
}

}  // namespace
}  // namespace numplace_test
