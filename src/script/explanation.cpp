#include "script/explanation.h"

#include <algorithm>
#include <array>

#include "board/tables.h"
#include "runs/common.h"
#include "runs/runs.h"

namespace numplace {
namespace {

struct NamedTechnique {
  std::string_view word;
  Technique technique;
};

// One name for the answer family's word and the step family's word of the
// same technique, so JSON and explanations read alike for every run.
constexpr std::array<NamedTechnique, 8> kTechniques{{
    {words::kNakedSingle, {"naked single", LookedAt::Cell}},
    {words::kBlockSingle, {"hidden single (block)", LookedAt::Block}},
    {words::kRowSingle, {"hidden single (row)", LookedAt::Row}},
    {words::kColumnSingle, {"hidden single (column)", LookedAt::Column}},
    {words::kColumnListAnswer, {"digit list single (column)", LookedAt::Column, true}},
    {words::kRowListAnswer, {"digit list single (row)", LookedAt::Row, true}},
    {words::kColumnListStep, {"digit list single (column)", LookedAt::Column, true}},
    {words::kRowListStep, {"digit list single (row)", LookedAt::Row, true}},
}};

std::string cellName(int row, int column) { return std::to_string(row) + "行" + std::to_string(column) + "列"; }

std::string_view runName(RunKind run) {
  switch (run) {
    case RunKind::Answer:
      return "答";
    case RunKind::Step:
      return "1 STEP";
    case RunKind::Reference1:
      return "参考1";
    case RunKind::Reference2:
      return "参考2";
  }
  return "";
}

// "1行8列に4（184）" for a trial code of three digits 1 to 9, else the code.
std::string trialText(int code) {
  const int r = code / 100, c = code / 10 % 10, d = code % 10;
  const bool placement = code >= 111 && code <= 999 && c != 0 && d != 0;
  return placement ? cellName(r, c) + "に" + std::to_string(d) + "（" + std::to_string(code) + "）"
                   : std::to_string(code);
}

// `givensClash`: a digit stands twice in a unit of the givens.
std::string endText(const RunResult &result, bool givensClash) {
  const std::string board = pathBoard(result);
  const std::string empty = std::to_string(std::count(board.begin(), board.end(), '.'));
  std::string text;
  switch (result.end) {
    case RunEnd::Solved:
      text = "終了：解けました";
      break;
    case RunEnd::Stopped:
      text = "いったんstop：空きマス" + empty + "で止まりました";
      break;
    case RunEnd::Error:
      text = result.run == RunKind::Answer ? "エラー：矛盾か試し置きの上限で、空きマス" + empty + "のまま終わりました"
                                           : "エラー：矛盾が見つかり、空きマス" + empty + "のまま終わりました";
      break;
    case RunEnd::Inconsistent:
      if (!result.boardShown || empty != "0") {
        text = "エラー：初期データの同じ行、列かブロックに同じ数字があります";
      } else if (givensClash) {
        text = "エラー：盤面は埋まりましたが、初期データの同じ行、列かブロックに同じ数字があり、解ではありません";
      } else {
        text = "エラー：盤面は埋まりましたが、正しい解になっていません";
      }
      break;
    case RunEnd::BadInput:
      text = "入力エラー：" + result.message;
      break;
  }
  return text + "（" + std::string(endName(result.end)) + "）";
}

std::string cellName(const CellRef &c) { return cellName(c.row, c.column); }

std::string_view unitJapanese(UnitKind unit) {
  switch (unit) {
    case UnitKind::Row:
      return "行";
    case UnitKind::Column:
      return "列";
    case UnitKind::Block:
      break;
  }
  return "ブロック";
}

}  // namespace

std::optional<Technique> techniqueOf(std::string_view word) {
  for (const NamedTechnique &t : kTechniques) {
    if (t.word == word) return t.technique;
  }
  return std::nullopt;
}

int unitNumber(const PlacementRecord &p, LookedAt lookedAt) {
  switch (lookedAt) {
    case LookedAt::Block:
      return blockOf(p.row, p.column);
    case LookedAt::Row:
      return p.row;
    case LookedAt::Column:
      return p.column;
    case LookedAt::Cell:
      break;
  }
  return 0;
}

std::span<const PlacementRecord> pathPlacements(const RunResult &result) {
  if (!result.boardShown) return {};
  if (result.run == RunKind::Answer) return result.lastPassPlacements();
  return result.placements;
}

std::string pathBoard(const RunResult &result) { return gridText(result.boardShown ? result.board : result.givens); }

std::string_view endName(RunEnd end) {
  switch (end) {
    case RunEnd::Solved:
      return "solved";
    case RunEnd::Stopped:
      return "stopped";
    case RunEnd::Error:
      return "error";
    case RunEnd::Inconsistent:
      return "inconsistent";
    case RunEnd::BadInput:
      return "bad-input";
  }
  return "";
}

std::string gridText(const Grid &grid) {
  std::string out(81, '.');
  for (std::size_t i = 0; i < 81; ++i) {
    if (grid[i] >= 1 && grid[i] <= 9) out[i] = static_cast<char>('0' + grid[i]);
  }
  return out;
}

std::string explainPlacement(const PlacementRecord &p) {
  const std::string digit = std::to_string(p.digit);
  std::string line = cellName(p.row, p.column) + "に" + digit + "　「" + std::string(p.word) + "」";
  const std::optional<Technique> technique = techniqueOf(p.word);
  if (!technique) return line;
  line += std::string(technique->english) + "　見たのは";
  const std::string number = std::to_string(unitNumber(p, technique->lookedAt));
  switch (technique->lookedAt) {
    case LookedAt::Cell:
      return line + "このマス自身：候補は" + digit + "だけ";
    case LookedAt::Block:
      return line + "ブロック" + number + "：" + digit + "が入るのはここだけ";
    case LookedAt::Row:
      line += number + "行";
      break;
    case LookedAt::Column:
      line += number + "列";
      break;
  }
  return line + (technique->digitList ? "の候補の一覧：" + digit + "は一度だけ" : "：" + digit + "が入るのはここだけ");
}

std::string explainStep(const PlacementRecord &p) {
  const std::string step = std::to_string(p.step);
  return std::string(step.size() < 4 ? 4 - step.size() : 0, ' ') + step + ". " + explainPlacement(p);
}

std::vector<std::string> Explanation::lines() const {
  std::vector<std::string> out;
  out.reserve(steps.size() + 2);
  out.push_back(heading);
  out.insert(out.end(), steps.begin(), steps.end());
  out.push_back(end);
  if (!check.empty()) out.push_back(check);
  return out;
}

Explanation explainRun(const RunResult &result) {
  Explanation out;
  const std::span<const PlacementRecord> path = pathPlacements(result);
  out.heading = std::string(runName(result.run)) + "（" + std::string(buttonNameOf(result.run)) + "）：";
  if (result.run == RunKind::Answer && result.passes > 1 && !path.empty()) {
    out.heading += std::to_string(result.passes) + "回目のパスで、";
    if (result.trialCode) out.heading += "試し置き " + trialText(*result.trialCode) + "のあとの";
  }
  out.heading += std::to_string(path.size()) + "手";
  out.steps.reserve(path.size());
  for (const PlacementRecord &p : path) out.steps.push_back(explainStep(p));
  if (path.empty()) out.steps.emplace_back("  置いた数字はありません");
  const PuzzleReport report = reportOfRun(result);
  out.end = endText(result, !report.check.clashes.empty());
  out.check = checkSentence(result, report.check, report.grade);
  return out;
}

std::string checkSentence(const RunResult &run, const CheckResult &check, const std::optional<Grade> &grade) {
  std::string text = "検査：";
  if (run.end == RunEnd::BadInput) return text + "問題を読めなかったので、調べていません（unread）";
  if (!check.clashes.empty()) {
    const Clash &k = check.clashes.front();
    text += std::to_string(k.digit) + "が" + cellName(k.cells[0]) + "と" + cellName(k.cells[1]) + "の同じ" +
            std::string(unitJapanese(k.unit)) + "にあり";
    if (check.clashes.size() > 1) text += "（ほか" + std::to_string(check.clashes.size() - 1) + "組）";
    return text + "、解はありません（clash）";
  }
  if (check.solutions == 0) return text + "この問題には解がありません（no solution）";
  if (check.solutions == 2) {
    return text + "解が2つ以上あります。2つの解は" + cellName(check.differ.front()) + "など" +
           std::to_string(check.differ.size()) + "マスで異なり、そこに数字が足りません（several）";
  }
  const std::string level =
      grade ? "難しさは" + std::string(grade->name) + "（" + std::string(grade->english) + "）" : std::string();
  if (run.end == RunEnd::Solved && check.solution && run.board == *check.solution)
    return text + "解は1つで、この盤面がその解です。" + level + "（unique）";
  return text + "解は1つありますが、" + (run.run == RunKind::Answer ? "技と試し置き" : "この手順の技") +
         "ではそこまで届きませんでした。" + level + "（unique）";
}

PuzzleReport reportOfRun(const RunResult &run) {
  PuzzleReport report;
  report.source = run.source;
  if (run.end == RunEnd::BadInput) {
    report.badInput = run.inputError;
    return report;
  }
  report.givens = run.givens;
  report.check = checkGivens(run.givens);
  report.grade = gradePuzzle(run.givens, report.check);
  return report;
}

}  // namespace numplace
