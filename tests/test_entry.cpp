// Cell cycling by mouse presses, quick row input and "消去".
#include <gtest/gtest.h>

#include "entry/entry.h"
#include "helpers.h"

namespace numplace_test {
namespace {

struct PressCase {
  const char *name;
  std::string digitRegister, cellRegister;  // Text16, Text17 before the press
  int cell;
  double x;
  std::string shown;  // the cell's text afterwards
  friend void PrintTo(const PressCase &c, std::ostream *os) { *os << c.name; }
};

class CellCycling : public ::testing::TestWithParam<PressCase> {};

TEST_P(CellCycling, StepsTheDigitAndRemembersIt) {
  HeadlessControls controls;
  controls.type({"Text16"}, GetParam().digitRegister);
  controls.type({"Text17"}, GetParam().cellRegister);
  pressCell(controls, GetParam().cell, GetParam().x);
  EXPECT_EQ(controls.text({"Text15", GetParam().cell}), GetParam().shown);
  EXPECT_EQ(controls.text({"Text16"}), GetParam().shown);
  EXPECT_EQ(controls.text({"Text17"}), std::to_string(GetParam().cell));
}

INSTANTIATE_TEST_SUITE_P(Presses, CellCycling,
                         ::testing::Values(PressCase{"FirstPressRightHalf", "", "", 11, 200, "1"},
                                           PressCase{"LeftHalfOfANewCell", "4", "11", 35, 100, "9"},
                                           PressCase{"ExactlyTheMiddleOfANewCell", "4", "11", 35, 175, "0"},
                                           PressCase{"RightHalfContinuesOnTheSameCell", "4", "35", 35, 374, "5"},
                                           PressCase{"LeftHalfCountsDownOnTheSameCell", "4", "35", 35, 0, "3"},
                                           PressCase{"NineWrapsToZero", "9", "35", 35, 200, "0"},
                                           PressCase{"ZeroWrapsToNine", "0", "35", 35, 100, "9"},
                                           PressCase{"RegisterTwentyFiveIsCorrectedOnce", "25", "11", 11, 200, "16"},
                                           PressCase{"CellRegisterComparedAsANumber", "6", " 35 ", 35, 200, "7"},
                                           PressCase{"NonNumericCellRegisterIsAnotherCell", "6", "abc", 35, 200, "1"}),
                         [](const auto &c) { return std::string(c.param.name); });

TEST(CellCycling, RepeatedRightPressesCountOneToNineThenZero) {
  HeadlessControls controls;
  std::string shown;
  for (int i = 0; i < 11; ++i) {
    pressCell(controls, 47, 300);
    shown += controls.text({"Text15", 47});
  }
  EXPECT_EQ(shown, "12345678901");
}

TEST(QuickRowInput, EnterSendsTheRowToTheNextRowBox) {
  HeadlessControls controls;
  controls.type({"Text7"}, "530070000");
  quickInputKey(controls, kEnterKey);
  EXPECT_EQ(controls.text({"Text5", 1}), "530070000");
  EXPECT_EQ(controls.text({"Text7"}), " ");
  EXPECT_EQ(controls.text({"Text6"}), "1");
  controls.type({"Text7"}, "600 195 000");
  quickInputKey(controls, kEnterKey);
  EXPECT_EQ(controls.text({"Text5", 2}), "600 195 000");  // unchanged, blanks included
  EXPECT_EQ(controls.text({"Text6"}), "2");
}

TEST(QuickRowInput, OtherKeyWritesTheCounterOnly) {
  HeadlessControls controls;
  controls.type({"Text7"}, "53");
  quickInputKey(controls, '5');
  EXPECT_EQ(controls.text({"Text6"}), "0");  // the blank counter reads 0
  EXPECT_EQ(controls.text({"Text7"}), "53");
  EXPECT_EQ(controls.text({"Text5", 1}), "  ");
}

TEST(QuickRowInput, EnterWithTheCounterAtNineChangesNothing) {
  HeadlessControls controls;
  controls.type({"Text6"}, "9");
  controls.type({"Text7"}, "123");
  controls.type({"Text5", 9}, "987");
  quickInputKey(controls, kEnterKey);
  EXPECT_EQ(controls.text({"Text6"}), "9");
  EXPECT_EQ(controls.text({"Text7"}), "123");
  EXPECT_EQ(controls.text({"Text5", 9}), "987");
}

TEST(Clearing, EmptiesGridRowBoxesAndQuickInputButKeepsTheRest) {
  TestWindow w;
  HeadlessControls &controls = w.controls();
  w.typeGrid(kEasyPuzzle);
  for (int r = 1; r <= 9; ++r) w.type({"Text5", r}, "123456789");
  w.type({"Text1"}, "537");
  w.type({"Text2"}, "111");
  w.type({"Text3"}, "other.csv");
  w.type({"Text6"}, "4");
  w.type({"Text7"}, "99");
  pressCell(controls, 11, 200);
  pressCell(controls, 11, 200);  // registers 2 and 11
  const Clicked clicked = w.click(Button::Clear);
  EXPECT_FALSE(clicked.result);
  for (int r = 1; r <= 9; ++r) {
    EXPECT_EQ(w.text({"Text5", r}), "");
    for (int col = 1; col <= 9; ++col) EXPECT_EQ(w.text({"Text15", cellIndex(r, col)}), "");
  }
  EXPECT_EQ(w.text({"Text6"}), "");
  EXPECT_EQ(w.text({"Text7"}), "");
  EXPECT_EQ(w.text({"Text1"}), "537");
  EXPECT_EQ(w.text({"Text2"}), "111");
  EXPECT_EQ(w.text({"Text3"}), "other.csv");
  EXPECT_EQ(w.text({"Text14"}), "基本ルール");
  EXPECT_EQ(w.text({"Text16"}), "2");
  EXPECT_EQ(w.text({"Text17"}), "11");
  EXPECT_TRUE(clicked.ops.empty());
  // Row box 1, then the cells of row 1, ...; the quick-input box before the counter.
  std::vector<std::string> order;
  for (int r = 1; r <= 9; ++r) {
    order.push_back("Text5(" + std::to_string(r) + ")");
    for (int col = 1; col <= 9; ++col) order.push_back("Text15(" + std::to_string(cellIndex(r, col)) + ")");
  }
  order.insert(order.end(), {"Text7", "Text6"});
  std::vector<std::string> changed;
  for (const TextChange &t : clicked.texts) {
    changed.push_back(t.control);
    EXPECT_EQ(t.text, "") << t.control;
  }
  EXPECT_EQ(changed, order);

  // Pressing the cell named in the last-cell register continues from the register.
  pressCell(controls, 11, 200);
  EXPECT_EQ(w.text({"Text15", 11}), "3");
  // The empty counter makes the next Enter fill row box 1.
  w.type({"Text7"}, "530070000");
  quickInputKey(controls, kEnterKey);
  EXPECT_EQ(w.text({"Text5", 1}), "530070000");
  EXPECT_EQ(w.text({"Text6"}), "1");
}

}  // namespace
}  // namespace numplace_test
