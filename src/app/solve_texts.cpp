#include "app/solve_texts.h"

#include <QCoreApplication>
#include <QStringList>

namespace numplace::app {
namespace {

// The context lupdate gives these texts: the namespace they are written in.
QString tr(const char *text) { return QCoreApplication::translate("numplace::app", text); }

QString cellText(const CellRef &cell) { return tr("%1行%2列").arg(cell.row).arg(cell.column); }

QString unitName(const HintUnit &unit) {
  switch (unit.kind) {
    case UnitKind::Row:
      return tr("%1行").arg(unit.index);
    case UnitKind::Column:
      return tr("%1列").arg(unit.index);
    case UnitKind::Block:
      break;
  }
  return tr("ブロック%1").arg(unit.index);
}

QString word(const Hint &hint) { return QString::fromUtf8(hint.word.data(), static_cast<qsizetype>(hint.word.size())); }

// A naked single is found in the cell itself: its block is named, not the cell.
bool nakedSingle(const Hint &hint) { return hint.word == "基本"; }

}  // namespace

QString entriesText(const EntriesCheck &check) {
  if (!check.judged) {
    if (!check.clashes.empty()) return tr("答え合わせできません：問題の数字どうしがぶつかっています");
    if (check.solutions == 0) return tr("答え合わせできません：この問題には解がありません");
    return tr("答え合わせできません：この問題には解が複数あります");
  }
  if (check.complete) return tr("完成！ すべてのマスが正しく埋まっています");
  if (check.wrong.empty())
    return QCoreApplication::translate("numplace::app", "ここまで正しく入っています　空きマス %n", nullptr,
                                       check.empty);
  QStringList wrong;
  for (const WrongEntry &entry : check.wrong) wrong << tr("%1の%2").arg(cellText(entry.cell)).arg(entry.digit);
  return QCoreApplication::translate("numplace::app", "違う数字：%1　空きマス %n", nullptr, check.empty)
      .arg(wrong.join(tr("、")));
}

QString hintText(const Hint &hint) {
  switch (hint.kind) {
    case HintKind::WrongEntry:
      return tr("%1の%2は違います").arg(cellText(hint.cells.front())).arg(hint.digit.value_or(0));
    case HintKind::Placement: {
      const QString unit = hint.unit ? unitName(*hint.unit) : QString();
      if (hint.level >= 3) return tr("%1に%2（%3）").arg(cellText(hint.cells.front())).arg(*hint.digit).arg(word(hint));
      if (hint.level == 2) {
        return nakedSingle(hint)
                   ? tr("%1 の候補が1つだけのマスに %2 が入ります（%3）").arg(unit).arg(*hint.digit).arg(word(hint))
                   : tr("%1 に %2 が入ります（%3）").arg(unit).arg(*hint.digit).arg(word(hint));
      }
      return nakedSingle(hint) ? tr("%1 に候補が1つだけのマスがあります（%2）").arg(unit, word(hint))
                               : tr("%1 を見てください（%2）").arg(unit, word(hint));
    }
    case HintKind::SolutionCell: {
      const QString cell = cellText(hint.cells.front());
      if (hint.digit && hint.level >= 3) return tr("%1に%2（解から）").arg(cell).arg(*hint.digit);
      if (hint.digit) return tr("この手順の技では次の一手が見つかりません。%1は%2です").arg(cell).arg(*hint.digit);
      return QCoreApplication::translate(
                 "numplace::app", "この手順の技では次の一手が見つかりません。候補が一番少ないのは%1（%n つ）です",
                 nullptr, hint.candidates)
          .arg(cell);
    }
    case HintKind::None:
      break;
  }
  switch (hint.reason) {
    case NoHintReason::Complete:
      return tr("完成しています。ヒントはもうありません");
    case NoHintReason::Several:
      return tr("解が2つ以上あるので、ヒントは出せません");
    case NoHintReason::NoSolution:
    case NoHintReason::Clash:
    case NoHintReason::Hinted:
      break;
  }
  return tr("解がないので、ヒントは出せません");
}

}  // namespace numplace::app
