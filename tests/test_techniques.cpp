// The techniques over small hand-made grid states: candidates and singles,
// codes and least codes, naked pairs and triples, digit-list singles, block
// pairs, the trial list and the duplicate check.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "board/marks.h"
#include "helpers.h"
#include "runs/stages.h"
#include "techniques/techniques.h"
#include "techniques/units.h"

namespace numplace_test {
namespace {

std::unique_ptr<Tables> primedTables() {
  auto t = std::make_unique<Tables>();
  primeLeastCodes(*t);
  return t;
}

// Every (row, column, kind) that carries a mark.
std::vector<std::array<int, 4>> marks(const Tables &t) {
  std::vector<std::array<int, 4>> out;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      for (int k = 1; k <= 3; ++k) {
        if (t.PairMarks[r][c][k] != 0) out.push_back({r, c, k, t.PairMarks[r][c][k]});
      }
    }
  }
  return out;
}

void setCodes(Tables &t, const Cells &cells) {
  for (const auto &[r, c, code] : cells) t.CandidateCode[r][c] = code;
}

// ---------------------------------------------------------------------------
// Candidates and singles.

TEST(NakedSingle, FirstCellInRowOrderIsPlacedBeforeLaterCellsAreComputed) {
  std::string grid(kCompleteGrid);
  grid[1 * 9 + 4] = '0';  // (2, 5) holds 9
  grid[6 * 9 + 2] = '0';  // (7, 3) holds 1
  auto t = primedTables();
  loadBoard(*t, grid);
  const Scan placed = candidatePass(*t, NakedSingles::Place);
  EXPECT_EQ(placed.placement, (Placement{2, 5, 9}));
  EXPECT_EQ(placed.tested, 9 + 5);    // the cells of row 1, then (2, 1) to (2, 5)
  EXPECT_EQ(t->Candidates[7][3], 0);  // not reached

  t->resetForCycle();
  EXPECT_EQ(candidatePass(*t, NakedSingles::Hold).placement, std::nullopt);
  EXPECT_EQ(t->Candidates[2][5], bitsOf(9));
  EXPECT_EQ(t->Candidates[7][3], bitsOf(1));
  EXPECT_EQ(t->SingleCandidate[7][3], 1);

  // Without a single every cell is tested.
  const Scan none = candidatePass(*primedTables(), NakedSingles::Place);
  EXPECT_EQ(none.placement, std::nullopt);
  EXPECT_EQ(none.tested, 81);
}

struct ExclusionCase {
  int kind;  // 1 row, 2 column, 3 block
  int mark;  // on the cell (4, 5)
  int code;  // expected candidate code of (4, 5)
  friend void PrintTo(const ExclusionCase &c, std::ostream *os) { *os << "kind " << c.kind << " mark " << c.mark; }
};

class CandidateExclusions : public ::testing::TestWithParam<ExclusionCase> {};

TEST_P(CandidateExclusions, ApplyUnlessTheCellIsAMemberOfTheGroup) {
  auto t = primedTables();
  const auto [kind, mark, code] = GetParam();
  // The list of the unit of that kind holding (4, 5) excludes 3 and 7; the
  // other cell checked lies in the same unit only.
  int otherRow = 4, otherColumn = 5;
  if (kind == 1) {
    t->RowExclusions[4][1] = 3, t->RowExclusions[4][2] = 7, otherColumn = 1;
  } else if (kind == 2) {
    t->ColumnExclusions[1][5] = 3, t->ColumnExclusions[2][5] = 7, otherRow = 9;
  } else {
    t->BlockExclusions[5][1] = 3, t->BlockExclusions[5][2] = 7, otherRow = 6, otherColumn = 6;
  }
  t->PairMarks[4][5][kind] = mark;
  candidatePass(*t, NakedSingles::Hold);
  ASSERT_EQ(updateCodes(*t), Outcome::Continue);
  EXPECT_EQ(t->CandidateCode[4][5], code);
  EXPECT_EQ(t->CandidateCode[otherRow][otherColumn], 1245689);
  EXPECT_EQ(t->CandidateCode[1][1], 123456789);
}

INSTANTIATE_TEST_SUITE_P(Marks, CandidateExclusions,
                         ::testing::Values(ExclusionCase{1, 0, 1245689}, ExclusionCase{1, 999, 123456789},
                                           ExclusionCase{1, 779, 123456789}, ExclusionCase{2, 0, 1245689},
                                           ExclusionCase{2, 998, 123456789}, ExclusionCase{2, 778, 123456789},
                                           ExclusionCase{3, 0, 1245689}, ExclusionCase{3, 997, 123456789},
                                           ExclusionCase{3, 779, 1245689}));

struct CodeCase {
  int candidates;  // as a code; 0 for none
  int digit;       // on the board, 0 for an empty cell
  int code;
  friend void PrintTo(const CodeCase &c, std::ostream *os) {
    *os << "candidates " << c.candidates << " digit " << c.digit;
  }
};

class CellCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CellCodes, WriteCandidatesSmallestFirstOrTheDigit) {
  auto t = primedTables();
  t->Candidates[3][3] = bitsOf(GetParam().candidates);
  t->Board[3][3] = GetParam().digit;
  EXPECT_EQ(cellCode(*t, 3, 3), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Codes, CellCodes,
                         ::testing::Values(CodeCase{37, 0, 37}, CodeCase{149, 0, 149}, CodeCase{0, 0, 0},
                                           CodeCase{0, 5, 5}, CodeCase{123456789, 0, 123456789},
                                           CodeCase{12345678, 0, 12345678}, CodeCase{9, 0, 9}));

TEST(LeastCodes, CellWithNineCandidatesIsNotAContradiction) {
  auto t = primedTables();
  candidatePass(*t, NakedSingles::Hold);
  EXPECT_EQ(updateCodes(*t), Outcome::Continue);
  EXPECT_EQ(t->LeastCode[5][5], 123456789);
  EXPECT_EQ(checkLeastCodes(*t), Outcome::Continue);
}

TEST(LeastCodes, CellWithoutCandidatesIsAContradiction) {
  auto t = primedTables();
  loadBoard(*t, kNoCompletionPuzzle);
  candidatePass(*t, NakedSingles::Hold);
  EXPECT_EQ(updateCodes(*t), Outcome::Contradiction);
  EXPECT_EQ(t->LeastCode[1][9], 0);
  EXPECT_EQ(checkLeastCodes(*t), Outcome::Contradiction);
}

TEST(LeastCodes, KeepTheSmallestCodeSeenEvenWhenTheCellRegainsDigits) {
  auto t = primedTables();
  loadBoard(*t, kEasyPuzzle);
  t->LeastCode[1][1] = 2;  // (1, 1) of kEasyPuzzle may hold 1, 2 and 4
  candidatePass(*t, NakedSingles::Hold);
  ASSERT_EQ(updateCodes(*t), Outcome::Continue);
  EXPECT_EQ(t->CandidateCode[1][1], 124);
  EXPECT_EQ(t->LeastCode[1][1], 2);
  EXPECT_EQ(t->LeastCode[1][2], 5);  // a given's code is its digit
}

enum class Hidden { Blocks, Rows, Columns };

struct HiddenCase {
  const char *name;
  Hidden technique;
  Cells candidates;
  std::optional<Placement> placed;
  int blockTests = 0;  // the (digit, block) tests of the block scan up to its find, 81 without one
  friend void PrintTo(const HiddenCase &c, std::ostream *os) { *os << c.name; }
};

class HiddenSingles : public ::testing::TestWithParam<HiddenCase> {};

TEST_P(HiddenSingles, PlaceTheFirstSingleInTheirScanOrder) {
  auto t = primedTables();
  for (const auto &[r, c, code] : GetParam().candidates) t->Candidates[r][c] = bitsOf(code);
  std::optional<Placement> placed;
  switch (GetParam().technique) {
    case Hidden::Blocks: {
      const Scan scan = hiddenSingleInBlocks(*t);
      placed = scan.placement;
      EXPECT_EQ(scan.tested, GetParam().blockTests);
      break;
    }
    case Hidden::Rows:
      placed = hiddenSingleInRows(*t);
      break;
    case Hidden::Columns:
      placed = hiddenSingleInColumns(*t);
      break;
  }
  EXPECT_EQ(placed, GetParam().placed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HiddenSingles,
    ::testing::Values(
        HiddenCase{"BlockDigitOneInBlockNineBeforeDigitTwoInBlockOne",
                   Hidden::Blocks,
                   {{9, 9, 1}, {1, 1, 2}},
                   Placement{9, 9, 1},
                   9},
        HiddenCase{
            "BlockLowerBlockFirstForOneDigit", Hidden::Blocks, {{9, 9, 2}, {1, 1, 2}}, Placement{1, 1, 2}, 9 + 1},
        HiddenCase{"BlockOnlyCellOfTheDigit",
                   Hidden::Blocks,
                   {{4, 4, 12}, {4, 5, 12}, {5, 6, 124}},
                   Placement{5, 6, 4},
                   3 * 9 + 5},
        HiddenCase{"BlockTwoPlacesNoSingle", Hidden::Blocks, {{1, 1, 2}, {2, 2, 2}}, std::nullopt, 81},
        HiddenCase{"RowBeforeDigit", Hidden::Rows, {{2, 1, 1}, {1, 7, 5}}, Placement{1, 7, 5}},
        HiddenCase{"RowLowestDigitOfTheRow", Hidden::Rows, {{3, 2, 8}, {3, 8, 4}}, Placement{3, 8, 4}},
        HiddenCase{"RowTwoPlacesNoSingle", Hidden::Rows, {{1, 1, 5}, {1, 2, 5}}, std::nullopt},
        HiddenCase{"ColumnBeforeDigit", Hidden::Columns, {{1, 2, 1}, {8, 1, 7}}, Placement{8, 1, 7}},
        HiddenCase{"ColumnTwoPlacesNoSingle", Hidden::Columns, {{1, 1, 5}, {9, 1, 5}}, std::nullopt},
        HiddenCase{"NoCandidatesNoSingle", Hidden::Columns, {}, std::nullopt}),
    [](const auto &c) { return std::string(c.param.name); });

TEST(ColumnRecount, RestoresDigitsThatExclusionsRemoved) {
  auto t = primedTables();
  for (int r = 1; r <= 8; ++r) t->RowExclusions[r][1] = 5;  // 5 left only in row 9
  candidatePass(*t, NakedSingles::Hold);
  EXPECT_EQ(hiddenSingleInRows(*t), std::nullopt);
  EXPECT_EQ(hiddenSingleInColumns(*t), (Placement{9, 1, 5}));  // what the exclusions alone would give
  columnRecount(*t);
  EXPECT_EQ(hiddenSingleInColumns(*t), std::nullopt);
  EXPECT_EQ(t->Candidates[1][1], bitsOf(123456789));
}

TEST(ColumnRecount, CycleDoesNotPlaceAColumnSingleMadeOnlyByExclusions) {
  auto t = primedTables();
  for (int r = 1; r <= 8; ++r) t->RowExclusions[r][1] = 5;
  // The answer family's singles and pairs: the first stages of a cycle.
  StageResult result = answerSingles(*t);
  if (result.kind == StageResult::Nothing) result = nakedPairStage(*t);
  EXPECT_EQ(result.kind, StageResult::Nothing);
  EXPECT_EQ(t->Board[9][1], 0);
}

TEST(ColumnRecount, GivesEveryEmptyCellTheDigitsItsUnitsAllow) {
  auto t = primedTables();
  loadBoard(*t, kEasyPuzzle);
  columnRecount(*t);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const std::uint16_t expected = digitAt(kEasyPuzzle, r, c) != 0 ? 0 : freeDigits(kEasyPuzzle, r, c);
      EXPECT_EQ(t->Candidates[r][c], expected) << r << ',' << c;
      if (expected != 0) {
        EXPECT_EQ(t->SingleCandidate[r][c], codeOfBits(expected) % 10);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Naked pairs and triples.

// A group stage over hand-set candidate codes: the outcome, every mark
// afterwards and the exclusion list of one unit.
struct GroupCase {
  const char *name;
  Cells codes;
  Outcome outcome;
  std::vector<std::array<int, 4>> marks;  // (row, column, kind, value)
  int unitKind;                           // the list checked: 1 row, 2 column, 3 block
  int unit;
  std::vector<int> list;
  friend void PrintTo(const GroupCase &c, std::ostream *os) { *os << c.name; }
};

// The digits of a unit's exclusion list, slots 1 to 8, up to the first free slot.
std::vector<int> unitList(const Tables &t, int kind, int unit) {
  std::vector<int> out;
  for (int k = 1; k <= 8; ++k) {
    const int d = kind == 1   ? t.RowExclusions[unit][k]
                  : kind == 2 ? t.ColumnExclusions[k][unit]
                              : t.BlockExclusions[unit][k];
    if (d == 0) break;
    out.push_back(d);
  }
  return out;
}

void expectGroupStage(Outcome (*stage)(Tables &), const GroupCase &g) {
  auto t = primedTables();
  setCodes(*t, g.codes);
  ASSERT_EQ(stage(*t), g.outcome);
  if (g.outcome == Outcome::Contradiction) return;
  EXPECT_EQ(marks(*t), g.marks);
  EXPECT_EQ(unitList(*t, g.unitKind, g.unit), g.list);
  // The same stage again with nothing changed adds nothing.
  ASSERT_EQ(stage(*t), Outcome::Continue);
  EXPECT_EQ(marks(*t), g.marks);
  EXPECT_EQ(unitList(*t, g.unitKind, g.unit), g.list);
}

class NakedPairs : public ::testing::TestWithParam<GroupCase> {};
TEST_P(NakedPairs, MarkThePairAndListItsDigits) { expectGroupStage(nakedPairs, GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, NakedPairs, ::testing::Values(
    GroupCase{"Row", {{2, 3, 37}, {2, 7, 37}}, Outcome::Continue, {{2, 3, 1, 999}, {2, 7, 1, 999}}, 1, 2, {3, 7}},
    GroupCase{"TwoRowPairsInScanOrder", {{5, 1, 58}, {5, 4, 58}, {5, 5, 37}, {5, 8, 37}}, Outcome::Continue,
              {{5, 1, 1, 999}, {5, 4, 1, 999}, {5, 5, 1, 999}, {5, 8, 1, 999}}, 1, 5, {5, 8, 3, 7}},
    GroupCase{"Column", {{1, 6, 49}, {8, 6, 49}}, Outcome::Continue, {{1, 6, 2, 998}, {8, 6, 2, 998}}, 2, 6, {4, 9}},
    GroupCase{"Block", {{4, 7, 26}, {6, 9, 26}}, Outcome::Continue, {{4, 7, 3, 997}, {6, 9, 3, 997}}, 3, 6, {2, 6}},
    GroupCase{"SolvedAndTripleCodesNeverPair", {{3, 1, 5}, {3, 4, 5}, {3, 5, 123}, {3, 9, 123}}, Outcome::Continue,
              {}, 1, 3, {}},
    GroupCase{"DifferentCodesNoPair", {{3, 1, 12}, {3, 9, 13}}, Outcome::Continue, {}, 1, 3, {}},
    GroupCase{"ThreeInARow", {{1, 1, 12}, {1, 5, 12}, {1, 9, 12}}, Outcome::Contradiction, {}, 1, 1, {}},
    GroupCase{"ThreeInAColumn", {{1, 1, 12}, {5, 1, 12}, {9, 1, 12}}, Outcome::Contradiction, {}, 2, 1, {}},
    GroupCase{"ThreeInABlock", {{1, 1, 12}, {2, 2, 12}, {3, 3, 12}}, Outcome::Contradiction, {}, 3, 1, {}}),
    [](const auto &c) { return std::string(c.param.name); });
// clang-format on

TEST(NakedPairs, PairFoundInALaterCycleAppendsToTheList) {
  auto t = primedTables();
  setCodes(*t, {{5, 1, 58}, {5, 4, 58}});
  ASSERT_EQ(nakedPairs(*t), Outcome::Continue);
  ASSERT_EQ(nakedPairs(*t), Outcome::Continue);  // the same pair again adds nothing
  EXPECT_EQ(unitList(*t, 1, 5), (std::vector<int>{5, 8}));
  setCodes(*t, {{5, 5, 37}, {5, 8, 37}});
  ASSERT_EQ(nakedPairs(*t), Outcome::Continue);
  EXPECT_EQ(unitList(*t, 1, 5), (std::vector<int>{5, 8, 3, 7}));
  for (int c : {1, 4, 5, 8}) EXPECT_EQ(t->PairMarks[5][c][1], 999) << c;
}

TEST(NakedPairs, MarkedCellsOfTheSecondPairIgnoreTheWholeListOfTheirRow) {
  auto t = primedTables();
  for (int c : {1, 4, 5, 8}) t->PairMarks[5][c][1] = 999;
  for (int k = 1; k <= 4; ++k) t->RowExclusions[5][k] = std::array{5, 8, 3, 7}[static_cast<std::size_t>(k - 1)];
  candidatePass(*t, NakedSingles::Hold);
  ASSERT_EQ(updateCodes(*t), Outcome::Continue);
  EXPECT_EQ(t->CandidateCode[5][5], 123456789);  // regains 5 and 8
  EXPECT_EQ(t->CandidateCode[5][2], 12469);      // an unmarked cell loses all four
}

TEST(ExclusionList, FullListDropsFurtherDigits) {
  auto t = primedTables();
  for (int k = 1; k <= 8; ++k) t->RowExclusions[7][k] = k;
  setCodes(*t, {{7, 1, 19}, {7, 9, 19}});
  ASSERT_EQ(nakedPairs(*t), Outcome::Continue);
  EXPECT_EQ(unitList(*t, 1, 7), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(t->RowExclusions[7][9], 0);
  EXPECT_EQ(t->PairMarks[7][9][1], 999);
}

class NakedTriples : public ::testing::TestWithParam<GroupCase> {};
TEST_P(NakedTriples, MarkTheTripleAndListItsDigits) { expectGroupStage(nakedTriples, GetParam()); }

// Cells of one row lie in different blocks unless the case is about blocks.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, NakedTriples, ::testing::Values(
    GroupCase{"RowFromThreeCandidateCell", {{1, 1, 123}, {1, 4, 12}, {1, 7, 23}}, Outcome::Continue,
              {{1, 1, 1, 999}, {1, 4, 1, 999}, {1, 7, 1, 999}}, 1, 1, {1, 2, 3}},
    GroupCase{"RowWithRepeatedSubPairCountsTwo", {{1, 1, 123}, {1, 4, 12}, {1, 7, 12}}, Outcome::Continue, {}, 1, 1,
              {}},
    GroupCase{"RowOfThreeEqualTripleCodes", {{1, 1, 123}, {1, 4, 123}, {1, 7, 123}}, Outcome::Continue,
              {{1, 1, 1, 999}, {1, 4, 1, 999}, {1, 7, 1, 999}}, 1, 1, {1, 2, 3}},
    GroupCase{"RowOfFourConfinedCells", {{1, 1, 12}, {1, 4, 13}, {1, 7, 23}, {1, 9, 123}}, Outcome::Contradiction,
              {}, 1, 1, {}},
    GroupCase{"ColumnOfFourConfinedCells", {{1, 1, 12}, {4, 1, 13}, {7, 1, 23}, {9, 1, 123}}, Outcome::Contradiction,
              {}, 2, 1, {}},
    GroupCase{"RowOnlyFirstFourTwoCandidateCellsCombine", {{1, 1, 12}, {1, 4, 45}, {1, 7, 13}, {1, 8, 67}, {1, 9, 23}},
              Outcome::Continue, {}, 1, 1, {}},
    GroupCase{"RowTripleAmongFirstFourOfFive", {{1, 1, 12}, {1, 4, 45}, {1, 7, 13}, {1, 8, 23}, {1, 9, 67}},
              Outcome::Continue, {{1, 1, 1, 999}, {1, 7, 1, 999}, {1, 8, 1, 999}}, 1, 1, {1, 2, 3}},
    GroupCase{"RowFoundAtTheSecondTry", {{1, 1, 45}, {1, 4, 12}, {1, 5, 13}, {1, 7, 23}}, Outcome::Continue,
              {{1, 4, 1, 999}, {1, 5, 1, 999}, {1, 7, 1, 999}}, 1, 1, {1, 2, 3}},
    GroupCase{"RowThreePairsWithoutCommonDigits", {{1, 1, 12}, {1, 4, 34}, {1, 7, 56}}, Outcome::Continue, {}, 1, 1,
              {}},
    GroupCase{"ColumnFromTwoCandidateCells", {{1, 2, 12}, {4, 2, 13}, {7, 2, 23}}, Outcome::Continue,
              {{1, 2, 2, 998}, {4, 2, 2, 998}, {7, 2, 2, 998}}, 2, 2, {1, 2, 3}},
    GroupCase{"BlockFromThreeCandidateCell", {{1, 1, 123}, {2, 2, 12}, {3, 3, 23}}, Outcome::Continue,
              {{1, 1, 3, 997}, {2, 2, 3, 997}, {3, 3, 3, 997}}, 3, 1, {1, 2, 3}},
    GroupCase{"BlockFirstScannedCellOutsideTheTripleIsMarkedToo", {{1, 1, 14}, {1, 2, 12}, {2, 1, 13}, {2, 2, 23}},
              Outcome::Continue, {{1, 1, 3, 997}, {1, 2, 3, 997}, {2, 1, 3, 997}, {2, 2, 3, 997}}, 3, 1, {1, 2, 3}},
    GroupCase{"BlockOnlyTheFirstTripleOfTheStage",
              {{1, 1, 12}, {2, 2, 13}, {3, 3, 23}, {7, 7, 45}, {8, 8, 46}, {9, 9, 56}}, Outcome::Continue,
              {{1, 1, 3, 997}, {2, 2, 3, 997}, {3, 3, 3, 997}}, 3, 9, {}}),
    [](const auto &c) { return std::string(c.param.name); });
// clang-format on

// ---------------------------------------------------------------------------
// Digit-list singles.

// Least codes 25 (row 1), 257 (row 3), 58 (row 6) in column 4; the other
// cells of the column are solved with 1, 3, 4, 6, 9, 2.
void columnFourState(Tables &t) {
  primeLeastCodes(t);
  const int solved[10] = {0, 0, 1, 0, 3, 4, 0, 6, 9, 2};
  for (int r = 1; r <= 9; ++r) {
    t.Board[r][4] = solved[r];
    t.LeastCode[r][4] = solved[r];
  }
  t.LeastCode[1][4] = 25;
  t.LeastCode[3][4] = 257;
  t.LeastCode[6][4] = 58;
}

TEST(DigitListSingles, SmallestDigitOccurringOnceInTheColumnIsPlaced) {
  auto t = std::make_unique<Tables>();
  columnFourState(*t);
  // The list 5, 2, 7, 5, 2, 8, 5 holds 7 and 8 once each; the smaller wins.
  EXPECT_EQ(digitListSingleInColumns(*t), (Placement{3, 4, 7}));
}

TEST(DigitListSingles, DigitAlreadyInTheColumnIsSkipped) {
  auto t = std::make_unique<Tables>();
  primeLeastCodes(*t);
  t->LeastCode[1][4] = 23;  // a stale least code: 3 stands in the column already
  t->Board[2][4] = 3;
  t->LeastCode[2][4] = 3;
  t->LeastCode[3][4] = 27;  // list 3, 2, 7, 2: 3 and 7 occur once
  EXPECT_EQ(digitListSingleInColumns(*t), (Placement{3, 4, 7}));
}

TEST(DigitListSingles, LeastCodeWithNineDigitsListsAllNine) {
  auto t = std::make_unique<Tables>();
  for (int r = 2; r <= 9; ++r) t->Board[r][1] = t->LeastCode[r][1] = r;
  t->LeastCode[1][1] = 123456789;
  EXPECT_EQ(digitListSingleInColumns(*t), (Placement{1, 1, 1}));
}

TEST(DigitListSingles, RowsFindTheirSingleFromTheLeastCodes) {
  auto t = std::make_unique<Tables>();
  primeLeastCodes(*t);
  t->LeastCode[2][3] = 46;
  t->LeastCode[2][5] = 468;
  EXPECT_EQ(digitListSingleInRows(*t), (Placement{2, 5, 8}));
}

TEST(DigitListSingles, ColumnsAreSearchedBeforeAnyRow) {
  auto t = std::make_unique<Tables>();
  primeLeastCodes(*t);
  t->LeastCode[1][1] = 12;  // row 1 lists 1 once; column 1 lists 1 and 2 twice
  t->LeastCode[5][1] = 12;
  t->LeastCode[9][9] = 34;  // column 9 lists 3 once
  EXPECT_EQ(digitListSingleInRows(*t), (Placement{1, 1, 1}));
  EXPECT_EQ(digitListSingleInColumns(*t), (Placement{9, 9, 3}));
  // The late stages: the triples (nothing here), then the digit lists.
  StageResult late = nakedTripleStage(*t);
  if (late.kind == StageResult::Nothing) late = answerDigitLists(*t);
  EXPECT_EQ(late.kind, StageResult::Placed);
  EXPECT_EQ(late.placement, (Placement{9, 9, 3}));
  EXPECT_EQ(late.word, "縦１");
}

TEST(DigitListSingles, CompleteBoardHasNoSingle) {
  auto t = std::make_unique<Tables>();
  loadBoard(*t, kCompleteGrid);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) t->LeastCode[r][c] = t->Board[r][c];
  }
  EXPECT_EQ(digitListSingleInColumns(*t), std::nullopt);
  EXPECT_EQ(digitListSingleInRows(*t), std::nullopt);
}

// ---------------------------------------------------------------------------
// Block pairs and the trial list.

// The marks of the answer and step runs, and those of reference 1.
constexpr BlockPairMarks kGroupMarks{999, 998};
constexpr BlockPairMarks kReference1Marks{779, 778};

struct BlockPairCase {
  const char *name;
  Cells leastCodes;  // every other cell has no candidate
  BlockPairMarks markValues;
  int entries;  // index of the last list entry
  std::vector<std::array<int, 4>> marks;
  int unitKind;  // 1: RowExclusions, 2: ColumnExclusions
  int unit;
  std::vector<int> list;
  friend void PrintTo(const BlockPairCase &c, std::ostream *os) { *os << c.name; }
};

class BlockPairStage : public ::testing::TestWithParam<BlockPairCase> {};

TEST_P(BlockPairStage, MarksPairsLyingInOneRowOrColumn) {
  auto t = std::make_unique<Tables>();
  for (const auto &[r, c, code] : GetParam().leastCodes) t->LeastCode[r][c] = code;
  blockPairStage(*t, GetParam().markValues);
  EXPECT_EQ(t->PairLast, GetParam().entries);
  EXPECT_EQ(marks(*t), GetParam().marks);
  EXPECT_EQ(unitList(*t, GetParam().unitKind, GetParam().unit), GetParam().list);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, BlockPairStage, ::testing::Values(
    BlockPairCase{"InARow", {{5, 1, 14}, {5, 3, 45}}, kGroupMarks, 3,
                  {{5, 1, 1, 999}, {5, 3, 1, 999}}, 1, 5, {4}},
    BlockPairCase{"InARowForReference1", {{5, 1, 14}, {5, 3, 45}}, kReference1Marks, 3,
                  {{5, 1, 1, 779}, {5, 3, 1, 779}}, 1, 5, {4}},
    BlockPairCase{"InAColumn", {{1, 2, 16}, {3, 2, 67}}, kGroupMarks, 3,
                  {{1, 2, 2, 998}, {3, 2, 2, 998}}, 2, 2, {6}},
    BlockPairCase{"InAColumnForReference1", {{1, 2, 16}, {3, 2, 67}}, kReference1Marks, 3,
                  {{1, 2, 2, 778}, {3, 2, 2, 778}}, 2, 2, {6}},
    BlockPairCase{"SharingNeitherRowNorColumn", {{1, 2, 13}, {2, 1, 23}}, kGroupMarks, 3, {}, 1, 1, {}},
    BlockPairCase{"ThreePlacesMakeNoEntry", {{1, 1, 17}, {1, 2, 27}, {1, 3, 37}}, kGroupMarks, 1, {}, 1, 1,
                  {}}),
    [](const auto &c) { return std::string(c.param.name); });
// clang-format on

TEST(BlockPairStage, LaterMarkOfTheSameKindOverwritesAPairMark) {
  auto t = std::make_unique<Tables>();
  t->PairMarks[5][1][1] = 999;
  t->LeastCode[5][1] = 14;
  t->LeastCode[5][3] = 45;
  blockPairStage(*t, kReference1Marks);
  EXPECT_EQ(t->PairMarks[5][1][1], 779);
}

TEST(BlockPairStage, NextCandidatePassRemovesTheDigitFromTheRestOfTheRow) {
  auto t = primedTables();
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) t->LeastCode[r][c] = 0;
  }
  t->LeastCode[5][1] = 14;
  t->LeastCode[5][3] = 45;
  blockPairStage(*t, kGroupMarks);
  t->resetForCycle();
  candidatePass(*t, NakedSingles::Hold);
  EXPECT_EQ(codeOfBits(t->Candidates[5][1]), 123456789);
  EXPECT_EQ(codeOfBits(t->Candidates[5][2]), 12356789);
  EXPECT_EQ(codeOfBits(t->Candidates[5][9]), 12356789);
  EXPECT_EQ(codeOfBits(t->Candidates[4][1]), 123456789);
}

TEST(TrialList, IsTheSortedBlockPairList) {
  auto t = std::make_unique<Tables>();
  // Digit 2 at (1, 1) and (3, 3), digit 3 at (1, 2) and (2, 1), digit 5 at (1, 4) and (2, 5).
  const Cells cells{{1, 1, 2}, {3, 3, 2}, {1, 2, 3}, {2, 1, 3}, {1, 4, 5}, {2, 5, 5}};
  for (const auto &[r, c, code] : cells) t->LeastCode[r][c] = code;
  blockPairStage(*t, kGroupMarks);
  ASSERT_EQ(buildTrialList(*t), 7);
  const std::array<std::array<int, 3>, 6> expected{{{1, 1, 2}, {1, 2, 3}, {2, 1, 3}, {3, 3, 2}, {1, 4, 5}, {2, 5, 5}}};
  for (int i = 2; i <= 7; ++i) {
    const auto &e = expected[static_cast<std::size_t>(i - 2)];
    EXPECT_EQ((std::array{t->TrialRow[i], t->TrialColumn[i], t->TrialDigit[i]}), e) << i;
  }
  EXPECT_EQ(t->BlockPairList[3], 1123);
  EXPECT_EQ(t->BlockPairList[4], 1213);
}

// ---------------------------------------------------------------------------
// The duplicate check of the givens.

struct DuplicateCase {
  const char *name;
  Cells digits;
  bool duplicate;
  friend void PrintTo(const DuplicateCase &c, std::ostream *os) { *os << c.name; }
};

class DuplicateGivens : public ::testing::TestWithParam<DuplicateCase> {};

TEST_P(DuplicateGivens, TripTheCheckTwiceOrMoreInAUnit) {
  auto t = std::make_unique<Tables>();
  for (const auto &[r, c, d] : GetParam().digits) t->Board[r][c] = d;
  EXPECT_EQ(hasDuplicateGiven(*t), GetParam().duplicate);
}

INSTANTIATE_TEST_SUITE_P(Cases, DuplicateGivens,
                         ::testing::Values(DuplicateCase{"None", {{1, 1, 5}, {2, 4, 5}, {3, 7, 5}, {9, 9, 1}}, false},
                                           DuplicateCase{"Row", {{1, 1, 5}, {1, 9, 5}}, true},
                                           DuplicateCase{"Column", {{1, 4, 3}, {9, 4, 3}}, true},
                                           DuplicateCase{"Block", {{4, 4, 8}, {6, 6, 8}}, true},
                                           DuplicateCase{"ThreeTimesInARow", {{2, 1, 7}, {2, 5, 7}, {2, 9, 7}}, true},
                                           DuplicateCase{
                                               "ThreeTimesInABlock", {{1, 1, 4}, {2, 2, 4}, {3, 3, 4}}, true}),
                         [](const auto &c) { return std::string(c.param.name); });

TEST(DuplicateGivens, CompleteValidGridPasses) {
  auto t = std::make_unique<Tables>();
  loadBoard(*t, kCompleteGrid);
  EXPECT_FALSE(hasDuplicateGiven(*t));
}

// ---------------------------------------------------------------------------
// The answer run's quicker forms against the scans they stand for, on the
// states a solving walk goes through: the candidate tracker (placements,
// lists and marks followed from the change log), its column recount, the
// digit lists of columns and rows read once (and through a reader that keeps
// each cell's digits), and the block pairs' marks against the sorted lists.

constexpr BlockPairMarks kWalkMarks = kGroupMarks;

struct WalkCounts {
  int cycles = 0;        // candidate passes compared
  int changeCycles = 0;  // of those, after lists or marks had changed
  int blockPairStages = 0;
  int tripleStages = 0;  // triple stages compared with the finder
};

void expectSameCandidates(const Tables &a, const Tables &b, int cells, const char *what) {
  for (int k = 0; k < cells; ++k) {
    const int r = k / 9 + 1;
    const int c = k % 9 + 1;
    ASSERT_EQ(a.Candidates[r][c], b.Candidates[r][c]) << what << " (" << r << ", " << c << ")";
  }
}

// What the group stages write: lists, marks, the spare code slots, the changes.
void expectSameGroupState(const Tables &a, const Tables &b) {
  for (int kind = 1; kind <= 3; ++kind) {
    for (int unit = 1; unit <= 9; ++unit) ASSERT_EQ(unitList(a, kind, unit), unitList(b, kind, unit)) << kind;
  }
  ASSERT_EQ(marks(a), marks(b));
  for (int k = 1; k <= 9; ++k) {
    ASSERT_EQ(a.CandidateCode[k][10], b.CandidateCode[k][10]);
    ASSERT_EQ(a.CandidateCode[10][k], b.CandidateCode[10][k]);
  }
  ASSERT_EQ(a.changes, b.changes);
}

// The pointing pairs as the window finds them: every place of a block pair
// entered with a key of block, digit, line and place in the line; the
// entries sorted; two neighbouring entries of the same block, digit and line
// mark their cells and add the digit to the line's list. Rows, then columns.
void sortedPointingPairs(Tables &t, BlockPairMarks marks) {
  std::uint16_t candidates[10][10]{};
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      for (int x = t.LeastCode[r][c]; x > 0; x /= 10) candidates[r][c] |= static_cast<std::uint16_t>(1u << (x % 10));
    }
  }
  for (const bool byRow : {true, false}) {
    std::vector<int> entries;
    for (int b = 1; b <= 9; ++b) {
      for (int d = 1; d <= 9; ++d) {
        std::vector<std::pair<int, int>> places;
        for (int k = 0; k < 9; ++k) {
          const int r = 3 * ((b - 1) / 3) + k / 3 + 1;
          const int c = 3 * ((b - 1) % 3) + k % 3 + 1;
          if ((static_cast<unsigned>(candidates[r][c]) >> d & 1u) != 0) places.emplace_back(r, c);
        }
        if (places.size() != 2) continue;
        for (const auto &[r, c] : places) entries.push_back(1000 * b + 100 * d + (byRow ? 10 * r + c : 10 * c + r));
      }
    }
    std::sort(entries.begin(), entries.end());
    for (std::size_t i = 0; i + 1 < entries.size(); i += 2) {
      if (entries[i] / 10 != entries[i + 1] / 10) continue;
      const int line = entries[i] / 10 % 10;
      const units::UnitList list{t, byRow ? UnitKind::Row : UnitKind::Column, line};
      for (const int e : {entries[i], entries[i + 1]}) {
        if (byRow) {
          list.mark(line, e % 10, marks.row);
        } else {
          list.mark(e % 10, line, marks.column);
        }
      }
      list.add(entries[i] / 100 % 10);
    }
  }
}

// The block-pair stage against the sorted lists: the same marks and lists,
// changed in the same order.
void expectPointingPairsAsSorted(const Tables &before, const Tables &after) {
  auto sorted = std::make_unique<Tables>(before);
  sortedPointingPairs(*sorted, kWalkMarks);
  expectSameGroupState(*sorted, after);
  const long logged = std::min<long>(after.changes - after.changeLogFrom, Tables::kChangeLogSize);
  for (long k = 0; k < logged; ++k) {
    const Tables::Change &a = sorted->changeLog[k];
    const Tables::Change &b = after.changeLog[k];
    ASSERT_EQ(std::tie(a.kind, a.a, a.b), std::tie(b.kind, b.a, b.b)) << "change " << k;
  }
}

// One pass of a puzzle in the order of the answer run's cycle, the tracker's
// results checked against the plain scans at every step.
void walk(std::string_view puzzle, WalkCounts &counts) {
  auto t = std::make_unique<Tables>();
  initialiseForPass(*t);
  loadBoard(*t, puzzle);
  primeLeastCodes(*t);
  CandidateTracker tracker;
  tracker.forget();
  DigitListReader reader;
  NakedTripleFinder finder;
  finder.forget();
  long changesSeen = t->changes;
  for (int cycle = 0; cycle < 400; ++cycle) {
    t->resetForCycle();
    auto plain = std::make_unique<Tables>(*t);
    const Scan fast = tracker.candidatePass(*t);
    const Scan slow = candidatePass(*plain, NakedSingles::Place);
    ++counts.cycles;
    if (t->changes != changesSeen) ++counts.changeCycles;
    changesSeen = t->changes;
    ASSERT_EQ(fast.placement, slow.placement) << "cycle " << cycle;
    ASSERT_EQ(fast.tested, slow.tested);
    expectSameCandidates(*t, *plain, slow.tested, "candidate pass");
    std::optional<Placement> p = fast.placement;
    if (!p) p = hiddenSingleInBlocks(*t).placement;
    if (!p) {
      if (updateCodes(*t) == Outcome::Contradiction) return;
      p = hiddenSingleInRows(*t);
    }
    if (!p) {
      *plain = *t;
      columnRecount(*plain);
      tracker.columnRecount(*t);
      expectSameCandidates(*t, *plain, 81, "column recount");
      p = hiddenSingleInColumns(*t);
    }
    if (!p) {
      if (checkLeastCodes(*t) == Outcome::Contradiction) return;
      const long before = t->changes;
      if (nakedPairs(*t) == Outcome::Contradiction) return;
      if (t->changes == before) {
        // The finder, which goes through only the units whose codes changed
        // since its last look, writes what the whole stage writes.
        auto viaFinder = std::make_unique<Tables>(*t);
        const Outcome kept = finder.find(*viaFinder);
        const Outcome whole = nakedTriples(*t);
        ASSERT_EQ(kept, whole) << "cycle " << cycle;
        if (whole == Outcome::Contradiction) return;
        expectSameGroupState(*viaFinder, *t);
        ++counts.tripleStages;
        const DigitListSingle lists = digitListSingleInColumnsThenRows(*t);
        const auto inColumns = digitListSingleInColumns(*t);
        EXPECT_EQ(lists.placement, inColumns ? inColumns : digitListSingleInRows(*t));
        EXPECT_EQ(lists.inRows, !inColumns);
        const DigitListSingle read = reader.columnsThenRows(*t);
        EXPECT_EQ(read.placement, lists.placement);
        EXPECT_EQ(read.inRows, lists.inRows);
        p = lists.placement;
      }
      if (!p && t->changes == before) {
        auto unmarked = std::make_unique<Tables>(*t);
        blockPairStage(*t, kWalkMarks);
        ++counts.blockPairStages;
        expectPointingPairsAsSorted(*unmarked, *t);
        if (t->changes == before) return;  // stuck
      }
    }
    if (p) {
      tracker.placed(*t, p->row, p->column, p->digit);
      t->Board[p->row][p->column] = p->digit;
    }
  }
}

std::vector<std::string> puzzlesOf(const std::string &name, std::size_t every) {
  std::vector<std::string> out;
  std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/" + name + ".txt");
  std::size_t n = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.size() >= 81 && n++ % every == 0) out.push_back(line.substr(0, 81));
  }
  return out;
}

TEST(AnswerRunForms, TrackerAndQuickScansAgreeWithThePlainScansAlongSolvingWalks) {
  WalkCounts counts;
  for (const std::string_view p : {kEasyPuzzle, kStepPuzzle, kTrialPuzzle, kPausePuzzle}) walk(p, counts);
  for (const std::string &p : puzzlesOf("top95", 2)) walk(p, counts);
  for (const std::string &p : puzzlesOf("se_diabolical", 10)) walk(p, counts);
  // The walks went through changes of lists and marks and through block pairs.
  EXPECT_GT(counts.cycles, 1500);
  EXPECT_GT(counts.changeCycles, 300);
  EXPECT_GT(counts.blockPairStages, 200);
  EXPECT_GT(counts.tripleStages, 200);
}

// The tracker finds its naked single four cells at a time: a lone single at
// each of the 81 places, found there and counted as the plain pass counts.
TEST(AnswerRunForms, TrackerFindsALoneNakedSingleAtEveryCell) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      auto t = std::make_unique<Tables>();
      initialiseForPass(*t);
      primeLeastCodes(*t);
      // Row r holds 1..9 from column 1 on, less the digit of column c; every
      // other empty cell keeps at least eight candidates.
      for (int k = 1; k <= 9; ++k) t->Board[r][k] = k == c ? 0 : k;
      auto plain = std::make_unique<Tables>(*t);
      CandidateTracker tracker;
      tracker.start(*t);
      const Scan fast = tracker.candidatePass(*t);
      const Scan slow = candidatePass(*plain, NakedSingles::Place);
      ASSERT_EQ(fast.placement, (Placement{r, c, c})) << r << c;
      ASSERT_EQ(fast.tested, slow.tested) << r << c;
      ASSERT_EQ(slow.placement, fast.placement) << r << c;
    }
  }
}

TEST(AnswerRunForms, TrackerStartedFromAnotherPassBoardWithOneDigitMoreComputesTheSame) {
  auto base = std::make_unique<Tables>();
  initialiseForPass(*base);
  loadBoard(*base, kTrialPuzzle);
  CandidateTracker first;
  first.start(*base);
  int tried = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      if (base->Board[r][c] != 0) continue;
      for (int d = 1; d <= 9; d += 4) {
        auto t = std::make_unique<Tables>(*base);
        t->Board[r][c] = d;
        t->changes += 3;  // the count of an earlier pass goes on
        CandidateTracker resumed;
        resumed.startFrom(first, *t, r, c, d);
        CandidateTracker fresh;
        fresh.forget();
        auto plain = std::make_unique<Tables>(*t);
        const Scan a = resumed.candidatePass(*t);
        const Scan b = fresh.candidatePass(*plain);
        ASSERT_EQ(a.placement, b.placement) << r << c << d;
        expectSameCandidates(*t, *plain, 81, "started from the first pass");
        ++tried;
      }
    }
  }
  EXPECT_GT(tried, 100);
}

TEST(NakedTripleFinder, LooksAgainAtAUnitWhoseCodesChangedAndAfterForget) {
  auto t = primedTables();
  setCodes(*t, {{1, 1, 12}, {1, 4, 13}, {1, 7, 45}});
  NakedTripleFinder finder;
  finder.forget();
  ASSERT_EQ(finder.find(*t), Outcome::Continue);
  EXPECT_TRUE(marks(*t).empty());
  // Row 1 now holds the triple 123; the other rows kept their codes.
  t->CandidateCode[1][7] = 23;
  ASSERT_EQ(finder.find(*t), Outcome::Continue);
  EXPECT_EQ(unitList(*t, 1, 1), (std::vector<int>{1, 2, 3}));
  // A new pass with the same codes but cleared lists: found again after forget.
  auto fresh = primedTables();
  setCodes(*fresh, {{1, 1, 12}, {1, 4, 13}, {1, 7, 23}});
  finder.forget();
  ASSERT_EQ(finder.find(*fresh), Outcome::Continue);
  EXPECT_EQ(unitList(*fresh, 1, 1), (std::vector<int>{1, 2, 3}));
  // A fourth confined cell is a contradiction, as for the whole stage.
  fresh->CandidateCode[1][9] = 123;
  EXPECT_EQ(finder.find(*fresh), Outcome::Contradiction);
}

TEST(AnswerRunForms, TrackerComputesAgainAfterMoreChangesThanItsLogHolds) {
  auto t = std::make_unique<Tables>();
  initialiseForPass(*t);
  loadBoard(*t, kEasyPuzzle);
  CandidateTracker tracker;
  tracker.forget();
  t->resetForCycle();
  tracker.candidatePass(*t);
  // Eight digits listed for each of rows 1..4 (32 changes) and one for
  // column 9, logged as the techniques log them: more than the log holds.
  for (int r = 1; r <= 4; ++r) {
    int k = 0;
    for (const int d : {1, 2, 3, 4, 6, 7, 8, 9}) {
      t->RowExclusions[r][++k] = d;
      t->logChange(kindIndex(UnitKind::Row), r, d);
    }
  }
  t->ColumnExclusions[1][9] = 5;
  t->logChange(kindIndex(UnitKind::Column), 9, 5);
  t->resetForCycle();
  auto plain = std::make_unique<Tables>(*t);
  tracker.candidatePass(*t);
  candidatePass(*plain, NakedSingles::Hold);
  expectSameCandidates(*t, *plain, 81, "after a long log");
  EXPECT_EQ(t->Candidates[5][9], plain->Candidates[5][9]);
  EXPECT_EQ(t->Candidates[1][1], 0);  // row 1 holds 5 itself
}

TEST(AnswerRunForms, PairCodesThatAreNoCandidateCodesAreCountedByEquality) {
  // Two cells of row 3 with code 11 (no candidate code has a digit twice):
  // a pair of the digit 1, added once.
  auto t = std::make_unique<Tables>();
  setCodes(*t, {{3, 2, 11}, {3, 7, 11}, {3, 8, 12}});
  ASSERT_EQ(nakedPairs(*t), Outcome::Continue);
  EXPECT_EQ(marks(*t), (std::vector<std::array<int, 4>>{{3, 2, 1, 999}, {3, 7, 1, 999}}));
  EXPECT_EQ(t->RowExclusions[3][1], 1);
  EXPECT_EQ(t->RowExclusions[3][2], 0);
  setCodes(*t, {{5, 1, 11}, {5, 2, 11}, {5, 3, 11}});
  EXPECT_EQ(nakedPairs(*t), Outcome::Contradiction);
}

}  // namespace
}  // namespace numplace_test
