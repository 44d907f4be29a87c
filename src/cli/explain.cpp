#include "cli/explain.h"

#include <algorithm>

#include "cli/check_output.h"
#include "cli/path.h"
#include "runs/runs.h"

namespace numplace {
namespace {

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

std::string endText(const RunResult &result) {
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
      text = "エラー：初期データの同じ行、列かブロックに同じ数字があります";
      break;
    case RunEnd::BadInput:
      text = "入力エラー：" + result.message;
      break;
  }
  return text + "（" + std::string(endName(result.end)) + "）";
}

}  // namespace

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

void printExplanation(std::ostream &out, const RunResult &result) {
  const std::span<const PlacementRecord> path = pathPlacements(result);
  out << runName(result.run) << "（" << buttonNameOf(result.run) << "）：";
  if (result.run == RunKind::Answer && result.passes > 1 && !path.empty()) {
    out << result.passes << "回目のパスで、";
    if (result.trialCode) out << "試し置き " << trialText(*result.trialCode) << "のあとの";
  }
  out << path.size() << "手\n";
  for (const PlacementRecord &p : path) {
    const std::string step = std::to_string(p.step);
    out << std::string(step.size() < 4 ? 4 - step.size() : 0, ' ') << step << ". " << explainPlacement(p) << '\n';
  }
  if (path.empty()) out << "  置いた数字はありません\n";
  out << endText(result) << '\n';
  const PuzzleReport report = reportOfRun(result);
  out << checkSentence(result, report.check, report.grade) << '\n';
}

}  // namespace numplace
