#include "app/collection.h"

#include <QCoreApplication>

#include "board/collection.h"
#include "board/input_error.h"

namespace numplace::app {
namespace {

QStringList toQt(const std::vector<std::string> &puzzles) {
  QStringList out;
  for (const std::string &p : puzzles) out << QString::fromStdString(p);
  return out;
}

// The context lupdate gives these texts: the namespace they are written in.
QString tr(const char *text) { return QCoreApplication::translate("numplace::app", text); }

}  // namespace

// The core's message, translated: the same Japanese texts as openedFileText.
QString openedFileMessage(const numplace::OpenedFile &opened) {
  const QString name = QString::fromUtf8(opened.name);
  using Fault = numplace::OpenedFile::Fault;
  switch (opened.fault) {
    case Fault::None:
      break;
    case Fault::CannotOpen:
      return tr("「%1」を開けません。").arg(name);
    case Fault::NotRegular:
      return tr("「%1」は通常のファイルではありません（パイプや装置は開きません）。").arg(name);
    case Fault::TooLarge:
      return tr("「%1」は大きすぎます（64 MiB まで）。").arg(name);
    case Fault::CannotRead:
      return tr("「%1」を読めません。").arg(name);
    case Fault::BadDataFile:
      return QString::fromStdString(numplace::openedFileText(opened));
    case Fault::BadProgress:
      return tr("「%1」は途中経過のファイルですが、givens と entries の行（81文字ずつ）がそろっていません。").arg(name);
    case Fault::NoPuzzles:
      return tr("「%1」には問題がありません。データファイル（9行、5項目ずつ）か、1行に81文字（1～9、空きマスは0か."
                "）の問題集を開いてください。")
          .arg(name);
  }
  return {};
}

QStringList puzzlesInText(const QString &text) { return toQt(numplace::puzzlesInText(text.toStdString())); }

}  // namespace numplace::app
