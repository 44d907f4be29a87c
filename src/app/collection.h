// The collection reader of the core (board/collection.h) in Qt's types, its
// messages in the window's language.
#pragma once

#include <QString>
#include <QStringList>

namespace numplace::app {

// puzzlesInText of the core, on the text as UTF-8.
QStringList puzzlesInText(const QString &text);

// What a file chosen with 開く holds.
struct OpenedFile {
  enum class Kind { DataFile, Collection, Unusable };
  Kind kind = Kind::Unusable;
  QStringList puzzles;  // with Collection
  QString error;        // with Unusable: why, in Japanese
};

// A data file of this program (commas between its fields, read without
// error) or a collection of puzzles; else why it is neither. Only a regular
// file is read: a folder, a pipe or a device is refused at once.
OpenedFile readOpenedFile(const QString &path);

}  // namespace numplace::app
