// The check of the user's entries and the hints: level-3 hints played one
// after another from the givens must fill the grid to the check's solution,
// each placement being the one a step run of our own makes from that
// position; wrong entries come first, level 1 keeps the digit back, and a
// position the techniques cannot advance gets a cell of the solution.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "check/check.h"
#include "cli/entries_output.h"
#include "helpers.h"
#include "hints/hints.h"

namespace numplace {
inline void PrintTo(const CellRef &c, std::ostream *os) { *os << "r" << c.row << "c" << c.column; }
inline void PrintTo(const HintUnit &u, std::ostream *os) { *os << unitText(u); }
inline void PrintTo(const WrongEntry &w, std::ostream *os) {
  *os << "r" << w.cell.row << "c" << w.cell.column << "=" << w.digit;
}
}  // namespace numplace

namespace numplace_test {
namespace {

// The sanitized build is many times slower: it walks every tenth puzzle.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSampleScale = 10;
#else
constexpr int kSampleScale = 1;
#endif

Grid gridOfText(std::string_view text) {
  Grid g{};
  for (std::size_t i = 0; i < 81; ++i)
    g[i] = static_cast<std::uint8_t>(text[i] >= '1' && text[i] <= '9' ? text[i] - '0' : 0);
  return g;
}

std::vector<std::string> linesOf(const std::string &name) {
  std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/" + name);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) {
    if (line.size() >= 81) out.push_back(line.substr(0, 81));
  }
  return out;
}

std::vector<CellRef> oneCell(int r, int c) { return {CellRef{r, c}}; }

std::size_t at(const CellRef &c) { return static_cast<std::size_t>((c.row - 1) * 9 + c.column - 1); }

Grid overlay(const Grid &givens, const Grid &entries) {
  Grid out = givens;
  for (std::size_t i = 0; i < 81; ++i) {
    if (entries[i] != 0) out[i] = entries[i];
  }
  return out;
}

int emptyCells(const Grid &g) { return static_cast<int>(std::count(g.begin(), g.end(), 0)); }

// Our own step run, started as a user would start it on a data file holding
// the position (the grid and the row boxes left empty), each prompt answered
// with `answer`. With `firstOnly` it ends at the first step report in Text14.
struct StopAtReport {};
std::vector<PlacementRecord> stepRun(const Grid &position, bool firstOnly) {
  HeadlessControls controls;
  MemoryFiles files;
  files.put("position.csv", dataFileOf(gridString(position)));
  controls.type({"Text3"}, "position.csv");
  controls.type({"Text1"}, "");
  controls.type({"Text2"}, "");
  if (firstOnly) {
    controls.setListener([](ControlRef ref, std::string_view) {
      if (ref.name == "Text14") throw StopAtReport{};
    });
  }
  RecordingSurface surface(false);
  AnswerQueue answers;
  answers.push(firstOnly ? "1" : "2");
  QueuedPrompt prompt(answers);
  Ports ports{controls, surface, prompt, files};
  RunResult result;
  try {
    runStep(ports, result);
  } catch (const StopAtReport &) {
  }
  return result.placements;
}

// The unit the hint must name for each technique word of the step run.
HintUnit expectedUnit(std::string_view word, int r, int c) {
  if (word == "よこ" || word == "横　") return {UnitKind::Row, r};
  if (word == "たて" || word == "縦　") return {UnitKind::Column, c};
  return {UnitKind::Block, 3 * ((r - 1) / 3) + (c - 1) / 3 + 1};  // ブロ, and 基本 by choice
}

// Level 1 and 2 of the hint whose level 3 is `h3`: the same unit, word and
// technique, the unit's cells (holding the placement's cell); the digit only
// at level 2.
void expectLowerLevelsAgree(const Grid &givens, const Grid &entries, const Hint &h3) {
  const Hint h1 = hintFor(givens, entries, 1);
  const Hint h2 = hintFor(givens, entries, 2);
  for (const Hint *h : {&h1, &h2}) {
    ASSERT_EQ(h->kind, HintKind::Placement);
    EXPECT_EQ(h->unit, h3.unit);
    EXPECT_EQ(h->word, h3.word);
    EXPECT_EQ(h->technique, h3.technique);
    ASSERT_EQ(h->cells.size(), 9u);
    EXPECT_NE(std::find(h->cells.begin(), h->cells.end(), h3.cells.front()), h->cells.end());
  }
  EXPECT_EQ(h1.level, 1);
  EXPECT_FALSE(h1.digit.has_value());
  EXPECT_EQ(h2.digit, h3.digit);
}

// A wrong digit at the first empty cell comes before anything else.
void expectWrongEntryFirst(const Grid &givens, Grid entries, const Grid &solution) {
  std::size_t i = 0;
  while (i < 81 && (givens[i] != 0 || entries[i] != 0)) ++i;
  if (i == 81) return;
  entries[i] = static_cast<std::uint8_t>(solution[i] % 9 + 1);
  for (int level = 1; level <= 3; ++level) {
    const Hint h = hintFor(givens, entries, level);
    ASSERT_EQ(h.kind, HintKind::WrongEntry);
    ASSERT_EQ(h.cells.size(), 1u);
    EXPECT_EQ(at(h.cells.front()), i);
    EXPECT_EQ(h.digit, entries[i]);
  }
}

struct Walked {
  int hints = 0;
  int solutionCells = 0;
};

// Plays level-3 hints from the givens to the end. Every placement must be
// the first of our own step run from the position, every solution cell one
// with the fewest candidates where our step run places nothing.
Walked walkHints(const std::string &puzzle, int levelsEvery) {
  const Grid givens = gridOfText(puzzle);
  const CheckResult check = checkGivens(givens);
  Walked w;
  if (check.solutions != 1) {
    ADD_FAILURE() << puzzle << " has not one solution";
    return w;
  }
  const Grid &solution = *check.solution;
  Grid entries{};
  for (;;) {
    const Hint h = hintFor(givens, entries, 3);
    if (h.kind == HintKind::None) {
      EXPECT_EQ(h.reason, NoHintReason::Complete) << puzzle;
      break;
    }
    const Grid position = overlay(givens, entries);
    if (h.kind == HintKind::Placement) {
      const std::vector<PlacementRecord> own = stepRun(position, true);
      if (own.empty()) {
        ADD_FAILURE() << puzzle << ": our step run places nothing at hint " << w.hints;
        break;
      }
      EXPECT_EQ(h.cells, oneCell(own[0].row, own[0].column)) << puzzle << " hint " << w.hints;
      EXPECT_EQ(h.digit, own[0].digit);
      EXPECT_EQ(h.word, own[0].word);
      EXPECT_EQ(h.unit, expectedUnit(own[0].word, own[0].row, own[0].column));
      if (w.hints % levelsEvery == 0) expectLowerLevelsAgree(givens, entries, h);
    } else {
      EXPECT_EQ(h.kind, HintKind::SolutionCell);
      EXPECT_TRUE(stepRun(position, true).empty()) << puzzle << " hint " << w.hints;
      ++w.solutionCells;
      int fewest = 10;
      for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
          if (position[at({r, c})] == 0)
            fewest = std::min(fewest, std::popcount(freeDigits(gridString(position), r, c)));
        }
      }
      EXPECT_EQ(h.candidates, fewest);
      EXPECT_EQ(std::popcount(freeDigits(gridString(position), h.cells[0].row, h.cells[0].column)), fewest);
      EXPECT_EQ(h.digit, solution[at(h.cells.front())]);
      EXPECT_FALSE(hintFor(givens, entries, 1).digit.has_value());
    }
    if (w.hints % (3 * levelsEvery) == 1) expectWrongEntryFirst(givens, entries, solution);
    if (h.cells.size() != 1 || !h.digit || ::testing::Test::HasFailure()) break;
    entries[at(h.cells.front())] = static_cast<std::uint8_t>(*h.digit);
    ++w.hints;
  }
  EXPECT_EQ(overlay(givens, entries), solution) << puzzle;
  EXPECT_EQ(w.hints, emptyCells(givens)) << puzzle;
  return w;
}

TEST(Hints, EasyPuzzlesFollowTheStepRunsWholePath) {
  // The easy set never needs more than singles, so the step run played to
  // its end makes, one by one, the placements the hints give afresh from
  // each position.
  const std::vector<std::string> puzzles = linesOf("se_easy.txt");
  ASSERT_EQ(puzzles.size(), 500u);
  for (std::size_t k = 0; k < puzzles.size(); k += kSampleScale) {
    const Grid givens = gridOfText(puzzles[k]);
    const std::vector<PlacementRecord> path = stepRun(givens, false);
    ASSERT_EQ(static_cast<int>(path.size()), emptyCells(givens)) << puzzles[k];
    Grid entries{};
    for (std::size_t i = 0; i < path.size(); ++i) {
      const Hint h = hintFor(givens, entries, 3);
      ASSERT_EQ(h.kind, HintKind::Placement) << puzzles[k] << " hint " << i;
      ASSERT_EQ(h.cells, oneCell(path[i].row, path[i].column)) << puzzles[k] << " hint " << i;
      ASSERT_EQ(h.digit, path[i].digit);
      ASSERT_EQ(h.word, path[i].word);
      if (i % 4 == 0) expectLowerLevelsAgree(givens, entries, h);
      entries[at(h.cells.front())] = static_cast<std::uint8_t>(*h.digit);
    }
    const Hint last = hintFor(givens, entries, 1);
    EXPECT_EQ(last.kind, HintKind::None);
    EXPECT_EQ(last.reason, NoHintReason::Complete);
    EXPECT_TRUE(checkEntries(givens, entries).complete);
  }
}

TEST(Hints, HarderSetsReachTheSolution) {
  struct Set {
    const char *name;
    std::size_t every;
  };
  for (const Set &set : {Set{"se_medium.txt", 10}, Set{"se_hard.txt", 5}, Set{"top95.txt", 3}}) {
    const std::vector<std::string> puzzles = linesOf(set.name);
    ASSERT_FALSE(puzzles.empty()) << set.name;
    Walked total;
    std::size_t walked = 0;
    for (std::size_t k = 0; k < puzzles.size(); k += set.every * kSampleScale) {
      const Walked w = walkHints(puzzles[k], 5);
      total.hints += w.hints;
      total.solutionCells += w.solutionCells;
      ++walked;
      if (HasFailure()) return;
    }
    std::cout << "[ hints    ] " << set.name << ": " << walked << " puzzles, " << total.hints << " hints, "
              << total.solutionCells << " of them solution cells\n";
    if (std::string_view(set.name) != "se_medium.txt") {
      EXPECT_GT(total.solutionCells, 0) << set.name;
    }
  }
}

TEST(Hints, PositionWithThreeEmptyRowsIsReadWhole) {
  // Neither the grid nor the row boxes are read with three empty rows: the
  // step run must still see the whole position.
  const std::string puzzle = linesOf("se_easy.txt").at(156);
  ASSERT_EQ(puzzle.substr(0, 9), "000000000");
  const Hint h = hintFor(gridOfText(puzzle), Grid{}, 3);
  const std::vector<PlacementRecord> own = stepRun(gridOfText(puzzle), true);
  ASSERT_EQ(h.kind, HintKind::Placement);
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(h.cells, oneCell(own[0].row, own[0].column));
  EXPECT_EQ(h.digit, own[0].digit);
}

TEST(Hints, LevelsOfTheFirstPlacement) {
  // The step run's first placement on this puzzle: 4行4列に2, a naked single.
  const Grid givens = gridOfText(kStepPuzzle);
  const Hint h1 = hintFor(givens, Grid{}, 1);
  EXPECT_EQ(h1.kind, HintKind::Placement);
  EXPECT_EQ(h1.unit, (HintUnit{UnitKind::Block, 5}));
  EXPECT_EQ(h1.cells, unitCells({UnitKind::Block, 5}));
  EXPECT_EQ(h1.cells.front(), (CellRef{4, 4}));
  EXPECT_EQ(h1.cells.back(), (CellRef{6, 6}));
  EXPECT_EQ(h1.word, "基本");
  EXPECT_EQ(h1.technique, "naked single");
  EXPECT_FALSE(h1.digit.has_value());
  EXPECT_EQ(h1.text, "ブロック5 に候補が1つだけのマスがあります（基本）");
  const Hint h2 = hintFor(givens, Grid{}, 2);
  EXPECT_EQ(h2.digit, 2);
  EXPECT_EQ(h2.text, "ブロック5 の候補が1つだけのマスに 2 が入ります（基本）");
  const Hint h3 = hintFor(givens, Grid{}, 3);
  EXPECT_EQ(h3.cells, oneCell(4, 4));
  EXPECT_EQ(h3.digit, 2);
  EXPECT_EQ(h3.text, "4行4列に2（基本）");
  // Levels outside 1..3 are taken as the nearest.
  EXPECT_EQ(hintFor(givens, Grid{}, 0).level, 1);
  EXPECT_EQ(hintFor(givens, Grid{}, 7).cells, h3.cells);
}

TEST(Hints, HiddenSingleNamesItsUnit) {
  // This puzzle's step run starts with a hidden single in block 7
  // ("7行2列に5　「ブロ」").
  const Grid givens = gridOfText(kStepStopPuzzle);
  const std::vector<PlacementRecord> own = stepRun(givens, true);
  ASSERT_FALSE(own.empty());
  ASSERT_EQ(own[0].word, "ブロ");
  const Hint h1 = hintFor(givens, Grid{}, 1);
  EXPECT_EQ(h1.unit, (HintUnit{UnitKind::Block, 7}));
  EXPECT_EQ(h1.text, "ブロック7 を見てください（ブロ）");
  EXPECT_EQ(hintFor(givens, Grid{}, 2).text, "ブロック7 に 5 が入ります（ブロ）");
  EXPECT_EQ(hintFor(givens, Grid{}, 3).text, "7行2列に5（ブロ）");
}

TEST(Hints, WrongEntryComesFirstAtEveryLevel) {
  const Grid givens = gridOfText(kEasyPuzzle);
  const Grid solution = gridOfText(kEasySolution);
  Grid entries{};
  entries[at({1, 1})] = solution[at({1, 1})];  // right
  entries[at({5, 2})] = 1;                     // wrong (8 is right)
  entries[at({2, 1})] = 9;                     // wrong (3), and first in row order
  for (int level = 1; level <= 3; ++level) {
    const Hint h = hintFor(givens, entries, level);
    EXPECT_EQ(h.kind, HintKind::WrongEntry);
    EXPECT_EQ(h.cells, oneCell(2, 1));
    EXPECT_EQ(h.digit, 9);
    EXPECT_EQ(h.text, "2行1列の9は違います");
  }
  // An entry over a given with another digit is wrong too; with the given's
  // own digit it is not.
  Grid over{};
  over[at({1, 2})] = 5;  // the given itself
  EXPECT_NE(hintFor(givens, over, 1).kind, HintKind::WrongEntry);
  over[at({1, 4})] = 8;  // the given is 7
  const Hint h = hintFor(givens, over, 2);
  EXPECT_EQ(h.kind, HintKind::WrongEntry);
  EXPECT_EQ(h.cells, oneCell(1, 4));
}

TEST(Hints, StalledPositionOffersACellOfTheSolution) {
  // Line 54 of top95: the step run stops without placing anything.
  const std::string puzzle = linesOf("top95.txt").at(53);
  const Grid givens = gridOfText(puzzle);
  ASSERT_TRUE(stepRun(givens, false).empty());
  const CheckResult check = checkGivens(givens);
  ASSERT_EQ(check.solutions, 1);
  const Hint h1 = hintFor(givens, Grid{}, 1);
  EXPECT_EQ(h1.kind, HintKind::SolutionCell);
  EXPECT_FALSE(h1.digit.has_value());
  EXPECT_FALSE(h1.unit.has_value());
  // 1行2列 is the first cell of two candidates, and no cell has fewer.
  EXPECT_EQ(h1.cells, oneCell(1, 2));
  EXPECT_EQ(h1.candidates, 2);
  EXPECT_EQ(h1.text, "この手順の技では次の一手が見つかりません。候補が一番少ないのは1行2列（2つ）です");
  const Hint h3 = hintFor(givens, Grid{}, 3);
  EXPECT_EQ(h3.kind, HintKind::SolutionCell);
  EXPECT_EQ(h3.cells, h1.cells);
  EXPECT_EQ(h3.digit, (*check.solution)[at({1, 2})]);
  EXPECT_EQ(hintFor(givens, Grid{}, 2).digit, h3.digit);
}

TEST(Hints, NoHintWithoutOneSolution) {
  const Grid several = gridOfText(linesOf("serg_multisolution.txt").at(0));
  const Hint h = hintFor(several, Grid{}, 3);
  EXPECT_EQ(h.kind, HintKind::None);
  EXPECT_EQ(h.reason, NoHintReason::Several);
  EXPECT_EQ(h.solutions, 2);
  EXPECT_TRUE(h.cells.empty());
  EXPECT_FALSE(h.digit.has_value());

  // A second 5 in row 1 of the sample puzzle.
  const Grid clash = gridOfText(withDigit(kEasyPuzzle, 1, 1, 5));
  const Hint c = hintFor(clash, Grid{}, 1);
  EXPECT_EQ(c.reason, NoHintReason::Clash);
  EXPECT_EQ(c.text, "初期データの5が1行1列と1行2列の同じ行にあり、解はありません");

  EXPECT_EQ(hintFor(gridOfText(kNoCompletionPuzzle), Grid{}, 2).reason, NoHintReason::NoSolution);

  // The entries do not make a refused puzzle hintable, however wrong.
  Grid entries{};
  entries[0] = 7;
  EXPECT_EQ(hintFor(several, entries, 1).kind, HintKind::None);
}

TEST(Entries, ListExactlyTheWrongEntries) {
  const Grid givens = gridOfText(kEasyPuzzle);
  const Grid solution = gridOfText(kEasySolution);
  Grid entries{};
  std::vector<WrongEntry> expected;
  int entered = 0;
  // Every third empty cell right, every fifth wrong, over two givens too.
  for (std::size_t i = 0; i < 81; ++i) {
    if (givens[i] != 0) continue;
    if (i % 5 == 0) {
      entries[i] = static_cast<std::uint8_t>(solution[i] % 9 + 1);
      expected.push_back({{static_cast<int>(i / 9) + 1, static_cast<int>(i % 9) + 1}, entries[i]});
      ++entered;
    } else if (i % 3 == 0) {
      entries[i] = solution[i];
      ++entered;
    }
  }
  entries[at({1, 2})] = 5;  // the given's own digit
  entries[at({9, 6})] = 8;  // over the given 9
  expected.push_back({{9, 6}, 8});
  std::sort(expected.begin(), expected.end(), [](const WrongEntry &a, const WrongEntry &b) {
    return std::pair{a.cell.row, a.cell.column} < std::pair{b.cell.row, b.cell.column};
  });
  const EntriesCheck e = checkEntries(givens, entries);
  EXPECT_TRUE(e.judged);
  EXPECT_EQ(e.solutions, 1);
  EXPECT_EQ(e.wrong, expected);
  EXPECT_EQ(e.empty, emptyCells(givens) - entered);
  EXPECT_FALSE(e.complete);
}

TEST(Entries, CompleteOnlyWhenFullAndRight) {
  const Grid givens = gridOfText(kEasyPuzzle);
  Grid entries = gridOfText(kEasySolution);
  EXPECT_TRUE(checkEntries(givens, entries).complete);
  entries[at({3, 3})] = 0;
  EntriesCheck e = checkEntries(givens, entries);
  EXPECT_FALSE(e.complete);
  EXPECT_EQ(e.empty, 1);
  EXPECT_TRUE(e.wrong.empty());
  std::swap(entries[at({3, 3})], entries[at({3, 1})]);  // 3行1列 emptied, its 2 moved to 3行3列
  e = checkEntries(givens, entries);
  EXPECT_EQ(e.wrong, (std::vector<WrongEntry>{{{3, 3}, 2}}));
  EXPECT_FALSE(e.complete);
}

TEST(Entries, RefusedWithoutOneSolution) {
  Grid entries{};
  entries[at({9, 9})] = 4;
  const EntriesCheck several = checkEntries(gridOfText(linesOf("serg_multisolution.txt").at(0)), entries);
  EXPECT_FALSE(several.judged);
  EXPECT_EQ(several.solutions, 2);
  EXPECT_TRUE(several.wrong.empty());
  EXPECT_FALSE(several.complete);
  const EntriesCheck clash = checkEntries(gridOfText(withDigit(kEasyPuzzle, 1, 1, 5)), entries);
  EXPECT_FALSE(clash.judged);
  EXPECT_EQ(clash.solutions, 0);
  ASSERT_EQ(clash.clashes.size(), 2u);  // in row 1 and in block 1
  EXPECT_EQ(clash.clashes[0].digit, 5);
  EXPECT_EQ(clash.empty, emptyCells(gridOfText(kEasyPuzzle)) - 2);
}

TEST(Entries, ValuesAboveNineAreEmptyCells) {
  Grid givens = gridOfText(kEasyPuzzle);
  Grid entries{};
  entries.fill(200);
  givens[0] = 10;
  const EntriesCheck e = checkEntries(givens, entries);
  EXPECT_TRUE(e.judged);
  EXPECT_EQ(e.empty, emptyCells(gridOfText(kEasyPuzzle)));
  EXPECT_EQ(hintFor(givens, entries, 3).kind, HintKind::Placement);
}

TEST(EntriesOutput, JsonFields) {
  const Grid givens = gridOfText(kEasyPuzzle);
  Grid entries{};
  entries[at({2, 1})] = 9;
  std::string out = "{\"button\":\"Command7\"}";
  std::string fields;
  appendEntriesField(fields, checkEntries(givens, entries));
  fields += ',';
  appendHintField(fields, hintFor(givens, entries, 1));
  addFields(out, fields);
  const nlohmann::json j = nlohmann::json::parse(out);
  EXPECT_EQ(j["button"], "Command7");
  EXPECT_EQ(j["entries"]["wrong"], nlohmann::json::parse("[[2,1]]"));
  EXPECT_EQ(j["entries"]["empty"], emptyCells(givens) - 1);
  EXPECT_EQ(j["entries"]["complete"], false);
  EXPECT_EQ(j["entries"]["judged"], true);
  EXPECT_EQ(j["entries"]["solutions"], 1);
  EXPECT_EQ(j["hint"]["kind"], "wrong_entry");
  EXPECT_EQ(j["hint"]["cells"], nlohmann::json::parse("[[2,1]]"));
  EXPECT_EQ(j["hint"]["digit"], 9);
  EXPECT_TRUE(j["hint"]["unit"].is_null());

  std::string placement = "{}";
  std::string field;
  appendHintField(field, hintFor(gridOfText(kStepStopPuzzle), Grid{}, 1));
  addFields(placement, field);
  EXPECT_EQ(placement,
            "{\"hint\":{\"level\":1,\"kind\":\"placement\",\"cells\":[[7,1],[7,2],[7,3],[8,1],[8,2],[8,3],[9,1],[9,"
            "2],[9,3]],\"unit\":{\"kind\":\"block\",\"index\":7},\"word\":\"ブロ\",\"technique\":\"hidden single "
            "(block)\",\"digit\":null,\"reason\":null,\"text\":\"ブロック7 を見てください（ブロ）\"}}");

  std::string refused;
  appendEntriesField(refused, checkEntries(gridOfText(linesOf("serg_multisolution.txt").at(0)), entries));
  EXPECT_EQ(refused, "\"entries\":{\"wrong\":null,\"empty\":46,\"complete\":false,\"judged\":false,\"solutions\":2}");
}

TEST(EntriesOutput, SummaryLines) {
  const Grid givens = gridOfText(kEasyPuzzle);
  Grid entries{};
  entries[at({2, 1})] = 9;
  entries[at({5, 2})] = 1;
  std::ostringstream lines;
  printEntries(lines, checkEntries(givens, entries));
  printHint(lines, hintFor(givens, entries, 2));
  printHint(lines, hintFor(gridOfText(kStepStopPuzzle), Grid{}, 2));
  printHint(lines, hintFor(gridOfText(kStepStopPuzzle), Grid{}, 3));
  printHint(lines, hintFor(gridOfText(linesOf("top95.txt").at(53)), Grid{}, 1));
  printEntries(lines, checkEntries(gridOfText(kEasySolution), Grid{}));
  printHint(lines, hintFor(gridOfText(kEasySolution), Grid{}, 1));
  printEntries(lines, checkEntries(gridOfText(withDigit(kEasyPuzzle, 1, 1, 5)), Grid{}));
  EXPECT_EQ(lines.str(),
            "entries wrong r2c1 r5c2\n"
            "entries empty 49\n"
            "entries complete no\n"
            "hint 2 wrong_entry r2c1 9\n"
            "hint text 2行1列の9は違います\n"
            "hint 2 placement block 7 ブロ 5\n"
            "hint text ブロック7 に 5 が入ります（ブロ）\n"
            "hint 3 placement r7c2 ブロ 5\n"
            "hint text 7行2列に5（ブロ）\n"
            "hint 1 solution_cell r1c2\n"
            "hint text この手順の技では次の一手が見つかりません。候補が一番少ないのは1行2列（2つ）です\n"
            "entries wrong none\n"
            "entries empty 0\n"
            "entries complete yes\n"
            "hint 1 none complete\n"
            "hint text 全部のマスが正しく埋まっています\n"
            "entries unjudged solutions 0\n"
            "entries empty 50\n");
}

}  // namespace
}  // namespace numplace_test
