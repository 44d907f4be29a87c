// The standard board drawing, the step-board frame and the message for bad input.
#include <gtest/gtest.h>

#include <memory>

#include "helpers.h"
#include "runs/painter.h"

namespace numplace_test {
namespace {

struct DrawnBoard {
  std::vector<DrawOp> ops;
  std::vector<Printed> prints;
  int filled = 0;
};

DrawnBoard draw(const Tables &t, BoardDigits digits) {
  RecordingSurface surface;
  DrawnBoard d;
  drawBoard(surface, t.Board, digitColours(ColourScheme::Answer), digits);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) d.filled += t.Board[r][c] != 0 ? 1 : 0;
  }
  d.ops = surface.ops();
  d.prints = printsOf(d.ops);
  return d;
}

std::vector<DrawOp> opsOf(const std::vector<DrawOp> &ops, DrawOp::Kind kind) {
  std::vector<DrawOp> out;
  for (const DrawOp &op : ops) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

TEST(StandardBoard, WithoutDigitsDrawsTwentyThinAndEightThickLines) {
  auto t = std::make_unique<Tables>();
  const DrawnBoard d = draw(*t, BoardDigits::Print);
  EXPECT_EQ(d.filled, 0);
  EXPECT_TRUE(d.prints.empty());
  std::vector<DrawOp> expected;
  for (int step : {3, 9}) {
    for (int l = 1; l <= 28; l += step) {
      const double x = 120 * (2 * l + 70);
      expected.push_back(Draw::line(x, 240, x, 6720));
      expected.push_back(Draw::line(8640, 240 * l, 15120, 240 * l));
    }
  }
  EXPECT_EQ(opsOf(d.ops, DrawOp::Kind::Line), expected);
  EXPECT_EQ(expected.front(), Draw::line(8640, 240, 8640, 6720));
  EXPECT_EQ(expected[1], Draw::line(8640, 240, 15120, 240));
  EXPECT_EQ(expected[19], Draw::line(8640, 6720, 15120, 6720));
  EXPECT_EQ(expected.back(), Draw::line(8640, 6720, 15120, 6720));
  // The grid starts from (13, 13); the thick lines are 3 pixels at font size 40.
  ASSERT_GT(d.ops.size(), 31u);
  EXPECT_EQ(d.ops[0], Draw::move(13, 13));
  EXPECT_EQ(d.ops[21], Draw::font(40));
  EXPECT_EQ(d.ops[22], Draw::width(3));
  EXPECT_EQ(d.ops[31], Draw::width(1));
}

TEST(StandardBoard, VisitsEveryCellAtItsDigitPositionInRowOrder) {
  auto t = std::make_unique<Tables>();
  const auto moves = opsOf(draw(*t, BoardDigits::Print).ops, DrawOp::Kind::Move);
  ASSERT_EQ(moves.size(), 82u);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      EXPECT_EQ(moves[static_cast<std::size_t>((r - 1) * 9 + c)],
                Draw::move(8556 + 720 * (c - 1), 192 + 720 * (r - 1)));
    }
  }
}

TEST(StandardBoard, PrintsEachDigitInItsColourAtFontForty) {
  auto t = std::make_unique<Tables>();
  t->Board[1][1] = 1;
  t->Board[5][5] = 6;
  t->Board[9][9] = 4;
  t->Board[3][7] = 7;
  for (const BoardDigits mode : {BoardDigits::Print, BoardDigits::CountOnly}) {
    const DrawnBoard d = draw(*t, mode);
    EXPECT_EQ(d.filled, 4);
    if (mode == BoardDigits::CountOnly) {
      EXPECT_TRUE(d.prints.empty());
      continue;
    }
    ASSERT_EQ(d.prints.size(), 4u);
    struct Expected {
      std::string text;
      double x, y;
      std::uint32_t colour;
    };
    const Expected expected[] = {{" 1 ", 8556, 192, 0},
                                 {" 7 ", 8556 + 720 * 6, 192 + 720 * 2, 9843300},
                                 {" 6 ", 8556 + 720 * 4, 192 + 720 * 4, 255},
                                 {" 4 ", 8556 + 720 * 8, 192 + 720 * 8, 16711680}};
    for (std::size_t i = 0; i < 4; ++i) {
      const Printed &p = d.prints[i];
      EXPECT_EQ(p.text, expected[i].text);
      EXPECT_EQ(p.x, expected[i].x);
      EXPECT_EQ(p.y, expected[i].y);
      EXPECT_EQ(p.colour, expected[i].colour);
      EXPECT_EQ(p.font, 40);
      EXPECT_TRUE(p.newline);
    }
  }
}

TEST(StepBoardFrame, DrawsNineCellsOf510TwipsWithThickBlockLines) {
  RecordingSurface surface;
  drawFrame(surface, BoardFrame{170, 8950, 170, 170, 4760, 9120, 13710});
  const auto &ops = surface.ops();
  const auto lines = opsOf(ops, DrawOp::Kind::Line);
  ASSERT_EQ(lines.size(), 28u);
  EXPECT_EQ(lines[0], Draw::line(9120, 170, 9120, 4760));
  EXPECT_EQ(lines[1], Draw::line(9120, 170, 13710, 170));
  EXPECT_EQ(lines[2], Draw::line(9630, 170, 9630, 4760));
  EXPECT_EQ(lines[18], Draw::line(13710, 170, 13710, 4760));
  EXPECT_EQ(lines[19], Draw::line(9120, 4760, 13710, 4760));
  EXPECT_EQ(lines[22], Draw::line(10650, 170, 10650, 4760));
  EXPECT_EQ(ops.at(20), Draw::width(3));
  EXPECT_EQ(ops.back(), Draw::width(1));
}

TEST(InputErrorMessage, IsPrintedRedAtTheFootRightAfterTheRunStarts) {
  const std::string message = "「入力データ名」のファイル「x.csv」を開けません。";
  for (const Button button : kRunButtons) {
    TestWindow w;
    w.type({"Text3"}, "x.csv");
    const Clicked c = w.click(button);
    const double startFont = button == Button::Answer || button == Button::Reference2 ? 10 : 14;
    const std::vector<DrawOp> expected{Draw::clear(),
                                       Draw::font(startFont),
                                       Draw::colour(0),
                                       Draw::move(240, 10200),
                                       Draw::colour(255),
                                       Draw::font(14),
                                       Draw::print(message, Ending::NewLine),
                                       Draw::colour(0)};
    EXPECT_EQ(c.ops, expected);
    EXPECT_EQ(c.run().end, RunEnd::BadInput);
    EXPECT_EQ(c.run().message, message);
  }
}

// A message too long for one line is printed in lines 300 twips apart, the
// last at the foot where a one-line message stands; the result keeps it whole.
TEST(InputErrorMessage, TooLongForOneLineIsPrintedUpwardsFromTheFoot) {
  TestWindow w;
  w.giveFile("x.csv", "050703060,1,\"easy\",0\n007000800,2,\"easy\",0\n000816000,3,\"easy\",0\n");
  const Clicked c = w.click(Button::Answer);
  const std::string &message = c.run().message;
  ASSERT_EQ(c.prints.size(), 2u) << message;
  EXPECT_EQ(c.prints[0].text + c.prints[1].text, message);
  EXPECT_EQ(c.prints[0].y, 9900);
  EXPECT_EQ(c.prints[1].y, 10200);
  for (const Printed &p : c.prints) {
    EXPECT_EQ(p.x, 240);
    EXPECT_EQ(p.colour, 255u);
    EXPECT_EQ(p.font, 14);
    EXPECT_TRUE(p.newline);
  }
  EXPECT_EQ(c.ops.back(), Draw::colour(0));
}

}  // namespace
}  // namespace numplace_test
