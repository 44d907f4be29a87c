#include "app/collection.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "board/sources.h"

namespace numplace::app {
namespace {

constexpr qsizetype kCells = 81;
constexpr qsizetype kRowCells = 9;
constexpr qint64 kLargestFile = 64LL * 1024 * 1024;

bool isSeparator(QChar ch) { return ch == u' ' || ch == u'\t' || ch == u'|' || ch == u'-' || ch == u'+'; }

// The cells at the start of a line: digits, 0 and . with separators between
// them, up to the first other character, or the first blank after 81 cells.
QString leadingCells(const QString &line) {
  QString cells;
  for (const QChar ch : line) {
    if (ch.isSpace() && cells.size() == kCells) break;
    if (isSeparator(ch)) continue;
    if (ch >= u'1' && ch <= u'9') {
      cells += ch;
    } else if (ch == u'0' || ch == u'.') {
      cells += u'.';
    } else {
      break;
    }
    if (cells.size() > kCells) return {};
  }
  return cells;
}

// The context lupdate gives these texts: the namespace they are written in.
QString tr(const char *text) { return QCoreApplication::translate("numplace::app", text); }

}  // namespace

QStringList puzzlesInText(const QString &text) {
  QStringList puzzles;
  QString rows;  // the nine-cell rows of a laid-out puzzle read so far
  for (QString line : text.split(u'\n')) {
    if (line.endsWith(u'\r')) line.chop(1);
    if (line.trimmed().startsWith(u'#')) continue;
    const QString cells = leadingCells(line);
    if (cells.size() == kCells) {
      puzzles << cells;
      rows.clear();
    } else if (cells.size() == kRowCells) {
      rows += cells;
      if (rows.size() == kCells) {
        puzzles << rows;
        rows.clear();
      }
    } else if (!cells.isEmpty() || !line.trimmed().isEmpty()) {
      // A line between the rows of a laid-out puzzle may hold only separators.
      const bool onlySeparators = std::all_of(line.begin(), line.end(), [](QChar ch) { return isSeparator(ch); });
      if (!onlySeparators) rows.clear();
    }
  }
  return puzzles;
}

OpenedFile readOpenedFile(const QString &path) {
  OpenedFile out;
  QFile file(path);
  const QString name = QFileInfo(path).fileName();
  if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
    out.error = tr("「%1」を開けません。").arg(name);
    return out;
  }
  if (file.size() > kLargestFile) {
    out.error = tr("「%1」は大きすぎます（64 MiB まで）。").arg(name);
    return out;
  }
  const QByteArray bytes = file.readAll();
  const std::string content = bytes.toStdString();
  const bool commas = content.find(',') != std::string::npos;
  const DataFileResult data = commas ? parseDataFile(content, name.toStdString()) : DataFileResult{};
  if (commas && !data.error) {
    out.kind = OpenedFile::Kind::DataFile;
    return out;
  }
  out.puzzles = puzzlesInText(QString::fromUtf8(bytes));
  if (out.puzzles.isEmpty() && commas) {
    // Meant as a data file: the reader's own message says what is wrong.
    out.error = QString::fromStdString(inputErrorText(*data.error));
    return out;
  }
  if (out.puzzles.isEmpty()) {
    out.error = tr("「%1」には問題がありません。データファイル（9行、5項目ずつ）か、1行に81文字（1～9、空きマスは0か."
                   "）の問題集を開いてください。")
                    .arg(name);
    return out;
  }
  out.kind = OpenedFile::Kind::Collection;
  return out;
}

}  // namespace numplace::app
