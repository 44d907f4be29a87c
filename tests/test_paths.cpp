// The solving path of numplace-cli: --json and --explain after the actions,
// checked against the boards the runs reach, the step lines they show and
// each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>

#include "cli/explain.h"
#include "cli/path.h"
#include "cli_run.h"
#include "helpers.h"

namespace numplace_test {
namespace {

using Json = nlohmann::json;

// The English names as the README documents them.
const std::map<std::string, std::string> kEnglish{
    {"基本", "naked single"},
    {"ブロ", "hidden single (block)"},
    {"よこ", "hidden single (row)"},
    {"たて", "hidden single (column)"},
    {"縦１", "digit list single (column)"},
    {"横１", "digit list single (row)"},
    {"縦　", "digit list single (column)"},
    {"横　", "digit list single (row)"},
};
const std::set<std::string> kAnswerWords{"基本", "ブロ", "よこ", "たて", "縦１", "横１"};
const std::set<std::string> kStepWords{"基本", "ブロ", "よこ", "たて", "縦　", "横　"};

constexpr std::string_view kTrialsFailPuzzle =
    "000000001000000023004005006000007000000080500120000000000120000007000800900050000";
const std::string kMissingFileMessage = "「入力データ名」のファイル「nosuch.csv」を開けません。";

std::string dots(std::string_view puzzle) {
  std::string out(puzzle);
  std::replace(out.begin(), out.end(), '0', '.');
  return out;
}

// The board a path leads to: each placement goes into an empty cell.
std::string replay(std::string board, const Json &placements) {
  for (const Json &p : placements) {
    const int r = p["row"], c = p["column"], d = p["digit"];
    EXPECT_TRUE(r >= 1 && r <= 9 && c >= 1 && c <= 9 && d >= 1 && d <= 9) << p;
    char &cell = board.at(static_cast<std::size_t>(9 * (r - 1) + c - 1));
    EXPECT_EQ(cell, '.') << "placed into a filled cell: " << p;
    cell = static_cast<char>('0' + d);
  }
  return board;
}

Json jsonRun(const std::string &arguments, int status = 0) {
  const CliResult r = runCli(arguments + " --json");
  EXPECT_EQ(r.status, status) << r.err;
  EXPECT_EQ(r.lines().size(), 1u) << "one object on one line";
  return Json::parse(r.out);
}

std::string clickArgs(std::string_view puzzle, std::string_view button) {
  // Answers enough for every prompt: 2 lets the step family run to the end.
  return "--grid " + std::string(puzzle) + " --answer 2 --answer 2 --answer 2 --answer 2 --answer 2 --answer 2" +
         " --click " + std::string(button);
}

struct SolvedCase {
  std::string_view button;
  std::string_view puzzle;
  std::string_view solution;
  friend void PrintTo(const SolvedCase &c, std::ostream *os) { *os << c.button << " on " << c.puzzle; }
};

class SolvedPath : public ::testing::TestWithParam<SolvedCase> {};

TEST_P(SolvedPath, PlacesEveryEmptyCellOnceInStepOrder) {
  const SolvedCase &s = GetParam();
  const Json j = jsonRun(clickArgs(s.puzzle, s.button));
  const bool answer = s.button == "Command3";
  const bool answerFamily = answer || s.button == "Command5";
  EXPECT_EQ(j["button"], s.button);
  EXPECT_EQ(j["end"], "solved");
  EXPECT_TRUE(j["message"].is_null());
  EXPECT_TRUE(j["trial"].is_null());
  EXPECT_EQ(j["board"], s.solution);
  EXPECT_EQ(j["numbering"], answer ? "pass" : "run");
  const Json &path = j["placements"];
  ASSERT_EQ(path.size(), static_cast<std::size_t>(std::count(s.puzzle.begin(), s.puzzle.end(), '0')));
  EXPECT_EQ(replay(dots(s.puzzle), path), s.solution);
  for (std::size_t i = 0; i < path.size(); ++i) {
    const Json &p = path[i];
    EXPECT_EQ(p["step"], i + 1);
    const std::string word = p["word"];
    EXPECT_TRUE((answerFamily ? kAnswerWords : kStepWords).contains(word)) << p;
    EXPECT_EQ(p["technique"], kEnglish.at(word)) << p;
    EXPECT_EQ(p["pass"], answer ? j["passes"].get<int>() - 1 : 0) << p;
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, SolvedPath,
                         ::testing::Values(SolvedCase{"Command7", kStepPuzzle, kStepSolution},
                                           SolvedCase{"Command1", kStepPuzzle, kStepSolution},
                                           SolvedCase{"Command3", kStepPuzzle, kStepSolution},
                                           SolvedCase{"Command5", kStepPuzzle, kStepSolution},
                                           SolvedCase{"Command3", kEasyPuzzle, kEasySolution},
                                           SolvedCase{"Command7", kEasyPuzzle, kEasySolution}),
                         [](const auto &c) { return std::string(c.param.button) + "_" + std::to_string(c.index); });

TEST(PathJson, WordsAreTheOnesTheStepLogAndText14Show) {
  for (const std::string_view button : {"Command7", "Command1", "Command5"}) {
    SCOPED_TRACE(button);
    const Json path = jsonRun(clickArgs(kStepPuzzle, button))["placements"];
    std::vector<std::string> reports;
    for (const std::string &line : runCli(clickArgs(kStepPuzzle, button) + " --trace").lines()) {
      if (line.starts_with("text Text14 \"")) reports.push_back(line.substr(13, line.size() - 14));
    }
    ASSERT_EQ(reports.size(), path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
      const Json &p = path[i];
      EXPECT_EQ(reports[i], expectedReport(p["step"], p["word"].get<std::string>(), p["row"], p["column"], p["digit"]));
    }
    if (button == "Command5") continue;  // reference 2 keeps no step log
    // The step log: "  12 ブロ 1 - 2  2 ", the word second.
    const std::vector<std::string> summary = runCli(clickArgs(kStepPuzzle, button)).lines();
    const auto log = std::find(summary.begin(), summary.end(), "step log:");
    ASSERT_NE(log, summary.end());
    ASSERT_GE(summary.end() - log, static_cast<std::ptrdiff_t>(path.size()) + 1);
    for (std::size_t i = 0; i < path.size(); ++i) {
      std::istringstream fields(*(log + 1 + static_cast<std::ptrdiff_t>(i)));
      std::string step, word;
      fields >> step >> word;
      EXPECT_EQ(step, std::to_string(i + 1));
      EXPECT_EQ(word, path[i]["word"]);
    }
  }
}

TEST(PathJson, AnswerRunPathIsItsLastPass) {
  // Solved by logic, the answer run's pass is reference 2's path.
  for (const std::string_view puzzle : {kEasyPuzzle, kStepPuzzle}) {
    Json answer = jsonRun(clickArgs(puzzle, "Command3"))["placements"];
    Json reference2 = jsonRun(clickArgs(puzzle, "Command5"))["placements"];
    for (Json &p : answer) p.erase("pass");
    for (Json &p : reference2) p.erase("pass");
    EXPECT_EQ(answer, reference2);
  }
  // With a trial: the path starts from the puzzle with the trial laid.
  const Json j = jsonRun(clickArgs(kTrialPuzzle, "Command3"));
  EXPECT_EQ(j["trial"], 184);
  EXPECT_GT(j["passes"], 1);
  EXPECT_EQ(j["board"], kTrialSolution);
  EXPECT_EQ(replay(withDigit(dots(kTrialPuzzle), 1, 8, 4), j["placements"]), kTrialSolution);
  EXPECT_EQ(j["placements"][0]["step"], 1);
}

TEST(PathJson, RunsThatDoNotSolveSayHowTheyEnded) {
  const std::string duplicate = withDigit(kEasyPuzzle, 4, 8, 3);
  struct Case {
    std::string arguments;
    std::string_view end;
    std::string puzzle;  // empty: nothing laid
    bool placed;
  };
  const Case cases[] = {
      {clickArgs(kStepStopPuzzle, "Command7"), "stopped", std::string(kStepStopPuzzle), true},
      {clickArgs(kPausePuzzle, "Command5"), "stopped", std::string(kPausePuzzle), true},
      {clickArgs(kTrialsFailPuzzle, "Command3"), "stopped", std::string(kTrialsFailPuzzle), false},
      {clickArgs(kNoCompletionPuzzle, "Command3"), "error", std::string(kNoCompletionPuzzle), false},
      {clickArgs(kNoCompletionPuzzle, "Command1"), "error", std::string(kNoCompletionPuzzle), false},
      {clickArgs(duplicate, "Command5"), "inconsistent", duplicate, false},
      {"--file nosuch.csv --click Command7", "bad-input", std::string(81, '0'), false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.arguments);
    const Json j = jsonRun(c.arguments, c.end == "bad-input" ? 1 : 0);
    EXPECT_EQ(j["end"], c.end);
    EXPECT_EQ(j["message"], c.end == "bad-input" ? Json(kMissingFileMessage) : Json(nullptr));
    EXPECT_EQ(j["placements"].empty(), !c.placed);
    const std::string board = j["board"];
    EXPECT_NE(board.find('.'), std::string::npos);
    EXPECT_EQ(replay(dots(c.puzzle), j["placements"]), board);
  }
}

TEST(PathJson, NeedsAnAnalysisRunAndReplacesTheSummary) {
  const std::string grid = "--grid " + std::string(kEasyPuzzle);
  for (const std::string &arguments :
       {grid + " --json", grid + " --click Command4 --explain", grid + " --click Command3 --json --trace",
        grid + " --click Command3 --json --dump", grid + " --click Command3 --explain --trace",
        grid + " --click Command3 --json --explain", std::string("--batch - --explain")}) {
    const CliResult r = runCli(arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_EQ(r.out, "") << arguments;
    EXPECT_NE(r.err, "") << arguments;
  }
  // The last analysis run counts; clearing is no run.
  const Json j = jsonRun(grid + " --click Command5 --click Command3 --click Command4");
  EXPECT_EQ(j["button"], "Command3");
  // --explain goes with --dump, after the explanation.
  const std::vector<std::string> lines = runCli(grid + " --click Command3 --explain --dump").lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "答（Command3）：51手");
  EXPECT_TRUE(lines.back().starts_with("control ")) << lines.back();
}

TEST(PathJson, AWriterUsedAgainWritesWhatAFreshOneWrites) {
  // Long and short paths, a trial and none, a message and none, in turns.
  std::vector<RunResult> results;
  for (const std::string_view puzzle : {kTrialPuzzle, kNoCompletionPuzzle, kEasyPuzzle, std::string_view()}) {
    TestWindow window;
    if (puzzle.empty()) {
      window.type({"Text3"}, "nosuch.csv");
    } else {
      window.typeGrid(puzzle);
    }
    results.push_back(window.click(Button::Answer).run());
  }
  for (const bool batch : {false, true}) {
    PathJsonWriter reused(batch);
    for (const std::size_t i : {0u, 1u, 2u, 3u, 0u, 2u, 1u}) {
      const BatchFields fields{static_cast<long>(i) + 1, "board", "status"};
      std::string again, fresh;
      reused.append(again, results[i], fields);
      PathJsonWriter(batch).append(fresh, results[i], fields);
      EXPECT_EQ(again, fresh) << i;
      EXPECT_EQ(Json::parse(fresh).contains("line"), batch);
    }
  }
}

// ---------------------------------------------------------------------------
// --explain

TEST(Explanation, NamesTheCellTheDigitTheTechniqueAndTheUnitItLookedAt) {
  const auto explain = [](int r, int c, int d, std::string_view word) {
    return explainPlacement(PlacementRecord{1, r, c, d, word, 0});
  };
  EXPECT_EQ(explain(7, 5, 3, "基本"), "7行5列に3　「基本」naked single　見たのはこのマス自身：候補は3だけ");
  EXPECT_EQ(explain(7, 5, 2, "ブロ"),
            "7行5列に2　「ブロ」hidden single (block)　見たのはブロック8：2が入るのはここだけ");
  EXPECT_EQ(explain(4, 1, 4, "よこ"), "4行1列に4　「よこ」hidden single (row)　見たのは4行：4が入るのはここだけ");
  EXPECT_EQ(explain(2, 5, 1, "たて"), "2行5列に1　「たて」hidden single (column)　見たのは5列：1が入るのはここだけ");
  EXPECT_EQ(explain(4, 5, 3, "縦　"),
            "4行5列に3　「縦　」digit list single (column)　見たのは5列の候補の一覧：3は一度だけ");
  EXPECT_EQ(explain(6, 2, 8, "横１"),
            "6行2列に8　「横１」digit list single (row)　見たのは6行の候補の一覧：8は一度だけ");
}

TEST(Explanation, BlocksAreNumberedRowByRowFromTheTopLeft) {
  const std::array<std::array<int, 3>, 11> cells{{{1, 1, 1},
                                                  {3, 3, 1},
                                                  {1, 4, 2},
                                                  {3, 9, 3},
                                                  {4, 1, 4},
                                                  {6, 6, 5},
                                                  {5, 7, 6},
                                                  {7, 3, 7},
                                                  {9, 4, 8},
                                                  {7, 7, 9},
                                                  {9, 9, 9}}};
  for (const auto &[r, c, block] : cells) {
    EXPECT_EQ(unitNumber(PlacementRecord{1, r, c, 1, "ブロ", 0}, LookedAt::Block), block) << r << ", " << c;
    EXPECT_EQ(unitNumber(PlacementRecord{1, r, c, 1, "よこ", 0}, LookedAt::Row), r);
    EXPECT_EQ(unitNumber(PlacementRecord{1, r, c, 1, "たて", 0}, LookedAt::Column), c);
  }
  EXPECT_FALSE(techniqueOf("基本ルール"));
}

TEST(Explanation, OneNumberedLinePerPlacementThenTheEnding) {
  const std::string arguments = clickArgs(kStepPuzzle, "Command7");
  const Json path = jsonRun(arguments)["placements"];
  const CliResult r = runCli(arguments + " --explain");
  EXPECT_EQ(r.status, 0);
  const std::vector<std::string> lines = r.lines();
  ASSERT_EQ(lines.size(), path.size() + 3);
  EXPECT_EQ(lines.front(), "1 STEP（Command7）：56手");
  const std::regex numbered(R"( *(\d+)\. (\d)行(\d)列に(\d)　「(.+)」.+)");
  for (std::size_t i = 0; i < path.size(); ++i) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[i + 1], m, numbered)) << lines[i + 1];
    const Json &p = path[i];
    EXPECT_EQ(m[1], std::to_string(p["step"].get<int>()));
    EXPECT_EQ(m[2], std::to_string(p["row"].get<int>()));
    EXPECT_EQ(m[3], std::to_string(p["column"].get<int>()));
    EXPECT_EQ(m[4], std::to_string(p["digit"].get<int>()));
    EXPECT_EQ(m[5], p["word"].get<std::string>());
  }
  EXPECT_EQ(lines[lines.size() - 2], "終了：解けました（solved）");
  EXPECT_TRUE(lines.back().starts_with("検査：解は1つで、この盤面がその解です。難しさは")) << lines.back();
}

TEST(Explanation, TellsHowARunThatDidNotSolveEnded) {
  const std::string stop = clickArgs(kStepStopPuzzle, "Command7");
  const std::string board = jsonRun(stop)["board"];
  const auto empty = std::count(board.begin(), board.end(), '.');
  const std::vector<std::string> stopped = runCli(stop + " --explain").lines();
  ASSERT_GE(stopped.size(), 2u);
  EXPECT_EQ(stopped[stopped.size() - 2],
            "いったんstop：空きマス" + std::to_string(empty) + "で止まりました（stopped）");
  EXPECT_TRUE(stopped.back().starts_with("検査：解は1つありますが、この手順の技ではそこまで届きませんでした。"))
      << stopped.back();

  const std::vector<std::string> error = runCli(clickArgs(kNoCompletionPuzzle, "Command3") + " --explain").lines();
  EXPECT_EQ(error, (std::vector<std::string>{"答（Command3）：0手", "  置いた数字はありません",
                                             "エラー：矛盾か試し置きの上限で、空きマス65のまま終わりました（error）",
                                             "検査：この問題には解がありません（no solution）"}));

  const CliResult bad = runCli("--file nosuch.csv --click Command3 --explain");
  EXPECT_EQ(bad.status, 1);
  ASSERT_GE(bad.lines().size(), 2u);
  EXPECT_EQ(bad.lines()[bad.lines().size() - 2], "入力エラー：" + kMissingFileMessage + "（bad-input）");
  EXPECT_EQ(bad.lines().back(), "検査：問題を読めなかったので、調べていません（unread）");

  const std::vector<std::string> trial = runCli(clickArgs(kTrialPuzzle, "Command3") + " --explain").lines();
  ASSERT_FALSE(trial.empty());
  EXPECT_NE(trial.front().find("試し置き 1行8列に4（184）のあとの56手"), std::string::npos) << trial.front();
  EXPECT_EQ(trial[trial.size() - 2], "終了：解けました（solved）");
}

}  // namespace
}  // namespace numplace_test
