// The standard board drawing, the step-board frame and the message for bad input.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "board/drawing.h"
#include "helpers.h"

namespace numplace_test {
namespace {

struct DrawnBoard {
  Trace trace;
  int filled = 0;
};

DrawnBoard draw(const Tables &t, BoardDigits digits) {
  HeadlessSurface surface;
  std::ostringstream out;
  surface.setTrace(&out);
  DrawnBoard d;
  d.filled = drawBoard(surface, t, digits);
  d.trace = parseTrace(out.str());
  return d;
}

std::vector<std::string> lineRaws(const Trace &trace) {
  std::vector<std::string> out;
  for (const auto *l : trace.of("line")) out.push_back(l->raw);
  return out;
}

TEST(StandardBoard, WithoutDigitsDrawsTwentyThinAndEightThickLines) {
  auto t = std::make_unique<Tables>();
  buildColourTable(*t, ColourScheme::Answer);
  const DrawnBoard d = draw(*t, BoardDigits::Print);
  EXPECT_EQ(d.filled, 0);
  EXPECT_TRUE(d.trace.prints.empty());
  std::vector<std::string> expected;
  for (int l = 1; l <= 28; l += 3) {
    const int x = 120 * (2 * l + 70);
    expected.push_back("line " + std::to_string(x) + " 240 " + std::to_string(x) + " 6720");
    expected.push_back("line 8640 " + std::to_string(240 * l) + " 15120 " + std::to_string(240 * l));
  }
  for (int l = 1; l <= 28; l += 9) {
    const int x = 120 * (2 * l + 70);
    expected.push_back("line " + std::to_string(x) + " 240 " + std::to_string(x) + " 6720");
    expected.push_back("line 8640 " + std::to_string(240 * l) + " 15120 " + std::to_string(240 * l));
  }
  EXPECT_EQ(lineRaws(d.trace), expected);
  EXPECT_EQ(expected.front(), "line 8640 240 8640 6720");
  EXPECT_EQ(expected[1], "line 8640 240 15120 240");
  EXPECT_EQ(expected[19], "line 8640 6720 15120 6720");
  EXPECT_EQ(expected.back(), "line 8640 6720 15120 6720");
  // The grid starts from (13, 13); the thick lines are 3 pixels at font size 40.
  const auto &lines = d.trace.lines;
  EXPECT_EQ(lines.at(0).raw, "move 13 13");
  EXPECT_EQ(lines.at(21).raw, "font 40");
  EXPECT_EQ(lines.at(22).raw, "width 3");
  EXPECT_EQ(lines.at(31).raw, "width 1");
}

TEST(StandardBoard, VisitsEveryCellAtItsDigitPositionInRowOrder) {
  auto t = std::make_unique<Tables>();
  buildColourTable(*t, ColourScheme::Answer);
  const DrawnBoard d = draw(*t, BoardDigits::Print);
  const auto moves = d.trace.of("move");
  ASSERT_EQ(moves.size(), 82u);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const auto *m = moves[static_cast<std::size_t>((r - 1) * 9 + c)];
      EXPECT_EQ(m->numbers.at(0), 8556 + 720 * (c - 1));
      EXPECT_EQ(m->numbers.at(1), 192 + 720 * (r - 1));
    }
  }
}

TEST(StandardBoard, PrintsEachDigitInItsColourAtFontForty) {
  auto t = std::make_unique<Tables>();
  buildColourTable(*t, ColourScheme::Answer);
  t->Board[1][1] = 1;
  t->Board[5][5] = 6;
  t->Board[9][9] = 4;
  t->Board[3][7] = 7;
  for (const BoardDigits mode : {BoardDigits::Print, BoardDigits::CountOnly}) {
    const DrawnBoard d = draw(*t, mode);
    EXPECT_EQ(d.filled, 4);
    if (mode == BoardDigits::CountOnly) {
      EXPECT_TRUE(d.trace.prints.empty());
      continue;
    }
    ASSERT_EQ(d.trace.prints.size(), 4u);
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
      const Printed &p = d.trace.prints[i];
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
  HeadlessSurface surface;
  std::ostringstream out;
  surface.setTrace(&out);
  drawFrame(surface, BoardFrame{170, 8950, 170, 170, 4760, 9120, 13710});
  const Trace trace = parseTrace(out.str());
  const auto lines = lineRaws(trace);
  ASSERT_EQ(lines.size(), 28u);
  EXPECT_EQ(lines[0], "line 9120 170 9120 4760");
  EXPECT_EQ(lines[1], "line 9120 170 13710 170");
  EXPECT_EQ(lines[2], "line 9630 170 9630 4760");
  EXPECT_EQ(lines[18], "line 13710 170 13710 4760");
  EXPECT_EQ(lines[19], "line 9120 4760 13710 4760");
  EXPECT_EQ(lines[22], "line 10650 170 10650 4760");
  EXPECT_EQ(trace.lines.at(20).raw, "width 3");
  EXPECT_EQ(trace.lines.back().raw, "width 1");
}

TEST(InputErrorMessage, IsDrawnAndReportedOnce) {
  HeadlessSurface surface;
  std::ostringstream out;
  surface.setTrace(&out);
  showInputError(surface, "データファイル「x.csv」を開けません。");
  const Trace trace = parseTrace(out.str());
  ASSERT_EQ(trace.prints.size(), 1u);
  EXPECT_EQ(trace.prints[0].text, "データファイル「x.csv」を開けません。");
  EXPECT_TRUE(trace.prints[0].moved);
  ASSERT_EQ(trace.count("error"), 1u);
  EXPECT_EQ(trace.of("error")[0]->strings.at(0), "データファイル「x.csv」を開けません。");
  EXPECT_EQ(surface.errors().size(), 1u);
}

}  // namespace
}  // namespace numplace_test
