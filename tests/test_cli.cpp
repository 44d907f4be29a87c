// numplace-cli, run as a program: batch solving, the summary and the exit
// statuses, the entry handlers through --press, --key and --click Command4
// seen with --dump, --trace and --version.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

#include "cli_run.h"
#include "helpers.h"

namespace numplace_test {
namespace {

// The controls listed by --dump, by name, with their position in the listing.
struct Dumped {
  std::map<std::string, std::string> text;
  std::map<std::string, std::size_t> position;
};

// A line `control NAME "TEXT"`; the texts used here need no escapes but \" and \\.
Dumped dumpOf(const CliResult &r) {
  Dumped d;
  for (const auto &line : r.lines()) {
    const std::size_t space = line.find(' ', 8);
    if (!line.starts_with("control ") || space == std::string::npos || line.size() < space + 3) continue;
    const std::string name = line.substr(8, space - 8);
    std::string text;
    for (std::size_t i = space + 2; i + 1 < line.size(); ++i) {
      if (line[i] == '\\') ++i;
      text += line[i];
    }
    d.position[name] = d.position.size();
    d.text[name] = text;
  }
  return d;
}

std::string dotted(std::string_view puzzle) {
  std::string out(puzzle);
  for (char &ch : out) ch = ch == '0' ? '.' : ch;
  return out;
}

TEST(CliBatch, SolvesEachPuzzleLineAndSkipsMalformedLinesWithTheirNumber) {
  std::string duplicate(kEasyPuzzle);
  duplicate[3 * 9 + 7] = '3';  // a second 3 in row 4
  const std::string path = tempPath("batch.txt");
  std::ofstream(path) << "# puzzles\n\n"
                      << dotted(kEasyPuzzle) << "\n12345\n"
                      << kTrialPuzzle << "\n"
                      << duplicate << "\n"
                      << std::string(80, '0') << "x\n";
  // Each puzzle reaches the run from memory: nothing is written to the temporary folder.
  const std::string tmp = tempPath("tmpdir");
  std::filesystem::create_directory(tmp);
  const CliResult r = runCli("--batch '" + path + "'", "TMPDIR='" + tmp + "'");
  EXPECT_TRUE(std::filesystem::is_empty(tmp));
  std::filesystem::remove_all(tmp);
  std::filesystem::remove(path);
  EXPECT_EQ(r.status, 3);  // lines were skipped
  const auto lines = r.lines();
  ASSERT_EQ(lines.size(), 3u) << r.out;
  EXPECT_EQ(lines[0], std::string(kEasySolution) + " solved -");
  EXPECT_EQ(lines[1], std::string(kTrialSolution) + " solved 184");
  ASSERT_EQ(lines[2].size(), 81u + std::string(" error -").size());
  EXPECT_EQ(lines[2].substr(81), " error -");
  EXPECT_EQ(lines[2].find_first_not_of("123456789.", 0), 81u);
  EXPECT_NE(r.err.find(path + ":4:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(path + ":7:"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find(path + ":3:"), std::string::npos) << r.err;
}

TEST(CliActions, PressKeyAndClearingAreSeenInTheDump) {
  const std::string actions =
      "--press 'Text15(11):200' --press 'Text15(11):200' --set 'Text7=530070000' --key Text7:13 --dump";
  const CliResult before = runCli(actions);
  ASSERT_EQ(before.status, 0) << before.err;
  const Dumped d = dumpOf(before);
  EXPECT_EQ(d.text.at("Text15(11)"), "2");
  EXPECT_EQ(d.text.at("Text16"), "2");
  EXPECT_EQ(d.text.at("Text17"), "11");
  EXPECT_EQ(d.text.at("Text5(1)"), "530070000");
  EXPECT_EQ(d.text.at("Text7"), " ");
  EXPECT_EQ(d.text.at("Text6"), "1");
  EXPECT_EQ(d.text.at("Text15(12)"), " ");  // untouched cells keep their start-up blank
  // Controls are listed in keyboard order.
  const char *order[] = {"Text1",    "Text2",  "Command3", "Text3",      "Command5",   "Command7",
                         "Command1", "Text7",  "Text14",   "Text15(11)", "Text15(12)", "Text15(99)",
                         "Command4", "Text16", "Text17",   "Text5(1)",   "Text5(9)"};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    EXPECT_LT(d.position.at(order[i - 1]), d.position.at(order[i])) << order[i - 1] << " before " << order[i];
  }

  const CliResult after = runCli(actions + " --click Command4");
  ASSERT_EQ(after.status, 0) << after.err;
  const Dumped e = dumpOf(after);
  EXPECT_EQ(e.text.at("Text15(11)"), "");
  EXPECT_EQ(e.text.at("Text15(12)"), "");
  EXPECT_EQ(e.text.at("Text5(1)"), "");
  EXPECT_EQ(e.text.at("Text6"), "");
  EXPECT_EQ(e.text.at("Text7"), "");
  EXPECT_EQ(e.text.at("Text16"), "2");
  EXPECT_EQ(e.text.at("Text17"), "11");
  EXPECT_EQ(e.text.at("Text3"), "karune111.csv");
}

TEST(CliTrace, DuplicateDigitPuzzleTraceHasOnlyErrorAndEnd) {
  std::string duplicate(kEasyPuzzle);
  duplicate[1 * 9 + 0] = '9';  // a second 9 in column 1
  const CliResult r = runCli("--trace --grid " + duplicate + " --click Command3");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> expected{"clear",
                                          "font 10",
                                          "colour 0",
                                          "clear",
                                          "font 14",
                                          "move 10000 9600",
                                          "colour 0",
                                          "font 20",
                                          "print \"  エラー  \" continue",
                                          "print \"終了\" continue"};
  EXPECT_EQ(r.lines(), expected);
}

TEST(CliStatus, RunSummaryAndExitStatusTellHowTheRunsEnded) {
  const CliResult solved = runCli("--grid " + std::string(kEasyPuzzle) + " --click Command3");
  EXPECT_EQ(solved.status, 0) << solved.err;
  std::vector<std::string> expected{"board:"};
  for (std::size_t r = 0; r < 9; ++r) expected.push_back(std::string(kEasySolution.substr(9 * r, 9)));
  expected.insert(expected.end(), {"messages:", "  終了", "Text1: ", "Text14: 基本ルール"});
  EXPECT_EQ(solved.lines(), expected);

  // A run that stops on bad input: status 1, the message on both outputs.
  const std::string message = "「入力データ名」のファイル「nosuch.csv」を開けません。";
  const CliResult missing = runCli("--file nosuch.csv --click Command3");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find(message), std::string::npos) << missing.err;
  const auto lines = missing.lines();
  ASSERT_EQ(lines.size(), expected.size());
  EXPECT_EQ(lines[1], ".........");
  EXPECT_EQ(lines[11], "  " + message);
  // A later run that works does not make up for it.
  EXPECT_EQ(
      runCli("--file nosuch.csv --click Command3 --grid " + std::string(kEasyPuzzle) + " --click Command3").status, 1);
  EXPECT_EQ(runCli("--batch " + tempPath("nosuch.txt")).status, 1);
}

TEST(CliStatus, UnknownButtonIsRefused) {
  const CliResult r = runCli("--click Command9");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("Command9"), std::string::npos);
}

TEST(CliStatus, VersionIsTheProjectVersionOfTheBuild) {
  const CliResult r = runCli("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "numplace-cli " NUMPLACE_VERSION "\n");
  EXPECT_TRUE(std::regex_match(NUMPLACE_VERSION, std::regex("[0-9]+\\.[0-9]+\\.[0-9]+"))) << NUMPLACE_VERSION;
}

}  // namespace
}  // namespace numplace_test
