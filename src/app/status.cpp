#include "app/status.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include "board/input_error.h"
#include "board/layout.h"

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

QString boxCaption(ControlRef box) { return box.name == controls::Text1.name ? tr("追加 1") : tr("追加 2"); }

// The extra given laid at a cell, if any.
const ExtraGivenNote *extraAt(const BeyondGrid &beyond, const CellRef &cell) {
  for (const ExtraGivenNote &note : beyond.extras) {
    const bool laid = note.effect == ExtraGivenNote::Effect::Laid || note.effect == ExtraGivenNote::Effect::Clash;
    if (laid && note.row == cell.row && note.column == cell.column) return &note;
  }
  return nullptr;
}

QString clashCell(const BeyondGrid &beyond, const CellRef &cell) {
  const ExtraGivenNote *extra = extraAt(beyond, cell);
  return extra == nullptr ? cellText(cell) : tr("%1（%2）").arg(cellText(cell), boxCaption(extra->box));
}

QString quoted(const std::string &text) { return QString::fromStdString(text).trimmed(); }

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

QString beyondGridText(const BeyondGrid &beyond) {
  QStringList parts;
  for (const ExtraGivenNote &note : beyond.extras) {
    const QString head = tr("%1：%2").arg(boxCaption(note.box), quoted(note.text));
    if (note.effect == ExtraGivenNote::Effect::OutOfRange) {
      parts << tr("%1（マスと数字の3桁ではないので置かれません）").arg(head);
      continue;
    }
    QString what = tr("%1に%2").arg(cellText({note.row, note.column})).arg(note.digit);
    switch (note.effect) {
      case ExtraGivenNote::Effect::Overridden:
        what += note.overriddenBySecond ? tr("、追加 2 が優先") : tr("、問題の数字が優先");
        break;
      case ExtraGivenNote::Effect::Clash:
        what += tr("、同じ数字とぶつかります");
        break;
      case ExtraGivenNote::Effect::Laid:
      case ExtraGivenNote::Effect::OutOfRange:
        break;
    }
    if (note.writtenByAnswer) what += tr("、前の答が書いた試し置き");
    parts << tr("%1（%2）").arg(head, what);
  }
  for (const CellWarning &warning : beyond.warnings) {
    const QString text = quoted(warning.text);
    const QString where = warning.box.name == controls::Text5.name
                              ? tr("行データ%1").arg(warning.box.index)
                              : cellText({warning.box.index / 10, warning.box.index % 10});
    switch (warning.why) {
      case CellWarning::Why::SeveralDigits:
        parts << tr("%1に「%2」：マスには数字を1つだけ").arg(where, text);
        break;
      case CellWarning::Why::Negative:
        parts << tr("%1に「%2」：負の数は数字になりません").arg(where, text);
        break;
      case CellWarning::Why::TooLong:
        parts << tr("%1に「%2」：行データは9桁まで（上の桁は読まれません）").arg(where, text);
        break;
    }
  }
  return parts.join(tr("　"));
}

QString checkText(const PuzzleReport &report, const BeyondGrid &beyond) {
  if (report.badInput) return tr("入力エラー：%1").arg(QString::fromStdString(inputErrorText(*report.badInput)));
  const CheckResult &check = report.check;
  if (!check.clashes.empty()) {
    QStringList clashes;
    for (const Clash &clash : check.clashes) {
      clashes << tr("%1と%2の%3（同じ%4）")
                     .arg(clashCell(beyond, clash.cells[0]), clashCell(beyond, clash.cells[1]))
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

QString unreachedText(RunKind run) {
  if (run == RunKind::Reference2) {
    return tr("この問題の解は1つですが、参考2の解き方（試し置きなし）では届きませんでした");
  }
  if (run == RunKind::Step || run == RunKind::Reference1) {
    return tr("この問題の解は1つですが、1 STEP の解き方では届きませんでした");
  }
  return tr("この問題の解は1つですが、このプログラムの解き方と試し置きでは届きませんでした");
}

QString statusText(const PuzzleReport &report, const std::optional<RunResult> &last, const BeyondGrid &beyond) {
  QString out = sourceText(report.source) + tr("　") + checkText(report, beyond);
  const QString around = beyondGridText(beyond);
  if (!around.isEmpty()) out += tr("　") + around;
  if (unreached(report, last)) out += tr("　") + unreachedText(last->run);
  return out;
}

}  // namespace numplace::app
