// The working tables: row codes, trial codes, the colour table and the
// clearing at the start of a pass.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "board/tables.h"
#include "helpers.h"
#include "runs/painter.h"

namespace numplace_test {
namespace {

struct RowCodeCase {
  double code;
  std::array<int, 9> row;  // columns 1..9 after unpacking onto an empty row
  friend void PrintTo(const RowCodeCase &c, std::ostream *os) { *os << static_cast<long long>(c.code); }
};

class RowCodeUnpacking : public ::testing::TestWithParam<RowCodeCase> {};

TEST_P(RowCodeUnpacking, WritesTheNonZeroDigitsColumnNineFirst) {
  auto t = std::make_unique<Tables>();
  t->RowCodes[4] = GetParam().code;
  unpackRowCodes(*t);
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(t->Board[4][c], GetParam().row[static_cast<std::size_t>(c - 1)]) << c;
}

INSTANTIATE_TEST_SUITE_P(Codes, RowCodeUnpacking,
                         ::testing::Values(RowCodeCase{1'000'000'000, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
                                           RowCodeCase{1'530'070'000, {5, 3, 0, 0, 7, 0, 0, 0, 0}},
                                           RowCodeCase{1'500'000'009, {5, 0, 0, 0, 0, 0, 0, 0, 9}},
                                           RowCodeCase{1'000'070'000, {0, 0, 0, 0, 7, 0, 0, 0, 0}},
                                           // More than nine digits: only the lowest nine reach the board.
                                           RowCodeCase{1'000'000'000 + 12'345'678'912.0, {3, 4, 5, 6, 7, 8, 9, 1, 2}}));

TEST(RowCodeUnpacking, EmptyCellOfTheCodeLeavesAnEarlierDigitInPlace) {
  auto t = std::make_unique<Tables>();
  t->Board[2][5] = 7;  // an extra given laid before the row codes
  t->Board[2][1] = 4;
  t->RowCodes[2] = 1'500'000'009;
  unpackRowCodes(*t);
  EXPECT_EQ(t->Board[2][1], 5);  // the puzzle digit wins
  EXPECT_EQ(t->Board[2][5], 7);  // a 0 of the code leaves the given
  EXPECT_EQ(t->Board[2][9], 9);
}

struct TrialCase {
  double code;
  int row, column, digit;
  friend void PrintTo(const TrialCase &c, std::ostream *os) { *os << c.code; }
};

class TrialCodeDecoding : public ::testing::TestWithParam<TrialCase> {};

TEST_P(TrialCodeDecoding, WritesTheDigitAtRowAndColumn) {
  auto t = std::make_unique<Tables>();
  t->Board[0][0] = 5;
  layTrialCode(*t, GetParam().code);
  EXPECT_EQ(t->Board[GetParam().row][GetParam().column], GetParam().digit);
}

INSTANTIATE_TEST_SUITE_P(Codes, TrialCodeDecoding,
                         ::testing::Values(TrialCase{537, 5, 3, 7}, TrialCase{184, 1, 8, 4}, TrialCase{999, 9, 9, 9},
                                           TrialCase{111, 1, 1, 1}, TrialCase{0, 0, 0, 0}));

TEST(TrialCodeDecoding, ZeroTouchesOnlyTheSpareElement) {
  auto t = std::make_unique<Tables>();
  loadBoard(*t, kEasyPuzzle);
  auto before = std::make_unique<Tables>(*t);
  t->Board[0][0] = 3;
  layTrialCode(*t, 0);
  EXPECT_EQ(t->Board[0][0], 0);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) EXPECT_EQ(t->Board[r][c], before->Board[r][c]);
  }
}

TEST(LeastCodes, ArePrimedAboveTheNineCandidateCode) {
  auto t = std::make_unique<Tables>();
  primeLeastCodes(*t);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) EXPECT_EQ(t->LeastCode[r][c], 999'999'999);
  }
  EXPECT_GT(t->LeastCode[5][5], 123'456'789);
}

TEST(DigitColours, GiveEachDigitItsColour) {
  const DigitColours colours = digitColours(ColourScheme::Answer);
  const std::uint32_t expected[10] = {0, 0, 16711935, 16776960, 16711680, 65280, 255, 9843300, 3315400, 3315250};
  for (std::size_t d = 0; d <= 9; ++d) EXPECT_EQ(colours[d], expected[d]) << d;
}

TEST(DigitColours, StepFamilyDrawsSixGreyGreen) {
  const DigitColours colours = digitColours(ColourScheme::Step);
  EXPECT_EQ(colours[6], 150u + 256u * 170u + 65536u * 150u);
  EXPECT_EQ(colours[4], 16711680u);
  EXPECT_EQ(colours[0], 0u);
}

TEST(PassStart, ClearsTheWorkingTablesButKeepsRowCodesAndTrials) {
  auto t = std::make_unique<Tables>();
  t->RowCodes[3] = 1'530'070'000;
  t->TrialRow[4] = 2;
  t->TrialDigit[4] = 7;
  t->Board[5][5] = 3;
  t->LeastCode[2][2] = 37;
  t->Candidates[1][1] = bitsOf(37);
  t->CandidateCode[10][3] = 123;
  t->CandidateCode[20][20] = 5;
  t->RowExclusions[4][8] = 6;
  t->ColumnExclusions[8][4] = 6;
  t->BlockExclusions[9][1] = 6;
  t->PairMarks[9][9][3] = 997;
  t->BlockPairList[90] = 9999;
  initialiseForPass(*t);
  EXPECT_EQ(t->Board[5][5], 0);
  EXPECT_EQ(t->LeastCode[2][2], 0);
  EXPECT_EQ(t->Candidates[1][1], 0);
  EXPECT_EQ(t->CandidateCode[10][3], 0);
  EXPECT_EQ(t->CandidateCode[20][20], 0);
  EXPECT_EQ(t->RowExclusions[4][8], 0);
  EXPECT_EQ(t->ColumnExclusions[8][4], 0);
  EXPECT_EQ(t->BlockExclusions[9][1], 0);
  EXPECT_EQ(t->PairMarks[9][9][3], 0);
  EXPECT_EQ(t->BlockPairList[90], 0);
  EXPECT_EQ(t->RowCodes[3], 1'530'070'000);
  EXPECT_EQ(t->TrialRow[4], 2);
  EXPECT_EQ(t->TrialDigit[4], 7);
}

}  // namespace
}  // namespace numplace_test
