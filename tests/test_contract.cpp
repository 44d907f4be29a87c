// The range checks of NUMPLACE_ASSERT fire where the comments state ranges.
// This program is built with the checks on whatever the build's own
// setting, so that every build shows them firing.
#include <gtest/gtest.h>

#include <memory>

#include "board/layout.h"
#include "board/tables.h"

namespace {

using namespace numplace;

TEST(ContractDeathTest, ATrialCodeOutsideZeroTo999Aborts) {
  auto t = std::make_unique<Tables>();
  layTrialCode(*t, 999);
  EXPECT_EQ(t->Board[9][9], 9);
  layTrialCode(*t, 0);  // the spare element: no trial
  EXPECT_DEATH(layTrialCode(*t, 1000), "tables\\.cpp:[0-9]+: assertion failed: code >= 0 && code < 1000");
  EXPECT_DEATH(layTrialCode(*t, -1), "assertion failed: code >= 0");
}

TEST(ContractDeathTest, ACellOffTheBoardAborts) {
  EXPECT_EQ(cellIndex(9, 9), 99);
  EXPECT_DEATH(static_cast<void>(cellIndex(0, 5)), "layout\\.h:[0-9]+: assertion failed: row >= 1");
  EXPECT_DEATH(static_cast<void>(cellIndex(5, 10)), "column <= 9");
}

// The layout's own checks hold: controlPosition finds the cells and the row
// boxes by fixed offsets into the table.
TEST(Contract, TheLayoutOffsetsMatchTheTable) {
  for (const ControlRef ref : {ControlRef{"Text15", cellIndex(1, 1)}, ControlRef{"Text15", cellIndex(9, 9)},
                               ControlRef{"Text5", 1}, ControlRef{"Text5", 9}}) {
    const ControlEntry *entry = findControl(ref);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->ref(), ref);
  }
}

}  // namespace
