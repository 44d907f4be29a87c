// numplace-cli's check: --check with --json, the lines of --check, the batch
// lines of --check and --check-only, and what the batch output keeps.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "helpers.h"

namespace numplace_test {
namespace {

using Json = nlohmann::json;

const std::string kData = NUMPLACE_DATA_DIR;

std::string dataLine(const std::string &file, int n) {
  std::ifstream in(kData + "/" + file);
  std::string line;
  for (int k = 1; k <= n && std::getline(in, line); ++k) {
  }
  return line;
}

Json checkJson(const std::string &arguments, int status = 0) {
  const CliResult r = runCli(arguments + " --check --json");
  EXPECT_EQ(r.status, status) << r.err;
  return Json::parse(r.out);
}

TEST(CheckCli, ADigitTwiceInARowHasNoSolutionAndNamesBothCells) {
  const Json j = checkJson("--grid " + withDigit(kEasyPuzzle, 1, 1, 7));  // 7 already stands at (1, 4)
  EXPECT_EQ(j["check"]["solutions"], 0);
  EXPECT_TRUE(j["check"]["solution"].is_null());
  EXPECT_EQ(j["check"]["clashes"][0], Json::parse(R"({"cells": [[1, 1], [1, 4]], "digit": 7, "unit": "row"})"));
  EXPECT_TRUE(j["grade"].is_null());
  EXPECT_EQ(j["source"],
            Json::parse(R"({"kind": "grid", "file": null, "grid_passed_over": false, "collection": null})"));
}

TEST(CheckCli, SeveralSolutionsNameWhereTheyDiffer) {
  const Json j = checkJson("--grid " + dataLine("serg_multisolution.txt", 1));
  EXPECT_EQ(j["check"]["solutions"], 2);
  EXPECT_FALSE(j["check"]["differ"].empty());
  EXPECT_TRUE(j["grade"].is_null());
}

TEST(CheckCli, OneSolutionThatTheAnswerRunDoesNotReach) {
  const std::string puzzle = dataLine("top95.txt", 4);
  const CliResult run = runCli("--grid " + puzzle + " --click Command3 --json");
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(Json::parse(run.out)["end"], "error");
  const Json j = checkJson("--grid " + puzzle);
  EXPECT_EQ(j["check"]["solutions"], 1);
  const std::string solution = j["check"]["solution"];
  EXPECT_TRUE(isCompletionOf(solution, puzzle));
  EXPECT_EQ(j["grade"]["english"], "Beyond");
  // With the run, the run's fields come first and the check's follow.
  const Json both = Json::parse(runCli("--grid " + puzzle + " --click Command3 --check --json").out);
  EXPECT_EQ(both["end"], "error");
  EXPECT_EQ(both["check"], j["check"]);
}

TEST(CheckCli, TheSampleDataFileAndAGridPassedOver) {
  const Json file = checkJson("--file " + kData + "/karune111.csv");
  EXPECT_EQ(file["check"]["solutions"], 1);
  EXPECT_EQ(file["grade"]["level"], 1);
  EXPECT_EQ(file["source"]["kind"], "file");
  // Three empty rows: the grid is passed over for the data file named in Text3.
  const std::string partial = std::string(kTrialPuzzle.substr(0, 54)) + std::string(27, '0');
  const Json passed = checkJson("--grid " + partial + " --file " + kData + "/karune111.csv");
  EXPECT_EQ(passed["source"]["grid_passed_over"], true);
  EXPECT_EQ(passed["source"]["file"], kData + "/karune111.csv");
  EXPECT_EQ(passed["check"]["solution"], kEasySolution);
}

TEST(CheckCli, CheckLinesAndExitStatus) {
  const CliResult r = runCli("--grid " + std::string(kEasyPuzzle) + " --check");
  EXPECT_EQ(r.status, 0);
  const auto lines = r.lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[lines.size() - 4], "check source grid");
  EXPECT_EQ(lines[lines.size() - 3], "check solutions 1");
  EXPECT_TRUE(lines[lines.size() - 2].starts_with("check grade 1 初級 Easy score ")) << lines[lines.size() - 2];
  EXPECT_EQ(lines.back(), "check solution " + std::string(kEasySolution));
  // The check is made where it stands among the actions: before the grid is typed, the data file.
  const CliResult early = runCli("--file nosuch.csv --check --grid " + std::string(kEasyPuzzle));
  EXPECT_EQ(early.status, 1);
  EXPECT_NE(early.err.find("nosuch.csv"), std::string::npos) << early.err;
  EXPECT_EQ(runCli("--file nosuch.csv --grid " + std::string(kEasyPuzzle) + " --check").status, 0);
}

TEST(CheckCli, BatchCheckAddsFieldsAndKeepsTheDefaultLine) {
  const std::string file = kData + "/top95.txt";
  const auto plain = runCli("--batch " + file + " --jobs 2").lines();
  const auto checked = runCli("--batch " + file + " --check --jobs 2").lines();
  const auto only = runCli("--batch " + file + " --check-only --jobs 1").lines();
  ASSERT_EQ(plain.size(), 95u);
  ASSERT_EQ(checked.size(), plain.size());
  ASSERT_EQ(only.size(), plain.size());
  for (std::size_t i = 0; i < plain.size(); ++i) {
    // The default line, then the check's fields.
    EXPECT_TRUE(checked[i].starts_with(plain[i] + " solutions=1 grade=")) << checked[i];
    const std::string puzzle = dataLine("top95.txt", static_cast<int>(i) + 1);
    std::string dotted = puzzle;
    std::replace(dotted.begin(), dotted.end(), '0', '.');
    EXPECT_TRUE(only[i].starts_with(dotted + " solutions=1 solution=")) << only[i];
    EXPECT_TRUE(isCompletionOf(only[i].substr(only[i].size() - 81), puzzle));
  }
}

TEST(CheckCli, BatchCheckOnlyTellsSeveralAndClashes) {
  std::string input = dataLine("serg_multisolution.txt", 1) + "\n" + withDigit(kEasyPuzzle, 1, 1, 7) + "\n";
  const auto text = runCliOnInput("--batch - --check-only", input);
  const auto lines = text.lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find(" solutions=2 differ=r"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find(" solutions=0 clashes=r1c1-r1c4:7:row"), std::string::npos) << lines[1];
  EXPECT_NE(text.err.find("one solution 0, several 1, none 1"), std::string::npos) << text.err;
  const auto json = runCliOnInput("--batch - --check-only --json", input).lines();
  ASSERT_EQ(json.size(), 2u);
  const Json first = Json::parse(json[0]);
  EXPECT_EQ(first["line"], 1);
  EXPECT_EQ(first["check"]["solutions"], 2);
  EXPECT_EQ(first["source"]["kind"], "file");
  EXPECT_FALSE(first.contains("grade"));
  const Json withRun = Json::parse(runCliOnInput("--batch - --check --json", input).lines()[1]);
  EXPECT_EQ(withRun["status"], "error");
  // The 7 at (1, 1) meets the 7s at (1, 4), (6, 1) and (2, 3): row, column and block.
  EXPECT_EQ(withRun["check"]["clashes"].size(), 3u);
  EXPECT_TRUE(withRun["grade"].is_null());
}

TEST(CheckCli, CheckOnlyGoesWithTheBatchAlone) {
  EXPECT_EQ(runCli("--grid " + std::string(kEasyPuzzle) + " --check-only").status, 2);
  EXPECT_EQ(runCli("--batch - --check-only --stats").status, 2);
}

}  // namespace
}  // namespace numplace_test
