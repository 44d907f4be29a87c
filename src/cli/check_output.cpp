#include "cli/check_output.h"

#include "cli/summary.h"

namespace numplace {
namespace {

std::string cellText(const CellRef &c) { return "r" + std::to_string(c.row) + "c" + std::to_string(c.column); }

std::string cellName(const CellRef &c) { return std::to_string(c.row) + "行" + std::to_string(c.column) + "列"; }

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

std::string gradeText(const Grade &g) {
  return std::to_string(g.level) + ":" + std::string(g.english) + ":" + std::to_string(g.score);
}

}  // namespace

std::string_view sourceKindName(SourceKind kind) {
  switch (kind) {
    case SourceKind::Grid:
      return "grid";
    case SourceKind::Rows:
      return "rows";
    case SourceKind::File:
      break;
  }
  return "file";
}

std::string_view unitName(UnitKind unit) {
  switch (unit) {
    case UnitKind::Row:
      return "row";
    case UnitKind::Column:
      return "column";
    case UnitKind::Block:
      break;
  }
  return "block";
}

void printCheck(std::ostream &out, const PuzzleReport &report) {
  out << "check source " << sourceKindName(report.source.kind);
  if (report.source.kind == SourceKind::File) out << ' ' << report.source.file;
  if (report.source.gridPassedOver) out << " (grid passed over: three or more empty rows)";
  out << '\n';
  if (report.badInput) return;
  const CheckResult &c = report.check;
  out << "check solutions " << c.solutions << (c.solutions == 2 ? " or more" : "") << '\n';
  for (const Clash &k : c.clashes) {
    out << "check clash " << k.digit << ' ' << cellText(k.cells[0]) << ' ' << cellText(k.cells[1]) << ' '
        << unitName(k.unit) << '\n';
  }
  if (!c.differ.empty()) {
    out << "check differ";
    for (const CellRef &cell : c.differ) out << ' ' << cellText(cell);
    out << '\n';
  }
  if (report.grade) {
    const Grade &g = *report.grade;
    out << "check grade " << g.level << ' ' << g.name << ' ' << g.english << " score " << g.score << '\n';
  } else {
    out << "check grade -\n";
  }
  if (c.solutions == 1 && c.solution) out << "check solution " << gridText(*c.solution) << '\n';
}

void appendCheckFields(std::string &out, const PuzzleReport &report, bool withGrade) {
  if (report.badInput) {
    out += " solutions=-";
    return;
  }
  const CheckResult &c = report.check;
  out += " solutions=";
  out += std::to_string(c.solutions);
  if (!c.clashes.empty()) {
    out += " clashes=";
    for (std::size_t i = 0; i < c.clashes.size(); ++i) {
      const Clash &k = c.clashes[i];
      if (i > 0) out += ',';
      out += cellText(k.cells[0]) + "-" + cellText(k.cells[1]) + ":" + std::to_string(k.digit) + ":" +
             std::string(unitName(k.unit));
    }
  }
  if (!c.differ.empty()) {
    out += " differ=";
    for (std::size_t i = 0; i < c.differ.size(); ++i) {
      if (i > 0) out += ',';
      out += cellText(c.differ[i]);
    }
  }
  if (withGrade) out += " grade=" + (report.grade ? gradeText(*report.grade) : std::string("-"));
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
    report.badInput = run.message;
    return report;
  }
  report.givens = run.givens;
  report.check = checkGivens(run.givens);
  report.grade = gradePuzzle(run.givens, report.check);
  return report;
}

}  // namespace numplace
