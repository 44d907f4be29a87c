#include "app/status.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include "board/input_error.h"

namespace numplace::app {
namespace {

// The context lupdate gives these texts: the namespace they are written in.
QString tr(const char *text) { return QCoreApplication::translate("numplace::app", text); }

QString cellText(const CellRef &cell) { return tr("%1行%2列").arg(cell.row).arg(cell.column); }

QString unitText(UnitKind unit) {
  switch (unit) {
    case UnitKind::Row:
      return tr("行");
    case UnitKind::Column:
      return tr("列");
    case UnitKind::Block:
      return tr("ブロック");
  }
  return {};
}

// At most this many cells are named; the rest are counted.
constexpr qsizetype kCellsNamed = 6;

QString cellList(const std::vector<CellRef> &cells) {
  QStringList names;
  for (const CellRef &cell : cells) {
    if (names.size() == kCellsNamed) break;
    names << cellText(cell);
  }
  QString out = names.join(tr("、"));
  const auto rest = static_cast<int>(cells.size()) - static_cast<int>(names.size());
  if (rest > 0) out += QCoreApplication::translate("numplace::app", "ほか%n マス", nullptr, rest);
  return out;
}

}  // namespace

QString sourceText(const PuzzleSource &source) {
  QString out;
  switch (source.kind) {
    case SourceKind::Grid:
      out = tr("読むのは：盤面");
      break;
    case SourceKind::Rows:
      out = tr("読むのは：行データ");
      break;
    case SourceKind::File:
      out = tr("読むのは：データファイル %1").arg(QFileInfo(QString::fromStdString(source.file)).fileName());
      break;
  }
  if (source.gridPassedOver) out += tr("（盤面は空の行が3行以上あるので使いません）");
  return out;
}

QString checkText(const PuzzleReport &report) {
  if (report.badInput) return tr("入力エラー：%1").arg(QString::fromStdString(inputErrorText(*report.badInput)));
  const CheckResult &check = report.check;
  if (!check.clashes.empty()) {
    QStringList clashes;
    for (const Clash &clash : check.clashes) {
      clashes << tr("%1と%2の%3（同じ%4）")
                     .arg(cellText(clash.cells[0]), cellText(clash.cells[1]))
                     .arg(clash.digit)
                     .arg(unitText(clash.unit));
    }
    return tr("解なし：同じ数字がぶつかっています：%1").arg(clashes.join(tr("、")));
  }
  switch (check.solutions) {
    case 0:
      return tr("解なし：この問題には解がありません");
    case 1:
      if (report.grade) {
        // The grade's own name in the language of the rest of the status.
        const std::string_view name =
            QLocale().language() == QLocale::Japanese ? report.grade->name : report.grade->english;
        return tr("解は1つ：難しさ %1「%2」（%3点）")
            .arg(report.grade->level)
            .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))
            .arg(report.grade->score);
      }
      return tr("解は1つ");
    default:
      return tr("解が複数あります：%1で分かれます（ヒントが足りません）").arg(cellList(check.differ));
  }
}

bool unreached(const PuzzleReport &report, const std::optional<RunResult> &last) {
  return last && (last->end == RunEnd::Error || last->end == RunEnd::Stopped) && !report.badInput &&
         report.check.solutions == 1 && report.check.solution.has_value();
}

QString unreachedText() { return tr("この問題の解は1つですが、このプログラムの解き方と試し置きでは届きませんでした"); }

QString statusText(const PuzzleReport &report, const std::optional<RunResult> &last) {
  QString out = sourceText(report.source) + tr("　") + checkText(report);
  if (unreached(report, last)) out += tr("　") + unreachedText();
  return out;
}

}  // namespace numplace::app
