// The puzzle document: loading a puzzle sets all of it (nothing of the last
// puzzle leaks into the next), the givens are told from the user's entries,
// and the check names what the next run lays beyond the grid. Through the
// core and through numplace-cli as a user would call it.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "document/beyond_grid.h"
#include "document/document.h"
#include "helpers.h"

namespace numplace_test {
namespace {

using Json = nlohmann::json;

const std::string kData = NUMPLACE_DATA_DIR;

Grid gridOf(std::string_view line) { return *gridFromLine(line); }

Json checkJson(const std::string &arguments, int status = 0) {
  const CliResult r = runCli(arguments + " --check --json");
  EXPECT_EQ(r.status, status) << r.err;
  return Json::parse(r.out);
}

// --- The core -----------------------------------------------------------------

TEST(PuzzleLine, ReadsTheFormsUsersExchange) {
  const std::string dots(kEasyPuzzle.size(), '.');
  EXPECT_EQ(gridFromLine(dots), Grid{});
  std::string spaced;
  for (std::size_t i = 0; i < kEasyPuzzle.size(); ++i)
    spaced += std::string(1, kEasyPuzzle[i]) + (i % 9 == 8 ? "\n" : " ");
  EXPECT_EQ(gridFromLine(spaced), gridOf(kEasyPuzzle));
  // Full-width digits and ideographic blanks, as a Japanese page gives them.
  std::string wide = "\xEF\xBC\x95\xE3\x80\x80";  // "５　"
  wide += std::string(kEasyPuzzle.substr(1));
  EXPECT_EQ(gridFromLine(wide), gridOf("5" + std::string(kEasyPuzzle.substr(1))));
  EXPECT_FALSE(gridFromLine(kEasyPuzzle.substr(1)));
  EXPECT_FALSE(gridFromLine(std::string(kEasyPuzzle) + "1"));
  EXPECT_FALSE(gridFromLine("x" + std::string(kEasyPuzzle.substr(1))));
}

TEST(PuzzleDocument, LoadingSetsTheWholePuzzle) {
  HeadlessControls controls;
  RecordingSurface surface;
  controls.setText({"Text1"}, "151");
  controls.setText({"Text2"}, "537");
  controls.setText({"Text5", 3}, "123456789");
  controls.setText({"Text15", 11}, "9");
  surface.print("old", Ending::NewLine);
  PuzzleDocument document;
  document.load(controls, surface, gridOf(kEasyPuzzle), {PuzzleOrigin::Kind::Paste, {}, 0, 0, {}});
  EXPECT_EQ(controls.text({"Text1"}), "追加 1");
  EXPECT_EQ(controls.text({"Text2"}), "追加 2");
  EXPECT_EQ(controls.text({"Text5", 3}), "");
  EXPECT_EQ(controls.text({"Text15", 11}), "");  // an empty cell of the puzzle
  EXPECT_EQ(controls.text({"Text15", 12}), "5");
  ASSERT_FALSE(surface.ops().empty());
  EXPECT_EQ(surface.ops().back().kind, DrawOp::Kind::Clear);
  EXPECT_EQ(gridOfBoxes(controls), gridOf(kEasyPuzzle));
  EXPECT_FALSE(document.state().modified);
}

TEST(PuzzleDocument, TellsEntriesFromGivens) {
  HeadlessControls controls;
  RecordingSurface surface(false);
  PuzzleDocument document;
  // Before anything is loaded or fixed, everything typed is the puzzle being entered.
  controls.setText({"Text15", 11}, "4");
  EXPECT_EQ(document.entries(controls), Grid{});
  document.load(controls, surface, gridOf(kEasyPuzzle), {PuzzleOrigin::Kind::Paste, {}, 0, 0, {}});
  controls.setText({"Text15", 11}, "1");   // an empty cell: an entry
  controls.setText({"Text15", 12}, "6");   // over the given 5: an entry that is not the given
  controls.setText({"Text15", 14}, "");    // the given 7 emptied
  controls.setText({"Text15", 13}, "12");  // not one digit: no entry
  const Grid entries = document.entries(controls);
  EXPECT_EQ(entries[0], 1);
  EXPECT_EQ(entries[1], 6);
  EXPECT_EQ(entries[2], 0);
  EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](std::uint8_t d) { return d != 0; }), 2);
  const Grid shown = document.givensShown(controls);
  EXPECT_EQ(shown[1], 0);
  EXPECT_EQ(shown[3], 0);
  EXPECT_EQ(shown[5], 3);
  // この盤面を問題にする: what the grid holds becomes the givens.
  document.fixGrid(controls);
  EXPECT_EQ(document.entries(controls), Grid{});
}

TEST(PuzzleDocument, ShowsTheCollectionPlaceOnlyWhileTheGridHoldsThatPuzzle) {
  const std::string path = tempPath("three.txt");
  std::ofstream(path) << kEasyPuzzle << "\n# a note\n" << kStepPuzzle << "\n" << kTrialPuzzle << "\n";
  HeadlessControls controls;
  RecordingSurface surface(false);
  PuzzleDocument document;
  ASSERT_EQ(document.open(path, controls, surface), std::nullopt);
  EXPECT_EQ(document.collectionSize(), 3);
  EXPECT_TRUE(document.step(1, controls, surface));
  EXPECT_EQ(document.fileName(controls), std::filesystem::path(path).filename().string() + " 2/3");
  EXPECT_EQ(document.state().origin.index, 2);
  controls.setText({"Text15", 11}, "9");  // an entry: still that puzzle
  EXPECT_TRUE(document.showsCollectionPuzzle(controls));
  controls.setText({"Text15", 34}, "");  // a given gone: not that puzzle any more
  EXPECT_FALSE(document.showsCollectionPuzzle(controls));
  EXPECT_EQ(document.fileName(controls), std::filesystem::path(path).filename().string());
  EXPECT_FALSE(document.step(2, controls, surface));
  // A paste is another puzzle: the collection is closed.
  EXPECT_TRUE(document.paste(kEasyPuzzle, controls, surface));
  EXPECT_FALSE(document.hasCollection());
  EXPECT_FALSE(document.step(1, controls, surface));
  std::filesystem::remove(path);
}

TEST(BeyondGrid, NamesEachExtraGivenWithWhatBecomesOfIt) {
  HeadlessControls controls;
  MemoryFiles files;
  const auto type = [&](std::string_view puzzle) {
    for (int k = 0; k < 81; ++k) {
      const char ch = puzzle[static_cast<std::size_t>(k)];
      controls.setText({"Text15", cellIndex(k / 9 + 1, k % 9 + 1)}, ch == '0' ? "" : std::string(1, ch));
    }
  };
  type(kEasyPuzzle);
  const auto describe = [&](std::string_view answerTrial = {}) {
    return describeBeyondGrid(controls, files, examinePuzzle(controls, files, false), answerTrial);
  };
  EXPECT_TRUE(describe().extras.empty());  // the start-up texts lay nothing

  controls.setText({"Text1"}, "111");  // (1, 1) is empty and 1 is its solution digit
  controls.setText({"Text2"}, "125");  // (1, 2) holds the given 5
  BeyondGrid b = describe("111");
  ASSERT_EQ(b.extras.size(), 2u);
  EXPECT_EQ(b.extras[0].effect, ExtraGivenNote::Effect::Laid);
  EXPECT_TRUE(b.extras[0].writtenByAnswer);
  EXPECT_EQ(b.extras[1].effect, ExtraGivenNote::Effect::Overridden);
  EXPECT_FALSE(b.extras[1].overriddenBySecond);

  controls.setText({"Text1"}, "115");  // a 5 beside the given 5 of (1, 2)
  controls.setText({"Text2"}, "25");   // row 0: nothing on the board
  b = describe("111");
  EXPECT_EQ(b.extras[0].effect, ExtraGivenNote::Effect::Clash);
  EXPECT_FALSE(b.extras[0].writtenByAnswer);
  EXPECT_EQ(b.extras[1].effect, ExtraGivenNote::Effect::OutOfRange);
  controls.setText({"Text2"}, "1000");  // the runs stop on it
  EXPECT_EQ(describe().extras[1].effect, ExtraGivenNote::Effect::OutOfRange);

  controls.setText({"Text1"}, "111");
  controls.setText({"Text2"}, "112");  // the same cell: 追加 2 is laid after 追加 1
  b = describe();
  EXPECT_EQ(b.extras[0].effect, ExtraGivenNote::Effect::Overridden);
  EXPECT_TRUE(b.extras[0].overriddenBySecond);
  EXPECT_EQ(b.extras[1].effect, ExtraGivenNote::Effect::Laid);
}

TEST(BeyondGrid, WarnsOfBoxesReadOtherwiseThanTheyLook) {
  HeadlessControls controls;
  MemoryFiles files;
  for (int k = 0; k < 81; ++k) {
    const char ch = kEasyPuzzle[static_cast<std::size_t>(k)];
    if (ch != '0') controls.setText({"Text15", cellIndex(k / 9 + 1, k % 9 + 1)}, std::string(1, ch));
  }
  controls.setText({"Text15", 19}, "12");
  controls.setText({"Text15", 21}, "-1");
  BeyondGrid b = describeBeyondGrid(controls, files, examinePuzzle(controls, files, false));
  ASSERT_EQ(b.warnings.size(), 2u);
  EXPECT_EQ(b.warnings[0].box, (ControlRef{"Text15", 19}));
  EXPECT_EQ(b.warnings[0].why, CellWarning::Why::SeveralDigits);
  EXPECT_EQ(b.warnings[1].why, CellWarning::Why::Negative);

  // The row boxes are warned of only when they are the source.
  HeadlessControls rows;
  rows.setText({"Text5", 1}, "1234567891");
  for (int r = 2; r <= 9; ++r) rows.setText({"Text5", r}, "100000000");
  b = describeBeyondGrid(rows, files, examinePuzzle(rows, files, false));
  ASSERT_EQ(b.warnings.size(), 1u);
  EXPECT_EQ(b.warnings[0].box, (ControlRef{"Text5", 1}));
  EXPECT_EQ(b.warnings[0].why, CellWarning::Why::TooLong);
}

// --- Through numplace-cli -------------------------------------------------------

// The trial code that 答 wrote for one puzzle is not laid onto the next.
TEST(DocumentCli, ACollectionStepStartsTheNextPuzzleClean) {
  const std::string top95 = "--open '" + kData + "/top95.txt'";
  const Json j = checkJson(top95 + " --next --click Command3 --next");
  EXPECT_EQ(j["check"]["solutions"], 1);
  EXPECT_TRUE(j["check"]["clashes"].empty());
  EXPECT_TRUE(j["extra_givens"].empty());
  EXPECT_EQ(j["source"]["collection"]["index"], 3);
  EXPECT_EQ(j["source"]["collection"]["count"], 95);
  const CliResult solved = runCli(top95 + " --next --click Command3 --next --click Command3 --json");
  ASSERT_EQ(solved.status, 0) << solved.err;
  EXPECT_EQ(Json::parse(solved.out)["end"], "solved");

  // Before the step, the trial code stands in Text1, and the check says whose it is.
  const Json before = checkJson(top95 + " --next --click Command3");
  ASSERT_EQ(before["extra_givens"].size(), 1u);
  EXPECT_EQ(before["extra_givens"][0], Json::parse(R"({"box": "Text1", "text": "151", "row": 1, "column": 5,
      "digit": 1, "effect": "laid", "written_by_answer": true})"));
}

TEST(DocumentCli, OpenPasteAndStepsAsActions) {
  // A data file's puzzle goes into the grid, its name into Text3.
  const std::string csv = kData + "/karune111.csv";
  const CliResult opened = runCli("--open '" + csv + "' --dump");
  ASSERT_EQ(opened.status, 0) << opened.err;
  EXPECT_NE(opened.out.find("control Text3 \"" + csv + "\""), std::string::npos);
  EXPECT_NE(opened.out.find("control Text15(12) \"5\""), std::string::npos);
  EXPECT_EQ(checkJson("--open '" + csv + "'")["source"]["kind"], "grid");

  const CliResult pasted = runCli("--set Text2=537 --paste " + std::string(kEasyPuzzle) + " --dump");
  EXPECT_NE(pasted.out.find("control Text2 \"追加 2\""), std::string::npos);

  EXPECT_EQ(runCli("--next").status, 2);
  EXPECT_EQ(runCli("--paste 123").status, 2);
  EXPECT_EQ(runCli("--open '" + kData + "/README.md'").status, 2);
  const CliResult missing = runCli("--open /nonexistent/puzzles.txt");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("puzzles.txt"), std::string::npos);
}

TEST(DocumentCli, JsonNamesWarnedBoxesAndTheirCause) {
  const Json j = checkJson("--grid " + std::string(kEasyPuzzle) + " --set 'Text15(19)=12' --set Text1=125");
  ASSERT_EQ(j["cell_warnings"].size(), 1u);
  EXPECT_EQ(j["cell_warnings"][0], Json::parse(R"j({"box": "Text15(19)", "text": "12", "why": "several_digits"})j"));
  ASSERT_EQ(j["extra_givens"].size(), 1u);
  EXPECT_EQ(j["extra_givens"][0]["effect"], "overridden");
  const CliResult lines = runCli("--grid " + std::string(kEasyPuzzle) + " --set 'Text15(19)=12' --check");
  EXPECT_NE(lines.out.find("check warning Text15(19) 12 several_digits\n"), std::string::npos);
}

std::string dataLine(const std::string &file, int n) {
  std::ifstream in(kData + "/" + file);
  std::string line;
  for (int k = 1; k <= n && std::getline(in, line); ++k) {
  }
  return line;
}

// --hint 3 again and again from the givens writes one entry each time and
// ends with the check's solution: as many hints as there are empty cells.
TEST(SolveCli, RepeatedPlacementHintsSolveThePuzzle) {
  const std::string puzzle = dataLine("se_easy.txt", 1);
  const auto empty = static_cast<std::size_t>(std::count(puzzle.begin(), puzzle.end(), '0'));
  std::string arguments = "--puzzle " + puzzle + " --entries " + std::string(81, '0');
  for (std::size_t k = 0; k < empty; ++k) arguments += " --hint 3";
  const Json j = Json::parse(runCli(arguments + " --check-entries --json").out);
  EXPECT_EQ(j["entries"]["complete"], true);
  EXPECT_EQ(j["entries"]["empty"], 0);
  EXPECT_TRUE(j["entries"]["wrong"].empty());
  // One hint more: nothing is left to hint at.
  const Json more = Json::parse(runCli(arguments + " --hint 3 --json").out);
  EXPECT_EQ(more["hint"]["kind"], "none");
  EXPECT_EQ(more["hint"]["reason"], "complete");
}

TEST(SolveCli, AWrongEntryIsNamedFirstAndALevelOneHintHidesTheDigit) {
  const std::string puzzle = dataLine("se_easy.txt", 1);
  const std::string solution = dataLine("solutions/se_easy.txt", 1);
  const Json first = Json::parse(runCli("--puzzle " + puzzle + " --hint 1 --json").out);
  EXPECT_EQ(first["hint"]["kind"], "placement");
  EXPECT_TRUE(first["hint"]["digit"].is_null());
  EXPECT_FALSE(first["hint"]["unit"].is_null());
  EXPECT_FALSE(first["hint"]["word"].is_null());
  const Json third = Json::parse(runCli("--puzzle " + puzzle + " --hint 3 --json").out);
  const int row = third["hint"]["cells"][0][0], column = third["hint"]["cells"][0][1];
  EXPECT_EQ(third["hint"]["digit"], solution[static_cast<std::size_t>((row - 1) * 9 + column - 1)] - '0');

  std::string entries(81, '0');
  const std::size_t at = puzzle.find('0');
  entries[at] = static_cast<char>('0' + (solution[at] - '0') % 9 + 1);
  const Json wrong =
      Json::parse(runCli("--puzzle " + puzzle + " --entries " + entries + " --hint 1 --check-entries --json").out);
  EXPECT_EQ(wrong["hint"]["kind"], "wrong_entry");
  const Json cell = Json::array({static_cast<int>(at / 9) + 1, static_cast<int>(at % 9) + 1});
  EXPECT_EQ(wrong["hint"]["cells"][0], cell);
  EXPECT_EQ(wrong["entries"]["wrong"], Json::array({cell}));
  EXPECT_EQ(runCli("--puzzle " + puzzle + " --entries 123").status, 2);
}

}  // namespace
}  // namespace numplace_test
