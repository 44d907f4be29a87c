// The painters on their own: what a run's events become on the surface where
// the runs' traces do not single it out.
#include <gtest/gtest.h>

#include <algorithm>

#include "helpers.h"
#include "runs/answer_painter.h"
#include "runs/step_painter.h"

namespace numplace_test {
namespace {

std::size_t countOf(const std::vector<DrawOp> &ops, DrawOp::Kind kind) {
  return static_cast<std::size_t>(std::ranges::count_if(ops, [kind](const DrawOp &op) { return op.kind == kind; }));
}

// The step log fills three columns of 20 lines, 180 twips apart.
TEST(StepPainter, StepLogRunsDownThreeColumnsOfTwentyLines) {
  RecordingSurface surface;
  RunResult result;
  StepPainter painter(surface, result, false);
  for (int step = 1; step <= 45; ++step) painter.stepLogged({step, 1, 1, 1, "基本", 0}, false);
  const std::vector<Printed> prints = printsOf(surface.ops());
  ASSERT_EQ(prints.size(), 45u);
  const auto at = [&](int step) {
    const Printed &p = prints[static_cast<std::size_t>(step - 1)];
    return std::pair{p.x, p.y};
  };
  EXPECT_EQ(at(1), (std::pair{180.0, 5500 + 180 * 0.01}));
  EXPECT_EQ(at(20).first, 180);
  EXPECT_NEAR(at(20).second, 5500 + 180 * 19.01, 1e-6);
  EXPECT_EQ(at(21).first, 2300);
  EXPECT_NEAR(at(21).second, 5500 + 180 * 0.01, 1e-6);
  EXPECT_EQ(at(40).first, 2300);
  EXPECT_EQ(at(41).first, 4600);
  EXPECT_NEAR(at(45).second, 5500 + 180 * 4.01, 1e-6);
}

// Reference 1 shows a naked-group member red once per kind of unit it is a
// member in, and only while it has more than one candidate; the step run
// shows what changed blue.
TEST(StepPainter, TableEntryColours) {
  const auto colourOps = [](bool redPairMembers, int leastCode, bool changed, int groupKinds) {
    RecordingSurface surface;
    RunResult result;
    StepPainter painter(surface, result, redPairMembers);
    painter.entryShown(3, 4, leastCode, changed, groupKinds);
    std::vector<std::uint32_t> colours;
    for (const DrawOp &op : surface.ops()) {
      if (op.kind == DrawOp::Kind::Colour) colours.push_back(static_cast<std::uint32_t>(op.a));
    }
    return colours;
  };
  EXPECT_EQ(colourOps(true, 37, true, 2), (std::vector<std::uint32_t>{0, 255, 255, 0}));
  EXPECT_EQ(colourOps(true, 7, true, 3), (std::vector<std::uint32_t>{0, 0}));
  EXPECT_EQ(colourOps(false, 37, true, 2), (std::vector<std::uint32_t>{0, kBlueColour, 0}));
  EXPECT_EQ(colourOps(false, 37, false, 2), (std::vector<std::uint32_t>{0, 0}));
}

// What a table entry printed is erased in white before the next table.
TEST(StepPainter, ErasesTheEntriesItPrinted) {
  RecordingSurface surface;
  RunResult result;
  StepPainter painter(surface, result, false);
  painter.tableBegun();
  painter.entryShown(2, 5, 123, true, 0);
  painter.tableBegun();
  const std::vector<Printed> prints = printsOf(surface.ops());
  const auto erased =
      std::ranges::find_if(prints, [](const Printed &p) { return p.colour == kWhiteColour && p.text == "       123"; });
  ASSERT_NE(erased, prints.end());
  EXPECT_EQ(erased->x, 4900 + 1000 * 5);
  EXPECT_EQ(erased->y, 4400 + 600 * 2);
  EXPECT_GT(erased->op, prints[81].op);  // after the entry, in the second erasing
}

struct TwoDigitBoard {
  BoardCells cells{};
  TwoDigitBoard() {
    cells[1][1] = 5;
    cells[9][9] = 3;
  }
};

// With the cycle grid left out, one grid is drawn at the end, of the board
// as it ends, before the end message; with it, every cycle draws one.
TEST(AnswerPainter, SkippedCycleGridIsDrawnOnceBeforeTheEnd) {
  for (const bool skip : {false, true}) {
    RecordingSurface surface;
    RunResult result;
    AnswerPainter painter(surface, result, {BoardDigits::CountOnly, skip});
    painter.passStarted();
    const TwoDigitBoard board;
    for (int cycle = 0; cycle < 3; ++cycle) {
      painter.cycleStarted(board.cells);
      painter.cycleGoesOn();
    }
    painter.ended(board.cells, false);
    const std::vector<DrawOp> ops = surface.ops();
    EXPECT_EQ(countOf(ops, DrawOp::Kind::Line), (skip ? 1u : 3u) * 28u) << skip;
    const std::vector<Printed> prints = printsOf(ops);
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_EQ(prints[0].text, "  エラー  ");
    EXPECT_EQ(prints[1].text, "終了");
    const auto lastLine =
        std::ranges::find_if(ops.rbegin(), ops.rend(), [](const DrawOp &op) { return op.kind == DrawOp::Kind::Line; });
    EXPECT_LT(static_cast<std::size_t>(ops.rend() - lastLine), prints[0].op);
    EXPECT_EQ(result.messages.texts().size(), 2u);
  }
}

// A repeated pass leaves the surface as its cycles' settings do, with the
// grid still to be drawn.
TEST(AnswerPainter, RepeatedPassClearsAndOwesTheGrid) {
  RecordingSurface surface;
  RunResult result;
  AnswerPainter painter(surface, result, {BoardDigits::CountOnly, true});
  painter.passRepeated(4);
  const std::vector<DrawOp> ops = surface.ops();
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.front().kind, DrawOp::Kind::Clear);
  EXPECT_EQ(ops.back(), Draw::colour(0));
  EXPECT_EQ(countOf(ops, DrawOp::Kind::Line), 0u);
  painter.stopped(TwoDigitBoard().cells, false);
  EXPECT_EQ(countOf(surface.ops(), DrawOp::Kind::Line), 28u);
}

// Reference 2's pair digits: the second digit of a cell 0.3 cells to the
// right, every later one 0.6; the next cell starts again at its column.
TEST(AnswerPainter, PairDigitsOfOneCellStandSideBySide) {
  RecordingSurface surface;
  RunResult result;
  AnswerPainter painter(surface, result, {BoardDigits::Print, false});
  const std::vector<BlockPairDigit> digits{{2, 3, 1}, {2, 3, 4}, {2, 3, 7}, {2, 3, 9}, {2, 4, 5}};
  painter.pairDigitsShown(digits);
  const std::vector<Printed> prints = printsOf(surface.ops());
  ASSERT_EQ(prints.size(), 5u);
  const double column3 = 8556 + 720 * 2;
  EXPECT_EQ(prints[0].x, column3);
  EXPECT_NEAR(prints[1].x, column3 + 0.3 * 720, 1e-9);
  EXPECT_NEAR(prints[2].x, column3 + 0.6 * 720, 1e-9);
  EXPECT_NEAR(prints[3].x, column3 + 0.6 * 720, 1e-9);
  EXPECT_EQ(prints[4].x, 8556 + 720 * 3);
  for (const Printed &p : prints) {
    EXPECT_EQ(p.y, 720 * 2 - 144);
    EXPECT_EQ(p.font, 20);
  }
  EXPECT_EQ(prints[3].text, " 9 ");
}

}  // namespace
}  // namespace numplace_test
