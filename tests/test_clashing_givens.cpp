// A full board is not a solution: runs on givens with a digit twice or more
// in a unit never end solved, whatever they fill in, in all four runs. The
// puzzle the press fuzzer found (the step family filled every cell over
// three 9s in row 4), relabelled, and puzzles with a digit three or four
// times in a unit.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "check/check.h"
#include "cli_run.h"
#include "helpers.h"
#include "script/explanation.h"

namespace numplace_test {
namespace {

// The row boxes of the finding, as one puzzle: row 4 holds 9 three times and
// the givens clash seven times more.
constexpr std::string_view kFilledOverClash =
    "302401809001000300000000000040799910780502036000090000200609003900000008800070005";

Grid gridOf(std::string_view puzzle) {
  Grid g{};
  for (std::size_t i = 0; i < 81; ++i)
    g[i] = static_cast<std::uint8_t>(digitAt(puzzle, int(i / 9) + 1, int(i % 9) + 1));
  return g;
}

// The same puzzle relabelled: what it asks is the same, the order in which a
// run meets its cells and digits is not.
std::string digitsPermuted(std::string_view p) {
  static constexpr std::string_view kTo = "0473918256";  // digit d becomes kTo[d]
  std::string out(p);
  for (char &ch : out) ch = kTo[static_cast<std::size_t>(ch - '0')];
  return out;
}
std::string rowsSwapped(std::string_view p, int a, int b) {
  std::string out(p);
  for (int c = 0; c < 9; ++c)
    std::swap(out[static_cast<std::size_t>(9 * a + c)], out[static_cast<std::size_t>(9 * b + c)]);
  return out;
}
std::string columnsSwapped(std::string_view p, int a, int b) {
  std::string out(p);
  for (int r = 0; r < 9; ++r)
    std::swap(out[static_cast<std::size_t>(9 * r + a)], out[static_cast<std::size_t>(9 * r + b)]);
  return out;
}
std::string transposed(std::string_view p) {
  std::string out(p);
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) out[static_cast<std::size_t>(9 * c + r)] = p[static_cast<std::size_t>(9 * r + c)];
  }
  return out;
}

struct Variant {
  const char *name;
  std::string puzzle;
};
std::vector<Variant> findingVariants() {
  const std::string p(kFilledOverClash);
  return {{"AsFound", p},
          {"DigitsPermuted", digitsPermuted(p)},
          {"RowsSwappedInBand", rowsSwapped(p, 3, 5)},
          {"ColumnsSwappedInBand", columnsSwapped(p, 0, 2)},
          {"Transposed", transposed(p)}};
}

bool isFull(const Grid &g) { return std::find(g.begin(), g.end(), 0) == g.end(); }

// What every run must say of clashing givens: never solved; a full board it
// shows is inconsistent; the answer family finds the clash before it draws.
void expectNotSolved(const RunResult &r, Button button) {
  EXPECT_NE(r.end, RunEnd::Solved);
  EXPECT_FALSE(completesGivens(r.board, r.givens));
  if (r.boardShown && isFull(r.board)) {
    EXPECT_EQ(r.end, RunEnd::Inconsistent);
  }
  if (button == Button::Answer || button == Button::Reference2) {
    EXPECT_EQ(r.end, RunEnd::Inconsistent);
    EXPECT_FALSE(r.boardShown);
  }
}

TEST(CompletesGivens, OnlyAFullValidGridThatKeepsTheGivens) {
  const Grid solution = gridOf(kEasySolution);
  EXPECT_TRUE(completesGivens(solution, gridOf(kEasyPuzzle)));
  EXPECT_TRUE(completesGivens(solution, Grid{}));
  EXPECT_TRUE(completesGivens(solution, solution));
  // A given that the board does not keep.
  EXPECT_FALSE(completesGivens(solution, gridOf(withDigit(kEasyPuzzle, 1, 1, 2))));
  // An empty cell.
  EXPECT_FALSE(completesGivens(gridOf(withDigit(kEasySolution, 5, 5, 0)), Grid{}));
  // Two digits swapped within a row: every row and block still holds 1..9,
  // the columns do not; transposed, the rows do not.
  const std::string swappedInRow =
      columnsSwapped(kEasySolution, 0, 1).substr(0, 9) + std::string(kEasySolution.substr(9));
  EXPECT_FALSE(completesGivens(gridOf(swappedInRow), Grid{}));
  EXPECT_FALSE(completesGivens(gridOf(transposed(swappedInRow)), Grid{}));
  EXPECT_TRUE(completesGivens(gridOf(transposed(kEasySolution)), Grid{}));
  // Rows 1 and 4 swapped: rows and columns hold 1..9, the blocks do not.
  EXPECT_FALSE(completesGivens(gridOf(rowsSwapped(kEasySolution, 0, 3)), Grid{}));
  // A band's rows swapped keeps a valid grid.
  EXPECT_TRUE(completesGivens(gridOf(rowsSwapped(kEasySolution, 0, 2)), Grid{}));
  // The finding's full board: three 9s in row 4.
  const Grid filled = gridOf("372451869691827354458936271543799912789512436126394587215689743937145628864273195");
  EXPECT_FALSE(completesGivens(filled, gridOf(kFilledOverClash)));
  EXPECT_FALSE(completesGivens(filled, Grid{}));
}

class FilledOverClash : public ::testing::TestWithParam<Variant> {};

TEST_P(FilledOverClash, NoRunCallsItSolved) {
  const Variant &v = GetParam();
  int filled = 0;
  for (const Button button : kRunButtons) {
    SCOPED_TRACE(static_cast<int>(button));
    TestWindow w;
    w.answer("2");
    w.givePuzzleFile(v.puzzle);
    const Clicked c = w.click(button);
    const RunResult &r = c.run();
    expectNotSolved(r, button);
    if (r.boardShown && isFull(r.board)) {
      ++filled;
      // The picture is that of any full board: "終了" alone.
      EXPECT_TRUE(std::ranges::equal(r.messages.texts(), std::vector<std::string_view>{"終了"}));
      const Explanation e = explainRun(r);
      EXPECT_EQ(e.end,
                "エラー：盤面は埋まりましたが、初期データの同じ行、列かブロックに同じ数字があり、解ではありません（inco"
                "nsistent）");
    }
  }
  // As found, both runs of the step family fill every cell.
  if (std::string_view(v.name) == "AsFound") {
    EXPECT_EQ(filled, 2);
  }
}

INSTANTIATE_TEST_SUITE_P(Variants, FilledOverClash, ::testing::ValuesIn(findingVariants()),
                         [](const auto &c) { return std::string(c.param.name); });

TEST(FilledOverClash, CliSaysInconsistentAndTheBatchSaysError) {
  std::string rows;
  for (std::size_t r = 0; r < 9; ++r) rows += (r ? "," : "") + std::string(kFilledOverClash.substr(9 * r, 9));
  for (const char *button : {"Command7", "Command1", "Command3", "Command5"}) {
    SCOPED_TRACE(button);
    const CliResult r = runCli("--rows " + rows + " --answer 2 --click " + button + " --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["end"], "inconsistent");
    EXPECT_EQ(j["check"]["solutions"], 0);
  }
  const CliResult batch = runCliOnInput("--batch - --json", std::string(kFilledOverClash) + "\n");
  ASSERT_EQ(batch.status, 0) << batch.err;
  const nlohmann::json j = nlohmann::json::parse(batch.out);
  EXPECT_EQ(j["status"], "error");
  EXPECT_EQ(j["end"], "inconsistent");
  const CliResult text = runCliOnInput("--batch -", std::string(kFilledOverClash) + "\n");
  EXPECT_NE(text.out.find(" error -"), std::string::npos) << text.out;
}

// The first `count` puzzles of a collection of tests/data.
std::vector<std::string> readPuzzles(const std::string &file, std::size_t count) {
  std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/" + file);
  std::vector<std::string> out;
  for (std::string line; out.size() < count && std::getline(in, line);) {
    if (line.size() >= 81) out.push_back(line.substr(0, 81));
  }
  return out;
}

// Puzzles of se_easy with one digit laid three times into the empty cells
// of a row, a column or a block (four times into a row with room for it),
// the lowest digit the unit lacks: only those cells clash within the unit.
std::vector<std::string> tripledPuzzles() {
  std::vector<std::string> out;
  for (const std::string &p : readPuzzles("se_easy.txt", 10)) {
    for (int kind = 0; kind < 3; ++kind) {
      for (int u = 0; u < 9; ++u) {
        std::vector<std::size_t> empty;
        unsigned present = 0;
        for (int k = 0; k < 9; ++k) {
          const int r = kind == 0 ? u : kind == 1 ? k : 3 * (u / 3) + k / 3;
          const int c = kind == 0 ? k : kind == 1 ? u : 3 * (u % 3) + k % 3;
          const auto i = static_cast<std::size_t>(9 * r + c);
          if (p[i] == '0') {
            empty.push_back(i);
          } else {
            present |= 1u << (p[i] - '0');
          }
        }
        int digit = 1;
        while (digit <= 9 && (present & 1u << digit) != 0) ++digit;
        for (const std::size_t times : {std::size_t{3}, std::size_t{4}}) {
          if (empty.size() < times || digit > 9 || (times == 4 && kind != 0)) continue;
          std::string q = p;
          for (std::size_t k = 0; k < times; ++k) q[empty[k]] = static_cast<char>('0' + digit);
          out.push_back(q);
        }
      }
    }
  }
  return out;
}

TEST(DigitThreeOrMoreTimesInAUnit, NoRunEndsSolved) {
  const std::vector<std::string> puzzles = tripledPuzzles();
  ASSERT_GE(puzzles.size(), 250u);
  int full = 0;
  for (const std::string &p : puzzles) {
    SCOPED_TRACE(p);
    EXPECT_FALSE(checkGivens(gridOf(p)).clashes.empty());
    for (const Button button : kRunButtons) {
      TestWindow w;
      w.answer("2");
      w.givePuzzleFile(p);
      const RunResult r = w.click(button).run();
      expectNotSolved(r, button);
      if (r.boardShown && isFull(r.board)) ++full;
    }
  }
  // Some of them the step family fills to the last cell.
  EXPECT_GT(full, 0);
}

}  // namespace
}  // namespace numplace_test
